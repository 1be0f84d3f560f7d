// Ball motion: easing, sub-steps, the board's edges, lanes, tile lists, the five-cell
// collision scan, the responses to posts, awards and other balls, and the sounds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "game/objects/BallTestSupport.h"
#include "app/QxRandom.h"

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
        Define("class PyxSpriteBall\ntype quiet\nRadius 10\n");
        Define("class PyxAnimPost\ntype peg\nRadius 5\n");
        Define("class PyxAnimPost\ntype pin\nRadius 1\n");
        Define("class PyxAnimPost\ntype gear\nRadius 5\nGear 1\n");
        AddList("gfx/block.ims", {Picture(20, 20, Rgb(200, 0, 0))});
        Define("class PyxAnimPost\ntype diagonal\nShape Rect\nNormX -1\nNormY -1\n"
               "Image gfx/block.ims\n");
        Define("class PyxAnimPost\ntype flat\nShape Rect\nImage gfx/block.ims\n");
        Define("class Probe\ntype watch\nBlocks 0\n");
        Define("class PyxAnimAward\ntype coin\n");
        Define("class PyxFloatingScore\ntype floatingscore\n");
        AddList("gfx/ball.ims", {Disc(20, Rgb(0, 0, 255))});
        Define("class PyxPickupBall\ntype special\nImage gfx/ball.ims\nRadius 10\nPoints 250\n"
               "PickupSound sfx/pickup.wav\nHitWallSound sfx/wall.wav\n");
        Define("class PyxCharacterBall\ntype face\nImage gfx/ball.ims\nRadius 10\n");
        Board(6, 6);
    }

    PyxEntityBallBase* Ball(float x, float y, float dx, float dy, float speed,
                            const std::string& type = "plain") {
        return Roll("PyxSpriteBall", type, x, y, dx, dy, speed);
    }
    Probe* Watch(float x, float y, const PyxEntityGameObject* asker) {
        Probe* probe = Place<Probe>("Probe", "watch", x, y);
        probe->asker = asker;
        return probe;
    }
    static float Centre(int cell) { return float(cell * kCell + kCell / 2); }
};

// ---- speed -------------------------------------------------------------------------

TEST_F(BallTest, EasesUpByTwoStepsAndLandsOnTheTargetOrJustAbove) {
    PyxEntityBallBase* ball = Ball(28, 28, 0, 0, 0.0f);
    ball->SetTargetSpeed(0.2f);

    ball->SetSpeed(0.1f);
    ball->Update(0.0f);
    EXPECT_NEAR(ball->Speed(), 0.104f, kEps);

    ball->SetSpeed(0.1985f); // less than one step below: lands on the target exactly
    ball->Update(0.0f);
    EXPECT_EQ(ball->Speed(), 0.2f);

    ball->SetSpeed(0.197f); // between one and two steps below: ends above and stays
    ball->Update(0.0f);
    EXPECT_NEAR(ball->Speed(), 0.201f, kEps);
    ball->Update(0.0f);
    EXPECT_NEAR(ball->Speed(), 0.201f, kEps);
}

TEST_F(BallTest, CoastsToAStopOnceStopped) {
    PyxEntityBallBase* ball = Ball(28, 28, 1, 0, 0.1f);
    ball->Stop();
    ball->Update(0.0f);
    EXPECT_NEAR(ball->Speed(), 0.1f * 0.95f * 0.95f, 1e-6f);
    EXPECT_FALSE(ball->IsRolling());
}

TEST_F(BallTest, SpeedUpAndSlowDownStayBetweenTheirLimits) {
    PyxEntityBallBase* ball = Ball(28, 28, 1, 0, 0.3f);
    ball->SpeedUp();
    EXPECT_NEAR(ball->Speed(), 0.309f, kEps);
    ball->SetSpeed(0.33f);
    ball->SpeedUp();
    EXPECT_EQ(ball->Speed(), PyxEntityBallBase::kTopSpeed);
    ball->SetSpeed(0.4f); // above the limit: left alone
    ball->SpeedUp();
    EXPECT_EQ(ball->Speed(), 0.4f);

    ball->SetSpeed(0.142f);
    ball->SlowDown();
    EXPECT_EQ(ball->Speed(), PyxEntityBallBase::kLowSpeed);
    ball->SetSpeed(0.1f);
    ball->SlowDown();
    EXPECT_EQ(ball->Speed(), 0.1f);
}

TEST_F(BallTest, ABallAtRestDoesNotMoveButStillUpdatesItsPlace) {
    PyxEntityBallBase* ball = Ball(100, 28, 1, 0, 0.0f);
    ball->Stop();
    ball->Update(20.0f);
    EXPECT_EQ(ball->X(), 100.0f);
    EXPECT_EQ(ball->DrawnRect(), QxRect()); // no sprite: no size
    const auto* circle = static_cast<const PyxBlockCircle*>(ball->GetShape());
    EXPECT_EQ(circle->X(), 100.0f);
}

// ---- sub-steps --------------------------------------------------------------------

TEST_F(BallTest, MovesInSubStepsOfThreePixelsAndTestsAfterEach) {
    PyxEntityBallBase* ball = Ball(28, 28, 1, 0, PyxEntityBallBase::kTopSpeed);
    Probe* probe = Watch(40, 28, ball);
    ball->Update(20.0f); // 6.72 pixels: 3, 3 and 0.72
    ASSERT_EQ(probe->queries.size(), 3u);
    EXPECT_NEAR(probe->queries[0].x, 31.0f, kEps);
    EXPECT_NEAR(probe->queries[1].x, 34.0f, kEps);
    EXPECT_NEAR(probe->queries[2].x, 34.72f, kEps);
    EXPECT_NEAR(ball->X(), 34.72f, kEps);
}

TEST_F(BallTest, NoSubStepIsLongerThanThreePixels) {
    PyxEntityBallBase* ball = Ball(28, 28, 1, 0, PyxEntityBallBase::kTopSpeed);
    Probe* probe = Watch(Centre(2), 28, ball); // ahead of both cells the ball crosses
    ball->Update(100.0f);                      // 33.6 pixels
    ASSERT_EQ(probe->queries.size(), 12u);
    float last = 28.0f;
    for (const Probe::Query& query : probe->queries) {
        EXPECT_GT(query.x, last);
        EXPECT_LE(query.x - last, 3.0f + kEps);
        last = query.x;
    }
    EXPECT_NEAR(ball->X(), 61.6f, 1e-3f);
}

TEST_F(BallTest, AFastBallCannotJumpOverAThinPost) {
    PyxEntityBallBase* ball = Ball(28, 28, 1, 0, PyxEntityBallBase::kTopSpeed);
    Place("PyxAnimPost", "pin", 48, 28);
    ball->Update(100.0f); // one jump of 33.6 would land beyond the pin
    EXPECT_EQ(ball->Direction(), (PyxVector{-1, 0}));
    EXPECT_LT(ball->X(), 48.0f - 11.0f + 3.0f);
    EXPECT_EQ(sound_.played, (std::vector<std::string>{"roll (loop)", "wall"}));
}

TEST_F(BallTest, AWildFrameTimeEndsTheUpdate) {
    PyxEntityBallBase* ball = Ball(28, 28, 1, 0, 0.3f);
    ball->Update(INFINITY);
    ball->Update(NAN);
    ball->Update(-50.0f);
    EXPECT_EQ(ball->X(), 335.0f); // the first ran to the board's edge, the others nowhere
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

TEST_F(BallTest, EveryStepSnapsTheBallToItsLane) {
    PyxEntityBallBase* ball = Ball(28, 40, 1, 0, 0.1f);
    ball->Update(10.0f);
    EXPECT_EQ(ball->Y(), 28.0f);
    EXPECT_NEAR(ball->X(), 29.0f, kEps);
}

TEST_F(BallTest, TurnsOnlyWithinTheToleranceOfTheLane) {
    PyxEntityBallBase* ball = Ball(40, 28, 1, 0, 0.1f);
    EXPECT_TRUE(level_->TurnBallTo(ball, 0, 1, 16));
    EXPECT_EQ(ball->X(), 28.0f);
    EXPECT_EQ(ball->Direction(), (PyxVector{0, 1}));

    ball->SetPosition(48, 28); // 20 pixels off the column's centre
    EXPECT_FALSE(level_->TurnBallTo(ball, 0, -1, 16));
    EXPECT_EQ(ball->X(), 48.0f);
    EXPECT_EQ(ball->Direction(), (PyxVector{0, 1}));
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
    level_ = std::make_unique<PyxLevel>();
    events_.level = level_.get();
    Board(7, 7);
    const ScanCase& scan = GetParam();
    PyxEntityBallBase* ball = Ball(Centre(3), Centre(3), scan.direction.x, scan.direction.y, 0.05f);
    std::vector<const Probe*> order;
    std::map<const Probe*, std::pair<int, int>> where;
    for (int row = 0; row < 7; ++row) {
        for (int col = 0; col < 7; ++col) {
            Probe* probe = Watch(Centre(col), Centre(row), ball);
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

TEST_F(BallTest, TheScanSkipsCellsBeyondTheGrid) {
    PyxEntityBallBase* ball = Ball(Centre(5), Centre(0), 1, 0, 0.05f);
    std::vector<const Probe*> order;
    Probe* here = Watch(Centre(5), Centre(0), ball);
    Probe* below = Watch(Centre(5), Centre(1), ball); // not ahead: never asked
    here->order = &order;
    below->order = &order;
    ball->Update(20.0f);
    EXPECT_EQ(order, (std::vector<const Probe*>{here}));
}

// ---- responses --------------------------------------------------------------------

TEST_F(BallTest, ACircularPostHitDeadCentreSendsTheBallBack) {
    PyxEntityBallBase* ball = Ball(28, 28, 1, 0, 0.1f);
    Place("PyxAnimPost", "peg", 43, 28); // touching now: radii 10 + 5
    ball->Update(10.0f);
    EXPECT_EQ(ball->Direction(), (PyxVector{-1, 0}));
    EXPECT_EQ(sound_.Last(), "wall");
}

TEST_F(BallTest, ADiagonalPostTurnsTheBallByARightAngle) {
    PyxEntityBallBase* right = Ball(28, 28, 1, 0, 0.1f);
    Place("PyxAnimPost", "diagonal", 48, 28);
    right->Update(10.0f);
    EXPECT_EQ(right->Direction(), (PyxVector{0, -1}));

    PyxEntityBallBase* down = Ball(Centre(3), Centre(3), 0, 1, 0.1f);
    Place("PyxAnimPost", "diagonal", Centre(3), Centre(3) + 20);
    down->Update(10.0f);
    EXPECT_EQ(down->Direction(), (PyxVector{-1, 0}));
}

TEST_F(BallTest, BallsMeetingTheBackOfADiagonalPostPassThrough) {
    PyxEntityBallBase* left = Ball(Centre(2), Centre(2), -1, 0, 0.1f);
    Place("PyxAnimPost", "diagonal", Centre(2) - 20, Centre(2));
    PyxEntityBallBase* up = Ball(Centre(4), Centre(4), 0, -1, 0.1f);
    Place("PyxAnimPost", "diagonal", Centre(4), Centre(4) - 20);
    left->Update(10.0f);
    up->Update(10.0f);
    EXPECT_EQ(left->Direction(), (PyxVector{-1, 0}));
    EXPECT_EQ(up->Direction(), (PyxVector{0, -1}));
    EXPECT_EQ(std::count(sound_.played.begin(), sound_.played.end(), "wall"), 0);
}

TEST_F(BallTest, ARectangleWithoutNormalNeverTurnsABall) {
    PyxEntityBallBase* ball = Ball(28, 28, 1, 0, 0.1f);
    Place("PyxAnimPost", "flat", 40, 28);
    ball->Update(10.0f);
    EXPECT_EQ(ball->Direction(), (PyxVector{1, 0}));
}

TEST_F(BallTest, AReflectionAlongNoAxisStopsTheBall) {
    PyxEntityBallBase* ball = Ball(28, 28, 1, 0, 0.1f);
    ball->SetDirection({0.4f, 0.0f});
    Place("PyxAnimPost", "peg", 42, 28);
    ball->Update(10.0f); // reflects to (-0.4, 0): neither axis
    EXPECT_EQ(ball->Direction(), (PyxVector{0, 0}));
    const float x = ball->X();
    ball->Update(10.0f);
    EXPECT_EQ(ball->X(), x);
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

TEST_F(BallTest, ObjectsLeavingRemovedOrInactiveAreIgnored) {
    PyxEntityBallBase* ball = Ball(28, 28, 1, 0, 0.1f);
    PyxEntityGameObject* leaving = Place("PyxAnimPost", "peg", 43, 28);
    leaving->AddFlags(kObjectLeaving);
    ball->Update(10.0f);
    leaving->ClearFlags(kObjectLeaving | kObjectActive);
    ball->Update(10.0f);
    leaving->AddFlags(kObjectActive | kObjectRemoved);
    ball->Update(10.0f);
    EXPECT_EQ(ball->Direction(), (PyxVector{1, 0}));
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

TEST_F(BallTest, BallsTheRulesRefuseKeepGoing) {
    events_.bounceBalls = false;
    PyxEntityBallBase* ball = Ball(28, 28, 1, 0, 0.1f);
    Ball(48, 28, 1, 0, 0.0f);
    ball->Update(10.0f);
    EXPECT_EQ(events_.touches.size(), 1u);
    EXPECT_EQ(ball->Direction(), (PyxVector{1, 0}));
    EXPECT_EQ(std::count(sound_.played.begin(), sound_.played.end(), "ball"), 0);
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

TEST_F(BallTest, APickupBallBouncesOffAwardsInsteadOfTakingThem) {
    auto* pickup = Roll<PyxEntityPickupBall>("PyxPickupBall", "special", 28, 28, 1, 0, 0.1f);
    Place("PyxAnimAward", "coin", 50, 28);
    pickup->Update(10.0f);
    EXPECT_TRUE(events_.awards.empty());
    EXPECT_EQ(pickup->Direction(), (PyxVector{-1, 0}));
    EXPECT_EQ(sound_.Last(), "wall");
}

TEST_F(BallTest, ACharacterBallPullsAFaceWhenItHitsAPost) {
    auto* face = Roll<PyxEntityCharacterBall>("PyxCharacterBall", "face", 28, 28, 1, 0, 0.1f);
    Place("PyxAnimPost", "peg", 43, 28);
    face->Update(10.0f);
    EXPECT_EQ(face->Expression(), 2);
    EXPECT_FLOAT_EQ(face->ExpressionTimer(), 300.0f - 10.0f);
    EXPECT_EQ(face->DirectionIndex(), 2); // now rolling left
    EXPECT_EQ(face->EyeFrame(), 2 + 2 * 5);
    EXPECT_EQ(events_.mascot, 2);
}

TEST_F(BallTest, ACharacterBallLooksWhereItRollsAndShowsItsSpeed) {
    auto* face =
        Roll<PyxEntityCharacterBall>("PyxCharacterBall", "face", Centre(3), Centre(3), 0, -1, 0.1f);
    face->Update(0.0f);
    EXPECT_EQ(face->DirectionIndex(), 3);
    EXPECT_EQ(face->Expression(), 1);
    face->SetDirection({0, 0}); // keeps looking up
    face->SetSpeed(0.3f);
    face->SetTargetSpeed(0.3f);
    face->Update(0.0f);
    EXPECT_EQ(face->DirectionIndex(), 3);
    EXPECT_EQ(face->Expression(), 2);

    face->SetExpression(5, 2000.0f); // what the claw shows, for its time
    face->Update(1000.0f);
    EXPECT_EQ(face->Expression(), 5);
    face->Update(1000.0f);
    face->Update(0.0f);
    EXPECT_EQ(face->Expression(), 2);
}

// ---- sounds -----------------------------------------------------------------------

TEST_F(BallTest, RollingBallsOfATypeShareOneLoopThatStopEnds) {
    PyxEntityBallBase* first = Ball(28, 28, 1, 0, 0.1f);
    PyxEntityBallBase* second = Ball(Centre(3), Centre(3), 1, 0, 0.1f);
    first->SetTargetSpeed(0.2f);
    first->Update(10.0f);
    second->Update(10.0f);
    EXPECT_EQ(sound_.Playing("roll"), 1);
    EXPECT_EQ(sound_.played, (std::vector<std::string>{"roll (loop)"}));
    EXPECT_NEAR(sound_.volumes.front(), 0.104f / 0.2f, kEps);

    first->SpeedUp();
    EXPECT_NEAR(sound_.volumes.back(), first->Speed() / 0.2f, kEps);

    second->Stop();
    EXPECT_EQ(sound_.Playing("roll"), 0);
    EXPECT_EQ(events_.ambientCalls, 1);
    EXPECT_EQ(events_.postLevel, 0.0f);
    EXPECT_EQ(events_.sinkLevel, 0.0f);

    first->Update(10.0f); // still rolling: the loop starts again
    EXPECT_EQ(sound_.Playing("roll"), 1);
}

TEST_F(BallTest, ATurnAtTopSpeedSometimesSounds) {
    SeedRandom(1234);
    PyxEntityBallBase* ball = Ball(Centre(3), Centre(3), 1, 0, PyxEntityBallBase::kTopSpeed);
    int turns = 0;
    for (int i = 0; i < 400; ++i) {
        ball->SetDirection(i % 2 ? PyxVector{1, 0} : PyxVector{0, 1});
        sound_.played.clear();
        ball->Update(0.0f);
        turns += int(std::count(sound_.played.begin(), sound_.played.end(), "turn"));
    }
    EXPECT_GT(turns, 60);
    EXPECT_LT(turns, 140);

    ball->SetSpeed(0.335f);
    ball->SetTargetSpeed(0.335f);
    sound_.played.clear();
    for (int i = 0; i < 100; ++i) {
        ball->SetDirection(i % 2 ? PyxVector{1, 0} : PyxVector{0, 1});
        ball->Update(0.0f);
    }
    EXPECT_EQ(std::count(sound_.played.begin(), sound_.played.end(), "turn"), 0);
}

TEST_F(BallTest, SoundsATypeDoesNotNameAreNotPlayed) {
    PyxEntityBallBase* quiet = Ball(28, 28, 1, 0, 0.1f, "quiet");
    Place("PyxAnimPost", "peg", 43, 28);
    quiet->Update(10.0f);
    quiet->PlayLoseCoinsSound();
    EXPECT_TRUE(sound_.played.empty());
    EXPECT_EQ(quiet->Direction(), (PyxVector{-1, 0}));

    PyxEntityBallBase* loud = Ball(Centre(3), Centre(3), 1, 0, 0.0f);
    loud->PlayLoseCoinsSound();
    EXPECT_EQ(sound_.played, (std::vector<std::string>{"coins"}));
}

// ---- copying and the pickup --------------------------------------------------------

TEST_F(BallTest, CopyingAnotherBallTakesItsMotionOnlyWhenAsked) {
    PyxEntityBallBase* source = Ball(Centre(2), Centre(3), 0, -1, 0.25f);
    source->SetTargetSpeed(0.3f);
    PyxEntityBallBase* copy = Ball(28, 28, 1, 0, 0.0f);
    copy->Stop();

    copy->CopyPlacement(kCopyCentre, source);
    EXPECT_EQ(copy->X(), source->X());
    EXPECT_EQ(copy->Direction(), (PyxVector{1, 0}));

    copy->CopyPlacement(PyxEntityBallBase::kCopyMotion | kCopyCell, source);
    EXPECT_EQ(copy->Direction(), (PyxVector{0, -1}));
    EXPECT_EQ(copy->Speed(), 0.25f);
    EXPECT_EQ(copy->TargetSpeed(), 0.3f);
    EXPECT_TRUE(copy->IsRolling());
    EXPECT_EQ(copy->Cell(), source->Cell());
}

TEST_F(BallTest, AnArmedPickupBallGivesItsPointsToThePlayerOnly) {
    auto* pickup = Roll<PyxEntityPickupBall>("PyxPickupBall", "special", 28, 28, 1, 0, 0.0f);
    PyxEntityBallBase* player = Ball(Centre(3), Centre(3), 1, 0, 0.0f);
    player->AddFlags(kObjectPlayer);
    PyxEntityBallBase* other = Ball(Centre(4), Centre(4), 1, 0, 0.0f);

    EXPECT_FALSE(pickup->OnBallContact(player)); // not armed yet
    pickup->SetState(PyxEntityPickupBall::kArmed);
    EXPECT_FALSE(pickup->OnBallContact(other));
    EXPECT_EQ(events_.score, 0);
    EXPECT_TRUE(pickup->OnBallContact(player));
    EXPECT_EQ(events_.score, 250);
    EXPECT_EQ(sound_.played, (std::vector<std::string>{"pickup"}));
    // The points rise from where the pickup ball is.
    const PyxLevelObjectRecord& last = level_->Objects().back();
    auto* points = dynamic_cast<PyxEntityFloatingScore*>(last.entity.get());
    ASSERT_NE(points, nullptr);
    EXPECT_EQ(points->Text(), "250");
    EXPECT_EQ(points->X(), 28.0f);
    points->Update(500.0f);
    EXPECT_LT(points->Y(), 28.0f);
}

} // namespace
} // namespace balltest
