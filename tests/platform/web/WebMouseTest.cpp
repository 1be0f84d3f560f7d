#include <gtest/gtest.h>

#include "platform/web/WebMouse.h"

namespace {

using platform::web::CanvasRect;
using platform::web::WheelUnit;

// A 640 x 480 picture shown twice its size, 100 CSS pixels from the page's left edge.
TEST(WebMouse, PagePointsMapIntoThePictureAndBeyondItsEdges) {
    const CanvasRect canvas{100.0, 20.0, 1280.0, 960.0};
    int x = -1;
    int y = -1;
    platform::web::PagePointToPicture(canvas, 640, 480, 100.0, 20.0, &x, &y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    platform::web::PagePointToPicture(canvas, 640, 480, 1379.9, 979.9, &x, &y);
    EXPECT_EQ(x, 639);
    EXPECT_EQ(y, 479);
    platform::web::PagePointToPicture(canvas, 640, 480, 50.0, 1000.0, &x, &y);
    EXPECT_EQ(x, -25);
    EXPECT_EQ(y, 490);
    platform::web::PagePointToPicture(CanvasRect{}, 640, 480, 50.0, 50.0, &x, &y);
    EXPECT_EQ(x, 0);
}

TEST(WebMouse, WheelDeltasBecomeWholeNotchesAwayFromThePlayerPositive) {
    EXPECT_EQ(platform::web::WheelTurn(100.0, WheelUnit::Pixel), -120);
    EXPECT_EQ(platform::web::WheelTurn(-300.0, WheelUnit::Pixel), 360);
    EXPECT_EQ(platform::web::WheelTurn(4.0, WheelUnit::Pixel), -120); // a touchpad's nudge
    EXPECT_EQ(platform::web::WheelTurn(3.0, WheelUnit::Line), -120);
    EXPECT_EQ(platform::web::WheelTurn(-1.0, WheelUnit::Page), 1200);
    EXPECT_EQ(platform::web::WheelTurn(1e9, WheelUnit::Pixel), -1200);
    EXPECT_EQ(platform::web::WheelTurn(0.0, WheelUnit::Pixel), 0);
}

} // namespace
