#pragma once
#include <cstdint>
#include <string>
#include <vector>

class QxFile;

// One source of files for the file system: a folder or an archive. Every name it
// opens is prefixed with its root. Files it opens stay its own until Close.
class QxFileManager {
public:
    // Open modes, a bit set. Game data is opened with kModeRead | kModeBinary.
    static constexpr int32_t kModeRead = 1;
    static constexpr int32_t kModeWrite = 2;
    static constexpr int32_t kModeBinary = 4;
    static constexpr int32_t kModeAppend = 8;
    static constexpr int32_t kModeReadBinary = kModeRead | kModeBinary;

    // Close results.
    static constexpr int32_t kClosed = 1;
    static constexpr int32_t kNotMine = 2;

    QxFileManager() = default;
    QxFileManager(const QxFileManager&) = delete;
    QxFileManager& operator=(const QxFileManager&) = delete;
    virtual ~QxFileManager() = default;

    // The file, or null when this source does not have it.
    virtual QxFile* Open(const std::string& name, int32_t mode) = 0;
    // 1 when this manager closed (and destroyed) the file, otherwise 2.
    virtual int32_t Close(QxFile* file) = 0;
    // Appends the names matching pattern, each after prefix.
    virtual int32_t ListFiles(const std::string& pattern, const std::string& prefix, bool recursive,
                              std::vector<std::string>& list) = 0;
    virtual int32_t ListFolders(const std::string& path, std::vector<std::string>& list);
    virtual void SetRoot(const std::string& root) { m_root = root; }

protected:
    std::string m_root;
};
