#include "game/screens/PyxEntityMainMenuScene.h"

#include <filesystem>
#include <string>
#include <system_error>

#include "app/PyxGame.h"
#include "app/QxGlobals.h"
#include "engine/files/QxLog.h"
#include "engine/gui/QxDialogInterface.h"
#include "engine/gui/QxEntity2DGUIElement.h"
#include "engine/gui/QxEntityHighScoreScene.h"
#include "game/screens/PyxOfferedGame.h"
#include "game/screens/PyxSceneSupport.h"
#include "platform/Platform.h"

PyxEntityMainMenuSceneType::PyxEntityMainMenuSceneType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    m_quit = AddNamedElement("Quit", definition);
    m_webPage = AddNamedElement("WebPage", definition);
    m_settings = AddNamedElement("Settings", definition);
    m_highScores = AddNamedElement("HighScores", definition);
    m_standardGame = AddNamedElement("StandardGame", definition);
    m_help = AddNamedElement("Help", definition);
    m_playMyLevels = AddNamedElement("PlayMyLevels", definition);
    m_makeLevels = AddNamedElement("MakeLevels", definition);
    m_version = AddNamedElement("Ver", definition);
}

PyxEntityMainMenuScene::PyxEntityMainMenuScene(PyxEntityMainMenuSceneType* type)
    : QxEntity2DScene(type) {
    // The elements exist once the type has loaded; a first visit loads it here.
    type->Load(false);
    AllowFullScreenKey(true);
    SetElementJustify(type->m_version, 2);
    SetElementText(type->m_version, kVersionText);
    // Enter plays, whatever the layout puts first.
    FocusOn(NamedElement(type->m_standardGame));
    // Levels offered that no game screen took are not played by "Play", and a set's
    // table that no high-score screen showed is not what "High Scores" shows.
    PyxTakeOfferedGame();
    g_pendingHighScoreTable.clear();
    if (g_game != nullptr) {
        g_game->PlayMusic(PyxGame::kMusicTrack, 2000.0f);
    }
}

bool PyxEntityMainMenuScene::OnMouseUp(QxPoint mouse, int button) {
    if (QxEntity2DScene::OnMouseUp(mouse, button)) {
        return true;
    }
    PyxEntityMainMenuSceneType* type = MenuType();
    if (ClickNamed(type->m_quit, mouse)) {
        QuitGame();
    } else if (ClickNamed(type->m_webPage, mouse)) {
        OpenManual();
    } else if (ClickNamed(type->m_settings, mouse)) {
        GoToScene(*this, "PyxSettingsMenu", "settingsmenu");
    } else if (ClickNamed(type->m_help, mouse)) {
        GoToScene(*this, "PyxInstructions", "instructions");
    } else if (ClickNamed(type->m_standardGame, mouse)) {
        GoToScene(*this, "PyxStdGame", "stdgame");
    } else if (ClickNamed(type->m_playMyLevels, mouse)) {
        GoToScene(*this, "PyxPlayMyLevels", "mylevels");
    } else if (ClickNamed(type->m_makeLevels, mouse)) {
        GoToScene(*this, "PyxLevelEditor", "leveleditor");
    } else if (ClickNamed(type->m_highScores, mouse)) {
        GoToScene(*this, "PyxHighScores", "highscores");
    } else {
        return false;
    }
    return true;
}

void PyxEntityMainMenuScene::OpenManual() {
    std::error_code ec;
    const std::filesystem::path page = std::filesystem::absolute(kManualPage, ec);
    if (ec || !std::filesystem::is_regular_file(page, ec)) {
        // A copy of the game without its manual (a development tree, a hand-made folder).
        LogPrintf("Website - the manual \"%s\" is not beside the game's data; nothing opened.",
                  page.empty() ? kManualPage : page.string().c_str());
        return;
    }
    if (!platform::OpenLocalPage(page)) {
        LogPrintf("Website - no browser could be started for the manual \"%s\".",
                  page.string().c_str());
    }
}

bool PyxEntityMainMenuScene::OnKey(int code) {
    if (QxEntity2DScene::OnKey(code)) {
        return true;
    }
    if (code == kSceneKeyEscape) {
        ShowQuestion(*this, kQuitTitle, kQuitQuestion, kQuitDialogId);
        return true;
    }
    return false;
}

bool PyxEntityMainMenuScene::OnDialogClosed(QxEntity2DGUIElement* dialog) {
    const auto* box = dynamic_cast<const QxDialogInterface*>(dialog);
    if (box != nullptr && box->DialogId() == kQuitDialogId && box->Answer() == kAnswerYesButton) {
        QuitGame();
    }
    return true;
}
