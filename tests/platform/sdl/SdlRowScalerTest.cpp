#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "platform/sdl/SdlRowScaler.h"

namespace {

// Every window size from a quarter of the picture to five times it, and stretches of
// the row cut anywhere, scale as the plain nearest-pixel rule says, with a colour table
// and with 8-8-8 colours worked out, and not one window pixel outside the stretch asked
// for changes.
TEST(SdlRowScalerTest, MatchesNearestPixelAndStaysInsideTheColumnsAskedFor) {
    std::vector<std::uint32_t> hashed(32768), widened(32768);
    for (std::uint32_t c = 0; c < hashed.size(); ++c) {
        hashed[c] = c * 2654435761u;
        widened[c] = 0xFF000000u | std::uint32_t(QxWiden5(c >> 10)) << 16 |
                     std::uint32_t(QxWiden5((c >> 5) & 31)) << 8 | QxWiden5(c & 31);
    }
    std::uint32_t top = 0;
    ASSERT_FALSE(platform::sdl::RowScaler::Is888(hashed, &top));
    ASSERT_TRUE(platform::sdl::RowScaler::Is888(widened, &top));
    ASSERT_EQ(top, 0xFF000000u);
    for (const auto* colours : {&hashed, &widened}) {
        for (const int pictureWidth : {1, 3, 17, 640}) {
            std::vector<std::uint16_t> row(static_cast<std::size_t>(pictureWidth));
            for (int i = 0; i < pictureWidth; ++i) {
                row[std::size_t(i)] = std::uint16_t(0x8000 | (i * 97 + 5)); // top bit ignored
            }
            for (int boxWidth = std::max(1, pictureWidth / 4); boxWidth <= pictureWidth * 5;
                 boxWidth += pictureWidth > 100 ? 37 : 1) {
                for (const auto& [from, to] :
                     {std::pair{0, boxWidth}, std::pair{boxWidth / 3, boxWidth / 2 + 1},
                      std::pair{boxWidth - 1, boxWidth}, std::pair{1, boxWidth - 1}}) {
                    if (from >= to) {
                        continue;
                    }
                    platform::sdl::RowScaler scaler;
                    scaler.Prepare(from, to, pictureWidth, boxWidth);
                    std::vector<std::uint32_t> window(std::size_t(boxWidth) + 8, 0xDEADBEEF);
                    scaler.Scale(row.data(), colours == &widened ? nullptr : colours->data(), top,
                                 window.data() + 4);
                    for (int x = -4; x < boxWidth + 4; ++x) {
                        const std::uint32_t want =
                            x >= from && x < to
                                ? (*colours)[row[std::size_t(std::int64_t(x) * pictureWidth /
                                                             boxWidth)] &
                                             0x7FFF]
                                : 0xDEADBEEF;
                        ASSERT_EQ(window[std::size_t(x + 4)], want)
                            << "picture " << pictureWidth << " box " << boxWidth << " columns "
                            << from << "-" << to << " at " << x;
                    }
                }
            }
        }
    }
}

} // namespace
