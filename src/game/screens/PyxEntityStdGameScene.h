#pragma once
// The game screen: hosts the game rules of one game and its HUD. It creates the rules
// when it is created, drives them once a frame unless a dialog holds the screen, hands
// them the player's clicks and keys, and answers for them the quit question and the
// end-of-game box. Between levels it runs the jaws that close over the board.
//
// Beside the named elements and "LevelSet", its type reads where the jaws travel:
// "JawsOpenPos" and "JawsClosedPos" (the point the upper jaw's trajectory leads to when
// open and when closed; default 67, -480 and 67, -60: the lower jaw mirrors the upper
// about y = 40) and "JawsSpeed" (pixels per second, default 900). Two more named
// elements: "Notice" (a text over the board that says what just happened) and
// "SoundOff" (a sign shown while the sounds are off).
//
// The player's own levels (PyxOfferedGame) are played in place of the level set. A
// level being tried keeps no high score: Escape, the end of the game and the quit
// question lead back to the scene that offered it. A set asks before it is left, goes
// back to that scene when the player leaves it, and ends at its own high scores.

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "engine/gui/QxEntity2DScene.h"
#include "game/rules/PyxGameplayOwner.h"
#include "game/screens/PyxOfferedGame.h"

class PyxGameplay;
class PyxEntityBigTeeth;

class PyxEntityStdGameScene;

class PyxEntityStdGameSceneType
    : public QxEntityTypeOf<PyxEntityStdGameSceneType, PyxEntityStdGameScene, QxEntity2DSceneType> {
public:
    explicit PyxEntityStdGameSceneType(QxDefinition* definition);

    // The element of a named record, or null.
    QxEntity2DGUIElement* Named(const std::string& name) const;

    std::string m_levelSet;
    QxPoint m_jawsOpen{67, -480};
    QxPoint m_jawsClosed{67, -60};
    float m_jawsSpeed = 900.0f;

private:
    std::map<std::string, ElementRecord*> m_named;
};

class PyxEntityStdGameScene : public QxEntity2DScene, public PyxGameplayOwner {
public:
    // The question says what quitting here ends: the game in progress, not the program.
    static constexpr const char* kQuitTitle = "Leave the game";
    static constexpr const char* kQuitQuestion =
        "End the game in progress and go back to the main menu?";
    // A set of the player's own goes back to the list of sets.
    static constexpr const char* kQuitSetQuestion =
        "End the game in progress and go back to your level sets?";
    static constexpr std::int32_t kQuitDialogId = 1;
    static constexpr std::int32_t kEndOfGameDialogId = 2;
    static constexpr int kKeyF5 = 272;

    // Creates the rules and starts the game. A game that cannot start refuses the
    // screen: the menu that asked for it stays and says why.
    explicit PyxEntityStdGameScene(PyxEntityStdGameSceneType* type);
    ~PyxEntityStdGameScene() override;

    bool GetString(int id, std::string& text) override;

    bool Update(float ms) override;
    bool Draw() override;
    bool OnMouseUp(QxPoint mouse, int button) override;
    bool OnKey(int code) override;
    bool OnKeyUp(int code) override;
    bool OnDialogClosed(QxEntity2DGUIElement* dialog) override;

    QxEntity2DGUIElement* NamedElement(const std::string& name) override;
    std::int32_t StepJaws() override;
    const PyxOwnGame* OwnGame() const override;
    void TrialEnded() override;
    // A level being tried: own levels that keep no high score.
    bool IsTrial() const;

    PyxGameplay* Gameplay() const { return m_gameplay.get(); }
    bool IsPausedByKey() const { return m_pausedByKey != 0; }

private:
    enum class Jaws { Open, Closing, Opening };

    PyxEntityStdGameSceneType* GameType() const {
        return static_cast<PyxEntityStdGameSceneType*>(Type());
    }
    PyxEntityBigTeeth* Teeth() const;
    // Why the rules could not start, for the player.
    std::string StartProblem() const;
    // The "SoundOff" element shows while sounds are switched off.
    void ShowSoundSign();
    // Sends the jaws from one point to the other.
    bool MoveJaws(QxPoint from, QxPoint to);

    // Taken before the rules start, so they play it instead of the level set.
    std::unique_ptr<PyxOfferedGame> m_offer;
    std::unique_ptr<PyxGameplay> m_gameplay;
    std::uint8_t m_pausedByKey = 0;
    Jaws m_jaws = Jaws::Open;
};

using PyxEntityStdGameScenePrototype = QxTypePrototype<PyxEntityStdGameSceneType>;
