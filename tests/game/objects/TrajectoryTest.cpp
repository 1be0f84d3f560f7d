// Trajectories: samples of lines, points and parabolas, travel, easing, progress and
// the positions read at chosen path lengths.
#include <cmath>
#include <memory>

#include <gtest/gtest.h>

#include "game/objects/QxTrajectoryLine.h"
#include "game/objects/QxTrajectoryParabola.h"
#include "game/objects/QxTrajectoryPoint.h"

namespace {

void ExpectSample(const QxTrajectorySample& s, float x, float y, float t) {
    EXPECT_FLOAT_EQ(s.x, x);
    EXPECT_FLOAT_EQ(s.y, y);
    EXPECT_FLOAT_EQ(s.t, t);
}

std::unique_ptr<QxTrajectoryBase> Line(float x0, float y0, float x1, float y1, float spacing,
                                       bool interpolate, float speed) {
    std::unique_ptr<QxTrajectoryBase> line =
        MakeLineTrajectory(x0, y0, x1, y1, spacing, interpolate);
    if (line)
        line->SetParameter(QxTrajectoryBase::kSpeed, speed);
    return line;
}

TEST(TrajectoryTest, LineWithAPartStepGetsAnExtraSampleOnTheEndPoint) {
    auto line = MakeLineTrajectory(0, 0, 10, 0, 3, false);
    ASSERT_NE(line, nullptr);
    ASSERT_EQ(line->SampleCount(), 4u);
    ExpectSample(line->Samples()[0], 0, 0, 0);
    ExpectSample(line->Samples()[1], 3, 0, 3);
    ExpectSample(line->Samples()[2], 6, 0, 6);
    ExpectSample(line->Samples()[3], 10, 0, 9);
}

TEST(TrajectoryTest, LineOfWholeStepsMovesItsLastSampleToTheEnd) {
    auto line = MakeLineTrajectory(0, 0, 9, 0, 3, false);
    ASSERT_NE(line, nullptr);
    ASSERT_EQ(line->SampleCount(), 3u);
    ExpectSample(line->Samples()[2], 9, 0, 6);
}

TEST(TrajectoryTest, VerticalAndDiagonalLinesStepAlongTheirDirection) {
    auto up = MakeLineTrajectory(5, 100, 5, 0, 25, false);
    ASSERT_NE(up, nullptr);
    ASSERT_EQ(up->SampleCount(), 4u);
    ExpectSample(up->Samples()[1], 5, 75, 25);
    ExpectSample(up->Samples()[3], 5, 0, 75);

    auto diagonal = MakeLineTrajectory(0, 0, 30, 40, 10, false); // length 50
    ASSERT_NE(diagonal, nullptr);
    ASSERT_EQ(diagonal->SampleCount(), 5u);
    ExpectSample(diagonal->Samples()[1], 6, 8, 10);
    ExpectSample(diagonal->Samples()[4], 30, 40, 40);
}

TEST(TrajectoryTest, BuildFailsWithoutUsableSpacing) {
    EXPECT_EQ(MakeLineTrajectory(0, 0, 10, 0, 0, false), nullptr);
    EXPECT_EQ(MakeLineTrajectory(0, 0, 10, 0, -3, false), nullptr);
    EXPECT_EQ(MakeLineTrajectory(0, 0, NAN, 0, 3, false), nullptr);
    // A spacing so small that the samples could not be justified.
    EXPECT_EQ(MakeLineTrajectory(0, 0, 1.0e6f, 0, 1.0e-3f, false), nullptr);
}

TEST(TrajectoryTest, LineOfNoLengthIsItsEndPointAndAlreadyDone) {
    auto line = Line(4, 7, 4, 7, 5, true, 100);
    ASSERT_NE(line, nullptr);
    ASSERT_EQ(line->SampleCount(), 1u);
    line->Update(16);
    float x = 0, y = 0;
    line->Position(x, y);
    EXPECT_FLOAT_EQ(x, 4);
    EXPECT_FLOAT_EQ(y, 7);
    EXPECT_FLOAT_EQ(line->Progress(), 1.0f);
}

TEST(TrajectoryTest, PointTrajectoryHasOneSampleAtItsStart) {
    QxTrajectoryPoint point;
    EXPECT_TRUE(point.SetPoint(QxTrajectoryBase::kStartPoint, 12, -3));
    EXPECT_FALSE(point.SetPoint(QxTrajectoryBase::kEndPoint, 1, 1));
    ASSERT_TRUE(point.Build());
    ASSERT_EQ(point.SampleCount(), 1u);
    ExpectSample(point.Samples()[0], 12, -3, 0);
}

TEST(TrajectoryTest, ProgressReachesOneWhenTimeReachesTheLastSample) {
    auto line = Line(0, 0, 10, 0, 3, false, 1000); // one unit per millisecond
    ASSERT_NE(line, nullptr);
    line->Update(4);
    EXPECT_EQ(line->CurrentIndex(), 1u);
    EXPECT_FLOAT_EQ(line->Progress(), 4.0f / 9.0f);
    line->Update(4.9f);
    EXPECT_EQ(line->CurrentIndex(), 2u);
    EXPECT_LT(line->Progress(), 1.0f);
    line->Update(0.2f); // past 9: held at 9
    EXPECT_EQ(line->CurrentIndex(), 3u);
    EXPECT_FLOAT_EQ(line->Progress(), 1.0f);
    line->Update(100); // stays at the end
    EXPECT_FLOAT_EQ(line->Time(), 9.0f);
    float x = 0, y = 0;
    line->Position(x, y);
    EXPECT_FLOAT_EQ(x, 10);
}

TEST(TrajectoryTest, WithoutInterpolationThePositionIsTheSampleReached) {
    auto line = Line(0, 0, 10, 0, 3, false, 1000);
    line->Update(5); // between the samples at 3 and 6
    float x = 0, y = 0;
    line->Position(x, y);
    EXPECT_FLOAT_EQ(x, 3);
}

TEST(TrajectoryTest, InterpolationReadsBetweenSamples) {
    auto line = Line(0, 0, 10, 0, 3, true, 1000);
    line->Update(4.5f);
    float x = 0, y = 0;
    line->Position(x, y);
    EXPECT_FLOAT_EQ(x, 4.5f);
    // The last stretch runs from 6 to the end point 10 over t 6 to 9.
    line->PositionAt(7.5f, x, y);
    EXPECT_FLOAT_EQ(x, 8.0f);
    line->PositionAt(0, x, y);
    EXPECT_FLOAT_EQ(x, 0);
    line->PositionAt(1000, x, y);
    EXPECT_FLOAT_EQ(x, 10);
}

TEST(TrajectoryTest, SetTimeKeepsTheTravellerOnThePath) {
    auto line = Line(0, 0, 10, 0, 3, true, 0);
    line->SetTime(6.5f);
    EXPECT_EQ(line->CurrentIndex(), 2u);
    line->SetTime(50);
    EXPECT_EQ(line->CurrentIndex(), 3u);
    EXPECT_FLOAT_EQ(line->Time(), 9);
    line->SetTime(-5);
    EXPECT_EQ(line->CurrentIndex(), 0u);
    EXPECT_FLOAT_EQ(line->Time(), 0);
    line->SetTime(NAN);
    EXPECT_FLOAT_EQ(line->Time(), 0);
}

TEST(TrajectoryTest, UpdateWithoutSpeedOrSamplesDoesNothing) {
    auto line = Line(0, 0, 10, 0, 3, true, 0);
    line->Update(100);
    EXPECT_FLOAT_EQ(line->Time(), 0);

    QxTrajectoryLine unbuilt;
    unbuilt.SetParameter(QxTrajectoryBase::kSpeed, 10);
    unbuilt.SetParameter(QxTrajectoryBase::kSpacing, 1);
    unbuilt.Update(100);
    EXPECT_FLOAT_EQ(unbuilt.Time(), 0);
    EXPECT_FLOAT_EQ(unbuilt.Progress(), 1.0f);
}

TEST(TrajectoryTest, EasingSpeedsUpToTheMaximumThenSlowsButNotBelowTen) {
    auto line = Line(0, 0, 0, -1000, 5, true, 10);
    line->SetEasing(true, 200, 5, 2);
    line->Update(1);
    EXPECT_FLOAT_EQ(line->Speed(), 15);
    for (int i = 0; i < 100; ++i)
        line->Update(1);
    EXPECT_FLOAT_EQ(line->Speed(), 200);

    // Past 90 % the traveller slows by the deceleration per update.
    line->SetTime(0.95f * 995.0f);
    line->Update(0);
    EXPECT_FLOAT_EQ(line->Speed(), 198);
    for (int i = 0; i < 200; ++i)
        line->Update(0);
    EXPECT_FLOAT_EQ(line->Speed(), 10);
}

TEST(TrajectoryTest, ParametersAnswerOnlyTheirIds) {
    QxTrajectoryLine line;
    EXPECT_TRUE(line.SetParameter(QxTrajectoryBase::kMaxSpeed, 7));
    float value = 0;
    EXPECT_TRUE(line.GetParameter(QxTrajectoryBase::kMaxSpeed, value));
    EXPECT_FLOAT_EQ(value, 7);
    EXPECT_TRUE(line.SetParameter(QxTrajectoryBase::kInterpolate, 2));
    EXPECT_TRUE(line.GetParameter(QxTrajectoryBase::kInterpolate, value));
    EXPECT_FLOAT_EQ(value, 1);
    value = 42;
    EXPECT_FALSE(line.SetParameter(QxTrajectoryBase::kStartPoint, 1));
    EXPECT_FALSE(line.GetParameter(9000, value));
    EXPECT_FLOAT_EQ(value, 42);
    EXPECT_FALSE(line.SetParameter(QxTrajectoryParabola::kArcHeight, 1));
    float x = 0, y = 0;
    EXPECT_TRUE(line.SetPoint(QxTrajectoryBase::kEndPoint, 3, 4));
    EXPECT_TRUE(line.GetPoint(QxTrajectoryBase::kEndPoint, x, y));
    EXPECT_FLOAT_EQ(y, 4);
}

class ParabolaTest : public testing::Test {
protected:
    void Make(float x0, float y0, float x1, float y1, float spacing) {
        parabola.SetParameter(QxTrajectoryBase::kSpacing, spacing);
        parabola.SetParameter(QxTrajectoryBase::kInterpolate, 1);
        parabola.SetPoint(QxTrajectoryBase::kStartPoint, x0, y0);
        parabola.SetPoint(QxTrajectoryBase::kEndPoint, x1, y1);
        ASSERT_TRUE(parabola.Build());
    }
    QxTrajectoryParabola parabola;
};

TEST_F(ParabolaTest, StartsAndEndsOnItsPointsAndPeaksInTheMiddle) {
    Make(0, 100, 200, 100, 2); // arc height 50 by default
    float x = 0, y = 0;
    parabola.PositionAt(0, x, y);
    EXPECT_FLOAT_EQ(x, 0);
    EXPECT_FLOAT_EQ(y, 100);

    const float length = parabola.Samples().back().t;
    EXPECT_GT(length, 200.0f); // the arc is longer than the line
    parabola.PositionAt(length / 2, x, y);
    EXPECT_NEAR(x, 100, 1.0);
    EXPECT_NEAR(y, 50, 0.1);

    parabola.PositionAt(length, x, y);
    EXPECT_FLOAT_EQ(x, 200);
    EXPECT_FLOAT_EQ(y, 100);
    // Nowhere above the apex.
    for (const QxTrajectorySample& s : parabola.Samples())
        EXPECT_GE(s.y, 50.0f - 0.01f);
}

TEST_F(ParabolaTest, SamplesAreEvenlySpacedAlongTheCurve) {
    Make(0, 0, 120, 40, 4);
    const auto& samples = parabola.Samples();
    ASSERT_GT(samples.size(), 10u);
    for (std::size_t i = 1; i + 1 < samples.size(); ++i) {
        const float dx = samples[i].x - samples[i - 1].x;
        const float dy = samples[i].y - samples[i - 1].y;
        EXPECT_NEAR(std::sqrt(dx * dx + dy * dy), 4.0, 0.05) << i;
        EXPECT_FLOAT_EQ(samples[i].t, 4.0f * float(i));
    }
}

TEST_F(ParabolaTest, ArcHeightCanBeSetAndZeroGivesTheLine) {
    parabola.SetParameter(QxTrajectoryParabola::kArcHeight, 0);
    Make(0, 0, 10, 0, 3);
    ASSERT_EQ(parabola.SampleCount(), 4u);
    EXPECT_NEAR(parabola.Samples()[1].x, 3, 1e-3);
    EXPECT_NEAR(parabola.Samples()[1].y, 0, 1e-3);
    float height = -1;
    EXPECT_TRUE(parabola.GetParameter(QxTrajectoryParabola::kArcHeight, height));
    EXPECT_FLOAT_EQ(height, 0);
}

TEST_F(ParabolaTest, TravelsToItsEnd) {
    Make(0, 0, 100, 0, 5);
    parabola.SetParameter(QxTrajectoryBase::kSpeed, 100);
    for (int i = 0; i < 100 && parabola.Progress() < 1.0f; ++i)
        parabola.Update(100);
    EXPECT_FLOAT_EQ(parabola.Progress(), 1.0f);
    float x = 0, y = 0;
    parabola.Position(x, y);
    EXPECT_FLOAT_EQ(x, 100);
    EXPECT_FLOAT_EQ(y, 0);
}

} // namespace
