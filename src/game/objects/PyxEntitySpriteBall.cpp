#include "game/objects/PyxEntitySpriteBall.h"

#include <string>

#include "engine/entity/QxDefinition.h"

PyxEntitySpriteBallType::PyxEntitySpriteBallType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    AddParts({&m_sprite});
    if (!definition) {
        return;
    }
    m_sprite.ReadTypeName(*definition, "ImageEntType");
    float radius = 0.0f;
    if (definition->ReadKey("Radius", radius)) {
        SetRadius(radius);
    }
}

PyxEntitySpriteBall::PyxEntitySpriteBall(PyxEntitySpriteBallType* type) : PyxEntityBallBase(type) {}

bool PyxEntitySpriteBall::Draw() {
    SpriteBallType()->Load(false);
    SpriteBallType()->Sprite().DrawAt(m_drawX, m_drawY);
    return true;
}

void PyxEntitySpriteBall::GetSize(std::int32_t& width, std::int32_t& height) {
    SpriteBallType()->Sprite().Size(width, height);
}

std::uint32_t PyxEntitySpriteBall::GetImage() {
    return SpriteBallType()->Sprite().Surface();
}
