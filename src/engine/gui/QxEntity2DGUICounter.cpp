#include "engine/gui/QxEntity2DGUICounter.h"

#include <algorithm>

#include "app/QxGlobals.h"
#include "engine/files/QxResourceCache.h"
#include "engine/gui/QxAlphaMask.h"
#include "engine/screen/QxScreen2D.h"

// ---- type ------------------------------------------------------------------------

QxEntity2DGUICounterType::QxEntity2DGUICounterType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    AddParts({&m_picture});
    if (definition) {
        QxDefinition& def = *definition;
        def.ReadKey("image", m_image);
        def.ReadKey("numdigits", m_numDigits);
        def.ReadKey("transparent", m_transparent);
        def.ReadKey("Spacing", m_spacing);
        def.ReadKey("AlphaImage", m_alphaImage);
    }
    m_numDigits = std::clamp(m_numDigits, 0, kMaxDigits);
}

int32_t QxEntity2DGUICounterType::DigitWidth() const {
    const QxImageListRecord* digits = m_picture.List();
    return digits && !digits->frames.empty() ? digits->frames[0].width : 0;
}

int32_t QxEntity2DGUICounterType::DigitHeight() const {
    const QxImageListRecord* digits = m_picture.List();
    return digits && !digits->frames.empty() ? digits->frames[0].height : 0;
}

// ---- entity ----------------------------------------------------------------------

QxEntity2DGUICounter::QxEntity2DGUICounter(QxEntity2DGUICounterType* type)
    : QxEntity2DGUIElement(type), m_digits(static_cast<size_t>(type->m_numDigits), 0) {}

bool QxEntity2DGUICounter::SetBool(int id, int32_t value) {
    if (id == kPropCounterValue) {
        m_value = static_cast<uint32_t>(value);
        return true;
    }
    return QxEntity2DGUIElement::SetBool(id, value);
}

bool QxEntity2DGUICounter::Update(float ms) {
    CounterType()->Load(false);
    bool changed = false;
    uint64_t unit = 1;
    for (size_t k = 0; k < m_digits.size(); ++k) {
        const auto digit = static_cast<uint8_t>((m_value % (unit * 10)) / unit);
        changed = changed || digit != m_digits[k];
        m_digits[k] = digit;
        unit *= 10;
    }
    if (changed) {
        Invalidate();
    }
    return QxEntity2DGUIElement::Update(ms);
}

bool QxEntity2DGUICounter::DrawDigit(int32_t position, uint8_t digit) {
    QxEntity2DGUICounterType* type = CounterType();
    const QxImageListRecord* list = type->Digits();
    if (!list || digit >= list->frames.size() || !g_screen) {
        return false;
    }
    const uint32_t handle = list->frames[digit].surface;
    const int32_t count = static_cast<int32_t>(m_digits.size());
    const int32_t x = m_x + (count - 1 - position) * (type->DigitWidth() + type->m_spacing);
    const auto& masks = type->AlphaMasks();
    if (!masks.empty()) {
        const size_t index = std::min<size_t>(digit, masks.size() - 1);
        if (masks[index]) {
            return g_screen->DrawSurfaceAlphaMapped(handle, x, m_y, 0, 0, -1, -1, *masks[index]);
        }
    }
    return g_screen->DrawSurface(handle, x, m_y, 0, 0, -1, -1, type->m_transparent);
}

bool QxEntity2DGUICounter::Draw() {
    if (!IsVisible()) {
        return true;
    }
    QxEntity2DGUICounterType* type = CounterType();
    if (!type->Digits()) {
        type->Load(false);
    }
    if (!type->Digits()) {
        return true;
    }
    for (size_t k = m_digits.size(); k-- > 0;) {
        const auto position = static_cast<int32_t>(k);
        if (!DrawDigit(position, m_digits[k])) {
            // Surfaces vanish when the display mode changes: reload and try once more.
            type->Load(true);
            Invalidate();
            DrawDigit(position, m_digits[k]);
        }
    }
    return true;
}

void QxEntity2DGUICounter::Invalidate() {
    QxEntity2DGUICounterType* type = CounterType();
    const int64_t count = static_cast<int64_t>(m_digits.size());
    // The spacing between digits is covered too, or a changed digit right of the
    // first would leave its old picture behind.
    const int64_t width =
        count * type->DigitWidth() + std::max<int64_t>(count - 1, 0) * type->m_spacing;
    m_width = static_cast<int32_t>(std::clamp<int64_t>(width, 0, INT32_MAX));
    m_height = type->DigitHeight();
    if (g_screen && m_width > 0 && m_height > 0) {
        g_screen->MarkDirty(QxRect{m_x, m_x + m_width, m_y, m_y + m_height}, false);
    }
}
