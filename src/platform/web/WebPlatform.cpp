// Browser binding: sleeping (a hidden page sleeps until it shows), the registry file and
// the data folder under the storage mount (IndexedDB-backed files that survive a reload; see
// WebStorage), and the game's pages in a new tab. The game runs on a thread of its own, so
// whatever needs the page itself is run on the browser's thread.

#include <filesystem>
#include <string>
#include <system_error>

#include <emscripten/emscripten.h>

#include "platform/LocalPage.h"
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

bool OpenLocalPage(const std::filesystem::path& page) {
    if (!IsLocalPage(page)) {
        return false;
    }
    // The build puts the game's pages in its data and serves them beside the game's own
    // page, so the copy the game found is opened by its name, relative to the page. A
    // new tab that cannot reach back into the game's page ("noopener" would hide
    // whether the tab opened at all).
    const std::string name = page.filename().string();
    return MAIN_THREAD_EM_ASM_INT(
               {
                   const opened = window.open(UTF8ToString($0), "_blank");
                   if (!opened) {
                       return 0;
                   }
                   opened.opener = null;
                   return 1;
               },
               name.c_str()) != 0;
}

} // namespace platform
