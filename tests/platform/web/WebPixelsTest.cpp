#include <cstdint>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "platform/web/WebPixels.h"

namespace {

// The canvas shows what the desktop window shows: the same widening of each channel,
// in the canvas's byte order, alpha opaque.
TEST(WebPixels, ColoursWidenAsOnTheDesktopInTheCanvasByteOrder) {
    auto bytes = [](std::uint16_t colour) {
        std::vector<std::uint8_t> out(4);
        std::memcpy(out.data(), &platform::web::CanvasColours()[colour & 0x7FFF], 4);
        return out;
    };
    EXPECT_EQ(bytes(0x7C00), (std::vector<std::uint8_t>{255, 0, 0, 255}));
    EXPECT_EQ(bytes(0x03E0), (std::vector<std::uint8_t>{0, 255, 0, 255}));
    EXPECT_EQ(bytes(0x001F), (std::vector<std::uint8_t>{0, 0, 255, 255}));
    EXPECT_EQ(bytes(0x4210), (std::vector<std::uint8_t>{132, 132, 132, 255}));
    EXPECT_EQ(bytes(0x0000), (std::vector<std::uint8_t>{0, 0, 0, 255}));
}

// Only the bands of rows that changed are copied and marked, rows are read at the
// buffer's pitch (wider than the picture here), and a picture that does not fit is
// refused.
TEST(WebPixels, OnlyTheBandsThatChangedAreCopiedAndMarked) {
    const int width = 2, height = 40, pitch = 6; // three bands, the last of 8 rows
    std::vector<std::uint16_t> source(std::size_t(height) * 3, 0);
    std::vector<std::uint16_t> kept(std::size_t(width) * height, 0);
    EXPECT_EQ(platform::web::CopyChangedBands(source.data(), width, height, pitch, kept), 0u);
    source[17 * 3 + 1] = 5; // row 17: band 1
    source[39 * 3] = 7;     // row 39: band 2
    source[0 * 3 + 2] = 9;  // the padding of row 0 is no pixel
    EXPECT_EQ(platform::web::CopyChangedBands(source.data(), width, height, pitch, kept), 0b110u);
    EXPECT_EQ(kept[17 * 2 + 1], 5);
    EXPECT_EQ(kept[39 * 2], 7);
    EXPECT_EQ(platform::web::CopyChangedBands(source.data(), width, height, pitch, kept), 0u);
    std::vector<std::uint16_t> tall(std::size_t(2) * 600, 0);
    EXPECT_EQ(platform::web::CopyChangedBands(tall.data(), 2, 600, 4, tall), 0u);
}

} // namespace
