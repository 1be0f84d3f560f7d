#include "platform/web/WebPixels.h"

#include <cstddef>

#include "engine/screen/QxPixelFormat.h"

namespace platform::web {

void ToRgba(const std::uint16_t* pixels, int width, int height, int pitch,
            std::vector<std::uint8_t>& out) {
    if (pixels == nullptr || width <= 0 || height <= 0 || pitch < width * 2) {
        out.clear();
        return;
    }
    out.resize(std::size_t(width) * std::size_t(height) * 4);
    std::uint8_t* to = out.data();
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const std::uint16_t*>(
            reinterpret_cast<const std::uint8_t*>(pixels) + std::ptrdiff_t(y) * pitch);
        for (int x = 0; x < width; ++x, to += 4) {
            const std::uint32_t p = row[x];
            to[0] = QxWiden5((p >> 10) & 31);
            to[1] = QxWiden5((p >> 5) & 31);
            to[2] = QxWiden5(p & 31);
            to[3] = 255;
        }
    }
}

} // namespace platform::web
