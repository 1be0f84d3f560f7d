#include "platform/web/WebPixels.h"

#include <array>
#include <cstddef>
#include <cstring>

#include "engine/screen/QxPixelFormat.h"

namespace platform::web {

std::uint32_t CopyChangedBands(const std::uint16_t* from, int width, int height, int pitch,
                               std::vector<std::uint16_t>& to) {
    if (from == nullptr || width <= 0 || height <= 0 || height > kMaxBands * kBandRows ||
        pitch < width * 2 || to.size() != std::size_t(width) * std::size_t(height)) {
        return 0;
    }
    const std::size_t rowBytes = std::size_t(width) * 2;
    std::uint32_t mask = 0;
    for (int band = 0; band * kBandRows < height; ++band) {
        const int top = band * kBandRows;
        const int bottom = top + kBandRows < height ? top + kBandRows : height;
        for (int y = top; y < bottom; ++y) {
            const auto* row =
                reinterpret_cast<const std::uint8_t*>(from) + std::ptrdiff_t(y) * pitch;
            std::uint16_t* kept = to.data() + std::size_t(y) * std::size_t(width);
            if (std::memcmp(kept, row, rowBytes) != 0) {
                std::memcpy(kept, row, rowBytes);
                mask |= 1u << band;
            }
        }
    }
    return mask;
}

const std::uint32_t* CanvasColours() {
    static const std::array<std::uint32_t, 32768> table = [] {
        std::array<std::uint32_t, 32768> colours{};
        for (std::uint32_t p = 0; p < colours.size(); ++p) {
            const std::uint8_t bytes[4] = {QxWiden5((p >> 10) & 31), QxWiden5((p >> 5) & 31),
                                           QxWiden5(p & 31), 255};
            std::memcpy(&colours[p], bytes, 4);
        }
        return colours;
    }();
    return table.data();
}

} // namespace platform::web
