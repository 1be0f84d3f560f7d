#include "game/editor/PyxSetExport.h"

#include <exception>
#include <set>
#include <vector>

#include "engine/files/QxArchiveWriter.h"
#include "engine/files/QxBuffer.h"
#include "engine/files/QxDataArchives.h"
#include "engine/files/QxLog.h"
#include "game/editor/PyxEditorLevelCheck.h"
#include "game/editor/PyxLevelSets.h"
#include "game/editor/PyxMyLevels.h"

namespace {

bool Fail(const std::string& set, const std::string& reason, std::string& error) {
    error = reason;
    LogPrintf("Level set %s not shared: %s", set.c_str(), reason.c_str());
    return false;
}

std::vector<std::uint8_t> Bytes(QxBuffer& buffer) {
    return {buffer.GetData(), buffer.GetData() + buffer.Tell()};
}

} // namespace

bool PyxExportSet(const std::string& setName, const std::string& outPath, std::string& error) {
    return PyxExportSet(PyxMyLevelsFolder(), setName, outPath, error);
}

bool PyxExportSet(const std::string& folder, const std::string& setName, const std::string& outPath,
                  std::string& error) {
    const std::string set = PyxLevelSets::SafeName(setName);
    try {
        if (folder.empty()) {
            return Fail(set, "there is no level folder", error);
        }
        const PyxLevelSets sets(folder);
        std::vector<PyxLevelEntry> entries;
        if (!sets.Read(set, entries, error)) {
            return Fail(set, error, error);
        }
        if (entries.empty()) {
            return Fail(set, "it holds no levels", error);
        }
        PyxLevelList list;
        list.Entries() = entries;
        QxBuffer listBytes;
        QxArchiveWriter writer;
        if (!list.Write(listBytes) || !writer.AddEntry(kSharedSetEntry, Bytes(listBytes))) {
            return Fail(set, "the list could not be written", error);
        }
        std::set<std::string> added;
        for (const PyxLevelEntry& entry : entries) {
            if (!added.insert(entry.fileName).second) {
                continue;
            }
            std::vector<std::uint8_t> bytes;
            if (!PyxReadWholeFile(folder + entry.fileName, kPyxMaxLevelBytes, bytes, error)) {
                return Fail(set, entry.fileName + ": " + error, error);
            }
            if (std::string problem = PyxEditorLevelProblem(bytes); !problem.empty()) {
                return Fail(set, entry.fileName + ": " + problem, error);
            }
            if (!writer.AddEntry(entry.fileName, std::move(bytes))) {
                return Fail(set, entry.fileName + " could not be stored", error);
            }
        }
        QxBuffer archive;
        if (!writer.Write(archive)) {
            return Fail(set, "the archive could not be made", error);
        }
        if (!PyxReplaceFile(outPath, {archive.GetData(), archive.Tell()}, error)) {
            return Fail(set, error, error);
        }
        LogPrintf("Level set %s shared as %s", set.c_str(), outPath.c_str());
        return true;
    } catch (const std::exception& exception) {
        return Fail(set, exception.what(), error);
    }
}
