#pragma once
// Small entity classes for exercising the registry and the definition reader, and a
// fixture that gives each test a log, a data folder and a file system of its own.

#include <memory>
#include <stdexcept>
#include <string>

#include "engine/entity/QxDefinition.h"
#include "engine/entity/QxEntityBase.h"
#include "support/ServiceFixture.h"
#include "support/TestPrototype.h"

namespace entitytest {

// Counts what happens to test types across a test.
struct Counters {
    int loads = 0;
    int unloads = 0;
    int destroyed = 0;
    // Unloads that happened after some type was already destroyed.
    int unloadsAfterADestroy = 0;
};
inline Counters g_counters;

// A GUI-element-like type: reads a text and a reference.
class TestElementType : public QxEntityBaseType {
public:
    explicit TestElementType(QxDefinition* definition) {
        if (definition && definition->FindKey("text"))
            definition->ReadString(text);
        if (definition && definition->FindKey("ref"))
            definition->ReadEntityRef(ref);
    }
    ~TestElementType() override { ++g_counters.destroyed; }

    std::unique_ptr<QxEntityBase> CreateEntity() override {
        return std::make_unique<QxEntityBase>(this);
    }
    bool Load(bool reload) override {
        ++g_counters.loads;
        return QxEntityBaseType::Load(reload);
    }
    bool Unload() override {
        ++g_counters.unloads;
        if (g_counters.destroyed > 0)
            ++g_counters.unloadsAfterADestroy;
        return QxEntityBaseType::Unload();
    }
    bool IsKind(std::uint32_t tag) const override {
        return tag == QxKindTag("GUIE") || QxEntityBaseType::IsKind(tag);
    }

    std::string text = "none";
    QxEntityRef ref;
};

class TestDialogType : public TestElementType {
public:
    using TestElementType::TestElementType;
    bool IsKind(std::uint32_t tag) const override {
        return tag == QxKindTag("DLGB") || TestElementType::IsKind(tag);
    }
};

class TestSceneType : public TestElementType {
public:
    using TestElementType::TestElementType;
    // A scene is not a GUI element: it answers its own tag and the base's only.
    bool IsKind(std::uint32_t tag) const override {
        return tag == QxKindTag("SCNE") || QxEntityBaseType::IsKind(tag);
    }
};

using testsupport::TestPrototype;

class NullPrototype : public QxEntityTypePrototype {
public:
    std::unique_ptr<QxEntityBaseType> CreateType(QxDefinition&) const override { return nullptr; }
};

class ThrowingPrototype : public QxEntityTypePrototype {
public:
    std::unique_ptr<QxEntityBaseType> CreateType(QxDefinition&) const override {
        throw std::runtime_error("bad definition");
    }
};

inline const TestPrototype<TestElementType> kElementPrototype;
inline const TestPrototype<TestDialogType> kDialogPrototype;
inline const TestPrototype<TestSceneType> kScenePrototype;

// A registry with the test classes "element", "dialog" and "scene", a log, and a
// current file system over the folder `data/` of the test.
class RegistryTest : public testsupport::ServiceFixture {
protected:
    RegistryTest() : ServiceFixture("entity", {true, false, false, false, false}) {}
    void SetUp() override {
        g_counters = {};
        ServiceFixture::SetUp();
        registry_.Register(&kElementPrototype, "element");
        registry_.Register(&kDialogPrototype, "dialog");
        registry_.Register(&kScenePrototype, "scene");
    }

    QxEntityRegistry& registry_ = Registry();
};

} // namespace entitytest
