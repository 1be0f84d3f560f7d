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

// Only the rows between the first and the last that changed are sent again, and a
// conversion of some rows leaves the others as they were.
TEST(WebPixels, OnlyTheChangedRowsAreFoundAndConverted) {
    using platform::web::RowRange;
    const std::vector<std::uint16_t> before = {1, 1, 2, 2, 3, 3, 4, 4};
    std::vector<std::uint16_t> after = before;
    EXPECT_TRUE(platform::web::ChangedRows(before, after.data(), 2, 4, 4).Empty());
    after[3] = 9; // row 1
    after[4] = 9; // row 2
    const RowRange rows = platform::web::ChangedRows(before, after.data(), 2, 4, 4);
    EXPECT_EQ(rows.top, 1);
    EXPECT_EQ(rows.bottom, 3);
    EXPECT_EQ(rows.Union(RowRange{3, 4}).bottom, 4);
    EXPECT_EQ(RowRange{}.Union(rows).top, 1);

    std::vector<std::uint8_t> rgba(2 * 4 * 4, 7);
    platform::web::ToRgbaRows(after.data(), 2, 4, rows, rgba.data());
    EXPECT_EQ(rgba[0], 7);       // row 0 untouched
    EXPECT_EQ(rgba[8 + 3], 255); // row 1 converted
    EXPECT_EQ(rgba[24], 7);      // row 3 untouched
}

} // namespace
