#pragma once
// A thrown path from the start point to the end point: x moves evenly while y follows
// a parabola that rises above the straight line. At the middle of the way the path is
// kArcHeight above the line (upwards is towards smaller y); unless set, that height is
// a quarter of the distance between the points. The samples are spaced evenly along
// the curve, so the traveller keeps its speed over the arc.

#include "game/objects/QxTrajectoryLine.h"

class QxTrajectoryParabola : public QxTrajectoryLine {
public:
    // Height of the arc above the middle of the line, in path units.
    static constexpr std::int32_t kArcHeight = 8202;
    static constexpr float kDefaultArcShare = 0.25f;

    bool SetParameter(std::int32_t id, float value) override;
    bool GetParameter(std::int32_t id, float& value) const override;
    bool Build() override;

    // The point of the curve at u (0 at the start, 1 at the end).
    void CurvePoint(float u, float& x, float& y) const;
    // The arc height the build uses.
    float ArcHeight() const;

private:
    float m_arcHeight = 0.0f;
    bool m_arcHeightSet = false;
};
