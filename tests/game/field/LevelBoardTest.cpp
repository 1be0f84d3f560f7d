// The running board: grid arithmetic, free cells, spawning and turning balls, adding,
// activating and releasing objects, tile lists and the height order.
#include <gtest/gtest.h>

#include <set>

#include "game/field/FieldTestSupport.h"
#include "app/QxRandom.h"

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

TEST_F(LevelBoardTest, SetupGridComputesTheRectanglesAndAnEmptyTable) {
    level_.SetupGrid(8, 6, 56, 50, 10, 20);
    EXPECT_EQ(level_.CellCount(), 48);
    EXPECT_EQ(level_.InnerRect(), (QxRect{0, 448, 0, 300}));
    EXPECT_EQ(level_.OuterRect(), (QxRect{-10, 458, -20, 320}));
    for (std::int32_t i = 0; i < 48; ++i)
        EXPECT_EQ(level_.TileAt(i), nullptr);

    level_.SetupGrid(0, 6, 56, 50, 0, 0);
    EXPECT_EQ(level_.CellCount(), 0);
    EXPECT_EQ(level_.TileAt(0), nullptr);
}

TEST_F(LevelBoardTest, TileIndexIsRowMajorAndFloored) {
    level_.SetupGrid(8, 6, 56, 50, 0, 0);
    EXPECT_EQ(level_.TileIndexAt(0.0f, 0.0f), 0);
    EXPECT_EQ(level_.TileIndexAt(55.9f, 49.9f), 0);
    EXPECT_EQ(level_.TileIndexAt(56.0f, 0.0f), 1);
    EXPECT_EQ(level_.TileIndexAt(0.0f, 50.0f), 8);
    EXPECT_EQ(level_.TileIndexAt(447.0f, 299.0f), 47);
    // Not bounds-checked: a point left of the board floors to the previous row's end.
    EXPECT_EQ(level_.TileIndexAt(-1.0f, 60.0f), 7);
    EXPECT_EQ(level_.TileIndexAt(-1.0f, 0.0f), -1);
    EXPECT_EQ(level_.TileIndexAt(1.0e30f, 0.0f), -1);
    EXPECT_EQ(level_.TileIndexAt(std::nanf(""), 0.0f), -1);
    EXPECT_EQ(level_.TileAt(-1), nullptr);
    EXPECT_EQ(level_.TileAt(48), nullptr);
    EXPECT_EQ(level_.TileAtCell(8, 0), nullptr);
}

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

TEST_F(LevelBoardTest, OneCellGridIsTheFirstColumnAndRow) {
    level_.SetupGrid(1, 1, 56, 56, 0, 0);
    Floor(level_);
    std::int32_t col = -1;
    std::int32_t row = -1;
    EXPECT_FALSE(level_.FindFreeTile(kSpawnInterior | kSpawnLastColumn | kSpawnLastRow, kTileFloor,
                                     nullptr, col, row));
    EXPECT_TRUE(level_.FindFreeTile(kSpawnFirstRow, kTileFloor, nullptr, col, row));
    EXPECT_EQ(col, 0);
    EXPECT_EQ(row, 0);
}

TEST_F(LevelBoardTest, GridWithoutCellsFindsNothingAndDrawsNoRandomNumbers) {
    std::int32_t col = 7;
    std::int32_t row = 7;
    SeedRandom(99);
    const std::uint32_t expected = RandomUInt32();
    SeedRandom(99);
    EXPECT_FALSE(level_.FindFreeTile(kSpawnAnyCell, kTileFloor, nullptr, col, row));
    EXPECT_EQ(RandomUInt32(), expected);
    EXPECT_EQ(col, 7);
    EXPECT_EQ(row, 7);
}

TEST_F(LevelBoardTest, TileMaskSkipsSinksTrapsAndEmptyCells) {
    level_.SetupGrid(3, 3, 56, 56, 0, 0);
    PutTile(level_, 0, "sink");
    PutTile(level_, 1, "trap");
    PutTile(level_, 4, "floor");
    EXPECT_EQ(level_.TileAt(1)->KindBits(), 6u);
    for (int i = 0; i < 200; ++i) {
        std::int32_t col = -1;
        std::int32_t row = -1;
        if (level_.FindFreeTile(kSpawnAnyCell, kTileFloor, nullptr, col, row)) {
            EXPECT_EQ(col, 1);
            EXPECT_EQ(row, 1);
        }
        if (level_.FindFreeTile(kSpawnAnyCell, kTileSink, nullptr, col, row)) {
            EXPECT_EQ(row, 0);
        }
        if (level_.FindFreeTile(kSpawnAnyCell, kTileTrap, nullptr, col, row)) {
            EXPECT_EQ(col, 1);
            EXPECT_EQ(row, 0);
        }
    }
}

TEST_F(LevelBoardTest, StartTileIsNotFreeForAFixedExit) {
    level_.SetupGrid(2, 1, 56, 56, 0, 0);
    Floor(level_);
    level_.Properties().ExitMode = 1;
    level_.Properties().ExitAtRandomTile = false;
    level_.Properties().StartCol = 0;
    for (int i = 0; i < 100; ++i) {
        std::int32_t col = -1;
        std::int32_t row = -1;
        if (level_.FindFreeTile(kSpawnAnyCell, kTileFloor, nullptr, col, row)) {
            EXPECT_EQ(col, 1);
        }
    }
}

TEST_F(LevelBoardTest, BallsAndAwardsOccupyACellPostsDoNot) {
    level_.SetupGrid(2, 1, 56, 56, 0, 0);
    Floor(level_);
    level_.AddObjectAt(28.0f, 28.0f, "TestObject", "award", true);
    level_.AddObjectAt(84.0f, 28.0f, "TestObject", "post", true);
    for (int i = 0; i < 100; ++i) {
        std::int32_t col = -1;
        std::int32_t row = -1;
        ASSERT_TRUE(level_.FindFreeTile(kSpawnAnyCell, kTileFloor, nullptr, col, row));
        EXPECT_EQ(col, 1);
    }
}

TEST_F(LevelBoardTest, CandidateIsBlockedOnlyByWhatBlocksAndOverlaps) {
    level_.SetupGrid(2, 1, 56, 56, 0, 0);
    Floor(level_);
    // A post right on the centre of cell 0, and one in cell 1 far from its centre.
    auto* centred = AsTest(level_.AddObjectAt(28.0f, 28.0f, "TestObject", "post", true));
    level_.AddObjectAt(56.0f + 50.0f, 28.0f, "TestObject", "post", true);
    centred->Update(0.0f);
    level_.Objects()[1].entity->Update(0.0f);
    std::unique_ptr<QxEntityBase> entity = registry_.Create("TestObject", "ball", kKindAny);
    auto* candidate = AsTest(static_cast<PyxEntityGameObject*>(entity.get()));
    for (int i = 0; i < 50; ++i) {
        std::int32_t col = -1;
        std::int32_t row = -1;
        ASSERT_TRUE(level_.FindFreeTile(kSpawnAnyCell, kTileFloor, candidate, col, row));
        EXPECT_EQ(col, 1); // 22 pixels from the far post: radii 10 + 10 do not reach
        EXPECT_FLOAT_EQ(candidate->X(), 84.0f);
    }
    centred->blocking = false;
    std::set<int> cols;
    for (int i = 0; i < 50; ++i) {
        std::int32_t col = -1;
        std::int32_t row = -1;
        ASSERT_TRUE(level_.FindFreeTile(kSpawnAnyCell, kTileFloor, candidate, col, row));
        cols.insert(col);
    }
    EXPECT_EQ(cols.size(), 2u);
}

TEST_F(LevelBoardTest, SpawnBallRegistersAPlacedCountedBall) {
    level_.SetupGrid(4, 4, 56, 56, 0, 0);
    Floor(level_);
    PyxEntityGameObject* ball =
        level_.SpawnBall(0, 2, 3, 0.0f, -1.0f, 2.5f, "TestObject", "ball", true);
    ASSERT_NE(ball, nullptr);
    EXPECT_FLOAT_EQ(ball->X(), 140.0f);
    EXPECT_FLOAT_EQ(ball->Y(), 196.0f);
    EXPECT_EQ(AsTest(ball)->direction, (PyxVector{0.0f, -1.0f}));
    EXPECT_FLOAT_EQ(AsTest(ball)->targetSpeed, 56.0f * 2.5f / 1000.0f);
    EXPECT_EQ(AsTest(ball)->resets, 1);
    EXPECT_EQ(ball->Flags() & kObjectActiveBoth, kObjectActiveBoth);
    EXPECT_EQ(ball->Cell(), 14);
    ASSERT_EQ(level_.TileAt(14)->ObjectCount(), 1u);
    EXPECT_EQ(level_.TileAt(14)->Objects()[0], ball);
    EXPECT_EQ(level_.BallsSpawned(), 1);
    ASSERT_EQ(level_.Objects().size(), 1u);
    EXPECT_EQ(level_.Objects()[0].entity.get(), ball);

    PyxEntityGameObject* loose =
        level_.SpawnBall(0, 0, 0, 1.0f, 0.0f, 1.0f, "TestObject", "ball", false);
    ASSERT_NE(loose, nullptr);
    EXPECT_EQ(level_.BallsSpawned(), 1);
    EXPECT_EQ(level_.Objects().size(), 1u);
    EXPECT_EQ(level_.TileAt(0)->ObjectCount(), 0u);
}

TEST_F(LevelBoardTest, SpawnBallRefusesTypesThatAreNoBalls) {
    level_.SetupGrid(2, 2, 56, 56, 0, 0);
    Floor(level_);
    EXPECT_EQ(level_.SpawnBall(0, 0, 0, 1, 0, 1, "TestObject", "post", true), nullptr);
    EXPECT_EQ(level_.SpawnBall(0, 0, 0, 1, 0, 1, "TestObject", "missing", true), nullptr);
    EXPECT_EQ(level_.SpawnBall(0, 0, 0, 1, 0, 1, "TestTile", "floor", true), nullptr);
    EXPECT_EQ(level_.BallsSpawned(), 0);
    EXPECT_TRUE(level_.Objects().empty());
}

TEST_F(LevelBoardTest, SpawnStartBallUsesTheLevelPropertiesAndRandomDirections) {
    level_.SetupGrid(4, 4, 50, 50, 0, 0);
    Floor(level_);
    PyxLevelProperties& p = level_.Properties();
    p.BallClass = "TestObject";
    p.BallType = "ball";
    p.SpawnFlags = kSpawnAtFreeTile | kSpawnInterior | kSpawnRandomDirection;
    p.BallSpeed = 2.0f;
    std::set<std::pair<float, float>> directions;
    for (int i = 0; i < 4; ++i) {
        PyxEntityGameObject* ball = level_.SpawnStartBall(true);
        ASSERT_NE(ball, nullptr) << i;
        const PyxVector d = AsTest(ball)->direction;
        directions.insert({d.x, d.y});
        EXPECT_TRUE(ball->X() == 75.0f || ball->X() == 125.0f);
        EXPECT_TRUE(ball->Y() == 75.0f || ball->Y() == 125.0f);
        EXPECT_FLOAT_EQ(AsTest(ball)->targetSpeed, 0.1f);
    }
    // Four interior cells, now all holding a ball: no free cell is left.
    EXPECT_EQ(level_.SpawnStartBall(true), nullptr);
    EXPECT_EQ(level_.BallsSpawned(), 4);
    for (const auto& [x, y] : directions)
        EXPECT_EQ(std::fabs(x) + std::fabs(y), 1.0f);
}

TEST_F(LevelBoardTest, TurnBallToSnapsWithinTheTolerance) {
    level_.SetupGrid(4, 4, 56, 56, 0, 0);
    PyxEntityGameObject* ball = level_.AddObjectAt(84.0f, 100.0f, "TestObject", "ball", true);
    // Row 1's lane is y = 84: 16 pixels away.
    EXPECT_FALSE(level_.TurnBallTo(ball, 1.0f, 0.0f, 15.9f));
    EXPECT_FLOAT_EQ(ball->Y(), 100.0f);
    EXPECT_EQ(AsTest(ball)->direction, (PyxVector{1.0f, 0.0f}));
    AsTest(ball)->direction = {0.0f, 1.0f};
    EXPECT_TRUE(level_.TurnBallTo(ball, -1.0f, 0.0f, 16.0f));
    EXPECT_FLOAT_EQ(ball->Y(), 84.0f);
    EXPECT_EQ(AsTest(ball)->direction, (PyxVector{-1.0f, 0.0f}));
    // A vertical turn snaps x to the column's lane.
    ball->SetPosition(100.0f, 84.0f);
    EXPECT_TRUE(level_.TurnBallTo(ball, 0.0f, -1.0f, 100.0f));
    EXPECT_FLOAT_EQ(ball->X(), 84.0f);
    EXPECT_FLOAT_EQ(ball->Y(), 84.0f);
}

TEST_F(LevelBoardTest, AddObjectAtClampsToTheGridsOwnCells) {
    level_.SetupGrid(3, 3, 56, 56, 0, 0);
    Floor(level_);
    PyxEntityGameObject* far = level_.AddObjectAt(1000.0f, 1000.0f, "TestObject", "post", true);
    ASSERT_NE(far, nullptr);
    EXPECT_EQ(far->Cell(), 8);
    PyxEntityGameObject* before = level_.AddObjectAt(-30.0f, -30.0f, "TestObject", "post", true);
    EXPECT_EQ(before->Cell(), 0);
    EXPECT_EQ(before->Flags() & kObjectActiveBoth, kObjectActiveBoth);
    EXPECT_EQ(level_.AddObjectAt(1.0f, 1.0f, "TestObject", "post", false), nullptr);
    EXPECT_EQ(level_.AddObjectAt(1.0f, 1.0f, "TestObject", "gone", true), nullptr);
    EXPECT_EQ(level_.Objects().size(), 4u);
}

TEST_F(LevelBoardTest, HeightSortIsStableAndKeepsMissingObjectsLast) {
    level_.SetupGrid(2, 2, 56, 56, 0, 0);
    level_.AddObjectAt(1.0f, 0.0f, "TestObject", "award", true); // 0.6
    level_.AddObjectAt(2.0f, 0.0f, "TestObject", "post", false); // none yet
    level_.AddObjectAt(3.0f, 0.0f, "TestObject", "ball", true);  // 0.4
    level_.AddObjectAt(4.0f, 0.0f, "TestObject", "post", true);  // 0.2
    level_.AddObjectAt(5.0f, 0.0f, "TestObject", "ball", true);  // 0.4
    level_.AddObjectAt(6.0f, 0.0f, "TestObject", "post", true);  // 0.2
    level_.SortObjects();
    std::vector<float> order;
    for (const PyxLevelObjectRecord& record : level_.Objects())
        order.push_back(record.startX);
    EXPECT_EQ(order, (std::vector<float>{4, 6, 3, 5, 1, 2}));
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

TEST_F(LevelBoardTest, ActivateReleaseAndActivateAgainRebuildsFromTheRecords) {
    level_.SetupGrid(3, 3, 56, 56, 0, 0);
    Floor(level_);
    level_.AddObjectAt(84.0f, 84.0f, "TestObject", "post", false);
    level_.AddObjectAt(140.0f, 28.0f, "TestObject", "ball", false);
    level_.ActivateObjects(false);
    ASSERT_TRUE(level_.IsActive());
    PyxEntityGameObject* ball = level_.FindFirstBall();
    ASSERT_NE(ball, nullptr);
    EXPECT_EQ(AsTest(ball)->resets, 1);
    ball->SetPosition(10.0f, 10.0f);

    level_.ActivateObjects(false); // already active: nothing happens
    EXPECT_EQ(AsTest(ball)->resets, 1);

    level_.ReleaseObjects();
    EXPECT_FALSE(level_.IsActive());
    ASSERT_EQ(level_.Objects().size(), 2u);
    EXPECT_EQ(level_.Objects()[0].entity, nullptr);
    for (std::int32_t i = 0; i < level_.CellCount(); ++i)
        EXPECT_EQ(level_.TileAt(i)->ObjectCount(), 0u);

    level_.ActivateObjects(false);
    ball = level_.FindFirstBall();
    ASSERT_NE(ball, nullptr);
    EXPECT_FLOAT_EQ(ball->X(), 140.0f);
    EXPECT_FLOAT_EQ(ball->Y(), 28.0f);
    EXPECT_EQ(ball->Flags() & kObjectActiveBoth, kObjectActiveBoth);
    EXPECT_EQ(ball->Cell(), 2);

    level_.ActivateObjects(true); // restart: released and made anew
    EXPECT_NE(level_.FindFirstBall(), nullptr);
    EXPECT_EQ(AsTest(level_.FindFirstBall())->resets, 1);
}

TEST_F(LevelBoardTest, FindFirstBallSkipsPickupBalls) {
    level_.SetupGrid(2, 2, 56, 56, 0, 0);
    EXPECT_EQ(level_.FindFirstBall(), nullptr);
    EXPECT_EQ(level_.FindFirstPickupBall(), nullptr);
    PyxEntityGameObject* pickup = level_.AddObjectAt(1, 1, "TestObject", "pickup", true);
    level_.AddObjectAt(2, 2, "TestObject", "post", true);
    EXPECT_EQ(level_.FindFirstBall(), nullptr);
    PyxEntityGameObject* ball = level_.AddObjectAt(3, 3, "TestObject", "ball", true);
    EXPECT_EQ(level_.FindFirstBall(), ball);
    EXPECT_EQ(level_.FindFirstPickupBall(), pickup);
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

TEST_F(LevelBoardTest, TileUpdateDropsLeavingObjects) {
    level_.SetupGrid(1, 1, 56, 56, 0, 0);
    Floor(level_);
    PyxEntityGameObject* a = level_.AddObjectAt(10, 10, "TestObject", "ball", true);
    PyxEntityGameObject* b = level_.AddObjectAt(20, 20, "TestObject", "ball", true);
    a->AddFlags(kObjectLeaving);
    level_.Update(16.0f);
    ASSERT_EQ(level_.TileAt(0)->ObjectCount(), 1u);
    EXPECT_EQ(level_.TileAt(0)->Objects()[0], b);
    EXPECT_TRUE(level_.TileAt(0)->Type()->IsLoaded());
}

} // namespace
} // namespace fieldtest
