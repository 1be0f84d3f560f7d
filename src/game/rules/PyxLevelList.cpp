#include "game/rules/PyxLevelList.h"

#include <utility>

#include "engine/files/QxBuffer.h"
#include "engine/files/QxFile.h"
#include "engine/files/QxFileSystem.h"
#include "engine/files/QxLog.h"

namespace {

std::uint32_t BytesLeft(QxFile& file) {
    const std::uint32_t size = file.GetSize();
    const std::uint32_t here = file.Tell();
    return here < size ? size - here : 0;
}

// A length, then that many bytes into the buffer. False when they are not all there.
bool ReadBlock(QxFile& file, QxBuffer& block) {
    if (BytesLeft(file) < 4) {
        return false;
    }
    const std::uint32_t length = file.ReadUInt32();
    if (length > BytesLeft(file)) {
        return false;
    }
    if (!block.Allocate(length, 0)) {
        return false;
    }
    return length == 0 || file.ReadBytes(length, block.GetData()) == length;
}

// Reads that tell whether the value was there: a memory file answers a filler value
// for a short read without saying so.
bool ReadWord(QxFile& file, std::uint32_t& value) {
    if (BytesLeft(file) < 4) {
        return false;
    }
    value = file.ReadUInt32();
    return true;
}

bool ReadText(QxFile& file, std::string& text) {
    const std::uint32_t before = file.Tell();
    text = file.ReadString();
    return file.Tell() >= before + 4;
}

// Writes a block: its length, then what the buffer holds up to its position.
bool WriteBlock(QxFile& file, QxBuffer& block) {
    const std::uint32_t length = block.Tell();
    return file.WriteUInt32(length) == 4 &&
           (length == 0 || file.WriteBytes(length, block.GetData()) == length);
}

} // namespace

bool PyxLevelList::Load(const std::string& fileName) {
    m_lastResult = Result::Missing;
    QxFileSystem* files = CurrentFileSystem();
    if (!files) {
        LogPrintf("Level list %s - no file system.", fileName.c_str());
        return false;
    }
    std::vector<std::string> names;
    files->ListFiles(fileName, "", true, names);
    // A listing names a match without the folder the pattern gave: a name with its
    // folder is opened as it stands when the listed name does not open.
    std::string name = names.empty() ? fileName : names.front();
    QxFile* opened = name.empty() ? nullptr : files->Open(name, QxFileManager::kModeReadBinary);
    if (!opened && name != fileName && !fileName.empty()) {
        name = fileName;
        opened = files->Open(name, QxFileManager::kModeReadBinary);
    }
    QxScopedFile file(files, opened);
    if (!file) {
        LogPrintf("Level list %s - file not found.", fileName.c_str());
        return false;
    }
    if (Read(*file.Get())) {
        return true;
    }
    if (m_lastResult == Result::NotAList) {
        LogPrintf("Level list %s - not a level list, not read.", name.c_str());
    } else {
        LogPrintf("Level list %s - damaged after %d of %d entries; those are kept.", name.c_str(),
                  Count(), m_declared);
    }
    return false;
}

bool PyxLevelList::Read(QxFile& file) {
    m_lastResult = Result::NotAList;
    QxBuffer header;
    if (!ReadBlock(file, header)) {
        return false;
    }
    std::uint32_t format = 0;
    std::uint32_t unused = 0;
    if (!ReadWord(header, format) || std::int32_t(format) != kFormat || !ReadWord(header, unused) ||
        !ReadWord(header, unused)) {
        return false;
    }

    // From here on the file is a level list: what it holds before any damage is the
    // new list.
    m_entries.clear();
    m_declared = 0;
    m_lastResult = Result::Damaged;
    std::uint32_t count = 0;
    if (!ReadWord(file, unused) || !ReadWord(file, count)) {
        return false;
    }
    m_declared = std::int32_t(count);
    // Nothing is reserved: the count may promise more than the file holds.
    for (std::int32_t i = 0; i < m_declared; ++i) {
        QxBuffer block;
        if (!ReadBlock(file, block)) {
            return false;
        }
        PyxLevelEntry entry;
        if (!ReadText(block, entry.fileName) || !ReadText(block, entry.third) ||
            !ReadText(block, entry.second) || !ReadWord(block, entry.value)) {
            return false;
        }
        m_entries.push_back(std::move(entry));
    }
    if (m_declared < 0) {
        return false;
    }
    m_lastResult = Result::Whole;
    return true;
}

bool PyxLevelList::Write(QxFile& file) const {
    QxBuffer header;
    header.Allocate(12, 0);
    header.WriteInt32(kFormat);
    header.WriteInt32(0);
    header.WriteInt32(0);
    if (!WriteBlock(file, header)) {
        return false;
    }
    if (file.WriteUInt32(0) != 4 || file.WriteInt32(Count()) != 4) {
        return false;
    }
    for (const PyxLevelEntry& entry : m_entries) {
        QxBuffer block;
        const std::uint64_t size =
            12 + entry.fileName.size() + entry.third.size() + entry.second.size() + 4;
        if (size > 0xFFFFFFFFu || !block.Allocate(std::uint32_t(size), 0)) {
            return false;
        }
        block.WriteString(entry.fileName);
        block.WriteString(entry.third);
        block.WriteString(entry.second);
        block.WriteUInt32(entry.value);
        if (!WriteBlock(file, block)) {
            return false;
        }
    }
    return true;
}
