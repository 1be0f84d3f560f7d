#pragma once
// Shares one of the player's level sets: a "*.qxa" archive holding exactly "set.lst"
// (the set's list) and the level files it names, as PyxReadSharedSet reads it.

#include <string>

// Writes the set of the player's level folder to outPath (temporary file, flush,
// rename). False, with the reason and nothing written, when the set cannot be read,
// holds no level, or a level of it is missing or is not one the editor makes (a set
// that could not be played where it is taken).
bool PyxExportSet(const std::string& setName, const std::string& outPath, std::string& error);
// The same for the set of a given level folder (ending in a separator).
bool PyxExportSet(const std::string& folder, const std::string& setName, const std::string& outPath,
                  std::string& error);
