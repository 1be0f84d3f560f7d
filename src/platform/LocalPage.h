#pragma once
// Which files the bindings hand to the browser: only an HTML page the game ships. The
// shell or xdg-open would start a program or open any other document with whatever
// handles it, so nothing else may get that far.

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <system_error>

namespace platform {

inline bool IsLocalPage(const std::filesystem::path& page) {
    if (!page.is_absolute()) {
        return false;
    }
    std::string extension = page.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    if (extension != ".html" && extension != ".htm") {
        return false;
    }
    std::error_code ec;
    return std::filesystem::is_regular_file(page, ec);
}

} // namespace platform
