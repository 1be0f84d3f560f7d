#pragma once
// Where the game's data is when the program is started from some other folder: the
// game reads its archive from the working folder, so a desktop launcher or a terminal
// anywhere must first move there.

#include <filesystem>

namespace platform {

// True when the folder holds at least one archive ("*.qxa").
bool HoldsArchive(const std::filesystem::path& folder);

// The folder to change to before the file system is built: empty when the working
// folder holds an archive (a player's own copy or a development tree wins), else the
// executable's folder or the install prefix's "share/rondelix" folder, whichever holds
// an archive first; empty when none does (the game then says what it misses).
std::filesystem::path FindDataFolder(const std::filesystem::path& workingFolder,
                                     const std::filesystem::path& executable);

} // namespace platform
