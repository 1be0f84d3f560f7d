#include "engine/files/QxArchiveManager.h"

#include <algorithm>

#include "engine/files/QxBuffer.h"
#include "engine/files/QxFile.h"
#include "engine/files/QxFileSystem.h"
#include "engine/files/QxLog.h"

QxArchiveManager::QxArchiveManager(QxFileManager* owner, const std::string& archiveName)
    : m_ownerManager(owner), m_archiveName(archiveName) {
    if (owner && !archiveName.empty()) {
        m_archive = owner->Open(archiveName, kModeReadBinary);
    }
    Load();
}

QxArchiveManager::QxArchiveManager(QxFileSystem* owner, const std::string& archiveName)
    : m_ownerSystem(owner), m_archiveName(archiveName) {
    if (owner && !archiveName.empty()) {
        m_archive = owner->Open(archiveName, kModeReadBinary);
    }
    Load();
}

QxArchiveManager::~QxArchiveManager() {
    CloseArchive();
}

void QxArchiveManager::CloseArchive() {
    if (!m_archive) {
        return;
    }
    if (m_ownerManager) {
        m_ownerManager->Close(m_archive);
    } else if (m_ownerSystem) {
        m_ownerSystem->Close(m_archive);
    }
    m_archive = nullptr;
}

void QxArchiveManager::Load() {
    if (!m_archive) {
        return;
    }
    try {
        m_archiveSize = m_archive->GetSize();
        std::vector<QxArchiveEntry> entries;
        uint32_t declared = 0;
        const DirectoryResult result = ParseDirectory(entries, declared);
        if (result == DirectoryResult::NotArchive) {
            LogPrintf("Not an archive: %s", m_archiveName.c_str());
            return;
        }
        m_directory.clear();
        for (QxArchiveEntry& entry : entries) {
            std::string key = entry.name;
            m_directory.emplace(std::move(key), std::move(entry));
        }
        if (result == DirectoryResult::Damaged) {
            m_damaged = true;
            // The loading thread opens every archive again in a file system of its own.
            LogPrintfOnce("Damaged archive %s: directory entry %u of %u does not fit the file",
                          m_archiveName.c_str(), static_cast<unsigned>(entries.size() + 1),
                          static_cast<unsigned>(declared));
        }
        m_loaded = true;
    } catch (...) {
        LogPrintf("Unable to read archive: %s", m_archiveName.c_str());
        m_directory.clear();
        m_loaded = false;
    }
}

QxArchiveManager::DirectoryResult
QxArchiveManager::ParseDirectory(std::vector<QxArchiveEntry>& entries, uint32_t& declared) {
    // Every field is checked against the bytes the file holds before it is used, so
    // a damaged directory can neither make a read leave the file nor make an
    // allocation larger than the file.
    declared = 0;
    const uint64_t size = m_archiveSize;
    if (size < 4 || !m_archive->Seek(QxFile::kSeekStart, 0)) {
        return DirectoryResult::NotArchive;
    }
    if (m_archive->ReadUInt32() != kMagic) {
        return DirectoryResult::NotArchive;
    }
    if (size < kHeaderSize) {
        return DirectoryResult::Damaged;
    }
    m_archive->ReadUInt8();
    m_archive->ReadUInt8();
    m_archive->ReadUInt8();
    m_archive->ReadUInt32(); // where the data begins: not needed to read it
    declared = m_archive->ReadUInt32();

    uint64_t position = kHeaderSize;
    for (uint32_t i = 0; i < declared; ++i) {
        if (position + 4 > size) {
            return DirectoryResult::Damaged;
        }
        const uint32_t nameLength = m_archive->ReadUInt32();
        position += 4;
        if (position + nameLength + 8 > size) {
            return DirectoryResult::Damaged;
        }
        QxArchiveEntry entry;
        entry.name.resize(nameLength);
        if (nameLength > 0 && m_archive->ReadBytes(nameLength, entry.name.data()) != nameLength) {
            return DirectoryResult::Damaged;
        }
        // Names are stored without a terminator but read as zero-terminated text.
        entry.name.resize(std::char_traits<char>::length(entry.name.c_str()));
        position += nameLength;
        entry.offset = m_archive->ReadUInt32();
        entry.size = m_archive->ReadUInt32();
        position += 8;
        if (static_cast<uint64_t>(entry.offset) + entry.size > size) {
            return DirectoryResult::Damaged;
        }
        entries.push_back(std::move(entry));
    }
    return DirectoryResult::Complete;
}

bool QxArchiveManager::ReadDirectory(std::vector<QxArchiveEntry>& entries) {
    if (!m_loaded || !m_archive) {
        return false;
    }
    try {
        uint32_t declared = 0;
        return ParseDirectory(entries, declared) != DirectoryResult::NotArchive;
    } catch (...) {
        return false;
    }
}

const QxArchiveEntry* QxArchiveManager::FindEntry(const std::string& name) const {
    const auto it = m_directory.find(name);
    return it == m_directory.end() ? nullptr : &it->second;
}

QxFile* QxArchiveManager::Open(const std::string& name, int32_t) {
    if (!m_loaded || name.empty()) {
        return nullptr;
    }
    const QxArchiveEntry* entry = FindEntry(name);
    if (!entry) {
        return nullptr;
    }
    try {
        auto buffer = std::make_unique<QxBuffer>();
        if (!buffer->Allocate(entry->size, 0)) {
            return nullptr;
        }
        if (entry->size > 0) {
            if (!m_archive->Seek(QxFile::kSeekStart, static_cast<int32_t>(entry->offset)) ||
                m_archive->ReadBytes(entry->size, buffer->GetData()) != entry->size) {
                LogPrintf("Unable to read %s from archive %s", name.c_str(), m_archiveName.c_str());
                return nullptr;
            }
        }
        m_handedOut.push_back(std::move(buffer));
        return m_handedOut.back().get();
    } catch (...) {
        return nullptr;
    }
}

int32_t QxArchiveManager::Close(QxFile* file) {
    if (!m_loaded) {
        return 0;
    }
    // Only files this manager handed out are destroyed here: a file from any other
    // source passes on to the manager that owns it.
    auto it =
        std::find_if(m_handedOut.rbegin(), m_handedOut.rend(),
                     [file](const std::unique_ptr<QxBuffer>& open) { return open.get() == file; });
    if (file == nullptr) {
        return kClosed;
    }
    if (it == m_handedOut.rend()) {
        return kNotMine;
    }
    m_handedOut.erase(std::next(it).base());
    return kClosed;
}

int32_t QxArchiveManager::ListFiles(const std::string& pattern, const std::string&, bool,
                                    std::vector<std::string>& list) {
    const size_t star = pattern.rfind('*');
    const std::string suffix = star == std::string::npos ? pattern : pattern.substr(star + 1);
    std::vector<QxArchiveEntry> entries;
    if (!ReadDirectory(entries)) {
        return 0;
    }
    for (QxArchiveEntry& entry : entries) {
        if (FileNameEndsWith(entry.name, suffix)) {
            list.push_back(std::move(entry.name));
        }
    }
    return 1;
}
