#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "platform/web/WebPixels.h"

namespace {

// The canvas shows what the desktop window shows: the same widening of each channel,
// rows read at the buffer's pitch (which may be wider than the picture), alpha opaque.
TEST(WebPixels, ChannelsWidenAsOnTheDesktopAndRowsFollowThePitch) {
    const std::uint16_t pixels[] = {0x7C00, 0x03E0, 0xFFFF, // row 0, the last is padding
                                    0x001F, 0x4210, 0x0000};
    std::vector<std::uint8_t> rgba;
    platform::web::ToRgba(pixels, 2, 2, 6, rgba);
    const std::vector<std::uint8_t> expected = {255, 0, 0,   255, 0,   255, 0,   255,
                                                0,   0, 255, 255, 132, 132, 132, 255};
    EXPECT_EQ(rgba, expected);
    platform::web::ToRgba(pixels, 2, 2, 2, rgba); // a pitch narrower than a row
    EXPECT_TRUE(rgba.empty());
}

} // namespace
