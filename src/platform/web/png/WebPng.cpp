#include "engine/files/QxLog.h"
#include "engine/screen/QxPng.h"

// The browser build has no PNG library; nothing in the game needs one there.

bool SavePng(const std::string& path, const uint16_t*, int, int, int) {
    LogPrintf("Screenshot %s not written: no PNG support in this build.", path.c_str());
    return false;
}

bool LoadPng(const std::string&, std::vector<uint16_t>*, int*, int*) {
    return false;
}
