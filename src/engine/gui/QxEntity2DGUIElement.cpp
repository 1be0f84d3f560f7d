#include "engine/gui/QxEntity2DGUIElement.h"

#include <cmath>

#include "app/QxGlobals.h"
#include "app/QxMouseState.h"
#include "engine/entity/QxEntityRegistry.h"
#include "engine/files/QxResourceCache.h"
#include "engine/gui/QxEntity2DScene.h"

namespace {

// Hovering this long (ms) before the tooltip shows.
constexpr float kTooltipDelayMs = 500.0f;

// Alpha steps beyond a full swing change nothing, so huge or broken rates are cut
// to this before the float becomes an integer.
constexpr double kMaxAlphaStep = 1024.0;

QxEntity2DScene* g_tooltipScene = nullptr;

} // namespace

// ---- type -----------------------------------------------------------------------------

QxEntity2DGUIElementType::QxEntity2DGUIElementType(QxDefinition* definition) {
    if (!definition) {
        return;
    }
    definition->ReadKey("tooltip", m_tooltip);
    std::int32_t pos[2] = {m_tooltipOffsetX, m_tooltipOffsetY};
    if (definition->ReadKey("tooltippos", pos)) {
        m_tooltipOffsetX = pos[0];
        m_tooltipOffsetY = pos[1];
    }
    definition->ReadKey("tooltiprelative", m_tooltipRelative);
    definition->ReadKey("dither", m_dither);
}

std::unique_ptr<QxEntity2DGUIElement> QxCreateGUIElement(const QxEntityRef& reference,
                                                         std::uint32_t kind) {
    if (!g_registry || reference.className.empty() || reference.typeName.empty()) {
        return nullptr;
    }
    std::unique_ptr<QxEntityBase> entity =
        g_registry->Create(reference.className, reference.typeName, kind);
    auto* element = dynamic_cast<QxEntity2DGUIElement*>(entity.get());
    if (!element) {
        return nullptr;
    }
    entity.release();
    return std::unique_ptr<QxEntity2DGUIElement>(element);
}

void QxDrawElementAt(QxEntity2DGUIElement* element, std::int32_t x, std::int32_t y) {
    if (!element) {
        return;
    }
    element->SetPosition(QxPoint{x, y});
    element->Draw();
}

// ---- entity ---------------------------------------------------------------------------

QxEntity2DGUIElement::QxEntity2DGUIElement(QxEntity2DGUIElementType* type) : QxEntityBase(type) {}

QxEntity2DGUIElement::~QxEntity2DGUIElement() = default;

void QxEntity2DGUIElement::SetTooltipScene(QxEntity2DScene* scene) {
    g_tooltipScene = scene;
}

QxEntity2DScene* QxEntity2DGUIElement::TooltipScene() {
    return g_tooltipScene;
}

bool QxEntity2DGUIElement::SetBool(int id, std::int32_t value) {
    const auto byte = static_cast<std::uint8_t>(value);
    switch (id) {
    case kPropTintSwitch:
        m_tint.alpha = byte;
        return true;
    case kPropTintRed:
        m_tint.red = byte;
        return true;
    case kPropTintBlue:
        m_tint.blue = byte;
        return true;
    case kPropTintGreen:
        m_tint.green = byte;
        return true;
    default:
        return QxEntityBase::SetBool(id, value);
    }
}

bool QxEntity2DGUIElement::GetBool(int id, std::int32_t& value) {
    switch (id) {
    case kPropTintSwitch:
        value = m_tint.alpha;
        return true;
    case kPropTintRed:
        value = m_tint.red;
        return true;
    case kPropTintBlue:
        value = m_tint.blue;
        return true;
    case kPropTintGreen:
        value = m_tint.green;
        return true;
    default:
        return QxEntityBase::GetBool(id, value);
    }
}

bool QxEntity2DGUIElement::SetString(int id, const std::string& text) {
    if (id == kPropTooltipText && ElementType()) {
        ElementType()->m_tooltip = text;
        return true;
    }
    return QxEntityBase::SetString(id, text);
}

bool QxEntity2DGUIElement::GetString(int id, std::string& text) {
    if (id == kPropTooltipText && ElementType()) {
        text = ElementType()->m_tooltip;
        return true;
    }
    return QxEntityBase::GetString(id, text);
}

bool QxEntity2DGUIElement::Update(float ms) {
    UpdateFade(ms);
    UpdatePulse(ms);
    UpdateTooltipHover(ms);
    return QxEntityBase::Update(ms);
}

void QxEntity2DGUIElement::UpdateFade(float ms) {
    if (m_fadeRate == 0.0f) {
        return;
    }
    double stepF = static_cast<double>(m_fadeRate) * static_cast<double>(ms);
    if (std::isnan(stepF)) {
        stepF = 0.0;
    }
    stepF = std::fmax(-kMaxAlphaStep, std::fmin(kMaxAlphaStep, stepF));
    const auto step = static_cast<std::int64_t>(stepF); // toward zero
    auto alpha = static_cast<std::int64_t>(m_alpha);
    if (step < 1) {
        if (alpha < -step) {
            alpha = 0;
            m_fadeRate = 0.0f;
        } else {
            alpha += step;
        }
    } else {
        alpha += step;
        if (alpha > 255) {
            alpha = 255;
            m_fadeRate = 0.0f;
        }
    }
    m_alpha = static_cast<std::uint32_t>(alpha);
    SetVisible(m_alpha != 0);
    Invalidate();
}

void QxEntity2DGUIElement::UpdatePulse(float ms) {
    if (m_pulseRate == 0.0f) {
        return;
    }
    m_pulseValue += m_pulseRate * ms;
    if (m_pulseValue >= m_pulseMax) {
        m_pulseRate = -std::fabs(m_pulseRate);
        m_pulseValue = m_pulseMax;
    } else if (m_pulseValue <= m_pulseMin) {
        m_pulseRate = std::fabs(m_pulseRate);
        m_pulseValue = m_pulseMin;
    }
    float clamped = m_pulseValue;
    if (std::isnan(clamped)) {
        clamped = 255.0f;
    }
    clamped = std::fmax(0.0f, std::fmin(255.0f, clamped));
    m_alpha = static_cast<std::uint32_t>(clamped);
    Invalidate();
}

void QxEntity2DGUIElement::UpdateTooltipHover(float ms) {
    QxEntity2DGUIElementType* type = ElementType();
    const std::int32_t mx = g_mouseState.x;
    const std::int32_t my = g_mouseState.y;
    const bool inside = m_x < mx && mx < m_x + m_width && m_y < my && my < m_y + m_height;
    if (!m_visible || !type || type->m_tooltip.empty() || !inside) {
        m_hoverTime = 0.0f;
        return;
    }
    m_hoverTime += ms;
    if (m_hoverTime > kTooltipDelayMs && g_tooltipScene) {
        std::int32_t tx = type->m_tooltipOffsetX;
        std::int32_t ty = type->m_tooltipOffsetY;
        if (type->m_tooltipRelative) {
            tx += mx;
            ty += my;
        }
        g_tooltipScene->ShowTooltip(this, tx, ty, type->m_tooltip);
    }
}

bool QxEntity2DGUIElement::Draw() {
    return true;
}

void QxEntity2DGUIElement::SetPosition(QxPoint position) {
    m_x = position.x;
    m_y = position.y;
}

QxPoint QxEntity2DGUIElement::GetPosition() const {
    return QxPoint{m_x, m_y};
}

QxRect QxEntity2DGUIElement::GetRect() const {
    return QxRect{m_x, m_x + m_width, m_y, m_y + m_height};
}

void QxEntity2DGUIElement::SetSize(std::int32_t width, std::int32_t height) {
    m_width = width;
    m_height = height;
}

void QxEntity2DGUIElement::SetRect(std::int32_t x, std::int32_t y, std::int32_t width,
                                   std::int32_t height) {
    m_x = x;
    m_y = y;
    m_width = width;
    m_height = height;
}

void QxEntity2DGUIElement::StartPulse(float periodMs) {
    if (periodMs == 0.0f || std::isnan(periodMs)) {
        m_pulseRate = 0.0f;
        m_pulseValue = 0.0f;
        m_alpha = 255;
        return;
    }
    m_pulseRate = 2.0f * std::fabs(m_pulseMax - m_pulseMin) / periodMs;
}

bool QxEntity2DGUIElement::IsPulsing() const {
    return m_pulseRate != 0.0f;
}

void QxEntity2DGUIElement::SetPulse(float value, float rate) {
    m_pulseValue = value;
    m_pulseRate = rate;
}

// A duration of 0 (or less) finishes the fade on the next update instead of dividing
// by zero.
void QxEntity2DGUIElement::FadeIn(float durationMs) {
    const float distance = 255.0f - static_cast<float>(m_alpha);
    if (!(durationMs > 0.0f)) {
        m_fadeRate = distance > 0.0f ? static_cast<float>(kMaxAlphaStep) : 0.0f;
        return;
    }
    m_fadeRate = distance / durationMs;
}

void QxEntity2DGUIElement::FadeOut(float durationMs) {
    const float distance = static_cast<float>(m_alpha);
    if (!(durationMs > 0.0f)) {
        m_fadeRate = distance > 0.0f ? -static_cast<float>(kMaxAlphaStep) : 0.0f;
        return;
    }
    m_fadeRate = -distance / durationMs;
}

void QxEntity2DGUIElement::SetVisible(bool visible) {
    const std::uint8_t flag = visible ? 1 : 0;
    if (flag != m_visible) {
        if (visible) {
            SetDisabled(false);
        }
        Invalidate();
    }
    m_visible = flag;
    if (!visible) {
        SetDisabled(true);
        m_alpha = 0;
        m_fadeRate = 0.0f;
    } else if (m_alpha == 0) {
        m_alpha = 255;
    }
}

bool QxEntity2DGUIElement::IsVisible() const {
    return m_visible != 0;
}

void QxEntity2DGUIElement::SetDisabled(bool disabled) {
    const std::uint8_t flag = disabled ? 1 : 0;
    if (flag != m_disabled) {
        m_disabled = flag;
        Invalidate();
    }
}

bool QxEntity2DGUIElement::IsDisabled() const {
    return m_disabled != 0;
}

void QxEntity2DGUIElement::SetAlpha(std::uint32_t alpha) {
    if (alpha != m_alpha) {
        m_alpha = alpha;
        Invalidate();
    }
}

std::uint32_t QxEntity2DGUIElement::GetAlpha() const {
    return m_alpha;
}

bool QxEntity2DGUIElement::Click(QxPoint) {
    return false;
}

bool QxEntity2DGUIElement::Contains(QxPoint) {
    return false;
}

void QxEntity2DGUIElement::Invalidate() {}

QxEntity2DGUIFont* QxEntity2DGUIElement::GetFont() {
    return nullptr;
}
