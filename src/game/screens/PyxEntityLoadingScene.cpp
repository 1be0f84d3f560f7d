#include "game/screens/PyxEntityLoadingScene.h"

#include <algorithm>
#include <utility>

#include "app/QxGame.h"
#include "app/QxGlobals.h"
#include "engine/entity/QxEntityRegistry.h"
#include "engine/files/QxLog.h"
#include "engine/gui/QxEntity2DGUIElement.h"
#include "engine/gui/QxEntity2DGUIProgressBar.h"
#include "game/screens/PyxSceneSupport.h"

PyxEntityLoadingSceneType::PyxEntityLoadingSceneType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    m_progressBar = AddNamedElement("ProgressBar", definition);
}

namespace {

constexpr const char* kMainMenuClass = "PyxMainMenu";
constexpr const char* kMainMenuType = "mainmenu";

// Asked for on the main thread before the loading screen is made, taken by it.
std::string g_leadClass;
std::string g_leadType;

} // namespace

void PyxEntityLoadingScene::LeadTo(const std::string& className, const std::string& typeName) {
    g_leadClass = className;
    g_leadType = typeName;
}

PyxEntityLoadingScene::PyxEntityLoadingScene(PyxEntityLoadingSceneType* type)
    : QxEntity2DScene(type), m_nextClass(std::exchange(g_leadClass, {})),
      m_nextType(std::exchange(g_leadType, {})) {}

void PyxEntityLoadingScene::GoOn() {
    if (!m_nextClass.empty()) {
        // Checked now the loader has defined every type: a switch to a scene that
        // cannot be made would leave this screen asking for it again every frame.
        const QxEntityBaseType* type =
            g_registry != nullptr ? g_registry->FindType(m_nextClass, m_nextType) : nullptr;
        if (dynamic_cast<const QxEntity2DSceneType*>(type) == nullptr) {
            LogPrintf("Scene %s, %s is not in this game; the main menu instead.",
                      m_nextClass.c_str(), m_nextType.c_str());
            m_nextClass.clear();
            m_nextType.clear();
        }
    }
    if (m_nextClass.empty()) {
        GoToScene(kMainMenuClass, kMainMenuType, 0);
    } else {
        GoToScene(m_nextClass, m_nextType, 0);
    }
}

bool PyxEntityLoadingScene::Update(float ms) {
    bool loaded = true;
    float target = 1.0f;
    if (g_game != nullptr) {
        loaded = g_game->IsBackgroundLoadDone();
        const std::uint32_t total = g_game->LoadProgress().total;
        const std::uint32_t done = g_game->LoadProgress().done;
        if (!loaded && total != 0) {
            target = static_cast<float>(done) / static_cast<float>(total);
        }
    }
    if (target > m_shown) {
        m_speed *= 1.005f;
    } else if (m_shown > target) {
        m_speed = std::max(m_speed * 0.98f, kStartSpeed);
    }
    if (target > m_shown) {
        m_shown += ms / 1000.0f * m_speed;
    }
    if (m_shown >= 1.0f && loaded) {
        GoOn();
    }
    if (QxEntity2DGUIElement* bar = NamedElement(LoadingType()->m_progressBar)) {
        bar->SetFloat(kPropProgressValue, m_shown);
    }
    return QxEntity2DScene::Update(ms);
}

bool PyxEntityLoadingScene::SkipWhenLoaded() {
    if (g_game != nullptr && !g_game->IsBackgroundLoadDone()) {
        return false;
    }
    GoOn();
    return true;
}

bool PyxEntityLoadingScene::OnMouseUp(QxPoint mouse, int button) {
    return QxEntity2DScene::OnMouseUp(mouse, button) || SkipWhenLoaded();
}

bool PyxEntityLoadingScene::OnKey(int code) {
    return QxEntity2DScene::OnKey(code) || SkipWhenLoaded();
}
