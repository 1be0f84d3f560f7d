#pragma once
// A scene class for game-object tests: it counts what the game object calls on it,
// can ask for another scene from inside its Update, and draws a pattern that tells
// its frames apart.
//
// Keys of its definition: "Pattern" (0: the whole screen blue 0x001F; 1: each row
// holds row + 1; 2: each column holds column + 1), "RequestClass" and "RequestType"
// (asked for in the next Update once the test sets its log's askNow).

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
    explicit ProbeSceneType(QxDefinition* definition) : QxEntity2DSceneType(definition) {
        if (definition != nullptr) {
            if (definition->FindKey("Pattern")) {
                definition->ReadInts(&pattern, 1);
            }
            if (definition->FindKey("RequestClass")) {
                definition->ReadString(requestClass);
            }
            if (definition->FindKey("RequestType")) {
                definition->ReadString(requestType);
            }
        }
    }

    std::unique_ptr<QxEntityBase> CreateEntity() override;

    std::int32_t pattern = 0;
    std::string requestClass;
    std::string requestType;
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
        if (Log().askNow && !type->requestClass.empty()) {
            Log().askNow = false;
            g_game->RequestScene(type->requestClass, type->requestType, 0);
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
// a type of it. False when the type could not be defined.
inline bool DefineProbe(const std::string& typeName, const std::string& extraKeys = "") {
    static const ProbeScenePrototype prototype;
    if (g_registry == nullptr) {
        return false;
    }
    g_registry->Register(&prototype, "TestProbe");
    QxDefinition definition("class TestProbe\ntype " + typeName + "\n" + extraKeys);
    return g_registry->DefineType(definition, false) != nullptr;
}

} // namespace gametest
