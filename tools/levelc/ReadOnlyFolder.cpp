#include "ReadOnlyFolder.h"

QxFile* ReadOnlyFolder::Open(const std::string& name, int32_t mode) {
    if ((mode & (kModeWrite | kModeAppend)) != 0) {
        return nullptr;
    }
    return QxWin32FileManager::Open(name, mode);
}
