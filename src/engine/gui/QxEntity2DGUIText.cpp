#include "engine/gui/QxEntity2DGUIText.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "app/QxGlobals.h"
#include "engine/entity/QxEntityRegistry.h"
#include "engine/gui/QxEntity2DGUIFont.h"
#include "engine/screen/QxScreen2D.h"

namespace {

std::string Masked(const std::string& text) {
    return std::string(text.size(), '*');
}

int32_t ClampToInt(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

// Where a line drawn at x with the justification starts.
int32_t LineStart(QxEntity2DGUIFont& font, const std::string& line, int32_t x, int32_t justify) {
    const uint32_t width = font.TextWidth(line, false);
    if (justify == kJustifyCentre) {
        return ClampToInt(int64_t(x) - int64_t(width / 2));
    }
    if (justify == kJustifyRight) {
        return ClampToInt(int64_t(x) - int64_t(width));
    }
    return x;
}

} // namespace

// ---- type ------------------------------------------------------------------------

QxEntity2DGUITextType::QxEntity2DGUITextType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    AddParts({&m_font});
    if (!definition) {
        return;
    }
    definition->ReadKey("FontEnt", m_font.reference);
    definition->ReadKey("DefaultText", m_defaultText);
    definition->ReadKey("ClickWidth", m_clickWidth);
    definition->ReadKey("WrapWidth", m_wrapWidth);
    definition->ReadKey("WindowSize", m_windowSize);
    definition->ReadKey("DefaultJustify", m_defaultJustify);
    definition->ReadKey("Password", m_password);
    definition->ReadKey("NumbersOnly", m_numbersOnly);
    definition->ReadKey("IPAddress", m_ipAddress);
}

// ---- entity ----------------------------------------------------------------------

QxEntity2DGUIText::QxEntity2DGUIText(QxEntity2DGUITextType* type)
    : QxEntity2DGUIElement(type), m_text(type->m_defaultText), m_justify(type->m_defaultJustify),
      m_windowSize(type->m_windowSize) {
    m_alpha = 255;
}

QxEntity2DGUIFont* QxEntity2DGUIText::GetFont() {
    return TextType()->Font();
}

bool QxEntity2DGUIText::IsWrapped() const {
    return TextType()->m_wrapWidth >= 1;
}

int32_t QxEntity2DGUIText::FontCellAdvance() {
    QxEntity2DGUIFont* font = GetFont();
    return font ? font->CellAdvance() : 0;
}

int32_t QxEntity2DGUIText::FontLineHeight() {
    QxEntity2DGUIFont* font = GetFont();
    return font ? font->LineHeight() : 0;
}

int32_t QxEntity2DGUIText::TextHeight() {
    const int32_t lineHeight = FontLineHeight();
    if (IsWrapped() && !m_lines.empty()) {
        return ClampToInt((int64_t(lineHeight) + 3) * int64_t(m_lines.size()) - 2);
    }
    return lineHeight + 1;
}

void QxEntity2DGUIText::ReplaceText(const std::string& text) {
    m_text = text;
    m_cursor = std::min(m_cursor, m_text.size());
    m_dirty = true;
}

bool QxEntity2DGUIText::SetBool(int id, int32_t value) {
    switch (id) {
    case kPropJustify:
        Invalidate();
        m_justify = value;
        Invalidate();
        return true;
    case kPropTextReset:
        Invalidate();
        ReplaceText(TextType()->m_defaultText);
        Invalidate();
        return true;
    case kPropEditing:
        Invalidate();
        m_editing = value != 0;
        if (m_editing) {
            m_cursor = m_text.size();
        }
        Invalidate();
        return true;
    case kPropTextAlpha:
        SetAlpha(static_cast<uint32_t>(std::clamp(value, 0, 255)));
        return true;
    case kPropMaxLength:
        m_maxLength = static_cast<size_t>(std::max(value, 0));
        if (m_text.size() > m_maxLength) {
            Invalidate();
            ReplaceText(m_text.substr(0, m_maxLength));
        }
        return true;
    case kPropWindowSize:
        Invalidate();
        m_windowSize = value;
        Invalidate();
        return true;
    case kPropCursor:
        m_cursor = std::min(static_cast<size_t>(std::max(value, 0)), m_text.size());
        Invalidate();
        return true;
    default:
        break;
    }
    if (QxEntity2DGUIElement::SetBool(id, value)) {
        return true;
    }
    QxEntity2DGUIFont* font = GetFont();
    return font && font->SetBool(id, value);
}

bool QxEntity2DGUIText::GetBool(int id, int32_t& value) {
    switch (id) {
    case kPropTextAlpha:
        value = static_cast<int32_t>(m_alpha);
        return true;
    case kPropTextWidth:
        value = ClampToInt(m_textWidth);
        return true;
    case kPropTextHeight:
        value = TextHeight();
        return true;
    case kPropWindowSize:
        value = m_windowSize;
        return true;
    default:
        break;
    }
    if (QxEntity2DGUIElement::GetBool(id, value)) {
        return true;
    }
    QxEntity2DGUIFont* font = GetFont();
    return font && font->GetBool(id, value);
}

bool QxEntity2DGUIText::SetString(int id, const std::string& text) {
    if (id == kPropText) {
        Invalidate();
        ReplaceText(text);
        Invalidate();
        return true;
    }
    return QxEntity2DGUIElement::SetString(id, text);
}

bool QxEntity2DGUIText::GetString(int id, std::string& text) {
    if (id == kPropTextGet) {
        text = m_text;
        return true;
    }
    return QxEntity2DGUIElement::GetString(id, text);
}

bool QxEntity2DGUIText::HandleKey(int code) {
    QxEntity2DGUITextType* type = TextType();
    QxTextEditRules rules;
    rules.numbersOnly = type->m_numbersOnly;
    rules.ipAddress = type->m_ipAddress;
    rules.wrapWidth = type->m_wrapWidth;
    rules.maxLength = m_maxLength;
    Invalidate();
    const bool accepted = rules.HandleKey(m_text, m_cursor, code);
    m_dirty = true;
    Invalidate();
    return accepted;
}

bool QxEntity2DGUIText::Update(float ms) {
    QxEntity2DGUITextType* type = TextType();
    type->Load(false);
    if (m_dirty && type->m_wrapWidth >= 1) {
        Invalidate();
        QxEntity2DGUIFont* font = GetFont();
        if (font) {
            m_lines = QxFontMetrics::WrapByCount(m_text, type->m_wrapWidth, nullptr);
        } else {
            m_lines.assign(1, m_text);
        }
        uint32_t widest = 0;
        if (font) {
            if (m_lines.empty()) {
                widest = font->TextWidth(m_text, false);
            }
            for (const std::string& line : m_lines) {
                widest = std::max(widest, font->TextWidth(line, false));
            }
        }
        m_textWidth = widest;
        Invalidate();
    }
    if (m_editing) {
        // A remainder rather than a loop of additions, so a huge or broken frame
        // time cannot stall the frame.
        m_caretTimer = std::isfinite(m_caretTimer - ms) ? m_caretTimer - ms : 0.0f;
        if (m_caretTimer < 0.0f) {
            m_caretTimer = std::fmod(m_caretTimer, kCaretPeriodMs);
            if (m_caretTimer < 0.0f) {
                m_caretTimer += kCaretPeriodMs;
            }
        }
        Invalidate();
    }
    m_dirty = false;
    return QxEntity2DGUIElement::Update(ms);
}

bool QxEntity2DGUIText::Draw() {
    QxEntity2DGUIFont* font = GetFont();
    if (!font) {
        return true;
    }
    QxEntity2DGUITextType* type = TextType();
    font->SetBool(kPropTintBlue, m_tint.blue);
    font->SetBool(kPropTintGreen, m_tint.green);
    font->SetBool(kPropTintRed, m_tint.red);
    font->SetBool(kPropTintSwitch, m_tint.alpha);
    font->SetPulse(m_pulseValue, m_pulseRate);
    const QxColour* tint = m_tint.alpha != 0 ? &m_tint : nullptr;

    // The line that holds the caret and the caret's index in it.
    std::string caretLine;
    size_t caretIndex = 0;
    int32_t caretY = m_y;

    if (m_windowSize > 0) {
        const auto window = QxTextEditRules::ShowWindow(m_text, m_cursor, m_windowSize);
        font->DrawString(window.shown, QxPoint{m_x, m_y}, m_justify, m_alpha, tint);
        caretLine = window.shown;
        caretIndex = window.caret;
    } else if (IsWrapped() && !m_lines.empty()) {
        const int32_t step = font->LineHeight() + 2;
        for (size_t i = 0; i < m_lines.size(); ++i) {
            const std::string line = type->m_password ? Masked(m_lines[i]) : m_lines[i];
            const int32_t y = ClampToInt(int64_t(m_y) + int64_t(i) * step);
            font->DrawString(line, QxPoint{m_x, y}, m_justify, m_alpha, tint);
        }
        if (m_editing) {
            const auto spans = QxFontMetrics::WrapSpans(m_text, type->m_wrapWidth);
            size_t line = 0;
            for (size_t i = 0; i < spans.size() && i < m_lines.size(); ++i) {
                if (spans[i].start <= m_cursor) {
                    line = i;
                }
            }
            caretLine = type->m_password ? Masked(m_lines[line]) : m_lines[line];
            caretIndex = spans.empty() ? 0 : m_cursor - std::min(m_cursor, spans[line].start);
            caretY = ClampToInt(int64_t(m_y) + int64_t(line) * step);
        }
    } else {
        const std::string shown = type->m_password ? Masked(m_text) : m_text;
        font->DrawString(shown, QxPoint{m_x, m_y}, m_justify, m_alpha, tint);
        caretLine = shown;
        caretIndex = m_cursor;
    }

    if (CaretShown()) {
        const uint32_t before = caretIndex > caretLine.size()
                                    ? font->TextWidth(caretLine, false)
                                    : font->TextWidth(caretLine.substr(0, caretIndex), true);
        // The caret sits where its character is drawn, so it follows the line's
        // justification.
        const int32_t start = LineStart(*font, caretLine, m_x, m_justify);
        const int32_t x = ClampToInt(int64_t(start) + int64_t(before) - 1);
        font->DrawString("_", QxPoint{x, caretY}, kJustifyLeft, m_alpha, tint);
    }
    return true;
}

bool QxEntity2DGUIText::Click(QxPoint point) {
    QxEntity2DGUITextType* type = TextType();
    const int64_t width = type->m_clickWidth >= 0
                              ? int64_t(type->m_clickWidth)
                              : int64_t(m_text.size()) * int64_t(FontCellAdvance());
    const int64_t height = FontLineHeight();
    int64_t left = m_x;
    if (m_justify == kJustifyRight) {
        left -= width;
    } else if (m_justify == kJustifyCentre) {
        left -= width / 2;
    }
    m_width = ClampToInt(width);
    m_height = ClampToInt(height);
    return left < point.x && point.x < left + width && m_y < point.y && point.y < m_y + height;
}

void QxEntity2DGUIText::Invalidate() {
    if (!g_screen) {
        return;
    }
    QxEntity2DGUITextType* type = TextType();
    const int64_t advance = FontCellAdvance();
    const int64_t lineHeight = FontLineHeight();
    const bool wrapped = IsWrapped();
    int64_t width = wrapped ? (int64_t(type->m_wrapWidth) + 1) * (advance + 1)
                            : (int64_t(m_text.size()) + 1) * (advance + 1);
    if (m_editing) {
        width += 2 * advance;
    }
    const int64_t height =
        wrapped ? (lineHeight + 3) * int64_t(m_lines.size()) - 2 : lineHeight + 1;
    int64_t left = m_x;
    if (m_justify == kJustifyRight) {
        left -= width;
    } else if (m_justify == kJustifyCentre) {
        left -= width / 2;
    }
    QxRect rect;
    rect.left = ClampToInt(left);
    rect.right = ClampToInt(left + width);
    rect.top = m_y;
    rect.bottom = ClampToInt(int64_t(m_y) + height);
    g_screen->MarkDirty(rect, false);
}
