#include "platform/DataFolder.h"

#include <system_error>

namespace platform {

bool HoldsArchive(const std::filesystem::path& folder) {
    std::error_code ec;
    for (auto it = std::filesystem::directory_iterator(folder, ec);
         !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        std::error_code fileError;
        if (it->path().extension() == ".qxa" && it->is_regular_file(fileError)) {
            return true;
        }
    }
    return false;
}

std::filesystem::path FindDataFolder(const std::filesystem::path& workingFolder,
                                     const std::filesystem::path& executable) {
    if (HoldsArchive(workingFolder)) {
        return {};
    }
    const std::filesystem::path bin = executable.parent_path();
    if (bin.empty()) {
        return {};
    }
    for (const std::filesystem::path& candidate : {bin, bin.parent_path() / "share" / "rondelix"}) {
        if (HoldsArchive(candidate)) {
            return candidate;
        }
    }
    return {};
}

} // namespace platform
