// Headless binding: real or manual clocks, std::thread, a registry kept in a text
// file below a root folder (see FileRegistry.h), data folders below the same root,
// the pages it was asked to open, recorded.

#include "platform/LocalPage.h"
#include "platform/StdThread.h"
#include "platform/fileregistry/FileRegistry.h"
#include "platform/headless/Headless.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <sstream>
#include <system_error>
#include <thread>

namespace platform {
namespace {

std::mutex g_mutex; // guards everything below except the clock atomics
std::string g_root = "./headless-home";
std::map<SpecialFolder, std::string> g_folderOverrides;
std::vector<std::string> g_webPages;

std::atomic<bool> g_manualClock{false};
std::atomic<std::uint32_t> g_manualTick{0};
std::atomic<std::int64_t> g_manualCounter{0};
std::atomic<std::int64_t> g_manualFrequency{1000000};

} // namespace

// ---- clocks and threads -----------------------------------------------------------------

std::uint32_t TickMilliseconds() {
    if (g_manualClock) {
        return g_manualTick;
    }
    auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

bool HighResolutionFrequency(std::int64_t& countsPerSecond) {
    if (g_manualClock) {
        if (g_manualFrequency <= 0) {
            return false;
        }
        countsPerSecond = g_manualFrequency;
        return true;
    }
    countsPerSecond = 1000000000;
    return true;
}

std::int64_t HighResolutionCounter() {
    if (g_manualClock) {
        return g_manualFrequency > 0 ? g_manualCounter.load() : 0;
    }
    auto now = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
}

void SleepMilliseconds(std::uint32_t milliseconds) {
    if (g_manualClock) {
        headless::AdvanceManualClock(milliseconds);
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

bool StartThread(ThreadEntry entry, void* argument) {
    return StartStdThread(entry, argument);
}

// ---- folders ------------------------------------------------------------------------------

std::string GetSpecialFolder(SpecialFolder folder, bool create) {
    std::string path;
    {
        std::lock_guard lock(g_mutex);
        auto it = g_folderOverrides.find(folder);
        if (it != g_folderOverrides.end()) {
            path = it->second;
        } else {
            path = g_root +
                   (folder == SpecialFolder::UserApplicationData ? "/user-data" : "/common-data");
        }
    }
    if (create && !path.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(path, ec);
    }
    return path;
}

// ---- shell ----------------------------------------------------------------------------------

bool OpenLocalPage(const std::filesystem::path& page) {
    if (!IsLocalPage(page)) {
        return false;
    }
    std::lock_guard lock(g_mutex);
    g_webPages.push_back(page.string());
    return true;
}

// ---- headless controls ------------------------------------------------------------------

namespace headless {

void SetRoot(const std::string& path) {
    std::lock_guard lock(g_mutex);
    g_root = path.empty() ? "./headless-home" : path;
}

std::string Root() {
    std::lock_guard lock(g_mutex);
    return g_root;
}

std::string RegistryFilePath() {
    std::lock_guard lock(g_mutex);
    return g_root + "/registry.txt";
}

void OverrideSpecialFolder(SpecialFolder folder, const std::string& path) {
    std::lock_guard lock(g_mutex);
    g_folderOverrides[folder] = path;
}

void ClearSpecialFolderOverrides() {
    std::lock_guard lock(g_mutex);
    g_folderOverrides.clear();
}

std::vector<std::string> OpenedWebPages() {
    std::lock_guard lock(g_mutex);
    return g_webPages;
}

void ClearOpenedWebPages() {
    std::lock_guard lock(g_mutex);
    g_webPages.clear();
}

void UseManualClock(bool manual) {
    g_manualClock = manual;
}
void SetManualTick(std::uint32_t milliseconds) {
    g_manualTick = milliseconds;
}
void SetManualCounter(std::int64_t count) {
    g_manualCounter = count;
}
void SetManualFrequency(std::int64_t countsPerSecond) {
    g_manualFrequency = countsPerSecond;
}

void AdvanceManualClock(std::uint32_t milliseconds) {
    g_manualTick += milliseconds; // wraps like the real tick
    std::int64_t frequency = g_manualFrequency;
    if (frequency > 0) {
        g_manualCounter += static_cast<std::int64_t>(milliseconds) * frequency / 1000;
    }
}

} // namespace headless

std::string FileRegistryPath() {
    return headless::RegistryFilePath();
}

} // namespace platform
