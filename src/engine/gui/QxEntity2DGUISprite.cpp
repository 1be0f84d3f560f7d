#include "engine/gui/QxEntity2DGUISprite.h"

#include "app/QxGlobals.h"
#include "engine/entity/QxDefinition.h"
#include "engine/files/QxResourceCache.h"
#include "engine/gui/QxAlphaMask.h"
#include "engine/screen/QxScreen2D.h"

// ---- type -----------------------------------------------------------------------------

QxEntity2DGUISpriteType::QxEntity2DGUISpriteType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    AddParts({&m_picture});
    if (definition) {
        QxDefinition& def = *definition;
        def.ReadKey("image", m_image);
        def.ReadKey("alphaimage", m_alphaImage);
        def.ReadKey("xoffset", m_xOffset);
        def.ReadKey("yoffset", m_yOffset);
        def.ReadKey("transparent", m_transparent);
    }
    m_firstImage = m_image;
}

bool QxEntity2DGUISpriteType::ChangeImage(const std::string& name) {
    return QxChangePicture(*this, name, &QxEntity2DGUISpriteType::Image);
}

// ---- entity ---------------------------------------------------------------------------

QxEntity2DGUISprite::QxEntity2DGUISprite(QxEntity2DGUISpriteType* type)
    : QxEntity2DGUIElement(type) {}

QxPoint QxEntity2DGUISprite::DrawPosition() const {
    const QxEntity2DGUISpriteType* type = SpriteType();
    return QxPoint{m_x + type->m_xOffset, m_y + type->m_yOffset};
}

bool QxEntity2DGUISprite::SetInt(int id, std::int32_t value) {
    switch (id) {
    case kPropRedraw:
        if (SpriteType()->Image()) {
            Invalidate();
            Invalidate();
        }
        return true;
    case kPropAlternateDraw:
        m_alternateDraw = value != 0 ? 1 : 0;
        return true;
    default:
        return QxEntity2DGUIElement::SetInt(id, value);
    }
}

bool QxEntity2DGUISprite::GetInt(int id, std::int32_t& value) {
    const QxImageRecord* image = SpriteType()->Image();
    switch (id) {
    case kPropImageWidth:
        value = image ? image->width : 0;
        return true;
    case kPropImageHeight:
        value = image ? image->height : 0;
        return true;
    case kPropAlternateDraw:
        value = m_alternateDraw;
        return true;
    default:
        return QxEntity2DGUIElement::GetInt(id, value);
    }
}

bool QxEntity2DGUISprite::SetString(int id, const std::string& text) {
    if (id == kPropImageName) {
        if (SpriteType()->ChangeImage(text)) {
            Invalidate();
        }
        return true;
    }
    return QxEntity2DGUIElement::SetString(id, text);
}

bool QxEntity2DGUISprite::Draw() {
    if (!IsVisible()) {
        return true;
    }
    QxEntity2DGUISpriteType* type = SpriteType();
    if (!type->Image()) {
        type->Load(false);
    }
    const QxImageRecord* image = type->Image();
    if (!image) {
        return true;
    }
    m_width = image->width;
    m_height = image->height;
    if (!DrawImage()) {
        // Surfaces vanish when the display mode changes: reload and try once more.
        type->Load(true);
        Invalidate();
        DrawImage();
    }
    return true;
}

bool QxEntity2DGUISprite::DrawImage() {
    const QxEntity2DGUISpriteType* type = SpriteType();
    const QxImageRecord* image = type->Image();
    if (!image || !g_screen) {
        return false;
    }
    const QxPoint at = DrawPosition();
    if (m_alternateDraw) {
        return g_screen->DrawSurfaceAdditive(image->surface, at.x, at.y, 0, 0, -1, -1, 256);
    }
    if (m_alpha < 255) {
        return g_screen->DrawSurfaceBlended(image->surface, at.x, at.y, 0, 0, -1, -1, m_alpha,
                                            type->m_transparent);
    }
    // A mask of another size than the image cannot be applied; the image is drawn
    // without it.
    const QxImage* mask = type->AlphaMask();
    if (mask && mask->width == image->width && mask->height == image->height) {
        return g_screen->DrawSurfaceAlphaMapped(image->surface, at.x, at.y, 0, 0, -1, -1, *mask);
    }
    return g_screen->DrawSurface(image->surface, at.x, at.y, 0, 0, -1, -1, type->m_transparent);
}

void QxEntity2DGUISprite::Invalidate() {
    const QxImageRecord* image = SpriteType()->Image();
    if (!image || !g_screen) {
        return;
    }
    const QxPoint at = DrawPosition();
    g_screen->MarkDirty(QxRect{at.x, at.x + image->width, at.y, at.y + image->height}, false);
}

bool QxEntity2DGUISprite::Click(QxPoint point) {
    const QxPoint at = DrawPosition();
    return at.x <= point.x && point.x <= at.x + m_width && at.y <= point.y &&
           point.y <= at.y + m_height;
}
