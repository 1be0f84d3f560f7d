#pragma once
#include <algorithm>
#include <cstdint>

struct QxPoint {
    int32_t x = 0;
    int32_t y = 0;

    friend constexpr bool operator==(const QxPoint&, const QxPoint&) = default;
};

// Left, right, top, bottom; right and bottom are exclusive.
struct QxRect {
    int32_t left = 0;
    int32_t right = 0;
    int32_t top = 0;
    int32_t bottom = 0;

    constexpr int32_t Width() const { return right - left; }
    constexpr int32_t Height() const { return bottom - top; }
    constexpr bool IsEmpty() const { return left >= right || top >= bottom; }

    // True when the two share at least one pixel or an edge (edges inclusive),
    // which is what decides whether dirty rectangles merge.
    constexpr bool Touches(const QxRect& o) const {
        return left <= o.right && o.left <= right && top <= o.bottom && o.top <= bottom;
    }

    friend constexpr bool operator==(const QxRect&, const QxRect&) = default;
};

constexpr QxRect Intersect(const QxRect& a, const QxRect& b) {
    return QxRect{std::max(a.left, b.left), std::min(a.right, b.right), std::max(a.top, b.top),
                  std::min(a.bottom, b.bottom)};
}

// Bounding box of both.
constexpr QxRect Union(const QxRect& a, const QxRect& b) {
    return QxRect{std::min(a.left, b.left), std::max(a.right, b.right), std::min(a.top, b.top),
                  std::max(a.bottom, b.bottom)};
}
