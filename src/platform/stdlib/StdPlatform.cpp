// What the Linux desktop and the browser both take from the C++ library: the clocks,
// the thread start, and the process priority, which a player's program may not raise.

#include <chrono>

#include "platform/Platform.h"
#include "platform/ScreenBinding.h"
#include "platform/StdThread.h"

namespace platform {

std::uint32_t TickMilliseconds() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

bool HighResolutionFrequency(std::int64_t& countsPerSecond) {
    countsPerSecond = 1000000000;
    return true;
}

std::int64_t HighResolutionCounter() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
}

bool StartThread(ThreadEntry entry, void* argument) {
    return StartStdThread(entry, argument);
}

namespace {
bool g_highPriority = false;
}

void SetProcessHighPriority(bool on) {
    // Raising the priority needs privileges a player does not have; remember the wish.
    g_highPriority = on;
}

bool IsProcessHighPriority() {
    return g_highPriority;
}

} // namespace platform
