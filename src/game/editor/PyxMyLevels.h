#pragma once
// The player's own levels: level files in the folder "Levels/" of the user's data
// folder. A save goes to a temporary file beside the level, onto the disk, and only
// then takes the level's name, so a failed save never leaves half a level behind.

#include <string>
#include <vector>

class PyxLevel;

// The player's level folder (made when missing), ending in a separator; empty when
// there is no settings manager to name the user's data folder.
std::string PyxMyLevelsFolder();

// The file name a level of that name is saved under: ASCII letters and digits kept
// (lower-cased), every other run of characters one '-' (none at either end), at most
// 40 characters, then ".lvl"; "level.lvl" for a name with no such letter or digit.
std::string PyxLevelFileName(const std::string& levelName);

// The names (without the folder) of the ".lvl" files of the folder, sorted.
std::vector<std::string> PyxListLevelFiles(const std::string& folder);

// Writes the level as a version-6 level file at path (temporary file, flush, rename).
// False with the reason when it could not be written; an older file at path is then
// left as it was.
bool PyxWriteLevelFile(const std::string& path, PyxLevel& level, std::string& error);

// Reads a level file into a freshly constructed level. False with the loader's reason.
bool PyxReadLevelFile(const std::string& path, PyxLevel& level, std::string& error);
