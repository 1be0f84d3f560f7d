#include "game/editor/PyxLevelSets.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <utility>

#include "engine/files/QxBuffer.h"
#include "engine/files/QxLog.h"
#include "engine/gui/PyxHighScore.h"
#include "engine/gui/QxHighScoreTable.h"
#include "game/editor/PyxMyLevels.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kListExtension = ".lst";
constexpr const char* kScoresExtension = ".rd";
constexpr const char* kLevelExtension = ".lvl";
constexpr std::size_t kMaxNameBytes = 255;
// A list of the most levels a set holds takes a few kilobytes.
constexpr std::size_t kMaxListBytes = 1u << 20;

bool Fail(const std::string& name, const std::string& reason, std::string& error) {
    error = reason;
    LogPrintf("Level set %s: %s", name.c_str(), reason.c_str());
    return false;
}

bool Exists(const std::string& path) {
    std::error_code ignored;
    return fs::exists(fs::symlink_status(path, ignored));
}

} // namespace

std::string PyxBareLevelFileProblem(const std::string& name) {
    if (name.empty()) {
        return "an entry names no file";
    }
    const bool control =
        std::any_of(name.begin(), name.end(), [](char c) { return (unsigned char)c < 0x20; });
    if (name.size() > kMaxNameBytes || control) {
        return "an entry's file name is too long or holds control characters";
    }
    if (name.find_first_of("/\\:") != std::string::npos || name.find("..") != std::string::npos) {
        return "\"" + name + "\" is a path, not a file of the set";
    }
    const std::size_t extension = std::strlen(kLevelExtension);
    if (name.size() <= extension ||
        name.compare(name.size() - extension, extension, kLevelExtension) != 0) {
        return "\"" + name + "\" is not a level file";
    }
    return {};
}

bool PyxReadSetList(QxFile& file, std::vector<PyxLevelEntry>& entries, std::string& error) {
    PyxLevelList list;
    const bool whole = list.Read(file);
    entries = std::move(list.Entries());
    if (list.LastResult() == PyxLevelList::Result::NotAList) {
        error = "the list is not a level list";
        return false;
    }
    if (!whole) {
        error = "the list is damaged after " + std::to_string(entries.size()) + " entries";
        return false;
    }
    if (entries.size() > kPyxMaxSetLevels) {
        error = "the list names " + std::to_string(entries.size()) +
                " levels; a set holds at most " + std::to_string(kPyxMaxSetLevels);
        entries.clear();
        return false;
    }
    return true;
}

PyxLevelSets::PyxLevelSets(std::string folder) : m_folder(std::move(folder)) {}

std::string PyxLevelSets::SafeName(const std::string& wanted) {
    return PyxSafeFileStem(wanted, "set");
}

std::string PyxLevelSets::ListPath(const std::string& name) const {
    return m_folder + SafeName(name) + kListExtension;
}

std::string PyxLevelSets::ScoresPath(const std::string& name) const {
    return m_folder + SafeName(name) + kScoresExtension;
}

std::vector<std::string> PyxLevelSets::List() const {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(m_folder, error), end; !error && it != end;
         it.increment(error)) {
        std::error_code typeError;
        if (it->path().extension() == kListExtension && it->is_regular_file(typeError)) {
            names.push_back(it->path().stem().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool PyxLevelSets::Read(const std::string& name, std::vector<PyxLevelEntry>& entries,
                        std::string& error) const {
    entries.clear();
    const std::string set = SafeName(name);
    std::vector<std::uint8_t> bytes;
    if (!PyxReadWholeFile(ListPath(set), kMaxListBytes, bytes, error)) {
        return Fail(set, "cannot read the list: " + error, error);
    }
    try {
        QxBuffer file;
        if (!file.Allocate(std::uint32_t(bytes.size()), 0)) {
            return Fail(set, "out of memory", error);
        }
        std::copy(bytes.begin(), bytes.end(), file.GetData());
        std::string damage;
        PyxReadSetList(file, entries, damage);
        // A list only the player's own hand could have spoilt: the sound entries stay.
        const auto firstBad = std::find_if(entries.begin(), entries.end(), [](const auto& entry) {
            return !PyxBareLevelFileProblem(entry.fileName).empty();
        });
        if (damage.empty() && firstBad != entries.end()) {
            damage = PyxBareLevelFileProblem(firstBad->fileName);
        }
        std::erase_if(entries, [](const PyxLevelEntry& entry) {
            return !PyxBareLevelFileProblem(entry.fileName).empty();
        });
        return damage.empty() || Fail(set, damage, error);
    } catch (const std::exception& exception) {
        entries.clear();
        return Fail(set, std::string("cannot read the list: ") + exception.what(), error);
    }
}

bool PyxLevelSets::Write(const std::string& name, const std::vector<PyxLevelEntry>& entries,
                         std::string& error) const {
    const std::string set = SafeName(name);
    if (entries.size() > kPyxMaxSetLevels) {
        return Fail(set, "a set holds at most " + std::to_string(kPyxMaxSetLevels) + " levels",
                    error);
    }
    for (const PyxLevelEntry& entry : entries) {
        if (const std::string problem = PyxBareLevelFileProblem(entry.fileName); !problem.empty()) {
            return Fail(set, problem, error);
        }
    }
    PyxLevelList list;
    list.Entries() = entries;
    QxBuffer bytes;
    if (!list.Write(bytes)) {
        return Fail(set, "the list could not be written", error);
    }
    return PyxReplaceFile(ListPath(set), {bytes.GetData(), bytes.Tell()}, error);
}

bool PyxLevelSets::Create(const std::string& name, std::string& error) const {
    if (Exists(ListPath(name))) {
        return Fail(SafeName(name), "there is a set of that name", error);
    }
    return Write(name, {}, error);
}

bool PyxLevelSets::Add(const std::string& name, const std::string& levelFile,
                       const std::string& shownName, std::string& error) const {
    std::vector<PyxLevelEntry> entries;
    if (!Read(name, entries, error)) {
        return false;
    }
    if (std::string problem = PyxBareLevelFileProblem(levelFile); !problem.empty()) {
        return Fail(SafeName(name), problem, error);
    }
    std::error_code typeError;
    if (!fs::is_regular_file(m_folder + levelFile, typeError)) {
        return Fail(SafeName(name), "there is no level " + levelFile, error);
    }
    if (std::any_of(entries.begin(), entries.end(),
                    [&](const PyxLevelEntry& entry) { return entry.fileName == levelFile; })) {
        return Fail(SafeName(name), levelFile + " is in the set already", error);
    }
    entries.push_back({levelFile, shownName, "", 0});
    return Write(name, entries, error);
}

bool PyxLevelSets::Remove(const std::string& name, std::size_t index, std::string& error) const {
    std::vector<PyxLevelEntry> entries;
    if (!Read(name, entries, error)) {
        return false;
    }
    if (index >= entries.size()) {
        return Fail(SafeName(name), "there is no entry " + std::to_string(index), error);
    }
    entries.erase(entries.begin() + std::ptrdiff_t(index));
    return Write(name, entries, error);
}

bool PyxLevelSets::Move(const std::string& name, std::size_t from, std::size_t to,
                        std::string& error) const {
    std::vector<PyxLevelEntry> entries;
    if (!Read(name, entries, error)) {
        return false;
    }
    if (from >= entries.size() || to >= entries.size()) {
        return Fail(SafeName(name), "there is no entry " + std::to_string(std::max(from, to)),
                    error);
    }
    const auto at = [&](std::size_t i) { return entries.begin() + std::ptrdiff_t(i); };
    if (from < to) {
        std::rotate(at(from), at(from + 1), at(to + 1));
    } else {
        std::rotate(at(to), at(from), at(from + 1));
    }
    return Write(name, entries, error);
}

bool PyxLevelSets::Rename(const std::string& name, const std::string& newName,
                          std::string& error) const {
    const std::string set = SafeName(name);
    const std::string renamed = SafeName(newName);
    if (!Exists(ListPath(set))) {
        return Fail(set, "there is no such set", error);
    }
    if (renamed == set) {
        return true;
    }
    if (Exists(ListPath(renamed)) || Exists(ScoresPath(renamed))) {
        return Fail(set, "there is a set named " + renamed + " already", error);
    }
    std::error_code failure;
    fs::rename(ListPath(set), ListPath(renamed), failure);
    if (failure) {
        return Fail(set, "cannot rename it: " + failure.message(), error);
    }
    if (Exists(ScoresPath(set))) {
        fs::rename(ScoresPath(set), ScoresPath(renamed), failure);
        if (failure) {
            // The list goes back, so the set keeps its scores under its old name.
            std::error_code ignored;
            fs::rename(ListPath(renamed), ListPath(set), ignored);
            return Fail(set, "cannot rename its high scores: " + failure.message(), error);
        }
    }
    LogPrintf("Level set %s is now %s", set.c_str(), renamed.c_str());
    return true;
}

bool PyxLevelSets::Delete(const std::string& name, std::string& error) const {
    const std::string set = SafeName(name);
    std::error_code failure;
    if (!fs::remove(ListPath(set), failure)) {
        return Fail(set,
                    failure ? "cannot delete it: " + failure.message() : "there is no such set",
                    error);
    }
    fs::remove(ScoresPath(set), failure);
    if (failure) {
        return Fail(set, "cannot delete its high scores: " + failure.message(), error);
    }
    return true;
}

bool PyxLevelSets::LoadScores(const std::string& name, QxHighScoreTable& table) const {
    return table.Load(ScoresPath(name), PyxHighScore());
}

bool PyxLevelSets::SaveScores(const std::string& name, QxHighScoreTable& table) const {
    return table.Save(ScoresPath(name));
}
