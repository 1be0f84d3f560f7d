#pragma once
// Turns the window's input messages into input events. Every binding feeds these
// functions with desktop-style values (virtual keys, character bytes, position words),
// so all of them produce exactly the same events.

#include <cstdint>

#include "app/QxInputQueue.h"

// The virtual keys the key table knows.
struct QxVirtualKey {
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

// The window messages the translation handles.
struct QxWindowMessage {
    enum : std::uint32_t {
        ActivateApp = 28,
        KeyDown = 256,
        KeyUp = 257,
        Char = 258,
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

// The key code for a virtual key of the table, or 0 for every other key.
std::int32_t KeyCodeFromVirtualKey(std::uint32_t virtualKey);

// KeyDown or KeyUp with the key's code; keys outside the table queue nothing (their
// characters arrive through QueueCharacter). True when an event was queued.
bool QueueKey(QxInputQueue& queue, bool down, std::uint32_t virtualKey);

// KeyDown with the low byte of the character sign-extended (0xE9 becomes -23).
void QueueCharacter(QxInputQueue& queue, std::uint32_t character);

// MouseMove from a position word: x in the low, y in the high signed 16-bit half.
void QueueMouseMove(QxInputQueue& queue, std::uint32_t positionWord);

// MouseWheel with the signed turn in the high word of the parameter.
void QueueMouseWheel(QxInputQueue& queue, std::uint32_t wheelParameter);

// Activated, or Deactivated when the low word of the parameter is 0.
void QueueActivation(QxInputQueue& queue, std::uint32_t activeParameter);

// Any of the messages above with its two parameters. True when the message is one of
// them (the window answers 1 without default processing), false for every other
// message, which the caller passes on.
bool TranslateInputMessage(QxInputQueue& queue, std::uint32_t message, std::uint64_t firstParameter,
                           std::uint64_t secondParameter);
