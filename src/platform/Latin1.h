#pragma once
// Typed text as the game takes it: Latin-1 character codes, as the desktop types them.

#include <cstdint>
#include <vector>

namespace platform {

// UTF-8 text as Latin-1 character codes; characters beyond 255, control characters and
// broken sequences are dropped.
std::vector<std::uint32_t> Latin1Characters(const char* utf8);

} // namespace platform
