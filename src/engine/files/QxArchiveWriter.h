#pragma once
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "engine/files/QxPath.h"

class QxFile;

// Builds a "*.qxa" archive: entries are stored in the order they were added, their
// bytes as they are, after a directory that names each with its offset and size.
class QxArchiveWriter {
public:
    // False when the name is empty or equal, ignoring case and "\" against "/", to
    // one already added (the archive could serve only the first of the two).
    bool AddEntry(const std::string& name, std::vector<uint8_t> data);

    size_t GetEntryCount() const { return m_entries.size(); }
    // Where entry data begins: the header plus the directory.
    uint64_t GetDataStart() const;

    // Writes the whole archive at the file's position. False when a write fails or
    // the archive would not fit the format's 32-bit offsets.
    bool Write(QxFile& out) const;

private:
    struct Entry {
        std::string name;
        std::vector<uint8_t> data;
    };

    std::vector<Entry> m_entries;
    std::set<std::string, QxFileNameLess> m_names;
};
