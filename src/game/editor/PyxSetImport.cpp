#include "game/editor/PyxSetImport.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <filesystem>
#include <memory>
#include <system_error>

#include "engine/files/QxArchiveManager.h"
#include "engine/files/QxBuffer.h"
#include "engine/files/QxDataArchives.h"
#include "engine/files/QxLog.h"
#include "game/editor/PyxLevelSets.h"
#include "game/editor/PyxMyLevels.h"
#include "game/editor/PyxSharedSet.h"
#include "game/screens/PyxEntityLoadingScene.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

constexpr const char* kExtension = ".qxa";
// "<stem>-2" to "<stem>-99"; a folder with that many sets of one name takes no more.
constexpr int kMaxNameTries = 99;
// The scene listing the player's sets and the shared ones.
constexpr const char* kMyLevelsClass = "PyxPlayMyLevels";
constexpr const char* kMyLevelsType = "mylevels";

// Serves the bytes read from the player's file as the archive, so that what is judged
// is exactly what is copied, whatever happens to the file meanwhile.
class MemorySource : public QxFileManager {
public:
    explicit MemorySource(const Bytes& bytes) : m_bytes(bytes) {}

    QxFile* Open(const std::string&, std::int32_t) override {
        if (m_file) {
            return nullptr;
        }
        m_file = std::make_unique<QxBuffer>();
        m_file->Allocate(std::uint32_t(m_bytes.size()), 0);
        if (!m_bytes.empty()) {
            std::memcpy(m_file->GetData(), m_bytes.data(), m_bytes.size());
        }
        return m_file.get();
    }
    std::int32_t Close(QxFile* file) override {
        if (!file || file != m_file.get()) {
            return kNotMine;
        }
        m_file.reset();
        return kClosed;
    }
    std::int32_t ListFiles(const std::string&, const std::string&, bool,
                           std::vector<std::string>&) override {
        return 0;
    }

private:
    const Bytes& m_bytes;
    std::unique_ptr<QxBuffer> m_file;
};

PyxSetImport& Refused(PyxSetImport& result, const std::string& source, const std::string& reason) {
    result.error = reason;
    LogPrintf("Level set %s not taken: %s.", source.c_str(), reason.c_str());
    return result;
}

bool EndsInExtension(const std::string& name) {
    std::string extension = fs::path(name).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
    return extension == kExtension;
}

// Why the bytes are not worth a place in the level folder; empty when they are. A
// damaged set is: the list says what is wrong with it, which tells the player more than
// a line in the log.
std::string NotASet(const Bytes& bytes, const std::string& source) {
    MemorySource memory(bytes);
    QxArchiveManager archive(&memory, source);
    if (!archive.IsLoaded()) {
        return "it is not an archive";
    }
    if (!archive.IsDamaged() && !archive.FindEntry(kSharedSetEntry)) {
        return std::string("it holds no ") + kSharedSetEntry + ", so it is not a level set";
    }
    return {};
}

bool SameBytes(const fs::path& path, const Bytes& bytes) {
    std::error_code error;
    if (fs::file_size(path, error) != bytes.size() || error) {
        return false;
    }
    Bytes there;
    std::string ignored;
    return PyxReadWholeFile(path.string(), bytes.size(), there, ignored) && there == bytes;
}

// A ".qxa" of the folder holding the bytes; empty when none does.
std::string Holding(const std::string& folder, const Bytes& bytes) {
    std::vector<fs::path> paths;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code typeError;
        if (it->path().extension() == kExtension && it->is_regular_file(typeError)) {
            paths.push_back(it->path());
        }
    }
    std::sort(paths.begin(), paths.end());
    for (const fs::path& path : paths) {
        if (SameBytes(path, bytes)) {
            return path.string();
        }
    }
    return {};
}

// The first name of the folder no file or folder has; empty when every try is taken.
std::string FreeName(const std::string& folder, const std::string& stem) {
    for (int n = 1; n <= kMaxNameTries; ++n) {
        const std::string name = n == 1 ? stem : stem + "-" + std::to_string(n);
        const fs::path path = fs::path(folder) / (name + kExtension);
        const fs::path temporary = fs::path(path.string() + ".tmp");
        // A dangling link counts as taken too: the name is not free to replace.
        std::error_code error;
        if (!fs::exists(fs::symlink_status(path, error)) &&
            !fs::exists(fs::symlink_status(temporary, error))) {
            return path.string();
        }
    }
    return {};
}

PyxSetImport Import(const std::string& source, const std::string& folder) {
    PyxSetImport result;
    if (folder.empty()) {
        return Refused(result, source, "there is no level folder to put it in");
    }
    if (!EndsInExtension(source)) {
        return Refused(result, source, std::string("its name does not end in ") + kExtension);
    }
    std::error_code error;
    const bool file = fs::is_regular_file(source, error);
    const std::uintmax_t size = file ? fs::file_size(source, error) : 0;
    if (!file || error) {
        return Refused(result, source, "there is no such file");
    }
    if (size > kPyxMaxSharedSetBytes) {
        return Refused(result, source,
                       "it is larger than " + std::to_string(kPyxMaxSharedSetBytes) + " bytes");
    }
    // At most the size just asked, so a small file costs a small read; one that grew
    // since is refused as too large.
    Bytes bytes;
    std::string readError;
    if (!PyxReadWholeFile(source, std::size_t(size), bytes, readError)) {
        return Refused(result, source, readError);
    }
    if (const std::string problem = NotASet(bytes, source); !problem.empty()) {
        return Refused(result, source, problem);
    }
    if (const std::string there = Holding(folder, bytes); !there.empty()) {
        result.path = there;
        LogPrintf("Level set %s is already in the level folder as %s.", source.c_str(),
                  there.c_str());
        return result;
    }
    const std::string stem = PyxLevelSets::SafeName(fs::path(source).stem().string());
    result.path = FreeName(folder, stem);
    if (result.path.empty()) {
        return Refused(result, source, "the level folder has too many sets named " + stem);
    }
    std::string writeError;
    if (!PyxReplaceFile(result.path, bytes, writeError)) {
        result.path.clear();
        return Refused(result, source, writeError);
    }
    result.copied = true;
    LogPrintf("Level set %s copied to %s.", source.c_str(), result.path.c_str());
    return result;
}

} // namespace

PyxSetImport PyxImportSharedSet(const std::string& source, const std::string& folder) {
    try {
        return Import(source, folder);
    } catch (const std::exception& exception) {
        PyxSetImport result;
        return Refused(result, source, std::string("it cannot be read: ") + exception.what());
    }
}

void PyxOpenSetFromCommandLine(const std::vector<std::string>& arguments) {
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        LogPrintf("Command line: %s ignored; the game opens one level set at a time.",
                  arguments[i].c_str());
    }
    if (arguments.empty() || !PyxImportSharedSet(arguments[0], PyxMyLevelsFolder()).Done()) {
        return;
    }
    PyxEntityLoadingScene::LeadTo(kMyLevelsClass, kMyLevelsType);
}
