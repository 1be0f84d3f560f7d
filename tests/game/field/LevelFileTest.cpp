// Level files of every older version written by hand, and damaged files (the round
// trip through SaveLevel is in the level text tests).
#include <gtest/gtest.h>

#include <functional>

#include "game/field/FieldTestSupport.h"

namespace fieldtest {
namespace {

class LevelFileTest : public FieldTest {
protected:
    std::int32_t Load(PyxLevel& level, const std::vector<std::uint8_t>& bytes) {
        return level.LoadLevel(*BufferOf(bytes));
    }

    // Block 2 of a file of the given version, every group it holds.
    static void Properties(LevelBytes& b, std::int32_t version) {
        b.Int(4).Int(3).Int(40).Int(30).Int(5).Int(6);
        if (version >= 2) {
            b.Bool(true).UInt(0x21).Int(9).Int(8).Str("TestObject").Str("ball");
            b.Int(10).Int(11).Int(1).Int(2).Int(0).Int(1).Int(3);
            b.Float(0.5f).Float(0.25f).Int(90).Int(4).Int(15);
        }
        if (version >= 3)
            b.Str("Old Times");
        if (version >= 4)
            b.UInt(2).Float(0.125f).Bool(false);
        if (version >= 5)
            b.Float(4.5f).Int(8);
    }

    static std::vector<std::uint8_t> FileOfVersion(std::int32_t version) {
        LevelBytes b;
        b.Int(1).Int(version).Int(1).EndBlock();
        Properties(b, version);
        b.EndBlock();
        b.UInt(1).Str("TestTile").Str("floor").Int(40).Int(30).Int(5);
        if (version >= 6)
            b.Float(0.75f).Float(0.5f);
        b.EndBlock();
        b.UInt(1).Str("TestObject").Str("post").Int(1).Int(2).Int(60).Int(45).EndBlock();
        return b.Bytes();
    }
};

TEST_F(LevelFileTest, VersionOneHasOnlyTheGridAndKeepsEveryDefault) {
    PyxLevel level;
    ASSERT_EQ(Load(level, FileOfVersion(1)), 1) << level.ErrorText();
    EXPECT_EQ(level.Columns(), 4);
    EXPECT_EQ(level.Rows(), 3);
    EXPECT_EQ(level.TileWidth(), 40);
    EXPECT_EQ(level.TileHeight(), 30);
    EXPECT_EQ(level.Properties(), PyxLevelProperties());
    EXPECT_EQ(level.Properties().CoinsOnBoard, 5);
    EXPECT_TRUE(level.Properties().ExitAtRandomTile);
    EXPECT_EQ(level.Properties().LevelName, "unknown");
    EXPECT_FLOAT_EQ(level.Properties().ReservedFloat3, 0.005f);
}

TEST_F(LevelFileTest, EachVersionReadsItsOwnGroups) {
    for (std::int32_t version = 2; version <= 6; ++version) {
        SCOPED_TRACE(version);
        PyxLevel level;
        ASSERT_EQ(Load(level, FileOfVersion(version)), 1) << level.ErrorText();
        const PyxLevelProperties& p = level.Properties();
        EXPECT_TRUE(p.ReservedFlag);
        EXPECT_EQ(p.SpawnFlags, 0x21u);
        EXPECT_EQ(p.ReleaseInterval, 9);
        EXPECT_EQ(p.ReservedInt2, 8);
        EXPECT_EQ(p.BallClass, "TestObject");
        EXPECT_EQ(p.BallType, "ball");
        EXPECT_EQ(p.BallsReleased, 10);
        EXPECT_EQ(p.BallsAvailable, 11);
        EXPECT_EQ(p.StartCol, 1);
        EXPECT_EQ(p.StartRow, 2);
        EXPECT_EQ(p.StartDirY, 1);
        EXPECT_FLOAT_EQ(p.ReservedFloat2, 0.25f);
        EXPECT_EQ(p.LevelTime, 90);
        EXPECT_EQ(p.BallsToWin, 4);
        EXPECT_EQ(p.CoinsNeeded, 15);
        EXPECT_EQ(p.LevelName, version >= 3 ? "Old Times" : "unknown");
        EXPECT_EQ(p.ExitMode, version >= 4 ? 2u : 0u);
        EXPECT_EQ(p.ExitAtRandomTile, version < 4);
        // The integer speed of group 2 until version 5 replaced it with a float.
        EXPECT_FLOAT_EQ(p.BallSpeed, version >= 5 ? 4.5f : 3.0f);
        EXPECT_EQ(p.CoinsOnBoard, version >= 5 ? 8 : 5);

        const PyxEntityTileBase* tile = level.TileAt(5);
        ASSERT_NE(tile, nullptr);
        EXPECT_EQ(tile->X(), 40);
        EXPECT_FLOAT_EQ(tile->PostSoundLevel(), version >= 6 ? 0.75f : 0.0f);
        ASSERT_EQ(level.Objects().size(), 1u);
        EXPECT_FLOAT_EQ(level.Objects()[0].startX, 60.0f);
        EXPECT_FLOAT_EQ(level.Objects()[0].startY, 45.0f);
        EXPECT_EQ(level.Objects()[0].entity->DrawX(), 1);
    }
}

TEST_F(LevelFileTest, BlocksMayHoldBytesBeyondTheirFields) {
    LevelBytes b;
    b.Int(1).Int(1).Int(1).Int(77).Int(78).EndBlock();
    Properties(b, 1);
    b.Int(99).EndBlock();
    b.UInt(0).Int(5).EndBlock();
    b.UInt(0).EndBlock();
    PyxLevel level;
    EXPECT_EQ(Load(level, b.Bytes()), 1) << level.ErrorText();
}

// ---- damaged files --------------------------------------------------------------

class DamagedLevelTest : public LevelFileTest {
protected:
    void ExpectRefused(const std::vector<std::uint8_t>& bytes, const std::string& error) {
        PyxLevel level;
        EXPECT_EQ(Load(level, bytes), 0);
        EXPECT_NE(level.ErrorText().find(error), std::string::npos) << level.ErrorText();
        EXPECT_NE(Log().find("Level load failed: " + level.ErrorText()), std::string::npos)
            << Log();
    }
};

// Files that differ only in their damage: each is refused with its reason, and logged.
TEST_F(DamagedLevelTest, EachDamageIsRefusedWithItsReason) {
    using Block = std::function<void(LevelBytes&)>;
    // A file of the version with a 4 x 3 grid and the given tile and object blocks.
    auto file = [](std::int32_t version, const Block& tiles, const Block& objects) {
        LevelBytes b;
        b.Int(1).Int(version).Int(1).EndBlock();
        Properties(b, 1);
        b.EndBlock();
        tiles(b);
        b.EndBlock();
        objects(b);
        b.EndBlock();
        return b.Bytes();
    };
    const Block none = [](LevelBytes& b) { b.UInt(0); };
    auto tile = [](const char* cls, const char* type, std::int32_t cell) -> Block {
        return [=](LevelBytes& b) { b.UInt(1).Str(cls).Str(type).Int(0).Int(0).Int(cell); };
    };
    auto object = [](std::uint32_t count, const char* cls, const char* type) -> Block {
        return [=](LevelBytes& b) { b.UInt(count).Str(cls).Str(type).Int(0).Int(0).Int(0).Int(0); };
    };
    std::vector<std::pair<std::vector<std::uint8_t>, std::string>> cases = {
        {file(
             1,
             [](LevelBytes& b) {
                 b.UInt(1000000).Str("TestTile").Str("floor").Int(0).Int(0).Int(0);
             },
             none),
         "tile count 1000000 does not fit"},
        {file(1, none, object(2, "TestObject", "post")), "object count 2 does not fit"},
        {file(6, none, object(1, "TestObject", "nothing")),
         "Object entity not found: TestObject - nothing"},
        // A tile class in the object block, and an object class in the tile block.
        {file(6, none, object(1, "TestTile", "floor")),
         "Object entity not found: TestTile - floor"},
        {file(5, tile("TestObject", "post", 0), none), "Tile entity not found: TestObject - post"},
        {{}, "header block"},
        {{12, 0, 0}, "header block"},
    };
    for (std::int32_t cell : {12, -1, 0x7FFFFFFF})
        cases.push_back(
            {file(5, tile("TestTile", "floor", cell), none), "outside the grid: TestTile - floor"});
    LevelBytes past;
    past.Int(1).Int(6).Int(1).EndBlock();
    past.Int(1).EndBlockWithLength(0xFFFFFFF0u);
    cases.push_back({past.Bytes(), "property block runs past the end"});
    for (std::uint8_t version : {0, 7, 255}) {
        std::vector<std::uint8_t> bytes = FileOfVersion(6);
        bytes[8] = version;
        cases.push_back({bytes, "Unknown level version"});
    }
    cases.push_back({FileOfVersion(6), "Unknown level format 2"});
    cases.back().first[4] = 2;
    for (const auto& [bytes, error] : cases) {
        SCOPED_TRACE(error);
        ExpectRefused(bytes, error);
    }
}

TEST_F(DamagedLevelTest, TruncatedFilesAreRefused) {
    const std::vector<std::uint8_t> whole = FileOfVersion(6);
    for (std::size_t cut = 1; cut < whole.size(); cut += 7) {
        SCOPED_TRACE(cut);
        PyxLevel level;
        const std::vector<std::uint8_t> part(whole.begin(), whole.begin() + cut);
        EXPECT_EQ(Load(level, part), 0);
        EXPECT_FALSE(level.ErrorText().empty());
    }
}

TEST_F(DamagedLevelTest, AbsurdGridsAreRefusedButTheLimitsThemselvesLoad) {
    const auto file = [](const std::int32_t(&grid)[6]) {
        LevelBytes b;
        b.Int(1).Int(1).Int(1).EndBlock();
        for (std::int32_t value : grid)
            b.Int(value);
        b.EndBlock().UInt(0).EndBlock().UInt(0).EndBlock();
        return b.Bytes();
    };
    const std::int32_t absurd[][6] = {{0, 3, 56, 56, 0, 0},     {3, 0, 56, 56, 0, 0},
                                      {-1, 3, 56, 56, 0, 0},    {65, 3, 56, 56, 0, 0},
                                      {3, 3, 0, 56, 0, 0},      {3, 3, 56, -56, 0, 0},
                                      {3, 3, 56, 56, 99999, 0}, {3, 3, 5000, 56, 0, 0}};
    for (const auto& grid : absurd)
        ExpectRefused(file(grid), "Level grid out of range");
    const std::int32_t limits[][6] = {{1, 1, 1, 1, 0, 0}, {64, 64, 1024, 1024, 0, 0}};
    for (const auto& grid : limits) {
        PyxLevel level;
        EXPECT_EQ(Load(level, file(grid)), 1) << level.ErrorText();
    }
}

TEST_F(DamagedLevelTest, UnknownClassWritesLoadErrorAndKeepsWhatWasMade) {
    LevelBytes b;
    b.Int(1).Int(6).Int(1).EndBlock();
    Properties(b, 1);
    b.EndBlock();
    b.UInt(2).Str("TestTile").Str("floor").Int(0).Int(0).Int(0).Float(0).Float(0);
    b.Str("PyxNoSuchTile").Str("grass").Int(40).Int(0).Int(1).Float(0).Float(0).EndBlock();
    b.UInt(0).EndBlock();
    PyxLevel level;
    EXPECT_EQ(Load(level, b.Bytes()), 0);
    EXPECT_EQ(level.ErrorText(), "Tile entity not found: PyxNoSuchTile - grass");
    EXPECT_NE(level.TileAt(0), nullptr);

    LevelBytes expected;
    expected.Str("Tile Entity in level is not registered - ")
        .Str("Class = PyxNoSuchTile - ")
        .Str("Class = grass")
        .EndBlockWithLength(0);
    const std::vector<std::uint8_t> want(expected.Bytes().begin() + 4, expected.Bytes().end());
    const std::string written = ReadText(DataFile("LoadError.txt"));
    EXPECT_EQ(std::vector<std::uint8_t>(written.begin(), written.end()), want);
}

} // namespace
} // namespace fieldtest
