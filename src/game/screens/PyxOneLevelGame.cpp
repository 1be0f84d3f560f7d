#include "game/screens/PyxOneLevelGame.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "app/QxGlobals.h"
#include "engine/entity/QxEntityRegistry.h"
#include "engine/files/QxFileLE.h"
#include "engine/files/QxFileManager.h"
#include "engine/files/QxFileSystem.h"
#include "game/rules/PyxLevelList.h"
#include "game/screens/PyxEntityStdGameScene.h"

namespace {

bool WriteWhole(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::FILE* handle = std::fopen(path.c_str(), "wb");
    if (handle == nullptr) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), handle) == bytes.size();
    return std::fclose(handle) == 0 && written;
}

} // namespace

std::string PyxPrepareOneLevelGame(const std::string& name, const std::vector<std::uint8_t>& level,
                                   const std::string& folder) {
    auto* type = g_registry != nullptr ? dynamic_cast<PyxEntityStdGameSceneType*>(
                                             g_registry->FindType("PyxStdGame", "stdgame"))
                                       : nullptr;
    if (type == nullptr || type->m_levelSet.empty()) {
        return "the data has no game screen (PyxStdGame, stdgame) naming a level set";
    }
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    const std::string file = std::filesystem::path(name).filename().string();
    if (file.empty() || !WriteWhole(folder + file, level)) {
        return "the level " + name + " cannot be written to " + folder;
    }
    PyxLevelList list;
    list.Entries().push_back({file, file, "", 0});
    // The list goes where the level set names it and, by its bare name, at the top.
    std::string levelSet = type->m_levelSet;
    std::replace(levelSet.begin(), levelSet.end(), '\\', '/');
    for (const std::string& path :
         {folder + levelSet, folder + std::filesystem::path(levelSet).filename().string()}) {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
        std::FILE* handle = std::fopen(path.c_str(), "wb");
        if (handle == nullptr) {
            return "the level list cannot be written to " + path;
        }
        QxFileLE out(handle);
        const bool written = list.Write(out);
        std::fclose(handle);
        if (!written) {
            return "the level list cannot be written to " + path;
        }
    }
    return {};
}

bool PyxReadDataFile(const std::string& name, std::vector<std::uint8_t>& bytes) {
    QxFileSystem* fileSystem = CurrentFileSystem();
    if (fileSystem == nullptr) {
        return false;
    }
    QxScopedFile file(fileSystem, fileSystem->Open(name, QxFileManager::kModeReadBinary));
    if (!file) {
        return false;
    }
    bytes.resize(file->GetSize());
    return file->ReadBytes(static_cast<std::uint32_t>(bytes.size()), bytes.data()) == bytes.size();
}
