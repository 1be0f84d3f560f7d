// Typed text arrives as SDL text input (UTF-8, turned into Latin-1 characters); Enter,
// Escape, Backspace and Tab arrive only as key presses and become the characters the
// desktop would type for them. Key repeats stay key presses, as the desktop repeats
// them.

#include "platform/sdl/SdlEvents.h"

#include <algorithm>

#include "platform/Latin1.h"

namespace platform::sdl {
namespace {

constexpr int kWheelNotch = 120; // the desktop's unit of a wheel turn

void* OwnerOf(const SdlEventContext& context, Uint32 windowId) {
    return context.ownerOf != nullptr ? context.ownerOf(windowId) : nullptr;
}

std::uint32_t MouseButtonMessage(Uint8 button, bool down) {
    switch (button) {
    case SDL_BUTTON_LEFT:
        return down ? InputMessage::LeftButtonDown : InputMessage::LeftButtonUp;
    case SDL_BUTTON_RIGHT:
        return down ? InputMessage::RightButtonDown : InputMessage::RightButtonUp;
    case SDL_BUTTON_MIDDLE:
        return down ? InputMessage::MiddleButtonDown : InputMessage::MiddleButtonUp;
    default:
        return 0;
    }
}

// The desktop's position word: x in the low and y in the high signed 16-bit half.
std::uint64_t PositionWord(int x, int y) {
    return std::uint32_t(std::uint16_t(x)) | (std::uint32_t(std::uint16_t(y)) << 16);
}

} // namespace

std::uint32_t VirtualKeyOf(SDL_Keycode key) {
    switch (key) {
    case SDLK_UP:
        return 38;
    case SDLK_DOWN:
        return 40;
    case SDLK_RIGHT:
        return 39;
    case SDLK_LEFT:
        return 37;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
        return 17;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
        return 16;
    case SDLK_PAGEUP:
        return 33;
    case SDLK_PAGEDOWN:
        return 34;
    case SDLK_END:
        return 35;
    case SDLK_HOME:
        return 36;
    default:
        break;
    }
    if (key >= SDLK_F1 && key <= SDLK_F12) {
        return 112 + std::uint32_t(key - SDLK_F1);
    }
    return 0;
}

std::uint32_t ControlCharacterOf(SDL_Keycode key) {
    switch (key) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return 13;
    case SDLK_ESCAPE:
        return 27;
    case SDLK_BACKSPACE:
        return 8;
    case SDLK_TAB:
        return 9;
    default:
        return 0;
    }
}

std::vector<WindowMessage> ConvertEvent(const SDL_Event& event, const SdlEventContext& context) {
    std::vector<WindowMessage> out;
    auto push = [&out](void* window, std::uint32_t message, std::uint64_t first,
                       std::uint64_t second) {
        out.push_back(WindowMessage{window, message, first, second});
    };
    switch (event.type) {
    case SDL_QUIT:
        // Closing the window arrives as its own event (SDL is told not to turn it into a
        // quit); this one comes from the system, such as a terminal's interrupt, and
        // closes the window as the player would.
        if (context.anyOwner != nullptr) {
            push(context.anyOwner, kMessageClose, 0, 0);
        } else {
            push(nullptr, kMessageQuit, 0, 0);
        }
        break;
    case SDL_WINDOWEVENT: {
        void* owner = OwnerOf(context, event.window.windowID);
        switch (event.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
            push(owner, kMessageClose, 0, 0);
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            push(owner, InputMessage::ActivateApp, 1, 0);
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            push(owner, InputMessage::ActivateApp, 0, 0);
            break;
        default:
            break;
        }
        break;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        void* owner = OwnerOf(context, event.key.windowID);
        const bool down = event.type == SDL_KEYDOWN;
        if (std::uint32_t vk = VirtualKeyOf(event.key.keysym.sym)) {
            push(owner, down ? InputMessage::KeyDown : InputMessage::KeyUp, vk, 0);
        } else if (std::uint32_t c = ControlCharacterOf(event.key.keysym.sym); c != 0 && down) {
            push(owner, kMessageChar, c, 0);
        } else if (const SDL_Keycode key = event.key.keysym.sym;
                   down && (event.key.keysym.mod & KMOD_CTRL) != 0 && key >= SDLK_a &&
                   key <= SDLK_z) {
            // Control and a letter types its control character, as on the desktop the
            // game came from (Ctrl+Z is 26); SDL sends no text for it.
            push(owner, kMessageChar, std::uint32_t(key - SDLK_a + 1), 0);
        }
        break;
    }
    case SDL_TEXTINPUT: {
        void* owner = OwnerOf(context, event.text.windowID);
        for (std::uint32_t c : Latin1Characters(event.text.text)) {
            push(owner, kMessageChar, c, 0);
        }
        break;
    }
    case SDL_MOUSEMOTION: {
        int x = event.motion.x, y = event.motion.y;
        if (context.toPicture != nullptr) {
            context.toPicture(event.motion.windowID, event.motion.x, event.motion.y, &x, &y);
        }
        push(OwnerOf(context, event.motion.windowID), InputMessage::MouseMove, 0,
             PositionWord(x, y));
        break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        if (std::uint32_t message =
                MouseButtonMessage(event.button.button, event.type == SDL_MOUSEBUTTONDOWN)) {
            push(OwnerOf(context, event.button.windowID), message, 0, 0);
        }
        break;
    case SDL_MOUSEWHEEL: {
        // Notches up (away from the player) are positive, as on the desktop; a
        // "flipped" wheel reports them the other way round.
        int notches = event.wheel.y;
        if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) {
            notches = -notches;
        }
        const int turn = std::clamp(notches * kWheelNotch, -32768, 32767);
        if (turn != 0) {
            push(OwnerOf(context, event.wheel.windowID), InputMessage::MouseWheel,
                 std::uint64_t(std::uint16_t(std::int16_t(turn))) << 16, 0);
        }
        break;
    }
    default:
        if (context.quitEventType != 0 && event.type == context.quitEventType) {
            push(nullptr, kMessageQuit, std::uint64_t(std::int64_t(event.user.code)), 0);
        }
        break;
    }
    return out;
}

} // namespace platform::sdl
