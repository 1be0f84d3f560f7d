#pragma once
// Putting a written file on the disk itself. A file that is renamed over an older one
// must be there whole first: after a crash or a power cut the system may otherwise
// keep the rename but not the bytes, and the older file is lost to an empty one.

#include <cstdio>

namespace platform {

// Flushes the stream's buffer and has the system write the file's bytes to the disk
// (fsync; FlushFileBuffers on Windows). False when either step fails.
bool FlushToDisk(std::FILE* stream);

} // namespace platform
