#pragma once
// Threads through the standard library, for the bindings whose system offers nothing
// better; the Win32 binding starts its own.

#include <system_error>
#include <thread>

#include "platform/Platform.h"

namespace platform {

// StartThread over std::thread: false for a null entry or when no thread can start.
inline bool StartStdThread(ThreadEntry entry, void* argument) {
    if (entry == nullptr) {
        return false;
    }
    try {
        std::thread(entry, argument).detach();
        return true;
    } catch (const std::system_error&) {
        return false;
    }
}

} // namespace platform
