// The board-object base: the update that keeps the drawing rectangle and the shape in
// step with the centre, placement, the collision normal and the object record.
#include <gtest/gtest.h>

#include "game/field/FieldTestSupport.h"

namespace fieldtest {
namespace {

class GameObjectTest : public FieldTest {
protected:
    void SetUp() override {
        FieldTest::SetUp();
        level_.SetupGrid(4, 4, 56, 50, 10, 20);
        events_.level = &level_;
    }

    std::unique_ptr<TestObject> Make(const std::string& type) {
        std::unique_ptr<QxEntityBase> entity = registry_.Create("TestObject", type, kKindAny);
        return std::unique_ptr<TestObject>(static_cast<TestObject*>(entity.release()));
    }

    PyxLevel level_;
};

TEST_F(GameObjectTest, StartsWithTheTypesRadiusAndHeight) {
    auto ball = Make("ball");
    const auto* circle = dynamic_cast<const PyxBlockCircle*>(ball->GetShape());
    ASSERT_NE(circle, nullptr);
    EXPECT_FLOAT_EQ(circle->Radius(), 10.0f);
    EXPECT_FLOAT_EQ(ball->Height(), 0.4f);
    EXPECT_EQ(ball->Alpha(), 255);
    EXPECT_EQ(ball->Flags(), 0u);
    EXPECT_EQ(ball->Cell(), -1);
    EXPECT_EQ(Make("effect")->ObjectType()->Height(), PyxEntityGameObjectType::kUnsetHeight);
}

TEST_F(GameObjectTest, UpdateRecomputesTheDrawingPositionOnlyWhenMoved) {
    auto ball = Make("ball"); // drawn 20 x 20
    ball->SetPosition(100.0f, 60.0f);
    ball->Update(16.0f);
    EXPECT_EQ(ball->DrawX(), 10 + 100 - 10);
    EXPECT_EQ(ball->DrawY(), 20 + 60 - 10);
    EXPECT_EQ(ball->DrawnRect(), (QxRect{100, 120, 70, 90}));
    EXPECT_TRUE(ball->Type()->IsLoaded());

    ball->SetDrawPosition(0, 0);
    ball->Update(16.0f); // not moved: kept
    EXPECT_EQ(ball->DrawX(), 0);

    ball->SetPosition(100.5f, 60.0f);
    ball->Update(16.0f);
    EXPECT_EQ(ball->DrawX(), 100);
}

TEST_F(GameObjectTest, ObjectWithoutSizeNeverGetsADrawnRectangle) {
    auto post = Make("post");
    post->SetPosition(30.0f, 40.0f);
    post->Update(16.0f);
    EXPECT_EQ(post->DrawnRect(), QxRect());
    const auto* circle = static_cast<const PyxBlockCircle*>(post->GetShape());
    EXPECT_FLOAT_EQ(circle->X(), 30.0f);
    EXPECT_FLOAT_EQ(circle->Y(), 40.0f);
}

TEST_F(GameObjectTest, PlaceAtCellUsesIntegerHalvesOfTheCell) {
    level_.SetupGrid(4, 4, 55, 51, 0, 0);
    auto ball = Make("ball");
    ball->PlaceAtCell(2, 3);
    EXPECT_FLOAT_EQ(ball->X(), 2 * 55 + 27);
    EXPECT_FLOAT_EQ(ball->Y(), 3 * 51 + 25);
    ball->PlaceAtCell(0x7FFFFFFF, -0x7FFFFFFF); // a start cell from a damaged level
    EXPECT_FLOAT_EQ(ball->X(), 0x7FFFFFFF * 55.0f + 27.0f);
    EXPECT_FLOAT_EQ(ball->Y(), -0x7FFFFFFF * 51.0f + 25.0f);
}

TEST_F(GameObjectTest, CollisionNormalPointsToTheOtherCentre) {
    auto a = Make("post");
    auto b = Make("ball");
    a->SetPosition(10.0f, 10.0f);
    b->SetPosition(13.0f, 14.0f);
    const PyxVector n = a->CollisionNormal(b.get());
    EXPECT_FLOAT_EQ(n.x, 0.6f);
    EXPECT_FLOAT_EQ(n.y, 0.8f);
    b->SetPosition(10.0f, 10.0f);
    EXPECT_EQ(a->CollisionNormal(b.get()), PyxVector());
}

TEST_F(GameObjectTest, CopyPlacementMovesBetweenTilesAndCopiesTheCentre) {
    Floor(level_);
    auto a = Make("ball");
    auto b = Make("ball");
    level_.TileAt(0)->AddObject(a.get());
    b->SetPosition(200.0f, 170.0f);
    level_.TileAt(15)->AddObject(b.get());
    a->CopyPlacement(kCopyCentre, b.get());
    EXPECT_FLOAT_EQ(a->X(), 200.0f);
    EXPECT_EQ(a->Cell(), 0);
    a->CopyPlacement(kCopyCell, b.get());
    EXPECT_EQ(a->Cell(), 15);
    EXPECT_EQ(level_.TileAt(0)->ObjectCount(), 0u);
    EXPECT_EQ(level_.TileAt(15)->ObjectCount(), 2u);
}

TEST_F(GameObjectTest, ObjectRecordHoldsDrawingPositionAndTruncatedCentre) {
    auto ball = Make("ball");
    ball->SetPosition(12.75f, -3.5f);
    ball->SetDrawPosition(7, 8);
    QxBuffer out;
    EXPECT_EQ(ball->SaveToLevel(out), 16u);
    LevelBytes expected;
    expected.Int(7).Int(8).Int(12).Int(-3).EndBlockWithLength(0);
    EXPECT_EQ(WrittenBytes(out),
              std::vector<std::uint8_t>(expected.Bytes().begin() + 4, expected.Bytes().end()));

    auto copy = Make("ball");
    out.Seek(QxFile::kSeekStart, 0);
    PyxLevelHeader header;
    EXPECT_TRUE(copy->LoadFromLevel(out, &header));
    EXPECT_EQ(copy->DrawX(), 7);
    EXPECT_FLOAT_EQ(copy->X(), 12.0f);
    EXPECT_FLOAT_EQ(copy->Y(), -3.0f);
}

TEST_F(GameObjectTest, WildPositionsGiveDefinedPixels) {
    EXPECT_EQ(BoardPixel(1.0e20f), 1000000000);
    EXPECT_EQ(BoardPixel(-1.0e20f), -1000000000);
    EXPECT_EQ(BoardPixel(std::nanf("")), 0);
    EXPECT_EQ(BoardPixel(-2.9f), -2);
}

} // namespace
} // namespace fieldtest
