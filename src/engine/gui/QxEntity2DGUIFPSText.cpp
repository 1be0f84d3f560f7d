#include "engine/gui/QxEntity2DGUIFPSText.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

bool g_showFrameRate = false;

} // namespace

QxEntity2DGUIFPSTextType::QxEntity2DGUIFPSTextType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {}

QxEntity2DGUIFPSText::QxEntity2DGUIFPSText(QxEntity2DGUIFPSTextType* type)
    : QxEntity2DGUIText(type) {
    m_justify = kJustifyRight;
}

void QxEntity2DGUIFPSText::SetShowFrameRate(bool show) {
    g_showFrameRate = show;
}

std::string QxEntity2DGUIFPSText::FormatCount(const std::string& format, int32_t count) {
    std::string out;
    bool used = false;
    size_t i = 0;
    while (i < format.size()) {
        if (format[i] != '%') {
            out += format[i++];
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == '%') {
            out += '%';
            i += 2;
            continue;
        }
        // %[flags][width](d|i)
        size_t j = i + 1;
        while (j < format.size() && std::strchr("-+ 0", format[j]) && j - i < 5) {
            ++j;
        }
        const size_t widthStart = j;
        while (j < format.size() && format[j] >= '0' && format[j] <= '9' && j - widthStart < 2) {
            ++j;
        }
        if (!used && j < format.size() && (format[j] == 'd' || format[j] == 'i')) {
            const std::string conversion = format.substr(i, j - i) + "d";
            char buffer[64];
            std::snprintf(buffer, sizeof buffer, conversion.c_str(), count);
            out += buffer;
            used = true;
            i = j + 1;
            continue;
        }
        out += format[i++];
    }
    return out;
}

bool QxEntity2DGUIFPSText::Update(float ms) {
    if (g_showFrameRate) {
        m_smoothedMs = m_smoothedMs * 0.9375f + ms * 0.0625f;
        const float rate = m_smoothedMs > 0.0f ? 1000.0f / m_smoothedMs : 0.0f;
        const int32_t count =
            std::isfinite(rate) && rate < 2147483647.0f ? static_cast<int32_t>(rate) : 0;
        const std::string text = FormatCount(TextType()->m_defaultText, count);
        if (text != m_text) {
            Invalidate();
            ReplaceText(text);
        }
    } else if (!m_text.empty()) {
        Invalidate();
        ReplaceText(std::string());
    }
    return QxEntity2DGUIText::Update(ms);
}
