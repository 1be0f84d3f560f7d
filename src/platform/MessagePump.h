#pragma once
// The window message queue of the main thread. Messages carry desktop message
// numbers and parameters (WM_KEYDOWN 256 with a virtual key, WM_MOUSEMOVE 512 with a
// position word, ...), whatever the binding, so every binding hands them to the same
// window procedure, which turns them into input events.
//
// The main loop peeks, gets and dispatches; the window procedure is registered once
// by the program. Dispatching first translates the message as the desktop does: a key
// press that types a character is followed by a WM_CHAR message of that character.

#include <chrono>
#include <cstdint>

namespace platform {

struct WindowMessage {
    // The owner of the window the message is for: what WindowOptions::owner named when
    // the window was made (the screen). Null for messages of the thread itself.
    void* window = nullptr;
    std::uint32_t message = 0;
    std::uint64_t first = 0;  // the desktop's wParam
    std::uint64_t second = 0; // the desktop's lParam
};

// Message numbers the pump itself deals in, beside the input messages.
constexpr std::uint32_t kMessagePaint = 15; // the window lost its contents
constexpr std::uint32_t kMessageClose = 16; // the user closes the window
constexpr std::uint32_t kMessageQuit = 18;  // ends the loop; first = exit code
constexpr std::uint32_t kMessageChar = 258; // produced by translation

// The input messages, as the desktop numbers them.
struct InputMessage {
    enum : std::uint32_t {
        ActivateApp = 28,
        KeyDown = 256,
        KeyUp = 257,
        Char = kMessageChar,
        MouseMove = 512,
        LeftButtonDown = 513,
        LeftButtonUp = 514,
        RightButtonDown = 516,
        RightButtonUp = 517,
        MiddleButtonDown = 519,
        MiddleButtonUp = 520,
        MouseWheel = 522, // the turn in the high half of the first parameter
    };
};

// The desktop's virtual keys that the bindings and the key table name.
struct VirtualKey {
    enum : std::uint32_t {
        Shift = 16,
        Control = 17,
        PageUp = 33,
        PageDown = 34,
        End = 35,
        Home = 36,
        Left = 37,
        Up = 38,
        Right = 39,
        Down = 40,
        F1 = 112,
        F12 = 123,
    };
};

// Answers true when it handled the message (the desktop answer 1, no default
// processing); false lets the binding do its default processing.
using WindowProcedure = bool (*)(void* window, std::uint32_t message, std::uint64_t first,
                                 std::uint64_t second);

// The procedure every dispatched message goes to (null: none, default processing only).
void SetWindowProcedure(WindowProcedure procedure);

// True when a message waits; it stays in the queue.
bool PeekWindowMessage();

// Takes the next message, waiting for one when none waits. False for the quit message
// (or a failure): the message's first parameter then holds the exit code.
bool GetWindowMessage(WindowMessage& message);

// Translates the message (a character key press also queues its WM_CHAR) and hands it
// to the window procedure.
void TranslateAndDispatch(const WindowMessage& message);

// Queues the quit message with the exit code; may be called from any thread.
void PostQuit(int exitCode);

// Returns when a message arrives or after about the given time, whichever comes first;
// the idle loop calls it instead of spinning while it waits for the next frame, which
// is due when the time is up. Where the system's waits count in milliseconds, the time
// is rounded up to them.
void WaitForMessageOrTimeout(std::chrono::microseconds timeout);

} // namespace platform
