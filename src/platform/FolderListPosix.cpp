// Folder enumeration for systems other than Windows, over std::filesystem.
#if !defined(_WIN32)

#include <filesystem>
#include <system_error>

#include "platform/FolderList.h"

namespace platform {
namespace {

unsigned char Fold(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u - 'A' + 'a') : u;
}

// Wildcard match as the desktop's enumeration does it: "*.*" matches every name, with
// or without a dot.
bool MatchesWildcard(const std::string& pattern, const std::string& name) {
    if (pattern == "*.*" || pattern == "*") {
        return true;
    }
    size_t p = 0, n = 0, starP = std::string::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() && (pattern[p] == '?' || Fold(pattern[p]) == Fold(name[n]))) {
            ++p;
            ++n;
        } else if (starP != std::string::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

} // namespace

bool ListFolder(const std::string& folder, const std::string& wildcard,
                std::vector<FolderEntry>& entries) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(folder), ec);
    if (ec) {
        return false;
    }
    std::vector<FolderEntry> found;
    for (const fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (name == "." || name == ".." || !MatchesWildcard(wildcard, name)) {
            continue;
        }
        std::error_code typeError;
        const bool isFolder = it->is_directory(typeError) && !it->is_symlink(typeError);
        found.push_back({std::move(name), isFolder});
    }
    entries.insert(entries.end(), found.begin(), found.end());
    return true;
}

} // namespace platform

#endif
