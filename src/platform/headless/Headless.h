#pragma once
// Controls of the headless binding, for tests and tools. The binding keeps its
// registry in a small text file and its data folders below one root folder, never
// touches a display, and can run on a clock that only moves when told.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace platform::headless {

// The folder holding the registry file and the data folders ("./headless-home" when
// never set). The registry is read from and written to this root on every access.
void SetRoot(const std::string& path);
std::string Root();

// The file that holds the registry values under the current root.
std::string RegistryFilePath();

// Makes GetSpecialFolder answer path for that folder (an empty path stands for a
// platform that cannot name the folder). Cleared by ClearSpecialFolderOverrides.
void OverrideSpecialFolder(SpecialFolder folder, const std::string& path);
void ClearSpecialFolderOverrides();

// Every page OpenLocalPage opened, as its path, oldest first.
std::vector<std::string> OpenedWebPages();
void ClearOpenedWebPages();

// ---- manual clock -----------------------------------------------------------------
// With the manual clock on, the tick and the counter move only through the setters
// below and SleepMilliseconds (which advances both instead of sleeping).
void UseManualClock(bool manual);
void SetManualTick(std::uint32_t milliseconds);
void SetManualCounter(std::int64_t count);
// Counts per second; 0 makes the high-resolution counter unavailable.
void SetManualFrequency(std::int64_t countsPerSecond);
// Advances the tick by whole milliseconds and the counter by the matching counts.
void AdvanceManualClock(std::uint32_t milliseconds);

} // namespace platform::headless
