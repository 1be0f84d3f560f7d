// The pad's keys as every binding sends them: how firmly the stick must be pushed, how
// it holds its arrow, and the D-pad and the stick sharing the arrows.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/QxWindowMessages.h"
#include "platform/Gamepad.h"

namespace {

using platform::GamepadState;

// "+Up" for a press of the up arrow, "-Up" for its release, "13" for a typed character.
std::vector<std::string> Names(const std::vector<platform::WindowMessage>& messages) {
    QxInputQueue queue;
    for (const platform::WindowMessage& message : messages)
        TranslateInputMessage(queue, message.message, message.first, message.second);
    std::vector<std::string> out;
    for (QxInputEvent event; queue.Take(event);) {
        const char* names[] = {"Up", "Down", "Right", "Left"};
        const auto value = static_cast<std::int32_t>(event.value);
        const bool arrow = value >= QxKey::Up && value <= QxKey::Left;
        out.push_back(!arrow ? std::to_string(value)
                             : (event.kind == QxInputKind::KeyDown ? "+" : "-") +
                                   std::string(names[value - QxKey::Up]));
    }
    return out;
}

int g_window = 0;

std::vector<std::string> Keys(platform::GamepadKeys& keys, const GamepadState& state) {
    return Names(keys.Update(state, &g_window));
}

GamepadState Stick(int x, int y) {
    GamepadState state;
    state.stickX = x;
    state.stickY = y;
    return state;
}

using Expect = std::vector<std::string>;

TEST(GamepadKeysTest, StickPressesFirmlyHoldsWithSlackAndLetsGoNearTheCentre) {
    platform::GamepadKeys keys;
    EXPECT_EQ(Keys(keys, Stick(16000, 0)), Expect{});
    EXPECT_EQ(Keys(keys, Stick(16500, 3000)), Expect{"+Right"});
    EXPECT_EQ(Keys(keys, Stick(10500, 0)), Expect{}); // wandering back, still held
    EXPECT_EQ(Keys(keys, Stick(9000, 0)), Expect{"-Right"});
    EXPECT_EQ(Keys(keys, Stick(15000, 0)), Expect{}); // pressing again takes a firm push

    // Swung round: the arrow holds up to ten degrees past the diagonal.
    EXPECT_EQ(Keys(keys, Stick(0, 30000)), Expect{"+Down"});
    EXPECT_EQ(Keys(keys, Stick(-22000, 20000)), Expect{});
    EXPECT_EQ(Keys(keys, Stick(-26000, 17000)), (Expect{"-Down", "+Left"}));
    EXPECT_EQ(Keys(keys, Stick(-24000, 24000)), Expect{});
    EXPECT_EQ(Keys(keys, Stick(30000, 0)), (Expect{"-Left", "+Right"}));
}

TEST(GamepadKeysTest, DpadAndStickShareArrowsButtonsTypeAndReleaseLetsGoOfAll) {
    platform::GamepadKeys keys;
    GamepadState state = Stick(0, -30000);
    state.up = true;
    state.left = true;
    state.a = true;
    EXPECT_EQ(Keys(keys, state), (Expect{"+Up", "+Left", "13"}));
    state.up = false; // the stick still holds up
    EXPECT_EQ(Keys(keys, state), Expect{});
    state.b = true;
    state.start = true;
    EXPECT_EQ(Keys(keys, state), (Expect{"27", "112"}));
    EXPECT_EQ(Names(keys.Release(&g_window)), (Expect{"-Up", "-Left"}));
    // Pressed again after the release, the buttons type again.
    EXPECT_EQ(Keys(keys, state), (Expect{"+Up", "+Left", "13", "27", "112"}));
}

} // namespace
