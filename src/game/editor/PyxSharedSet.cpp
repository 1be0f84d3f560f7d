#include "game/editor/PyxSharedSet.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <system_error>

#include "engine/files/QxArchiveManager.h"
#include "engine/files/QxBuffer.h"
#include "engine/files/QxDataArchives.h"
#include "engine/files/QxLog.h"
#include "engine/files/QxWin32FileManager.h"
#include "game/editor/PyxEditorLevelCheck.h"
#include "game/editor/PyxLevelSets.h"

namespace {

namespace fs = std::filesystem;

constexpr std::uint32_t kMaxListBytes = 1u << 20;

PyxSharedSet& Damaged(PyxSharedSet& set, const std::string& reason) {
    set.damage = reason;
    set.levels.clear();
    LogPrintf("Shared level set %s: %s", set.path.c_str(), reason.c_str());
    return set;
}

// The archive's entry of that name, read whole; null when it is not there, cannot be
// read, or is larger than maxBytes.
class Entry {
public:
    Entry(QxArchiveManager& archive, const std::string& name, std::uint32_t maxBytes)
        : m_archive(archive) {
        const QxArchiveEntry* found = archive.FindEntry(name);
        m_tooLarge = found && found->size > maxBytes;
        m_file =
            found && !m_tooLarge ? archive.Open(name, QxFileManager::kModeReadBinary) : nullptr;
    }
    ~Entry() {
        if (m_file) {
            m_archive.Close(m_file);
        }
    }
    Entry(const Entry&) = delete;
    Entry& operator=(const Entry&) = delete;

    QxFile* File() const { return m_file; }
    bool TooLarge() const { return m_tooLarge; }

private:
    QxArchiveManager& m_archive;
    QxFile* m_file = nullptr;
    bool m_tooLarge = false;
};

PyxSharedLevel ReadLevel(QxArchiveManager& archive, const PyxLevelEntry& entry) {
    PyxSharedLevel level;
    level.fileName = entry.fileName;
    level.name = entry.second.empty() ? entry.fileName : entry.second;
    level.damage = PyxBareLevelFileProblem(entry.fileName);
    if (!level.damage.empty()) {
        return level;
    }
    const Entry file(archive, entry.fileName, kPyxMaxLevelBytes);
    auto* buffer = dynamic_cast<QxBuffer*>(file.File());
    if (!buffer) {
        level.damage = file.TooLarge() ? entry.fileName + " is too large to be a level"
                                       : "the set holds no file " + entry.fileName;
        return level;
    }
    const std::span<const std::uint8_t> bytes(buffer->GetData(), buffer->GetSize());
    level.damage = PyxEditorLevelProblem(bytes);
    if (level.damage.empty()) {
        level.bytes.assign(bytes.begin(), bytes.end());
    }
    return level;
}

void ReadSet(QxFileManager& source, PyxSharedSet& set) {
    QxArchiveManager archive(&source, set.path);
    if (!archive.IsLoaded()) {
        Damaged(set, "it is not an archive");
        return;
    }
    if (archive.IsDamaged()) {
        Damaged(set, "the archive is damaged");
        return;
    }
    std::vector<PyxLevelEntry> entries;
    {
        const Entry list(archive, kSharedSetEntry, kMaxListBytes);
        if (!list.File()) {
            Damaged(set, list.TooLarge() ? "its set.lst is too large"
                                         : "it holds no set.lst, so it is not a level set");
            return;
        }
        std::string error;
        if (!PyxReadSetList(*list.File(), entries, error)) {
            Damaged(set, "set.lst: " + error);
            return;
        }
    }
    if (entries.empty()) {
        Damaged(set, "the set holds no levels");
        return;
    }
    for (const PyxLevelEntry& entry : entries) {
        set.levels.push_back(ReadLevel(archive, entry));
        const PyxSharedLevel& level = set.levels.back();
        if (!level.Usable()) {
            LogPrintf("Shared level set %s, level %s: %s", set.path.c_str(), level.fileName.c_str(),
                      level.damage.c_str());
        }
    }
}

} // namespace

PyxSharedSet PyxReadSharedSet(QxFileManager& source, const std::string& name) {
    PyxSharedSet set;
    set.path = name;
    try {
        set.name = PyxLevelSets::SafeName(fs::path(name).stem().string());
        ReadSet(source, set);
    } catch (const std::exception& exception) {
        Damaged(set, std::string("it cannot be read: ") + exception.what());
    }
    return set;
}

PyxSharedSet PyxReadSharedSet(const std::string& path) {
    std::error_code error;
    const bool file = fs::is_regular_file(path, error);
    const std::uintmax_t size = file ? fs::file_size(path, error) : 0;
    if (!file || error || size > kPyxMaxSharedSetBytes) {
        PyxSharedSet set;
        set.path = path;
        set.name = PyxLevelSets::SafeName(fs::path(path).stem().string());
        return Damaged(set, !file || error ? "there is no such file" : "the file is too large");
    }
    QxWin32FileManager files;
    return PyxReadSharedSet(files, path);
}

std::vector<PyxSharedSet> PyxListSharedSets(const std::string& folder,
                                            const std::vector<std::string>& morePaths) {
    std::vector<std::string> paths;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code typeError;
        if (it->path().extension() == ".qxa" && it->is_regular_file(typeError)) {
            paths.push_back(it->path().string());
        }
    }
    std::sort(paths.begin(), paths.end());
    paths.insert(paths.end(), morePaths.begin(), morePaths.end());
    std::vector<PyxSharedSet> sets;
    for (const std::string& path : paths) {
        sets.push_back(PyxReadSharedSet(path));
    }
    return sets;
}
