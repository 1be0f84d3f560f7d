#pragma once
// The back buffer's RGB555 picture as the RGBA bytes a canvas takes (putImageData):
// each channel widened to 8 bits, alpha opaque.

#include <cstdint>
#include <vector>

namespace platform::web {

// Rows of pitch bytes in, width * 4 bytes a row out; out is resized to fit.
void ToRgba(const std::uint16_t* pixels, int width, int height, int pitch,
            std::vector<std::uint8_t>& out);

} // namespace platform::web
