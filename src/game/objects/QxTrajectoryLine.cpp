#include "game/objects/QxTrajectoryLine.h"

#include <algorithm>
#include <cmath>

#include "engine/files/QxLog.h"

bool QxTrajectoryLine::SetPoint(std::int32_t id, float x, float y) {
    if (id != kEndPoint) {
        return QxTrajectoryPoint::SetPoint(id, x, y);
    }
    m_endX = x;
    m_endY = y;
    return true;
}

bool QxTrajectoryLine::GetPoint(std::int32_t id, float& x, float& y) const {
    if (id != kEndPoint) {
        return QxTrajectoryPoint::GetPoint(id, x, y);
    }
    x = m_endX;
    y = m_endY;
    return true;
}

std::size_t QxTrajectoryLine::SampleCountFor(float length) const {
    const double steps = static_cast<double>(length) / static_cast<double>(m_spacing);
    if (!(steps >= 0.0) || steps >= static_cast<double>(kMaxSamples)) {
        LogPrintf("Trajectory of length %g with spacing %g needs too many samples.",
                  static_cast<double>(length), static_cast<double>(m_spacing));
        return 0;
    }
    const double whole = std::floor(steps);
    return static_cast<std::size_t>(whole) + (steps > whole ? 1 : 0);
}

bool QxTrajectoryLine::Build() {
    m_samples.clear();
    m_index = 0;
    m_time = 0.0f;
    if (!(m_spacing > 0.0f)) {
        return false;
    }
    const float dx = m_endX - m_startX;
    const float dy = m_endY - m_startY;
    const float length = std::sqrt(dx * dx + dy * dy);
    if (!std::isfinite(length) || !std::isfinite(m_startX) || !std::isfinite(m_startY)) {
        return false;
    }
    if (length == 0.0f) {
        // Start and end coincide: the path is the one point.
        m_samples.push_back({m_endX, m_endY, 0.0f});
        return true;
    }
    const std::size_t count = SampleCountFor(length);
    if (count == 0) {
        return false;
    }

    float stepX = dx / length * m_spacing;
    float stepY = dy / length * m_spacing;
    if (dx == 0.0f) {
        stepX = 0.0f;
        stepY = dy > 0.0f ? m_spacing : -m_spacing;
    } else if (dy == 0.0f) {
        stepX = dx > 0.0f ? m_spacing : -m_spacing;
        stepY = 0.0f;
    }
    m_samples.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const float n = static_cast<float>(i);
        m_samples.push_back(
            {m_startX + n * stepX, m_startY + n * stepY, std::min(n * m_spacing, length)});
    }
    m_samples.back().x = m_endX;
    m_samples.back().y = m_endY;
    return true;
}

std::unique_ptr<QxTrajectoryBase> MakeLineTrajectory(float x0, float y0, float x1, float y1,
                                                     float spacing, bool interpolate) {
    auto line = std::make_unique<QxTrajectoryLine>();
    line->SetParameter(QxTrajectoryBase::kSpacing, spacing);
    line->SetParameter(QxTrajectoryBase::kInterpolate, interpolate ? 1.0f : 0.0f);
    line->SetPoint(QxTrajectoryBase::kStartPoint, x0, y0);
    line->SetPoint(QxTrajectoryBase::kEndPoint, x1, y1);
    if (!line->Build()) {
        return nullptr;
    }
    return line;
}
