#pragma once
// A ball with a face: the animated body of PyxEntityAnimSpriteBall with eyes on top.
// The eyes look the way the ball rolls and show an expression: 1 at ease, 2 when fast
// or just after a hit, and whatever others set for a while (the claw shows 5).

#include <cstdint>
#include <memory>

#include "game/objects/PyxEntityAnimSpriteBall.h"

class PyxEntityCharacterBall;

inline constexpr std::uint32_t kKindCharacterBall = QxKindTag("CHBL");

class PyxEntityCharacterBallType
    : public QxEntityTypeOf<PyxEntityCharacterBallType, PyxEntityCharacterBall,
                            PyxEntityAnimSpriteBallType, kKindCharacterBall> {
public:
    // Where the eyes sit, by the direction index of the face (1 right, 2 left, 3 up,
    // 4 down); index 0 is unused.
    struct Offset {
        std::int32_t x = 0;
        std::int32_t y = 0;
    };

    // Reads the keys of the animated ball, "Eyes" (an image list) and "OffsetUp",
    // "OffsetDown", "OffsetLeft", "OffsetRight" (x, y each).
    explicit PyxEntityCharacterBallType(QxDefinition* definition);

    const PyxAnimImage& Eyes() const { return m_eyes; }
    Offset EyeOffset(std::int32_t directionIndex) const;

private:
    PyxAnimImage m_eyes;
    Offset m_offsets[5];
};

class PyxEntityCharacterBall : public PyxEntityAnimSpriteBall {
public:
    // The expression the face shows while nothing else was set.
    static constexpr std::int32_t kCalm = 1;
    static constexpr std::int32_t kExcited = 2;
    // Faster than this shows kExcited.
    static constexpr float kExcitedSpeed = 0.224f;
    // Eye frames per expression in the "Eyes" list.
    static constexpr std::int32_t kFramesPerExpression = 5;

    explicit PyxEntityCharacterBall(PyxEntityCharacterBallType* type);

    // The ball update, then the face: which way it looks and what it shows. The rules'
    // mascot is given the expression.
    bool Update(float ms) override;
    // The body, then the eyes at the offset for the direction.
    bool Draw() override;

    // Shows the expression for the duration in milliseconds.
    virtual void SetExpression(std::int32_t expression, float durationMs);

    // 1 right, 2 left, 3 up, 4 down.
    std::int32_t DirectionIndex() const { return m_directionIndex; }
    std::int32_t EyeFrame() const { return m_directionIndex + m_expression * kFramesPerExpression; }

    PyxEntityCharacterBallType* CharacterType() const {
        return static_cast<PyxEntityCharacterBallType*>(Type());
    }

private:
    std::int32_t m_directionIndex = 1;
    std::int32_t m_expression = kCalm;
    float m_expressionTimer = 0.0f;
};

using PyxEntityCharacterBallPrototype = QxTypePrototype<PyxEntityCharacterBallType>;
