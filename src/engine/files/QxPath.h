#pragma once
#include <string>

// Splits a path at its last "/", "\" or ":" (not the first character): folder keeps
// everything up to and including the separator, file the rest. Without a separator
// the folder is empty and the file is the whole path.
void SplitPath(const std::string& path, std::string& folder, std::string& file);

// File names compare character by character with letters folded to one case and "/"
// equal to "\"; the shorter of two equal runs sorts first. Negative, zero, positive.
int CompareFileNames(const std::string& a, const std::string& b);

// True when name ends in suffix under the file name comparison.
bool FileNameEndsWith(const std::string& name, const std::string& suffix);

// Ordering for containers keyed by file name.
struct QxFileNameLess {
    bool operator()(const std::string& a, const std::string& b) const {
        return CompareFileNames(a, b) < 0;
    }
};
