// The level editor in the real game, through the headless runner: a level built by
// clicks, drags and keys, with undo and redo, saved where the player's levels go and
// byte for byte what the level compiler makes of its text; tried and won with the real
// rules, back in the editor with the board as it was; a level that cannot be won is
// not saved and says why.

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/QxGlobals.h"
#include "content/ContentTestSupport.h"
#include "engine/entity/QxDefinition.h"
#include "engine/entity/QxEntityRegistry.h"
#include "engine/entity/QxRegistrationTable.h"
#include "engine/screen/QxPng.h"
#include "game/editor/PyxLevelSets.h"
#include "game/editor/PyxSharedSet.h"
#include "runner/RunProgram.h"
#include "support/TestFiles.h"

namespace {

using namespace contenttest;
using runnertest::RunProgram;
using runnertest::RunResult;
using testsupport::ReadText;

// With 20 ms frames the menu is up after about 450 frames and a page roll takes about
// 52; "Make Levels" is the third button (content/data/ui/menu/mainmenu.ent).
constexpr int kMenuShown = 450;
constexpr int kEditorShown = kMenuShown + 60;
constexpr int kMakeLevelsY = 238;

// The middle of a board cell and of a palette slot on the screen
// (src/game/editor/PyxEditorLayout.h).
std::string CellPoint(int col, int row) {
    return std::to_string(44 + 56 * col) + " " + std::to_string(44 + 56 * row);
}
std::string SlotPoint(int slot) {
    return std::to_string(490 + 34 * (slot % 4) + 17) + " " +
           std::to_string(62 + 36 * (slot / 4) + 18);
}

// The editor opened from the main menu.
std::string OpenEditor() {
    return std::to_string(kMenuShown) + " move 320 " + std::to_string(kMakeLevelsY) + "\n" +
           std::to_string(kMenuShown) + " down\n" + std::to_string(kMenuShown + 1) + " up\n";
}

// A right-button drag along a row of the board, erasing it cell by cell.
std::string EraseRow(int frame, int row) {
    std::string script = std::to_string(frame) + " move " + CellPoint(0, row) + "\n" +
                         std::to_string(frame) + " rdown\n";
    for (int col = 1; col < 8; ++col) {
        script += std::to_string(frame + col) + " move " + CellPoint(col, row) + "\n";
    }
    return script + std::to_string(frame + 8) + " rup\n";
}

class EditorRunnerTest : public testing::Test {
protected:
    void SetUp() override {
        const std::string archive = ArchivePath();
        runner_ = (ProgramFolder() / "rondelix-headless").string();
        levelc_ = (ProgramFolder() / "levelc").string();
        std::error_code ec;
        if (archive.empty() || !std::filesystem::is_regular_file(runner_, ec) ||
            !std::filesystem::is_regular_file(levelc_, ec)) {
            GTEST_SKIP() << "no built archive, runner or level compiler";
        }
        folder_ = testsupport::FreshFolder("editor");
        data_ = folder_ + "/data";
        std::filesystem::create_directories(data_, ec);
        std::filesystem::copy_file(archive, data_ + "/Rondelix.qxa", ec);
        ASSERT_FALSE(ec) << ec.message();
    }

    RunResult Run(int frames, const std::string& script, const std::vector<int>& shots = {}) {
        // Every run starts as a first start: nothing saved by an earlier run.
        std::error_code ec;
        std::filesystem::remove_all(Home(), ec);
        const std::string input = folder_ + "/input.txt";
        std::ofstream(input, std::ios::trunc) << script;
        std::vector<std::string> arguments = {"--data",  data_, "--home",   Home(),
                                              "--dt",    "20",  "--frames", std::to_string(frames),
                                              "--input", input};
        for (const int frame : shots) {
            arguments.push_back("--shot");
            arguments.push_back(std::to_string(frame) + ":" + Shot(frame));
        }
        return RunProgram(runner_, arguments);
    }

    // The pixels of the board's fifth row (the lane) in a shot; empty when it cannot
    // be read.
    std::vector<std::uint16_t> Lane(int frame) const {
        std::vector<std::uint16_t> pixels, board;
        int width = 0, height = 0;
        if (LoadPng(Shot(frame), &pixels, &width, &height) && width >= 464 && height >= 464) {
            for (int y = 240; y < 296; ++y) {
                board.insert(board.end(), pixels.begin() + y * width + 16,
                             pixels.begin() + y * width + 464);
            }
        }
        return board;
    }

    std::string Home() const { return folder_ + "/home"; }
    std::string Levels() const { return Home() + "/user-data/Quillfern Studio/Rondelix/Levels/"; }
    std::string Log() const {
        return ReadText(Home() + "/user-data/Quillfern Studio/Rondelix/log.txt");
    }
    std::string Scores() const {
        return Home() + "/common-data/Quillfern Studio/Rondelix/Scores.rd";
    }
    std::string Shot(int frame) const { return folder_ + "/shot" + std::to_string(frame) + ".png"; }

    std::string runner_;
    std::string levelc_;
    std::string folder_;
    std::string data_;
};

// The level every run below builds: one lane of floor across the middle of the board,
// two coins to collect, the exit at the start cell. The player's ball rolls the lane to
// and fro on its own, so the game is won without a turn.
constexpr const char* kLaneText = R"(Columns 8
Rows 8
TileWidth 56
TileHeight 56
BorderX 16
BorderY 16
LevelName "Lane"
StartCol 3
StartRow 4
StartDirX 1
StartDirY 0
LevelTime 60
CoinsNeeded 2
ExitMode 1
ExitAtRandomTile 0
CoinsOnBoard 3

Tile . PyxBitmapTile floor
Grid
--------
--------
--------
--------
........
--------
--------
--------
End

Object PyxBallCarrier boardclaw 196 -200
)";

// The rails every level has just outside the board's edges.
std::string Rails() {
    std::string text;
    for (const char* side : {"top", "bottom", "left", "right"}) {
        for (int i = 0; i < 8; ++i) {
            const int along = 28 + 56 * i;
            const std::string edge = side[0] == 't' || side[0] == 'l' ? "-6" : "454";
            const bool row = side[0] == 't' || side[0] == 'b';
            text +=
                std::string("Object PyxBasicPost boardrail") + side + " " +
                (row ? std::to_string(along) + " " + edge : edge + " " + std::to_string(along)) +
                "\n";
        }
    }
    return text;
}

std::string LaneScript() {
    std::string script = OpenEditor();
    int frame = kEditorShown + 10;
    for (const int row : {0, 1, 2, 3, 5, 6, 7}) {
        script += EraseRow(frame, row);
        frame += 12;
    }
    // A fixed post (the fifth slot) on the lane, undone, redone and undone again.
    const auto at = [&](int f) { return std::to_string(f) + " "; };
    script +=
        at(frame) + "move " + SlotPoint(4) + "\n" + at(frame) + "down\n" + at(frame + 1) + "up\n";
    script += at(frame + 3) + "move " + CellPoint(0, 4) + "\n" + at(frame + 3) + "down\n" +
              at(frame + 4) + "up\n";
    script +=
        at(frame + 8) + "char 26\n" + at(frame + 12) + "char 25\n" + at(frame + 16) + "char 26\n";
    frame += 20;
    // Coins needed 5 -> 2, and the exit at the start cell (End steps down the rows).
    script += at(frame) + "key End\n";
    for (int i = 1; i <= 3; ++i) {
        script += at(frame + i) + "char -\n";
    }
    for (int i = 4; i <= 9; ++i) {
        script += at(frame + i) + "key End\n";
    }
    script += at(frame + 10) + "char +\n";
    frame += 12;
    // The name, typed over the one it had.
    script += at(frame) + "char N\n";
    for (int i = 1; i <= 8; ++i) {
        script += at(frame + i) + "key Backspace\n";
    }
    int i = 9;
    for (const char c : std::string("Lane")) {
        script += at(frame + i++) + "char " + c + "\n";
    }
    script += at(frame + i) + "key Enter\n";
    return script;
}

constexpr int kLaneBuilt = kEditorShown + 10 + 7 * 12 + 20 + 12 + 16;

TEST_F(EditorRunnerTest, ALevelBuiltByHandSavesAsTheCompilerMakesItAndIsWonWhenTried) {
    const int postPainted = kLaneBuilt - 16 - 12 - 20 + 5;
    std::string script = LaneScript();
    script += std::to_string(kLaneBuilt) + " char S\n";
    const RunResult saved =
        Run(kLaneBuilt + 10, script,
            {postPainted + 1, postPainted + 5, postPainted + 9, postPainted + 13});
    EXPECT_EQ(saved.values.at("scene"), "PyxLevelEditor") << saved.output;
    // Undo takes the post away, redo puts it back.
    EXPECT_EQ(Lane(postPainted + 5), Lane(postPainted + 13));
    EXPECT_EQ(Lane(postPainted + 1), Lane(postPainted + 9));
    EXPECT_NE(Lane(postPainted + 1), Lane(postPainted + 5));

    const std::string expected = folder_ + "/lane.txt";
    std::ofstream(expected, std::ios::binary) << kLaneText << Rails();
    const RunResult compiled = RunProgram(levelc_, {"compile", expected, folder_ + "/lane.lvl"});
    ASSERT_EQ(compiled.exitCode, 0) << compiled.output;
    const std::string file = ReadText(Levels() + "lane.lvl");
    ASSERT_FALSE(file.empty()) << "nothing saved in " << Levels();
    EXPECT_EQ(file, ReadText(folder_ + "/lane.lvl"));
    // ... and the level compiler reads it back to text that compiles to the same bytes.
    ASSERT_EQ(
        RunProgram(levelc_, {"decompile", Levels() + "lane.lvl", folder_ + "/back.txt"}).exitCode,
        0);
    ASSERT_EQ(
        RunProgram(levelc_, {"compile", folder_ + "/back.txt", folder_ + "/back.lvl"}).exitCode, 0);
    EXPECT_EQ(ReadText(folder_ + "/back.lvl"), file);

    // Tried with hints on: Enter answers the hints, skips the counting of the bonus and
    // closes the end of the game, which goes back to the editor with the board as it
    // was (saving again writes the same bytes) and no high score kept.
    script = LaneScript() + std::to_string(kLaneBuilt) + " char T\n";
    for (int frame = kLaneBuilt + 100; frame <= kLaneBuilt + 640; frame += 60) {
        script += std::to_string(frame) + " key Enter\n";
    }
    const std::string scores = ReadText(Scores());
    ASSERT_FALSE(scores.empty());
    const RunResult won = Run(kLaneBuilt + 500, script);
    EXPECT_EQ(won.values.at("scene"), "PyxStdGame");
    EXPECT_EQ(won.values.at("state"), "LevelWon") << won.output;
    EXPECT_GT(std::stoi(won.values.at("score")), 0);

    const int back = kLaneBuilt + 700;
    script += std::to_string(back) + " char S\n";
    const RunResult tried = Run(back + 10, script);
    EXPECT_EQ(tried.values.at("scene"), "PyxLevelEditor") << tried.output;
    EXPECT_EQ(ReadText(Levels() + "lane.lvl"), file);
    EXPECT_EQ(ReadText(Scores()), scores) << "a level tried keeps no high score";
}

// A board whose start cell is gone cannot be saved, but it can be tried (Escape comes
// back). Undone, it saves; a new level under the same name replaces it only
// when the question is answered Yes; Open brings the saved level back; Escape closes
// the list first, then leaves for the menu.
TEST_F(EditorRunnerTest, ABrokenLevelIsNotSavedAndASavedOneIsReplacedOnlyAfterAsking) {
    const auto at = [](int frame, const std::string& command) {
        return std::to_string(frame) + " " + command + "\n";
    };
    const int f = kEditorShown + 10;
    std::string script = OpenEditor() + at(f, "move " + CellPoint(3, 4)) + at(f + 1, "char x") +
                         at(f + 3, "char S") + at(f + 5, "char T") + at(f + 70, "key Escape");
    RunResult run = Run(f + 60, script);
    EXPECT_EQ(run.values.at("scene"), "PyxStdGame") << run.output;
    run = Run(f + 150, script);
    EXPECT_EQ(run.values.at("scene"), "PyxLevelEditor") << run.output;
    EXPECT_NE(Log().find("not saved, the level cannot be won: The start"), std::string::npos)
        << Log();
    EXPECT_FALSE(std::filesystem::exists(Levels() + "my-level.lvl"));

    script += at(f + 150, "char 26") + at(f + 152, "char S");
    run = Run(f + 160, script);
    const std::string first = ReadText(Levels() + "my-level.lvl");
    ASSERT_FALSE(first.empty()) << Log();

    // New (its button), a blue floor cell, then Save asks: Escape keeps the old file, Y
    // replaces it.
    script += at(f + 160, "move 593 406") + at(f + 160, "down") + at(f + 161, "up") +
              at(f + 163, "char ]") + at(f + 164, "move " + CellPoint(1, 1)) + at(f + 164, "down") +
              at(f + 165, "up") + at(f + 168, "char S") + at(f + 174, "key Escape");
    run = Run(f + 180, script);
    EXPECT_EQ(run.values.at("scene"), "PyxLevelEditor");
    EXPECT_EQ(ReadText(Levels() + "my-level.lvl"), first);
    script += at(f + 180, "char S") + at(f + 186, "char Y");
    run = Run(f + 190, script);
    const std::string second = ReadText(Levels() + "my-level.lvl");
    EXPECT_NE(second, first);
    EXPECT_FALSE(second.empty());

    // Open lists it; Escape closes the list, Enter opens, a second Escape leaves.
    script += at(f + 190, "char O") + at(f + 192, "key Escape") + at(f + 194, "char O") +
              at(f + 196, "key Enter");
    run = Run(f + 200, script);
    EXPECT_EQ(run.values.at("scene"), "PyxLevelEditor");
    EXPECT_NE(Log().find("opened " + Levels() + "my-level.lvl"), std::string::npos) << Log();
    script += at(f + 200, "key Escape");
    run = Run(f + 270, script);
    EXPECT_EQ(run.values.at("scene"), "PyxMainMenu");
}

// Two levels saved, then a set made of them through the set window, with keys and
// clicks: ordered, renamed and exported beside the level folder, where another player's
// game reads it back whole. Escape closes the window a view at a time, then leaves.
TEST_F(EditorRunnerTest, TwoSavedLevelsMakeASetThatIsOrderedRenamedAndExported) {
    int f = kLaneBuilt;
    std::string script = LaneScript();
    const auto at = [&](int step, const std::string& command) {
        f += step;
        script += std::to_string(f) + " " + command + "\n";
    };
    at(0, "char S");
    // A new level (its button) saved as it comes: "my-level.lvl".
    at(4, "move 593 406");
    at(0, "down");
    at(1, "up");
    at(3, "char S");
    // Open, then the list's "Sets" tag; a set named by keys.
    at(4, "char O");
    at(2, "move 373 70");
    at(0, "down");
    at(1, "up");
    at(2, "char N");
    for (const char c : std::string("Two")) {
        at(1, std::string("char ") + c);
    }
    at(1, "key Enter");
    at(2, "key Enter");
    // The level being edited, then the saved "lane.lvl", moved up by its button.
    at(2, "char A");
    at(2, "char L");
    at(2, "key Enter");
    at(2, "move 284 397");
    at(0, "down");
    at(1, "up");
    at(2, "char R");
    for (int i = 0; i < 3; ++i) {
        at(1, "key Backspace");
    }
    for (const char c : std::string("Both")) {
        at(1, std::string("char ") + c);
    }
    at(1, "key Enter");
    at(2, "char E");
    at(6, "key Escape");
    at(2, "key Escape");
    at(4, "key Escape");
    const RunResult run = Run(f + 70, script);
    EXPECT_EQ(run.values.at("scene"), "PyxMainMenu") << run.output;

    const std::string levels = Levels();
    EXPECT_FALSE(std::filesystem::exists(levels + "two.lst")) << "renamed";
    QxEntityRegistry registry;
    ASSERT_TRUE(RegisterEntityClasses(registry));
    for (const char* text :
         {"class PyxBitmapTile\ntype floor\n", "class PyxBitmapTile\ntype floorb\n",
          "class PyxBitmapTile\ntype floorc\n", "class PyxSinkTile\ntype trap\nIsTrap 1\n",
          "class PyxSinkTile\ntype exit\n"}) {
        QxDefinition definition(text);
        definition.SetRegistry(&registry);
        ASSERT_TRUE(registry.DefineType(definition, false)) << text;
    }
    QxEntityRegistry* const before = g_registry;
    g_registry = &registry;
    std::vector<PyxLevelEntry> entries;
    std::string error;
    EXPECT_TRUE(PyxLevelSets(levels).Read("both", entries, error)) << error << Log();
    const std::string archive = Home() + "/user-data/Quillfern Studio/Rondelix/Exported/both.qxa";
    const PyxSharedSet shared = PyxReadSharedSet(archive);
    g_registry = before;
    ASSERT_EQ(entries.size(), 2u) << Log();
    EXPECT_EQ(entries[0].fileName, "lane.lvl");
    EXPECT_EQ(entries[1].fileName, "my-level.lvl");
    EXPECT_TRUE(shared.Usable()) << shared.damage << Log();
    ASSERT_EQ(shared.levels.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(shared.levels[i].fileName, entries[i].fileName);
        EXPECT_TRUE(shared.levels[i].Usable()) << shared.levels[i].damage;
    }
    EXPECT_NE(Log().find("Level sets - exported set both to " + archive), std::string::npos)
        << Log();
    EXPECT_EQ(ReadText(Levels() + "lane.lvl").empty(), false) << "the levels stay";
}

} // namespace
