#include "engine/files/QxWin32FileManager.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "engine/files/QxFileLE.h"
#include "engine/files/QxPath.h"
#include "platform/FolderList.h"

namespace fs = std::filesystem;

namespace {

// Recursive listing stops this deep, so a folder that contains itself cannot loop.
constexpr int kMaxListDepth = 32;

using platform::FolderEntry;

std::string WithForwardSlashes(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

bool SameName(const std::string& a, const std::string& b) {
    return CompareFileNames(a, b) == 0;
}

// The entry of folder whose name matches name ignoring case; empty when none does.
// The smallest such name wins, so the answer is stable.
std::string FindCaseless(const fs::path& folder, const std::string& name) {
    std::error_code ec;
    std::string best;
    for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec), end;
         !ec && it != end; it.increment(ec)) {
        const std::string candidate = it->path().filename().string();
        if (SameName(candidate, name) && (best.empty() || candidate < best)) {
            best = candidate;
        }
    }
    return best;
}

// The platform path for a program name: "\" becomes "/", and when the exact path does
// not exist each missing part is looked up ignoring case. Parts that are not found
// stay as given, so a file about to be created keeps its name.
fs::path ResolvePath(const std::string& name) {
    const std::string path = WithForwardSlashes(name);
    std::error_code ec;
    if (path.empty() || fs::exists(fs::path(path), ec)) {
        return fs::path(path);
    }

    // The root stays as given: "/" here, a drive such as "C:/" or a share on Windows.
    fs::path result = fs::path(path).root_path();
    size_t start = result.string().size();
    bool searching = true;
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string::npos) {
            end = path.size();
        }
        const std::string part = path.substr(start, end - start);
        start = end + 1;
        if (part.empty()) {
            continue;
        }
        if (searching && part != "." && part != ".." &&
            !fs::exists(result.empty() ? fs::path(part) : result / part, ec)) {
            const std::string found = FindCaseless(result, part);
            if (!found.empty()) {
                result = result.empty() ? fs::path(found) : result / found;
                continue;
            }
            searching = false;
        }
        result = result.empty() ? fs::path(part) : result / part;
    }
    if (!path.empty() && path.back() == '/') {
        result /= "";
    }
    return result;
}

// The entries matching a folder-and-wildcard pattern, in a stable order.
std::vector<FolderEntry> Enumerate(const std::string& pattern) {
    std::string folder, wildcard;
    SplitPath(WithForwardSlashes(pattern), folder, wildcard);
    std::vector<FolderEntry> entries;
    platform::ListFolder(folder.empty() ? std::string() : ResolvePath(folder).string(), wildcard,
                         entries);
    std::sort(entries.begin(), entries.end(), [](const FolderEntry& a, const FolderEntry& b) {
        const int order = CompareFileNames(a.name, b.name);
        return order != 0 ? order < 0 : a.name < b.name;
    });
    return entries;
}

const char* StreamMode(int32_t mode) {
    const bool binary = (mode & QxFileManager::kModeBinary) != 0;
    if (mode & QxFileManager::kModeAppend) {
        return binary ? "a+b" : "a+";
    }
    const bool read = (mode & QxFileManager::kModeRead) != 0;
    const bool write = (mode & QxFileManager::kModeWrite) != 0;
    if (read && write) {
        return binary ? "r+b" : "r+";
    }
    if (read) {
        return binary ? "rb" : "r";
    }
    if (write) {
        return binary ? "wb" : "w";
    }
    return nullptr;
}

} // namespace

QxWin32FileManager::~QxWin32FileManager() {
    for (const auto& file : m_open) {
        std::fclose(file->GetHandle());
    }
}

QxFile* QxWin32FileManager::Open(const std::string& name, int32_t mode) {
    const char* streamMode = StreamMode(mode);
    if (name.empty() || !streamMode) {
        return nullptr;
    }
    try {
        const fs::path path = ResolvePath(m_root + name);
        std::error_code ec;
        // A folder is not a file, even where the platform lets a stream open one.
        if (fs::is_directory(path, ec)) {
            return nullptr;
        }
        std::FILE* handle = std::fopen(path.string().c_str(), streamMode);
        if (!handle) {
            return nullptr;
        }
        std::unique_ptr<QxFileLE> file;
        try {
            if constexpr (std::endian::native == std::endian::big) {
                file = std::make_unique<QxFileBE>(handle);
            } else {
                file = std::make_unique<QxFileLE>(handle);
            }
            m_open.push_back(std::move(file));
        } catch (...) {
            std::fclose(handle);
            return nullptr;
        }
        return m_open.back().get();
    } catch (...) {
        return nullptr;
    }
}

int32_t QxWin32FileManager::Close(QxFile* file) {
    if (!file) {
        return kNotMine;
    }
    auto it =
        std::find_if(m_open.begin(), m_open.end(),
                     [file](const std::unique_ptr<QxFileLE>& open) { return open.get() == file; });
    if (it == m_open.end()) {
        return kNotMine;
    }
    std::fclose((*it)->GetHandle());
    m_open.erase(it);
    return kClosed;
}

int32_t QxWin32FileManager::ListFiles(const std::string& pattern, const std::string& prefix,
                                      bool recursive, std::vector<std::string>& list) {
    try {
        ListFilesAt(pattern, prefix, recursive, 0, list);
    } catch (...) {
        // A listing cut short by a platform failure keeps what it found.
    }
    return 0;
}

void QxWin32FileManager::ListFilesAt(const std::string& pattern, const std::string& prefix,
                                     bool recursive, int depth, std::vector<std::string>& list) {
    if (recursive && depth < kMaxListDepth) {
        std::string folder, file;
        SplitPath(pattern, folder, file);
        for (const FolderEntry& entry : Enumerate(m_root + folder + "*.*")) {
            if (entry.isFolder) {
                ListFilesAt(folder + entry.name + "\\" + file, prefix + entry.name + "\\", true,
                            depth + 1, list);
            }
        }
    }
    for (FolderEntry& entry : Enumerate(m_root + pattern)) {
        list.push_back(prefix + entry.name);
    }
}

int32_t QxWin32FileManager::ListFolders(const std::string& path, std::vector<std::string>& list) {
    try {
        for (FolderEntry& entry : Enumerate(path + "\\*.*")) {
            if (entry.isFolder) {
                list.push_back(std::move(entry.name));
            }
        }
    } catch (...) {
        // Keep what was found.
    }
    return 1;
}
