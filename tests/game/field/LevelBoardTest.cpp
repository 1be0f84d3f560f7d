// The running board: free cells, spawning balls, tile lists, removing objects, and
// pixels of wild positions.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "app/QxRandom.h"
#include "game/field/FieldTestSupport.h"

namespace fieldtest {
namespace {

class LevelBoardTest : public FieldTest {
protected:
    void SetUp() override {
        FieldTest::SetUp();
        events_.level = &level_;
        SeedRandom(1234);
    }

    PyxLevel level_;
};

TEST_F(LevelBoardTest, FreeCellPositionMasks) {
    level_.SetupGrid(5, 4, 56, 56, 0, 0);
    Floor(level_);
    std::set<std::pair<int, int>> every;
    std::set<std::pair<int, int>> interior;
    for (int i = 0; i < 2000; ++i) {
        std::int32_t col = -1;
        std::int32_t row = -1;
        if (level_.FindFreeTile(kSpawnAnyCell, kTileFloor, nullptr, col, row))
            every.insert({col, row});
        ASSERT_TRUE(level_.FindFreeTile(kSpawnInterior, kTileFloor, nullptr, col, row));
        interior.insert({col, row});
    }
    EXPECT_EQ(every.size(), 20u);
    EXPECT_EQ(interior.size(), 6u);
    for (const auto& [col, row] : interior) {
        EXPECT_TRUE(col > 0 && col < 4 && row > 0 && row < 3) << col << "," << row;
    }

    // Only the last column: bit 0x8, with the corner also allowed by 0x10.
    std::set<std::pair<int, int>> last;
    for (int i = 0; i < 500; ++i) {
        std::int32_t col = -1;
        std::int32_t row = -1;
        if (level_.FindFreeTile(kSpawnLastColumn, kTileFloor, nullptr, col, row))
            last.insert({col, row});
    }
    EXPECT_EQ(last, (std::set<std::pair<int, int>>{{4, 1}, {4, 2}, {4, 3}}));
}

// Of two floor cells only the second is free: the first is the start of a fixed exit,
// or holds an award (the post on the second takes no room).
TEST_F(LevelBoardTest, AFixedExitsStartAndCellsWithBallsOrAwardsAreNotFree) {
    for (const bool fixedExit : {true, false}) {
        SCOPED_TRACE(fixedExit);
        PyxLevel level;
        events_.level = &level;
        level.SetupGrid(2, 1, 56, 56, 0, 0);
        Floor(level);
        if (fixedExit) {
            level.Properties().ExitMode = 1;
            level.Properties().ExitAtRandomTile = false;
            level.Properties().StartCol = 0;
        } else {
            level.AddObjectAt(28.0f, 28.0f, "TestObject", "award", true);
            level.AddObjectAt(84.0f, 28.0f, "TestObject", "post", true);
        }
        for (int i = 0; i < 100; ++i) {
            std::int32_t col = -1;
            std::int32_t row = -1;
            ASSERT_TRUE(level.FindFreeTile(kSpawnAnyCell, kTileFloor, nullptr, col, row));
            EXPECT_EQ(col, 1);
        }
    }
    events_.level = &level_;
}

TEST_F(LevelBoardTest, TileListsHoldObjectsStrictlyWithin28Pixels) {
    level_.SetupGrid(3, 3, 56, 56, 0, 0);
    Floor(level_);
    // Cell (1, 1) spans 56..112; widened it spans 28..140.
    level_.AddObjectAt(28.0f, 84.0f, "TestObject", "post", false);  // on the edge: out
    level_.AddObjectAt(28.5f, 84.0f, "TestObject", "post", false);  // in (1,1) and (0,1)
    level_.AddObjectAt(140.0f, 84.0f, "TestObject", "post", false); // on the edge: out
    level_.AddObjectAt(60.0f, 60.0f, "TestObject", "post", false);  // near four cells
    level_.ActivateObjects(false);
    const PyxEntityTileBase* middle = level_.TileAtCell(1, 1);
    ASSERT_EQ(middle->ObjectCount(), 2u);
    EXPECT_FLOAT_EQ(middle->Objects()[0]->X(), 28.5f);
    EXPECT_FLOAT_EQ(middle->Objects()[1]->X(), 60.0f);
    // Listed by (0,0), (1,0), (0,1) and (1,1); the last one is its cell.
    PyxEntityGameObject* corner = level_.Objects()[3].entity.get();
    for (auto [col, row] : {std::pair{0, 0}, {1, 0}, {0, 1}}) {
        const auto& list = level_.TileAtCell(col, row)->Objects();
        EXPECT_NE(std::find(list.begin(), list.end(), corner), list.end()) << col << row;
    }
    EXPECT_EQ(corner->Cell(), 4);
    EXPECT_EQ(level_.TileAtCell(2, 1)->ObjectCount(), 1u); // 140,84 lies inside (2,1) only
    EXPECT_EQ(level_.TileAtCell(2, 2)->ObjectCount(), 0u);
}

TEST_F(LevelBoardTest, RemovedObjectsAreDeletedAndForgottenByEveryTile) {
    level_.SetupGrid(2, 2, 56, 56, 0, 0);
    Floor(level_);
    level_.AddObjectAt(56.0f, 56.0f, "TestObject", "post", false);
    level_.AddObjectAt(20.0f, 20.0f, "TestObject", "post", false);
    level_.ActivateObjects(false);
    EXPECT_EQ(level_.TileAt(3)->ObjectCount(), 1u);
    level_.Objects()[0].entity->AddFlags(kObjectRemoved);
    level_.DeleteRemovedObjects();
    ASSERT_EQ(level_.Objects().size(), 1u);
    EXPECT_FLOAT_EQ(level_.Objects()[0].startX, 20.0f);
    EXPECT_EQ(level_.TileAt(3)->ObjectCount(), 0u);
    EXPECT_EQ(level_.TileAt(0)->ObjectCount(), 1u);
}

TEST_F(LevelBoardTest, WildPositionsGiveDefinedPixels) {
    EXPECT_EQ(BoardPixel(1.0e20f), 1000000000);
    EXPECT_EQ(BoardPixel(-1.0e20f), -1000000000);
    EXPECT_EQ(BoardPixel(std::nanf("")), 0);
    EXPECT_EQ(BoardPixel(-2.9f), -2);
}

} // namespace
} // namespace fieldtest
