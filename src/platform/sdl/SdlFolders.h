#pragma once
// The XDG folders of the desktop binding.

#include <string>

namespace platform::sdl {

inline constexpr const char* kMakerName = "Quillfern Studio";
inline constexpr const char* kProductName = "Rondelix";

// $XDG_DATA_HOME, or ~/.local/share; empty when neither names a folder.
std::string DataHome();
// $XDG_CONFIG_HOME (or ~/.config) + "/Quillfern Studio/Rondelix".
std::string ConfigFolder();

} // namespace platform::sdl
