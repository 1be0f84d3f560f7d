// A parabola: the arc a thrown object follows from one point to another, at even steps
// along the curve, travelled to its end.
#include <cmath>

#include <gtest/gtest.h>

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

} // namespace
