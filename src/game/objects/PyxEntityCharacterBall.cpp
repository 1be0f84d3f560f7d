#include "game/objects/PyxEntityCharacterBall.h"

#include "engine/entity/QxDefinition.h"
#include "game/objects/PyxGameEvents.h"

namespace {

constexpr const char* kOffsetKeys[5] = {nullptr, "OffsetRight", "OffsetLeft", "OffsetUp",
                                        "OffsetDown"};

} // namespace

PyxEntityCharacterBallType::PyxEntityCharacterBallType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    AddParts({&m_eyes});
    if (!definition) {
        return;
    }
    definition->ReadKey("Eyes", m_eyes.image);
    for (int i = 1; i < 5; ++i) {
        std::int32_t xy[2] = {0, 0};
        if (definition->ReadKey(kOffsetKeys[i], xy)) {
            m_offsets[i] = {xy[0], xy[1]};
        }
    }
}

PyxEntityCharacterBallType::Offset
PyxEntityCharacterBallType::EyeOffset(std::int32_t directionIndex) const {
    if (directionIndex < 1 || directionIndex > 4) {
        return {};
    }
    return m_offsets[directionIndex];
}

PyxEntityCharacterBall::PyxEntityCharacterBall(PyxEntityCharacterBallType* type)
    : PyxEntityAnimSpriteBall(type) {}

bool PyxEntityCharacterBall::Update(float ms) {
    const bool result = PyxEntityAnimSpriteBall::Update(ms);
    if (m_direction.x > 0.0f) {
        m_directionIndex = 1;
    } else if (m_direction.x < 0.0f) {
        m_directionIndex = 2;
    } else if (m_direction.y < 0.0f) {
        m_directionIndex = 3;
    } else if (m_direction.y > 0.0f) {
        m_directionIndex = 4;
    }

    if (m_expressionTimer > 0.0f) {
        m_expressionTimer -= ms;
    } else {
        m_expression = m_speed > kExcitedSpeed ? kExcited : kCalm;
    }

    if (PyxGameEvents* events = GameEvents()) {
        events->SetMascotExpression(m_expression);
    }
    return result;
}

bool PyxEntityCharacterBall::Draw() {
    PyxEntityAnimSpriteBall::Draw();
    PyxEntityCharacterBallType* type = CharacterType();
    const PyxEntityCharacterBallType::Offset offset = type->EyeOffset(m_directionIndex);
    type->Eyes().Draw(EyeFrame(), m_drawX + offset.x, m_drawY + offset.y, m_alpha);
    return true;
}

void PyxEntityCharacterBall::SetExpression(std::int32_t expression, float durationMs) {
    m_expression = expression;
    m_expressionTimer = durationMs;
}
