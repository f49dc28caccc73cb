// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/forms/win32/pictures.h"

#include <algorithm>
#include <climits>

#include "ui/forms/win32/text.h"

namespace korvo::win32 {

namespace {

// Releases a COM interface when it goes.
template <class T>
class Com {
  public:
    Com() = default;
    ~Com() {
        if (p_) p_->Release();
    }
    Com(const Com&) = delete;
    Com& operator=(const Com&) = delete;
    T** out() { return &p_; }
    T* operator->() const { return p_; }
    T* get() const { return p_; }
    T* release() {
        T* p = p_;
        p_ = nullptr;
        return p;
    }
    explicit operator bool() const { return p_ != nullptr; }

  private:
    T* p_ = nullptr;
};

// The resource a bundled picture is stored as: ":flags/0.png" and ":/flags/0.png" are both
// FLAGS_0_PNG (resource names are compared without regard to case).
std::wstring resourceName(const std::string& source) {
    std::wstring name;
    for (std::size_t i = source.size() > 1 && source[1] == '/' ? 2 : 1; i < source.size(); ++i) {
        const char c = source[i];
        const bool plain =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        name += plain ? static_cast<wchar_t>(c) : L'_';
    }
    return name;
}

constexpr int MaxSide = 16384;  // larger than any screen; a bigger request is a mistake

}  // namespace

Pictures::Pictures() {
    const HRESULT joined = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    joinedCom_ = SUCCEEDED(joined);
    CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                     reinterpret_cast<void**>(&factory_));
}

Pictures::~Pictures() {
    if (factory_) factory_->Release();
    if (joinedCom_) CoUninitialize();
}

IWICBitmapFrameDecode* Pictures::frame(const std::string& source) {
    if (!factory_ || source.empty()) return nullptr;
    Com<IWICBitmapDecoder> decoder;
    if (source.front() == ':') {
        const HMODULE program = GetModuleHandleW(nullptr);
        const std::wstring name = resourceName(source);
        HRSRC found = FindResourceW(program, name.c_str(), MAKEINTRESOURCEW(10));  // RT_RCDATA
        HGLOBAL loaded = found ? LoadResource(program, found) : nullptr;
        void* bytes = loaded ? LockResource(loaded) : nullptr;
        if (!bytes) return nullptr;
        Com<IWICStream> stream;
        if (FAILED(factory_->CreateStream(stream.out())) ||
            FAILED(stream->InitializeFromMemory(static_cast<BYTE*>(bytes),
                                                SizeofResource(program, found))) ||
            FAILED(factory_->CreateDecoderFromStream(
                stream.get(), nullptr, WICDecodeMetadataCacheOnDemand, decoder.out())))
            return nullptr;
    } else {
        const std::wstring path = wide(source);
        if (path.empty() || FAILED(factory_->CreateDecoderFromFilename(
                                path.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                decoder.out())))
            return nullptr;
    }
    IWICBitmapFrameDecode* first = nullptr;
    if (FAILED(decoder->GetFrame(0, &first))) return nullptr;
    return first;
}

std::optional<forms::PictureInfo> Pictures::probe(const std::string& source) {
    Com<IWICBitmapFrameDecode> picture;
    *picture.out() = frame(source);
    UINT width = 0, height = 0;
    if (!picture || FAILED(picture->GetSize(&width, &height)) || width == 0 || height == 0 ||
        width > INT_MAX || height > INT_MAX)
        return std::nullopt;
    return forms::PictureInfo{static_cast<int>(width), static_cast<int>(height)};
}

HBITMAP Pictures::pixels(IWICBitmapSource* source, const WICPixelFormatGUID& format, int width,
                         int height) {
    Com<IWICFormatConverter> converter;
    if (FAILED(factory_->CreateFormatConverter(converter.out())) ||
        FAILED(converter->Initialize(source, format, WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)))
        return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down, as WIC hands the rows out
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return nullptr;
    const WICRect area{0, 0, width, height};
    const UINT stride = static_cast<UINT>(width) * 4;
    if (FAILED(converter->CopyPixels(&area, stride, stride * static_cast<UINT>(height),
                                     static_cast<BYTE*>(bits)))) {
        DeleteObject(bitmap);
        return nullptr;
    }
    return bitmap;
}

HBITMAP Pictures::decode(const std::string& source, int width, int height, bool stretch) {
    if (width <= 0 || height <= 0 || width > MaxSide || height > MaxSide) return nullptr;
    Com<IWICBitmapFrameDecode> picture;
    *picture.out() = frame(source);
    UINT natural[2] = {0, 0};
    if (!picture || FAILED(picture->GetSize(&natural[0], &natural[1]))) return nullptr;
    if (stretch) {
        // Scaled while decoding where the format can, so a large photo never builds at full size.
        Com<IWICBitmapScaler> scaler;
        if (FAILED(factory_->CreateBitmapScaler(scaler.out())) ||
            FAILED(scaler->Initialize(picture.get(), static_cast<UINT>(width),
                                      static_cast<UINT>(height), WICBitmapInterpolationModeFant)))
            return nullptr;
        return pixels(scaler.get(), GUID_WICPixelFormat32bppPBGRA, width, height);
    }
    const int shownWidth = std::min(width, static_cast<int>(std::min<UINT>(natural[0], MaxSide)));
    const int shownHeight = std::min(height, static_cast<int>(std::min<UINT>(natural[1], MaxSide)));
    if (shownWidth <= 0 || shownHeight <= 0) return nullptr;
    return pixels(picture.get(), GUID_WICPixelFormat32bppPBGRA, shownWidth, shownHeight);
}

HICON Pictures::icon(const std::string& source, int size) {
    if (size <= 0 || size > 256) return nullptr;
    Com<IWICBitmapFrameDecode> picture;
    *picture.out() = frame(source);
    Com<IWICBitmapScaler> scaler;
    if (!picture || FAILED(factory_->CreateBitmapScaler(scaler.out())) ||
        FAILED(scaler->Initialize(picture.get(), static_cast<UINT>(size), static_cast<UINT>(size),
                                  WICBitmapInterpolationModeFant)))
        return nullptr;
    // Icons take straight alpha; the mask is unused beside it but must exist.
    HBITMAP color = pixels(scaler.get(), GUID_WICPixelFormat32bppBGRA, size, size);
    if (!color) return nullptr;
    HBITMAP mask = CreateBitmap(size, size, 1, 1, nullptr);
    ICONINFO info{TRUE, 0, 0, mask, color};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    DeleteObject(color);
    return icon;
}

}  // namespace korvo::win32
