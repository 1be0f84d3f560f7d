#pragma once
// One level as the whole game: what the headless runner's --level and the browser
// page's level option start, so a test reaches the end of a game in one level.

#include <cstdint>
#include <string>
#include <vector>

// Makes the level the only level of the game: a level list of one entry, under the
// name the game screen's type asks for, in folder (searched before the data; it ends
// in a separator; it is made when missing), and the level's bytes beside it under name. Needs the
// registry's definitions loaded. Empty when that worked, else what went wrong.
std::string PyxPrepareOneLevelGame(const std::string& name, const std::vector<std::uint8_t>& level,
                                   const std::string& folder);

// A file of the game's data, whole, through the current file system; false when it
// cannot be opened or read.
bool PyxReadDataFile(const std::string& name, std::vector<std::uint8_t>& bytes);
