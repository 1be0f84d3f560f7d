#pragma once
// Folder enumeration by wildcard, as the file managers list data files: the desktop's
// own enumeration on Windows (FindFirstFileA and FindNextFileA), the standard
// library's elsewhere. Shared by every binding, so tests list folders the way the
// game does on the same system.

#include <string>
#include <vector>

namespace platform {

struct FolderEntry {
    std::string name;
    bool isFolder = false; // a real folder, not a link to one
};

// Appends the entries of folder (empty: the working folder) whose names match
// wildcard ("*" any run, "?" one character, letters in either case; "*.*" and "*"
// match every name). "." and ".." are never listed. The order is the platform's.
// False when the folder cannot be read; nothing is appended then.
bool ListFolder(const std::string& folder, const std::string& wildcard,
                std::vector<FolderEntry>& entries);

} // namespace platform
