#pragma once
// Registry functions of Platform.h over a text file, shared by the bindings of systems
// that have no registry. Lines: "K\tpath", then "U\tname\tdecimal" or "S\tname\ttext"
// for the values of that key; fields are escaped so tabs and line breaks survive, and
// damaged lines are skipped. CreateFolder over std::filesystem lives here as well.

#include <string>

#include "platform/Platform.h"

namespace platform {

// Where the registry file is; each binding that links this defines it.
std::string FileRegistryPath();

} // namespace platform
