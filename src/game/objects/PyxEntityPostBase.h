#pragma once
// The base of the posts: fixed obstacles that turn balls. A circular post sends a ball
// back along the line from its centre; a rectangular post reflects it about the fixed
// normal of its type, so a post with a diagonal normal turns a ball by a right angle.
// Gears are posts that sound different when hit. A post knows whether the mouse is
// over it (within "MouseRadius" pixels of its drawn rectangle).

#include <cstdint>
#include <memory>

#include "game/objects/PyxEntityGameObject.h"

class PyxEntityPostBase;

inline constexpr std::uint32_t kKindPost = QxKindTag("POST");

class PyxEntityPostBaseType : public QxEntityTypeOf<PyxEntityPostBaseType, PyxEntityPostBase,
                                                    PyxEntityGameObjectType, kKindPost> {
public:
    static constexpr float kDefaultHeight = 0.2f;
    // "Radius" that a definition did not give.
    static constexpr float kUnsetRadius = -1.0f;

    // Reads "Height" (0.2 when not given), "MouseRadius", "Gear", "Shape" ("Circle" or
    // "Rect"; anything else keeps the circle), "Radius" (circles only) and "NormX",
    // "NormY" (rectangles only; made unit length unless zero).
    explicit PyxEntityPostBaseType(QxDefinition* definition);

    float MouseRadius() const { return m_mouseRadius; }
    bool IsGear() const { return m_gear != 0; }
    bool IsRect() const { return m_shapeKind == PyxBlockShape::kRect; }
    // The fixed normal of a rectangular post.
    PyxVector Normal() const { return m_normal; }

private:
    float m_mouseRadius = 0.0f;
    std::int32_t m_gear = 0;
    std::int32_t m_shapeKind = PyxBlockShape::kCircle;
    PyxVector m_normal;
};

class PyxEntityPostBase : public PyxEntityGameObject {
public:
    explicit PyxEntityPostBase(PyxEntityPostBaseType* type);

    // The board-object update, then the hover test against the mouse.
    bool Update(float ms) override;
    // A rectangular post's shape becomes a rectangle of the post's size at its
    // position; a circular post's circle takes the type's radius.
    bool Reset() override;
    // Never another post; any other object always (a basic post only while up).
    bool Blocks(const PyxEntityGameObjectType* type) override;
    // A circle: from the centre to the other's centre. A rectangle: the type's normal.
    PyxVector CollisionNormal(const PyxEntityGameObject* other) override;
    virtual bool IsGear() const;

    bool IsHovered() const { return m_hover; }
    // The drawn rectangle widened by the type's mouse radius, as of the last update.
    const QxRect& MouseRect() const { return m_mouseRect; }

    PyxEntityPostBaseType* PostType() const { return static_cast<PyxEntityPostBaseType*>(Type()); }

protected:
    bool m_hover = false;
    QxRect m_mouseRect;
};

using PyxEntityPostBasePrototype = QxTypePrototype<PyxEntityPostBaseType>;
