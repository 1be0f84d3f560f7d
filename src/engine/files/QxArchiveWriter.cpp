#include "engine/files/QxArchiveWriter.h"

#include "engine/files/QxArchiveManager.h"
#include "engine/files/QxFile.h"

bool QxArchiveWriter::AddEntry(const std::string& name, std::vector<uint8_t> data) {
    if (name.empty() || name.size() > UINT32_MAX || data.size() > UINT32_MAX) {
        return false;
    }
    if (!m_names.insert(name).second) {
        return false;
    }
    m_entries.push_back({name, std::move(data)});
    return true;
}

uint64_t QxArchiveWriter::GetDataStart() const {
    uint64_t start = QxArchiveManager::kHeaderSize;
    for (const Entry& entry : m_entries) {
        start += 4 + entry.name.size() + 4 + 4;
    }
    return start;
}

bool QxArchiveWriter::Write(QxFile& out) const {
    const uint64_t dataStart = GetDataStart();
    uint64_t end = dataStart;
    for (const Entry& entry : m_entries) {
        end += entry.data.size();
    }
    if (end > UINT32_MAX) {
        return false;
    }

    bool ok = out.WriteUInt32(QxArchiveManager::kMagic) == 4;
    ok = ok && out.WriteUInt8(1) == 1 && out.WriteUInt8(0) == 1 && out.WriteUInt8(0) == 1;
    ok = ok && out.WriteUInt32(static_cast<uint32_t>(dataStart)) == 4;
    ok = ok && out.WriteUInt32(static_cast<uint32_t>(m_entries.size())) == 4;

    uint64_t offset = dataStart;
    for (const Entry& entry : m_entries) {
        if (!ok) {
            return false;
        }
        const auto nameLength = static_cast<uint32_t>(entry.name.size());
        const auto size = static_cast<uint32_t>(entry.data.size());
        ok = out.WriteUInt32(nameLength) == 4 &&
             out.WriteBytes(nameLength, entry.name.data()) == nameLength &&
             out.WriteUInt32(static_cast<uint32_t>(offset)) == 4 && out.WriteUInt32(size) == 4;
        offset += size;
    }
    for (const Entry& entry : m_entries) {
        if (!ok) {
            return false;
        }
        const auto size = static_cast<uint32_t>(entry.data.size());
        if (size > 0) {
            ok = out.WriteBytes(size, entry.data.data()) == size;
        }
    }
    return ok;
}
