// Bytes from the fuzzer as a shared level set's archive file, read through a memory
// source by the shared-set reader over a registry of the game's classes and the
// palette's tiles. What it answers must hold together: a usable set names between one
// and a hundred levels, a usable level carries bytes that pass the level check again,
// a damaged one carries none.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/QxGlobals.h"
#include "engine/entity/QxDefinition.h"
#include "engine/entity/QxEntityRegistry.h"
#include "engine/entity/QxRegistrationTable.h"
#include "engine/files/QxBuffer.h"
#include "engine/files/QxFileManager.h"
#include "game/editor/PyxEditorLevelCheck.h"
#include "game/editor/PyxLevelSets.h"
#include "game/editor/PyxSharedSet.h"

namespace {

// Serves the one input as the archive file, whatever name is asked for.
class InputSource : public QxFileManager {
public:
    InputSource(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    QxFile* Open(const std::string&, std::int32_t) override {
        if (m_file) {
            return nullptr;
        }
        m_file = std::make_unique<QxBuffer>();
        m_file->Allocate(std::uint32_t(m_size), 0);
        if (m_size > 0) {
            std::memcpy(m_file->GetData(), m_data, m_size);
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
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::unique_ptr<QxBuffer> m_file;
};

void Define(QxEntityRegistry& registry, const char* text) {
    QxDefinition definition(text);
    definition.SetRegistry(&registry);
    registry.DefineType(definition, false);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > (4u << 20)) {
        return 0;
    }
    QxEntityRegistry registry;
    RegisterEntityClasses(registry);
    for (const char* type : {"floor", "floorb", "floorc"}) {
        Define(registry, (std::string("class PyxBitmapTile\ntype ") + type + "\n").c_str());
    }
    Define(registry, "class PyxSinkTile\ntype trap\nIsTrap 1\n");
    g_registry = &registry;
    {
        InputSource source(data, size);
        const PyxSharedSet set = PyxReadSharedSet(source, "fuzz.qxa");
        if (set.Usable() && (set.levels.empty() || set.levels.size() > kPyxMaxSetLevels)) {
            std::abort();
        }
        for (const PyxSharedLevel& level : set.levels) {
            if (level.Usable() != !level.bytes.empty() ||
                (level.Usable() && !PyxEditorLevelProblem(level.bytes).empty())) {
                std::abort();
            }
        }
    }
    g_registry = nullptr;
    return 0;
}
