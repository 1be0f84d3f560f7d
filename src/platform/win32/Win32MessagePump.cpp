// The thread's Win32 message queue. The message taken last is kept whole, so that
// dispatching it goes through TranslateMessage (which types WM_CHAR) and the window's
// own procedure, which hands it on to the program's.

#include <windows.h>

#include <algorithm>
#include <atomic>

#include "platform/win32/Win32Gamepad.h"
#include "platform/win32/Win32Window.h"

namespace platform {
namespace {

WindowProcedure g_procedure = nullptr; // main thread only
MSG g_last{};
bool g_haveLast = false;
std::atomic<DWORD> g_mainThread{0};

} // namespace

namespace win32 {
WindowProcedure CurrentWindowProcedure() {
    return g_procedure;
}
} // namespace win32

void SetWindowProcedure(WindowProcedure procedure) {
    g_procedure = procedure;
    g_mainThread = GetCurrentThreadId();
}

bool PeekWindowMessage() {
    // The loop peeks before every frame, so the pads are read at the frame rate.
    win32::PollGamepads();
    MSG message;
    return PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE) != FALSE;
}

bool GetWindowMessage(WindowMessage& message) {
    const BOOL result = GetMessageA(&g_last, nullptr, 0, 0);
    g_haveLast = result > 0;
    if (result == -1) {
        message = WindowMessage{nullptr, kMessageQuit, std::uint64_t(-1), 0};
        return false;
    }
    win32::Win32ScreenWindow* window = win32::WindowOf(g_last.hwnd);
    message.window = window != nullptr ? window->Owner() : nullptr;
    message.message = g_last.message;
    // The exit code of WM_QUIT is a signed int in the first parameter.
    message.first = g_last.message == WM_QUIT ? std::uint64_t(std::int64_t(int(g_last.wParam)))
                                              : std::uint64_t(g_last.wParam);
    message.second = std::uint64_t(g_last.lParam);
    return result > 0;
}

void TranslateAndDispatch(const WindowMessage& message) {
    if (g_haveLast && message.message == g_last.message &&
        message.second == std::uint64_t(g_last.lParam)) {
        g_haveLast = false;
        TranslateMessage(&g_last);
        DispatchMessageA(&g_last);
        return;
    }
    // A message the program made itself goes straight to its procedure.
    if (g_procedure != nullptr) {
        g_procedure(message.window, message.message, message.first, message.second);
    }
}

void PostQuit(int exitCode) {
    const DWORD thread = g_mainThread;
    if (thread == 0 || thread == GetCurrentThreadId()) {
        PostQuitMessage(exitCode);
    } else {
        PostThreadMessageA(thread, WM_QUIT, WPARAM(exitCode), 0);
    }
}

void WaitForMessageOrTimeout(std::chrono::microseconds timeout) {
    const auto milliseconds = std::clamp<std::int64_t>((timeout.count() + 999) / 1000, 0, 1000);
    MsgWaitForMultipleObjectsEx(0, nullptr, DWORD(milliseconds), QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

} // namespace platform
