#pragma once
// The services the engine needs from the operating system that have nothing to do
// with the window: clocks, sleeping, one plain thread start, the settings registry,
// the special data folders, folder creation and the web browser. Every binding
// (headless, sdl, win32) implements exactly these functions.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace platform {

// ---- clocks and threads -------------------------------------------------------------

// Millisecond tick; wraps around every 2^32 ms.
std::uint32_t TickMilliseconds();

// Counts per second of the high-resolution counter; false when there is no such counter.
bool HighResolutionFrequency(std::int64_t& countsPerSecond);

// Current value of the high-resolution counter (0 when there is none).
std::int64_t HighResolutionCounter();

void SleepMilliseconds(std::uint32_t milliseconds);

using ThreadEntry = void (*)(void* argument);

// Starts a detached thread running entry(argument). False when it could not start.
bool StartThread(ThreadEntry entry, void* argument);

// ---- registry -----------------------------------------------------------------------

enum class RegistryRoot : std::uint32_t { CurrentUser, LocalMachine };

// Handle of an open key; 0 is never a valid key.
using RegistryKey = std::uintptr_t;
constexpr RegistryKey kNoRegistryKey = 0;

// Opens the key at path (backslash separated) below root, creating it and any missing
// parents, with full access.
bool RegistryCreateKey(RegistryRoot root, const std::string& path, RegistryKey& key);

// True when the key was open and closed without error.
bool RegistryCloseKey(RegistryKey key);

// A 4-byte value. False (and value untouched) when missing or not 4 bytes long.
bool RegistryGetUInt32(RegistryKey key, const std::string& name, std::uint32_t& value);
bool RegistrySetUInt32(RegistryKey key, const std::string& name, std::uint32_t value);

// A string value whose stored size (text plus terminator) is at most capacityBytes.
// False (and text untouched) when missing, not a string or too long.
bool RegistryGetString(RegistryKey key, const std::string& name, std::size_t capacityBytes,
                       std::string& text);
bool RegistrySetString(RegistryKey key, const std::string& name, const std::string& text);

// Names of the direct sub-keys, in the registry's order.
bool RegistryListSubKeys(RegistryKey key, std::vector<std::string>& names);

// Deletes a direct sub-key that has no sub-keys of its own.
bool RegistryDeleteSubKey(RegistryKey key, const std::string& name);

// ---- folders ------------------------------------------------------------------------

enum class SpecialFolder : std::uint32_t {
    UserApplicationData,   // per-user application data
    CommonApplicationData, // application data shared by all users
};

// The folder's path (without a guaranteed trailing separator), created when missing and
// create is set. Empty when the platform cannot name it.
std::string GetSpecialFolder(SpecialFolder folder, bool create);

enum class CreateFolderResult : std::uint32_t {
    Created,
    AlreadyExists,
    ParentMissing,
    Failed,
};

// Creates one folder; its parent must exist.
CreateFolderResult CreateFolder(const std::string& path);

// ---- shell --------------------------------------------------------------------------

// Opens a page shipped with the game in the user's web browser. The page is an HTML file
// on disk, named by an absolute path (in the browser, the file of that name served beside
// the game's own page). False when the path is not such a file or no browser could be
// started.
bool OpenLocalPage(const std::filesystem::path& page);

} // namespace platform
