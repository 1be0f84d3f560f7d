#pragma once
// The game's data archives: every "*.qxa" the file system lists becomes a data source,
// except a level set a player made or was given. Such an archive holds the entry
// kSharedSetEntry; taken as data it could put its own definitions in place of the
// game's, so it is read only by the level-set reader, never as data.

#include <string>

class QxFileSystem;

inline constexpr const char* kSharedSetEntry = "set.lst";

// Adds the archives, after the sources already there (so loose files still win).
// A shared level set is left out with one line in the log per run. Answers how many
// archives were added.
int AddDataArchives(QxFileSystem& files);
