// A pad as the player holds it: SDL's virtual controller, plugged in and out, read
// through the desktop binding into key events that steer a ball under the real rules.

#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "app/QxWindowMessages.h"
#include "game/rules/RulesTestSupport.h"
#include "platform/sdl/SdlEvents.h"
#include "platform/sdl/SdlGamepad.h"

namespace {

int g_window = 0; // stands for the screen

QxInputEvent Down(std::int32_t code) {
    return QxInputEvent::Make(QxInputKind::KeyDown, static_cast<std::uint32_t>(code));
}
QxInputEvent Up(std::int32_t code) {
    return QxInputEvent::Make(QxInputKind::KeyUp, static_cast<std::uint32_t>(code));
}

// Kinds and values, as a failure prints them.
std::vector<std::pair<int, std::uint32_t>> Plain(const std::vector<QxInputEvent>& events) {
    std::vector<std::pair<int, std::uint32_t>> out;
    for (const QxInputEvent& event : events)
        out.emplace_back(static_cast<int>(event.kind), event.value);
    return out;
}

class VirtualPadTest : public rulestest::RulesTest {
protected:
    void SetUp() override {
        RulesTest::SetUp();
        WriteGame({rulestest::TinyLevel{}});
        ASSERT_TRUE(pads_.Start()) << SDL_GetError();
        Pump();
        realPads_ = pads_.Count(); // a player's own pads, on a desktop
        PlugIn();
    }

    void TearDown() override {
        Unplug();
        pads_.Stop();
        RulesTest::TearDown();
    }

    void PlugIn() {
        const int device =
            SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                      SDL_CONTROLLER_BUTTON_MAX, 0);
        ASSERT_GE(device, 0) << SDL_GetError();
        joystick_ = SDL_JoystickOpen(device);
        ASSERT_NE(joystick_, nullptr) << SDL_GetError();
        Pump();
        ASSERT_EQ(pads_.Count(), realPads_ + 1);
    }

    void Unplug() {
        if (joystick_ == nullptr)
            return;
        const SDL_JoystickID id = SDL_JoystickInstanceID(joystick_);
        SDL_JoystickClose(joystick_);
        joystick_ = nullptr;
        for (int i = 0; i < SDL_NumJoysticks(); ++i) {
            if (SDL_JoystickGetDeviceInstanceID(i) == id)
                SDL_JoystickDetachVirtual(i);
        }
    }

    // The input events the game gets for everything the pad did since the last call.
    std::vector<QxInputEvent> Pump() {
        QxInputQueue queue;
        SDL_Event event;
        while (SDL_PollEvent(&event) != 0) {
            std::vector<platform::WindowMessage> messages;
            pads_.Convert(event, &g_window, messages);
            for (const platform::WindowMessage& message : messages)
                TranslateInputMessage(queue, message.message, message.first, message.second);
        }
        std::vector<QxInputEvent> out;
        for (QxInputEvent taken; queue.Take(taken);)
            out.push_back(taken);
        return out;
    }

    // What the pad did, handed to the rules as the game screen hands keys, then a frame.
    std::vector<QxInputEvent> Play(PyxGameplay& game) {
        const std::vector<QxInputEvent> events = Pump();
        for (const QxInputEvent& event : events) {
            if (event.kind == QxInputKind::KeyDown)
                game.OnKeyDown(static_cast<std::int32_t>(event.value));
            else if (event.kind == QxInputKind::KeyUp)
                game.OnKeyUp(static_cast<std::int32_t>(event.value));
        }
        game.Update(0.0f);
        return events;
    }

    void Stick(int x, int y) {
        SDL_JoystickSetVirtualAxis(joystick_, SDL_CONTROLLER_AXIS_LEFTX, Sint16(x));
        SDL_JoystickSetVirtualAxis(joystick_, SDL_CONTROLLER_AXIS_LEFTY, Sint16(y));
    }
    void Button(SDL_GameControllerButton button, bool down) {
        SDL_JoystickSetVirtualButton(joystick_, button, down ? 1 : 0);
    }

    platform::sdl::SdlGamepads pads_;
    std::size_t realPads_ = 0;
    SDL_Joystick* joystick_ = nullptr;
};

TEST_F(VirtualPadTest, StickAndDpadSteerTheBallAndLetGoWhenCentredOrPulledOut) {
    auto game = StartGame();
    PyxEntityBallBase* ball = Ball(game->PlayerBall());
    ASSERT_NE(ball, nullptr);
    game->Update(0.0f);

    Stick(1000, -6000); // resting a little off centre
    EXPECT_TRUE(Play(*game).empty());
    Stick(2000, -30000);
    EXPECT_EQ(Plain(Play(*game)), Plain({Down(QxKey::Up)}));
    EXPECT_EQ(ball->Direction(), (PyxVector{0.0f, -1.0f}));
    Stick(0, 0);
    EXPECT_EQ(Plain(Play(*game)), Plain({Up(QxKey::Up)}));
    EXPECT_FALSE(game->HeldKeys().up);

    Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
    EXPECT_EQ(Plain(Play(*game)), Plain({Down(QxKey::Right)}));
    EXPECT_EQ(ball->Direction(), (PyxVector{1.0f, 0.0f}));
    EXPECT_TRUE(game->HeldKeys().right);

    // Pulled out with the arrow held: the arrow goes up with it.
    Unplug();
    EXPECT_EQ(Plain(Play(*game)), Plain({Up(QxKey::Right)}));
    EXPECT_FALSE(game->HeldKeys().right);
    EXPECT_EQ(pads_.Count(), realPads_);

    // Plugged in again, it steers again.
    PlugIn();
    Button(SDL_CONTROLLER_BUTTON_DPAD_DOWN, true);
    EXPECT_EQ(Plain(Play(*game)), Plain({Down(QxKey::Down)}));
    EXPECT_EQ(ball->Direction(), (PyxVector{0.0f, 1.0f}));
}

} // namespace
