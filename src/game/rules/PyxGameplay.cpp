#include "game/rules/PyxGameplay.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <utility>

#include "app/GameSettings.h"
#include "app/QxGlobals.h"
#include "app/QxInputEvent.h"
#include "app/QxMouseState.h"
#include "app/QxRandom.h"
#include "app/QxScreenSize.h"
#include "engine/entity/QxEntityRegistry.h"
#include "engine/files/QxBuffer.h"
#include "engine/files/QxFileSystem.h"
#include "engine/files/QxLog.h"
#include "engine/gui/PyxHighScore.h"
#include "engine/gui/QxEntity2DGUICounter.h"
#include "engine/gui/QxEntity2DGUIText.h"
#include "engine/gui/QxEntity2DScene.h"
#include "engine/sound/QxSoundManager.h"
#include "game/field/PyxEntityTileBase.h"
#include "game/field/PyxLevel.h"
#include "game/objects/PyxEntityCharacterBall.h"
#include "game/objects/PyxEntityGameObject.h"
#include "game/objects/PyxEntityGrabPickup.h"
#include "game/objects/PyxEntityPickupBall.h"
#include "game/rules/PyxBoardLink.h"
#include "game/rules/PyxGameServices.h"
#include "game/rules/PyxGameplayOwner.h"
#include "game/screens/PyxEntity2DGUIClock.h"
#include "game/screens/PyxEntity2DGUICoins.h"
#include "game/screens/PyxEntity2DGUILives.h"
#include "game/screens/PyxEntity2DGUIMascot.h"

namespace {

PyxGameplay* s_gameInProgress = nullptr;

constexpr const char* kPlayerBallClass = "PyxRenderedBall";
constexpr const char* kPlayerBallType = "renderball";
constexpr const char* kPoweredBallClass = "PyxAnimSpriteBall";
constexpr const char* kPoweredBallType = "spikedball";
constexpr const char* kExitClass = "PyxSinkTile";
constexpr const char* kExitType = "exit";
constexpr const char* kHintBoxClass = "PyxHintBox";
constexpr const char* kHintBoxType = "hint";
constexpr const char* kHighScoreClass = "PyxHighScores";
constexpr const char* kHighScoreType = "highscores";
// The level list's name in the log for a game of the player's own levels.
constexpr const char* kOwnLevelsName = "(own levels)";

// HUD text slots.
constexpr std::int32_t kSlotTime = 2;
constexpr std::int32_t kSlotCoins = 5;
constexpr std::int32_t kSlotLives = 6;
constexpr std::int32_t kSlotPaused = 7;
constexpr std::int32_t kSlotLevel = 9;
constexpr std::int32_t kSlotNotice = 10;

// What the notices over the board say.
constexpr const char* kExitOpenNotice = "Exit open!";
constexpr const char* kLevelCompleteNotice = "Level complete";
// "Level complete" stays until the jaws have closed over it.
constexpr float kUntilNextLevelMs = 3600000.0f;

// Moods and how long the rules show them.
constexpr float kHurtMs = 1500.0f;
constexpr float kSadMs = 2500.0f;
constexpr float kExcitedMs = 1000.0f;
// The character ball's face after it took a coin.
constexpr float kCoinFaceMs = 1000.0f;
constexpr float kExcitedSpeed = 0.224f;

// Counts a shown time down; true in the frame it runs out, when it stops at 0.
bool RunsOut(float& time, float ms) {
    if (time <= 0.0f) {
        return false;
    }
    time -= ms;
    if (time > 0.0f) {
        return false;
    }
    time = 0.0f;
    return true;
}

constexpr const char* kCompletedText =
    "Congratulations you have completed the game!\r\n\r\nClick OK to proceed to the high scores.";
constexpr const char* kGameOverText = "Game Over!\r\n\r\nClick OK to proceed to the high scores.";

std::string Format(const char* format, ...) {
    char text[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof(text), format, args);
    va_end(args);
    return text;
}

template <typename T> T* Named(PyxGameplayOwner* owner, const char* name) {
    return owner ? dynamic_cast<T*>(owner->NamedElement(name)) : nullptr;
}

bool SameDirection(PyxVector a, float x, float y) {
    return a.x == x && a.y == y;
}

} // namespace

PyxGameplay* GameInProgress() {
    return s_gameInProgress;
}

void SetGameInProgress(PyxGameplay* gameplay) {
    s_gameInProgress = gameplay;
}

// ---- life cycle -----------------------------------------------------------------------

PyxGameplay::PyxGameplay(QxEntity2DScene* owner) : m_owner(owner) {
    m_pendingHints.fill(1);
    // No text shows this: the first update writes every text element, whatever an
    // earlier game left in it.
    m_shownTexts.fill(std::string(1, '\0'));
    SetGameInProgress(this);
    SetGameEvents(this);
}

PyxGameplay::~PyxGameplay() {
    PyxGameplay::ReleaseAll();
    if (GameInProgress() == this) {
        SetGameInProgress(nullptr);
    }
    if (GameEvents() == this) {
        SetGameEvents(nullptr);
    }
}

PyxGameplayOwner* PyxGameplay::OwnerLink() const {
    return dynamic_cast<PyxGameplayOwner*>(m_owner);
}

const PyxOwnGame* PyxGameplay::OwnGame() const {
    const PyxGameplayOwner* owner = OwnerLink();
    return owner ? owner->OwnGame() : nullptr;
}

bool PyxGameplay::IsTrial() const {
    const PyxOwnGame* own = OwnGame();
    return own != nullptr && !own->KeepsScores();
}

PyxGameplay::Hud PyxGameplay::FindHud() const {
    Hud hud;
    PyxGameplayOwner* owner = OwnerLink();
    if (!owner) {
        return hud;
    }
    hud.score = owner->NamedElement("Score");
    hud.time = owner->NamedElement("Time");
    hud.level = owner->NamedElement("Level");
    hud.text1 = owner->NamedElement("DispText1");
    hud.text2 = owner->NamedElement("DispText2");
    hud.notice = owner->NamedElement("Notice");
    hud.lives = Named<PyxEntity2DGUILives>(owner, "Lives");
    hud.coins = Named<PyxEntity2DGUICoins>(owner, "Coins");
    hud.clock = Named<PyxEntity2DGUIClock>(owner, "Clock");
    hud.mascot = Named<PyxEntity2DGUIMascot>(owner, "Mascot");
    return hud;
}

bool PyxGameplay::StartNewGame() {
    if (!ActivateLevel(false)) {
        return false;
    }
    std::string levelSet;
    if (m_owner) {
        m_owner->GetString(kPropLevelSet, levelSet);
    }
    if (const PyxOwnGame* own = OwnGame()) {
        // The entries only name the levels for the log: LoadLevel reads the bytes.
        levelSet = own->title.empty() ? kOwnLevelsName : own->title;
        m_levelList.Clear();
        for (const PyxOwnLevel& level : own->levels) {
            m_levelList.Entries().push_back(PyxLevelEntry{level.fileName, level.fileName, "", 0});
        }
    } else {
        LoadLevelList(levelSet);
    }

    m_levelIndex = -1;
    m_lives = kStartLives;
    m_livesLeaving = 0;
    m_score = 0;
    m_displayedScore = 0;
    const Hud hud = FindHud();
    if (hud.lives) {
        hud.lives->Restart(m_lives);
    }
    if (hud.clock) {
        hud.clock->ResetClock();
    }

    if (!StartNextLevel()) {
        LogPrintf("Level set %s - no level could be started.", levelSet.c_str());
        return false;
    }
    UpdateTexts();
    if (m_level) {
        m_level->ActivateObjects(false);
    }
    m_state = PyxGameState::Playing;
    GameServices().RequestScene("", "", -1);
    return true;
}

bool PyxGameplay::LoadLevelList(const std::string& fileName) {
    return m_levelList.Load(fileName);
}

bool PyxGameplay::LoadLevel(const std::string& fileName) {
    DeactivateLevel();
    m_player = m_normalBall = m_poweredBall = m_special = nullptr;
    m_vortexes.clear();
    m_level.reset();

    auto level = std::make_unique<PyxLevel>();
    std::int32_t loaded = 0;
    const PyxOwnGame* own = OwnGame();
    if (own != nullptr && m_levelIndex >= 0 && std::size_t(m_levelIndex) < own->levels.size()) {
        const std::vector<std::uint8_t>& source = own->levels[std::size_t(m_levelIndex)].bytes;
        QxBuffer bytes;
        bytes.Allocate(static_cast<std::uint32_t>(source.size()), 0);
        if (!source.empty()) {
            std::memcpy(bytes.GetData(), source.data(), source.size());
        }
        loaded = level->LoadLevel(bytes);
    } else if (own != nullptr) {
        LogPrintf("Level %s - not among the levels played.", fileName.c_str());
        return false;
    } else {
        QxFileSystem* files = CurrentFileSystem();
        QxScopedFile file(files,
                          files ? files->Open(fileName, QxFileManager::kModeReadBinary) : nullptr);
        if (!file) {
            LogPrintf("Level %s - file not found.", fileName.c_str());
            return false;
        }
        loaded = level->LoadLevel(*file.Get());
    }
    if (loaded != 1) {
        LogPrintf("Level %s - not loaded: %s", fileName.c_str(), level->ErrorText().c_str());
        return false;
    }
    m_level = std::move(level);
    m_levelActive = false;
    return true;
}

void PyxGameplay::ReleaseAll() {
    DeactivateLevel();
    m_player = m_normalBall = m_poweredBall = m_special = nullptr;
    m_vortexes.clear();
    m_level.reset();
    m_levelList.Clear();
}

void PyxGameplay::DrawBoard() {
    // The scene's own boxes (the quit question) freeze play without the rules being
    // asked: the board is still drawn every frame.
    FollowFreeze();
    if (m_level && m_levelActive) {
        m_level->Draw();
    }
}

bool PyxGameplay::ActivateLevel(bool restart) {
    if (restart) {
        DeactivateLevel();
    }
    if (!m_levelActive) {
        if (m_level) {
            m_level->ActivateObjects(false);
        }
        m_levelActive = true;
    }
    return true;
}

bool PyxGameplay::DeactivateLevel() {
    if (!m_levelActive) {
        return false;
    }
    if (m_level) {
        m_level->ReleaseObjects();
    }
    m_player = m_normalBall = m_poweredBall = m_special = nullptr;
    m_vortexes.clear();
    m_levelActive = false;
    return true;
}

// ---- starting a level -----------------------------------------------------------------

bool PyxGameplay::StartNextLevel() {
    ++m_levelIndex;
    if (m_levelIndex < 0 || m_levelIndex >= m_levelList.Count()) {
        return false;
    }
    if (!LoadLevel(m_levelList.Entries()[std::size_t(m_levelIndex)].fileName)) {
        return false;
    }
    // The objects the file lists exist from loading on; activating them puts them at
    // their start points and into the tile lists before the player is set up, so the
    // activation cannot undo what the player is given.
    ActivateLevel(false);

    if (!SetUpPlayer()) {
        GameServices().RequestQuit();
        return false;
    }
    // Remembered now: the claw of the level removes itself once it has delivered.
    m_carrierType = PyxBoardLink::CarrierType(*m_level);
    SetUpCarrier();

    const PyxLevelProperties& properties = m_level->Properties();
    m_special = m_level->FindFirstPickupBall();
    PyxBoardLink::ResetSpecial(m_special);
    m_specialArmed = false;
    // The generator answers 0 for a level that needs 12 coins or fewer.
    m_specialArmCount = random(properties.CoinsNeeded - 12) + 10;

    m_releaseInterval = properties.ReleaseInterval;
    m_releaseCountdown = 0;
    m_ballsReleased = 0;
    m_coinsHeld = 0;
    m_hits = 0;
    m_coinsPlaced = 0;
    m_exitOpen = false;
    m_exitSearchFrames = 0;
    m_exitTileMissing = false;
    m_levelWon = false;
    m_gameEnds = false;
    m_outcome = PyxGameOutcome::None;
    m_levelClock = 0.0f;
    ClearRequestedTurn();
    m_noticeText.clear();
    m_noticeTime = 0.0f;
    // What the last level asked to be told stays pending for when it happens again.
    m_deferredHints.clear();

    const Hud hud = FindHud();
    if (hud.coins) {
        hud.coins->SetCoinPlaces(properties.CoinsNeeded);
    }
    StartLevelClock();

    UpdateTexts();
    if (!m_updating) {
        Update(0.0f);
    }
    return true;
}

bool PyxGameplay::SetUpPlayer() {
    m_player = m_normalBall = m_poweredBall = nullptr;
    m_powered = false;
    m_powerTimer = 0.0f;
    m_eatenInARow = 0;

    const PyxLevelProperties& properties = m_level->Properties();
    PyxEntityGameObject* ball = m_level->FindFirstBall();
    if (!ball) {
        ball = m_level->SpawnBall(0, properties.StartCol, properties.StartRow, 1.0f, 0.0f, 0.0f,
                                  kPlayerBallClass, kPlayerBallType, true);
    }
    if (!ball) {
        LogPrintf("Player ball %s - %s could not be created.", kPlayerBallClass, kPlayerBallType);
        return false;
    }
    ball->AddFlags(kObjectPlayer);
    PyxBoardLink::SetTargetSpeed(ball, kPlayerTargetSpeed);
    PyxBoardLink::SetSpeed(ball, kPlayerStartSpeed);
    PyxBoardLink::Start(ball);

    const std::int32_t width = std::max(1, m_level->TileWidth());
    const std::int32_t height = std::max(1, m_level->TileHeight());
    m_startCol = BoardPixel(ball->X()) / width;
    m_startRow = BoardPixel(ball->Y()) / height;

    if (PyxEntityGameObject* powered = PyxBoardLink::AddEffect(
            *m_level, ball->X(), ball->Y(), kPoweredBallClass, kPoweredBallType)) {
        powered->ClearFlags(kObjectActiveBoth);
        powered->AddFlags(kObjectPlayer);
        m_poweredBall = powered;
    }
    m_player = m_normalBall = ball;
    return true;
}

void PyxGameplay::SetUpCarrier() {
    if (m_level && m_player && PyxBoardLink::SendCarrier(*m_level, m_carrierType, m_player)) {
        // The claw puts the ball down and starts it.
        m_player->ClearFlags(kObjectActiveBoth);
        return;
    }
    if (m_player) {
        m_player->AddFlags(kObjectActiveBoth);
        PyxBoardLink::Start(m_player);
    }
}

void PyxGameplay::StartLevelClock() {
    m_clockStartPending = true;
    const Hud hud = FindHud();
    if (!hud.clock || !m_level) {
        return;
    }
    hud.clock->SetFramePeriod(PyxEntity2DGUIClock::PeriodForLevel(m_level->Properties().LevelTime));
    hud.clock->StartRewinding();
}

// ---- the frame ------------------------------------------------------------------------

std::int32_t PyxGameplay::Update(float ms) {
    const bool outer = !m_updating;
    m_updating = true;
    FollowFreeze();
    const std::int32_t result = Step(ms);
    // A hint or box opened during the frame freezes play from now on.
    FollowFreeze();
    if (outer) {
        m_updating = false;
    }
    return result;
}

void PyxGameplay::FollowFreeze() {
    const bool frozen = m_owner && m_owner->IsModal();
    if (frozen == m_soundsHeld || !m_level) {
        return;
    }
    m_soundsHeld = frozen;
    m_level->HoldSounds(frozen);
}

std::int32_t PyxGameplay::Step(float ms) {
    PrepareFrame();
    if (m_state == PyxGameState::Paused) {
        UpdateTexts();
        return GameServices().QuitRequested() ? 1 : 0;
    }
    UpdateBoard(ms);
    if (GameServices().QuitRequested()) {
        return 1;
    }
    EnterWonStates();
    UpdateState(ms);
    FinishFrame(ms);
    return 0;
}

void PyxGameplay::PrepareFrame() {
    if (m_level && m_levelActive && m_state == PyxGameState::Paused && m_owner) {
        m_owner->SetCursorFrame(0);
    }
    GameServices().SetFullScreenKeyAllowed(m_state != PyxGameState::NextLevel);
}

void PyxGameplay::UpdateBoard(float ms) {
    m_postRequest = true;
    m_sinkRequest = true;
    if (m_level && m_levelActive) {
        m_level->Update(ms);
    }
}

void PyxGameplay::EnterWonStates() {
    if (m_gameEnds && m_state == PyxGameState::LevelWonWait) {
        m_state = PyxGameState::GameEnding;
    }
    if (m_levelWon && m_state == PyxGameState::Playing) {
        m_state = PyxGameState::LevelWon;
        m_hintBlock = kWonHintBlockMs;
        m_levelWon = false;
        m_stateTimer = 0.0f;
        // The last level's end says "GAME COMPLETED" instead.
        if (!m_gameEnds) {
            ShowNotice(kLevelCompleteNotice, kUntilNextLevelMs);
        }
    }
}

void PyxGameplay::UpdateState(float ms) {
    switch (m_state) {
    case PyxGameState::Playing:
        UpdatePlaying(ms);
        break;
    case PyxGameState::LevelWon:
        UpdateLevelWon(ms);
        break;
    case PyxGameState::LevelWonWait:
        m_stateTimer -= ms;
        if (m_stateTimer <= 0.0f) {
            m_state = PyxGameState::NextLevel;
            m_nextLevelLoaded = false;
        }
        break;
    case PyxGameState::NextLevel:
        UpdateNextLevel();
        break;
    case PyxGameState::GameEnding:
        UpdateGameEnding(ms);
        break;
    default:
        break;
    }
}

void PyxGameplay::FinishFrame(float ms) {
    m_hintBlock -= ms;
    if (m_hintBlock < 0.0f) {
        m_hintBlock = 0.0f;
    }
    m_displayedScore = RollScore(m_displayedScore, m_score);
    m_levelClock += ms;
    if (m_level && m_levelClock >= float(m_level->Properties().LevelTime) * 1000.0f) {
        m_levelClock = 0.0f;
    }
    CountDownMessage(ms);
    CountDownNotice(ms);
    ShowDeferredHint(ms);
    ForgetRemoved();
    if (m_level) {
        m_level->DeleteRemovedObjects();
    }
    UpdateTexts();
}

void PyxGameplay::UpdatePlaying(float ms) {
    CountDownPower(ms);
    SteerFromMouse();
    const bool button = g_mouseState.leftButton != 0;
    ShowSteeringCursor(button);
    TakeNewTurn(button);
    ApplyTurnAndSpeed();
    ReleaseBalls(ms);
    WatchVortexes();
    PlaceCoin();
    OpenExitWhenEarned();
    ArmSpecialWhenEarned();
    const Hud hud = FindHud();
    StartClockWhenOnBoard(hud);
    FollowPlayerPace(hud);
}

void PyxGameplay::CountDownPower(float ms) {
    if (m_powered) {
        m_powerTimer -= ms;
        if (m_powerTimer <= 0.0f) {
            PowerDown();
        }
    }
}

void PyxGameplay::ShowSteeringCursor(bool button) {
    if (m_hintBlock > 0.0f || m_mouseDirection == kSteerNone) {
        m_cursorFrame = 0;
    } else {
        m_cursorFrame = button ? m_mouseDirection : m_mouseDirection + 4;
    }
    if (m_owner) {
        m_owner->SetCursorFrame(m_cursorFrame);
    }
}

// Newly held directions, from the keys or the pressed mouse, become a turn.
void PyxGameplay::TakeNewTurn(bool button) {
    PyxHeldArrows held = m_keys;
    if (button) {
        held.Hold(m_mouseDirection);
    }
    const PyxVector turn = held.NewTurn(m_previousHeld);
    if (turn.x != 0.0f || turn.y != 0.0f) {
        m_requestedTurn = turn;
    }
    m_previousHeld = held;
}

// The clock runs once the player is on the board and the hand has spun back.
void PyxGameplay::StartClockWhenOnBoard(const Hud& hud) {
    if (m_clockStartPending && m_player && m_player->HasFlags(kObjectActive)) {
        if (!hud.clock) {
            m_clockStartPending = false;
        } else if (hud.clock->State() == kClockStopped) {
            hud.clock->StartRunning(m_level ? m_level->Properties().LevelTime : 0);
            m_clockStartPending = false;
        }
    }
}

// The mascot follows the ball's pace unless something else set its mood.
void PyxGameplay::FollowPlayerPace(const Hud& hud) {
    if (hud.mascot && m_player && !PyxBoardLink::IsOfKind(m_player, kKindCharacterBall)) {
        hud.mascot->SetMood(
            PyxBoardLink::Speed(m_player) > kExcitedSpeed ? kMoodExcited : kMoodCalm, 0.0f);
    }
}

void PyxGameplay::SteerFromMouse() {
    m_mouseDirection = kSteerNone;
    if (m_player) {
        m_mouseDirection = PyxSteering::MouseDirectionFrom(m_player->DrawX(), m_player->DrawY(),
                                                           g_mouseState.x, g_mouseState.y);
    }
}

void PyxGameplay::ApplyTurnAndSpeed() {
    if (!m_player || !m_level) {
        return;
    }
    if ((m_requestedTurn.x != 0.0f || m_requestedTurn.y != 0.0f) &&
        m_level->TurnBallTo(m_player, m_requestedTurn.x, m_requestedTurn.y, kTurnTolerance)) {
        ClearRequestedTurn();
    }

    const PyxVector direction = PyxBoardLink::Direction(m_player);
    const bool along = (SameDirection(direction, 1.0f, 0.0f) && m_keys.right) ||
                       (SameDirection(direction, -1.0f, 0.0f) && m_keys.left) ||
                       (SameDirection(direction, 0.0f, 1.0f) && m_keys.down) ||
                       (SameDirection(direction, 0.0f, -1.0f) && m_keys.up);
    if (along) {
        PyxBoardLink::SpeedUp(m_player);
    } else {
        PyxBoardLink::SlowDown(m_player);
    }
}

void PyxGameplay::ReleaseBalls(float ms) {
    if (!m_level) {
        return;
    }
    if (m_releaseCountdown > 0) {
        m_releaseCountdown -= std::int32_t(ms);
        return;
    }
    if (m_level->BallsSpawned() < m_level->Properties().BallsReleased) {
        if (PyxEntityGameObject* ball = m_level->SpawnStartBall(true)) {
            if (PyxEntityGameObject* vortex = PyxBoardLink::CreateVortex(*m_level, ball)) {
                // The ball takes no part in the frame until the vortex has formed it.
                ball->ClearFlags(kObjectActiveBoth);
                m_vortexes.push_back(vortex);
            } else {
                ball->AddFlags(kObjectActiveBoth | kObjectReleased);
                PyxBoardLink::Start(ball);
            }
            ++m_ballsReleased;
        }
    }
    m_releaseCountdown = m_releaseInterval * 1000;
}

void PyxGameplay::WatchVortexes() {
    std::erase_if(m_vortexes, PyxBoardLink::HandOverWhenFormed);
}

void PyxGameplay::PlaceCoin() {
    if (!m_level || m_exitOpen || m_coinsPlaced >= m_level->Properties().CoinsOnBoard) {
        return;
    }
    std::int32_t col = 0;
    std::int32_t row = 0;
    if (!m_level->FindFreeTile(kSpawnAnyCell, kTileFloor, nullptr, col, row)) {
        return;
    }
    PyxEntityGameObject* coin =
        PyxBoardLink::AddEffect(*m_level, float(col) * kCoinCell + kCoinCell / 2.0f,
                                float(row) * kCoinCell + kCoinCell / 2.0f, PyxBoardLink::kCoinClass,
                                PyxBoardLink::kCoinType);
    if (!coin) {
        return;
    }
    PyxBoardLink::ArmCoin(coin);
    ++m_coinsPlaced;
}

bool PyxGameplay::FindExitCell(std::int32_t& col, std::int32_t& row) {
    const PyxLevelProperties& properties = m_level->Properties();
    if (!properties.ExitAtRandomTile) {
        col = properties.StartCol;
        row = properties.StartRow;
        return true;
    }
    if (m_level->FindFreeTile(kSpawnAnyCell, kTileFloor, nullptr, col, row)) {
        return true;
    }
    // A crowded board: try again on the next frames, then take the first free cell.
    if (++m_exitSearchFrames < kExitSearchFrames) {
        return false;
    }
    for (std::int32_t index = 0; index < m_level->CellCount(); ++index) {
        PyxEntityTileBase* tile = m_level->TileAt(index);
        if (!tile || (tile->KindBits() & kTileFloor) == 0) {
            continue;
        }
        const auto& objects = tile->Objects();
        const bool taken = std::any_of(objects.begin(), objects.end(), [](PyxEntityGameObject* o) {
            return o && (o->TypeFlags() & (kTypeBall | kTypeAward)) != 0;
        });
        if (!taken) {
            col = index % m_level->Columns();
            row = index / m_level->Columns();
            return true;
        }
    }
    return false;
}

void PyxGameplay::OpenExitWhenEarned() {
    if (!m_level || m_exitOpen || m_coinsHeld < CoinsNeeded()) {
        return;
    }
    std::int32_t col = 0;
    std::int32_t row = 0;
    if (!FindExitCell(col, row)) {
        return;
    }
    m_exitOpen = true;
    ShowNotice(kExitOpenNotice);
    if (col < 0 || row < 0 || col >= m_level->Columns() || row >= m_level->Rows()) {
        LogPrintf("Exit cell %d, %d lies outside the board.", col, row);
        return;
    }
    const std::int32_t index = row * m_level->Columns() + col;
    std::vector<PyxEntityGameObject*> objects;
    if (PyxEntityTileBase* old = m_level->TileAt(index)) {
        objects = old->Objects();
    }
    // Tiles stand where the board is drawn: their corners include the border.
    PyxEntityTileBase* exit =
        m_level->PlaceTile(kExitClass, kExitType, m_level->BorderX() + col * m_level->TileWidth(),
                           m_level->BorderY() + row * m_level->TileHeight(), index);
    if (!exit) {
        LogPrintf("Exit tile not found: %s - %s", kExitClass, kExitType);
        return;
    }
    // Posts and awards there leave play, and their pictures with them; a ball there
    // has entered the exit.
    PyxBoardLink::ClearCell(*m_level, col, row);
    for (PyxEntityGameObject* object : objects) {
        if (object && !object->HasFlags(kObjectRemoved)) {
            exit->AddObject(object);
        }
    }
}

void PyxGameplay::ArmSpecialWhenEarned() {
    if (!m_special || m_specialArmed || m_coinsHeld < m_specialArmCount) {
        return;
    }
    PyxBoardLink::ArmSpecial(m_special);
    m_specialArmed = true;
    ShowHint(kHintSpecialArmed);
}

void PyxGameplay::UpdateLevelWon(float ms) {
    if (m_owner) {
        m_owner->SetCursorFrame(0);
    }
    m_stateTimer -= ms;
    if (m_stateTimer > 0.0f) {
        return;
    }
    if (m_coinsHeld > m_hits) {
        m_score += kCoinPoints;
        --m_coinsHeld;
        m_stateTimer = kCashCoinMs;
        return;
    }
    PyxEntity2DGUIClock* clock = FindHud().clock;
    if (clock && !clock->IsFinished() && clock->State() != kClockCashing) {
        ShowHint(kHintClockBonus);
        clock->StartCashingIn();
    }
    const bool clockDone = !clock || clock->IsFinished();
    if (clockDone && m_displayedScore == m_score) {
        m_state = PyxGameState::LevelWonWait;
        m_stateTimer = kWonWaitMs;
    }
}

void PyxGameplay::UpdateNextLevel() {
    PyxGameplayOwner* owner = OwnerLink();
    const std::int32_t step = owner ? owner->StepJaws() : PyxGameplayOwner::kJawsNone;
    if (step == PyxGameplayOwner::kJawsClosed) {
        StartLevelBehindJaws();
    } else if (step == PyxGameplayOwner::kJawsNone) {
        // Without jaws the next level starts at once.
        if (!m_nextLevelLoaded) {
            StartLevelBehindJaws();
        }
        if (m_state == PyxGameState::NextLevel) {
            m_state = PyxGameState::Playing;
        }
    }
}

void PyxGameplay::StartLevelBehindJaws() {
    if (m_nextLevelLoaded) {
        return;
    }
    m_nextLevelLoaded = true;
    if (StartNextLevel()) {
        return;
    }
    LogPrintf("Level %d could not be started; the game ends.", m_levelIndex + 1);
    m_state = PyxGameState::GameEnding;
    m_stateTimer = kEndingMs;
    ClearRequestedTurn();
}

void PyxGameplay::UpdateGameEnding(float ms) {
    m_stateTimer -= ms;
    if (m_stateTimer > 0.0f || m_endBoxShown) {
        return;
    }
    m_endBoxShown = true;
    PrepareHighScore();
    // With no box to answer, the game goes on to the high scores directly.
    if (!OpenEndOfGameBox()) {
        RequestHighScores();
    }
}

bool PyxGameplay::OpenEndOfGameBox() {
    const char* text = m_outcome == PyxGameOutcome::Completed ? kCompletedText : kGameOverText;
    return m_owner && m_owner->ShowMessageBox(text, kEndOfGameDialog, kButtonOK);
}

void PyxGameplay::ForgetRemoved() {
    auto removed = [](const PyxEntityGameObject* object) {
        return object && object->HasFlags(kObjectRemoved);
    };
    std::erase_if(m_vortexes, removed);
    if (removed(m_special)) {
        m_special = nullptr;
    }
    if (removed(m_poweredBall)) {
        if (m_player == m_poweredBall) {
            m_player = m_normalBall;
        }
        m_poweredBall = nullptr;
        m_powered = false;
    }
    if (removed(m_normalBall)) {
        if (m_player == m_normalBall) {
            m_player = m_poweredBall;
        }
        m_normalBall = nullptr;
    }
}

void PyxGameplay::CountDownNotice(float ms) {
    if (RunsOut(m_noticeTime, ms)) {
        m_noticeText.clear();
    }
}

void PyxGameplay::ShowDeferredHint(float ms) {
    m_hintGap = std::max(0.0f, m_hintGap - ms);
    const bool inPlay = m_state == PyxGameState::Playing || m_state == PyxGameState::LevelWon;
    if (m_hintGap > 0.0f || m_deferredHints.empty() || !inPlay || HintBoxOpen()) {
        return;
    }
    const std::int32_t n = m_deferredHints.front();
    m_deferredHints.erase(m_deferredHints.begin());
    ShowHint(n);
}

void PyxGameplay::CountDownMessage(float ms) {
    if (RunsOut(m_messageTime, ms)) {
        m_messageTitle.clear();
        m_messageText.clear();
    }
}

// ---- input ----------------------------------------------------------------------------

void PyxGameplay::OnKeyDown(std::int32_t code) {
    if (m_hintBlock > 0.0f) {
        return;
    }
    if (m_state == PyxGameState::LevelWon || m_state == PyxGameState::LevelWonWait) {
        SkipCashingIn();
    } else if (m_state == PyxGameState::GameEnding) {
        EndGameToHighScores();
    }
    ClearRequestedTurn();
    ShowMessage("", "", 0.0f);
    HoldArrow(code, true);
}

void PyxGameplay::OnKeyUp(std::int32_t code) {
    if (m_hintBlock > 0.0f || code < 32 || code > QxKey::Left) {
        return;
    }
    HoldArrow(code, false);
}

void PyxGameplay::HoldArrow(std::int32_t code, bool held) {
    switch (code) {
    case QxKey::Up:
        m_keys.up = held;
        break;
    case QxKey::Down:
        m_keys.down = held;
        break;
    case QxKey::Right:
        m_keys.right = held;
        break;
    case QxKey::Left:
        m_keys.left = held;
        break;
    default:
        break;
    }
}

void PyxGameplay::OnClick() {
    if (m_hintBlock > 0.0f) {
        return;
    }
    if (m_messageTime < kMessageClickMs) {
        ShowMessage("", "", 0.0f);
    }
    if (m_state == PyxGameState::LevelWon || m_state == PyxGameState::LevelWonWait) {
        SkipCashingIn();
    } else if (m_state == PyxGameState::GameEnding) {
        EndGameToHighScores();
    }
}

void PyxGameplay::SkipCashingIn() {
    // Only the coins that the cashing in would have paid: crossed-out ones stay unpaid.
    if (m_coinsHeld > m_hits) {
        m_score += (m_coinsHeld - m_hits) * kCoinPoints;
        m_coinsHeld = m_hits;
    }
    // The lights still on are paid too, whether or not their turn had come.
    PyxEntity2DGUIClock* clock = FindHud().clock;
    if (clock && !clock->IsFinished()) {
        clock->CashAllLights();
    }
    m_displayedScore = m_score - 5;
    if (m_gameEnds) {
        m_state = PyxGameState::GameEnding;
    } else {
        m_state = PyxGameState::NextLevel;
        m_nextLevelLoaded = false;
    }
}

void PyxGameplay::EndGameToHighScores() {
    PrepareHighScore();
    RequestHighScores();
}

void PyxGameplay::RequestHighScores() {
    if (IsTrial()) {
        OwnerLink()->TrialEnded();
        return;
    }
    const std::int32_t transition = m_owner ? m_owner->SceneType()->m_transitionType : -1;
    GameServices().RequestScene(kHighScoreClass, kHighScoreType, transition);
}

void PyxGameplay::PrepareHighScore() {
    if (IsTrial()) {
        return;
    }
    const std::string score = std::to_string(m_score);
    std::string first;
    if (m_outcome == PyxGameOutcome::GameOver) {
        first = "Congratulations! You scored " + score + " points!";
    } else if (m_outcome == PyxGameOutcome::Completed) {
        const char* what = OwnGame() != nullptr ? "set" : "game";
        first = std::string("Congratulations! You've completed the ") + what + " and scored " +
                score + " points!";
    }
    const std::uint32_t level = m_outcome == PyxGameOutcome::Completed
                                    ? PyxHighScore::kCompletedLevel
                                    : std::uint32_t(std::max(0, m_levelIndex + 1));
    auto entry = std::make_unique<PyxHighScore>(g_lastHighscoreName,
                                                std::uint32_t(std::max(0, m_score)), level);
    const PyxOwnGame* own = OwnGame();
    if (own != nullptr) {
        GameServices().HandOverHighScore(std::move(entry), first,
                                         "High scores of \"" + own->title + "\"", own->scoresFile);
    } else {
        GameServices().HandOverHighScore(std::move(entry), first, "", "");
    }
}

PyxGameState PyxGameplay::TogglePause() {
    PyxEntity2DGUIClock* clock = FindHud().clock;
    if (m_state == PyxGameState::Paused) {
        m_state = m_stateBeforePause;
        // The clock goes back to what it was doing (running, cashing in, rewinding).
        if (clock) {
            clock->SetState(m_clockStateBeforePause >= 0 ? m_clockStateBeforePause : kClockRunning);
        }
        if (g_soundManager) {
            g_soundManager->EnableSounds(g_gameSettings.musicOn != 0);
        }
    } else {
        m_stateBeforePause = m_state;
        m_state = PyxGameState::Paused;
        m_clockStateBeforePause = clock ? clock->State() : -1;
        if (clock) {
            clock->SetState(kClockStopped);
        }
        if (g_soundManager) {
            g_soundManager->EnableSounds(false);
        }
    }
    UpdateTexts();
    return m_state;
}

void PyxGameplay::PauseOnly() {
    if (m_state != PyxGameState::Paused) {
        TogglePause();
    }
}

// ---- what the board reports -----------------------------------------------------------

bool PyxGameplay::IsPlayer(const PyxEntityGameObject* object) const {
    return object && (object == m_player || object->HasFlags(kObjectPlayer));
}

void PyxGameplay::OnBallAtExitOrSink(PyxEntityGameObject* ball, PyxEntityTileBase* tile) {
    if (!ball || !tile || !m_level) {
        return;
    }
    const bool trap = (tile->KindBits() & kTileTrap) != 0;
    // The centre of the sink in board pixels: a tile's corner is where it is drawn,
    // border included.
    const float x = float(tile->X() - m_level->BorderX() + m_level->TileWidth() / 2);
    const float y = float(tile->Y() - m_level->BorderY() + m_level->TileHeight() / 2);
    if (IsPlayer(ball)) {
        // Only the ball in play counts: one the claw still holds, or one the game has
        // already taken off the board, has no business with sinks.
        if (ball != m_player || !ball->HasFlags(kObjectActive) ||
            m_state != PyxGameState::Playing) {
            return;
        }
        if (trap) {
            PlayerInTrap(x, y);
        } else {
            PlayerAtExit(ball);
        }
        return;
    }
    ball->AddFlags(kObjectRemoved);
    if (!trap) {
        ++m_ballsSaved;
        PyxBoardLink::AddEffect(*m_level, x, y, PyxBoardLink::kExplosionClass,
                                PyxBoardLink::kSmokeType);
    }
}

void PyxGameplay::PlayerAtExit(PyxEntityGameObject* ball) {
    QxRect target{0, 0, 0, 0};
    if (QxEntity2DGUIElement* score = FindHud().score) {
        target = score->GetRect();
    }
    PyxBoardLink::PlayerExit(*m_level, ball, (target.left + target.right) / 2,
                             (target.top + target.bottom) / 2);
    PyxBoardLink::Stop(ball);
    ball->ClearFlags(kObjectActiveBoth);
    m_levelWon = true;
    if (PyxEntity2DGUIClock* clock = FindHud().clock) {
        clock->SetState(kClockStopped);
    }
    m_clockStartPending = false;
    if (m_levelIndex == m_levelList.Count() - 1) {
        GameCompleted();
    }
}

void PyxGameplay::PlayerInTrap(float x, float y) {
    PyxBoardLink::CharacterBurst(*m_level, x, y, m_player);
    // Lives the row is still taking away (their flares burn) are gone already.
    if (m_lives - m_livesLeaving > 1) {
        if (PyxEntity2DGUIClock* clock = FindHud().clock) {
            clock->SetState(kClockStopped);
        }
        LoseLife();
        ShowHint(kHintLifeLost);
    } else {
        GameOver();
    }
}

void PyxGameplay::LoseLife() {
    if (m_powered) {
        PowerDown();
    }
    PyxEntityGameObject* ball = m_normalBall ? m_normalBall : m_player;
    const Hud hud = FindHud();
    if (ball && m_level) {
        // Off the board while it is put back; the claw (or the lines below) bring it in.
        // The ball's own next update moves it into the start tile's list: it may be in
        // the middle of an update now, which would record the cell it came from.
        ball->ClearFlags(kObjectActiveBoth);
        if (PyxEntityTileBase* old = m_level->TileAt(ball->Cell())) {
            old->RemoveObject(ball);
        }
        ball->PlaceAtCell(m_startCol, m_startRow);
        PyxBoardLink::SetDirection(ball, {1.0f, 0.0f});
        PyxBoardLink::SetSpeed(ball, kPlayerStartSpeed);
    }
    m_player = ball;
    SetUpCarrier();
    m_clockStartPending = true;

    m_releaseInterval = m_level ? m_level->Properties().ReleaseInterval : 0;
    m_ballsReleased = 0;
    m_coinsHeld = 0;
    if (hud.lives) {
        hud.lives->RequestLoseLife();
        ++m_livesLeaving;
    } else {
        --m_lives;
    }
    if (m_level) {
        for (PyxLevelObjectRecord& record : m_level->Objects()) {
            if (record.entity && PyxBoardLink::IsOfKind(record.entity.get(), kKindGrabPickup)) {
                record.entity->AddFlags(kObjectRemoved);
            }
        }
    }
    m_hits = 0;
    if (hud.mascot) {
        hud.mascot->SetMood(kMoodSad, kSadMs);
    }
    UpdateTexts();
}

void PyxGameplay::DeactivatePlayerBalls() {
    for (PyxEntityGameObject* ball : {m_normalBall, m_poweredBall}) {
        if (ball) {
            PyxBoardLink::Stop(ball);
            ball->ClearFlags(kObjectActiveBoth);
        }
    }
}

void PyxGameplay::GameOver() {
    m_state = PyxGameState::GameEnding;
    ShowMessage("", "", 20000.0f);
    m_stateTimer = kEndingMs;
    m_hintBlock = kEndHintBlockMs;
    m_outcome = PyxGameOutcome::GameOver;
    ClearRequestedTurn();
    DeactivatePlayerBalls();
    const Hud hud = FindHud();
    if (hud.lives) {
        hud.lives->RequestLoseLife();
        ++m_livesLeaving;
    } else {
        m_lives = std::max(0, m_lives - 1);
    }
    if (hud.clock) {
        hud.clock->SetState(kClockStopped);
    }
    m_clockStartPending = false;
}

void PyxGameplay::GameCompleted() {
    m_gameEnds = true;
    ShowMessage("GAME", "COMPLETED", 20000.0f);
    m_hintBlock = kEndHintBlockMs;
    m_outcome = PyxGameOutcome::Completed;
    ClearRequestedTurn();
    DeactivatePlayerBalls();
}

bool PyxGameplay::OnBallsTouch(PyxEntityGameObject* ball, PyxEntityGameObject* other) {
    PyxEntityGameObject* player = nullptr;
    PyxEntityGameObject* touched = nullptr;
    if (ball && ball == m_player) {
        player = ball;
        touched = other;
    } else if (other && other == m_player) {
        player = other;
        touched = ball;
    }
    if (!player || !touched) {
        return true;
    }

    if (PyxBoardLink::IsOfKind(touched, kKindPickupBall) && PyxBoardLink::IsSpecialArmed(touched)) {
        if (m_level) {
            PyxBoardLink::Grab(*m_level, touched);
        }
        touched->ClearFlags(kObjectActiveBoth);
        PyxBoardLink::TouchSpecial(touched, player);
        UpdateTexts();
        return false;
    }
    if (m_powered && touched->HasFlags(kObjectReleased) &&
        !touched->HasFlags(kObjectRemoved | kObjectLeaving)) {
        EatBall(touched);
        return false;
    }
    if (!m_powered && m_coinsHeld > 0) {
        LoseCoins(player);
    }
    return true;
}

void PyxGameplay::EatBall(PyxEntityGameObject* ball) {
    ball->AddFlags(kObjectRemoved);
    ++m_eatenInARow;
    const std::int32_t points = PointsForEaten(m_eatenInARow);
    m_score += points;
    if (m_level) {
        PyxBoardLink::ParticleBurst(*m_level, ball);
        PyxBoardLink::FloatingScore(*m_level, ball->X(), ball->Y(), Format("%d", points));
    }
    if (PyxEntity2DGUIMascot* mascot = FindHud().mascot) {
        mascot->SetMood(kMoodExcited, kExcitedMs);
    }
}

void PyxGameplay::LoseCoins(PyxEntityGameObject* player) {
    ++m_hits;
    PyxBoardLink::PlayLoseCoinsSound(player);
    const std::int32_t lost = CoinsLostForHit(random(5), m_coinsHeld);
    m_coinsHeld -= lost;
    if (m_level) {
        PyxBoardLink::FlyingCoins(*m_level, player, lost);
    }
    if (PyxEntity2DGUIMascot* mascot = FindHud().mascot) {
        mascot->SetMood(kMoodHurt, kHurtMs);
    }
    UpdateTexts();
    ShowHint(kHintCoinsLost);
}

bool PyxGameplay::OnAwardTaken(PyxEntityGameObject* award, PyxEntityGameObject* taker) {
    if (!award || !taker || taker != m_player) {
        return false;
    }
    if (m_level) {
        PyxBoardLink::Grab(*m_level, award);
    }
    if (PyxBoardLink::IsPowerAward(award)) {
        PowerUp();
        ShowHint(kHintPoweredUp);
    } else {
        CollectCoin(award, taker);
    }
    return true;
}

void PyxGameplay::CollectCoin(PyxEntityGameObject* award, PyxEntityGameObject* player) {
    m_coinsPlaced = std::max(0, m_coinsPlaced - 1);
    ++m_coinsHeld;
    PyxBoardLink::PlayPickupSound(award);
    // The score moves only when the level is won: the coin shows how far the stack is.
    if (m_level) {
        PyxBoardLink::FloatingScore(*m_level, award->X(), award->Y(),
                                    Format("%d/%d", m_coinsHeld, CoinsNeeded()));
    }
    if (PyxBoardLink::IsOfKind(player, kKindCharacterBall)) {
        PyxBoardLink::SetExpression(player, 0, kCoinFaceMs);
    }
    UpdateTexts();
}

void PyxGameplay::PowerUp() {
    if (m_powered) {
        m_powerTimer = kPowerMs;
        return;
    }
    if (!m_normalBall || !m_poweredBall) {
        return;
    }
    SwapPlayerBall(m_normalBall, m_poweredBall);
    m_powered = true;
    m_eatenInARow = 0;
    m_powerTimer = kPowerMs;
    if (m_level) {
        PyxBoardLink::Dissolve(*m_level, m_normalBall);
    }
}

void PyxGameplay::PowerDown() {
    if (!m_powered) {
        return;
    }
    if (m_normalBall && m_poweredBall) {
        SwapPlayerBall(m_poweredBall, m_normalBall);
    }
    m_powered = false;
    m_eatenInARow = 0;
    m_powerTimer = 0.0f;
}

void PyxGameplay::SwapPlayerBall(PyxEntityGameObject* from, PyxEntityGameObject* to) {
    PyxBoardLink::TakePlace(to, from);
    PyxBoardLink::Stop(from);
    from->ClearFlags(kObjectActiveBoth);
    to->AddFlags(kObjectActiveBoth);
    PyxBoardLink::Start(to);
    m_player = to;
}

void PyxGameplay::OnBallEnteredTile(PyxEntityGameObject* ball, PyxEntityTileBase* tile) {
    if (!tile || !ball || ball != m_player) {
        return;
    }
    SetAmbientLevels(tile->PostSoundLevel() * 0.4f + 0.6f, tile->SinkSoundLevel() * 0.4f + 0.6f);
}

void PyxGameplay::SetAmbientLevels(float posts, float sinks) {
    m_postLevel = posts;
    m_sinkLevel = sinks;
}

bool PyxGameplay::TakePostSoundRequest() {
    return std::exchange(m_postRequest, false);
}

bool PyxGameplay::TakeSinkSoundRequest() {
    return std::exchange(m_sinkRequest, false);
}

void PyxGameplay::AddScore(std::int32_t points) {
    m_score += points;
}

void PyxGameplay::SetMascotExpression(std::int32_t expression) {
    if (PyxEntity2DGUIMascot* mascot = FindHud().mascot) {
        mascot->SetMood(expression, 0.0f);
    }
}

void PyxGameplay::SetReleaseCountdown(float ms) {
    m_releaseCountdown = std::int32_t(ms);
}

void PyxGameplay::OnPlayerBallLanded() {
    if (!m_player || !m_level) {
        return;
    }
    if (PyxEntityTileBase* tile = m_level->TileAt(m_player->Cell())) {
        OnBallEnteredTile(m_player, tile);
    }
}

// ---- hints and messages ---------------------------------------------------------------

bool PyxGameplay::HintPending(std::int32_t n) const {
    return n >= 0 && n < kHintCount && m_pendingHints[std::size_t(n)] != 0;
}

bool PyxGameplay::HintBoxOpen() const {
    return m_hintBox && m_owner && m_owner->IsDialogOpen(m_hintBox);
}

void PyxGameplay::PlaceOverBoard(QxEntity2DGUIElement& box) const {
    std::int32_t centreX = kScreenWidth / 2;
    std::int32_t centreY = kScreenHeight / 2;
    if (m_level) {
        centreX = m_level->BorderX() + m_level->Columns() * m_level->TileWidth() / 2;
        centreY = m_level->BorderY() + m_level->Rows() * m_level->TileHeight() / 2;
    }
    const QxRect rect = box.GetRect();
    const std::int32_t width = rect.right - rect.left;
    const std::int32_t height = rect.bottom - rect.top;
    box.SetPosition(
        QxPoint{std::clamp(centreX - width / 2, 0, std::max(0, kScreenWidth - width)),
                std::clamp(centreY - height / 2, 0, std::max(0, kScreenHeight - height))});
}

void PyxGameplay::ShowHint(std::int32_t n) {
    if (!HintPending(n) || !g_gameSettings.showHints || !m_owner || !g_registry) {
        return;
    }
    if (HintBoxOpen() || m_hintGap > 0.0f) {
        if (std::find(m_deferredHints.begin(), m_deferredHints.end(), n) == m_deferredHints.end()) {
            m_deferredHints.push_back(n);
        }
        return;
    }
    m_hintBox = nullptr;
    std::unique_ptr<QxEntityBase> created =
        g_registry->Create(kHintBoxClass, kHintBoxType + std::to_string(n), kKindGUIElement);
    auto* element = dynamic_cast<QxEntity2DGUIElement*>(created.get());
    if (!element) {
        return;
    }
    created.release();
    PlaceOverBoard(*element);
    QxEntity2DGUIElement* box = m_owner->AddDialog(
        kHintDialog, std::unique_ptr<QxEntity2DGUIElement>(element), nullptr, m_owner, true);
    if (box) {
        m_pendingHints[std::size_t(n)] = 0;
        m_hintBox = box;
        // The rules stand still while the box is open: the gap counts play after it.
        m_hintGap = kHintGapMs;
        std::erase(m_deferredHints, n);
    }
}

void PyxGameplay::ShowMessage(const std::string& title, const std::string& text, float seconds) {
    m_messageTitle = title;
    m_messageText = text;
    m_messageTime = seconds * 1000.0f;
}

void PyxGameplay::ShowNotice(const std::string& text, float ms) {
    m_noticeText = text;
    m_noticeTime = ms;
    UpdateTexts();
}

void PyxGameplay::TakeLife() {
    m_lives = std::max(0, m_lives - 1);
    m_livesLeaving = std::max(0, m_livesLeaving - 1);
}

void PyxGameplay::ShowScreenScore(std::int32_t x, std::int32_t y, const std::string& text) {
    if (m_level) {
        PyxBoardLink::FloatingScore(*m_level, float(x - m_level->BorderX()),
                                    float(y - m_level->BorderY()), text);
    }
}

// ---- the HUD --------------------------------------------------------------------------

std::int32_t PyxGameplay::CoinsNeeded() const {
    return m_level ? m_level->Properties().CoinsNeeded : 0;
}

const std::string& PyxGameplay::HudText(std::int32_t slot) const {
    static const std::string none;
    if (slot < 0 || slot >= std::int32_t(m_hudTexts.size())) {
        return none;
    }
    return m_hudTexts[std::size_t(slot)];
}

void PyxGameplay::SetText(QxEntity2DGUIElement* element, std::string& shown,
                          const std::string& text, std::int32_t justify) {
    if (!element || shown == text) {
        return;
    }
    shown = text;
    element->SetBool(kPropJustify, justify);
    element->SetString(kPropText, text);
}

void PyxGameplay::UpdateTexts() {
    m_hudTexts[kSlotTime] = Format("Time: %f", m_levelClock / 1000.0f);
    m_hudTexts[kSlotCoins] = Format("Coins: %d / %d", m_coinsHeld, CoinsNeeded());
    m_hudTexts[kSlotLives] = Format("Lives: %d", m_lives);
    m_hudTexts[kSlotPaused] = m_state == PyxGameState::Paused ? "Game Paused" : "";
    m_hudTexts[kSlotLevel] = Format("%d", m_levelIndex + 1);
    m_hudTexts[kSlotNotice] = m_noticeText;

    const Hud hud = FindHud();
    if (hud.score) {
        hud.score->SetBool(kPropCounterValue, m_displayedScore);
    }
    SetText(hud.time, m_shownTexts[0], m_hudTexts[kSlotTime], kJustifyLeft);
    SetText(hud.level, m_shownTexts[1], m_hudTexts[kSlotLevel], kJustifyCentre);
    const std::string& title =
        m_state == PyxGameState::Paused ? m_hudTexts[kSlotPaused] : m_messageTitle;
    SetText(hud.text1, m_shownTexts[2], title, kJustifyCentre);
    SetText(hud.text2, m_shownTexts[3], m_messageText, kJustifyCentre);
    SetText(hud.notice, m_shownTexts[4], m_noticeText, kJustifyCentre);
    if (hud.notice) {
        const std::int32_t alpha =
            std::clamp(std::int32_t(255.0f * m_noticeTime / kNoticeFadeMs), 0, 255);
        if (alpha != m_shownNoticeAlpha) {
            m_shownNoticeAlpha = alpha;
            hud.notice->SetBool(kPropTextAlpha, alpha);
            hud.notice->Invalidate();
        }
    }
    if (hud.lives && !hud.lives->LoseLifeRequested() && !hud.lives->Flare()) {
        hud.lives->SetBool(kPropLivesShown, m_lives);
    }
}

// ---- arithmetic -----------------------------------------------------------------------

std::int32_t PyxGameplay::RollScore(std::int32_t displayed, std::int32_t score) {
    if (displayed >= score) {
        return displayed;
    }
    const std::int64_t gap = std::int64_t(score) - displayed;
    const std::int32_t step = gap > 600 ? 50 : gap > 300 ? 20 : 5;
    // A score that moved by less than a step still lands exactly.
    return std::int32_t(std::min<std::int64_t>(std::int64_t(displayed) + step, score));
}

std::int32_t PyxGameplay::CoinsLostForHit(std::int32_t draw, std::int32_t held) {
    return std::max(1, std::min(draw, held));
}

std::int32_t PyxGameplay::PointsForEaten(std::int32_t eatenInARow) {
    const std::int32_t power = std::clamp(eatenInARow, 0, kMaxEatenPower);
    return (std::int32_t(1) << power) * kCoinPoints;
}
