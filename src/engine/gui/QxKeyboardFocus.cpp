#include "engine/gui/QxKeyboardFocus.h"

#include "app/QxInputEvent.h"
#include "engine/gui/QxEntity2DGUIButton.h"
#include "engine/gui/QxEntity2DGUIElement.h"

namespace {

constexpr int kKeyTab = 9;
constexpr int kKeyEnter = 13;
constexpr int kKeySpace = 32;

} // namespace

void QxKeyboardFocus::SetControls(const std::vector<QxEntity2DGUIElement*>& controls) {
    m_controls.clear();
    for (QxEntity2DGUIElement* control : controls) {
        // Only buttons and toggles answer the focus property: the rest cannot show it.
        if (control != nullptr && control->SetInt(kPropFocused, 0)) {
            m_controls.push_back(control);
        }
    }
    m_focus = 0;
    while (m_focus < m_controls.size() && !CanFocus(m_focus)) {
        ++m_focus;
    }
    if (m_focus == m_controls.size()) {
        m_focus = 0;
    }
    SetFocus(m_focus, false);
}

bool QxKeyboardFocus::FocusOn(const QxEntity2DGUIElement* control) {
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        if (m_controls[i] == control) {
            SetFocus(i, false);
            return true;
        }
    }
    return false;
}

QxEntity2DGUIElement* QxKeyboardFocus::Focused() const {
    return m_focus < m_controls.size() && CanFocus(m_focus) ? m_controls[m_focus] : nullptr;
}

bool QxKeyboardFocus::CanFocus(std::size_t index) const {
    const QxEntity2DGUIElement* control = m_controls[index];
    return control->IsVisible() && !control->IsDisabled();
}

void QxKeyboardFocus::Show(bool shown) {
    if (shown != m_shown) {
        m_shown = shown;
        SetFocus(m_focus, false);
    }
}

void QxKeyboardFocus::SetFocus(std::size_t index, bool announce) {
    m_focus = index;
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        m_controls[i]->SetInt(kPropFocused, m_shown && i == index ? 1 : 0);
    }
    if (announce && index < m_controls.size()) {
        m_controls[index]->SetInt(kPropHoverSound, 1);
    }
}

bool QxKeyboardFocus::Step(int step, bool wrap) {
    const auto count = static_cast<std::ptrdiff_t>(m_controls.size());
    auto at = static_cast<std::ptrdiff_t>(m_focus);
    for (std::ptrdiff_t tried = 1; tried < count; ++tried) {
        at += step;
        if (at < 0 || at >= count) {
            if (!wrap) {
                return false;
            }
            at = (at + count) % count;
        }
        if (CanFocus(static_cast<std::size_t>(at))) {
            SetFocus(static_cast<std::size_t>(at), true);
            return true;
        }
    }
    return false;
}

QxKeyboardFocus::KeyResult QxKeyboardFocus::OnKey(int code) {
    if (code == QxKey::Shift) {
        m_shiftHeld = true;
        return KeyResult::Ignored;
    }
    if (m_controls.empty()) {
        return KeyResult::Ignored;
    }
    bool moved = false;
    switch (code) {
    case QxKey::Up:
    case QxKey::Left:
        moved = Step(-1, false);
        break;
    case QxKey::Down:
    case QxKey::Right:
        moved = Step(1, false);
        break;
    case kKeyTab:
        moved = Step(m_shiftHeld ? -1 : 1, true);
        break;
    case kKeyEnter:
    case kKeySpace:
        return Focused() != nullptr ? KeyResult::Press : KeyResult::Ignored;
    default:
        break;
    }
    return moved ? KeyResult::Moved : KeyResult::Ignored;
}

void QxKeyboardFocus::OnKeyUp(int code) {
    if (code == QxKey::Shift) {
        m_shiftHeld = false;
    }
}

void QxKeyboardFocus::FollowMouse(QxPoint mouse, bool follow) {
    const bool moved = m_mouseSeen && !(mouse == m_mouse);
    m_mouse = mouse;
    m_mouseSeen = true;
    if (!moved || !follow) {
        return;
    }
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        if (i != m_focus && CanFocus(i) && m_controls[i]->Contains(mouse)) {
            SetFocus(i, false);
            return;
        }
    }
}

QxPoint QxKeyboardFocus::PressPoint() const {
    const QxEntity2DGUIElement* control = Focused();
    if (control == nullptr) {
        return m_mouse;
    }
    const QxRect rect = control->GetRect();
    return QxPoint{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}
