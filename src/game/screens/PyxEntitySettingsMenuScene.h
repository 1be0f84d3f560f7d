#pragma once
// The settings menu: toggles for music, full screen and hints, confirmed with "OK".
// The full-screen key is off while the menu is shown; a changed full-screen toggle is
// applied by queuing that key, and the main menu follows on the next frame.

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
    // Stores the toggles into the settings.
    void Confirm();

    std::uint8_t m_modeChangePending = 0;
};

using PyxEntitySettingsMenuScenePrototype = QxTypePrototype<PyxEntitySettingsMenuSceneType>;
