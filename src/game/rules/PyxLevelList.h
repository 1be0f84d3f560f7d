#pragma once
// The list of levels a game plays, in order, read from a level list file: little-endian
// length-prefixed blocks like a level file's. A header block (format 1 and two unused
// words), an unused word and the entry count, then one block per entry holding the
// level file name, two further strings and a number that the game keeps but does not
// use.

#include <cstdint>
#include <string>
#include <vector>

class QxFile;

struct PyxLevelEntry {
    std::string fileName; // what LoadLevel is given when the entry's level starts
    std::string second;
    std::string third;
    std::uint32_t value = 0;

    bool operator==(const PyxLevelEntry&) const = default;
};

class PyxLevelList {
public:
    static constexpr std::int32_t kFormat = 1;

    // How the last Load or Read went.
    enum class Result { Whole, Damaged, NotAList, Missing };

    // Reads the first file that matches the name anywhere in the current file system.
    // False, with a log line, when there is no such file (the entries are unchanged)
    // or it is not read whole (as Read).
    bool Load(const std::string& fileName);
    // Reads a list from an open file. False when it is not a level list (the entries
    // are unchanged) or is damaged: then the entries before the damage replace the
    // list, as a damaged archive keeps the files before its damage.
    bool Read(QxFile& file);
    Result LastResult() const { return m_lastResult; }
    // Writes the list in the same form; false when a write failed.
    bool Write(QxFile& file) const;

    const std::vector<PyxLevelEntry>& Entries() const { return m_entries; }
    std::vector<PyxLevelEntry>& Entries() { return m_entries; }
    std::int32_t Count() const { return static_cast<std::int32_t>(m_entries.size()); }
    void Clear() { m_entries.clear(); }

private:
    std::vector<PyxLevelEntry> m_entries;
    Result m_lastResult = Result::Whole;
    std::int32_t m_declared = 0; // the entry count the last list read gave
};
