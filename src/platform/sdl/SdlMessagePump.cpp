// The main thread's message queue on SDL2: events become the desktop's window
// messages (see SdlEvents), so the one window procedure of the program turns them into
// input events on every platform. Window exposure and resizing are handled here, as
// the desktop repaints a window without telling the program.

#include <algorithm>
#include <deque>
#include <vector>

#include <SDL.h>

#include "platform/MessagePump.h"
#include "platform/sdl/SdlDisplayWait.h"
#include "platform/sdl/SdlEvents.h"
#include "platform/sdl/SdlGamepad.h"
#include "platform/sdl/SdlWindow.h"

namespace platform {
namespace {

std::deque<WindowMessage> g_messages; // main thread only
WindowProcedure g_procedure = nullptr;
Uint32 g_quitEvent = 0;
sdl::SdlGamepads g_gamepads;
// Asking SDL for news (a pump) reads the display connection, the joysticks and their
// hot-plug monitors, a dozen system calls. The queue is pumped after every wait and,
// in a loop that does not wait (the game behind, or paused in the background), at most
// once in this time.
constexpr Uint64 kPumpIntervalMicroseconds = 4000;
bool g_waited = true;
Uint64 g_lastPump = 0; // performance counter ticks

Uint64 MicrosecondsSince(Uint64 ticks) {
    const Uint64 frequency = std::max<Uint64>(1, SDL_GetPerformanceFrequency());
    return (SDL_GetPerformanceCounter() - ticks) * 1000000 / frequency;
}

Uint32 QuitEventType() {
    if (g_quitEvent == 0) {
        g_quitEvent = SDL_RegisterEvents(1);
    }
    return g_quitEvent;
}

void* OwnerOfWindow(Uint32 windowId) {
    sdl::SdlScreenWindow* window = sdl::FindWindow(windowId);
    return window != nullptr ? window->Owner() : nullptr;
}

bool WindowToPicture(Uint32 windowId, int x, int y, int* px, int* py) {
    sdl::SdlScreenWindow* window = sdl::FindWindow(windowId);
    if (window == nullptr) {
        return false;
    }
    window->ClientToPicturePosition(x, y, px, py);
    return true;
}

void Convert(const SDL_Event& event) {
    if (event.type == SDL_WINDOWEVENT && (event.window.event == SDL_WINDOWEVENT_EXPOSED ||
                                          event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)) {
        if (sdl::SdlScreenWindow* window = sdl::FindWindow(event.window.windowID)) {
            window->Redraw();
        }
        return;
    }
    sdl::SdlEventContext context;
    context.ownerOf = &OwnerOfWindow;
    context.toPicture = &WindowToPicture;
    sdl::SdlScreenWindow* any = sdl::AnyWindow();
    context.anyOwner = any != nullptr ? any->Owner() : nullptr;
    // A pad belongs to no window; SDL reports it only while the game has the focus.
    std::vector<WindowMessage> pad;
    if (g_gamepads.Convert(event, context.anyOwner, pad)) {
        g_messages.insert(g_messages.end(), pad.begin(), pad.end());
        return;
    }
    context.quitEventType = QuitEventType();
    for (const WindowMessage& message : sdl::ConvertEvent(event, context)) {
        g_messages.push_back(message);
    }
}

// Moves every waiting SDL event into the message queue, until one becomes a message.
void Drain() {
    if (g_waited || MicrosecondsSince(g_lastPump) >= kPumpIntervalMicroseconds) {
        SDL_PumpEvents();
        g_lastPump = SDL_GetPerformanceCounter();
        g_waited = false;
    }
    SDL_Event event;
    while (g_messages.empty() &&
           SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1) {
        Convert(event);
    }
}

} // namespace

void SetWindowProcedure(WindowProcedure procedure) {
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    g_procedure = procedure;
    QuitEventType();
    // The pads start once the program (and with it its log) is there.
    if (procedure != nullptr) {
        g_gamepads.Start();
    } else {
        g_gamepads.Stop();
    }
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
        g_lastPump = SDL_GetPerformanceCounter(); // SDL pumped to answer
        Convert(event);
    }
    message = g_messages.front();
    g_messages.pop_front();
    return message.message != kMessageQuit;
}

void TranslateAndDispatch(const WindowMessage& message) {
    if (g_procedure != nullptr) {
        g_procedure(message.window, message.message, message.first, message.second);
    }
}

void PostQuit(int exitCode) {
    SDL_Event event{};
    event.type = QuitEventType();
    event.user.code = exitCode;
    SDL_PushEvent(&event);
}

void WaitForMessageOrTimeout(std::chrono::microseconds timeout) {
    g_waited = true;
    if (!g_messages.empty() || SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT)) {
        return;
    }
    const Uint64 start = SDL_GetPerformanceCounter();
    for (;;) {
        // A picture held back for the display's next period goes out when that
        // begins, unless the caller's next frame, due when the time is up, shows a
        // newer one just after.
        const auto left = timeout - std::chrono::microseconds(MicrosecondsSince(start));
        const std::chrono::microseconds picture = sdl::ShowWaitingPictures(left);
        if (left.count() <= 0) {
            return;
        }
        const auto step = std::min(left, picture);
        sdl::SdlScreenWindow* window = sdl::AnyWindow();
        switch (sdl::WaitForDisplayInput(window != nullptr ? window->Handle() : nullptr, step)) {
        case sdl::DisplayWait::Input:
            return;
        case sdl::DisplayWait::TimedOut:
            break;
        case sdl::DisplayWait::Unsupported:
            // Whole milliseconds, rounded up so as not to wake before the time.
            if (SDL_WaitEventTimeout(nullptr, int((step.count() + 999) / 1000)) != 0) {
                return;
            }
            break;
        }
    }
}

} // namespace platform
