#include <gtest/gtest.h>

#include "platform/Letterbox.h"

using platform::ClientToPicture;
using platform::FitPicture;
using platform::PictureToClient;

TEST(Letterbox, FitsWithBarsOnTheLongerSide) {
    const auto same = FitPicture(640, 480, 640, 480);
    EXPECT_EQ(same.x, 0);
    EXPECT_EQ(same.width, 640);

    const auto wide = FitPicture(1920, 1080, 640, 480); // bars left and right
    EXPECT_EQ(wide.height, 1080);
    EXPECT_EQ(wide.width, 1440);
    EXPECT_EQ(wide.x, 240);
    EXPECT_EQ(wide.y, 0);

    const auto tall = FitPicture(800, 1000, 640, 480); // bars above and below
    EXPECT_EQ(tall.width, 800);
    EXPECT_EQ(tall.height, 600);
    EXPECT_EQ(tall.y, 200);

    const auto none = FitPicture(0, 480, 640, 480);
    EXPECT_EQ(none.width, 0);
}

TEST(Letterbox, MouseMapsBackToThePixelUnderIt) {
    const auto box = FitPicture(1920, 1080, 640, 480);
    int x = 0, y = 0;
    ClientToPicture(box, 640, 480, 240, 0, &x, &y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    ClientToPicture(box, 640, 480, 240 + 1439, 1079, &x, &y);
    EXPECT_EQ(x, 639);
    EXPECT_EQ(y, 479);
    // On the left bar: left of the picture, not clamped onto it.
    ClientToPicture(box, 640, 480, 10, 540, &x, &y);
    EXPECT_LT(x, 0);
    EXPECT_EQ(y, 240);

    // Every picture pixel survives the round trip at an odd scale.
    const auto odd = FitPicture(1000, 700, 640, 480);
    for (int px = 0; px < 640; px += 7) {
        int cx = 0, cy = 0, bx = 0, by = 0;
        PictureToClient(odd, 640, 480, px, 479 - px % 480, &cx, &cy);
        ClientToPicture(odd, 640, 480, cx, cy, &bx, &by);
        EXPECT_EQ(bx, px);
        EXPECT_EQ(by, 479 - px % 480);
    }
}
