// Compiles the level texts of content/levels into level files and writes the level
// list that names them in playing order. Tiles are made through the registry, so the
// step registers the classes and reads every definition already staged; a tile, board
// object or ball type that no definition provides fails the build.
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "ContentBuild.h"
#include "LevelSet.h"
#include "app/QxGlobals.h"
#include "engine/entity/QxEntityRegistry.h"
#include "engine/entity/QxRegistrationTable.h"
#include "engine/files/QxBuffer.h"
#include "engine/files/QxFileSystem.h"
#include "engine/files/QxWin32FileManager.h"
#include "game/field/PyxLevel.h"
#include "game/field/PyxLevelText.h"

namespace fs = std::filesystem;

namespace {

bool ReadWhole(const fs::path& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

std::vector<uint8_t> BytesOf(QxBuffer& buffer) {
    const uint8_t* data = buffer.GetData();
    return std::vector<uint8_t>(data, data + buffer.Tell());
}

// Every class and type the level names must be defined, or the game could not load it.
void CheckNames(ContentOut& out, const std::string& source, const PyxLevel& level) {
    for (const PyxLevelObjectRecord& record : level.Objects()) {
        if (!g_registry->FindType(record.className, record.typeName)) {
            out.Fail(source + ": no definition of " + record.className + " - " + record.typeName);
        }
    }
    const PyxLevelProperties& properties = level.Properties();
    if (!properties.BallClass.empty() &&
        !g_registry->FindType(properties.BallClass, properties.BallType)) {
        out.Fail(source + ": no definition of the released ball " + properties.BallClass + " - " +
                 properties.BallType);
    }
}

void BuildLevels(ContentOut& out) {
    std::vector<LevelSetEntry> entries;
    std::string error;
    if (!ReadLevelSetSource(out.Sources() / "levels" / kLevelSetSource, entries, error)) {
        out.Fail(error);
        return;
    }

    QxEntityRegistry registry;
    RegisterEntityClasses(registry);
    QxFileSystem files;
    files.AddManager(std::make_unique<QxWin32FileManager>(), out.Stage().generic_string() + "/");
    QxFileSystem* previousFiles = CurrentFileSystem();
    QxEntityRegistry* previousRegistry = g_registry;
    SetCurrentFileSystem(&files);
    g_registry = &registry;
    registry.LoadAll();

    for (const LevelSetEntry& entry : entries) {
        const fs::path source = out.Sources() / "levels" / entry.source;
        std::string text;
        if (!ReadWhole(source, text)) {
            out.Fail("cannot read " + source.string());
            continue;
        }
        PyxLevel level;
        level.SetDefineMissingTypes(false);
        level.SetKeepObjectsAsRecords(true);
        if (!PyxLevelText::Read(text, level, error)) {
            out.Fail(entry.source + ": " + error);
            continue;
        }
        CheckNames(out, entry.source, level);
        QxBuffer bytes;
        if (!level.SaveLevel(bytes)) {
            out.Fail(entry.source + ": the level cannot be written");
            continue;
        }
        out.WriteFile(entry.file, BytesOf(bytes));
    }

    QxBuffer list;
    WriteLevelSet(list, entries);
    out.WriteFile(kLevelSetFile, BytesOf(list));

    registry.Clear();
    g_registry = previousRegistry;
    SetCurrentFileSystem(previousFiles);
}

} // namespace

CONTENT_STEP(20, "levels", BuildLevels);
