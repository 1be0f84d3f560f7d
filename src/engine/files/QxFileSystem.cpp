#include "engine/files/QxFileSystem.h"

#include <utility>

#include "engine/files/QxFile.h"

namespace {

thread_local QxFileSystem* t_currentFileSystem = nullptr;

} // namespace

QxFileSystem* CurrentFileSystem() {
    return t_currentFileSystem;
}

void SetCurrentFileSystem(QxFileSystem* fileSystem) {
    t_currentFileSystem = fileSystem;
}

QxFileSystem::~QxFileSystem() {
    // An archive closes its own file through this file system while it is destroyed,
    // so it must still find the folders it came from, and no longer itself.
    while (!m_managers.empty()) {
        std::unique_ptr<QxFileManager> last = std::move(m_managers.back());
        m_managers.pop_back();
        last.reset();
    }
    if (t_currentFileSystem == this) {
        t_currentFileSystem = nullptr;
    }
}

QxFile* QxFileSystem::Open(const std::string& name, int32_t mode) {
    for (const auto& manager : m_managers) {
        if (QxFile* file = manager->Open(name, mode)) {
            return file;
        }
    }
    return nullptr;
}

int32_t QxFileSystem::Close(QxFile* file) {
    for (const auto& manager : m_managers) {
        if (manager->Close(file) == QxFileManager::kClosed) {
            return QxFileManager::kClosed;
        }
    }
    return QxFileManager::kNotMine;
}

int32_t QxFileSystem::ListFiles(const std::string& pattern, const std::string& prefix,
                                bool recursive, std::vector<std::string>& list) {
    for (const auto& manager : m_managers) {
        manager->ListFiles(pattern, prefix, recursive, list);
    }
    return 0;
}

int32_t QxFileSystem::ListFolders(const std::string& path, std::vector<std::string>& list) {
    for (const auto& manager : m_managers) {
        manager->ListFolders(path, list);
    }
    return 0;
}

int32_t QxFileSystem::AddManager(std::unique_ptr<QxFileManager> manager, const std::string& root) {
    if (!manager) {
        return 0;
    }
    manager->SetRoot(root);
    m_managers.push_back(std::move(manager));
    return 1;
}
