// SDL2 events become the desktop's window messages, so the one window procedure of
// the program turns them into input events on every platform. Typed text arrives as
// SDL text input (UTF-8, turned into Latin-1 characters); Enter, Escape, Backspace and
// Tab arrive as key presses and become the characters the desktop would type.

#include <deque>

#include <SDL.h>

#include "platform/MessagePump.h"
#include "platform/sdl/SdlWindow.h"

namespace platform {
namespace {

constexpr std::uint32_t kActivateApp = 28;
constexpr std::uint32_t kKeyDown = 256;
constexpr std::uint32_t kKeyUp = 257;
constexpr std::uint32_t kMouseMove = 512;

std::deque<WindowMessage> g_messages; // main thread only
WindowProcedure g_procedure = nullptr;
Uint32 g_quitEvent = 0;

Uint32 QuitEventType() {
    if (g_quitEvent == 0)
        g_quitEvent = SDL_RegisterEvents(1);
    return g_quitEvent;
}

// Desktop virtual-key code of the keys the game reads as keys; 0 for the rest.
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
    default:
        break;
    }
    if (key >= SDLK_F1 && key <= SDLK_F12)
        return 112 + std::uint32_t(key - SDLK_F1);
    return 0;
}

// The control characters the desktop types for keys SDL reports only as keys.
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

void* OwnerOf(Uint32 windowId) {
    sdl::SdlScreenWindow* window = sdl::FindWindow(windowId);
    return window != nullptr ? window->Owner() : nullptr;
}

void Push(void* window, std::uint32_t message, std::uint64_t first, std::uint64_t second) {
    g_messages.push_back(WindowMessage{window, message, first, second});
}

void PushText(void* window, const char* text) {
    // UTF-8 to Latin-1: characters beyond 255 have no byte and are dropped.
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    while (*p != 0) {
        std::uint32_t code = 0;
        int extra = 0;
        if (*p < 0x80) {
            code = *p;
        } else if ((*p & 0xE0) == 0xC0) {
            code = *p & 0x1F;
            extra = 1;
        } else if ((*p & 0xF0) == 0xE0) {
            code = *p & 0x0F;
            extra = 2;
        } else if ((*p & 0xF8) == 0xF0) {
            code = *p & 0x07;
            extra = 3;
        } else {
            ++p; // a stray continuation byte
            continue;
        }
        ++p;
        bool valid = true;
        for (int i = 0; i < extra; ++i, ++p) {
            if ((*p & 0xC0) != 0x80) {
                valid = false;
                break;
            }
            code = (code << 6) | (*p & 0x3F);
        }
        if (valid && code >= 32 && code < 256 && code != 127)
            Push(window, kMessageChar, code, 0);
    }
}

void Convert(const SDL_Event& event) {
    switch (event.type) {
    case SDL_QUIT: {
        // Closing the window arrives as its own event (SDL is told not to turn it into a
        // quit); this one comes from the system, such as a terminal's interrupt, and
        // closes the window as the player would.
        sdl::SdlScreenWindow* window = sdl::AnyWindow();
        if (window != nullptr)
            Push(window->Owner(), kMessageClose, 0, 0);
        else
            Push(nullptr, kMessageQuit, 0, 0);
        break;
    }
    case SDL_WINDOWEVENT: {
        void* owner = OwnerOf(event.window.windowID);
        switch (event.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
            Push(owner, kMessageClose, 0, 0);
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            Push(owner, kActivateApp, 1, 0);
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            Push(owner, kActivateApp, 0, 0);
            break;
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            if (sdl::SdlScreenWindow* window = sdl::FindWindow(event.window.windowID))
                window->Redraw();
            break;
        default:
            break;
        }
        break;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        void* owner = OwnerOf(event.key.windowID);
        const bool down = event.type == SDL_KEYDOWN;
        if (std::uint32_t vk = VirtualKeyOf(event.key.keysym.sym))
            Push(owner, down ? kKeyDown : kKeyUp, vk, 0);
        else if (std::uint32_t c = ControlCharacterOf(event.key.keysym.sym); c != 0 && down)
            Push(owner, kMessageChar, c, 0);
        break;
    }
    case SDL_TEXTINPUT:
        PushText(OwnerOf(event.text.windowID), event.text.text);
        break;
    case SDL_MOUSEMOTION: {
        sdl::SdlScreenWindow* window = sdl::FindWindow(event.motion.windowID);
        int x = event.motion.x, y = event.motion.y;
        if (window != nullptr)
            window->WindowToPicture(event.motion.x, event.motion.y, &x, &y);
        const auto word = std::uint32_t(std::uint16_t(x)) | (std::uint32_t(std::uint16_t(y)) << 16);
        Push(window != nullptr ? window->Owner() : nullptr, kMouseMove, 0, word);
        break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        const bool down = event.type == SDL_MOUSEBUTTONDOWN;
        std::uint32_t message = 0;
        switch (event.button.button) {
        case SDL_BUTTON_LEFT:
            message = down ? 513 : 514;
            break;
        case SDL_BUTTON_RIGHT:
            message = down ? 516 : 517;
            break;
        case SDL_BUTTON_MIDDLE:
            message = down ? 519 : 520;
            break;
        default:
            break;
        }
        if (message != 0)
            Push(OwnerOf(event.button.windowID), message, 0, 0);
        break;
    }
    default:
        if (event.type == QuitEventType())
            Push(nullptr, kMessageQuit, std::uint64_t(std::int64_t(event.user.code)), 0);
        break;
    }
}

// Moves every waiting SDL event into the message queue.
void Drain() {
    SDL_Event event;
    while (g_messages.empty() && SDL_PollEvent(&event) != 0)
        Convert(event);
}

} // namespace

void SetWindowProcedure(WindowProcedure procedure) {
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    g_procedure = procedure;
    QuitEventType();
}

bool PeekWindowMessage() {
    Drain();
    return !g_messages.empty();
}

bool GetWindowMessage(WindowMessage& message) {
    while (g_messages.empty()) {
        SDL_Event event;
        if (SDL_WaitEvent(&event) == 0) {
            message = WindowMessage{nullptr, kMessageQuit, std::uint64_t(-1), 0};
            return false;
        }
        Convert(event);
    }
    message = g_messages.front();
    g_messages.pop_front();
    return message.message != kMessageQuit;
}

void TranslateAndDispatch(const WindowMessage& message) {
    if (g_procedure != nullptr)
        g_procedure(message.window, message.message, message.first, message.second);
}

void PostQuit(int exitCode) {
    SDL_Event event{};
    event.type = QuitEventType();
    event.user.code = exitCode;
    SDL_PushEvent(&event);
}

void WaitForMessageOrTimeout(std::uint32_t milliseconds) {
    if (!g_messages.empty())
        return;
    SDL_WaitEventTimeout(nullptr, int(milliseconds));
}

} // namespace platform
