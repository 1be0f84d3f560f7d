#include "engine/gui/QxEntityMessageBox.h"

#include <algorithm>
#include <vector>

#include "app/QxMouseState.h"
#include "engine/gui/QxDialogParts.h"
#include "engine/gui/QxEntity2DGUIText.h"

namespace {

constexpr const char* kPartKeys[QxEntityMessageBoxType::kSlotCount] = {
    "TextEnt", "OKButtonEnt", "YesButtonEnt", "NoButtonEnt", "CancelButtonEnt"};

} // namespace

QxEntityMessageBoxType::QxEntityMessageBoxType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    ReadPartRefs(definition, kPartKeys, m_partRefs);
}

QxEntityMessageBox::QxEntityMessageBox(QxEntityMessageBoxType* type) : QxEntityDialogBox(type) {
    m_textPart = QxCreatePart<QxEntity2DGUIText>(type->m_partRefs[0], kKindText);
    if (m_textPart) {
        m_textPart->SetBool(kPropJustify, kJustifyCentre);
    }
    for (size_t i = 0; i < m_buttons.size(); ++i) {
        m_buttons[i] = QxCreatePart<QxEntity2DGUIElement>(type->m_partRefs[i + 1], kKindGUIElement);
    }
    LayOut();
}

bool QxEntityMessageBox::Update(float ms) {
    const bool result = QxEntityDialogBox::Update(ms);
    m_focus.FollowMouse(QxPoint{g_mouseState.x, g_mouseState.y});
    if (m_textPart) {
        m_textPart->Update(ms);
    }
    for (size_t i = 0; i < m_buttons.size(); ++i) {
        if (m_enabled[i] && m_buttons[i]) {
            m_buttons[i]->Update(ms);
        }
    }
    return result;
}

bool QxEntityMessageBox::Draw() {
    if (!IsVisible()) {
        return true;
    }
    QxEntityDialogBox::Draw();
    if (m_textPart) {
        m_textPart->Draw();
    }
    for (size_t i = 0; i < m_buttons.size(); ++i) {
        if (m_enabled[i] && m_buttons[i]) {
            m_buttons[i]->Draw();
        }
    }
    return true;
}

void QxEntityMessageBox::Invalidate() {
    QxEntityDialogBox::Invalidate();
    if (m_textPart) {
        m_textPart->Invalidate();
    }
    for (size_t i = 0; i < m_buttons.size(); ++i) {
        if (m_enabled[i] && m_buttons[i]) {
            m_buttons[i]->Invalidate();
        }
    }
}

bool QxEntityMessageBox::OnMouseUp(QxPoint point, int button) {
    if (!IsDragging()) {
        for (size_t i = 0; i < m_buttons.size(); ++i) {
            if (m_enabled[i] && m_buttons[i] && m_buttons[i]->Click(point)) {
                StopCountDown();
                Close(static_cast<std::int32_t>(i + 1));
                return true;
            }
        }
    }
    return QxEntityDialogBox::OnMouseUp(point, button);
}

bool QxEntityMessageBox::OnKey(int code) {
    QxEntityDialogBox::OnKey(code);
    switch (m_focus.OnKey(code)) {
    case QxKeyboardFocus::KeyResult::Moved:
        return true;
    case QxKeyboardFocus::KeyResult::Press:
        Close(FocusedSlot());
        return true;
    case QxKeyboardFocus::KeyResult::Ignored:
        break;
    }
    if (code < kKeyEnter || code > 'y') {
        return true;
    }
    if (code == kKeyEnter) {
        // Only without a button picture to focus (a definition that names none).
        if (m_enabled[0]) {
            Close(kAnswerOK);
        }
    } else if (code == 'Y' || code == 'y') {
        if (m_enabled[1]) {
            Close(kAnswerYes);
        }
    } else if (code == 'N' || code == 'n') {
        if (m_enabled[2]) {
            Close(kAnswerNo);
        }
    } else if (code == kKeyEscape) {
        Close(m_enabled[3] ? kAnswerCancel : m_enabled[2] ? kAnswerNo : kAnswerDismissed);
    }
    return true;
}

bool QxEntityMessageBox::OnKeyUp(int code) {
    m_focus.OnKeyUp(code);
    return QxEntityDialogBox::OnKeyUp(code);
}

int QxEntityMessageBox::FocusedSlot() const {
    const QxEntity2DGUIElement* focused = m_focus.Focused();
    for (size_t i = 0; i < m_buttons.size(); ++i) {
        if (focused != nullptr && m_enabled[i] && m_buttons[i].get() == focused) {
            return static_cast<int>(i) + 1;
        }
    }
    return 0;
}

void QxEntityMessageBox::SetText(const std::string& text) {
    m_text = text;
    if (m_textPart) {
        m_textPart->SetString(kPropText, text);
    }
    m_textSize = MeasureText();
    LayOut();
}

void QxEntityMessageBox::SetButtons(std::uint32_t buttonSet) {
    m_rowWidth = 0;
    m_rowHeight = 0;
    int shown = 0;
    for (size_t i = 0; i < m_buttons.size(); ++i) {
        m_enabled[i] = (buttonSet >> i) & 1u;
        if (m_enabled[i] && m_buttons[i]) {
            std::int32_t width = 0;
            std::int32_t height = 0;
            QxPartSize(m_buttons[i].get(), width, height);
            m_rowHeight = std::max(m_rowHeight, height);
            m_rowWidth += width;
            ++shown;
        }
    }
    if ((buttonSet & 0xFu) != 0) {
        m_rowHeight += kRowGap;
    }
    if (shown > 1) {
        m_rowWidth += kRowGap * (shown - 1);
    }
    std::vector<QxEntity2DGUIElement*> row;
    for (size_t i = 0; i < m_buttons.size(); ++i) {
        if (m_enabled[i]) {
            row.push_back(m_buttons[i].get());
        }
    }
    m_focus.SetControls(row);
    m_textSize = MeasureText();
    const std::int32_t contentWidth = std::max(m_textSize.width, m_rowWidth) + 2 * kSideMargin;
    const std::int32_t contentHeight = m_textSize.height + m_rowHeight;
    SetSize(contentWidth + FrameWidthExtra(), contentHeight + FrameHeightExtra());
}

QxEntity2DGUIElement* QxEntityMessageBox::Part(int slot) const {
    if (slot == QxEntityMessageBoxType::kSlotText) {
        return m_textPart.get();
    }
    if (slot < QxEntityMessageBoxType::kSlotOK || slot > QxEntityMessageBoxType::kSlotCancel) {
        return nullptr;
    }
    return m_buttons[static_cast<size_t>(slot - 1)].get();
}

void QxEntityMessageBox::LayOut() {
    const QxPoint origin = ContentOrigin();
    const std::int32_t contentWidth = std::max(0, m_width - FrameWidthExtra());
    if (m_textPart) {
        // Centred text: its position is the middle of the line.
        m_textPart->SetPosition(QxPoint{origin.x + contentWidth / 2, origin.y});
    }
    std::int32_t x = origin.x + (contentWidth - m_rowWidth) / 2;
    const std::int32_t y = origin.y + m_textSize.height + kRowGap;
    for (size_t i = 0; i < m_buttons.size(); ++i) {
        if (!m_enabled[i] || !m_buttons[i]) {
            continue;
        }
        std::int32_t width = 0;
        std::int32_t height = 0;
        QxPartSize(m_buttons[i].get(), width, height);
        m_buttons[i]->SetPosition(QxPoint{x, y});
        x += width + kRowGap;
    }
}

QxExtent QxEntityMessageBox::MeasureText() {
    if (!m_textPart) {
        return QxExtent{};
    }
    m_textPart->Update(0.0f);
    QxExtent size;
    m_textPart->GetBool(kPropTextWidth, size.width);
    m_textPart->GetBool(kPropTextHeight, size.height);
    if (size.width <= 0 && !m_text.empty()) {
        // An unwrapped text does not measure itself: estimate from the font's cells.
        size.width = static_cast<std::int32_t>(m_text.size()) *
                     QxValueProperty(m_textPart.get(), kPropCellAdvance);
    }
    return size;
}
