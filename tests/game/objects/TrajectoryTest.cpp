// A parabola: the arc a thrown object follows from one point to another, at even steps
// along the curve, travelled to its end.
#include <cmath>

#include <gtest/gtest.h>

#include "game/objects/QxTrajectoryLine.h"
#include "game/objects/QxTrajectoryParabola.h"

namespace {

TEST(TrajectoryTest, AParabolaArcsEvenlyBetweenItsPointsAndIsTravelledToTheEnd) {
    QxTrajectoryParabola parabola;
    parabola.SetParameter(QxTrajectoryBase::kSpacing, 4);
    parabola.SetParameter(QxTrajectoryBase::kInterpolate, 1);
    parabola.SetPoint(QxTrajectoryBase::kStartPoint, 0, 100);
    parabola.SetPoint(QxTrajectoryBase::kEndPoint, 200, 100);
    ASSERT_TRUE(parabola.Build());
    const auto& samples = parabola.Samples();
    for (std::size_t i = 1; i + 1 < samples.size(); ++i) {
        const float dx = samples[i].x - samples[i - 1].x, dy = samples[i].y - samples[i - 1].y;
        EXPECT_NEAR(std::sqrt(dx * dx + dy * dy), 4.0, 0.05) << i;
    }
    float x = 0, y = 0, height = -1;
    parabola.PositionAt(samples.back().t / 2, x, y);
    EXPECT_NEAR(x, 100, 1.0);
    EXPECT_NEAR(y, 50, 0.1) << "the default arc is a quarter of the way";
    EXPECT_TRUE(parabola.GetParameter(QxTrajectoryParabola::kArcHeight, height));
    EXPECT_FLOAT_EQ(height, 50);

    parabola.SetParameter(QxTrajectoryBase::kSpeed, 100);
    parabola.SetTime(samples.back().t / 4);
    for (int i = 0; i < 100 && parabola.Progress() < 1.0f; ++i)
        parabola.Update(100);
    parabola.Position(x, y);
    EXPECT_FLOAT_EQ(x, 200);
    EXPECT_FLOAT_EQ(y, 100);
}

// Straight paths, including the ones that cannot be sampled: the game asks for a path and
// must get either a usable one or none.
TEST(TrajectoryTest, ALineIsSampledAlongItsAxisOrRefused) {
    const float inf = INFINITY;
    struct Case {
        float x0, y0, x1, y1, spacing;
        std::size_t samples; // 0: refused
        float lastX, lastY;
    } cases[] = {
        {10, 50, 10, 20, 10, 3, 10, 20}, // straight up: the exact spacing, no drift
        {50, 5, 20, 5, 10, 3, 20, 5},    // leftwards
        {0, 0, 30, 40, 20, 3, 30, 40},   // a slope whose length is not a whole number of steps
        {7, 7, 7, 7, 5, 1, 7, 7},        // one point
        {0, 0, 10, 0, 0, 0, 0, 0},       // no spacing
        {inf, 0, 10, 0, 1, 0, 0, 0},     // a start at infinity
        {0, 0, 1e9f, 0, 1e-3f, 0, 0, 0}, // far too many samples
    };
    for (const Case& c : cases) {
        auto line = MakeLineTrajectory(c.x0, c.y0, c.x1, c.y1, c.spacing, false);
        ASSERT_EQ(line != nullptr, c.samples != 0) << c.x0 << "," << c.y0;
        if (!line)
            continue;
        EXPECT_EQ(line->SampleCount(), c.samples);
        const auto& last = line->Samples().back();
        EXPECT_EQ(last.x, c.lastX);
        EXPECT_EQ(last.y, c.lastY);
        if (c.samples == 3 && c.x0 == c.x1) {
            EXPECT_EQ(line->Samples()[1].y, 40) << "vertical steps are exact";
        }
        float x = 0, y = 0;
        EXPECT_TRUE(line->GetPoint(QxTrajectoryBase::kEndPoint, x, y));
        EXPECT_EQ(x, c.x1);
        EXPECT_TRUE(line->GetPoint(QxTrajectoryBase::kStartPoint, x, y));
        EXPECT_EQ(y, c.y0);
        EXPECT_FALSE(line->GetPoint(12345, x, y));
    }
}

// Easing: the traveller gathers speed up to the top speed, slows down over the last tenth,
// and every parameter reads back as set.
TEST(TrajectoryTest, EasingSpeedsUpThenSlowsDownToACrawl) {
    auto line = MakeLineTrajectory(0, 0, 1000, 0, 1, true);
    ASSERT_NE(line, nullptr);
    line->SetParameter(QxTrajectoryBase::kSpeed, 100);
    line->SetEasing(true, 400, 100, 1000);
    float value = 0;
    const std::pair<std::int32_t, float> expected[] = {
        {QxTrajectoryBase::kSpacing, 1},        {QxTrajectoryBase::kInterpolate, 1},
        {QxTrajectoryBase::kEasing, 1},         {QxTrajectoryBase::kMaxSpeed, 400},
        {QxTrajectoryBase::kAcceleration, 100}, {QxTrajectoryBase::kDeceleration, 1000}};
    for (const auto& [id, v] : expected) {
        EXPECT_TRUE(line->GetParameter(id, value));
        EXPECT_EQ(value, v) << id;
        EXPECT_TRUE(line->SetParameter(id, v));
    }
    EXPECT_FALSE(line->SetParameter(-1, 0));
    EXPECT_FALSE(line->GetParameter(-1, value));
    for (int i = 0; i < 5; ++i)
        line->Update(100);
    EXPECT_EQ(line->Speed(), 400) << "capped at the top speed";
    line->SetTime(950);
    line->Update(100);
    EXPECT_EQ(line->Speed(), QxTrajectoryBase::kCrawlSpeed);
    float x = 0, y = 0;
    line->PositionAt(500.5f, x, y);
    EXPECT_FLOAT_EQ(x, 500.5f) << "interpolated between samples";
    line->SetTime(-5);
    EXPECT_EQ(line->Time(), 0);
}

} // namespace
