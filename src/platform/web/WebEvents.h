#pragma once
// Browser key events as the desktop's window messages: the game's keys as key presses,
// Enter, Escape, Backspace and Tab as the characters the desktop types for them, and a
// key that types one character as that character (Latin-1). Pure functions of the
// event's DOM `key` and `keyCode`, so they are checked without a browser.

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

} // namespace platform::web
