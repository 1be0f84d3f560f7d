#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/files/QxFileManager.h"

class QxFile;

// Opens files by name through an ordered list of sources (folders first, then
// archives), so a loose file overrides an archive entry of the same name.
class QxFileSystem {
public:
    QxFileSystem() = default;
    QxFileSystem(const QxFileSystem&) = delete;
    QxFileSystem& operator=(const QxFileSystem&) = delete;
    // Destroys the managers, last added first, so an archive can still close its
    // file through the folders before it.
    virtual ~QxFileSystem();

    // The first file any manager opens, in list order; null when none has it.
    virtual QxFile* Open(const std::string& name, int32_t mode);
    // 1 when a manager closed the file, 2 when none knows it.
    virtual int32_t Close(QxFile* file);
    // Every manager appends its matches to the same list; returns 0.
    virtual int32_t ListFiles(const std::string& pattern, const std::string& prefix, bool recursive,
                              std::vector<std::string>& list);
    virtual int32_t ListFolders(const std::string& path, std::vector<std::string>& list);

    // Gives the manager its root and appends it; 0 for a null manager, else 1.
    int32_t AddManager(std::unique_ptr<QxFileManager> manager, const std::string& root);

private:
    std::vector<std::unique_ptr<QxFileManager>> m_managers;
};

// The file system of the calling thread (null until set). Resource loading goes
// through it, so the loading thread can run on a file system of its own.
QxFileSystem* CurrentFileSystem();
void SetCurrentFileSystem(QxFileSystem* fileSystem);

// Closes a file through its file system when it goes out of scope.
class QxScopedFile {
public:
    QxScopedFile(QxFileSystem* fileSystem, QxFile* file) : m_fileSystem(fileSystem), m_file(file) {}
    QxScopedFile(const QxScopedFile&) = delete;
    QxScopedFile& operator=(const QxScopedFile&) = delete;
    ~QxScopedFile() {
        if (m_file && m_fileSystem) {
            m_fileSystem->Close(m_file);
        }
    }

    QxFile* Get() const { return m_file; }
    QxFile* operator->() const { return m_file; }
    explicit operator bool() const { return m_file != nullptr; }

private:
    QxFileSystem* m_fileSystem;
    QxFile* m_file;
};
