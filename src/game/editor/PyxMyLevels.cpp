#include "game/editor/PyxMyLevels.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "app/QxGlobals.h"
#include "app/QxSettingsManager.h"
#include "engine/files/QxBuffer.h"
#include "engine/files/QxFileLE.h"
#include "engine/files/QxLog.h"
#include "game/field/PyxLevel.h"
#include "platform/FileFlush.h"

namespace {

constexpr const char* kExtension = ".lvl";
constexpr std::size_t kMaxStem = 40;

// ASCII only: the names must come out the same whatever the locale, and a name of
// other letters still gets a file of its own from its ASCII part or "level".
char FileNameChar(char c) {
    if (c >= 'A' && c <= 'Z') {
        return char(c - 'A' + 'a');
    }
    if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
        return c;
    }
    return '-';
}

bool WriteAll(std::FILE* stream, const std::uint8_t* data, std::size_t size) {
    return size == 0 || std::fwrite(data, 1, size, stream) == size;
}

bool Failed(const std::string& reason, const std::string& path, std::string& error) {
    error = reason;
    LogPrintf("%s: %s", path.c_str(), reason.c_str());
    return false;
}

} // namespace

namespace {

std::string UserDataSubfolder(const char* name) {
    if (!g_settingsManager) {
        return {};
    }
    const std::string folder = g_settingsManager->UserDataFolder("") + name;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        // Said here; the write that follows fails with a reason of its own.
        LogPrintf("Folder %s not made: %s", folder.c_str(), error.message().c_str());
    }
    return folder;
}

} // namespace

std::string PyxMyLevelsFolder() {
    return UserDataSubfolder("Levels/");
}

std::string PyxExportedSetsFolder() {
    return UserDataSubfolder("Exported/");
}

std::string PyxSafeFileStem(const std::string& name, const std::string& fallback) {
    std::string stem;
    for (const char c : name) {
        const char kept = FileNameChar(c);
        if (kept != '-' || (!stem.empty() && stem.back() != '-')) {
            stem += kept;
        }
    }
    if (stem.size() > kMaxStem) {
        stem.resize(kMaxStem);
    }
    while (!stem.empty() && stem.back() == '-') {
        stem.pop_back();
    }
    return stem.empty() ? fallback : stem;
}

std::string PyxLevelFileName(const std::string& levelName) {
    return PyxSafeFileStem(levelName, "level") + kExtension;
}

std::vector<std::string> PyxListLevelFiles(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        const std::filesystem::path& path = it->path();
        std::error_code typeError;
        if (path.extension() == kExtension && it->is_regular_file(typeError)) {
            names.push_back(path.filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool PyxReplaceFile(const std::string& path, std::span<const std::uint8_t> bytes,
                    std::string& error) {
    const std::string temporary = path + ".tmp";
    std::FILE* stream = std::fopen(temporary.c_str(), "wb");
    if (!stream) {
        return Failed("cannot create " + temporary, path, error);
    }
    bool written = WriteAll(stream, bytes.data(), bytes.size());
    written = written && platform::FlushToDisk(stream);
    written = std::fclose(stream) == 0 && written;
    std::error_code renameError;
    if (written) {
        std::filesystem::rename(temporary, path, renameError);
    }
    if (!written || renameError) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return Failed(written ? "cannot replace it: " + renameError.message()
                              : "cannot write " + temporary,
                      path, error);
    }
    return true;
}

bool PyxReadWholeFile(const std::string& path, std::size_t maxBytes,
                      std::vector<std::uint8_t>& bytes, std::string& error) {
    bytes.clear();
    std::error_code typeError;
    if (!std::filesystem::is_regular_file(path, typeError)) {
        return Failed("there is no such file", path, error);
    }
    std::FILE* stream = std::fopen(path.c_str(), "rb");
    if (!stream) {
        return Failed("cannot open it", path, error);
    }
    // One byte more than allowed tells a file that is too large, whatever its size
    // says (it may grow while it is read).
    bytes.resize(maxBytes + 1);
    const std::size_t read = std::fread(bytes.data(), 1, bytes.size(), stream);
    const bool failed = std::ferror(stream) != 0;
    std::fclose(stream);
    bytes.resize(std::min(read, bytes.size()));
    if (failed || read > maxBytes) {
        bytes.clear();
        return Failed(failed ? "cannot read it"
                             : "it is larger than " + std::to_string(maxBytes) + " bytes",
                      path, error);
    }
    return true;
}

bool PyxWriteLevelFile(const std::string& path, PyxLevel& level, std::string& error) {
    // The whole file is made in memory first, so a level that cannot be written
    // touches nothing on disk.
    QxBuffer bytes;
    if (!level.SaveLevel(bytes)) {
        return Failed("the level could not be written", path, error);
    }
    return PyxReplaceFile(path, {bytes.GetData(), bytes.Tell()}, error);
}

bool PyxReadLevelFile(const std::string& path, PyxLevel& level, std::string& error) {
    std::FILE* stream = std::fopen(path.c_str(), "rb");
    if (!stream) {
        return Failed("cannot open it", path, error);
    }
    QxFileLE file(stream);
    const bool loaded = level.LoadLevel(file) == 1;
    std::fclose(stream);
    if (!loaded) {
        return Failed(level.ErrorText(), path, error);
    }
    return true;
}
