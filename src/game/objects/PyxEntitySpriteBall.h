#pragma once
// A ball drawn as a still sprite: the type creates a "sprite" entity of the type that
// "ImageEntType" names when it loads, and every ball of the type draws it.

#include <memory>

#include "game/objects/PyxEntityBallBase.h"
#include "game/objects/PyxTypeSprite.h"

class PyxEntitySpriteBall;

class PyxEntitySpriteBallType
    : public QxEntityTypeOf<PyxEntitySpriteBallType, PyxEntitySpriteBall, PyxEntityBallBaseType> {
public:
    // Reads "ImageEntType" and "Radius" (the collision circle).
    explicit PyxEntitySpriteBallType(QxDefinition* definition);

    const PyxTypeSprite& Sprite() const { return m_sprite; }

private:
    PyxTypeSprite m_sprite;
};

class PyxEntitySpriteBall : public PyxEntityBallBase {
public:
    explicit PyxEntitySpriteBall(PyxEntitySpriteBallType* type);

    bool Draw() override;
    // The sprite's image size.
    void GetSize(std::int32_t& width, std::int32_t& height) override;
    std::uint32_t GetImage() override;

    PyxEntitySpriteBallType* SpriteBallType() const {
        return static_cast<PyxEntitySpriteBallType*>(Type());
    }
};

using PyxEntitySpriteBallPrototype = QxTypePrototype<PyxEntitySpriteBallType>;
