#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/screen/QxColour.h"

// A decoded picture in memory, as the bitmap and image-list readers produce it and
// the screen turns it into a surface. Rows are top-down and packed without padding.
// Depths: 8 (palette indices), 15 and 16 (16-bit words), 24 (blue, green, red) and
// 32 (blue, green, red, unused). Only 8-bit images carry a palette.
struct QxImage {
    static constexpr int kPaletteSize = 256;

    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    std::vector<uint8_t> pixels;   // BytesPerPixel() * width * height bytes
    std::vector<QxColour> palette; // kPaletteSize entries for 8 bits, else empty
    std::string name;

    static constexpr int BytesPerPixelFor(int bits) { return (bits + 1) / 8; }
    static constexpr bool IsSupportedDepth(int bits) {
        return bits == 8 || bits == 15 || bits == 16 || bits == 24 || bits == 32;
    }

    int BytesPerPixel() const { return BytesPerPixelFor(bitsPerPixel); }
    size_t Pitch() const { return static_cast<size_t>(BytesPerPixel()) * width; }
    bool HasPixels() const { return !pixels.empty(); }
    bool HasPalette() const { return palette.size() == kPaletteSize; }

    uint8_t* Row(int y) { return pixels.data() + Pitch() * static_cast<size_t>(y); }
    const uint8_t* Row(int y) const { return pixels.data() + Pitch() * static_cast<size_t>(y); }

    // Sizes the image and zeroes its pixels. An 8-bit image gets a palette of 256
    // opaque black entries. Refuses (false, image emptied) a non-positive size or an
    // unsupported depth; callers bound the size by what their input can justify.
    bool Create(int w, int h, int bits) {
        Clear();
        if (w <= 0 || h <= 0 || !IsSupportedDepth(bits)) {
            return false;
        }
        width = w;
        height = h;
        bitsPerPixel = bits;
        pixels.assign(static_cast<size_t>(BytesPerPixelFor(bits)) * static_cast<size_t>(w) *
                          static_cast<size_t>(h),
                      0);
        if (bits == 8) {
            palette.assign(kPaletteSize, QxColour(0, 0, 0, 255));
        }
        return true;
    }

    // Drops size, pixels and palette; the name stays.
    void Clear() {
        width = height = bitsPerPixel = 0;
        pixels.clear();
        palette.clear();
    }
};
