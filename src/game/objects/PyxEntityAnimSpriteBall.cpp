#include "game/objects/PyxEntityAnimSpriteBall.h"

#include "engine/entity/QxDefinition.h"
#include "engine/files/QxResourceCache.h"

PyxEntityAnimSpriteBallType::PyxEntityAnimSpriteBallType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    if (!definition) {
        return;
    }
    float radius = 0.0f;
    if (definition->ReadKey("Radius", radius)) {
        SetRadius(radius);
    }
}

PyxEntityAnimSpriteBall::PyxEntityAnimSpriteBall(PyxEntityAnimSpriteBallType* type)
    : PyxEntityBallBase(type) {}

bool PyxEntityAnimSpriteBall::Update(float ms) {
    PyxEntityAnimSpriteBallType* type = AnimType();
    type->Load(false);
    m_framePosition = type->Animation().Advance(m_framePosition, ms);
    return PyxEntityBallBase::Update(ms);
}

bool PyxEntityAnimSpriteBall::Draw() {
    PyxEntityAnimSpriteBallType* type = AnimType();
    type->Load(false);
    // Surfaces vanish when the display mode changes: get them again first.
    if (type->Animation().SurfacesLost()) {
        type->Load(true);
    }
    type->Animation().Draw(CurrentFrame(), m_drawX, m_drawY, m_alpha);
    return true;
}

void PyxEntityAnimSpriteBall::GetSize(std::int32_t& width, std::int32_t& height) {
    const PyxAnimImage& animation = AnimType()->Animation();
    const QxImageListFrame* frame = animation.Frame(CurrentFrame());
    if (!frame) {
        frame = animation.Frame(0);
    }
    width = frame ? frame->width : 0;
    height = frame ? frame->height : 0;
}

std::uint32_t PyxEntityAnimSpriteBall::GetImage() {
    const QxImageListFrame* frame = AnimType()->Animation().Frame(CurrentFrame());
    return frame ? frame->surface : kNoImage;
}
