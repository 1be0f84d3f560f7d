#include "game/editor/PyxEditorLevelCheck.h"

#include <cstring>

#include "app/QxGlobals.h"
#include "engine/files/QxBuffer.h"
#include "engine/files/QxFileSystem.h"
#include "game/editor/PyxEditorPalette.h"
#include "game/editor/PyxLevelDraft.h"
#include "game/field/PyxEntityTileBase.h"
#include "game/field/PyxLevel.h"

namespace {

// Puts an empty file system in the thread's place for its life.
class NoFiles {
public:
    NoFiles() : m_previous(CurrentFileSystem()) { SetCurrentFileSystem(&m_none); }
    ~NoFiles() { SetCurrentFileSystem(m_previous); }
    NoFiles(const NoFiles&) = delete;
    NoFiles& operator=(const NoFiles&) = delete;

private:
    QxFileSystem m_none;
    QxFileSystem* m_previous;
};

std::string NotMade(const std::string& className, const std::string& typeName) {
    return "uses " + className + " " + typeName + ", which the editor does not make";
}

bool IsPicture(const std::string& className, const std::string& typeName) {
    for (const PyxEditorPartInfo& info : PyxEditorParts()) {
        if (info.artClass && className == info.artClass && typeName == info.artType) {
            return true;
        }
    }
    return false;
}

std::string PartProblem(const PyxLevel& level) {
    for (std::int32_t i = 0; i < level.CellCount(); ++i) {
        const PyxEntityTileBase* tile = level.TileAt(i);
        const QxEntityBaseType* type = tile ? tile->Type() : nullptr;
        if (type && PyxEditorTilePart(type->ClassName(), type->TypeName()) == PyxEditorPart::None) {
            return NotMade(type->ClassName(), type->TypeName());
        }
    }
    for (const PyxLevelObjectRecord& record : level.Objects()) {
        const std::string& c = record.className;
        const std::string& t = record.typeName;
        const bool known = (c == kPyxClawClass && t == kPyxClawType) || PyxIsRailRecord(c, t) ||
                           PyxEditorObjectPart(c, t) != PyxEditorPart::None || IsPicture(c, t);
        if (!known) {
            return NotMade(c, t);
        }
    }
    return {};
}

} // namespace

std::string PyxEditorLevelProblem(std::span<const std::uint8_t> bytes) {
    if (bytes.size() > kPyxMaxLevelBytes) {
        return "the level file is larger than " + std::to_string(kPyxMaxLevelBytes) + " bytes";
    }
    if (!g_registry) {
        return "there are no entity classes to check the level against";
    }
    NoFiles noFiles;
    QxBuffer file;
    if (!file.Allocate(std::uint32_t(bytes.size()), 0)) {
        return "out of memory";
    }
    if (!bytes.empty()) {
        std::memcpy(file.GetData(), bytes.data(), bytes.size());
    }
    PyxLevel level;
    level.SetDefineMissingTypes(false);
    level.SetKeepObjectsAsRecords(true);
    if (level.LoadLevel(file) != 1) {
        return level.ErrorText();
    }
    if (std::string problem = PartProblem(level); !problem.empty()) {
        return problem;
    }
    PyxLevelDraft draft;
    std::string error;
    return draft.LoadFrom(level, error) ? std::string() : error;
}
