#pragma once
// Stand-in elements for the scene tests: "Probe" logs its updates and draws, "Box" is a
// 100 x 50 dialog.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/entity/QxEntityRegistry.h"
#include "engine/gui/QxDialogInterface.h"
#include "engine/gui/QxEntity2DGUIElement.h"
#include "engine/gui/QxEntity2DScene.h"
#include "support/TestPrototype.h"

namespace scenetest {

// What the stand-ins did, in order.
struct Journal {
    std::vector<std::string> draws;
    std::vector<std::string> updates;
    std::vector<std::string> events;
    int dialogsDestroyed = 0;
};

inline Journal g_journal;

class ProbeType : public QxEntity2DGUIElementType {
public:
    using QxEntity2DGUIElementType::QxEntity2DGUIElementType;
    std::unique_ptr<QxEntityBase> CreateEntity() override;
};

class Probe : public QxEntity2DGUIElement {
public:
    explicit Probe(ProbeType* type) : QxEntity2DGUIElement(type) { SetSize(20, 20); }
    bool Update(float ms) override {
        g_journal.updates.push_back(Type()->TypeName());
        return QxEntity2DGUIElement::Update(ms);
    }
    bool Draw() override {
        g_journal.draws.push_back(Type()->TypeName());
        return true;
    }
};

inline std::unique_ptr<QxEntityBase> ProbeType::CreateEntity() {
    return std::make_unique<Probe>(this);
}

class BoxType : public QxEntity2DGUIElementType {
public:
    using QxEntity2DGUIElementType::QxEntity2DGUIElementType;
    std::unique_ptr<QxEntityBase> CreateEntity() override;
    bool IsKind(std::uint32_t tag) const override {
        return tag == QxKindTag("MSGB") || tag == QxKindTag("INPT") || tag == QxKindTag("DLGB") ||
               QxEntity2DGUIElementType::IsKind(tag);
    }
};

class Box : public QxEntity2DGUIElement, public QxDialogInterface {
public:
    explicit Box(BoxType* type) : QxEntity2DGUIElement(type) { SetSize(100, 50); }
    ~Box() override { ++g_journal.dialogsDestroyed; }

    bool OnMouseUp(QxPoint p, int) override { return Log("up", p.x); }
    bool OnPointerHook(QxPoint p, int) override { return Log("pointer", p.x); }
    bool OnMouseDown(QxPoint p, int) override { return Log("down", p.x); }
    bool OnIntegerHook(std::int32_t v) override { return Log("int", v); }
    bool OnKey(int code) override { return Log("key", code); }
    bool OnKeyUp(int code) override { return Log("keyup", code); }

    bool Update(float ms) override {
        g_journal.updates.push_back(name);
        return QxEntity2DGUIElement::Update(ms);
    }
    bool Draw() override {
        g_journal.draws.push_back(name);
        return true;
    }

    std::string name = "box";
    bool takes = true;

private:
    bool Log(const char* what, std::int32_t value) {
        g_journal.events.push_back(name + ":" + what + ":" + std::to_string(value));
        return takes;
    }
};

inline std::unique_ptr<QxEntityBase> BoxType::CreateEntity() {
    return std::make_unique<Box>(this);
}

template <typename Type> using Prototype = testsupport::TestPrototype<Type>;

inline void RegisterStandIns(QxEntityRegistry& registry) {
    static const Prototype<ProbeType> probe;
    static const Prototype<BoxType> box;
    registry.Register(&probe, "Probe");
    registry.Register(&box, "Box");
}

} // namespace scenetest
