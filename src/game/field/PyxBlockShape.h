#pragma once
// Collision shapes of board objects: a circle or an axis-aligned rectangle, in board
// pixels. Every test is strict, so shapes that only touch do not intersect.

#include <cstdint>

class PyxBlockShape {
public:
    static constexpr std::int32_t kCircle = 1;
    static constexpr std::int32_t kRect = 2;

    // A shape of no kind, which intersects nothing.
    PyxBlockShape() = default;
    virtual ~PyxBlockShape() = default;

    // True when the two shapes overlap. The two trailing arguments are accepted for
    // callers that pass them; no shape reads them.
    virtual bool Intersects(const PyxBlockShape& other, float unused1 = 0.0f,
                            float unused2 = 0.0f) const;
    // Moves the shape so its centre is at (x, y), keeping its size.
    virtual void SetCentre(float x, float y);

    std::int32_t Kind() const { return m_kind; }

protected:
    // Only the circle and the rectangle claim their kinds, so a kind always tells the
    // class.
    explicit PyxBlockShape(std::int32_t kind) : m_kind(kind) {}

private:
    std::int32_t m_kind = 0;
};

class PyxBlockCircle : public PyxBlockShape {
public:
    PyxBlockCircle() : PyxBlockShape(kCircle) {}
    PyxBlockCircle(float x, float y, float radius)
        : PyxBlockShape(kCircle), m_x(x), m_y(y), m_radius(radius) {}

    bool Intersects(const PyxBlockShape& other, float unused1 = 0.0f,
                    float unused2 = 0.0f) const override;
    void SetCentre(float x, float y) override;

    float X() const { return m_x; }
    float Y() const { return m_y; }
    float Radius() const { return m_radius; }
    void SetRadius(float radius) { m_radius = radius; }

private:
    float m_x = 0.0f;
    float m_y = 0.0f;
    float m_radius = 0.0f;
};

class PyxBlockRect : public PyxBlockShape {
public:
    PyxBlockRect() : PyxBlockShape(kRect) {}
    PyxBlockRect(float left, float top, float right, float bottom)
        : PyxBlockShape(kRect), m_top(top), m_bottom(bottom), m_right(right), m_left(left) {}

    bool Intersects(const PyxBlockShape& other, float unused1 = 0.0f,
                    float unused2 = 0.0f) const override;
    void SetCentre(float x, float y) override;

    float Left() const { return m_left; }
    float Right() const { return m_right; }

    // The circle's bounding square against this rectangle, strictly.
    bool IntersectsCircle(const PyxBlockCircle& circle) const;

private:
    float m_top = 0.0f;
    float m_bottom = 0.0f;
    float m_right = 0.0f;
    float m_left = 0.0f;
};
