#pragma once
// Controls of the headless message queue, for tests and the headless runner. Nothing
// produces messages on its own: whatever the caller posts is what the loop sees.
//
// Waiting: WaitForMessageOrTimeout returns at once when a message waits. Otherwise,
// when idle steps are set it moves the manual clock on by the next step (see
// Headless.h) instead of waiting, so a loop over the manual clock advances by exactly
// the steps given; without steps it sleeps (SleepMilliseconds) for the time asked.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/MessagePump.h"

namespace platform::headless {

// Appends a message for the window whose owner is `window` (null: a thread message).
void PostWindowMessage(void* window, std::uint32_t message, std::uint64_t first = 0,
                       std::uint64_t second = 0);

// Convenience forms with the desktop's parameters.
void PostKeyPress(void* window, std::uint32_t virtualKey);   // WM_KEYDOWN
void PostKeyRelease(void* window, std::uint32_t virtualKey); // WM_KEYUP
void PostCharacter(void* window, std::uint32_t character);   // WM_CHAR
void PostMouseMove(void* window, int x, int y);              // WM_MOUSEMOVE
void PostLeftButton(void* window, bool down);                // WM_LBUTTONDOWN / UP

// Drops every waiting message and the translation's shift state.
void ClearWindowMessages();

// Each wait without a waiting message moves the manual clock on by the next of these
// steps (microseconds); once they are used up, by the repeating step.
void QueueIdleSteps(const std::vector<std::int64_t>& microseconds);
// 0 (the default) turns the repeating step off: waits sleep instead.
void SetRepeatingIdleStep(std::int64_t microseconds);
// Forgets queued steps and the repeating step.
void ClearIdleSteps();

// Moves the manual clock on: the counter by the exact time, the millisecond tick by
// the whole milliseconds accumulated so far.
void AdvanceManualClockMicroseconds(std::int64_t microseconds);

} // namespace platform::headless
