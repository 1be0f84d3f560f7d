// Games on the real data set with the real rules, steered by a simple player that
// heads for the nearest coin (or, told to, for the nearest trap): hints and pause
// freeze the board, its sounds with it; a player who collects coins opens the exit,
// which takes what stood in its cell; three lives lost in traps end the game; every
// level can be won.
#include <cmath>
#include <deque>
#include <set>
#include <utility>

#include "app/GameTestSupport.h"
#include "app/QxRandom.h"
#include "content/BoardGameSupport.h"
#include "engine/files/QxWin32FileManager.h"
#include "engine/gui/QxEntity2DGUIText.h"
#include "game/field/PyxEntityTileBase.h"
#include "game/field/PyxLevel.h"
#include "game/field/PyxLevelText.h"
#include "game/objects/PyxEntityBasicPost.h"
#include "game/objects/PyxEntityGameObject.h"
#include "game/objects/PyxEntityTextExplosion.h"
#include "game/rules/PyxBoardLink.h"
#include "game/rules/PyxLevelList.h"
#include "game/screens/PyxEntity2DGUIClock.h"
#include "game/screens/PyxSceneSupport.h"
#include "platform/headless/HeadlessSound.h"

namespace boardcontent {
namespace {

constexpr std::int32_t kUp = 256, kDown = 257, kRight = 258, kLeft = 259;

class BoardGame : public BoardGameTest {
protected:
    // The game screen playing the level files (in the archive or written by the test)
    // as a game of its own.
    bool StartOn(const std::vector<std::string>& files) {
        const std::string folder = ListFolder();
        PyxLevelList list;
        for (const std::string& file : files)
            list.Entries().push_back({file, "", "", 0});
        EXPECT_TRUE(gametest::WriteWith(folder + "one.lst",
                                        [&](QxFile& file) { return list.Write(file); }));
        if (!listsAdded_) {
            Files().AddManager(std::make_unique<QxWin32FileManager>(), folder);
            listsAdded_ = true;
        }
        const std::vector<std::uint8_t> bytes = FileBytes("hud/stdgame.ent");
        std::string text(bytes.begin(), bytes.end());
        text.replace(text.find("levels/rondelix.lst"), 19, "one.lst");
        return CreateScene(text) && game_->StartNewGame();
    }
    // Levels of the set, numbers 1 to 24.
    bool StartOn(std::vector<int> levels) {
        std::vector<std::string> files;
        for (int number : levels)
            files.push_back("levels/level" + std::string(number < 10 ? "0" : "") +
                            std::to_string(number) + ".lvl");
        return StartOn(files);
    }
    bool StartOn(int level) { return StartOn(std::vector<int>{level}); }

    std::string ListFolder() const { return root_ + "/lists/"; } // made by the first write

    // A level of the test's own, from its text, beside the list; answers its name.
    std::string WriteLevel(const std::string& name, const std::string& text) {
        PyxLevel level;
        std::string error;
        EXPECT_TRUE(PyxLevelText::Read(text, level, error)) << error;
        EXPECT_TRUE(gametest::WriteWith(ListFolder() + name,
                                        [&](QxFile& file) { return level.SaveLevel(file); }));
        return name;
    }

    // What the screen shows in a rectangle.
    std::vector<std::uint16_t> Pixels(const QxRect& rect) const {
        std::vector<std::uint16_t> pixels;
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x)
                pixels.push_back(Pixel(x, y));
        return pixels;
    }
    // The screen's top-left corner: the border strips beside the first cell, and with
    // the cell, the whole square.
    std::vector<std::uint16_t> Corner(bool withCell) {
        if (withCell)
            return Pixels({0, 64, 0, 64});
        std::vector<std::uint16_t> pixels = Pixels({0, 64, 0, 16});
        const std::vector<std::uint16_t> left = Pixels({0, 16, 16, 64});
        pixels.insert(pixels.end(), left.begin(), left.end());
        return pixels;
    }

    // Looping sounds that can be heard now.
    int PlayingLoops() const {
        int loops = 0;
        std::size_t seen = 0;
        for (std::uint32_t id = 0; seen < Sound().InstanceCount() && id < (1u << 20); ++id) {
            platform::SoundBuffer* buffer = Sound().InstanceBuffer(id);
            if (!buffer)
                continue;
            ++seen;
            platform::headless::SoundBufferState state;
            if (platform::headless::GetSoundBufferState(buffer, &state) && state.playing &&
                state.looping)
                ++loops;
        }
        return loops;
    }

    PyxLevel* Level() const { return game_->Level(); }

    // Cells a ball never rolls through (posts that stay up, gears, the bonus orb), and
    // the faces of the deflectors: a ball crosses a deflector's cell only from behind.
    std::vector<bool> BlockedCells() {
        std::vector<bool> blocked(64, false);
        faces_.assign(64, PyxVector{0.0f, 0.0f});
        for (const PyxLevelObjectRecord& record : Level()->Objects()) {
            const QxEntityBaseType* type = g_registry->FindType(record.className, record.typeName);
            const auto* post = dynamic_cast<const PyxEntityBasicPostType*>(type);
            const int col = int(std::floor(record.startX / 56.0f));
            const int row = int(std::floor(record.startY / 56.0f));
            if (col < 0 || row < 0 || col >= 8 || row >= 8)
                continue;
            if (post && post->IsRect()) {
                faces_[std::size_t(row * 8 + col)] = post->Normal();
                continue;
            }
            const bool blocks =
                post ? post->DefaultUp() && !post->UserChange()
                     : record.className == "PyxAnimPost" || record.className == "PyxPickupBall";
            if (blocks)
                blocked[std::size_t(row * 8 + col)] = true;
        }
        // A sink takes its cell's posts out of play.
        for (std::int32_t i = 0; i < 64; ++i) {
            PyxEntityTileBase* tile = Level()->TileAt(i);
            if (tile && (tile->KindBits() & 2u) != 0) {
                blocked[std::size_t(i)] = false;
                faces_[std::size_t(i)] = PyxVector{0.0f, 0.0f};
            }
        }
        return blocked;
    }

    // At each cell centre, holds the arrow of the first step of the shortest way to the
    // nearest coin (the open exit, or with `toTraps` the nearest trap), around posts
    // and traps.
    void Steer(bool toTraps = false) {
        if (pendingKey_) {
            game_->OnKeyDown(pendingKey_);
            heldKey_ = std::exchange(pendingKey_, 0);
            return;
        }
        PyxEntityGameObject* ball = game_->PlayerBall();
        PyxLevel* level = Level();
        if (!ball || !level || !ball->HasFlags(kObjectActive))
            return;
        const int col = int(ball->X() / 56.0f), row = int(ball->Y() / 56.0f);
        if (std::abs(ball->X() - float(col * 56 + 28)) > 8.0f ||
            std::abs(ball->Y() - float(row * 56 + 28)) > 8.0f)
            return;
        std::vector<bool> target(64, false), open(64, true);
        const std::vector<bool> blocked = BlockedCells();
        for (std::int32_t i = 0; i < 64; ++i) {
            PyxEntityTileBase* tile = level->TileAt(i);
            const std::uint32_t bits = tile ? tile->KindBits() : 0u;
            const bool trap = (bits & 4u) != 0;
            target[std::size_t(i)] = toTraps ? trap : ((bits & 2u) != 0 && !trap);
            open[std::size_t(i)] = (toTraps || !trap) && !blocked[std::size_t(i)];
        }
        if (!toTraps) {
            for (const PyxLevelObjectRecord& record : level->Objects()) {
                if (record.entity && record.typeName == "coinsilver" &&
                    !record.entity->HasFlags(kObjectRemoved)) {
                    const int c = int(record.entity->X() / 56.0f),
                              r = int(record.entity->Y() / 56.0f);
                    if (c >= 0 && r >= 0 && c < 8 && r < 8)
                        target[std::size_t(r * 8 + c)] = true;
                }
            }
        }
        // Keep out of the way of the roaming balls: their cells and the next cell they
        // roll into.
        std::vector<bool> avoid(open);
        for (const PyxLevelObjectRecord& record : level->Objects()) {
            PyxEntityGameObject* other = record.entity.get();
            if (!other || other == ball || record.className != "PyxCharacterBall" ||
                other->HasFlags(kObjectRemoved))
                continue;
            const int c = int(other->X() / 56.0f), r = int(other->Y() / 56.0f);
            const PyxVector d = PyxBoardLink::Direction(other);
            for (int k = 0; k <= 1; ++k) {
                const int cc = c + int(d.x) * k, rr = r + int(d.y) * k;
                if (cc >= 0 && rr >= 0 && cc < 8 && rr < 8 && rr * 8 + cc != row * 8 + col)
                    avoid[std::size_t(rr * 8 + cc)] = false;
            }
        }
        std::int32_t key = Route(row * 8 + col, target, avoid);
        if (!key)
            key = Route(row * 8 + col, target, open);
        // A turn only comes from a fresh press: press again when the ball does not go
        // the way wanted (a bounce took it elsewhere).
        const PyxVector d = PyxBoardLink::Direction(ball);
        const bool going = (key == kUp && d.y < 0) || (key == kDown && d.y > 0) ||
                           (key == kRight && d.x > 0) || (key == kLeft && d.x < 0);
        if (!key || (key == heldKey_ && going))
            return;
        if (key == heldKey_) {
            // The rules see a press only after a frame without it.
            game_->OnKeyUp(heldKey_);
            heldKey_ = 0;
            pendingKey_ = key;
            return;
        }
        if (heldKey_)
            game_->OnKeyUp(heldKey_);
        game_->OnKeyDown(key);
        heldKey_ = key;
    }

    // The arrow of the first step of the shortest way from the cell to a target
    // through open cells; 0 when there is none.
    std::int32_t Route(int from, const std::vector<bool>& target,
                       const std::vector<bool>& open) const {
        std::vector<int> first(64, -1);
        std::deque<int> queue;
        const int steps[4][2] = {{0, -1}, {0, 1}, {1, 0}, {-1, 0}};
        const std::int32_t keys[4] = {kUp, kDown, kRight, kLeft};
        first[std::size_t(from)] = 4;
        queue.push_back(from);
        std::int32_t key = 0;
        while (!queue.empty() && !key) {
            const int cell = queue.front();
            queue.pop_front();
            for (int k = 0; k < 4 && !key; ++k) {
                const int c = cell % 8 + steps[k][0], r = cell / 8 + steps[k][1];
                if (c < 0 || r < 0 || c >= 8 || r >= 8)
                    continue;
                const int next = r * 8 + c;
                if (first[std::size_t(next)] >= 0)
                    continue;
                // No way against a deflector's face, out of its cell or into it.
                const PyxVector out = faces_[std::size_t(cell)];
                const PyxVector in = faces_[std::size_t(next)];
                if (float(steps[k][0]) * out.x + float(steps[k][1]) * out.y < -0.1f ||
                    float(steps[k][0]) * in.x + float(steps[k][1]) * in.y < -0.1f)
                    continue;
                first[std::size_t(next)] = cell == from ? k : first[std::size_t(cell)];
                if (target[std::size_t(next)])
                    key = keys[first[std::size_t(next)]];
                else if (open[std::size_t(next)])
                    queue.push_back(next);
            }
        }
        return key;
    }

    void Play(int frames, bool toTraps = false) {
        for (int i = 0; i < frames; ++i) {
            Steer(toTraps);
            Frame();
        }
    }

    bool listsAdded_ = false;
    std::int32_t heldKey_ = 0;
    std::int32_t pendingKey_ = 0;
    std::vector<PyxVector> faces_;
};

// The welcome hint opens over the middle of the board in the frame the claw lets go of
// the ball, and holds the game; the ball let go is not drawn at the screen's corner,
// which the hint leaves in view.
TEST_F(BoardGame, HintsOpenCentredOverTheBoardAndHoldTheGame) {
    g_gameSettings.showHints = 1;
    ASSERT_TRUE(StartOn(3));
    int frames = 0;
    std::vector<std::uint16_t> corner;
    while (scene_->DialogCount() == 0 && frames < 1000) {
        corner = Corner(true);
        Frame();
        ++frames;
    }
    ASSERT_EQ(scene_->DialogCount(), 1u) << "no hint once the ball was down";
    EXPECT_EQ(Corner(true), corner) << "the dropped ball showed in the corner";
    // The board is 448 pixels square from (16, 16): its centre is (240, 240).
    const QxRect box = scene_->Dialog(0)->GetRect();
    EXPECT_EQ((box.left + box.right) / 2, 240);
    EXPECT_EQ((box.top + box.bottom) / 2, 240);
    Frames(40);
    EXPECT_TRUE(scene_->IsModal());
    EXPECT_EQ(Corner(true), corner);
    EXPECT_TRUE(BrokenNameLines(Log()).empty()) << Log();
}

// A hint freezes the board, and its sounds with it: the traps' hum and the rolling
// stop while it is open and go on once the player closes it; so does a question box.
TEST_F(BoardGame, AHintHoldsTheBoardsSoundsUntilItCloses) {
    g_gameSettings.showHints = 1;
    ASSERT_TRUE(StartOn(4));
    int hints = 0;
    for (int frame = 0; frame < 20000 && hints < 2; ++frame) {
        Play(1, true);
        if (!scene_->IsModal())
            continue;
        ++hints;
        Frames(30);
        EXPECT_EQ(PlayingLoops(), 0) << "under hint " << hints;
        scene_->OnKey(kSceneKeyEnter);
        Frames(2);
        EXPECT_GT(PlayingLoops(), 0) << "after hint " << hints;
    }
    EXPECT_EQ(hints, 2) << "the welcome hint and the first life lost";
    // The screen's own question (Escape) holds them the same way.
    ASSERT_NE(scene_->ShowMessageBox("Are you sure you want to quit?", 1, kButtonsYesNo), nullptr);
    Frames(5);
    EXPECT_EQ(PlayingLoops(), 0) << "under the quit question";
    scene_->OnKey('n');
    Frames(2);
    EXPECT_GT(PlayingLoops(), 0) << "after the quit question";
}

// One lane: the exit opens at once on the only floor cell, where a deflector (a post
// and its picture) stands; a ball released at the lane's left end rolls right into
// it. The player's ball rolls along the empty row below.
constexpr const char* kLaneLevel = R"(Columns 8
Rows 2
TileWidth 56
TileHeight 56
BorderX 16
BorderY 16
ReleaseInterval 60
BallClass "PyxCharacterBall"
BallType "boardred"
BallsReleased 1
StartDirX 1
BallSpeed 2
LevelTime 60
CoinsNeeded 0
CoinsOnBoard 0
Tile . PyxBitmapTile floor
Grid
-------.
--------
End
Object PyxRenderedBall renderball 28 84
Object PyxBasicPost boarddefl7 420 28
Object PyxAnimExplosion boarddefl7art 420 28
)";

TEST_F(BoardGame, AnExitTakesWhatStoodInItsCellAndABallSavedThereGoesUpInSmokeOnIt) {
    ASSERT_TRUE(StartOn(std::vector<std::string>{WriteLevel("lane.lvl", kLaneLevel)}));
    int frames = 0;
    while (!game_->IsExitOpen() && frames < 20) {
        Frame();
        ++frames;
    }
    PyxEntityTileBase* exit = Level()->TileAtCell(7, 0);
    ASSERT_TRUE(exit && (exit->KindBits() & 2u)) << "no exit on the lane's last cell";
    for (const PyxLevelObjectRecord& record : Level()->Objects()) {
        const PyxEntityGameObject* object = record.entity.get();
        const bool inExit = object && object->X() >= 392.0f && object->Y() < 56.0f;
        EXPECT_FALSE(inExit && !PyxBoardLink::IsBall(object))
            << record.typeName << " is still shown in the exit";
    }
    std::vector<std::uint16_t> corner;
    while (game_->BallsSaved() == 0 && frames < 1000) {
        corner = Corner(true);
        Frame();
        ++frames;
    }
    ASSERT_EQ(game_->BallsSaved(), 1);
    EXPECT_EQ(Corner(true), corner) << "the smoke showed in the corner";
    Frame();
    const PyxEntityGameObject* smoke = nullptr;
    for (const PyxLevelObjectRecord& record : Level()->Objects()) {
        if (record.typeName == "bigsmoke")
            smoke = record.entity.get();
    }
    ASSERT_NE(smoke, nullptr);
    const QxRect drawn = smoke->DrawnRect();
    EXPECT_EQ((drawn.left + drawn.right) / 2, exit->X() + 28);
    EXPECT_EQ((drawn.top + drawn.bottom) / 2, exit->Y() + 28);
}

TEST_F(BoardGame, PauseFreezesTheBoardAndAKeyResumes) {
    ASSERT_TRUE(StartOn(6));
    Play(400);
    PyxEntityGameObject* ball = game_->PlayerBall();
    ASSERT_NE(ball, nullptr);
    EXPECT_EQ(game_->TogglePause(), PyxGameState::Paused);
    const float x = ball->X(), y = ball->Y();
    Frames(50);
    SaveShot("game-paused");
    EXPECT_EQ(ball->X(), x);
    EXPECT_EQ(ball->Y(), y);
    EXPECT_EQ(game_->TogglePause(), PyxGameState::Playing);
    Frames(30);
    EXPECT_NE(std::make_pair(ball->X(), ball->Y()), std::make_pair(x, y));
}

// Every coin taken rises from where it lay as the count held against the count needed
// (the score moves only when the level is won); the notice over the board says when the
// exit opens and that the level is complete, until the jaws have closed over it.
TEST_F(BoardGame, CollectingTheCoinsOpensTheExitAndTheJawsBringTheNextLevel) {
    ASSERT_TRUE(StartOn({1, 2}));
    auto notice = [this] {
        std::string text;
        scene_->NamedElement("Notice")->GetString(kPropTextGet, text);
        return text;
    };
    ASSERT_NE(scene_->NamedElement("Notice"), nullptr);
    int frames = 0;
    std::set<std::string> risen;
    while (!game_->IsExitOpen() && frames < 6000) {
        Play(1);
        ++frames;
        for (const PyxLevelObjectRecord& record : Level()->Objects())
            if (auto* words = dynamic_cast<PyxEntityTextExplosion*>(record.entity.get()))
                risen.insert(words->Text());
    }
    ASSERT_TRUE(game_->IsExitOpen())
        << game_->CoinsHeld() << " coins after " << frames << " frames";
    const std::int32_t needed = game_->CoinsNeeded();
    for (std::int32_t held = 1; held <= needed; ++held)
        EXPECT_TRUE(risen.count(std::to_string(held) + "/" + std::to_string(needed))) << held;
    EXPECT_EQ(notice(), "Exit open!");
    Frames(10);
    SaveShot("game-exit-open");
    while (game_->State() == PyxGameState::Playing && frames < 12000) {
        Play(10);
        frames += 10;
    }
    ASSERT_EQ(game_->State(), PyxGameState::LevelWon) << "the exit was not reached";
    EXPECT_EQ(notice(), "Level complete");
    Frames(60);
    SaveShot("game-level-won");
    // The coins and the clock's lights are cashed in, the jaws close, the next level
    // is laid out behind them and they open again.
    bool sawClosed = false, sawClosing = false;
    while (game_->LevelIndex() == 0 && frames < 20000) {
        Frame();
        ++frames;
        if (scene_->jawPhase == 2 && !sawClosed) {
            sawClosed = true;
            SaveShot("game-jaws");
        }
        if (scene_->jawPhase == 1 && !sawClosing) {
            sawClosing = true;
            EXPECT_EQ(notice(), "Level complete") << "when the jaws start closing";
        }
    }
    EXPECT_TRUE(sawClosed);
    EXPECT_GT(game_->Score(), 0);
    EXPECT_EQ(game_->LevelIndex(), 1);
    EXPECT_EQ(notice(), "");
    while (game_->State() != PyxGameState::Playing && frames < 20000) {
        Frame();
        ++frames;
    }
    EXPECT_EQ(game_->State(), PyxGameState::Playing);
}

// A steady player who heads for the nearest coin and then for the exit, keeps out of
// the roaming balls' way and never steers into a trap wins every level: each level is
// played as a game of its own, with up to four seeds of the random generator (the
// simple player can be cornered by a roaming ball where a person would back away).
TEST_F(BoardGame, ASteadyPlayerWinsEveryLevel) {
    int framesInAll = 0;
    for (int level = 1; level <= 24; ++level) {
        SCOPED_TRACE(level);
        bool won = false;
        for (std::uint32_t seed = 1; seed <= 4 && !won; ++seed) {
            SeedRandom(seed);
            ASSERT_TRUE(StartOn(level));
            heldKey_ = pendingKey_ = 0;
            int frames = 0;
            while (game_->State() == PyxGameState::Playing && frames < 6000) {
                Steer();
                Frame();
                ++frames;
            }
            won = game_->State() != PyxGameState::Playing &&
                  game_->Outcome() != PyxGameOutcome::GameOver;
            if (won)
                framesInAll += frames;
        }
        EXPECT_TRUE(won) << "level " << level << " was not won";
    }
    std::printf("24 levels won by the steady player in %d frames of 16 ms\n", framesInAll);
}

// Pictures for the README: games in play half way to the exit. Each level is played as a game of
// its own, so the side panel is told the level's number in the full set.
TEST_F(BoardGame, PicturesOfGamesInPlay) {
    if (!std::getenv("RONDELIX_SHOTS"))
        GTEST_SKIP() << "set RONDELIX_SHOTS to a folder to make the pictures";
    for (int level : {3, 9, 13, 19, 24}) {
        SeedRandom(std::uint32_t(level));
        ASSERT_TRUE(StartOn(level));
        heldKey_ = pendingKey_ = 0;
        QxEntity2DGUIElement* number = scene_->NamedElement("Level");
        ASSERT_NE(number, nullptr);
        number->SetString(kPropText, std::to_string(level));
        // The last game's closing message is not this game's.
        for (const char* line : {"DispText1", "DispText2"})
            if (QxEntity2DGUIElement* text = scene_->NamedElement(line))
                text->SetString(kPropText, "");
        for (int frame = 0; frame < 1500 && game_->CoinsHeld() < game_->CoinsNeeded() / 2 + 1;
             ++frame)
            Play(1);
        char name[32];
        std::snprintf(name, sizeof name, "game-level%02d", level);
        SaveShot(name);
    }
}

TEST_F(BoardGame, PictureOfAGameLostInTraps) {
    if (!std::getenv("RONDELIX_SHOTS"))
        GTEST_SKIP() << "set RONDELIX_SHOTS to a folder to make the picture";
    ASSERT_TRUE(StartOn(4));
    for (int frames = 0; game_->State() != PyxGameState::GameEnding && frames < 20000; frames += 10)
        Play(10, true);
    ASSERT_EQ(game_->State(), PyxGameState::GameEnding);
    Frames(200);
    SaveShot("game-over");
}

} // namespace
} // namespace boardcontent
