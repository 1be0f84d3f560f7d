#include "platform/web/WebStorage.h"

#include <emscripten/emscripten.h>

#include "engine/files/QxLog.h"

namespace platform::web {

std::string StorageFolder() {
    return "/save";
}

bool IsStorageRefused() {
    return MAIN_THREAD_EM_ASM_INT({ return Module.rondelixStorage == "refused" ? 1 : 0; }) != 0;
}

void RequestStorageSync() {
    const bool failed = MAIN_THREAD_EM_ASM_INT({
                            if (Module.rondelixSync) {
                                Module.rondelixSync();
                            }
                            return Module.rondelixStorageFailed ? 1 : 0;
                        }) != 0;
    if (failed) {
        LogPrintfOnce("Storage - the browser did not keep the saved files; settings and scores "
                      "last until the page closes.");
    }
}

} // namespace platform::web
