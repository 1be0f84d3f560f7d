// Level file bytes from the fuzzer: LoadLevel into a level whose registry knows the tile
// classes and a plain board-object class, then what the game does with a loaded level
// (activate, update, draw, free cells, spawning), and a save that must load again and
// save to the same bytes. A second load keeps objects as records and makes missing
// tile types, as the level compiler does, and goes through the text form.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/QxGlobals.h"
#include "app/QxRandom.h"
#include "engine/entity/QxDefinition.h"
#include "engine/entity/QxEntityRegistry.h"
#include "engine/files/QxBuffer.h"
#include "game/field/PyxEntityBitmapTile.h"
#include "game/field/PyxEntitySinkTile.h"
#include "game/field/PyxLevel.h"
#include "game/field/PyxLevelText.h"
#include "game/objects/PyxEntityGameObject.h"

namespace {

// A board-object class whose types are balls, posts or awards by their "Kind" key.
class FuzzObjectType : public PyxEntityGameObjectType {
public:
    explicit FuzzObjectType(QxDefinition* definition) : PyxEntityGameObjectType(definition) {
        std::int32_t flags = 0;
        if (definition && definition->FindKey("Kind") && definition->ReadInts(&flags, 1)) {
            SetTypeFlags(std::uint32_t(flags));
        }
        SetRadius(12.0f);
    }
};

class FuzzObjectPrototype : public QxEntityTypePrototype {
public:
    std::unique_ptr<QxEntityBaseType> CreateType(QxDefinition& definition) const override {
        return std::make_unique<FuzzObjectType>(&definition);
    }
};

const PyxEntityBitmapTilePrototype kBitmapTile;
const PyxEntitySinkTilePrototype kSinkTile;
const PyxEntityTileBasePrototype kPlainTile;
const FuzzObjectPrototype kObject;

void Define(QxEntityRegistry& registry, const char* text) {
    QxDefinition definition(text);
    definition.SetRegistry(&registry);
    registry.DefineType(definition, false);
}

void Build(QxEntityRegistry& registry) {
    registry.Register(&kBitmapTile, "PyxBitmapTile");
    registry.Register(&kSinkTile, "PyxSinkTile");
    registry.Register(&kPlainTile, "PyxTile");
    registry.Register(&kObject, "PyxObject");
    Define(registry, "class PyxBitmapTile\ntype floor\nImageEntType grass\n");
    Define(registry, "class PyxSinkTile\ntype exit\n");
    Define(registry, "class PyxSinkTile\ntype trap\nIsTrap 1\n");
    Define(registry, "class PyxTile\ntype t\n");
    Define(registry, "class PyxObject\ntype ball\nKind 2\nHeight 0.4\n");
    Define(registry, "class PyxObject\ntype post\nKind 1\nHeight 0.2\n");
    Define(registry, "class PyxObject\ntype coin\nKind 4\n");
}

std::unique_ptr<QxBuffer> Buffer(const std::uint8_t* data, std::size_t size) {
    auto buffer = std::make_unique<QxBuffer>();
    buffer->Allocate(std::uint32_t(size), 0);
    if (size > 0) {
        std::memcpy(buffer->GetData(), data, size);
    }
    return buffer;
}

std::string Saved(PyxLevel& level) {
    QxBuffer out;
    if (!level.SaveLevel(out)) {
        std::abort();
    }
    return std::string(reinterpret_cast<const char*>(out.GetData()), out.Tell());
}

void Play(PyxLevel& level) {
    level.ActivateObjects(false);
    std::int32_t col = 0;
    std::int32_t row = 0;
    level.FindFreeTile(kSpawnAnyCell, kTileFloor | kTileSink, nullptr, col, row);
    level.SpawnStartBall(true);
    level.SpawnBall(kSpawnAtFreeTile | kSpawnAnyCell | kSpawnRandomDirection, 0, 0, 1.0f, 0.0f,
                    3.0f, "PyxObject", "ball", true);
    for (int frame = 0; frame < 3; ++frame) {
        level.Update(16.0f);
        level.Draw();
    }
    if (PyxEntityGameObject* ball = level.FindFirstBall()) {
        level.TurnBallTo(ball, 0.0f, 1.0f, 16.0f);
    }
    level.ActivateObjects(true);
    level.ReleaseObjects();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SeedRandom(4357);
    QxEntityRegistry registry;
    Build(registry);
    g_registry = &registry;
    {
        PyxLevel level;
        if (level.LoadLevel(*Buffer(data, size)) == 1) {
            const std::string first = Saved(level);
            PyxLevel again;
            if (again.LoadLevel(*Buffer(reinterpret_cast<const std::uint8_t*>(first.data()),
                                        first.size())) != 1) {
                std::abort();
            }
            if (Saved(again) != first) {
                std::abort();
            }
            Play(level);
        }
    }
    {
        PyxLevel level;
        level.SetDefineMissingTypes(true);
        level.SetKeepObjectsAsRecords(true);
        if (level.LoadLevel(*Buffer(data, size)) == 1) {
            const std::string bytes = Saved(level);
            const std::string text = PyxLevelText::Write(level);
            PyxLevel fromText;
            fromText.SetDefineMissingTypes(true);
            std::string error;
            if (!PyxLevelText::Read(text, fromText, error)) {
                std::abort();
            }
            if (Saved(fromText) != bytes || PyxLevelText::Write(fromText) != text) {
                std::abort();
            }
        }
    }
    g_registry = nullptr;
    return 0;
}
