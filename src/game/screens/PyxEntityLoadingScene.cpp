#include "game/screens/PyxEntityLoadingScene.h"

#include <algorithm>

#include "app/QxGame.h"
#include "app/QxGlobals.h"
#include "engine/gui/QxEntity2DGUIElement.h"
#include "engine/gui/QxEntity2DGUIProgressBar.h"
#include "game/screens/PyxSceneSupport.h"

PyxEntityLoadingSceneType::PyxEntityLoadingSceneType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    m_progressBar = AddNamedElement("ProgressBar", definition);
}

PyxEntityLoadingScene::PyxEntityLoadingScene(PyxEntityLoadingSceneType* type)
    : QxEntity2DScene(type) {}

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
        GoToScene("PyxMainMenu", "mainmenu", 0);
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
    GoToScene("PyxMainMenu", "mainmenu", 0);
    return true;
}

bool PyxEntityLoadingScene::OnMouseUp(QxPoint mouse, int button) {
    return QxEntity2DScene::OnMouseUp(mouse, button) || SkipWhenLoaded();
}

bool PyxEntityLoadingScene::OnKey(int code) {
    return QxEntity2DScene::OnKey(code) || SkipWhenLoaded();
}
