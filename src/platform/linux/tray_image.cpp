// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/tray_image.h"

#include <algorithm>
#include <array>

namespace korvo::platform {

IconImage fitIcon(const IconImage& icon, int size) {
    IconImage fitted{size, size, std::vector<std::uint32_t>(static_cast<std::size_t>(size) * size)};
    const int w = icon.width, h = icon.height;
    if (size <= 0 || w <= 0 || h <= 0 || icon.argb.size() != static_cast<std::size_t>(w) * h) {
        return fitted;
    }
    const int longer = std::max(w, h);
    const int fw = std::max(1, (w * size + longer / 2) / longer);
    const int fh = std::max(1, (h * size + longer / 2) / longer);
    const int left = (size - fw) / 2, top = (size - fh) / 2;
    for (int y = 0; y < fh; ++y) {
        const int y0 = y * h / fh, y1 = std::max(y0 + 1, (y + 1) * h / fh);
        for (int x = 0; x < fw; ++x) {
            const int x0 = x * w / fw, x1 = std::max(x0 + 1, (x + 1) * w / fw);
            std::array<std::uint64_t, 4> sum{};  // alpha, then red, green, blue times alpha
            for (int sy = y0; sy < y1; ++sy) {
                for (int sx = x0; sx < x1; ++sx) {
                    const std::uint32_t p = icon.argb[static_cast<std::size_t>(sy) * w + sx];
                    const std::uint32_t a = p >> 24;
                    sum[0] += a;
                    sum[1] += std::uint64_t{a} * ((p >> 16) & 0xff);
                    sum[2] += std::uint64_t{a} * ((p >> 8) & 0xff);
                    sum[3] += std::uint64_t{a} * (p & 0xff);
                }
            }
            const std::uint64_t count = static_cast<std::uint64_t>(y1 - y0) * (x1 - x0);
            std::uint32_t pixel = 0;
            if (sum[0] > 0) {
                const auto channel = [&](int i) {
                    return static_cast<std::uint32_t>((sum[i] + sum[0] / 2) / sum[0]);
                };
                const auto alpha = static_cast<std::uint32_t>((sum[0] + count / 2) / count);
                pixel = alpha << 24 | channel(1) << 16 | channel(2) << 8 | channel(3);
            }
            fitted.argb[static_cast<std::size_t>(top + y) * size + left + x] = pixel;
        }
    }
    return fitted;
}

}  // namespace korvo::platform
