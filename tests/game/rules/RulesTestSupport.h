#pragma once
// The rules on a stand-in game scene, over tiny levels written by the test.

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "app/GameSettings.h"
#include "engine/gui/GuiFixture.h"
#include "engine/gui/QxEntity2DScene.h"
#include "engine/gui/QxHighScore.h"
#include "game/field/PyxEntityTileBase.h"
#include "game/field/PyxLevel.h"
#include "game/objects/PyxEntityBallBase.h"
#include "game/rules/PyxGameServices.h"
#include "game/rules/PyxGameplay.h"
#include "game/rules/PyxGameplayOwner.h"
#include "game/rules/PyxLevelList.h"

namespace rulestest {

// Records what the rules ask of the game object.
class RecordingServices : public PyxGameServices {
public:
    void RequestScene(const std::string& className, const std::string&, std::int32_t) override {
        scenes.push_back(className);
    }
    void RequestQuit() override { quit = true; }
    bool QuitRequested() override { return quit; }
    void SetFullScreenKeyAllowed(bool allowed) override { fullScreenKeyAllowed = allowed; }
    void HandOverHighScore(std::unique_ptr<QxHighScore> newEntry, const std::string& line1,
                           const std::string& line2, const std::string& tableFile) override {
        entry = std::move(newEntry);
        first = line1;
        second = line2;
        table = tableFile;
        ++handOvers;
    }

    std::vector<std::string> scenes; // the classes asked for
    bool quit = false;
    bool fullScreenKeyAllowed = true;
    std::unique_ptr<QxHighScore> entry;
    std::string first;
    std::string second;
    std::string table;
    int handOvers = 0;
};

// The game scene as the rules see it: named elements put in by the test, the level
// set, the cursor frames asked for and a script of jaw steps.
class TestGameScene : public QxEntity2DScene, public PyxGameplayOwner {
public:
    explicit TestGameScene(QxEntity2DSceneType* type) : QxEntity2DScene(type) {}

    bool GetString(int id, std::string& text) override {
        if (id == kPropLevelSet) {
            text = "levels.lst";
            return true;
        }
        return QxEntity2DScene::GetString(id, text);
    }
    bool SetCursorFrame(std::int32_t frame) override {
        cursorFrame = frame;
        return true;
    }
    QxEntity2DGUIElement* NamedElement(const std::string& name) override {
        auto found = named.find(name);
        return found == named.end() ? nullptr : found->second;
    }
    std::int32_t StepJaws() override {
        if (jaws.empty())
            return kJawsNone;
        const std::int32_t step = jaws.front();
        jaws.erase(jaws.begin());
        return step;
    }

    std::int32_t cursorFrame = -1;
    std::map<std::string, QxEntity2DGUIElement*> named;
    std::vector<std::int32_t> jaws;
};

// A level of floor tiles with optional traps, board objects, released balls and coin
// needs.
struct TinyLevel {
    struct Object {
        std::string className;
        std::string typeName;
        float x = 0.0f;
        float y = 0.0f;
    };

    std::int32_t columns = 6;
    std::int32_t rows = 3;
    std::vector<std::int32_t> traps; // cell indices
    std::int32_t coinsNeeded = 3;
    std::int32_t coinsOnBoard = 0;
    std::int32_t ballsReleased = 0;
    std::int32_t releaseInterval = 1;
    bool exitAtRandom = true;
    std::int32_t border = 0;
    std::vector<Object> objects;
};

class RulesTest : public GuiFixture {
protected:
    static constexpr std::int32_t kCell = 56;

    void SetUp() override {
        GuiFixture::SetUp();
        SetGameServices(&services_);
        g_gameSettings = GameSettings{};
        g_gameSettings.showHints = 0;
        g_lastHighscoreName = "Tester";
        Define("class PyxBitmapTile\ntype floor\n");
        Define("class PyxSinkTile\ntype trap\nIsTrap 1\n");
        Define("class PyxSinkTile\ntype exit\n");
        Define("class PyxRenderedBall\ntype renderball\n");
        Define("class PyxAnimSpriteBall\ntype spikedball\nRadius 20\n");
        Define("class PyxSpriteBall\ntype enemy\nRadius 20\n");
        sceneType_ = std::make_unique<QxEntity2DSceneType>(nullptr);
        scene_ = std::make_unique<TestGameScene>(sceneType_.get());
    }

    void TearDown() override {
        scene_.reset();
        sceneType_.reset();
        SetGameServices(nullptr);
        g_gameSettings = GameSettings{};
        GuiFixture::TearDown();
    }

    void WriteLevel(const std::string& name, const TinyLevel& tiny) {
        PyxLevel level;
        level.SetupGrid(tiny.columns, tiny.rows, kCell, kCell, tiny.border, tiny.border);
        for (std::int32_t i = 0; i < tiny.columns * tiny.rows; ++i) {
            const bool trap =
                std::find(tiny.traps.begin(), tiny.traps.end(), i) != tiny.traps.end();
            level.PlaceTile(trap ? "PyxSinkTile" : "PyxBitmapTile", trap ? "trap" : "floor",
                            tiny.border + (i % tiny.columns) * kCell,
                            tiny.border + (i / tiny.columns) * kCell, i);
        }
        for (const TinyLevel::Object& object : tiny.objects)
            ASSERT_NE(
                level.AddObjectAt(object.x, object.y, object.className, object.typeName, true),
                nullptr)
                << object.className << " " << object.typeName;
        PyxLevelProperties& p = level.Properties();
        p.SpawnFlags = 0;
        p.BallClass = "PyxSpriteBall";
        p.BallType = "enemy";
        p.BallsReleased = tiny.ballsReleased;
        p.BallsAvailable = tiny.ballsReleased;
        p.ReleaseInterval = tiny.releaseInterval;
        p.StartCol = 1;
        p.StartRow = 1;
        p.StartDirX = -1;
        p.StartDirY = 0;
        p.BallSpeed = 1.0f;
        p.LevelTime = 84; // one second per dial frame
        p.CoinsNeeded = tiny.coinsNeeded;
        p.CoinsOnBoard = tiny.coinsOnBoard;
        p.ExitAtRandomTile = tiny.exitAtRandom;
        WriteThrough(name, [&](QxFile& file) { return level.SaveLevel(file); });
    }

    // Writes every level and "levels.lst" listing them in order.
    void WriteGame(const std::vector<TinyLevel>& levels) {
        PyxLevelList list;
        for (std::size_t i = 0; i < levels.size(); ++i) {
            const std::string name = "level" + std::to_string(i + 1) + ".lvl";
            WriteLevel(name, levels[i]);
            list.Entries().push_back({name, "Level " + std::to_string(i + 1), "", 0});
        }
        WriteThrough("levels.lst", [&](QxFile& file) { return list.Write(file); });
    }

    // Writes a data file through the file system's writer.
    template <typename Write> void WriteThrough(const std::string& name, Write write) {
        WriteFile(name, "");
        QxFile* file = Files().Open(name, 2 | 4);
        ASSERT_NE(file, nullptr) << name;
        EXPECT_TRUE(write(*file)) << name;
        Files().Close(file);
    }

    // The rules of a new game on the stand-in scene, started (or not, if it failed).
    std::unique_ptr<PyxGameplay> StartGame(bool expectStart = true) {
        auto game = std::make_unique<PyxGameplay>(scene_.get());
        EXPECT_EQ(game->StartNewGame(), expectStart);
        return game;
    }

    static void Run(PyxGameplay& game, int frames, float ms = 16.0f) {
        for (int i = 0; i < frames; ++i)
            game.Update(ms);
    }

    // Runs frames until the condition holds (at most `limit`); answers whether it did.
    template <typename Condition>
    static bool RunUntil(PyxGameplay& game, Condition condition, int limit = 2000,
                         float ms = 16.0f) {
        for (int i = 0; i < limit; ++i) {
            if (condition())
                return true;
            game.Update(ms);
        }
        return condition();
    }

    static PyxEntityBallBase* Ball(PyxEntityGameObject* object) {
        return dynamic_cast<PyxEntityBallBase*>(object);
    }

    // Puts the ball's centre at a board point, keeping the tiles' lists right.
    static void PlaceBall(PyxGameplay& game, PyxEntityGameObject* ball, float x, float y) {
        PyxLevel* level = game.Level();
        if (PyxEntityTileBase* old = level->TileAt(ball->Cell()))
            old->RemoveObject(ball);
        ball->SetPosition(x, y);
        ball->Update(0.0f);
        if (PyxEntityTileBase* tile = level->TileAt(level->TileIndexAt(x, y)))
            tile->AddObject(ball);
    }

    TestGameScene& Scene() { return *scene_; }
    RecordingServices& Services() { return services_; }

private:
    RecordingServices services_;
    std::unique_ptr<QxEntity2DSceneType> sceneType_;
    std::unique_ptr<TestGameScene> scene_;
};

} // namespace rulestest
