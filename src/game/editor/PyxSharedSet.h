#pragma once
// Level sets shared between players: one "*.qxa" archive holding the entry "set.lst"
// (a set's level list, its entries naming level files by bare name) and the level
// files it names. Such an archive is read here alone, through the archive reader and
// never as a source of the game's files; of it only "set.lst" and the level files the
// list names are read, and nothing is written.

#include <cstdint>
#include <string>
#include <vector>

class QxFileManager;

struct PyxSharedLevel {
    std::string fileName;            // as the list names it
    std::string name;                // as the list shows it (the file name when empty)
    std::vector<std::uint8_t> bytes; // the level file; empty when damaged
    std::string damage;              // why it cannot be played; empty when it can

    bool Usable() const { return damage.empty(); }
};

struct PyxSharedSet {
    std::string path;
    std::string name; // shown: the archive's file name made safe as a set name
    std::vector<PyxSharedLevel> levels;
    std::string damage; // why the whole set cannot be played; empty when it can

    bool Usable() const { return damage.empty(); }
};

// The archives with more bytes than this are not read.
inline constexpr std::uintmax_t kPyxMaxSharedSetBytes = 64u << 20;

// Reads the archive file at path. A level whose list entry is not a bare ".lvl" name,
// that the archive lacks, or that is not a level the editor makes (see
// PyxEditorLevelProblem) is damaged, the others still usable. The whole set is
// damaged when the file is not a sound archive, has no sound "set.lst", or its list
// names no level or more than kPyxMaxSetLevels. Every damage is logged.
PyxSharedSet PyxReadSharedSet(const std::string& path);
// The same with the archive file opened by name through source.
PyxSharedSet PyxReadSharedSet(QxFileManager& source, const std::string& name);

// Every "*.qxa" file of the folder (sorted by name), then each of the further paths.
std::vector<PyxSharedSet> PyxListSharedSets(const std::string& folder,
                                            const std::vector<std::string>& morePaths = {});
