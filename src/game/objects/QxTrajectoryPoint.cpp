#include "game/objects/QxTrajectoryPoint.h"

bool QxTrajectoryPoint::SetPoint(std::int32_t id, float x, float y) {
    if (id != kStartPoint) {
        return QxTrajectoryBase::SetPoint(id, x, y);
    }
    m_startX = x;
    m_startY = y;
    return true;
}

bool QxTrajectoryPoint::GetPoint(std::int32_t id, float& x, float& y) const {
    if (id != kStartPoint) {
        return QxTrajectoryBase::GetPoint(id, x, y);
    }
    x = m_startX;
    y = m_startY;
    return true;
}

bool QxTrajectoryPoint::Build() {
    m_samples.assign(1, QxTrajectorySample{m_startX, m_startY, 0.0f});
    m_index = 0;
    m_time = 0.0f;
    return true;
}
