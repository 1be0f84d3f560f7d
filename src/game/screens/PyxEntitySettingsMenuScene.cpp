#include "game/screens/PyxEntitySettingsMenuScene.h"

#include <algorithm>

#include "app/GameSettings.h"
#include "app/PyxGame.h"
#include "app/QxGlobals.h"
#include "app/QxInputQueue.h"
#include "engine/gui/QxEntity2DGUIElement.h"
#include "engine/gui/QxEntity2DGUIProgressBar.h"
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

// Ten presses from silent to full: fine enough to hear the difference of one.
constexpr std::uint32_t kVolumeStep = 10;

std::uint32_t Softer(std::uint32_t volume) {
    return volume > kVolumeStep ? volume - kVolumeStep : 0;
}

std::uint32_t Louder(std::uint32_t volume) {
    return std::min(volume + kVolumeStep, GameSettings::kFullVolume);
}

void ShowLevel(const QxEntity2DSceneType::ElementRecord* record, std::uint32_t volume) {
    if (QxEntity2DGUIElement* bar = NamedElement(record)) {
        bar->SetFloat(kPropProgressValue,
                      static_cast<float>(volume) / static_cast<float>(GameSettings::kFullVolume));
    }
}

} // namespace

PyxEntitySettingsMenuSceneType::PyxEntitySettingsMenuSceneType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    m_soundToggle = AddNamedElement("SoundToggle", definition);
    m_fullScreenToggle = AddNamedElement("FullScreenToggle", definition);
    m_hintToggle = AddNamedElement("HintToggle", definition);
    m_ok = AddNamedElement("OK", definition);
    m_musicDown = AddNamedElement("MusicVolumeDown", definition);
    m_musicUp = AddNamedElement("MusicVolumeUp", definition);
    m_musicBar = AddNamedElement("MusicVolumeBar", definition);
    m_effectsDown = AddNamedElement("EffectsVolumeDown", definition);
    m_effectsUp = AddNamedElement("EffectsVolumeUp", definition);
    m_effectsBar = AddNamedElement("EffectsVolumeBar", definition);
}

PyxEntitySettingsMenuScene::PyxEntitySettingsMenuScene(PyxEntitySettingsMenuSceneType* type)
    : QxEntity2DScene(type) {
    type->Load(false);
    AllowFullScreenKey(false);
    SetToggleState(type->m_soundToggle, g_gameSettings.musicOn);
    SetToggleState(type->m_fullScreenToggle, g_gameSettings.fullScreen);
    SetToggleState(type->m_hintToggle, g_gameSettings.showHints);
    m_musicVolume = std::min(g_gameSettings.musicVolume, GameSettings::kFullVolume);
    m_effectsVolume = std::min(g_gameSettings.effectsVolume, GameSettings::kFullVolume);
    ShowVolumes();
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
    if (StepVolume(mouse)) {
        return true;
    }
    if (ClickNamed(type->m_ok, mouse)) {
        Confirm();
        return true;
    }
    return QxEntity2DScene::OnMouseUp(mouse, 1);
}

bool PyxEntitySettingsMenuScene::StepVolume(QxPoint mouse) {
    PyxEntitySettingsMenuSceneType* type = MenuType();
    const struct {
        const QxEntity2DSceneType::ElementRecord* key;
        std::uint32_t* volume;
        std::uint32_t (*step)(std::uint32_t);
    } keys[] = {{type->m_musicDown, &m_musicVolume, Softer},
                {type->m_musicUp, &m_musicVolume, Louder},
                {type->m_effectsDown, &m_effectsVolume, Softer},
                {type->m_effectsUp, &m_effectsVolume, Louder}};
    for (const auto& key : keys) {
        if (ClickNamed(key.key, mouse)) {
            *key.volume = key.step(*key.volume);
            ShowVolumes();
            return true;
        }
    }
    return false;
}

void PyxEntitySettingsMenuScene::ShowVolumes() {
    PyxEntitySettingsMenuSceneType* type = MenuType();
    ShowLevel(type->m_musicBar, m_musicVolume);
    ShowLevel(type->m_effectsBar, m_effectsVolume);
    GameSettings heard = g_gameSettings;
    heard.musicVolume = m_musicVolume;
    heard.effectsVolume = m_effectsVolume;
    ApplySoundVolumes(heard);
}

void PyxEntitySettingsMenuScene::Confirm() {
    PyxEntitySettingsMenuSceneType* type = MenuType();
    const std::int32_t music = ToggleState(type->m_soundToggle, g_gameSettings.musicOn != 0);
    g_gameSettings.musicOn = music != 0 ? 1 : 0;
    if (g_soundManager != nullptr) {
        g_soundManager->EnableSounds(g_gameSettings.musicOn != 0);
    }
    g_gameSettings.showHints = ToggleState(type->m_hintToggle, g_gameSettings.showHints) != 0;
    g_gameSettings.musicVolume = m_musicVolume;
    g_gameSettings.effectsVolume = m_effectsVolume;
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
        // Nothing is stored: the settings keep their values, and the player hears
        // them again.
        ApplySoundVolumes(g_gameSettings);
        GoToScene(*this, "PyxMainMenu", "mainmenu");
        return true;
    }
    return false;
}
