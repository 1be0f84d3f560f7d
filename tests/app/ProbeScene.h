#pragma once
// A scene class for game-object tests: it counts what the game object calls on it,
// can ask for another scene from inside its Update, and draws a pattern that tells
// its frames apart.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/QxGame.h"
#include "app/QxGlobals.h"
#include "engine/entity/QxDefinition.h"
#include "engine/entity/QxEntityRegistry.h"
#include "engine/gui/QxEntity2DScene.h"
#include "engine/screen/QxScreen2D.h"
#include "support/TestPrototype.h"

namespace gametest {

struct ProbeLog {
    int created = 0;
    int destroyed = 0;
    int updates = 0; // with a frame time above 0
    int zeroUpdates = 0;
    int draws = 0;
    int mouseDowns = 0;
    int mouseUps = 0;
    std::vector<int> keys;
    std::vector<int> keyUps;
    QxPoint lastMouse{-1, -1};
    float lastUpdateMs = 0.0f;
    // Set by a test: the next Update asks for the scene its type names.
    bool askNow = false;
};

// Per type name; tests clear it.
inline std::map<std::string, ProbeLog>& ProbeLogs() {
    static std::map<std::string, ProbeLog> logs;
    return logs;
}

class ProbeSceneType : public QxEntity2DSceneType {
public:
    using QxEntity2DSceneType::QxEntity2DSceneType;
    std::unique_ptr<QxEntityBase> CreateEntity() override;

    // 0: the whole screen blue 0x001F; 1: each row holds row + 1; 2: each column holds
    // column + 1.
    std::int32_t pattern = 0;
    // The probe type asked for in the next Update once the test sets its log's askNow.
    std::string request;
};

class ProbeScene : public QxEntity2DScene {
public:
    explicit ProbeScene(ProbeSceneType* type) : QxEntity2DScene(type) { ++Log().created; }
    ~ProbeScene() override { ++Log().destroyed; }

    bool Update(float ms) override {
        if (ms > 0.0f) {
            ++Log().updates;
        } else {
            ++Log().zeroUpdates;
        }
        auto* type = static_cast<ProbeSceneType*>(Type());
        if (Log().askNow && !type->request.empty()) {
            Log().askNow = false;
            g_game->RequestScene("TestProbe", type->request, 0);
        }
        Log().lastUpdateMs = ms;
        return QxEntity2DScene::Update(ms);
    }

    bool Draw() override {
        ++Log().draws;
        QxSurfaceDesc desc;
        if (g_screen == nullptr || !g_screen->LockBackBuffer(&desc)) {
            return false;
        }
        const auto pattern = static_cast<ProbeSceneType*>(Type())->pattern;
        for (int y = 0; y < desc.height; ++y) {
            auto* row = reinterpret_cast<std::uint16_t*>(desc.pixels + y * desc.pitch);
            for (int x = 0; x < desc.width; ++x) {
                row[x] = static_cast<std::uint16_t>(pattern == 1   ? y + 1
                                                    : pattern == 2 ? x + 1
                                                                   : 0x001F);
            }
        }
        g_screen->UnlockBackBuffer();
        return true;
    }

    bool OnMouseDown(QxPoint mouse, int button) override {
        ++Log().mouseDowns;
        Log().lastMouse = mouse;
        return QxEntity2DScene::OnMouseDown(mouse, button);
    }
    bool OnMouseUp(QxPoint mouse, int button) override {
        ++Log().mouseUps;
        Log().lastMouse = mouse;
        return QxEntity2DScene::OnMouseUp(mouse, button);
    }
    bool OnKey(int code) override {
        Log().keys.push_back(code);
        return true;
    }
    bool OnKeyUp(int code) override {
        Log().keyUps.push_back(code);
        return true;
    }

private:
    ProbeLog& Log() const { return ProbeLogs()[Type()->TypeName()]; }
};

inline std::unique_ptr<QxEntityBase> ProbeSceneType::CreateEntity() {
    return std::make_unique<ProbeScene>(this);
}

using ProbeScenePrototype = testsupport::TestPrototype<ProbeSceneType>;

// Registers the probe class under "TestProbe" with the published registry and defines
// a type of it; null when the type could not be defined.
inline ProbeSceneType* DefineProbe(const std::string& typeName, std::int32_t pattern = 0,
                                   const std::string& request = "") {
    static const ProbeScenePrototype prototype;
    if (g_registry == nullptr) {
        return nullptr;
    }
    g_registry->Register(&prototype, "TestProbe");
    QxDefinition definition("class TestProbe\ntype " + typeName + "\n");
    auto* type = dynamic_cast<ProbeSceneType*>(g_registry->DefineType(definition, false));
    if (type != nullptr) {
        type->pattern = pattern;
        type->request = request;
    }
    return type;
}

} // namespace gametest
