// Desktop Linux binding: sleeping, the registry file and the data folders
// under the XDG base directories, and the browser through xdg-open.

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <thread>

#include <spawn.h>
#include <sys/wait.h>

#include "platform/LocalPage.h"
#include "platform/Platform.h"
#include "platform/fileregistry/FileRegistry.h"
#include "platform/sdl/SdlFolders.h"

extern char** environ;

namespace platform {

void SleepMilliseconds(std::uint32_t milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

std::string FileRegistryPath() {
    return sdl::ConfigFolder() + "/registry.txt";
}

std::string GetSpecialFolder(SpecialFolder, bool create) {
    // Linux has no folder shared by all users that a player may write to, so the
    // high-score file lives with the player's own data.
    const std::string path = sdl::DataHome();
    if (create && !path.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(path, ec);
    }
    return path;
}

bool OpenLocalPage(const std::filesystem::path& page) {
    if (!IsLocalPage(page)) {
        return false;
    }
    // Started directly, not through a shell, so no character of the path means anything
    // but itself; the path is absolute, so xdg-open cannot take it for an option.
    const char* argv[] = {"xdg-open", page.c_str(), nullptr};
    pid_t child = 0;
    if (posix_spawnp(&child, "xdg-open", nullptr, nullptr, const_cast<char* const*>(argv),
                     environ) != 0) {
        return false;
    }
    // xdg-open hands the page to the browser and returns; reap it off the main thread
    // so the game never waits for the browser.
    std::thread([child] {
        int status = 0;
        waitpid(child, &status, 0);
    }).detach();
    return true;
}

namespace sdl {

namespace {
std::string FromEnvironment(const char* name, const char* fallbackBelowHome) {
    const char* value = std::getenv(name);
    if (value != nullptr && value[0] == '/') {
        return value;
    }
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] == '\0') {
        return {};
    }
    return std::string(home) + "/" + fallbackBelowHome;
}
} // namespace

std::string DataHome() {
    return FromEnvironment("XDG_DATA_HOME", ".local/share");
}

std::string ConfigFolder() {
    const std::string base = FromEnvironment("XDG_CONFIG_HOME", ".config");
    return (base.empty() ? std::string(".") : base) + "/" + kMakerName + "/" + kProductName;
}

} // namespace sdl
} // namespace platform
