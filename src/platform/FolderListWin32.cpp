// Folder enumeration on Windows, through the desktop's own wildcard search.
#if defined(_WIN32)

#include <windows.h>

#include "platform/FolderList.h"

namespace platform {

bool ListFolder(const std::string& folder, const std::string& wildcard,
                std::vector<FolderEntry>& entries) {
    std::string pattern = folder;
    if (!pattern.empty() && pattern.back() != '/' && pattern.back() != '\\') {
        pattern += '\\';
    }
    pattern += wildcard.empty() ? std::string("*") : wildcard;

    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        // An empty match is a readable folder; a missing folder is not.
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES;
    }
    std::vector<FolderEntry> found;
    do {
        const std::string name = data.cFileName;
        if (name == "." || name == "..") {
            continue;
        }
        const DWORD attributes = data.dwFileAttributes;
        const bool isFolder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
                              (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
        found.push_back({name, isFolder});
    } while (FindNextFileA(find, &data));
    FindClose(find);
    entries.insert(entries.end(), found.begin(), found.end());
    return true;
}

} // namespace platform

#endif
