#include "engine/files/QxPath.h"

namespace {

unsigned char FoldNameChar(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u >= 'A' && u <= 'Z') {
        return static_cast<unsigned char>(u - 'A' + 'a');
    }
    if (u == '\\') {
        return '/';
    }
    return u;
}

bool IsSeparator(char c) {
    return c == '/' || c == '\\' || c == ':';
}

} // namespace

void SplitPath(const std::string& path, std::string& folder, std::string& file) {
    for (size_t i = path.size(); i-- > 1;) {
        if (IsSeparator(path[i])) {
            folder = path.substr(0, i + 1);
            file = path.substr(i + 1);
            return;
        }
    }
    folder.clear();
    file = path;
}

int CompareFileNames(const std::string& a, const std::string& b) {
    const size_t common = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < common; ++i) {
        const unsigned char ca = FoldNameChar(a[i]);
        const unsigned char cb = FoldNameChar(b[i]);
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
    }
    if (a.size() == b.size()) {
        return 0;
    }
    return a.size() < b.size() ? -1 : 1;
}

bool FileNameEndsWith(const std::string& name, const std::string& suffix) {
    if (suffix.size() > name.size()) {
        return false;
    }
    const size_t start = name.size() - suffix.size();
    for (size_t i = 0; i < suffix.size(); ++i) {
        if (FoldNameChar(name[start + i]) != FoldNameChar(suffix[i])) {
            return false;
        }
    }
    return true;
}
