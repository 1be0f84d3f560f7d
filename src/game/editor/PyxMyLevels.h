#pragma once
// The player's own levels: level files in the folder "Levels/" of the user's data
// folder. A save goes to a temporary file beside the level, onto the disk, and only
// then takes the level's name, so a failed save never leaves half a level behind.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

class PyxLevel;

// The player's level folder (made when missing), ending in a separator; empty when
// there is no settings manager to name the user's data folder.
std::string PyxMyLevelsFolder();
// Where the player's exported sets go: "Exported/" beside "Levels/" (made when
// missing), not inside it, where every archive is listed as a set shared with the
// player. Ends in a separator; empty as PyxMyLevelsFolder.
std::string PyxExportedSetsFolder();

// The file name a level of that name is saved under: ASCII letters and digits kept
// (lower-cased), every other run of characters one '-' (none at either end), at most
// 40 characters, then ".lvl"; "level.lvl" for a name with no such letter or digit.
std::string PyxLevelFileName(const std::string& levelName);
// The same rule without the extension, and `fallback` for a name with nothing kept.
std::string PyxSafeFileStem(const std::string& name, const std::string& fallback);

// The names (without the folder) of the ".lvl" files of the folder, sorted.
std::vector<std::string> PyxListLevelFiles(const std::string& folder);

// Puts the bytes at path: a temporary file beside it, flushed to disk, then renamed
// over it. False with the reason (and a log line) when that failed; an older file at
// path is then left as it was and no temporary file stays behind.
bool PyxReplaceFile(const std::string& path, std::span<const std::uint8_t> bytes,
                    std::string& error);

// Reads a whole file of at most maxBytes. False with the reason when it is missing,
// unreadable, not a plain file or larger.
bool PyxReadWholeFile(const std::string& path, std::size_t maxBytes,
                      std::vector<std::uint8_t>& bytes, std::string& error);

// Writes the level as a version-6 level file at path (temporary file, flush, rename).
// False with the reason when it could not be written; an older file at path is then
// left as it was.
bool PyxWriteLevelFile(const std::string& path, PyxLevel& level, std::string& error);

// Reads a level file into a freshly constructed level. False with the loader's reason.
bool PyxReadLevelFile(const std::string& path, PyxLevel& level, std::string& error);
