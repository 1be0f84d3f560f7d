// The winnability check on small boards read from level text, so the objects are
// records judged by the registry's types, as in the level compiler and the editor.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/field/PyxLevel.h"
#include "game/field/PyxLevelText.h"
#include "game/rules/PyxLevelCheck.h"
#include "support/ServiceFixture.h"

namespace {

using Severity = PyxLevelProblem::Severity;

struct Expected {
    Severity severity;
    std::string text;
    std::vector<std::int32_t> cells;
};

class LevelCheckTest : public testsupport::ServiceFixture {
protected:
    LevelCheckTest() : ServiceFixture("levelcheck", {false, false, false, false, true}) {}

    void SetUp() override {
        ServiceFixture::SetUp();
        for (const char* text : {
                 "class PyxBitmapTile\ntype floor\n",
                 "class PyxSinkTile\ntype trap\nIsTrap 1\n",
                 "class PyxSinkTile\ntype exit\nIsTrap 0\n",
                 "class PyxBasicPost\ntype post\nDefaultUp 1\n",
                 "class PyxBasicPost\ntype pad\nDefaultUp 0\nUserChange 1\n",
                 "class PyxBasicPost\ntype defl\nShape Rect\nNormX 1\nNormY -1\nDefaultUp 1\n",
                 "class PyxAnimPost\ntype gear\nGear 1\nRadius 12\n",
                 "class PyxAnimAward\ntype power\n",
                 "class PyxPickupBall\ntype bonus\n",
             })
            ASSERT_TRUE(Define(text)) << text;
    }

    // A board of 56-pixel cells drawn as rows of symbols: . floor, - empty, T trap,
    // E exit, o post, g gear, u pad, / deflector, P power award, B bonus ball, x an
    // object of a type nobody defined. The start is cell (0, 0) unless the properties
    // say otherwise; the coins and the clock leave room unless they say otherwise.
    std::unique_ptr<PyxLevel> Board(const std::vector<std::string>& rows,
                                    std::map<std::string, std::string> properties) {
        const std::map<std::string, std::string> defaults = {
            {"StartCol", "0"},     {"StartRow", "0"},    {"CoinsNeeded", "2"},
            {"CoinsOnBoard", "2"}, {"LevelTime", "100"}, {"ExitAtRandomTile", "1"},
            {"ExitMode", "0"}};
        properties.insert(defaults.begin(), defaults.end());
        std::string text = "Columns " + std::to_string(rows[0].size()) + "\nRows " +
                           std::to_string(rows.size()) +
                           "\nTileWidth 56\nTileHeight 56\nBorderX 16\nBorderY 16\n";
        for (const auto& [key, value] : properties)
            text += key + " " + value + "\n";
        text += "Tile . PyxBitmapTile floor\nTile T PyxSinkTile trap\nTile E PyxSinkTile exit\n"
                "Grid\n";
        const std::map<char, std::string> objects = {
            {'o', "PyxBasicPost post"},      {'g', "PyxAnimPost gear"},
            {'u', "PyxBasicPost pad"},       {'/', "PyxBasicPost defl"},
            {'P', "PyxAnimAward power"},     {'B', "PyxPickupBall bonus"},
            {'x', "PyxBasicPost nosuchtype"}};
        std::string placed;
        for (std::size_t row = 0; row < rows.size(); ++row) {
            for (std::size_t col = 0; col < rows[row].size(); ++col) {
                const char symbol = rows[row][col];
                const bool object = objects.count(symbol) != 0;
                text += object ? '.' : symbol;
                if (object)
                    placed += "Object " + objects.at(symbol) + " " + std::to_string(col * 56 + 28) +
                              " " + std::to_string(row * 56 + 28) + "\n";
            }
            text += "\n";
        }
        text += "End\n" + placed;
        auto level = std::make_unique<PyxLevel>();
        std::string error;
        EXPECT_TRUE(PyxLevelText::Read(text, *level, error)) << error << "\n" << text;
        return level;
    }
};

TEST_F(LevelCheckTest, EachBrokenRuleIsNamedWithItsCells) {
    using P = std::map<std::string, std::string>;
    const struct {
        const char* what;
        std::vector<std::string> rows;
        P properties;
        std::vector<Expected> problems;
    } cases[] = {
        {"pads, deflectors and unknown types let the ball by; a post's cell is reached",
         {"u/x.o"},
         {},
         {}},
        {"posts and gears are rolled up to, not through",
         {"..o.", ".g.."},
         {},
         {{Severity::Error, "3 floor cells cannot be reached from the start.", {3, 6, 7}}}},
        {"an island walled by empty cells",
         {"..-..", "..-.."},
         {},
         {{Severity::Error, "4 floor cells cannot be reached from the start.", {3, 4, 8, 9}}}},
        {"cells cut off by traps",
         {"...T.", "..T.."},
         {},
         {{Severity::Error, "3 floor cells cannot be reached from the start.", {4, 8, 9}}}},
        {"start on a trap",
         {"T...", "...."},
         {},
         {{Severity::Error, "The start cell is a trap.", {0}}}},
        {"start on an exit",
         {"....", "...E"},
         {{"StartCol", "3"}, {"StartRow", "1"}},
         {{Severity::Error, "The start cell is an exit.", {7}}}},
        {"start on an empty cell",
         {"-...", "...."},
         {},
         {{Severity::Error, "The start cell has no floor.", {0}}}},
        {"start off the board",
         {"....", "...."},
         {{"StartRow", "2"}},
         {{Severity::Error, "The start cell lies off the board.", {}}}},
        {"start under a post",
         {"....", ".o.."},
         {{"StartCol", "1"}, {"StartRow", "1"}},
         {{Severity::Error, "A post stands on the start cell.", {5}}}},
        {"an award or a ball keeps coins off its own cell, not its neighbours'",
         {"B..P."},
         {{"CoinsOnBoard", "3"}},
         {{Severity::Error, "3 coins and the exit need 4 free cells, not 3.", {1, 2, 4}}}},
        {"with the exit at the start, no coin goes there",
         {"...B"},
         {{"ExitAtRandomTile", "0"}, {"ExitMode", "1"}},
         {{Severity::Error, "2 coins need 3 free cells to move, not 2.", {1, 2}}}},
        {"no coins needed, none on the board",
         {"...."},
         {{"CoinsNeeded", "0"}, {"CoinsOnBoard", "0"}},
         {{Severity::Error, "No coins are needed: the exit opens at once.", {}},
          {Severity::Error, "No coin ever appears, so the exit never opens.", {}}}},
        // 30 coins, each 5/3 cells from the last on average, and 5/3 more to the exit,
        // at 400 ms a cell: 20.7 s.
        {"a clock too short for a steady player",
         {"...."},
         {{"CoinsNeeded", "20"}, {"CoinsOnBoard", "1"}, {"LevelTime", "20"}},
         {{Severity::Warning, "A steady player needs about 21 s; the clock gives 20 s.", {}}}},
        {"a clock just long enough",
         {"...."},
         {{"CoinsNeeded", "20"}, {"CoinsOnBoard", "1"}, {"LevelTime", "21"}},
         {}},
        // The nearest of two coins lies 7/6 cells away on average: 14.7 s.
        {"the nearest of the coins on the board is taken first",
         {"...."},
         {{"CoinsNeeded", "20"}, {"CoinsOnBoard", "2"}, {"LevelTime", "14"}},
         {{Severity::Warning, "A steady player needs about 15 s; the clock gives 14 s.", {}}}},
        {"no level time is the clock's shortest round",
         {"...."},
         {{"CoinsNeeded", "20"}, {"CoinsOnBoard", "1"}, {"LevelTime", "0"}},
         {{Severity::Warning, "A steady player needs about 21 s; the clock gives 8 s.", {}}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::unique_ptr<PyxLevel> level = Board(c.rows, c.properties);
        const std::vector<PyxLevelProblem> problems = PyxCheckLevel(*level);
        ASSERT_EQ(problems.size(), c.problems.size());
        bool errors = false;
        for (std::size_t i = 0; i < problems.size(); ++i) {
            EXPECT_EQ(problems[i].severity, c.problems[i].severity) << problems[i].text;
            EXPECT_EQ(problems[i].text, c.problems[i].text);
            EXPECT_EQ(problems[i].cells, c.problems[i].cells) << problems[i].text;
            EXPECT_LE(problems[i].text.size(), 60u);
            errors = errors || c.problems[i].severity == Severity::Error;
        }
        EXPECT_EQ(PyxLevelIsWinnable(problems), !errors);
    }
}

TEST_F(LevelCheckTest, ALevelWithoutABoardIsRefusedAndWarningsAloneLeaveALevelWinnable) {
    PyxLevel empty;
    const std::vector<PyxLevelProblem> problems = PyxCheckLevel(empty);
    ASSERT_FALSE(problems.empty());
    EXPECT_EQ(problems[0].text, "The start cell lies off the board.");
    EXPECT_FALSE(PyxLevelIsWinnable(problems));
    EXPECT_TRUE(PyxLevelIsWinnable({{Severity::Warning, "late", {}}}));
}

} // namespace
