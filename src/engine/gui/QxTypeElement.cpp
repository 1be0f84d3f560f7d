#include "engine/gui/QxTypeElement.h"

QxTypeElement::~QxTypeElement() = default;

void QxTypeElement::LoadPart(bool reload) {
    if (!m_element) {
        m_element = QxCreateGUIElement(reference, m_kind);
    }
    if (m_element && m_element->Type()) {
        m_element->Type()->Load(reload);
    }
}

void QxTypeElement::ReleasePart() {
    m_element.reset();
}
