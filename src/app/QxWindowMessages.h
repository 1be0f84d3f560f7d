#pragma once
// Turns the window's input messages into input events. Every binding feeds these
// functions with desktop-style values (virtual keys, character bytes, position words),
// so all of them produce exactly the same events.

#include <cstdint>

#include "app/QxInputQueue.h"
#include "platform/MessagePump.h"

// The desktop's virtual keys the key table knows, and the window messages the
// translation handles; the platform's message pump deals in the same numbers.
using QxVirtualKey = platform::VirtualKey;
using QxWindowMessage = platform::InputMessage;

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
