#include "LevelSet.h"

#include <fstream>

#include "engine/files/QxBuffer.h"

namespace {

std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return "";
    }
    const size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// Writes the block's length, then what the buffer holds up to its position.
void WriteBlock(QxFile& file, QxBuffer& block) {
    const uint32_t length = block.Tell();
    file.WriteUInt32(length);
    if (length > 0) {
        file.WriteBytes(length, block.GetData());
    }
}

} // namespace

bool ReadLevelSetSource(const std::filesystem::path& path, std::vector<LevelSetEntry>& entries,
                        std::string& error) {
    std::ifstream in(path);
    if (!in) {
        error = "cannot read " + path.string();
        return false;
    }
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        line = Trim(line);
        if (line.empty() || line[0] == '#') {
            continue;
        }
        const size_t space = line.find_first_of(" \t");
        LevelSetEntry entry;
        entry.source = line.substr(0, space);
        entry.name = space == std::string::npos ? "" : Trim(line.substr(space));
        const std::string stem = std::filesystem::path(entry.source).stem().string();
        if (stem.empty() || entry.name.empty()) {
            error = path.string() + ":" + std::to_string(lineNumber) +
                    ": a level text and its name are needed";
            return false;
        }
        entry.file = "levels/" + stem + ".lvl";
        entry.number = int(entries.size()) + 1;
        entries.push_back(entry);
    }
    if (entries.empty()) {
        error = path.string() + ": no levels";
        return false;
    }
    return true;
}

void WriteLevelSet(QxFile& file, const std::vector<LevelSetEntry>& entries) {
    QxBuffer header;
    header.WriteInt32(1);
    header.WriteInt32(0);
    header.WriteInt32(0);
    WriteBlock(file, header);
    file.WriteUInt32(0);
    file.WriteInt32(int32_t(entries.size()));
    for (const LevelSetEntry& entry : entries) {
        QxBuffer block;
        block.WriteString(entry.file);
        block.WriteString(entry.source);
        block.WriteString(entry.name);
        block.WriteUInt32(uint32_t(entry.number));
        WriteBlock(file, block);
    }
}
