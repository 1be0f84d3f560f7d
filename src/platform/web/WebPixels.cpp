#include "platform/web/WebPixels.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "engine/screen/QxPixelFormat.h"

namespace platform::web {
namespace {

const std::uint16_t* Row(const std::uint16_t* pixels, int pitch, int y) {
    return reinterpret_cast<const std::uint16_t*>(reinterpret_cast<const std::uint8_t*>(pixels) +
                                                  std::ptrdiff_t(y) * pitch);
}

} // namespace

RowRange RowRange::Union(const RowRange& other) const {
    if (Empty()) {
        return other;
    }
    if (other.Empty()) {
        return *this;
    }
    return {std::min(top, other.top), std::max(bottom, other.bottom)};
}

RowRange ChangedRows(const std::vector<std::uint16_t>& before, const std::uint16_t* after,
                     int width, int height, int pitch) {
    const std::size_t rowBytes = std::size_t(width) * 2;
    auto same = [&](int y) {
        return std::memcmp(before.data() + std::size_t(y) * std::size_t(width),
                           Row(after, pitch, y), rowBytes) == 0;
    };
    int top = 0;
    while (top < height && same(top)) {
        ++top;
    }
    int bottom = height;
    while (bottom > top && same(bottom - 1)) {
        --bottom;
    }
    return {top, bottom};
}

void ToRgbaRows(const std::uint16_t* pixels, int width, int pitch, RowRange rows,
                std::uint8_t* out) {
    std::uint8_t* to = out + std::size_t(rows.top) * std::size_t(width) * 4;
    for (int y = rows.top; y < rows.bottom; ++y) {
        const std::uint16_t* row = Row(pixels, pitch, y);
        for (int x = 0; x < width; ++x, to += 4) {
            const std::uint32_t p = row[x];
            to[0] = QxWiden5((p >> 10) & 31);
            to[1] = QxWiden5((p >> 5) & 31);
            to[2] = QxWiden5(p & 31);
            to[3] = 255;
        }
    }
}

void ToRgba(const std::uint16_t* pixels, int width, int height, int pitch,
            std::vector<std::uint8_t>& out) {
    if (pixels == nullptr || width <= 0 || height <= 0 || pitch < width * 2) {
        out.clear();
        return;
    }
    out.resize(std::size_t(width) * std::size_t(height) * 4);
    ToRgbaRows(pixels, width, pitch, {0, height}, out.data());
}

} // namespace platform::web
