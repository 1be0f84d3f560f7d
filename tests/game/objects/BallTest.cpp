// Ball motion: sub-steps, the board's edges, tile lists, the five-cell collision scan,
// and the responses to posts, awards and other balls.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "game/objects/BallTestSupport.h"

namespace balltest {
namespace {

constexpr float kEps = 1e-4f;

class BallTest : public BoardTest {
protected:
    void SetUp() override {
        BoardTest::SetUp();
        Define("class PyxSpriteBall\ntype plain\nRadius 10\nRollSound sfx/roll.wav\n"
               "HitWallSound sfx/wall.wav\nHitGearSound sfx/gear.wav\nHitBallSound sfx/ball.wav\n"
               "TurnSound sfx/turn.wav\nLoseCoinsSound sfx/coins.wav\n");
        Define("class PyxAnimPost\ntype peg\nRadius 5\n");
        Define("class PyxAnimPost\ntype pin\nRadius 1\n");
        Define("class PyxAnimPost\ntype gear\nRadius 5\nGear 1\n");
        WriteFrames("gfx/block.ims", 20, 20, {QxColour(200, 0, 0)});
        Define("class PyxAnimPost\ntype diagonal\nShape Rect\nNormX -1\nNormY -1\n"
               "Image gfx/block.ims\n");
        Define("class PyxAnimPost\ntype flat\nShape Rect\nImage gfx/block.ims\n");
        Define("class Probe\ntype watch\n");
        Define("class PyxAnimAward\ntype coin\n");
        Board(6, 6);
    }

    PyxEntityBallBase* Ball(float x, float y, float dx, float dy, float speed,
                            const std::string& type = "plain") {
        return Roll("PyxSpriteBall", type, x, y, dx, dy, speed);
    }
    Probe* Watch(float x, float y) { return Place<Probe>("Probe", "watch", x, y); }
};

// ---- sub-steps --------------------------------------------------------------------

TEST_F(BallTest, AFastBallCannotJumpOverAThinPost) {
    PyxEntityBallBase* ball = Ball(28, 28, 1, 0, PyxEntityBallBase::kTopSpeed);
    Place("PyxAnimPost", "pin", 48, 28);
    ball->Update(100.0f); // one jump of 33.6 would land beyond the pin
    EXPECT_EQ(ball->Direction(), (PyxVector{-1, 0}));
    EXPECT_LT(ball->X(), 48.0f - 11.0f + 3.0f);
    EXPECT_EQ(sound_.played, (std::vector<std::string>{"roll (loop)", "wall"}));
}

// ---- the board's edges and lanes ---------------------------------------------------

TEST_F(BallTest, StaysInsideTheInnerRectangle) {
    PyxEntityBallBase* right = Ball(330, 28, 1, 0, 0.3f);
    right->Update(100.0f);
    EXPECT_EQ(right->X(), 335.0f); // right edge 336, less one

    PyxEntityBallBase* left = Ball(2, 84, -1, 0, 0.3f);
    left->Update(100.0f);
    EXPECT_EQ(left->X(), 0.0f);

    PyxEntityBallBase* down = Ball(140, 330, 0, 1, 0.3f);
    down->Update(100.0f);
    EXPECT_EQ(down->Y(), 335.0f);
    EXPECT_EQ(down->Cell(), 5 * 6 + 2);
}

TEST_F(BallTest, ChangingCellMovesTheBallBetweenTileListsAndTellsTheRules) {
    PyxEntityBallBase* ball = Ball(50, 28, 1, 0, 0.3f);
    ASSERT_EQ(ball->Cell(), 0);
    ball->Update(20.0f); // to x 56: cell 1
    const auto& first = level_->TileAt(0)->Objects();
    const auto& second = level_->TileAt(1)->Objects();
    EXPECT_EQ(std::count(first.begin(), first.end(), ball), 0);
    EXPECT_EQ(std::count(second.begin(), second.end(), ball), 1);
    EXPECT_EQ(ball->Cell(), 1);
    ASSERT_EQ(events_.entered.size(), 1u);
    EXPECT_EQ(events_.entered[0].first, ball);
    EXPECT_EQ(events_.enteredCells, (std::vector<std::int32_t>{1}));

    ball->Update(20.0f); // same cell: nothing new
    EXPECT_EQ(events_.entered.size(), 1u);
}

// ---- the collision scan ------------------------------------------------------------

struct ScanCase {
    PyxVector direction;
    std::vector<std::pair<int, int>> cells; // offsets from the ball's cell, in order
};

class BallScanTest : public BallTest, public testing::WithParamInterface<ScanCase> {};

TEST_P(BallScanTest, VisitsItsCellThenFourAheadInOrder) {
    Board(7, 7);
    const ScanCase& scan = GetParam();
    PyxEntityBallBase* ball = Ball(Centre(3), Centre(3), scan.direction.x, scan.direction.y, 0.05f);
    std::vector<const Probe*> order;
    std::map<const Probe*, std::pair<int, int>> where;
    for (int row = 0; row < 7; ++row) {
        for (int col = 0; col < 7; ++col) {
            Probe* probe = Watch(Centre(col), Centre(row));
            probe->order = &order;
            where[probe] = {col - 3, row - 3};
        }
    }
    ball->Update(20.0f); // one pixel: one sub-step, same cell
    std::vector<std::pair<int, int>> visited;
    for (const Probe* probe : order)
        visited.push_back(where[probe]);
    EXPECT_EQ(visited, scan.cells);
}

INSTANTIATE_TEST_SUITE_P(
    Directions, BallScanTest,
    testing::Values(ScanCase{{1, 0}, {{0, 0}, {1, 0}, {2, 0}, {1, 1}, {1, -1}}},
                    ScanCase{{-1, 0}, {{0, 0}, {-1, 0}, {-2, 0}, {-1, -1}, {-1, 1}}},
                    ScanCase{{0, 1}, {{0, 0}, {0, 1}, {0, 2}, {-1, 1}, {1, 1}}},
                    ScanCase{{0, -1}, {{0, 0}, {0, -1}, {0, -2}, {1, -1}, {-1, -1}}}));

// ---- responses --------------------------------------------------------------------

TEST_F(BallTest, PostsSendBallsBackTurnThemOrLetThemPass) {
    // Each case on a fresh board row: the post ahead of a ball rolling at 0.1.
    const struct {
        float dx, dy;     // the ball's direction
        const char* post; // PyxAnimPost type
        float offX, offY; // the post from the ball
        PyxVector after;  // the direction after 10 ms
        bool wall;        // whether the wall sound played
    } cases[] = {
        {1, 0, "peg", 15, 0, {-1, 0}, true},      // dead centre: straight back
        {1, 0, "diagonal", 20, 0, {0, -1}, true}, // a right angle
        {0, 1, "diagonal", 0, 20, {-1, 0}, true},
        {-1, 0, "diagonal", -20, 0, {-1, 0}, false}, // its back lets balls through
        {0, -1, "diagonal", 0, -20, {0, -1}, false},
        {1, 0, "flat", 12, 0, {1, 0}, false}, // a rectangle without normal
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.post) + " " + std::to_string(c.dx) + "," + std::to_string(c.dy));
        Board(6, 6);
        sound_.played.clear();
        PyxEntityBallBase* ball = Ball(Centre(2), Centre(2), c.dx, c.dy, 0.1f);
        Place("PyxAnimPost", c.post, Centre(2) + c.offX, Centre(2) + c.offY);
        ball->Update(10.0f);
        EXPECT_EQ(ball->Direction(), c.after);
        EXPECT_EQ(std::count(sound_.played.begin(), sound_.played.end(), "wall"), c.wall ? 1 : 0);
    }
}

TEST_F(BallTest, AGearSoundsDifferentAndShowsItsHintToThePlayerOnly) {
    PyxEntityBallBase* other = Ball(28, 28, 1, 0, 0.1f);
    Place("PyxAnimPost", "gear", 43, 28);
    other->Update(10.0f);
    EXPECT_EQ(sound_.Last(), "gear");
    EXPECT_TRUE(events_.hints.empty());

    PyxEntityBallBase* player = Ball(Centre(3), Centre(3), 1, 0, 0.1f);
    player->AddFlags(kObjectPlayer);
    Place("PyxAnimPost", "gear", Centre(3) + 15, Centre(3));
    player->Update(10.0f);
    EXPECT_EQ(events_.hints, (std::vector<std::int32_t>{6}));
    EXPECT_EQ(player->Direction(), (PyxVector{-1, 0}));
}

TEST_F(BallTest, BallsTheRulesLetBounceReverse) {
    PyxEntityBallBase* ball = Ball(28, 28, 1, 0, 0.1f);
    PyxEntityBallBase* other = Ball(48, 28, 1, 0, 0.0f);
    ball->Update(10.0f);
    ASSERT_EQ(events_.touches.size(), 1u);
    EXPECT_EQ(events_.touches[0].first, ball);
    EXPECT_EQ(events_.touches[0].second, other);
    EXPECT_EQ(ball->Direction(), (PyxVector{-1, 0}));
    EXPECT_EQ(sound_.Last(), "ball");

    // Still overlapping but moving away from the other ball: no contact at all.
    ball->Update(5.0f);
    EXPECT_NEAR(ball->X(), 28.5f, kEps);
    EXPECT_EQ(events_.touches.size(), 1u);
}

TEST_F(BallTest, AnAwardIsTouchedAndTheBallRollsOn) {
    PyxEntityBallBase* ball = Ball(28, 28, 1, 0, 0.1f);
    auto* coin = Place<PyxEntityAwardBase>("PyxAnimAward", "coin", 50, 28);
    ball->Update(10.0f);
    ASSERT_EQ(events_.awards.size(), 1u);
    EXPECT_EQ(events_.awards[0].first, coin);
    EXPECT_EQ(events_.awards[0].second, ball);
    EXPECT_TRUE(coin->HasFlags(kObjectRemoved));
    EXPECT_EQ(coin->State(), PyxEntityAwardBase::kGone);
    EXPECT_EQ(ball->Direction(), (PyxVector{1, 0}));
}

// Its eyes follow the way it rolls: right, left, up, down.
TEST_F(BallTest, ACharacterBallLooksWhereItRolls) {
    WriteImageList("gfx/face.ims", {Disc(20, Rgb555(QxColour(0, 0, 255)))});
    Define("class PyxCharacterBall\ntype face\nImage gfx/face.ims\nRadius 10\n");
    const PyxVector ways[] = {{1, 0}, {-1, 0}, {0, -1}, {0, 1}};
    for (int i = 0; i < 4; ++i) {
        auto* face = Roll<PyxEntityCharacterBall>("PyxCharacterBall", "face", Centre(i + 1),
                                                  Centre(2), ways[i].x, ways[i].y, 0.1f);
        face->Update(0.0f);
        EXPECT_EQ(face->DirectionIndex(), i + 1);
    }
}

} // namespace
} // namespace balltest
