// SDL events through the desktop binding's conversion and the shared window-message
// translation: the input events the game sees for what the player does.

#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "app/QxWindowMessages.h"
#include "platform/Letterbox.h"
#include "platform/sdl/SdlEvents.h"

namespace {

using platform::sdl::ConvertEvent;
using platform::sdl::SdlEventContext;

int g_owner = 0; // stands for the screen that owns window 7
constexpr Uint32 kWindowId = 7;
constexpr Uint32 kQuitType = SDL_USEREVENT + 3;

void* OwnerOf(Uint32 id) {
    return id == kWindowId ? &g_owner : nullptr;
}

// A 1280 x 720 window shows the 640 x 480 picture at 960 x 720 between bars of 160.
bool ToPicture(Uint32 id, int x, int y, int* px, int* py) {
    if (id != kWindowId)
        return false;
    platform::ClientToPicture(platform::FitPicture(1280, 720, 640, 480), 640, 480, x, y, px, py);
    return true;
}

SdlEventContext Context() {
    SdlEventContext context;
    context.ownerOf = &OwnerOf;
    context.toPicture = &ToPicture;
    context.anyOwner = &g_owner;
    context.quitEventType = kQuitType;
    return context;
}

// The input events the game gets for a sequence of SDL events.
std::vector<QxInputEvent> InputOf(const std::vector<SDL_Event>& events) {
    QxInputQueue queue;
    for (const SDL_Event& event : events) {
        for (const platform::WindowMessage& message : ConvertEvent(event, Context())) {
            EXPECT_EQ(message.window, &g_owner);
            TranslateInputMessage(queue, message.message, message.first, message.second);
        }
    }
    std::vector<QxInputEvent> out;
    QxInputEvent event;
    while (queue.Take(event))
        out.push_back(event);
    return out;
}

SDL_Event Key(bool down, SDL_Keycode key, bool repeat = false) {
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.windowID = kWindowId;
    event.key.keysym.sym = key;
    event.key.repeat = repeat ? 1 : 0;
    return event;
}

SDL_Event Text(const char* utf8) {
    SDL_Event event{};
    event.type = SDL_TEXTINPUT;
    event.text.windowID = kWindowId;
    std::strncpy(event.text.text, utf8, sizeof(event.text.text) - 1);
    return event;
}

SDL_Event Motion(int x, int y) {
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.windowID = kWindowId;
    event.motion.x = x;
    event.motion.y = y;
    return event;
}

SDL_Event Button(bool down, Uint8 button) {
    SDL_Event event{};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.windowID = kWindowId;
    event.button.button = button;
    return event;
}

SDL_Event Window(SDL_WindowEventID id) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = kWindowId;
    event.window.event = static_cast<Uint8>(id);
    return event;
}

QxInputEvent Down(std::int32_t code) {
    return QxInputEvent::Make(QxInputKind::KeyDown, static_cast<std::uint32_t>(code));
}

bool Same(const std::vector<QxInputEvent>& a, const std::vector<QxInputEvent>& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].kind != b[i].kind || a[i].value != b[i].value)
            return false;
    }
    return true;
}

TEST(SdlKeyInput, TypedLatin1CharactersArriveSignExtendedAndBrokenUtf8TypesNothing) {
    // "é" (U+00E9) is the byte 0xE9, which the game reads as -23.
    EXPECT_TRUE(Same(InputOf({Text("a\xC3\xA9")}), {Down('a'), Down(-23)}));
    // Characters beyond Latin-1 have no byte and are dropped, the rest stay in order.
    EXPECT_TRUE(Same(InputOf({Text("x\xE2\x82\xAC\xF0\x9F\x99\x82y")}), {Down('x'), Down('y')}));
    // Broken or overlong UTF-8 types nothing unsafe.
    EXPECT_TRUE(InputOf({Text("\xC3")}).empty());         // cut short
    EXPECT_TRUE(InputOf({Text("\xC0\x8D")}).empty());     // an overlong carriage return
    EXPECT_TRUE(InputOf({Text("\xE0\x80\x9B")}).empty()); // an overlong escape
    EXPECT_TRUE(Same(InputOf({Text("\x80"
                                   "b")}),
                     {Down('b')}));
    // A lead byte followed by a plain letter loses only itself.
    EXPECT_TRUE(Same(InputOf({Text("\xC3"
                                   "c")}),
                     {Down('c')}));
}

TEST(SdlKeyInput, EnterEscapeBackspaceAndTabAreCharactersWithoutKeyEvents) {
    EXPECT_TRUE(Same(InputOf({Key(true, SDLK_RETURN), Key(false, SDLK_RETURN)}), {Down(13)}));
    EXPECT_TRUE(Same(InputOf({Key(true, SDLK_KP_ENTER)}), {Down(13)}));
    EXPECT_TRUE(
        Same(InputOf({Key(true, SDLK_ESCAPE), Key(true, SDLK_BACKSPACE), Key(true, SDLK_TAB)}),
             {Down(27), Down(8), Down(9)}));
    // Held Backspace repeats as the desktop repeats it.
    EXPECT_TRUE(Same(InputOf({Key(true, SDLK_BACKSPACE), Key(true, SDLK_BACKSPACE, true)}),
                     {Down(8), Down(8)}));
}

TEST(SdlKeyInput, GameKeysAreKeyCodesWithoutCharacters) {
    const auto up = QxInputEvent::Make(QxInputKind::KeyUp, QxKey::Shift);
    EXPECT_TRUE(
        Same(InputOf({Key(true, SDLK_LSHIFT), Key(false, SDLK_LSHIFT)}), {Down(QxKey::Shift), up}));
    EXPECT_TRUE(Same(InputOf({Key(true, SDLK_RSHIFT)}), {Down(261)}));
    EXPECT_TRUE(Same(InputOf({Key(true, SDLK_UP), Key(true, SDLK_DOWN), Key(true, SDLK_RIGHT),
                              Key(true, SDLK_LEFT), Key(true, SDLK_RCTRL)}),
                     {Down(QxKey::Up), Down(QxKey::Down), Down(QxKey::Right), Down(QxKey::Left),
                      Down(QxKey::Control)}));
    EXPECT_TRUE(Same(InputOf({Key(true, SDLK_F1), Key(true, SDLK_F7), Key(true, SDLK_F12)}),
                     {Down(QxKey::F1), Down(QxKey::F7), Down(QxKey::F12)}));
    EXPECT_TRUE(
        Same(InputOf({Key(true, SDLK_PAGEUP), Key(true, SDLK_PAGEDOWN), Key(true, SDLK_HOME),
                      Key(true, SDLK_END)}),
             {Down(QxKey::PageUp), Down(QxKey::PageDown), Down(QxKey::Home), Down(QxKey::End)}));
    // A held arrow repeats its key press.
    EXPECT_TRUE(Same(InputOf({Key(true, SDLK_LEFT), Key(true, SDLK_LEFT, true)}),
                     {Down(QxKey::Left), Down(QxKey::Left)}));
    // Letters come only through text input, never from their key presses.
    EXPECT_TRUE(InputOf({Key(true, SDLK_a), Key(false, SDLK_a), Key(true, SDLK_F13)}).empty());
}

TEST(SdlMouseInput, PositionsAreMappedIntoThePictureWithSignedWords) {
    // The picture's top-left corner is at (160, 0) of the window; its bottom-right
    // pixel ends at (1119, 719).
    std::vector<QxInputEvent> events = InputOf({Motion(160, 0), Motion(1119, 719), Motion(10, 5)});
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].kind, QxInputKind::MouseMove);
    EXPECT_EQ(events[0].MouseX(), 0);
    EXPECT_EQ(events[0].MouseY(), 0);
    EXPECT_EQ(events[1].MouseX(), 639);
    EXPECT_EQ(events[1].MouseY(), 479);
    // Over the left bar the position lies left of the picture: a negative x.
    EXPECT_LT(events[2].MouseX(), 0);
    EXPECT_EQ(events[2].MouseX(), (10 - 160) * 2 / 3);
}

TEST(SdlMouseInput, TheThreeButtonsPressAndReleaseAndFocusActivates) {
    const std::vector<QxInputEvent> events =
        InputOf({Button(true, SDL_BUTTON_LEFT), Button(false, SDL_BUTTON_LEFT),
                 Button(true, SDL_BUTTON_RIGHT), Button(false, SDL_BUTTON_RIGHT),
                 Button(true, SDL_BUTTON_MIDDLE), Button(false, SDL_BUTTON_MIDDLE),
                 Button(true, SDL_BUTTON_X1), Window(SDL_WINDOWEVENT_FOCUS_LOST),
                 Window(SDL_WINDOWEVENT_FOCUS_GAINED)});
    const std::vector<QxInputKind> kinds = {QxInputKind::LeftDown,    QxInputKind::LeftUp,
                                            QxInputKind::RightDown,   QxInputKind::RightUp,
                                            QxInputKind::MiddleDown,  QxInputKind::MiddleUp,
                                            QxInputKind::Deactivated, QxInputKind::Activated};
    ASSERT_EQ(events.size(), kinds.size());
    for (size_t i = 0; i < kinds.size(); ++i)
        EXPECT_EQ(events[i].kind, kinds[i]) << i;
}

TEST(SdlMouseInput, TheWheelTurnsInTheDesktopsUnitsUpPositive) {
    SDL_Event up{};
    up.type = SDL_MOUSEWHEEL;
    up.wheel.windowID = kWindowId;
    up.wheel.y = 1;
    SDL_Event flipped = up;
    flipped.wheel.y = 2;
    flipped.wheel.direction = SDL_MOUSEWHEEL_FLIPPED;
    SDL_Event sideways = up;
    sideways.wheel.y = 0;
    sideways.wheel.x = 3;
    const std::vector<QxInputEvent> events = InputOf({up, flipped, sideways});
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].kind, QxInputKind::MouseWheel);
    EXPECT_EQ(events[0].WheelTurn(), 120);
    EXPECT_EQ(events[1].WheelTurn(), -240);
}

TEST(SdlWindowInput, ClosingAndQuittingBecomeTheDesktopsMessages) {
    auto only = [](const SDL_Event& event, const SdlEventContext& context) {
        const std::vector<platform::WindowMessage> messages = ConvertEvent(event, context);
        EXPECT_EQ(messages.size(), 1u);
        return messages.empty() ? platform::WindowMessage{} : messages.front();
    };
    EXPECT_EQ(only(Window(SDL_WINDOWEVENT_CLOSE), Context()).message, platform::kMessageClose);

    // An interrupt from the terminal closes the window as the player would ...
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    platform::WindowMessage message = only(quit, Context());
    EXPECT_EQ(message.message, platform::kMessageClose);
    EXPECT_EQ(message.window, &g_owner);
    // ... and with no window left it ends the loop.
    SdlEventContext windowless = Context();
    windowless.anyOwner = nullptr;
    EXPECT_EQ(only(quit, windowless).message, platform::kMessageQuit);

    // PostQuit's own event carries the exit code, negative ones included.
    SDL_Event posted{};
    posted.type = kQuitType;
    posted.user.code = -3;
    message = only(posted, Context());
    EXPECT_EQ(message.message, platform::kMessageQuit);
    EXPECT_EQ(static_cast<std::int64_t>(message.first), -3);

    SDL_Event other{};
    other.type = SDL_USEREVENT + 9;
    EXPECT_TRUE(ConvertEvent(other, Context()).empty());
}

} // namespace
