#pragma once
// The settings menu: toggles for music, full screen and hints and a music and an
// effects volume, confirmed with "OK". The full-screen key is off while the menu is
// shown; a changed full-screen toggle is applied by queuing that key, and the main menu
// follows on the next frame. The volumes are heard at once while they change and go
// back to the stored ones when the player leaves with Escape.

#include <cstdint>
#include <memory>

#include "engine/gui/QxEntity2DScene.h"

class PyxEntitySettingsMenuScene;

class PyxEntitySettingsMenuSceneType
    : public QxEntityTypeOf<PyxEntitySettingsMenuSceneType, PyxEntitySettingsMenuScene,
                            QxEntity2DSceneType> {
public:
    explicit PyxEntitySettingsMenuSceneType(QxDefinition* definition);

    ElementRecord* m_soundToggle = nullptr;
    ElementRecord* m_fullScreenToggle = nullptr;
    ElementRecord* m_hintToggle = nullptr;
    ElementRecord* m_ok = nullptr;
    // Per volume: the softer and the louder key and the level bar between them.
    ElementRecord* m_musicDown = nullptr;
    ElementRecord* m_musicUp = nullptr;
    ElementRecord* m_musicBar = nullptr;
    ElementRecord* m_effectsDown = nullptr;
    ElementRecord* m_effectsUp = nullptr;
    ElementRecord* m_effectsBar = nullptr;
};

class PyxEntitySettingsMenuScene : public QxEntity2DScene {
public:
    // Forbids the full-screen key and shows the settings on the toggles.
    explicit PyxEntitySettingsMenuScene(PyxEntitySettingsMenuSceneType* type);

    bool Update(float ms) override;
    bool OnMouseUp(QxPoint mouse, int button) override;
    bool OnKey(int code) override;

private:
    PyxEntitySettingsMenuSceneType* MenuType() const {
        return static_cast<PyxEntitySettingsMenuSceneType*>(Type());
    }
    // Stores the toggles and the volumes into the settings.
    void Confirm();
    // True when the click was on a volume key; the volume then moved one step.
    bool StepVolume(QxPoint mouse);
    // Shows the volumes on their bars and lets the player hear them.
    void ShowVolumes();

    std::uint8_t m_modeChangePending = 0;
    // The volumes as shown, stored only by OK.
    std::uint32_t m_musicVolume = 0;
    std::uint32_t m_effectsVolume = 0;
};

using PyxEntitySettingsMenuScenePrototype = QxTypePrototype<PyxEntitySettingsMenuSceneType>;
