#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "platform/web/WebGamepad.h"

namespace {

using platform::web::StandardPadState;

// The browser's standard layout lands on the desktop pad's buttons and stick, and a pad
// that reports fewer buttons or axes (or nonsense) reads as released and centred.
TEST(WebGamepad, TheStandardLayoutReadsAsTheDesktopPad) {
    int buttons[17] = {};
    buttons[0] = buttons[9] = buttons[14] = 1; // A, Start, D-pad left
    const double axes[4] = {0.5, -1.5, 1.0, 1.0};
    const platform::GamepadState pad = StandardPadState(buttons, 17, axes, 4);
    EXPECT_TRUE(pad.a && pad.start && pad.left);
    EXPECT_FALSE(pad.b || pad.up || pad.down || pad.right);
    EXPECT_EQ(pad.stickX, 16383);
    EXPECT_EQ(pad.stickY, -32768);

    const double odd[2] = {std::numeric_limits<double>::quiet_NaN(), 1.0};
    const platform::GamepadState small = StandardPadState(buttons, 4, odd, 2);
    EXPECT_TRUE(small.a);
    EXPECT_FALSE(small.start || small.left);
    EXPECT_EQ(small.stickX, 0);
    EXPECT_EQ(small.stickY, 32767);
}

} // namespace
