#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A picture already in the back buffer's 16-bit format. Rows are top-down with no
// padding. The origin is a hot spot subtracted from the drawing position.
struct QxSurface {
    int width = 0;
    int height = 0;
    std::vector<uint16_t> pixels; // width * height
    int originX = 0;
    int originY = 0;
    std::string name;
    int lockCount = 0;

    // Sizes the surface (negative sizes count as 0) and zeroes its pixels.
    void Resize(int w, int h) {
        width = w > 0 ? w : 0;
        height = h > 0 ? h : 0;
        pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    }
    uint16_t* Row(int y) { return pixels.data() + static_cast<size_t>(y) * width; }
    const uint16_t* Row(int y) const { return pixels.data() + static_cast<size_t>(y) * width; }
};

// What a lock hands out: the back buffer's or a surface's pixels.
struct QxSurfaceDesc {
    int bytesPerPixel = 0;
    int width = 0;
    int height = 0;
    int pitch = 0; // bytes from one row to the next
    uint8_t* pixels = nullptr;
};
