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

void RollVertically(const QxSurfaceDesc& screen, const QxSurfaceDesc& oldFrame,
                    const QxSurfaceDesc& newFrame, bool down, std::int32_t b, double f) {
    const std::int32_t h = screen.height;
    const std::int32_t p =
        down ? static_cast<std::int32_t>(f * h) : h - static_cast<std::int32_t>(f * h);
    const std::int32_t e = std::min(p + b, h);
    const QxSurfaceDesc& above = down ? newFrame : oldFrame;
    const QxSurfaceDesc& below = down ? oldFrame : newFrame;
    for (std::int32_t y = 0; y < p; ++y) {
        CopyRow(screen, y, above, y);
    }
    for (std::int32_t y = p; y < e; ++y) {
        CopyRow(screen, y, newFrame, BandSource(p, y - p, b, h));
    }
    for (std::int32_t y = e; y < h; ++y) {
        CopyRow(screen, y, below, y);
    }
}

void RollSideways(const QxSurfaceDesc& screen, const QxSurfaceDesc& oldFrame,
                  const QxSurfaceDesc& newFrame, bool fromRight, std::int32_t b, double f) {
    const std::int32_t w = screen.width;
    const std::int32_t q =
        fromRight ? w - static_cast<std::int32_t>(f * w) : static_cast<std::int32_t>(f * w);
    const std::int32_t e = std::min(q + b, w);
    const QxSurfaceDesc& left = fromRight ? oldFrame : newFrame;
    const QxSurfaceDesc& band = fromRight ? newFrame : oldFrame;
    const QxSurfaceDesc& right = fromRight ? newFrame : oldFrame;
    for (std::int32_t x = 0; x < q; ++x) {
        CopyColumn(screen, x, left, x);
    }
    for (std::int32_t x = q; x < e; ++x) {
        CopyColumn(screen, x, band, BandSource(q, x - q, b, w));
    }
    for (std::int32_t x = e; x < w; ++x) {
        CopyColumn(screen, x, right, x);
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
    if (kind == 0 || kind == 1) {
        RollVertically(screen, oldFrame, newFrame, kind == 0, band, progress);
    } else {
        RollSideways(screen, oldFrame, newFrame, kind == 2, band, progress);
    }
    return true;
}
