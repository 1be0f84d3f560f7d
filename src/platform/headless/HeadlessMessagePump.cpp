// Headless message queue: a plain first-in first-out list that tests and the headless
// runner fill, with the desktop's key translation and a wait that can drive the
// manual clock.

#include <algorithm>
#include <deque>
#include <mutex>

#include "platform/Platform.h"
#include "platform/headless/Headless.h"
#include "platform/headless/HeadlessMessages.h"

namespace platform {
namespace {

std::mutex g_lock; // the queue may be posted to from any thread (PostQuit)
std::deque<WindowMessage> g_messages;
WindowProcedure g_procedure = nullptr;
bool g_shiftHeld = false; // main thread only, like the desktop's keyboard state
std::deque<std::int64_t> g_idleSteps;
std::int64_t g_repeatingStep = 0;
std::int64_t g_microRemainder = 0; // sub-millisecond time not yet on the tick

// The character a key press types, as the desktop's translation gives it on a plain
// keyboard layout; 0 for keys that type nothing.
std::uint32_t CharacterOfKey(std::uint32_t virtualKey, bool shift) {
    switch (virtualKey) {
    case 8:  // backspace
    case 9:  // tab
    case 13: // enter
    case 27: // escape
    case 32: // space
        return virtualKey;
    default:
        break;
    }
    if (virtualKey >= '0' && virtualKey <= '9') {
        return virtualKey;
    }
    if (virtualKey >= 'A' && virtualKey <= 'Z') {
        return shift ? virtualKey : virtualKey - 'A' + 'a';
    }
    return 0;
}

} // namespace

void SetWindowProcedure(WindowProcedure procedure) {
    std::lock_guard lock(g_lock);
    g_procedure = procedure;
}

bool PeekWindowMessage() {
    std::lock_guard lock(g_lock);
    return !g_messages.empty();
}

bool GetWindowMessage(WindowMessage& message) {
    for (;;) {
        {
            std::lock_guard lock(g_lock);
            if (!g_messages.empty()) {
                message = g_messages.front();
                g_messages.pop_front();
                return message.message != kMessageQuit;
            }
        }
        // Only another thread can post now; give it the chance.
        SleepMilliseconds(1);
    }
}

void TranslateAndDispatch(const WindowMessage& message) {
    WindowProcedure procedure = nullptr;
    {
        std::lock_guard lock(g_lock);
        procedure = g_procedure;
        if (message.message == InputMessage::KeyDown || message.message == InputMessage::KeyUp) {
            const auto key = static_cast<std::uint32_t>(message.first);
            if (key == VirtualKey::Shift) {
                g_shiftHeld = message.message == InputMessage::KeyDown;
            } else if (message.message == InputMessage::KeyDown) {
                if (std::uint32_t c = CharacterOfKey(key, g_shiftHeld)) {
                    // The character is the next message, before anything posted later.
                    g_messages.push_front(WindowMessage{message.window, kMessageChar, c, 0});
                }
            }
        }
    }
    if (procedure != nullptr) {
        procedure(message.window, message.message, message.first, message.second);
    }
}

void PostQuit(int exitCode) {
    headless::PostWindowMessage(nullptr, kMessageQuit,
                                static_cast<std::uint64_t>(static_cast<std::int64_t>(exitCode)), 0);
}

void WaitForMessageOrTimeout(std::chrono::microseconds timeout) {
    std::int64_t step = 0;
    {
        std::lock_guard lock(g_lock);
        if (!g_messages.empty()) {
            return;
        }
        if (!g_idleSteps.empty()) {
            step = g_idleSteps.front();
            g_idleSteps.pop_front();
        } else {
            step = g_repeatingStep;
        }
    }
    if (step > 0) {
        headless::AdvanceManualClockMicroseconds(step);
    } else {
        const auto milliseconds = std::max<std::int64_t>(1, (timeout.count() + 999) / 1000);
        SleepMilliseconds(static_cast<std::uint32_t>(std::min<std::int64_t>(milliseconds, 1000)));
    }
}

namespace headless {

void PostWindowMessage(void* window, std::uint32_t message, std::uint64_t first,
                       std::uint64_t second) {
    std::lock_guard lock(g_lock);
    g_messages.push_back(WindowMessage{window, message, first, second});
}

void PostKeyPress(void* window, std::uint32_t virtualKey) {
    PostWindowMessage(window, InputMessage::KeyDown, virtualKey, 0);
}

void PostKeyRelease(void* window, std::uint32_t virtualKey) {
    PostWindowMessage(window, InputMessage::KeyUp, virtualKey, 0);
}

void PostCharacter(void* window, std::uint32_t character) {
    PostWindowMessage(window, kMessageChar, character, 0);
}

void PostMouseMove(void* window, int x, int y) {
    const auto word = static_cast<std::uint32_t>(static_cast<std::uint16_t>(x)) |
                      (static_cast<std::uint32_t>(static_cast<std::uint16_t>(y)) << 16);
    PostWindowMessage(window, InputMessage::MouseMove, 0, word);
}

void PostLeftButton(void* window, bool down) {
    PostWindowMessage(window, down ? InputMessage::LeftButtonDown : InputMessage::LeftButtonUp, 0,
                      0);
}

void ClearWindowMessages() {
    std::lock_guard lock(g_lock);
    g_messages.clear();
    g_shiftHeld = false;
}

void QueueIdleSteps(const std::vector<std::int64_t>& microseconds) {
    std::lock_guard lock(g_lock);
    g_idleSteps.insert(g_idleSteps.end(), microseconds.begin(), microseconds.end());
}

void SetRepeatingIdleStep(std::int64_t microseconds) {
    std::lock_guard lock(g_lock);
    g_repeatingStep = microseconds > 0 ? microseconds : 0;
}

void ClearIdleSteps() {
    std::lock_guard lock(g_lock);
    g_idleSteps.clear();
    g_repeatingStep = 0;
    g_microRemainder = 0;
}

void AdvanceManualClockMicroseconds(std::int64_t microseconds) {
    if (microseconds <= 0) {
        return;
    }
    std::int64_t frequency = 0;
    if (HighResolutionFrequency(frequency) && frequency > 0) {
        SetManualCounter(HighResolutionCounter() + microseconds * frequency / 1000000);
    }
    std::int64_t whole = 0;
    {
        std::lock_guard lock(g_lock);
        g_microRemainder += microseconds;
        whole = g_microRemainder / 1000;
        g_microRemainder %= 1000;
    }
    SetManualTick(TickMilliseconds() + static_cast<std::uint32_t>(whole));
}

} // namespace headless
} // namespace platform
