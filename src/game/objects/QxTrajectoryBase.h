#pragma once
// A trajectory turns a path and a speed into a position per frame. The path is built
// once into samples spaced evenly along its length; every update advances the
// travelled length by the speed (path units per second) and the position is read from
// the sample reached, or between it and the next one when interpolating. Easing
// speeds the traveller up towards a maximum and slows it down over the last tenth of
// the path.
//
//     std::unique_ptr<QxTrajectoryBase> path = MakeLineTrajectory(0, 0, 100, 0, 5, true);
//     path->SetParameter(QxTrajectoryBase::kSpeed, 50.0f);
//     path->Update(16.0f);
//     float x, y;
//     path->Position(x, y);

#include <cstdint>
#include <vector>

// One point of a built path: where it is and how far along the path.
struct QxTrajectorySample {
    float x = 0.0f;
    float y = 0.0f;
    float t = 0.0f;
};

class QxTrajectoryBase {
public:
    // Parameter ids.
    static constexpr std::int32_t kSpeed = 8193;        // path units per second
    static constexpr std::int32_t kSpacing = 8194;      // path units between samples
    static constexpr std::int32_t kInterpolate = 8195;  // nonzero = between samples
    static constexpr std::int32_t kStartPoint = 8196;   // a point: SetPoint, GetPoint
    static constexpr std::int32_t kEndPoint = 8197;     // a point: SetPoint, GetPoint
    static constexpr std::int32_t kEasing = 8198;       // nonzero = on
    static constexpr std::int32_t kMaxSpeed = 8199;     // easing's top speed
    static constexpr std::int32_t kAcceleration = 8200; // speed gained per update
    static constexpr std::int32_t kDeceleration = 8201; // speed lost per update

    // Easing slows down once this much of the path is behind, but never below the
    // crawl speed.
    static constexpr float kEaseOutProgress = 0.9f;
    static constexpr float kCrawlSpeed = 10.0f;
    // A build that would need more samples than this fails: no path of the game comes
    // near it, and a tiny spacing must not allocate without bound.
    static constexpr std::size_t kMaxSamples = 1u << 20;

    QxTrajectoryBase() = default;
    QxTrajectoryBase(const QxTrajectoryBase&) = delete;
    QxTrajectoryBase& operator=(const QxTrajectoryBase&) = delete;
    virtual ~QxTrajectoryBase() = default;

    // True when the id is a value parameter of this trajectory.
    virtual bool SetParameter(std::int32_t id, float value);
    virtual bool GetParameter(std::int32_t id, float& value) const;
    // Points of the path (kStartPoint, kEndPoint); the base has none.
    virtual bool SetPoint(std::int32_t id, float x, float y);
    virtual bool GetPoint(std::int32_t id, float& x, float& y) const;
    virtual void SetEasing(bool on, float maxSpeed, float acceleration, float deceleration);
    // Makes the samples from the path; false (no samples) when the path cannot be
    // sampled.
    virtual bool Build();
    // Advances by ms milliseconds at the current speed; the traveller stops at the end.
    virtual void Update(float ms);
    // The travelled share of the path, 0 to 1; 1 without samples or without length.
    virtual float Progress() const;
    virtual void Position(float& x, float& y) const;
    // Where the traveller would be after the given path length.
    virtual void PositionAt(float time, float& x, float& y) const;
    // Moves the traveller to the given path length (kept within the path).
    virtual void SetTime(float time);

    float Speed() const { return m_speed; }
    float Spacing() const { return m_spacing; }
    float Time() const { return m_time; }
    const std::vector<QxTrajectorySample>& Samples() const { return m_samples; }
    std::size_t SampleCount() const { return m_samples.size(); }

protected:
    // The sample index for a path length, within the samples (0 without any).
    std::size_t IndexFor(float time) const;
    // The point at a path length read from the sample at index.
    void PointAt(std::size_t index, float time, float& x, float& y) const;

    float m_speed = 0.0f;
    float m_spacing = 0.0f;
    std::vector<QxTrajectorySample> m_samples;
    float m_time = 0.0f;
    std::size_t m_index = 0;
    bool m_interpolate = false;
    bool m_easing = false;
    float m_maxSpeed = 0.0f;
    float m_acceleration = 0.0f;
    float m_deceleration = 0.0f;
};
