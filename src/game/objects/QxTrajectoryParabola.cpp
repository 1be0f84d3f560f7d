#include "game/objects/QxTrajectoryParabola.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Pieces of the polyline that measures the curve, per sample spacing, and their bounds.
constexpr double kPiecesPerSpacing = 8.0;
constexpr std::size_t kMinPieces = 64;
constexpr std::size_t kMaxPieces = 1u << 16;

} // namespace

bool QxTrajectoryParabola::SetParameter(std::int32_t id, float value) {
    if (id != kArcHeight) {
        return QxTrajectoryLine::SetParameter(id, value);
    }
    m_arcHeight = value;
    m_arcHeightSet = true;
    return true;
}

bool QxTrajectoryParabola::GetParameter(std::int32_t id, float& value) const {
    if (id != kArcHeight) {
        return QxTrajectoryLine::GetParameter(id, value);
    }
    value = ArcHeight();
    return true;
}

float QxTrajectoryParabola::ArcHeight() const {
    if (m_arcHeightSet) {
        return m_arcHeight;
    }
    const float dx = m_endX - m_startX;
    const float dy = m_endY - m_startY;
    return kDefaultArcShare * std::sqrt(dx * dx + dy * dy);
}

void QxTrajectoryParabola::CurvePoint(float u, float& x, float& y) const {
    const float lift = 4.0f * ArcHeight() * u * (1.0f - u);
    x = m_startX + (m_endX - m_startX) * u;
    y = m_startY + (m_endY - m_startY) * u - lift;
}

bool QxTrajectoryParabola::Build() {
    m_samples.clear();
    m_index = 0;
    m_time = 0.0f;
    if (!(m_spacing > 0.0f)) {
        return false;
    }
    const float height = ArcHeight();
    const float dx = m_endX - m_startX;
    const float dy = m_endY - m_startY;
    const double chord = std::sqrt(double(dx) * dx + double(dy) * dy);
    if (!std::isfinite(chord) || !std::isfinite(height) || !std::isfinite(m_startX) ||
        !std::isfinite(m_startY)) {
        return false;
    }

    // Measure the curve along a fine polyline. Its length is at most the chord plus
    // twice the height.
    const double bound = chord + 2.0 * std::fabs(double(height));
    if (bound == 0.0) {
        m_samples.push_back({m_endX, m_endY, 0.0f});
        return true;
    }
    const double wanted = bound / double(m_spacing) * kPiecesPerSpacing;
    const std::size_t pieces =
        wanted >= double(kMaxPieces)
            ? kMaxPieces
            : std::max(kMinPieces, static_cast<std::size_t>(std::ceil(wanted)));
    std::vector<QxTrajectorySample> polyline(pieces + 1);
    double travelled = 0.0;
    for (std::size_t i = 0; i <= pieces; ++i) {
        QxTrajectorySample& p = polyline[i];
        CurvePoint(static_cast<float>(double(i) / double(pieces)), p.x, p.y);
        if (i > 0) {
            const double sx = double(p.x) - polyline[i - 1].x;
            const double sy = double(p.y) - polyline[i - 1].y;
            travelled += std::sqrt(sx * sx + sy * sy);
        }
        p.t = static_cast<float>(travelled);
    }
    const float length = static_cast<float>(travelled);
    const std::size_t count = SampleCountFor(length);
    if (count == 0) {
        return false;
    }

    m_samples.reserve(count);
    std::size_t piece = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const float t = std::min(static_cast<float>(i) * m_spacing, length);
        while (piece + 1 < pieces && polyline[piece + 1].t < t) {
            ++piece;
        }
        const QxTrajectorySample& a = polyline[piece];
        const QxTrajectorySample& b = polyline[piece + 1];
        const float span = b.t - a.t;
        const float f = span > 0.0f ? std::clamp((t - a.t) / span, 0.0f, 1.0f) : 0.0f;
        m_samples.push_back({a.x + (b.x - a.x) * f, a.y + (b.y - a.y) * f, t});
    }
    m_samples.back().x = m_endX;
    m_samples.back().y = m_endY;
    return true;
}
