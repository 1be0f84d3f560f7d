// Browser binding: sleeping (a hidden page sleeps until it shows), the registry file and
// the data folder under the storage mount (IndexedDB-backed files that survive a reload; see
// WebStorage), and new pages in a new tab. The game runs on a thread of its own, so
// whatever needs the page itself is run on the browser's thread.

#include <filesystem>
#include <string>
#include <system_error>

#include <emscripten/emscripten.h>

#include "platform/Platform.h"
#include "platform/fileregistry/FileRegistry.h"
#include "platform/web/WebRuntime.h"
#include "platform/web/WebStorage.h"

namespace platform {

void SleepMilliseconds(std::uint32_t milliseconds) {
    web::IdleSleep(milliseconds);
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
