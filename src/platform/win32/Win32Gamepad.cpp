// XInput is loaded when a window first has the focus, not linked, so the game starts
// where it is missing (it then logs that once and goes on without pads). Asking an empty
// slot is slow, so an empty slot is asked again only every two seconds: a pad plugged
// in is picked up within that time, one pulled out lets go of its keys at once.

#include "platform/win32/Win32Gamepad.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <vector>

#include "engine/files/QxLog.h"
#include "platform/Gamepad.h"
#include "platform/Platform.h"
#include "platform/win32/Win32Window.h"

namespace platform::win32 {
namespace {

// XInput's records as its header declares them; declared here so the build needs
// neither that header nor an import library.
struct XInputGamepad {
    WORD buttons;
    BYTE leftTrigger;
    BYTE rightTrigger;
    SHORT thumbLX;
    SHORT thumbLY;
    SHORT thumbRX;
    SHORT thumbRY;
};

struct XInputState {
    DWORD packetNumber;
    XInputGamepad gamepad;
};

using GetStateFunction = DWORD(WINAPI*)(DWORD, XInputState*);

constexpr WORD kDpadUp = 0x0001;
constexpr WORD kDpadDown = 0x0002;
constexpr WORD kDpadLeft = 0x0004;
constexpr WORD kDpadRight = 0x0008;
constexpr WORD kStart = 0x0010;
constexpr WORD kButtonA = 0x1000;
constexpr WORD kButtonB = 0x2000;

constexpr std::uint32_t kReadPeriod = 10; // ms, the game's shortest frame
constexpr std::uint32_t kEmptySlotPeriod = 2000;

struct Slot {
    bool connected = false;
    bool asked = false;
    std::uint32_t lastAsked = 0;
    GamepadKeys keys;
};

struct Pads {
    bool loaded = false;
    GetStateFunction getState = nullptr;
    bool read = false;
    std::uint32_t lastRead = 0;
    std::array<Slot, 4> slots; // XInput's four user slots
};

Pads g_pads; // main thread only

GetStateFunction LoadGetState() {
    // 1.4 comes with Windows 8 and later, 9.1.0 with Windows 7.
    for (const char* name : {"xinput1_4.dll", "xinput9_1_0.dll"}) {
        HMODULE module = LoadLibraryA(name);
        if (module == nullptr) {
            continue;
        }
        if (FARPROC proc = GetProcAddress(module, "XInputGetState")) {
            return reinterpret_cast<GetStateFunction>(reinterpret_cast<void (*)()>(proc));
        }
        FreeLibrary(module);
    }
    LogPrintf("Gamepads - none: XInput is missing");
    return nullptr;
}

GamepadState Read(const XInputGamepad& pad) {
    GamepadState state;
    state.up = (pad.buttons & kDpadUp) != 0;
    state.down = (pad.buttons & kDpadDown) != 0;
    state.left = (pad.buttons & kDpadLeft) != 0;
    state.right = (pad.buttons & kDpadRight) != 0;
    state.a = (pad.buttons & kButtonA) != 0;
    state.b = (pad.buttons & kButtonB) != 0;
    state.start = (pad.buttons & kStart) != 0;
    state.stickX = pad.thumbLX;
    state.stickY = -int(pad.thumbLY); // XInput's y points up
    return state;
}

} // namespace

void PollGamepads() {
    const std::uint32_t now = TickMilliseconds();
    if (g_pads.read && now - g_pads.lastRead < kReadPeriod) {
        return;
    }
    // XInput reads a pad whichever program has the focus; only the game's window
    // takes it.
    const HWND active = GetActiveWindow();
    if (active == nullptr || WindowOf(active) == nullptr) {
        return;
    }
    g_pads.read = true;
    g_pads.lastRead = now;
    if (!g_pads.loaded) {
        g_pads.loaded = true;
        g_pads.getState = LoadGetState();
    }
    if (g_pads.getState == nullptr) {
        return;
    }
    for (DWORD user = 0; user < g_pads.slots.size(); ++user) {
        Slot& slot = g_pads.slots[user];
        if (!slot.connected && slot.asked && now - slot.lastAsked < kEmptySlotPeriod) {
            continue;
        }
        slot.asked = true;
        slot.lastAsked = now;
        XInputState state{};
        const bool connected = g_pads.getState(user, &state) == ERROR_SUCCESS;
        std::vector<WindowMessage> messages;
        if (connected) {
            messages = slot.keys.Update(Read(state.gamepad), nullptr);
        } else if (slot.connected) {
            messages = slot.keys.Release(nullptr);
        }
        slot.connected = connected;
        // Posted, they pass TranslateMessage and the window procedure as typed keys do.
        for (const WindowMessage& message : messages) {
            PostMessageA(active, message.message, WPARAM(message.first), LPARAM(message.second));
        }
    }
}

} // namespace platform::win32
