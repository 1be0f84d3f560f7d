#pragma once
// Browser key events as the desktop's window messages: the game's keys as key presses,
// Enter, Escape, Backspace and Tab as the characters the desktop types for them, and a
// key that types one character as that character (Latin-1). Pure functions of the
// event's DOM `key`, `keyCode` and modifiers, so they are checked without a browser.

#include <cstdint>
#include <vector>

#include "platform/MessagePump.h"

namespace platform::web {

// The desktop virtual key of a DOM keyCode for the keys the game reads as keys (the
// arrows, Control, Shift, Page Up and Down, Home, End, F1 to F12); 0 for the rest.
std::uint32_t VirtualKeyOf(std::uint32_t keyCode);

// The messages one key event stands for, addressed to owner, in order.
std::vector<WindowMessage> KeyMessages(void* owner, const char* key, std::uint32_t keyCode,
                                       bool down);

// One DOM key event.
struct KeyEvent {
    const char* key = "";
    std::uint32_t keyCode = 0;
    bool down = false;
    bool shortcut = false; // Control, Alt or Meta held
};

struct KeyHandling {
    std::vector<WindowMessage> messages;
    // The page keeps the key from the browser (no scrolling, no focus change, no
    // going back).
    bool keepFromBrowser = false;
};

// What the page does with a key event. The game's keys are its own; reload (F5), the
// browser's full screen (F11) and its tools (F12) stay the browser's, and a key with
// Control, Alt or Meta is the browser's shortcut: the game sees only the key itself, as
// the desktop types no character for it.
KeyHandling HandleKey(void* owner, const KeyEvent& event);

} // namespace platform::web
