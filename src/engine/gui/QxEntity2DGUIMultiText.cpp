#include "engine/gui/QxEntity2DGUIMultiText.h"

#include <algorithm>
#include <limits>

#include "app/QxGlobals.h"
#include "engine/entity/QxEntityRegistry.h"
#include "engine/gui/QxEntity2DGUIFont.h"
#include "engine/screen/QxScreen2D.h"

namespace {

int32_t ClampToInt(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

} // namespace

// ---- type ------------------------------------------------------------------------

QxEntity2DGUIMultiTextType::QxEntity2DGUIMultiTextType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    AddParts({&m_titleFont, &m_mainFont});
    if (!definition) {
        return;
    }
    definition->ReadKey("TitleFontEnt", m_titleFont.reference);
    definition->ReadKey("MainFontEnt", m_mainFont.reference);
    definition->ReadKey("DefaultText", m_defaultText);
    definition->ReadKey("DefaultJustify", m_defaultJustify);
    definition->ReadKey("WrapWidth", m_wrapWidth);
}

// ---- entity ----------------------------------------------------------------------

QxEntity2DGUIMultiText::QxEntity2DGUIMultiText(QxEntity2DGUIMultiTextType* type)
    : QxEntity2DGUIElement(type), m_justify(type->m_defaultJustify) {
    SetText(type->m_defaultText);
}

QxEntity2DGUIFont* QxEntity2DGUIMultiText::GetFont() {
    return MultiTextType()->MainFont();
}

std::vector<std::string> QxEntity2DGUIMultiText::SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t pair = text.find("\r\n"); pair != std::string::npos;
         pair = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, pair - start));
        start = pair + 2;
    }
    lines.push_back(text.substr(start));
    return lines;
}

void QxEntity2DGUIMultiText::SetText(const std::string& text) {
    m_text = text;
    m_lines = SplitLines(text);
    m_measured = false;
}

void QxEntity2DGUIMultiText::Measure() {
    MultiTextType()->Load(false);
    QxEntity2DGUIFont* main = MultiTextType()->MainFont();
    uint32_t widest = 0;
    int64_t lineHeight = 0;
    if (main) {
        for (const std::string& line : m_lines) {
            widest = std::max(widest, main->TextWidth(line, false));
        }
        lineHeight = main->LineHeight();
    }
    m_textWidth = ClampToInt(widest);
    m_textHeight = ClampToInt((lineHeight + 2) * int64_t(m_lines.size()) - 2);
    m_measured = true;
}

int32_t QxEntity2DGUIMultiText::TextWidth() {
    if (!m_measured) {
        Measure();
    }
    return m_textWidth;
}

int32_t QxEntity2DGUIMultiText::TextHeight() {
    if (!m_measured) {
        Measure();
    }
    return m_textHeight;
}

bool QxEntity2DGUIMultiText::SetBool(int id, int32_t value) {
    if (id == kPropJustify) {
        Invalidate();
        m_justify = value;
        Invalidate();
        return true;
    }
    return QxEntity2DGUIElement::SetBool(id, value);
}

bool QxEntity2DGUIMultiText::GetBool(int id, int32_t& value) {
    if (id == kPropTextWidth) {
        value = TextWidth();
        return true;
    }
    if (id == kPropTextHeight) {
        value = TextHeight();
        return true;
    }
    return QxEntity2DGUIElement::GetBool(id, value);
}

bool QxEntity2DGUIMultiText::SetString(int id, const std::string& text) {
    if (id == kPropText) {
        Invalidate();
        SetText(text);
        Measure();
        Invalidate();
        return true;
    }
    return QxEntity2DGUIElement::SetString(id, text);
}

bool QxEntity2DGUIMultiText::GetString(int id, std::string& text) {
    if (id == kPropTextGet) {
        text = m_text;
        return true;
    }
    return QxEntity2DGUIElement::GetString(id, text);
}

bool QxEntity2DGUIMultiText::Update(float ms) {
    if (!m_measured) {
        Measure();
    }
    return QxEntity2DGUIElement::Update(ms);
}

bool QxEntity2DGUIMultiText::Draw() {
    QxEntity2DGUIMultiTextType* type = MultiTextType();
    QxEntity2DGUIFont* title = type->TitleFont();
    QxEntity2DGUIFont* main = type->MainFont();
    int64_t y = m_y;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        QxEntity2DGUIFont* font = i == 0 ? title : main;
        if (font) {
            font->DrawString(m_lines[i], QxPoint{m_x, ClampToInt(y)}, m_justify,
                             i == 0 ? 255u : m_alpha, nullptr);
        }
        const int64_t lineHeight = font ? font->LineHeight() : 0;
        y += lineHeight + 2;
    }
    return true;
}

void QxEntity2DGUIMultiText::Invalidate() {
    if (!g_screen || m_lines.empty()) {
        return;
    }
    // What Draw covers: the title line in its font, then the main lines.
    QxEntity2DGUIMultiTextType* type = MultiTextType();
    QxEntity2DGUIFont* title = type->TitleFont();
    QxEntity2DGUIFont* main = type->MainFont();
    int64_t width = 0;
    int64_t height = 0;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        QxEntity2DGUIFont* font = i == 0 ? title : main;
        if (font) {
            width = std::max<int64_t>(width, font->TextWidth(m_lines[i], true));
            height += font->LineHeight() + 2;
        }
    }
    int64_t left = m_x;
    if (m_justify == kJustifyRight) {
        left -= width;
    } else if (m_justify == kJustifyCentre) {
        left -= width / 2 + 1;
        width += 2;
    }
    QxRect rect;
    rect.left = ClampToInt(left);
    rect.right = ClampToInt(left + width);
    rect.top = m_y;
    rect.bottom = ClampToInt(int64_t(m_y) + height);
    g_screen->MarkDirty(rect, false);
}
