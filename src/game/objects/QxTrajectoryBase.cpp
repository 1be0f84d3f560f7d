#include "game/objects/QxTrajectoryBase.h"

#include <algorithm>
#include <cmath>

bool QxTrajectoryBase::SetParameter(std::int32_t id, float value) {
    switch (id) {
    case kSpeed:
        m_speed = value;
        return true;
    case kSpacing:
        m_spacing = value;
        return true;
    case kInterpolate:
        m_interpolate = value != 0.0f;
        return true;
    case kEasing:
        m_easing = value != 0.0f;
        return true;
    case kMaxSpeed:
        m_maxSpeed = value;
        return true;
    case kAcceleration:
        m_acceleration = value;
        return true;
    case kDeceleration:
        m_deceleration = value;
        return true;
    default:
        return false;
    }
}

bool QxTrajectoryBase::GetParameter(std::int32_t id, float& value) const {
    switch (id) {
    case kSpeed:
        value = m_speed;
        return true;
    case kSpacing:
        value = m_spacing;
        return true;
    case kInterpolate:
        value = m_interpolate ? 1.0f : 0.0f;
        return true;
    case kEasing:
        value = m_easing ? 1.0f : 0.0f;
        return true;
    case kMaxSpeed:
        value = m_maxSpeed;
        return true;
    case kAcceleration:
        value = m_acceleration;
        return true;
    case kDeceleration:
        value = m_deceleration;
        return true;
    default:
        return false;
    }
}

bool QxTrajectoryBase::SetPoint(std::int32_t, float, float) {
    return false;
}

bool QxTrajectoryBase::GetPoint(std::int32_t, float&, float&) const {
    return false;
}

void QxTrajectoryBase::SetEasing(bool on, float maxSpeed, float acceleration, float deceleration) {
    m_easing = on;
    m_maxSpeed = maxSpeed;
    m_acceleration = acceleration;
    m_deceleration = deceleration;
}

bool QxTrajectoryBase::Build() {
    m_samples.clear();
    m_index = 0;
    return false;
}

std::size_t QxTrajectoryBase::IndexFor(float time) const {
    if (m_samples.empty() || !(time > 0.0f) || !(m_spacing > 0.0f)) {
        return 0;
    }
    const std::size_t last = m_samples.size() - 1;
    const float index = time / m_spacing;
    if (!(index < static_cast<float>(last))) {
        return last;
    }
    return static_cast<std::size_t>(index);
}

void QxTrajectoryBase::Update(float ms) {
    if (m_speed == 0.0f || m_spacing == 0.0f || m_samples.empty()) {
        return;
    }
    if (m_easing) {
        if (Progress() <= kEaseOutProgress) {
            if (m_speed < m_maxSpeed) {
                m_speed = std::min(m_speed + m_acceleration, m_maxSpeed);
            }
        } else {
            m_speed = std::max(kCrawlSpeed, m_speed - m_deceleration);
        }
    }
    m_time += ms * m_speed / 1000.0f;
    // The traveller never runs back past the start, and a wild frame time leaves it
    // somewhere on the path.
    if (!(m_time >= 0.0f)) {
        m_time = 0.0f;
    }

    const std::size_t last = m_samples.size() - 1;
    const float current = m_samples[m_index].t;
    if (m_time - current >= m_spacing || m_time < current) {
        m_index = IndexFor(m_time);
    }
    if (m_index >= last) {
        m_index = last;
        m_time = m_samples[last].t;
    }
}

float QxTrajectoryBase::Progress() const {
    if (m_samples.empty()) {
        return 1.0f;
    }
    const float length = m_samples.back().t;
    // A path without length is travelled as soon as it starts.
    if (!(length > 0.0f)) {
        return 1.0f;
    }
    return m_time / length;
}

void QxTrajectoryBase::PointAt(std::size_t index, float time, float& x, float& y) const {
    if (m_samples.empty()) {
        x = 0.0f;
        y = 0.0f;
        return;
    }
    const QxTrajectorySample& here = m_samples[index];
    x = here.x;
    y = here.y;
    if (!m_interpolate || index + 1 >= m_samples.size() || !(m_spacing > 0.0f)) {
        return;
    }
    const QxTrajectorySample& next = m_samples[index + 1];
    const float fraction = std::clamp((time - here.t) / m_spacing, 0.0f, 1.0f);
    x = here.x + (next.x - here.x) * fraction;
    y = here.y + (next.y - here.y) * fraction;
}

void QxTrajectoryBase::Position(float& x, float& y) const {
    PointAt(m_index, m_time, x, y);
}

void QxTrajectoryBase::PositionAt(float time, float& x, float& y) const {
    PointAt(IndexFor(time), time, x, y);
}

void QxTrajectoryBase::SetTime(float time) {
    m_time = time >= 0.0f ? time : 0.0f;
    m_index = IndexFor(m_time);
    if (!m_samples.empty() && m_index == m_samples.size() - 1) {
        m_time = m_samples.back().t;
    }
}
