#pragma once
// The main menu: buttons to quit, open the manual shipped beside the data ("Website"),
// and go to the settings, the instructions, a new game, the player's own level sets, the
// level editor and the high scores; Escape asks whether to quit.
// The keyboard focus starts on the new game.

#include <memory>

#include "engine/gui/QxEntity2DScene.h"

class PyxEntityMainMenuScene;

class PyxEntityMainMenuSceneType
    : public QxEntityTypeOf<PyxEntityMainMenuSceneType, PyxEntityMainMenuScene,
                            QxEntity2DSceneType> {
public:
    explicit PyxEntityMainMenuSceneType(QxDefinition* definition);

    ElementRecord* m_quit = nullptr;
    ElementRecord* m_webPage = nullptr;
    ElementRecord* m_settings = nullptr;
    ElementRecord* m_highScores = nullptr;
    ElementRecord* m_standardGame = nullptr;
    ElementRecord* m_help = nullptr;
    ElementRecord* m_playMyLevels = nullptr;
    ElementRecord* m_makeLevels = nullptr;
    ElementRecord* m_version = nullptr;
};

class PyxEntityMainMenuScene : public QxEntity2DScene {
public:
    static constexpr const char* kVersionText = "Ver: 1.1.6";
    // The manual's file, installed beside the data archive; the game's working folder is
    // that folder.
    static constexpr const char* kManualPage = "manual.html";
    // The question says what quitting here ends: the program.
    static constexpr const char* kQuitTitle = "Quit Rondelix";
    static constexpr const char* kQuitQuestion = "Close the program and return to the desktop?";
    static constexpr std::int32_t kQuitDialogId = 1;

    // Allows the full-screen key, shows the version and starts the music.
    explicit PyxEntityMainMenuScene(PyxEntityMainMenuSceneType* type);

    bool OnMouseUp(QxPoint mouse, int button) override;
    bool OnKey(int code) override;
    bool OnDialogClosed(QxEntity2DGUIElement* dialog) override;

private:
    void OpenManual();

    PyxEntityMainMenuSceneType* MenuType() const {
        return static_cast<PyxEntityMainMenuSceneType*>(Type());
    }
};

using PyxEntityMainMenuScenePrototype = QxTypePrototype<PyxEntityMainMenuSceneType>;
