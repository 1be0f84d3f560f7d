#pragma once
// A straight path from the start point to the end point, sampled every `spacing`
// units. The samples run from the start in steps of the spacing; the last one is put
// on the end point exactly.

#include <memory>

#include "game/objects/QxTrajectoryPoint.h"

class QxTrajectoryLine : public QxTrajectoryPoint {
public:
    // kStartPoint and kEndPoint.
    bool SetPoint(std::int32_t id, float x, float y) override;
    bool GetPoint(std::int32_t id, float& x, float& y) const override;
    // False for a spacing that is not above 0, a path that is not finite, or one that
    // would need more than kMaxSamples samples.
    bool Build() override;

protected:
    // The number of samples for a path length: one per whole spacing, plus one for a
    // part left over. 0 when it would exceed kMaxSamples (or the length is no number).
    std::size_t SampleCountFor(float length) const;

    float m_endX = 0.0f;
    float m_endY = 0.0f;
};

// A built line trajectory from (x0, y0) to (x1, y1), or null when it cannot be built.
// Callers set the speed (and usually the easing) themselves.
std::unique_ptr<QxTrajectoryBase> MakeLineTrajectory(float x0, float y0, float x1, float y1,
                                                     float spacing, bool interpolate);
