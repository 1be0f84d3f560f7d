// Level sets in the real game, through the headless runner: a set of two levels is
// chosen in "Play My Levels", played through with the real rules and hints on, and its
// result goes into the set's own table, not the game's; exported as one archive and
// dropped into a second player's level folder beside a damaged one, it plays there too.

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "content/ContentTestSupport.h"
#include "engine/gui/PyxHighScore.h"
#include "engine/gui/QxHighScoreTable.h"
#include "engine/screen/QxPng.h"
#include "game/editor/PyxLevelSets.h"
#include "game/editor/PyxSetExport.h"
#include "runner/RunProgram.h"
#include "support/TestFiles.h"

namespace {

namespace fs = std::filesystem;
using namespace contenttest;
using runnertest::RunProgram;
using runnertest::RunResult;
using testsupport::ReadText;

// With 20 ms frames the menu is up after about 450 frames and a page roll takes about
// 52; "Play My Levels" is the second button (content/data/ui/menu/mainmenu.ent).
constexpr int kMenuShown = 450;
constexpr int kMyLevelsY = 200;
constexpr int kSetsShown = kMenuShown + 60;
// Two levels won with Enter pressed now and then (hints, the counting of the bonus,
// the end of the game, the name of the high score), and the set's table shown.
constexpr int kEnterUntil = kSetsShown + 1240;
constexpr int kSetPlayed = kEnterUntil + 40;

// One lane of floor across the board, won without a turn: the ball rolls it to and
// fro and collects the coins it needs.
std::string LaneText(const std::string& name, int coinsNeeded) {
    std::string text = "Columns 8\nRows 8\nTileWidth 56\nTileHeight 56\nBorderX 16\nBorderY 16\n"
                       "LevelName \"" +
                       name +
                       "\"\nStartCol 3\nStartRow 4\nStartDirX 1\nStartDirY 0\nLevelTime 60\n"
                       "CoinsNeeded " +
                       std::to_string(coinsNeeded) +
                       "\nExitMode 1\nExitAtRandomTile 0\nCoinsOnBoard 3\n\n"
                       "Tile . PyxBitmapTile floor\nGrid\n";
    for (int row = 0; row < 8; ++row) {
        text += row == 4 ? "........\n" : "--------\n";
    }
    text += "End\n\nObject PyxBallCarrier boardclaw 196 -200\n";
    for (const char* side : {"top", "bottom", "left", "right"}) {
        for (int i = 0; i < 8; ++i) {
            const std::string along = std::to_string(28 + 56 * i);
            const std::string edge = side[0] == 't' || side[0] == 'l' ? "-6" : "454";
            const bool row = side[0] == 't' || side[0] == 'b';
            text += std::string("Object PyxBasicPost boardrail") + side + " " +
                    (row ? along + " " + edge : edge + " " + along) + "\n";
        }
    }
    return text;
}

class MyLevelsRunnerTest : public ContentFixture {
protected:
    void SetUp() override {
        ContentFixture::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        runner_ = (ProgramFolder() / "rondelix-headless").string();
        levelc_ = (ProgramFolder() / "levelc").string();
        std::error_code ec;
        if (!fs::is_regular_file(runner_, ec) || !fs::is_regular_file(levelc_, ec)) {
            GTEST_SKIP() << "no built runner or level compiler";
        }
        // The level check judges the levels by the game's own definitions.
        Registry().LoadAll();
        folder_ = testsupport::FreshFolder("mylevels");
        fs::create_directories(folder_ + "/data", ec);
        fs::copy_file(ArchivePath(), folder_ + "/data/Rondelix.qxa", ec);
        ASSERT_FALSE(ec) << ec.message();
    }

    std::string Home(int player) const { return folder_ + "/home" + std::to_string(player); }
    std::string UserData(int player) const {
        return Home(player) + "/user-data/Quillfern Studio/Rondelix/";
    }
    std::string Levels(int player) const { return UserData(player) + "Levels/"; }

    void Compile(const std::string& text, const std::string& out) {
        const std::string source = folder_ + "/level.txt";
        std::ofstream(source, std::ios::binary | std::ios::trunc) << text;
        const RunResult compiled = RunProgram(levelc_, {"compile", source, out});
        ASSERT_EQ(compiled.exitCode, 0) << compiled.output;
    }

    // Opens "Play My Levels", plays the chosen set, and keeps pressing Enter.
    RunResult PlayChosenSet(int player, int shotFrame, const std::string& shot,
                            const std::string& before = "") {
        std::string script = std::to_string(kMenuShown) + " move 320 " +
                             std::to_string(kMyLevelsY) + "\n" + std::to_string(kMenuShown) +
                             " down\n" + std::to_string(kMenuShown + 1) + " up\n" + before;
        for (int frame = kSetsShown + 10; frame < kEnterUntil; frame += 60) {
            script += std::to_string(frame) + " key Enter\n";
        }
        const std::string input = folder_ + "/input.txt";
        std::ofstream(input, std::ios::trunc) << script;
        return RunProgram(runner_, {"--data", folder_ + "/data", "--home", Home(player), "--dt",
                                    "20", "--frames", std::to_string(kSetPlayed), "--input", input,
                                    "--shot", std::to_string(shotFrame) + ":" + shot});
    }

    static int Entries(const std::string& file, std::uint32_t& level) {
        QxHighScoreTable table;
        table.Load(file, PyxHighScore());
        const auto* best = dynamic_cast<const PyxHighScore*>(table.Entry(0));
        level = best != nullptr ? best->level : 0;
        return table.Count();
    }

    std::string runner_;
    std::string levelc_;
    std::string folder_;
};

TEST_F(MyLevelsRunnerTest, ASetPlaysThroughIntoItsOwnTableAndPlaysAgainWhereItIsShared) {
    std::error_code ec;
    fs::create_directories(Levels(1), ec);
    Compile(LaneText("Lane One", 2), Levels(1) + "lane-one.lvl");
    Compile(LaneText("Lane Two", 3), Levels(1) + "lane-two.lvl");
    const PyxLevelSets sets(Levels(1));
    std::string error;
    ASSERT_TRUE(sets.Write(
        "Two Lanes", {{"lane-one.lvl", "Lane One", "", 0}, {"lane-two.lvl", "Lane Two", "", 0}},
        error))
        << error;

    const std::string listShot = folder_ + "/sets.png";
    RunResult run = PlayChosenSet(1, kSetsShown, listShot);
    EXPECT_EQ(run.values.at("scene"), "PyxHighScores") << run.output;
    std::uint32_t level = 0;
    EXPECT_EQ(Entries(sets.ScoresPath("two-lanes"), level), 1) << ReadText(UserData(1) + "log.txt");
    EXPECT_EQ(level, PyxHighScore::kCompletedLevel) << "both levels were won";
    EXPECT_EQ(Entries(Home(1) + "/common-data/Quillfern Studio/Rondelix/Scores.rd", level), 0)
        << "the game's own table keeps no result of a set";
    KeepForDocs(listShot, "play-my-levels.png");

    // Shared: the archive goes into another player's folder, beside one that is not a set.
    fs::create_directories(Levels(2), ec);
    ASSERT_TRUE(PyxExportSet(Levels(1), "two-lanes", Levels(2) + "two-lanes.qxa", error)) << error;
    std::ofstream(Levels(2) + "broken.qxa", std::ios::binary) << "not an archive";
    // Up shows why the damaged one cannot be played; Down goes back to the set.
    const std::string sharedShot = folder_ + "/shared.png";
    run = PlayChosenSet(2, kSetsShown + 3, sharedShot,
                        std::to_string(kSetsShown + 1) + " key Up\n" +
                            std::to_string(kSetsShown + 5) + " key Down\n");
    EXPECT_EQ(run.values.at("scene"), "PyxHighScores") << run.output;
    EXPECT_EQ(Entries(Levels(2) + "two-lanes.qxa.rd", level), 1);
    EXPECT_EQ(level, PyxHighScore::kCompletedLevel);
    const std::string log = ReadText(UserData(2) + "log.txt");
    EXPECT_NE(log.find("broken.qxa: it is not an archive"), std::string::npos) << log;
    // Nothing of the shared set was written anywhere but the level folder.
    for (const auto& entry : fs::recursive_directory_iterator(Home(2))) {
        if (entry.is_regular_file()) {
            const std::string path = entry.path().string();
            EXPECT_TRUE(path.rfind(Levels(2), 0) == 0 || path.find("lane") == std::string::npos)
                << path;
        }
    }
    KeepForDocs(sharedShot, "play-my-levels-shared.png");
}

} // namespace
