#include "platform/web/WebEvents.h"

#include <cstring>

#include "platform/Latin1.h"

namespace platform::web {
namespace {

std::uint32_t ControlCharacterOf(std::uint32_t keyCode) {
    switch (keyCode) {
    case 13: // Enter
    case 27: // Escape
    case 8:  // Backspace
    case 9:  // Tab
        return keyCode;
    default:
        return 0;
    }
}

// True when the UTF-8 text is exactly one character ("a", "é"), not a key name such as
// "ArrowLeft" or "Dead".
bool IsOneCharacter(const char* text) {
    if (text == nullptr || *text == 0) {
        return false;
    }
    std::size_t length = 1;
    const auto lead = static_cast<unsigned char>(*text);
    if (lead >= 0xF0) {
        length = 4;
    } else if (lead >= 0xE0) {
        length = 3;
    } else if (lead >= 0xC0) {
        length = 2;
    }
    return std::strlen(text) == length;
}

} // namespace

std::uint32_t VirtualKeyOf(std::uint32_t keyCode) {
    // The DOM numbers these keys as the desktop does.
    const bool gameKey = (keyCode >= VirtualKey::Left && keyCode <= VirtualKey::Down) ||
                         keyCode == VirtualKey::Control || keyCode == VirtualKey::Shift ||
                         (keyCode >= VirtualKey::PageUp && keyCode <= VirtualKey::Home) ||
                         (keyCode >= VirtualKey::F1 && keyCode <= VirtualKey::F12);
    return gameKey ? keyCode : 0;
}

std::vector<WindowMessage> KeyMessages(void* owner, const char* key, std::uint32_t keyCode,
                                       bool down) {
    std::vector<WindowMessage> messages;
    if (const std::uint32_t vk = VirtualKeyOf(keyCode); vk != 0) {
        messages.push_back({owner, down ? InputMessage::KeyDown : InputMessage::KeyUp, vk, 0});
    } else if (const std::uint32_t c = ControlCharacterOf(keyCode); c != 0) {
        if (down) {
            messages.push_back({owner, kMessageChar, c, 0});
        }
    } else if (down && IsOneCharacter(key)) {
        for (const std::uint32_t typed : Latin1Characters(key)) {
            messages.push_back({owner, kMessageChar, typed, 0});
        }
    }
    return messages;
}

KeyHandling HandleKey(void* owner, const KeyEvent& event) {
    KeyHandling handling;
    const std::uint32_t keyCode = event.keyCode;
    if (keyCode == 116 || keyCode == 122 || keyCode == 123) { // F5, F11, F12
        return handling;
    }
    if (event.shortcut) {
        if (const std::uint32_t vk = VirtualKeyOf(keyCode); vk != 0) {
            handling.messages.push_back(
                {owner, event.down ? InputMessage::KeyDown : InputMessage::KeyUp, vk, 0});
        } else if (keyCode == 'Z' || keyCode == 'Y') {
            // The editor's undo and redo: the control characters the desktop types. The
            // page has nothing of its own to undo, so the browser does not miss them.
            if (event.down) {
                handling.messages.push_back({owner, kMessageChar, keyCode - 'A' + 1, 0});
            }
            handling.keepFromBrowser = true;
        }
        return handling;
    }
    handling.messages = KeyMessages(owner, event.key, keyCode, event.down);
    // A release keeps what its press kept, though it may carry no message.
    handling.keepFromBrowser = !KeyMessages(owner, event.key, keyCode, true).empty();
    return handling;
}

} // namespace platform::web
