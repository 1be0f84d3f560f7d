#include "game/objects/PyxEntityFloatingScore.h"

PyxEntityFloatingScoreType::PyxEntityFloatingScoreType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {}

PyxEntityFloatingScore::PyxEntityFloatingScore(PyxEntityFloatingScoreType* type)
    : PyxEntityTextExplosion(type) {}

bool PyxEntityFloatingScore::Update(float ms) {
    TextType()->Load(false);
    PyxEntityTextExplosion::Update(ms);
    if (m_trajectory) {
        m_alpha = BoardPixel((1.0f - m_trajectory->Progress()) * 255.0f);
        if (m_alpha < 1) {
            AddFlags(kObjectRemoved);
        }
    }
    return true;
}
