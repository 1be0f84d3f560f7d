#include "engine/files/QxFileManager.h"

int32_t QxFileManager::ListFolders(const std::string&, std::vector<std::string>&) {
    return 0;
}
