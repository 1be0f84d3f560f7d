#pragma once
// Sits under a board-object type that shows one animation: holds it as a part and reads
// its "Image", "AlphaImage" and "FrameRate" keys after the base type's keys.

#include "engine/entity/QxDefinition.h"
#include "game/objects/PyxAnimImage.h"

template <typename Base> class PyxAnimatedType : public Base {
public:
    explicit PyxAnimatedType(QxDefinition* definition) : Base(definition) {
        this->AddParts({&m_animation});
        if (definition) {
            m_animation.ReadKeys(*definition);
        }
    }

    const PyxAnimImage& Animation() const { return m_animation; }

protected:
    PyxAnimImage m_animation;
};
