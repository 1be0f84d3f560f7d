#pragma once
// The player's level sets: named lists of their own levels, played in order. A set is
// a level list in the standard format, "<name>.lst", in the level folder beside the
// levels it names by bare file name (the second string of an entry is the level's
// name as shown), with its own ten best results in "<name>.rd" (the format of the
// game's high-score table) beside it. Set names keep the rule of level file names, so
// whatever a caller passes, a set's files lie in the folder.
//
// Every change reads the list, changes it and saves it whole (temporary file, flush,
// rename); a failed change leaves the list as it was. Failures answer false with the
// reason and a log line.

#include <cstddef>
#include <string>
#include <vector>

#include "game/rules/PyxLevelList.h"

class QxFile;
class QxHighScoreTable;

// A set plays at most this many levels; a shared set naming more is refused.
inline constexpr std::size_t kPyxMaxSetLevels = 100;

// Whether a list entry's file name can only mean a level file of the list's own
// folder: not empty, at most 255 bytes, no "/", "\", "..", ":" or control character,
// ending in ".lvl". Empty when it can, else why not.
std::string PyxBareLevelFileProblem(const std::string& name);

// Reads a set's list from an open file: false with the reason when it is not a level
// list, is damaged (entries then holds those before the damage), or has more than
// kPyxMaxSetLevels entries (entries then holds none). Names are not judged here.
bool PyxReadSetList(QxFile& file, std::vector<PyxLevelEntry>& entries, std::string& error);

class PyxLevelSets {
public:
    // The sets of a level folder (ending in a separator, as PyxMyLevelsFolder gives it).
    explicit PyxLevelSets(std::string folder);

    // The name a set is kept under: ASCII letters and digits (lower-cased), every other
    // run of characters one '-', at most 40 characters; "set" when nothing is left.
    // Every operation below first makes its names so.
    static std::string SafeName(const std::string& wanted);
    std::string ListPath(const std::string& name) const;
    std::string ScoresPath(const std::string& name) const;

    // The names of the sets (the ".lst" files of the folder), sorted.
    std::vector<std::string> List() const;
    // The set's entries. A list that is not whole, or has entries naming anything but
    // a level file of the folder, or more than kPyxMaxSetLevels entries, answers false
    // with the reason; entries then holds the sound ones before the damage.
    bool Read(const std::string& name, std::vector<PyxLevelEntry>& entries,
              std::string& error) const;
    // Saves the entries as the set (made or replaced). Refuses entries Read would refuse.
    bool Write(const std::string& name, const std::vector<PyxLevelEntry>& entries,
               std::string& error) const;
    // A new empty set; false when there is one of that name.
    bool Create(const std::string& name, std::string& error) const;

    // Appends a level file of the folder, shown as shownName; false when the file is
    // not there or already in the set, or the set is full.
    bool Add(const std::string& name, const std::string& levelFile, const std::string& shownName,
             std::string& error) const;
    bool Remove(const std::string& name, std::size_t index, std::string& error) const;
    // Takes the entry at `from` out and puts it back at `to`.
    bool Move(const std::string& name, std::size_t from, std::size_t to, std::string& error) const;

    // Renames the list and its high-score file; false when the new name is taken.
    bool Rename(const std::string& name, const std::string& newName, std::string& error) const;
    // Deletes the list and its high-score file; the levels stay.
    bool Delete(const std::string& name, std::string& error) const;

    // The set's own table, as QxHighScoreTable::Load and Save read and write it.
    bool LoadScores(const std::string& name, QxHighScoreTable& table) const;
    bool SaveScores(const std::string& name, QxHighScoreTable& table) const;

private:
    std::string m_folder;
};
