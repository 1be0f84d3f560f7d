#include "game/screens/PyxEntityStdGameScene.h"

#include "app/GameSettings.h"
#include "app/PyxGame.h"
#include "app/QxGlobals.h"
#include "engine/files/QxLog.h"
#include "engine/gui/QxDialogInterface.h"
#include "engine/gui/QxEntity2DGUIElement.h"
#include "engine/sound/QxSoundManager.h"
#include "game/objects/PyxEntityBigTeeth.h"
#include "game/objects/QxTrajectoryLine.h"
#include "game/rules/PyxGameplay.h"
#include "game/rules/PyxLevelList.h"
#include "game/screens/PyxSceneSupport.h"

namespace {

constexpr const char* kNamedElements[] = {"SideBar", "Score",     "Coins",     "Time",  "Lives",
                                          "Level",   "DispText1", "DispText2", "Teeth", "Clock",
                                          "Mascot",  "Notice",    "SoundOff"};

constexpr const char* kSoundOffNotice = "Sound off";
constexpr const char* kSoundOnNotice = "Sound on";

} // namespace

PyxEntityStdGameSceneType::PyxEntityStdGameSceneType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    for (const char* name : kNamedElements) {
        m_named[name] = AddNamedElement(name, definition);
    }
    if (definition == nullptr) {
        return;
    }
    definition->ReadKey("LevelSet", m_levelSet);
    definition->ReadKey("JawsOpenPos", m_jawsOpen);
    definition->ReadKey("JawsClosedPos", m_jawsClosed);
    definition->ReadKey("JawsSpeed", m_jawsSpeed);
}

QxEntity2DGUIElement* PyxEntityStdGameSceneType::Named(const std::string& name) const {
    auto it = m_named.find(name);
    return it == m_named.end() ? nullptr : ::NamedElement(it->second);
}

PyxEntityStdGameScene::PyxEntityStdGameScene(PyxEntityStdGameSceneType* type)
    : QxEntity2DScene(type), m_offer(PyxTakeOfferedGame()) {
    type->Load(false);
    m_gameplay = std::make_unique<PyxGameplay>(this);
    if (!m_gameplay->StartNewGame()) {
        const std::string problem = StartProblem();
        LogPrintf("Standard game - %s", problem.c_str());
        if (PyxGame* game = ThePyxGame()) {
            game->RefuseNewScene("The game cannot start:\r\n" + problem);
        } else {
            QuitGame();
        }
        return;
    }
    m_gameplay->Update(0.0f);
    if (PyxEntityBigTeeth* teeth = Teeth()) {
        teeth->SetTrajectory(nullptr);
    }
    if (g_game != nullptr) {
        g_game->StopMusic(5000.0f);
    }
    ShowSoundSign();
}

std::string PyxEntityStdGameScene::StartProblem() const {
    const PyxLevelList& list = m_gameplay->LevelList();
    const std::string set = "the level list \"" + GameType()->m_levelSet + "\"";
    if (list.Count() == 0) {
        switch (list.LastResult()) {
        case PyxLevelList::Result::Missing:
            return set + " is missing.";
        case PyxLevelList::Result::NotAList:
            return set + " is not a level list.";
        case PyxLevelList::Result::Damaged:
            return set + " is damaged.";
        case PyxLevelList::Result::Whole:
            break;
        }
        return set + " names no level.";
    }
    const std::string level = "level 1 (\"" + list.Entries().front().fileName + "\")";
    return m_gameplay->Level() == nullptr ? level + " cannot be loaded."
                                          : level + " cannot be started.";
}

PyxEntityStdGameScene::~PyxEntityStdGameScene() {
    // The rules let go of the board and of the game in progress before the scene goes.
    m_gameplay.reset();
}

bool PyxEntityStdGameScene::GetString(int id, std::string& text) {
    if (id == kPropLevelSet) {
        text = GameType()->m_levelSet;
        return true;
    }
    return QxEntity2DScene::GetString(id, text);
}

bool PyxEntityStdGameScene::Update(float ms) {
    ShowSoundSign();
    if (!IsModal()) {
        if (m_gameplay->Update(ms) == 1) {
            QuitGame();
        }
    } else {
        SetCursorFrame(0);
    }
    return QxEntity2DScene::Update(ms);
}

bool PyxEntityStdGameScene::Draw() {
    Type()->Load(false);
    return QxEntity2DScene::Draw();
}

bool PyxEntityStdGameScene::OnMouseUp(QxPoint mouse, int button) {
    if (QxEntity2DScene::OnMouseUp(mouse, button)) {
        return true;
    }
    m_gameplay->OnClick();
    if (m_gameplay->State() == PyxGameState::Paused) {
        m_gameplay->TogglePause(); // a click resumes
    }
    return QxEntity2DScene::OnMouseUp(mouse, 1);
}

bool PyxEntityStdGameScene::OnKey(int code) {
    if (QxEntity2DScene::OnKey(code)) {
        return true;
    }
    if (code == kSceneKeyEscape && IsTrial()) {
        // Nothing is lost: the level is still in the editor as it was.
        TrialEnded();
    } else if (code == kSceneKeyEscape) {
        ShowQuestion(*this, kQuitTitle, m_offer ? kQuitSetQuestion : kQuitQuestion, kQuitDialogId);
    } else if (code == 'P' || code == 'p') {
        m_pausedByKey = 1;
        m_gameplay->TogglePause();
    } else if (code == 'S' || code == 's' || code == kKeyF5) {
        g_gameSettings.musicOn = g_gameSettings.musicOn != 0 ? 0 : 1;
        if (g_soundManager != nullptr) {
            g_soundManager->EnableSounds(g_gameSettings.musicOn != 0);
        }
        m_gameplay->ShowNotice(g_gameSettings.musicOn != 0 ? kSoundOnNotice : kSoundOffNotice);
        ShowSoundSign();
    } else if (m_gameplay->State() == PyxGameState::Paused) {
        m_gameplay->TogglePause(); // any key resumes
    } else {
        m_gameplay->OnKeyDown(code);
    }
    return true;
}

bool PyxEntityStdGameScene::OnKeyUp(int code) {
    if (QxEntity2DScene::OnKeyUp(code)) {
        return true;
    }
    m_gameplay->OnKeyUp(code);
    return true;
}

bool PyxEntityStdGameScene::OnDialogClosed(QxEntity2DGUIElement* dialog) {
    const auto* box = dynamic_cast<const QxDialogInterface*>(dialog);
    if (box == nullptr) {
        return true;
    }
    if (box->DialogId() == kQuitDialogId && box->Answer() == kAnswerYesButton) {
        if (m_offer) {
            GoToScene(*this, m_offer->returnClass, m_offer->returnType);
        } else {
            GoToScene(*this, "PyxMainMenu", "mainmenu");
        }
    } else if (box->DialogId() == kEndOfGameDialogId && IsTrial()) {
        TrialEnded();
    } else if (box->DialogId() == kEndOfGameDialogId) {
        GoToScene(*this, "PyxHighScores", "highscores");
    }
    return true;
}

const PyxOwnGame* PyxEntityStdGameScene::OwnGame() const {
    return m_offer ? &m_offer->game : nullptr;
}

bool PyxEntityStdGameScene::IsTrial() const {
    return m_offer && !m_offer->game.KeepsScores();
}

void PyxEntityStdGameScene::TrialEnded() {
    if (m_offer) {
        GoToScene(*this, m_offer->returnClass, m_offer->returnType);
    }
}

QxEntity2DGUIElement* PyxEntityStdGameScene::NamedElement(const std::string& name) {
    return GameType()->Named(name);
}

void PyxEntityStdGameScene::ShowSoundSign() {
    QxEntity2DGUIElement* sign = GameType()->Named("SoundOff");
    const bool off = g_gameSettings.musicOn == 0;
    if (sign == nullptr || sign->IsVisible() == off) {
        return;
    }
    // Marked before it hides, so the side bar is drawn again where it stood.
    sign->Invalidate();
    sign->SetVisible(off);
    sign->Invalidate();
}

PyxEntityBigTeeth* PyxEntityStdGameScene::Teeth() const {
    return dynamic_cast<PyxEntityBigTeeth*>(GameType()->Named("Teeth"));
}

bool PyxEntityStdGameScene::MoveJaws(QxPoint from, QxPoint to) {
    PyxEntityBigTeeth* teeth = Teeth();
    std::unique_ptr<QxTrajectoryBase> path =
        MakeLineTrajectory(static_cast<float>(from.x), static_cast<float>(from.y),
                           static_cast<float>(to.x), static_cast<float>(to.y), 4.0f, true);
    if (teeth == nullptr || !path) {
        return false;
    }
    path->SetParameter(QxTrajectoryBase::kSpeed, GameType()->m_jawsSpeed);
    teeth->SetTrajectory(std::move(path));
    return true;
}

std::int32_t PyxEntityStdGameScene::StepJaws() {
    PyxEntityBigTeeth* teeth = Teeth();
    if (teeth == nullptr) {
        m_jaws = Jaws::Open;
        return kJawsNone;
    }
    const PyxEntityStdGameSceneType* type = GameType();
    switch (m_jaws) {
    case Jaws::Open:
        if (!MoveJaws(type->m_jawsOpen, type->m_jawsClosed)) {
            return kJawsNone;
        }
        m_jaws = Jaws::Closing;
        return kJawsMoving;
    case Jaws::Closing:
        if (teeth->Trajectory() != nullptr && teeth->Trajectory()->Progress() < 1.0f) {
            return kJawsMoving;
        }
        m_jaws = MoveJaws(type->m_jawsClosed, type->m_jawsOpen) ? Jaws::Opening : Jaws::Open;
        return kJawsClosed;
    case Jaws::Opening:
        if (teeth->Trajectory() != nullptr && teeth->Trajectory()->Progress() < 1.0f) {
            return kJawsMoving;
        }
        teeth->SetTrajectory(nullptr);
        m_jaws = Jaws::Open;
        return kJawsNone;
    }
    return kJawsNone;
}
