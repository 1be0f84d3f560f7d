// Writing a file through to the disk on Windows.
#if defined(_WIN32)

#include <windows.h>

#include <io.h>

#include "platform/FileFlush.h"

namespace platform {

bool FlushToDisk(std::FILE* stream) {
    if (stream == nullptr || std::fflush(stream) != 0) {
        return false;
    }
    const int descriptor = _fileno(stream);
    if (descriptor < 0) {
        return false;
    }
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(descriptor));
    return handle != INVALID_HANDLE_VALUE && FlushFileBuffers(handle) != 0;
}

} // namespace platform

#endif
