// Writing a file through to the disk on systems other than Windows.
#if !defined(_WIN32)

#include <unistd.h>

#include "platform/FileFlush.h"

namespace platform {

bool FlushToDisk(std::FILE* stream) {
    if (stream == nullptr || std::fflush(stream) != 0) {
        return false;
    }
    const int descriptor = fileno(stream);
    return descriptor >= 0 && fsync(descriptor) == 0;
}

} // namespace platform

#endif
