#pragma once
#include <cstdint>

// A colour as the drawing operations take it: four bytes in the order blue, green,
// red, alpha. Alpha 255 is opaque. The byte order matches a palette entry of an
// 8-bit image, so palettes are stored as arrays of this record.
struct QxColour {
    uint8_t blue = 0;
    uint8_t green = 0;
    uint8_t red = 0;
    uint8_t alpha = 255;

    constexpr QxColour() = default;
    constexpr QxColour(uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255)
        : blue(b), green(g), red(r), alpha(a) {}

    friend constexpr bool operator==(const QxColour&, const QxColour&) = default;
};

static_assert(sizeof(QxColour) == 4, "QxColour must stay four packed bytes");
