// The readable level form: canonical text survives reading and writing, level files
// that SaveLevel wrote survive the text byte for byte, and bad text is refused with
// the line that is wrong.
#include <gtest/gtest.h>

#include <cmath>

#include "game/field/FieldTestSupport.h"
#include "game/field/PyxLevelText.h"

namespace fieldtest {
namespace {

const char* const kCanonical = R"(# Rondelix level
Columns 4
Rows 3
TileWidth 56
TileHeight 56
BorderX 8
BorderY 0
LevelName "The \"First\" Steps"
ReservedFlag 1
SpawnFlags 62
ReleaseInterval 12
ReservedInt2 -2
BallClass "TestObject"
BallType "ball"
BallsReleased 6
BallsAvailable 6
StartCol 1
StartRow 2
StartDirX -1
StartDirY 0
BallSpeed 2.5
ReservedFloat1 1.25
ReservedFloat2 -0
LevelTime 150
BallsToWin 3
CoinsNeeded 20
ExitMode 1
ReservedFloat3 0.005
ExitAtRandomTile 1
CoinsOnBoard 5

Tile f TestTile floor
Tile s TestTile sink
Tile t TestTile trap
Grid
ffff
fs-t
ffff
End
TileSound 1 1 0.75 bits:7FC00001
TileCorner 3 1 0 0

Object TestObject post 84 28
Object "Test Object" "odd\ttype" -5 300 Draw 1 -2
)";

class LevelTextTest : public FieldTest {
protected:
    std::string ReadError(const std::string& text) {
        PyxLevel level;
        std::string error;
        EXPECT_FALSE(PyxLevelText::Read(text, level, error));
        return error;
    }
};

TEST_F(LevelTextTest, CanonicalTextReadsAndWritesBackUnchanged) {
    PyxLevel level;
    std::string error;
    ASSERT_TRUE(PyxLevelText::Read(kCanonical, level, error)) << error;
    EXPECT_EQ(level.Columns(), 4);
    EXPECT_EQ(level.BorderX(), 8);
    EXPECT_EQ(level.Properties().LevelName, "The \"First\" Steps");
    EXPECT_EQ(level.Properties().ReleaseInterval, 12);
    EXPECT_EQ(level.TileAtCell(1, 1)->KindBits(), kTileSink);
    EXPECT_EQ(level.TileAtCell(2, 1), nullptr);
    EXPECT_EQ(level.TileAtCell(0, 2)->X(), 8);
    EXPECT_EQ(level.TileAtCell(0, 2)->Y(), 112);
    EXPECT_EQ(level.TileAtCell(3, 1)->X(), 0);
    EXPECT_TRUE(std::isnan(level.TileAtCell(1, 1)->SinkSoundLevel()));
    ASSERT_EQ(level.Objects().size(), 2u);
    EXPECT_EQ(level.Objects()[1].typeName, "odd\ttype");
    EXPECT_EQ(level.Objects()[1].drawY, -2);
    EXPECT_EQ(PyxLevelText::Write(level), kCanonical);

    // Through the binary form and back to text.
    const std::vector<std::uint8_t> bytes = Saved(level);
    PyxLevel loaded;
    loaded.SetKeepObjectsAsRecords(true);
    ASSERT_EQ(loaded.LoadLevel(*BufferOf(bytes)), 1) << loaded.ErrorText();
    EXPECT_EQ(PyxLevelText::Write(loaded), kCanonical);
}

TEST_F(LevelTextTest, SavedLevelSurvivesTheTextByteForByte) {
    PyxLevel level;
    level.SetupGrid(5, 5, 40, 40, 0, 0);
    level.Properties().ReservedFloat1 = 0.1f;
    level.Properties().BallSpeed = 1.0f / 3.0f;
    level.Properties().ReservedFloat2 = std::numeric_limits<float>::denorm_min();
    level.Properties().BallType = "\x01weird\x7F";
    Floor(level);
    PutTile(level, 7, "trap")->SetSoundLevels(-0.0f, 1e30f);
    level.AddObjectAt(60.0f, 100.0f, "TestObject", "award", false);
    level.AddObjectAt(20.0f, 20.0f, "TestObject", "ball", true)->SetDrawPosition(3, 4);
    const std::vector<std::uint8_t> bytes = Saved(level);

    PyxLevel loaded;
    ASSERT_EQ(loaded.LoadLevel(*BufferOf(bytes)), 1) << loaded.ErrorText();
    ASSERT_EQ(loaded.Objects().size(), 2u);
    EXPECT_EQ(loaded.Objects()[0].typeName, "ball") << "saved in height order";
    EXPECT_EQ(loaded.Objects()[0].entity->Flags() & kObjectActiveBoth, kObjectActiveBoth);
    const std::string text = PyxLevelText::Write(loaded);
    PyxLevel again;
    std::string error;
    ASSERT_TRUE(PyxLevelText::Read(text, again, error)) << error << "\n" << text;
    EXPECT_EQ(Saved(again), bytes);
    EXPECT_EQ(PyxLevelText::Write(again), text);
}

TEST_F(LevelTextTest, CommentsAndMissingPropertiesAreFine) {
    PyxLevel level;
    std::string error;
    ASSERT_TRUE(PyxLevelText::Read("Columns 2 # wide\nRows 1\nTileWidth 9\nTileHeight 9\n"
                                   "BorderX 0\nBorderY 0\nSpawnFlags 0x3E\n"
                                   "Tile . TestTile floor\nGrid\n  .-  \nEnd\n",
                                   level, error))
        << error;
    EXPECT_EQ(level.Properties().SpawnFlags, 0x3Eu);
    EXPECT_EQ(level.Properties().CoinsOnBoard, 5);
    EXPECT_NE(level.TileAt(0), nullptr);
    EXPECT_EQ(level.TileAt(1), nullptr);
}

TEST_F(LevelTextTest, BadTextIsRefusedWithItsLine) {
    const std::string grid = "Columns 2\nRows 1\nTileWidth 9\nTileHeight 9\nBorderX 0\nBorderY 0\n";
    EXPECT_EQ(ReadError(grid + "Colour 3\n"), "line 7: unknown key Colour");
    EXPECT_EQ(ReadError(grid + "LevelTime ten\n"), "line 7: bad value for LevelTime");
    EXPECT_EQ(ReadError(grid + "LevelTime 3000000000\n"), "line 7: bad value for LevelTime");
    EXPECT_EQ(ReadError(grid + "Rows 2\n"), "line 7: Rows is given twice");
    EXPECT_EQ(ReadError(grid + "LevelName \"open\n"), "line 7: string without its closing quote");
    EXPECT_EQ(ReadError("Columns 2\n"), "Rows is missing");
    EXPECT_EQ(ReadError(grid + "Grid\n..\n"), "Grid without its End");
    EXPECT_EQ(ReadError(grid + "Tile . TestTile floor\nGrid\n...\nEnd\n"),
              "line 9: row has 3 cells, not 2");
    EXPECT_EQ(ReadError(grid + "Grid\n.x\nEnd\n"), "line 8: unknown tile symbol .");
    EXPECT_EQ(ReadError(grid + "Tile - TestTile floor\n"), "line 7: bad tile symbol");
    EXPECT_EQ(ReadError(grid + "Tile . PyxNothing floor\nGrid\n..\nEnd\n"),
              "line 9: no tile class PyxNothing with type floor");
    EXPECT_EQ(ReadError(grid + "Tile . TestObject ball\nGrid\n..\nEnd\n"),
              "line 9: no tile class TestObject with type ball");
    EXPECT_EQ(ReadError(grid + "TileSound 0 0 1 1\n"), "line 7: no tile at column 0, row 0");
    EXPECT_EQ(ReadError(grid + "Object a b 1\n"),
              "line 7: Object takes a class, a type, x and y, and optionally Draw x y");
    const std::string tile = grid + "Tile . TestTile floor\n";
    EXPECT_EQ(ReadError(grid + "LevelTime 1 2\n"), "line 7: LevelTime takes one value");
    EXPECT_EQ(ReadError("Columns two\n"), "line 1: bad number for Columns");
    EXPECT_EQ(ReadError(grid + "Tile .\n"), "line 7: Tile takes a symbol, a class and a type");
    EXPECT_EQ(ReadError(tile + "Tile . TestTile sink\n"), "line 8: tile symbol . is given twice");
    EXPECT_EQ(ReadError(tile + "Grid\n..\nEnd\nGrid\n"), "line 11: Grid is given twice");
    EXPECT_EQ(ReadError(tile + "Grid\n..\nEnd\nTileSound 0 0\n"),
              "line 11: TileSound takes a column, a row and two values");
    EXPECT_EQ(ReadError(tile + "Grid\n..\nEnd\nTileSound x 0 1 1\n"),
              "line 11: bad cell for TileSound");
    EXPECT_EQ(ReadError(tile + "Grid\n..\nEnd\nTileCorner 0 0 x 0\n"), "line 11: bad corner");
    EXPECT_EQ(ReadError(tile + "Grid\n..\nEnd\nTileSound 0 0 x 1\n"), "line 11: bad sound levels");
    EXPECT_EQ(ReadError(grid + "Object a b x 1\n"), "line 7: bad object position");
    EXPECT_EQ(ReadError(grid + "Object a b 1 1 Draw x 1\n"), "line 7: bad drawing position");
    EXPECT_EQ(ReadError("Columns 0\nRows 1\nTileWidth 9\nTileHeight 9\nBorderX 0\nBorderY 0\n"),
              "grid out of range");
}

} // namespace
} // namespace fieldtest
