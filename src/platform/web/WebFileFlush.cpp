// A saved file in the browser is kept once the storage folder is written out to the
// browser's storage; the page does that a moment after the save.

#include "platform/FileFlush.h"
#include "platform/web/WebStorage.h"

namespace platform {

bool FlushToDisk(std::FILE* stream) {
    if (stream == nullptr || std::fflush(stream) != 0) {
        return false;
    }
    web::RequestStorageSync();
    return true;
}

} // namespace platform
