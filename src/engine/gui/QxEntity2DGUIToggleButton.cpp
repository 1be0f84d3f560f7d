#include "engine/gui/QxEntity2DGUIToggleButton.h"

#include <algorithm>
#include <string>

// ---- type ------------------------------------------------------------------------

QxEntity2DGUIToggleButtonType::QxEntity2DGUIToggleButtonType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    if (!definition) {
        return;
    }
    definition->ReadKey("NumStates", m_numStates);
    m_numStates = std::clamp(m_numStates, 0, kMaxStates);
    for (int32_t n = 1; n <= m_numStates; ++n) {
        definition->ReadKey("Button" + std::to_string(n) + "Ent",
                            m_buttonRefs[static_cast<size_t>(n - 1)]);
    }
}

// ---- entity ----------------------------------------------------------------------

QxEntity2DGUIToggleButton::QxEntity2DGUIToggleButton(QxEntity2DGUIToggleButtonType* type)
    : QxEntity2DGUIElement(type) {
    for (int32_t n = 0; n < type->m_numStates; ++n) {
        m_buttons.push_back(QxCreateButton(type->m_buttonRefs[static_cast<size_t>(n)]));
    }
}

QxEntity2DGUIButton* QxEntity2DGUIToggleButton::CurrentButton() const {
    if (m_state < 0 || m_state >= StateCount()) {
        return nullptr;
    }
    return m_buttons[static_cast<size_t>(m_state)].get();
}

bool QxEntity2DGUIToggleButton::SetBool(int id, int32_t value) {
    if (id == kPropToggleState) {
        Invalidate();
        m_state = std::clamp(value, 0, std::max(StateCount() - 1, 0));
        Invalidate();
        return true;
    }
    return QxEntity2DGUIElement::SetBool(id, value);
}

bool QxEntity2DGUIToggleButton::GetBool(int id, int32_t& value) {
    if (id == kPropToggleState) {
        value = m_state;
        return true;
    }
    return QxEntity2DGUIElement::GetBool(id, value);
}

bool QxEntity2DGUIToggleButton::SetInt(int id, int32_t value) {
    if (id == kPropFocused) {
        for (auto& button : m_buttons) {
            if (button) {
                button->SetInt(id, value);
            }
        }
        return true;
    }
    if (id == kPropHoverSound) {
        QxEntity2DGUIButton* button = CurrentButton();
        return button != nullptr && button->SetInt(id, value);
    }
    return QxEntity2DGUIElement::SetInt(id, value);
}

bool QxEntity2DGUIToggleButton::GetInt(int id, int32_t& value) {
    if (id == kPropFocused) {
        QxEntity2DGUIButton* button = CurrentButton();
        return button != nullptr && button->GetInt(id, value);
    }
    return QxEntity2DGUIElement::GetInt(id, value);
}

bool QxEntity2DGUIToggleButton::Update(float ms) {
    if (QxEntity2DGUIButton* button = CurrentButton()) {
        button->SetPosition(GetPosition());
        button->Update(ms);
        const QxRect rect = button->GetRect();
        m_width = rect.Width();
        m_height = rect.Height();
    }
    return QxEntity2DGUIElement::Update(ms);
}

bool QxEntity2DGUIToggleButton::Draw() {
    if (!IsVisible()) {
        return true;
    }
    if (QxEntity2DGUIButton* button = CurrentButton()) {
        button->SetPosition(GetPosition());
        button->SetAlpha(m_alpha);
        button->Draw();
    }
    return true;
}

void QxEntity2DGUIToggleButton::Invalidate() {
    if (QxEntity2DGUIButton* button = CurrentButton()) {
        button->Invalidate();
    }
}

void QxEntity2DGUIToggleButton::SetPosition(QxPoint position) {
    QxEntity2DGUIElement::SetPosition(position);
    for (auto& button : m_buttons) {
        if (button) {
            button->SetPosition(position);
        }
    }
}

void QxEntity2DGUIToggleButton::SetDisabled(bool disabled) {
    QxEntity2DGUIElement::SetDisabled(disabled);
    for (auto& button : m_buttons) {
        if (button) {
            button->SetDisabled(disabled);
        }
    }
}

bool QxEntity2DGUIToggleButton::Click(QxPoint point) {
    QxEntity2DGUIButton* button = CurrentButton();
    if (!button || !button->Click(point)) {
        return false;
    }
    Invalidate();
    m_state = (m_state + 1) % StateCount();
    Invalidate();
    return true;
}

bool QxEntity2DGUIToggleButton::Contains(QxPoint point) {
    QxEntity2DGUIButton* button = CurrentButton();
    return button && button->Contains(point);
}
