#pragma once
// The back buffer's RGB555 picture on a canvas. The game's thread keeps a copy of the
// picture and marks the bands of rows that changed; the page turns those rows into the
// canvas's RGBA through a table of every colour (each channel widened to 8 bits as on
// the desktop, alpha opaque) and sends only them, so a menu whose title burns sends the
// title, not the screen.

#include <cstdint>
#include <vector>

namespace platform::web {

// Rows a band holds; bit b of a band mask stands for rows [16 b, 16 b + 16).
constexpr int kBandRows = 16;
constexpr int kMaxBands = 32;

// Copies the bands of `from` (rows of pitch bytes) that differ from `to` (rows packed,
// width x height) into `to`, and answers their mask. Pictures of more than
// kMaxBands * kBandRows rows are not taken (0).
std::uint32_t CopyChangedBands(const std::uint16_t* from, int width, int height, int pitch,
                               std::vector<std::uint16_t>& to);

// The canvas's four bytes (red, green, blue, opaque alpha) of each RGB555 colour, as one
// word in memory order; 32768 entries, indexed by the colour without its top bit.
const std::uint32_t* CanvasColours();

} // namespace platform::web
