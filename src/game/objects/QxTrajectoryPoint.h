#pragma once
// A trajectory that stays at its start point: one sample, no length.

#include "game/objects/QxTrajectoryBase.h"

class QxTrajectoryPoint : public QxTrajectoryBase {
public:
    // kStartPoint.
    bool SetPoint(std::int32_t id, float x, float y) override;
    bool GetPoint(std::int32_t id, float& x, float& y) const override;
    // One sample at the start point.
    bool Build() override;

protected:
    float m_startX = 0.0f;
    float m_startY = 0.0f;
};
