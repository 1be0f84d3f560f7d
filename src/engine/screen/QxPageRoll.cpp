#include "engine/screen/QxPageRoll.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <numbers>

namespace {

// Line i of the band shows the line this far beyond the band's edge in its source.
std::int32_t BandSource(std::int32_t edge, std::int32_t i, std::int32_t band, std::int32_t limit) {
    const double angle = std::acos(1.0 - 2.0 * static_cast<double>(i) / static_cast<double>(band));
    const auto s = edge + 2 * band -
                   static_cast<std::int32_t>(angle / std::numbers::pi * static_cast<double>(band));
    return std::min(s, limit - 1);
}

void CopyRow(const QxSurfaceDesc& to, std::int32_t toRow, const QxSurfaceDesc& from,
             std::int32_t fromRow) {
    std::memcpy(to.pixels + static_cast<std::ptrdiff_t>(toRow) * to.pitch,
                from.pixels + static_cast<std::ptrdiff_t>(fromRow) * from.pitch,
                static_cast<std::size_t>(to.width) * 2);
}

void CopyColumn(const QxSurfaceDesc& to, std::int32_t toColumn, const QxSurfaceDesc& from,
                std::int32_t fromColumn) {
    for (std::int32_t y = 0; y < to.height; ++y) {
        std::memcpy(to.pixels + static_cast<std::ptrdiff_t>(y) * to.pitch + toColumn * 2,
                    from.pixels + static_cast<std::ptrdiff_t>(y) * from.pitch + fromColumn * 2, 2);
    }
}

using CopyLine = void (*)(const QxSurfaceDesc&, std::int32_t, const QxSurfaceDesc&, std::int32_t);

// Lines (rows or columns, as the copy takes them) before the edge from one frame, the
// band after it bunched from another, the rest from a third.
void Roll(const QxSurfaceDesc& screen, CopyLine copy, std::int32_t lines, std::int32_t edge,
          std::int32_t band, const QxSurfaceDesc& before, const QxSurfaceDesc& banded,
          const QxSurfaceDesc& after) {
    const std::int32_t e = std::min(edge + band, lines);
    for (std::int32_t i = 0; i < edge; ++i) {
        copy(screen, i, before, i);
    }
    for (std::int32_t i = edge; i < e; ++i) {
        copy(screen, i, banded, BandSource(edge, i - edge, band, lines));
    }
    for (std::int32_t i = e; i < lines; ++i) {
        copy(screen, i, after, i);
    }
}

} // namespace

bool QxDrawPageRoll(const QxSurfaceDesc& screen, const QxSurfaceDesc& oldFrame,
                    const QxSurfaceDesc& newFrame, std::int32_t kind, std::int32_t band,
                    double progress) {
    auto sameShape = [&screen](const QxSurfaceDesc& frame) {
        return frame.pixels != nullptr && frame.bytesPerPixel == 2 && frame.width == screen.width &&
               frame.height == screen.height && frame.pitch == screen.pitch;
    };
    if (screen.bytesPerPixel != 2 || !sameShape(oldFrame) || !sameShape(newFrame)) {
        return false;
    }
    const std::int32_t h = screen.height;
    const std::int32_t w = screen.width;
    if (kind == 0 || kind == 1) {
        const bool down = kind == 0;
        const std::int32_t p = static_cast<std::int32_t>(progress * h);
        Roll(screen, CopyRow, h, down ? p : h - p, band, down ? newFrame : oldFrame, newFrame,
             down ? oldFrame : newFrame);
    } else {
        const bool fromRight = kind == 2;
        const std::int32_t q = static_cast<std::int32_t>(progress * w);
        Roll(screen, CopyColumn, w, fromRight ? w - q : q, band, fromRight ? oldFrame : newFrame,
             fromRight ? newFrame : oldFrame, fromRight ? newFrame : oldFrame);
    }
    return true;
}
