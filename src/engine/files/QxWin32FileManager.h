#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/files/QxFileLE.h"
#include "engine/files/QxFileManager.h"

// A folder of the platform file system under the root prefix. Names may use "/" or
// "\" and any letter case; the exact name is tried first.
class QxWin32FileManager : public QxFileManager {
public:
    QxWin32FileManager() = default;
    ~QxWin32FileManager() override;

    // Mode bits map to the stream modes "a+", "r+", "r" or "w", plus "b" for binary.
    // Only regular files open; the path is root + name with no separator added.
    QxFile* Open(const std::string& name, int32_t mode) override;
    int32_t Close(QxFile* file) override;
    // Recursive listing puts the matches in subfolders (prefixed "folder\") before
    // those of the folder itself. Folders match as well as files.
    int32_t ListFiles(const std::string& pattern, const std::string& prefix, bool recursive,
                      std::vector<std::string>& list) override;
    // Names of the folders in path (without the root); returns 1.
    int32_t ListFolders(const std::string& path, std::vector<std::string>& list) override;

    size_t GetOpenCount() const { return m_open.size(); }

private:
    void ListFilesAt(const std::string& pattern, const std::string& prefix, bool recursive,
                     int depth, std::vector<std::string>& list);

    std::vector<std::unique_ptr<QxFileLE>> m_open;
};
