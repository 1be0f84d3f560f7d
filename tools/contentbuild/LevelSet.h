#pragma once
// The standard level set: its source (content/levels/LevelList.txt, one level text per
// line followed by the level's name, in playing order) and the binary level list the
// game reads. Each list entry holds the level file name, two texts (the level's name
// and its source) and the level's number.

#include <filesystem>
#include <string>
#include <vector>

class QxFile;

// Where the list lives in the archive; the game scene's "LevelSet" names it.
inline constexpr const char* kLevelSetFile = "levels/rondelix.lst";
inline constexpr const char* kLevelSetSource = "LevelList.txt";

struct LevelSetEntry {
    std::string source; // level text, relative to content/levels
    std::string file;   // level file in the archive
    std::string name;
    int number = 0;
};

// False with a message when the source cannot be read or names nothing.
bool ReadLevelSetSource(const std::filesystem::path& path, std::vector<LevelSetEntry>& entries,
                        std::string& error);
// Writes the list: a header block (format 1 and two zeros), an unused word and the
// entry count, then one block per entry.
void WriteLevelSet(QxFile& file, const std::vector<LevelSetEntry>& entries);
