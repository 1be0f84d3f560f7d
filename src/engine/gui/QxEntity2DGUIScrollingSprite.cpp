#include "engine/gui/QxEntity2DGUIScrollingSprite.h"

#include <cmath>

#include "app/QxGlobals.h"
#include "engine/entity/QxDefinition.h"
#include "engine/files/QxResourceCache.h"
#include "engine/screen/QxScreen2D.h"

namespace {

// Moves an offset by a step and wraps it into [0, size). False sizes or broken values
// (a NaN speed) reset it to 0.
float Wrap(float offset, float step, std::int32_t size) {
    if (size <= 0) {
        return 0.0f;
    }
    const auto extent = static_cast<float>(size);
    float value = std::fmod(offset + step, extent);
    if (value < 0.0f) {
        value += extent;
    }
    if (!(value >= 0.0f && value < extent)) {
        value = 0.0f;
    }
    return value;
}

} // namespace

QxEntity2DGUIScrollingSpriteType::QxEntity2DGUIScrollingSpriteType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    if (!definition) {
        return;
    }
    QxDefinition& def = *definition;
    def.ReadKey("BoxWidth", m_boxWidth);
    def.ReadKey("BoxHeight", m_boxHeight);
    def.ReadKey("HorizScrollSpeed", m_horizontalSpeed);
    def.ReadKey("VertScrollSpeed", m_verticalSpeed);
}

QxEntity2DGUIScrollingSprite::QxEntity2DGUIScrollingSprite(QxEntity2DGUIScrollingSpriteType* type)
    : QxEntity2DGUISprite(type) {}

bool QxEntity2DGUIScrollingSprite::Update(float ms) {
    QxEntity2DGUISprite::Update(ms);
    const QxEntity2DGUIScrollingSpriteType* type = ScrollingType();
    const QxImageRecord* image = type->Image();
    if (!image) {
        return true;
    }
    const auto oldX = static_cast<std::int32_t>(m_scrollX);
    const auto oldY = static_cast<std::int32_t>(m_scrollY);
    m_scrollX = Wrap(m_scrollX, type->m_horizontalSpeed * ms * 0.001f, image->width);
    m_scrollY = Wrap(m_scrollY, type->m_verticalSpeed * ms * 0.001f, image->height);
    if (static_cast<std::int32_t>(m_scrollX) != oldX ||
        static_cast<std::int32_t>(m_scrollY) != oldY) {
        Invalidate();
    }
    return true;
}

bool QxEntity2DGUIScrollingSprite::DrawImage() {
    const QxEntity2DGUIScrollingSpriteType* type = ScrollingType();
    const QxImageRecord* image = type->Image();
    if (!image || !g_screen) {
        return false;
    }
    const QxPoint at = DrawPosition();
    return g_screen->TileSurface(image->surface, at.x, at.y, type->m_boxWidth, type->m_boxHeight,
                                 static_cast<int>(m_scrollX), static_cast<int>(m_scrollY),
                                 type->m_transparent);
}

void QxEntity2DGUIScrollingSprite::Invalidate() {
    const QxEntity2DGUIScrollingSpriteType* type = ScrollingType();
    if (!g_screen) {
        return;
    }
    const QxPoint at = DrawPosition();
    g_screen->MarkDirty(QxRect{at.x, at.x + type->m_boxWidth, at.y, at.y + type->m_boxHeight},
                        false);
}
