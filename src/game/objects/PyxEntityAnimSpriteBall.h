#pragma once
// A ball drawn as an animation: an image list that runs at the type's frame rate, with
// an optional alpha image, drawn with the ball's alpha while that is below 255.

#include <memory>

#include "game/objects/PyxAnimatedType.h"
#include "game/objects/PyxEntityBallBase.h"

class PyxEntityAnimSpriteBall;

inline constexpr std::uint32_t kKindAnimSpriteBall = QxKindTag("ASBL");

class PyxEntityAnimSpriteBallType
    : public QxEntityTypeOf<PyxEntityAnimSpriteBallType, PyxEntityAnimSpriteBall,
                            PyxAnimatedType<PyxEntityBallBaseType>, kKindAnimSpriteBall> {
public:
    // Reads "Image", "Radius", "FrameRate" and "AlphaImage".
    explicit PyxEntityAnimSpriteBallType(QxDefinition* definition);
};

class PyxEntityAnimSpriteBall : public PyxEntityBallBase {
public:
    explicit PyxEntityAnimSpriteBall(PyxEntityAnimSpriteBallType* type);

    // Advances the animation, then the ball update.
    bool Update(float ms) override;
    bool Draw() override;
    // The size of the frame shown (of the first frame when none is).
    void GetSize(std::int32_t& width, std::int32_t& height) override;
    // The surface of the frame shown.
    std::uint32_t GetImage() override;

    std::int32_t CurrentFrame() const { return std::int32_t(m_framePosition); }

    PyxEntityAnimSpriteBallType* AnimType() const {
        return static_cast<PyxEntityAnimSpriteBallType*>(Type());
    }

protected:
    float m_framePosition = 0.0f;
};

using PyxEntityAnimSpriteBallPrototype = QxTypePrototype<PyxEntityAnimSpriteBallType>;
