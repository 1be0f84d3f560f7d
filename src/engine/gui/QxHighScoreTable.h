#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "engine/gui/QxHighScore.h"

// The ten best results, best first. Entries are owned by the table; equal scores
// keep their order of insertion, except that a new score equal to the tenth takes
// the tenth place.
//
// File layout (little-endian, no header): per entry, best first, whatever the
// entry's Write produces; then one word, the sum modulo 2^32 of what every entry
// contributed. A file whose sum does not match, or that does not end right after
// the sum, is damaged and loads as an empty table.
class QxHighScoreTable {
public:
    static constexpr int kMaxEntries = 10;
    // A sound file holds at most ten entries of at most 255 name bytes; anything much
    // larger is not a table, and is not read into memory.
    static constexpr long kMaxFileSize = 64 * 1024;

    // Writes size bytes to an open stream; answers false when they did not all go.
    using StreamWriter = bool (*)(std::FILE* stream, const uint8_t* data, size_t size);

    // Stores a clone of the prototype (with the new flag as given; every other
    // entry loses its flag) when it makes the table. Answers the stored entry, or
    // null when the score did not make it.
    QxHighScore* Insert(const QxHighScore& prototype, bool isNew);
    // Position of the entry with the new flag, or -1.
    int IndexOfNew() const;
    // Destroys all entries and forgets the file Load read.
    void Clear();

    // Replaces the table by the file's entries, each read by a clone of the
    // prototype, and remembers the file for SaveBack. A missing file gives an empty
    // table. So does one that is there but cannot be read or is damaged: it is moved
    // to a fresh name beside it ("Scores.rd.damaged", "Scores.rd.damaged2", ...) with
    // one line in the log; when it cannot be moved, no save writes over it until it
    // can. Answers true when the file was read and sound.
    bool Load(const std::string& fileName, const QxHighScore& prototype);
    // The same from a file already open, read from its current position to its end.
    // Logs nothing; answers false (with an empty table) for a damaged file.
    bool LoadFrom(QxFile& file, const QxHighScore& prototype);
    // Writes the table to a temporary file beside fileName and renames it over the
    // old file only once every byte is on disk, so a failed save keeps the old
    // table. Answers true when the file was replaced.
    bool Save(const std::string& fileName);
    // Save to the file Load read (nothing when there was no Load).
    bool SaveBack();
    // Save through a given writer (lets the caller route or check the bytes).
    bool SaveWith(const std::string& fileName, StreamWriter writer);

    int Count() const { return static_cast<int>(m_entries.size()); }
    const QxHighScore* Entry(int index) const;
    QxHighScore* Entry(int index);

private:
    std::vector<std::unique_ptr<QxHighScore>> m_entries;
    std::string m_fileName;   // where Load read from
    std::string m_unreadFile; // a file Load could not read nor move aside
};

// The program-wide table: loaded at start-up, saved whenever an entry is added or
// named, and at shutdown.
extern QxHighScoreTable g_highScoreTable;
