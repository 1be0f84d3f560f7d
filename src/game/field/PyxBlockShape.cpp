#include "game/field/PyxBlockShape.h"

bool PyxBlockShape::Intersects(const PyxBlockShape&, float, float) const {
    return false;
}

void PyxBlockShape::SetCentre(float, float) {}

bool PyxBlockCircle::Intersects(const PyxBlockShape& other, float, float) const {
    if (other.Kind() == kCircle) {
        const auto& circle = static_cast<const PyxBlockCircle&>(other);
        const float dx = circle.m_x - m_x;
        const float dy = circle.m_y - m_y;
        const float reach = m_radius + circle.m_radius;
        return reach * reach > dx * dx + dy * dy;
    }
    if (other.Kind() == kRect) {
        return static_cast<const PyxBlockRect&>(other).IntersectsCircle(*this);
    }
    return false;
}

void PyxBlockCircle::SetCentre(float x, float y) {
    m_x = x;
    m_y = y;
}

bool PyxBlockRect::IntersectsCircle(const PyxBlockCircle& circle) const {
    const float cx = circle.X();
    const float cy = circle.Y();
    const float r = circle.Radius();
    return cx + r > m_left && m_right > cx - r && cy + r > m_top && m_bottom > cy - r;
}

bool PyxBlockRect::Intersects(const PyxBlockShape& other, float, float) const {
    if (other.Kind() == kCircle) {
        return IntersectsCircle(static_cast<const PyxBlockCircle&>(other));
    }
    if (other.Kind() == kRect) {
        // The overlap must have an area: a rectangle without width or height lies on
        // others without ever intersecting them.
        const auto& rect = static_cast<const PyxBlockRect&>(other);
        const bool extents = m_right > m_left && m_bottom > m_top && rect.m_right > rect.m_left &&
                             rect.m_bottom > rect.m_top;
        return extents && m_right > rect.m_left && rect.m_right > m_left && m_bottom > rect.m_top &&
               rect.m_bottom > m_top;
    }
    return false;
}

void PyxBlockRect::SetCentre(float x, float y) {
    const float width = m_right - m_left;
    const float height = m_bottom - m_top;
    m_left = x - width / 2.0f;
    m_right = x + width / 2.0f;
    m_top = y - height / 2.0f;
    m_bottom = y + height / 2.0f;
}
