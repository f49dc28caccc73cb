// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Adapters for picture boxes and images: a window of the binding's own class that draws the
// model's picture.

#include "ui/forms/win32/control_adapter.h"
#include "ui/forms/win32/form_window.h"
#include "ui/forms/win32/window_services.h"

namespace korvo::win32 {

namespace {

constexpr wchar_t PictureClass[] = L"KorvoPicture";

// The picture decoded for `size` (stretched over it, or at its natural size cut to it), from the
// last decoding when neither changed.
HBITMAP decoded(ControlWindow& c, const std::string& source, SIZE size, bool stretch) {
    DecodedPicture& last = c.picture;
    if (source != last.source || size.cx != last.area.cx || size.cy != last.area.cy ||
        stretch != last.stretched) {
        if (last.bitmap) DeleteObject(last.bitmap);
        last.bitmap = c.owner->services().pictures().decode(source, size.cx, size.cy, stretch);
        last.source = source;
        last.area = size;
        last.stretched = stretch;
    }
    return last.bitmap;
}

// The picture alpha-blended on the back colour, in the top left corner; an image's border is a
// black line.
void paintPicture(ControlWindow& c, HDC dc) {
    RECT area{};
    GetClientRect(c.hwnd, &area);
    if (c.brush) FillRect(dc, &area, c.brush);
    if (!c.owner->loaded()) return;
    const auto* image = c.control->kind() == forms::ControlKind::Image
                            ? static_cast<const forms::Image*>(c.control)
                            : nullptr;
    const bool bordered = image && image->bordered();
    const bool stretch = image && image->stretch();
    if (bordered) InflateRect(&area, -1, -1);
    const forms::Picture& picture = c.control->picture();
    const SIZE size{area.right - area.left, area.bottom - area.top};
    BITMAP info{};
    HBITMAP bitmap = picture && size.cx > 0 && size.cy > 0
                         ? decoded(c, picture->source, size, stretch)
                         : nullptr;
    if (bitmap && GetObjectW(bitmap, sizeof info, &info)) {
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ former = SelectObject(memory, bitmap);
        const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        AlphaBlend(dc, area.left, area.top, info.bmWidth, info.bmHeight, memory, 0, 0, info.bmWidth,
                   info.bmHeight, blend);
        SelectObject(memory, former);
        DeleteDC(memory);
    }
    if (bordered) {
        RECT frame{};
        GetClientRect(c.hwnd, &frame);
        FrameRect(dc, &frame, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
}

LRESULT CALLBACK pictureProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    } else if (message == WM_ERASEBKGND) {
        return 1;  // painted whole in WM_PAINT
    } else if (message == WM_PAINT) {
        PAINTSTRUCT painting;
        HDC dc = BeginPaint(hwnd, &painting);
        if (auto* c = reinterpret_cast<ControlWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)))
            paintPicture(*c, dc);
        EndPaint(hwnd, &painting);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

// Picture boxes and images alike: the picture is read from the model whenever it is painted,
// so a change of it only asks for a repaint.
class PictureAdapter final : public ControlAdapter {
  public:
    HWND create(ControlWindow& c, HWND parent) const override {
        [[maybe_unused]] static const bool registered =
            (registerWindowClass(PictureClass, pictureProc), true);
        return childWindow(c, parent, PictureClass, 0);
    }
    // Its caption is the window's text, as any control's, though nothing draws it.
    void show(ControlWindow& c, forms::Property property) const override {
        showCaption(c, property);
    }
    Paint paint() const override { return Paint::Backdrop; }
    bool passive() const override { return true; }
};

}  // namespace

AdapterList pictureAdapters() {
    static const PictureAdapter picture;
    return {
        {forms::ControlKind::PictureBox, &picture},
        {forms::ControlKind::Image, &picture},
    };
}

}  // namespace korvo::win32
