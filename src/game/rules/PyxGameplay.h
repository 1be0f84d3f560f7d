#pragma once
// The referee of one game, from the first level of the level list to the hand-over to
// the high-score menu. It loads the levels, puts the player's ball on the board and
// steers it from the arrow keys and the mouse, releases the other balls through
// vortexes, keeps coins on the board, opens the exit, reacts to what the board objects
// report (a ball in a sink, two balls touching, an award taken), and keeps score,
// coins, lives and the level clock. The game scene owns it and drives it once a frame;
// the HUD elements read it through GameInProgress().
//
// A game runs level by level: Playing, LevelWon (coins and clock lights are cashed
// in), LevelWonWait, NextLevel (the jaws close, the next level loads behind them, they
// open) and Playing again; a trap with no life left, or the exit of the last level,
// leads to GameEnding. Paused interrupts any state and returns to it.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "game/field/PyxVector.h"
#include "game/objects/PyxGameEvents.h"
#include "game/rules/PyxLevelList.h"
#include "game/rules/PyxSteering.h"

struct PyxOwnGame;

class QxEntity2DGUIElement;
class QxEntity2DScene;
class PyxEntity2DGUIClock;
class PyxEntity2DGUICoins;
class PyxEntity2DGUILives;
class PyxEntity2DGUIMascot;
class PyxEntityGameObject;
class PyxEntityTileBase;
class PyxGameplayOwner;
class PyxLevel;

enum class PyxGameState : std::int32_t {
    None = 0, // before the first level
    Playing = 1,
    Paused = 2,
    LevelWon = 3,     // cashing in coins and clock lights
    LevelWonWait = 4, // a pause after cashing in
    NextLevel = 5,    // the jaws close, the next level loads, the jaws open
    GameEnding = 6,   // the end is shown, then the end-of-game box
};

enum class PyxGameOutcome : std::int32_t {
    None = 0,
    GameOver = 3,
    Completed = 4,
};

// Hints the rules show (each at most once per game).
enum PyxHint : std::int32_t {
    kHintBallLanded = 1,
    kHintLifeLost = 2,
    kHintCoinsLost = 3,
    kHintSpecialArmed = 4,
    kHintGear = 6,
    kHintCrossedCoins = 7,
    kHintPoweredUp = 8,
    kHintClockBonus = 9,
    kHintBallLandedMode3 = 10,
};

// Moods the rules give the mascot (its eye row is mood × 5 + 2).
enum PyxMascotMood : std::int32_t {
    kMoodCalm = 1,
    kMoodExcited = 2,
    kMoodHurt = 3,
    kMoodSad = 4,
};

class PyxGameplay : public PyxGameEvents {
public:
    static constexpr std::int32_t kHintCount = 20;
    static constexpr std::int32_t kStartLives = 3;
    static constexpr float kTurnTolerance = 16.0f;
    static constexpr float kPlayerTargetSpeed = 0.14f;
    static constexpr float kPlayerStartSpeed = 0.001f;
    static constexpr float kPowerMs = 5000.0f;
    static constexpr float kCashCoinMs = 200.0f;
    static constexpr std::int32_t kCoinPoints = 100;
    static constexpr float kWonWaitMs = 2000.0f;
    static constexpr float kEndingMs = 2000.0f;
    static constexpr float kWonHintBlockMs = 500.0f;
    static constexpr float kEndHintBlockMs = 3000.0f;
    static constexpr float kClockCashPeriodMs = 40.0f;
    // Coins are placed on a grid of 56-pixel cells whatever the level's cell size.
    static constexpr float kCoinCell = 56.0f;
    // A message shorter-lived than this goes away on a click.
    static constexpr float kMessageClickMs = 4000.0f;
    // Play that runs between two hint boxes: a hint asked for sooner waits its turn.
    static constexpr float kHintGapMs = 4000.0f;
    // How long a notice stays over the board, and the fade at its end.
    static constexpr float kNoticeMs = 2000.0f;
    static constexpr float kNoticeFadeMs = 400.0f;
    // Eating more balls in a row than this scores no more per ball.
    static constexpr std::int32_t kMaxEatenPower = 20;
    // Frames a random exit may fail to find a free cell before the first free cell in
    // cell order is taken.
    static constexpr std::int32_t kExitSearchFrames = 8;
    // The end-of-game box and the hint boxes.
    static constexpr std::int32_t kEndOfGameDialog = 2;
    static constexpr std::int32_t kHintDialog = 3;
    static constexpr std::uint32_t kButtonOK = 1;

    // The owner is the game scene (not owned); null plays without dialogs or HUD.
    // The rules publish themselves as the game in progress and as the board's events.
    explicit PyxGameplay(QxEntity2DScene* owner);
    ~PyxGameplay() override;

    // Loads the owner's level set and starts its first level with three lives. False
    // when no level could be started.
    virtual bool StartNewGame();
    // Replaces the current level by the one in the file; false (no level) when it
    // cannot be read.
    virtual bool LoadLevel(const std::string& fileName);
    // Replaces the level list; false when the file is missing or not a level list (the
    // old list stays) or damaged (the entries before the damage are the list).
    virtual bool LoadLevelList(const std::string& fileName);
    // One frame. Answers 1 when the program is quitting, else 0.
    virtual std::int32_t Update(float ms);
    // Releases the level and the level list.
    virtual void ReleaseAll();
    // The play field: tiles, then the board objects.
    virtual void DrawBoard();
    // With restart the level's objects are released first; then, when not active,
    // they are created. True.
    virtual bool ActivateLevel(bool restart);
    virtual bool DeactivateLevel();
    virtual void OnClick();
    virtual void OnKeyDown(std::int32_t code);
    virtual void OnKeyUp(std::int32_t code);

    // Pauses, or resumes a paused game; answers the new state.
    PyxGameState TogglePause();
    // Pauses unless paused already.
    void PauseOnly();
    // The powered ball takes the player's place for five seconds (again when it has
    // already); PowerDown puts the normal ball back.
    void PowerUp();
    void PowerDown();

    // ---- what the board reports -------------------------------------------------
    PyxLevel* Level() override { return m_level.get(); }
    void OnBallAtExitOrSink(PyxEntityGameObject* ball, PyxEntityTileBase* tile) override;
    bool OnBallsTouch(PyxEntityGameObject* ball, PyxEntityGameObject* other) override;
    bool OnAwardTaken(PyxEntityGameObject* award, PyxEntityGameObject* taker) override;
    void OnBallEnteredTile(PyxEntityGameObject* ball, PyxEntityTileBase* tile) override;
    void ShowHint(std::int32_t n) override;
    void SetAmbientLevels(float posts, float sinks) override;
    float PostSoundLevel() override { return m_postLevel; }
    float SinkSoundLevel() override { return m_sinkLevel; }
    bool TakePostSoundRequest() override;
    bool TakeSinkSoundRequest() override;
    PyxEntityGameObject* PlayerBall() override { return m_player; }
    void AddScore(std::int32_t points) override;
    void SetMascotExpression(std::int32_t expression) override;
    void SetReleaseCountdown(float ms) override;
    void OnPlayerBallLanded() override;

    // ---- what the HUD reads and asks --------------------------------------------
    // Sets the message line for the given seconds.
    void ShowMessage(const std::string& title, const std::string& text, float seconds);
    // A line over the board that says what just happened ("Exit open!"); unlike the
    // message line, keys and clicks leave it alone. It goes after the time given, or
    // when the next level starts.
    void ShowNotice(const std::string& text, float ms = kNoticeMs);
    // The lives row took a life away when its flare ended.
    void TakeLife();
    // A rising score at a point of the screen (the HUD's coordinates).
    void ShowScreenScore(std::int32_t x, std::int32_t y, const std::string& text);

    PyxGameState State() const { return m_state; }
    PyxGameOutcome Outcome() const { return m_outcome; }
    std::int32_t Score() const { return m_score; }
    std::int32_t DisplayedScore() const { return m_displayedScore; }
    std::int32_t Lives() const { return m_lives; }
    std::int32_t CoinsHeld() const { return m_coinsHeld; }
    // Held coins crossed out by hits since the last life: they are not cashed in.
    std::int32_t Hits() const { return m_hits; }
    std::int32_t CoinsPlaced() const { return m_coinsPlaced; }
    std::int32_t CoinsNeeded() const;
    std::int32_t BallsReleased() const { return m_ballsReleased; }
    std::int32_t BallsSaved() const { return m_ballsSaved; }
    std::int32_t LevelIndex() const { return m_levelIndex; }
    const PyxLevelList& LevelList() const { return m_levelList; }
    bool IsExitOpen() const { return m_exitOpen; }
    bool IsPowered() const { return m_powered; }
    float PowerTimer() const { return m_powerTimer; }
    std::int32_t EatenInARow() const { return m_eatenInARow; }
    float HintBlockTimer() const { return m_hintBlock; }
    float LevelClockTime() const { return m_levelClock; }
    std::int32_t ReleaseCountdown() const { return m_releaseCountdown; }
    bool GameEnds() const { return m_gameEnds; }
    PyxVector RequestedTurn() const { return m_requestedTurn; }
    PyxSteerDirection MouseDirection() const { return m_mouseDirection; }
    std::int32_t CursorFrame() const { return m_cursorFrame; }
    const PyxHeldArrows& HeldKeys() const { return m_keys; }
    bool HintPending(std::int32_t n) const;
    const std::string& NoticeText() const { return m_noticeText; }
    const std::string& MessageTitle() const { return m_messageTitle; }
    const std::string& MessageText() const { return m_messageText; }
    PyxEntityGameObject* NormalBall() const { return m_normalBall; }
    PyxEntityGameObject* PoweredBall() const { return m_poweredBall; }
    PyxEntityGameObject* SpecialObject() const { return m_special; }
    std::int32_t SpecialArmCount() const { return m_specialArmCount; }
    bool IsSpecialArmed() const { return m_specialArmed; }
    std::int32_t StartCol() const { return m_startCol; }
    std::int32_t StartRow() const { return m_startRow; }
    QxEntity2DScene* Owner() const { return m_owner; }
    // The text of a HUD slot (2 time, 5 coins, 6 lives, 7 pause, 9 level, 10 notice).
    const std::string& HudText(std::int32_t slot) const;

    // For tests and tools: sets what a game would reach by playing.
    void SetScore(std::int32_t score) { m_score = score; }
    void SetDisplayedScore(std::int32_t score) { m_displayedScore = score; }
    void SetCoinsHeld(std::int32_t coins) { m_coinsHeld = coins; }
    void SetHits(std::int32_t hits) { m_hits = hits; }
    void SetLives(std::int32_t lives) { m_lives = lives; }
    void SetState(PyxGameState state) { m_state = state; }
    void SetStateTimer(float ms) { m_stateTimer = ms; }
    void SetHintBlockTimer(float ms) { m_hintBlock = ms; }
    // Starts the next level of the list (the level index moves on); false at the end
    // of the list or when the level cannot be read.
    bool StartNextLevel();

    // The displayed score one frame nearer the score.
    static std::int32_t RollScore(std::int32_t displayed, std::int32_t score);
    // Coins a hit takes: the draw (0 to 4) limited to the coins held and at least 1.
    static std::int32_t CoinsLostForHit(std::int32_t draw, std::int32_t held);
    // Points for the n-th ball eaten in a row: 2^n × 100.
    static std::int32_t PointsForEaten(std::int32_t eatenInARow);

private:
    struct Hud {
        QxEntity2DGUIElement* score = nullptr;
        QxEntity2DGUIElement* time = nullptr;
        QxEntity2DGUIElement* level = nullptr;
        QxEntity2DGUIElement* text1 = nullptr;
        QxEntity2DGUIElement* text2 = nullptr;
        QxEntity2DGUIElement* notice = nullptr;
        PyxEntity2DGUILives* lives = nullptr;
        PyxEntity2DGUICoins* coins = nullptr;
        PyxEntity2DGUIClock* clock = nullptr;
        PyxEntity2DGUIMascot* mascot = nullptr;
    };

    Hud FindHud() const;
    PyxGameplayOwner* OwnerLink() const;
    // The owner's level being tried, or null in a game of the level set.
    // The player's own levels played in place of the level set, or null.
    const PyxOwnGame* OwnGame() const;
    // Own levels that keep no high score: a level being tried.
    bool IsTrial() const;

    // Frame steps.
    std::int32_t Step(float ms);
    // The cursor and the full-screen key follow the state, paused or not.
    void PrepareFrame();
    // The board plays its frame; the tiles may ask for their ambient sounds again.
    void UpdateBoard(float ms);
    // A won level (or the last one) moves the state on to its ending.
    void EnterWonStates();
    void UpdateState(float ms);
    // What runs in every unpaused state: timers, the rolling score, hints, removals and
    // the HUD texts.
    void FinishFrame(float ms);
    void UpdatePlaying(float ms);
    void CountDownPower(float ms);
    void ShowSteeringCursor(bool button);
    void TakeNewTurn(bool button);
    // An arrow key held or let go; other keys change nothing.
    void HoldArrow(std::int32_t code, bool held);
    void StartClockWhenOnBoard(const Hud& hud);
    void FollowPlayerPace(const Hud& hud);
    void UpdateLevelWon(float ms);
    void UpdateNextLevel();
    void StartLevelBehindJaws();
    void UpdateGameEnding(float ms);
    void SteerFromMouse();
    void ApplyTurnAndSpeed();
    void ReleaseBalls(float ms);
    void WatchVortexes();
    void PlaceCoin();
    void OpenExitWhenEarned();
    bool FindExitCell(std::int32_t& col, std::int32_t& row);
    void ArmSpecialWhenEarned();
    void ForgetRemoved();
    void CountDownMessage(float ms);
    // While a dialog freezes play the board's loops are paused; they play on when
    // play does.
    void FollowFreeze();
    void CountDownNotice(float ms);
    // A deferred hint opens once play has run long enough since the last box.
    void ShowDeferredHint(float ms);

    // Level set-up.
    bool SetUpPlayer();
    void SetUpCarrier();
    void StartLevelClock();

    // Events.
    void PlayerAtExit(PyxEntityGameObject* ball);
    void PlayerInTrap(float x, float y);
    void LoseLife();
    void GameOver();
    void GameCompleted();
    void SwapPlayerBall(PyxEntityGameObject* from, PyxEntityGameObject* to);
    void SkipCashingIn();
    void EndGameToHighScores();
    void PrepareHighScore();
    bool OpenEndOfGameBox();
    void RequestHighScores();
    void LoseCoins(PyxEntityGameObject* player);
    void EatBall(PyxEntityGameObject* ball);
    void CollectCoin(PyxEntityGameObject* award, PyxEntityGameObject* player);
    void ClearRequestedTurn() { m_requestedTurn = {0.0f, 0.0f}; }
    void DeactivatePlayerBalls();
    bool HintBoxOpen() const;
    // Centres a hint box over the board.
    void PlaceOverBoard(QxEntity2DGUIElement& box) const;
    bool IsPlayer(const PyxEntityGameObject* object) const;

    // The HUD.
    void UpdateTexts();
    void SetText(QxEntity2DGUIElement* element, std::string& shown, const std::string& text,
                 std::int32_t justify);

    QxEntity2DScene* m_owner;

    PyxLevelList m_levelList;
    std::int32_t m_levelIndex = -1;
    std::unique_ptr<PyxLevel> m_level;

    PyxGameState m_state = PyxGameState::None;
    PyxGameState m_stateBeforePause = PyxGameState::None;
    std::int32_t m_clockStateBeforePause = -1;
    PyxGameOutcome m_outcome = PyxGameOutcome::None;

    bool m_levelActive = false;

    std::int32_t m_releaseCountdown = 0;
    std::int32_t m_releaseInterval = 0;
    std::vector<PyxEntityGameObject*> m_vortexes;

    std::int32_t m_ballsReleased = 0;
    std::int32_t m_ballsSaved = 0;
    std::int32_t m_coinsHeld = 0;
    std::int32_t m_coinsPlaced = 0;
    std::int32_t m_hits = 0;
    std::int32_t m_lives = kStartLives;
    // Lives the lives row has been asked to take that it has not taken yet.
    std::int32_t m_livesLeaving = 0;

    bool m_levelWon = false;
    bool m_gameEnds = false;

    PyxHeldArrows m_keys;
    PyxHeldArrows m_previousHeld;
    PyxSteerDirection m_mouseDirection = kSteerNone;
    std::int32_t m_cursorFrame = 0;
    PyxVector m_requestedTurn{0.0f, 0.0f};

    float m_hintBlock = 0.0f;

    PyxEntityGameObject* m_player = nullptr;
    PyxEntityGameObject* m_normalBall = nullptr;
    PyxEntityGameObject* m_poweredBall = nullptr;
    bool m_powered = false;
    float m_powerTimer = 0.0f;
    std::int32_t m_eatenInARow = 0;
    std::int32_t m_startCol = 0;
    std::int32_t m_startRow = 0;

    std::string m_carrierType;

    PyxEntityGameObject* m_special = nullptr;
    std::int32_t m_specialArmCount = 0;
    bool m_specialArmed = false;

    bool m_exitOpen = false;
    std::int32_t m_exitSearchFrames = 0;
    bool m_exitTileMissing = false;

    float m_stateTimer = 0.0f;
    float m_levelClock = 0.0f;
    bool m_clockStartPending = false;
    bool m_endBoxShown = false;
    bool m_nextLevelLoaded = false;

    std::string m_messageTitle;
    std::string m_messageText;
    float m_messageTime = 0.0f;
    std::string m_noticeText;
    float m_noticeTime = 0.0f;

    std::int32_t m_score = 0;
    std::int32_t m_displayedScore = 0;

    std::array<std::uint8_t, kHintCount> m_pendingHints;
    QxEntity2DGUIElement* m_hintBox = nullptr;
    float m_hintGap = 0.0f;
    std::vector<std::int32_t> m_deferredHints;

    float m_postLevel = 0.0f;
    float m_sinkLevel = 0.0f;
    bool m_postRequest = false;
    bool m_sinkRequest = false;

    bool m_soundsHeld = false;

    std::array<std::string, 11> m_hudTexts;
    // What the five text elements show now (time, level, the two message lines, the
    // notice) and the notice's alpha.
    std::array<std::string, 5> m_shownTexts;
    std::int32_t m_shownNoticeAlpha = -1;
    bool m_updating = false;
};

// The game being played, or null. The game scene publishes its rules here while it
// runs; the HUD elements read them.
PyxGameplay* GameInProgress();
void SetGameInProgress(PyxGameplay* gameplay);
