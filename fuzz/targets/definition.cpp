// Definition text from the fuzzer: every reader after FindKey, then the definition
// defined through a registry of a few small classes (inline references included).

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "engine/entity/QxDefinition.h"
#include "engine/entity/QxEntityBase.h"
#include "engine/entity/QxEntityRegistry.h"

namespace {

const QxEnumEntry kModes[] = {{"left", 0}, {"centre", 1}, {"right", 2}};

// Reads one key with every reader, as a type constructor might.
void ReadEverything(QxDefinition& definition, std::string_view key) {
    if (!definition.FindKey(key)) {
        return;
    }
    std::string text;
    definition.ReadString(text);
    std::int32_t ints[4] = {};
    definition.ReadInts(ints);
    float floats[3] = {};
    definition.ReadFloats(floats);
    std::uint32_t colour = 0;
    definition.ReadColor(colour);
    QxCharAndInt pair;
    definition.ReadCharAndInt(pair);
    std::int32_t mode = -1;
    definition.ReadEnum(mode, kModes, 3);
    QxEntityRef ref;
    definition.ReadEntityRef(ref);
}

class FuzzEntity : public QxEntityBase {
public:
    using QxEntityBase::QxEntityBase;
};

class FuzzType : public QxEntityBaseType {
public:
    explicit FuzzType(QxDefinition& definition) {
        for (const char* key : {"text", "size", "colour", "char", "mode"}) {
            ReadEverything(definition, key);
        }
        for (const char* key : {"ref", "child"}) {
            if (definition.FindKey(key)) {
                definition.ReadEntityRef(m_refs[key[0] == 'c']);
            }
        }
    }
    std::unique_ptr<QxEntityBase> CreateEntity() override {
        return std::make_unique<FuzzEntity>(this);
    }
    bool IsKind(std::uint32_t tag) const override {
        return tag == QxKindTag("GUIE") || QxEntityBaseType::IsKind(tag);
    }

private:
    QxEntityRef m_refs[2];
};

class FuzzSceneType : public FuzzType {
public:
    using FuzzType::FuzzType;
    bool IsKind(std::uint32_t tag) const override {
        return tag == QxKindTag("SCNE") || QxEntityBaseType::IsKind(tag);
    }
};

template <typename Type> class FuzzPrototype : public QxEntityTypePrototype {
public:
    std::unique_ptr<QxEntityBaseType> CreateType(QxDefinition& definition) const override {
        return std::make_unique<Type>(definition);
    }
};

const FuzzPrototype<FuzzType> kElement;
const FuzzPrototype<FuzzSceneType> kScene;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QxDefinition definition;
    definition.ReadFromMemory(data, size);
    definition.CheckBlocks();

    // The input's first word as a key, so keys the list below lacks are searched too.
    const std::string_view text = definition.Text();
    const std::size_t firstEnd = text.find_first_of(" \t\r\n");
    ReadEverything(definition, text.substr(0, std::min<std::size_t>(firstEnd, 300)));
    for (const char* key : {"class", "type", "text", "size", "colour", "char", "mode", "ref"}) {
        ReadEverything(definition, key);
    }

    QxEntityRegistry registry;
    registry.Register(&kElement, "element");
    registry.Register(&kScene, "scene");
    QxEntityBaseType* named = registry.DefineType(definition, false);
    registry.DefineType(definition, true);
    if (named) {
        std::unique_ptr<QxEntityBase> entity =
            registry.Create(named->ClassName(), named->TypeName(), QxKindTag("GUIE"));
        if (entity) {
            entity->Update(16.0f);
        }
    }
    registry.LoadTypes(false, QxEntityRegistry::kSkipScenes);
    registry.Clear();
    return 0;
}
