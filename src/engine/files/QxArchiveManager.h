#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/files/QxFileManager.h"
#include "engine/files/QxPath.h"

class QxBuffer;
class QxFileSystem;

// Where an entry's bytes lie in its archive.
struct QxArchiveEntry {
    std::string name;
    uint32_t offset = 0;
    uint32_t size = 0;
};

// One "*.qxa" archive whose entries are served as memory buffers. The archive file
// stays open, through the source it came from, for the manager's life.
//
// Layout (little-endian): "0AXQ", the bytes 1 0 0, the offset where entry data
// begins, the entry count N, N entries of (name length, name, data offset, data
// size), then the data. Names are looked up ignoring case, "\" equal to "/".
class QxArchiveManager : public QxFileManager {
public:
    static constexpr uint32_t kMagic = 0x51584130; // "0AXQ" as stored
    static constexpr uint32_t kHeaderSize = 15;

    QxArchiveManager(QxFileManager* owner, const std::string& archiveName);
    QxArchiveManager(QxFileSystem* owner, const std::string& archiveName);
    ~QxArchiveManager() override;

    // A fresh buffer with the entry's bytes, position 0; the mode is ignored.
    QxFile* Open(const std::string& name, int32_t mode) override;
    // Destroys a file this manager handed out and returns 1; unloaded returns 0.
    int32_t Close(QxFile* file) override;
    // Entries whose names end in the text after the pattern's last "*", in directory
    // order; prefix and recursion do not apply to an archive.
    int32_t ListFiles(const std::string& pattern, const std::string& prefix, bool recursive,
                      std::vector<std::string>& list) override;

    bool IsLoaded() const { return m_loaded; }
    // True when the directory did not fit the file; the entries before the damage
    // are served.
    bool IsDamaged() const { return m_damaged; }
    size_t GetEntryCount() const { return m_directory.size(); }
    // The entry served for name, or null.
    const QxArchiveEntry* FindEntry(const std::string& name) const;
    // Reads the directory again from the archive, in stored order (entries up to
    // any damage). False when the archive is not loaded or not an archive.
    bool ReadDirectory(std::vector<QxArchiveEntry>& entries);

private:
    enum class DirectoryResult { NotArchive, Damaged, Complete };

    void Load();
    DirectoryResult ParseDirectory(std::vector<QxArchiveEntry>& entries, uint32_t& declared);
    void CloseArchive();

    QxFileManager* m_ownerManager = nullptr;
    QxFileSystem* m_ownerSystem = nullptr;
    std::string m_archiveName;
    QxFile* m_archive = nullptr;
    uint32_t m_archiveSize = 0;
    std::map<std::string, QxArchiveEntry, QxFileNameLess> m_directory;
    std::vector<std::unique_ptr<QxBuffer>> m_handedOut;
    bool m_loaded = false;
    bool m_damaged = false;
};
