#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "platform/sdl/SdlRowScaler.h"

namespace {

// Every window size from a quarter of the picture to five times it, and stretches of
// the row cut anywhere, scale as the plain nearest-pixel rule says, and not one window
// pixel outside the stretch asked for changes.
TEST(SdlRowScalerTest, MatchesNearestPixelAndStaysInsideTheColumnsAskedFor) {
    std::vector<std::uint32_t> colours(32768);
    for (std::uint32_t c = 0; c < colours.size(); ++c) {
        colours[c] = c * 2654435761u;
    }
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
                scaler.Scale(row.data(), colours.data(), window.data() + 4);
                for (int x = -4; x < boxWidth + 4; ++x) {
                    const std::uint32_t want =
                        x >= from && x < to
                            ? colours[row[std::size_t(std::int64_t(x) * pictureWidth / boxWidth)] &
                                      0x7FFF]
                            : 0xDEADBEEF;
                    ASSERT_EQ(window[std::size_t(x + 4)], want)
                        << "picture " << pictureWidth << " box " << boxWidth << " columns " << from
                        << "-" << to << " at " << x;
                }
            }
        }
    }
}

} // namespace
