// Browser binding: clocks and threads as on the desktop, the registry file and the data
// folder under the storage mount (IndexedDB-backed files that survive a reload; see
// WebStorage), and new pages in a new tab. The game runs on a thread of its own, so
// whatever needs the page itself is run on the browser's thread.

#include <chrono>
#include <filesystem>
#include <string>
#include <system_error>

#include <emscripten/emscripten.h>

#include "platform/Platform.h"
#include "platform/StdThread.h"
#include "platform/fileregistry/FileRegistry.h"
#include "platform/web/WebRuntime.h"
#include "platform/web/WebStorage.h"

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

void SleepMilliseconds(std::uint32_t milliseconds) {
    web::IdleSleep(milliseconds);
}

bool StartThread(ThreadEntry entry, void* argument) {
    return StartStdThread(entry, argument);
}

std::string FileRegistryPath() {
    return web::StorageFolder() + "/registry.txt";
}

std::string GetSpecialFolder(SpecialFolder, bool create) {
    // One player per browser profile: the scores live beside the settings.
    const std::string path = web::StorageFolder();
    if (create) {
        std::error_code ec;
        std::filesystem::create_directories(path, ec);
    }
    return path;
}

bool OpenWebPage(const std::string& url) {
    if (url.empty()) {
        return false;
    }
    // A new tab that cannot reach back into the game's page ("noopener" would hide
    // whether the tab opened at all).
    return MAIN_THREAD_EM_ASM_INT(
               {
                   const opened = window.open(UTF8ToString($0), "_blank");
                   if (!opened) {
                       return 0;
                   }
                   opened.opener = null;
                   return 1;
               },
               url.c_str()) != 0;
}

} // namespace platform
