#pragma once
// The back buffer's RGB555 picture as the RGBA bytes a canvas takes (putImageData):
// each channel widened to 8 bits, alpha opaque. Only the rows that changed since the
// last picture are converted and sent to the canvas.

#include <cstdint>
#include <vector>

namespace platform::web {

// Rows [top, bottom) of a picture; empty when top >= bottom.
struct RowRange {
    int top = 0;
    int bottom = 0;
    bool Empty() const { return top >= bottom; }
    // The rows of both.
    RowRange Union(const RowRange& other) const;
};

// The rows in which a picture (rows of pitch bytes) differs from the one before (rows
// packed, the same size).
RowRange ChangedRows(const std::vector<std::uint16_t>& before, const std::uint16_t* after,
                     int width, int height, int pitch);

// Converts the rows into out, which holds the whole picture (width * 4 bytes a row).
void ToRgbaRows(const std::uint16_t* pixels, int width, int pitch, RowRange rows,
                std::uint8_t* out);

// The whole picture; rows of pitch bytes in, width * 4 bytes a row out; out is resized
// to fit, and emptied for a pitch narrower than a row.
void ToRgba(const std::uint16_t* pixels, int width, int height, int pitch,
            std::vector<std::uint8_t>& out);

} // namespace platform::web
