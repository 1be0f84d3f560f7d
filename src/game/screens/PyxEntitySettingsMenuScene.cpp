#include "game/screens/PyxEntitySettingsMenuScene.h"

#include "app/GameSettings.h"
#include "app/PyxGame.h"
#include "app/QxGlobals.h"
#include "app/QxInputQueue.h"
#include "engine/gui/QxEntity2DGUIElement.h"
#include "engine/gui/QxEntity2DGUIToggleButton.h"
#include "engine/screen/QxScreen2D.h"
#include "engine/sound/QxSoundManager.h"
#include "game/screens/PyxSceneSupport.h"

namespace {

std::int32_t ToggleState(const QxEntity2DSceneType::ElementRecord* record, std::int32_t fallback) {
    std::int32_t state = fallback;
    if (QxEntity2DGUIElement* toggle = NamedElement(record)) {
        toggle->GetBool(kPropToggleState, state);
    }
    return state;
}

void SetToggleState(const QxEntity2DSceneType::ElementRecord* record, std::uint32_t state) {
    if (QxEntity2DGUIElement* toggle = NamedElement(record)) {
        toggle->SetBool(kPropToggleState, static_cast<std::int32_t>(state));
    }
}

} // namespace

PyxEntitySettingsMenuSceneType::PyxEntitySettingsMenuSceneType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    m_soundToggle = AddNamedElement("SoundToggle", definition);
    m_fullScreenToggle = AddNamedElement("FullScreenToggle", definition);
    m_hintToggle = AddNamedElement("HintToggle", definition);
    m_ok = AddNamedElement("OK", definition);
}

PyxEntitySettingsMenuScene::PyxEntitySettingsMenuScene(PyxEntitySettingsMenuSceneType* type)
    : QxEntity2DScene(type) {
    type->Load(false);
    AllowFullScreenKey(false);
    SetToggleState(type->m_soundToggle, g_gameSettings.musicOn);
    SetToggleState(type->m_fullScreenToggle, g_gameSettings.fullScreen);
    SetToggleState(type->m_hintToggle, g_gameSettings.showHints);
}

bool PyxEntitySettingsMenuScene::Update(float ms) {
    if (m_modeChangePending) {
        GoToScene(*this, "PyxMainMenu", "mainmenu");
    }
    if (g_screen != nullptr) {
        g_screen->MarkDirty(QxRect{0, kScreenWidth, 0, kScreenHeight}, false);
    }
    return QxEntity2DScene::Update(ms);
}

bool PyxEntitySettingsMenuScene::OnMouseUp(QxPoint mouse, int /*button*/) {
    PyxEntitySettingsMenuSceneType* type = MenuType();
    // Each toggle flips itself when the click is its own.
    ClickNamed(type->m_fullScreenToggle, mouse);
    ClickNamed(type->m_soundToggle, mouse);
    ClickNamed(type->m_hintToggle, mouse);
    if (ClickNamed(type->m_ok, mouse)) {
        Confirm();
        return true;
    }
    return QxEntity2DScene::OnMouseUp(mouse, 1);
}

void PyxEntitySettingsMenuScene::Confirm() {
    PyxEntitySettingsMenuSceneType* type = MenuType();
    const std::int32_t music = ToggleState(type->m_soundToggle, g_gameSettings.musicOn != 0);
    g_gameSettings.musicOn = music != 0 ? 1 : 0;
    if (g_soundManager != nullptr) {
        g_soundManager->EnableSounds(g_gameSettings.musicOn != 0);
    }
    g_gameSettings.showHints = ToggleState(type->m_hintToggle, g_gameSettings.showHints) != 0;
    const std::int32_t fullScreen =
        ToggleState(type->m_fullScreenToggle, g_gameSettings.fullScreen != 0);
    const bool modeChange = (fullScreen != 0) != (g_gameSettings.fullScreen != 0);
    if (modeChange) {
        // The game object switches the display mode when it takes this key; the
        // setting flips there.
        m_modeChangePending = 1;
        g_inputQueue.Push(
            QxInputEvent::Make(QxInputKind::KeyDown, static_cast<std::uint32_t>(QxKey::F7)));
    }
    AllowFullScreenKey(true);
    if (!modeChange) {
        GoToScene(*this, "PyxMainMenu", "mainmenu");
    }
}

bool PyxEntitySettingsMenuScene::OnKey(int code) {
    if (QxEntity2DScene::OnKey(code)) {
        return true;
    }
    if (code == kSceneKeyEscape) {
        // Nothing is stored: the settings keep their values.
        GoToScene(*this, "PyxMainMenu", "mainmenu");
        return true;
    }
    return false;
}
