#include "engine/gui/QxEntity2DGUIProgressBar.h"

#include <algorithm>
#include <cmath>

#include "app/QxGlobals.h"
#include "engine/entity/QxDefinition.h"
#include "engine/files/QxResourceCache.h"
#include "engine/screen/QxScreen2D.h"

QxEntity2DGUIProgressBarType::QxEntity2DGUIProgressBarType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    if (definition) {
        definition->ReadKey("vertical", m_vertical);
        definition->ReadKey("reverse", m_reverse);
    }
}

QxEntity2DGUIProgressBar::QxEntity2DGUIProgressBar(QxEntity2DGUIProgressBarType* type)
    : QxEntity2DGUISprite(type) {}

bool QxEntity2DGUIProgressBar::SetFloat(int id, float value) {
    if (id == kPropProgressValue) {
        // A value that is not a number counts as empty.
        m_value = std::isnan(value) ? 0.0f : std::clamp(value, 0.0f, 1.0f);
        return true;
    }
    return QxEntity2DGUISprite::SetFloat(id, value);
}

bool QxEntity2DGUIProgressBar::GetFloat(int id, float& value) {
    if (id == kPropProgressValue) {
        value = m_value;
        return true;
    }
    return QxEntity2DGUISprite::GetFloat(id, value);
}

bool QxEntity2DGUIProgressBar::Update(float ms) {
    QxEntity2DGUIProgressBarType* type = BarType();
    type->Load(false);
    if (const QxImageRecord* image = type->Image()) {
        m_shownWidth = image->width;
        m_shownHeight = image->height;
        if (type->m_vertical) {
            m_shownHeight = static_cast<int32_t>(static_cast<float>(image->height) * m_value);
        } else {
            m_shownWidth = static_cast<int32_t>(static_cast<float>(image->width) * m_value);
        }
        Invalidate();
    }
    return QxEntity2DGUISprite::Update(ms);
}

bool QxEntity2DGUIProgressBar::DrawImage() {
    const QxEntity2DGUIProgressBarType* type = BarType();
    const QxImageRecord* image = type->Image();
    if (!image || !g_screen) {
        return false;
    }
    const int32_t width = std::clamp(m_shownWidth, 0, image->width);
    const int32_t height = std::clamp(m_shownHeight, 0, image->height);
    if (width == 0 || height == 0) {
        return true;
    }
    const QxPoint at = DrawPosition();
    // Reversed, the filled part is the far end of the picture, drawn where it lies.
    int32_t sx = 0;
    int32_t sy = 0;
    if (type->m_reverse) {
        if (type->m_vertical) {
            sy = image->height - height;
        } else {
            sx = image->width - width;
        }
    }
    if (const QxImage* mask = type->AlphaMask()) {
        return g_screen->DrawSurfaceAlphaMapped(image->surface, at.x + sx, at.y + sy, sx, sy, width,
                                                height, *mask);
    }
    return g_screen->DrawSurface(image->surface, at.x + sx, at.y + sy, sx, sy, width, height,
                                 type->m_transparent);
}
