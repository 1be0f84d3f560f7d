#include "engine/gui/QxEntity2DGUIAnimSprite.h"

#include <algorithm>
#include <cmath>

#include "app/QxGlobals.h"
#include "engine/entity/QxDefinition.h"
#include "engine/files/QxResourceCache.h"
#include "engine/gui/QxAlphaMask.h"
#include "engine/gui/QxEntity2DGUISprite.h"
#include "engine/screen/QxScreen2D.h"

// ---- type -----------------------------------------------------------------------------

QxEntity2DGUIAnimSpriteType::QxEntity2DGUIAnimSpriteType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    AddParts({&m_picture});
    if (definition) {
        QxDefinition& def = *definition;
        def.ReadKey("image", m_image);
        def.ReadKey("xoffset", m_xOffset);
        def.ReadKey("yoffset", m_yOffset);
        def.ReadKey("AnimCycleTime", m_animCycleTime);
        def.ReadKey("transparent", m_transparent);
        def.ReadKey("alphaimage", m_alphaImage);
        def.ReadKey("FrameRate", m_frameRate);
    }
    m_firstImage = m_image;
}

std::uint32_t QxEntity2DGUIAnimSpriteType::FrameCount() const {
    const QxImageListRecord* list = m_picture.List();
    return list ? static_cast<std::uint32_t>(list->frames.size()) : 0;
}

const QxImage* QxEntity2DGUIAnimSpriteType::AlphaMask(std::uint32_t frame) const {
    return m_picture.Mask(frame);
}

bool QxEntity2DGUIAnimSpriteType::ChangeImage(const std::string& name) {
    return QxChangePicture(*this, name, &QxEntity2DGUIAnimSpriteType::ImageList);
}

// ---- entity ---------------------------------------------------------------------------

QxEntity2DGUIAnimSprite::QxEntity2DGUIAnimSprite(QxEntity2DGUIAnimSpriteType* type)
    : QxEntity2DGUIElement(type) {}

QxPoint QxEntity2DGUIAnimSprite::DrawPosition() const {
    const QxEntity2DGUIAnimSpriteType* type = AnimType();
    return QxPoint{m_x + type->m_xOffset, m_y + type->m_yOffset};
}

bool QxEntity2DGUIAnimSprite::SetInt(int id, std::int32_t value) {
    switch (id) {
    case kPropAnimFrame: {
        AnimType()->Load(false);
        const std::uint32_t count = AnimType()->FrameCount();
        auto frame = static_cast<std::uint32_t>(value);
        if (count > 0) {
            frame = std::min(frame, count - 1);
        }
        m_frame = frame;
        m_framePosition = static_cast<float>(frame);
        return true;
    }
    case kPropAnimPlaying:
        m_playing = value != 0 ? 1 : 0;
        return true;
    default:
        return QxEntity2DGUIElement::SetInt(id, value);
    }
}

bool QxEntity2DGUIAnimSprite::GetInt(int id, std::int32_t& value) {
    const QxImageListRecord* list = AnimType()->ImageList();
    const bool haveFrame = list && m_frame < list->frames.size();
    switch (id) {
    case kPropImageWidth:
        value = haveFrame ? list->frames[m_frame].width : 0;
        return true;
    case kPropImageHeight:
        value = haveFrame ? list->frames[m_frame].height : 0;
        return true;
    case kPropAnimFrame:
        value = static_cast<std::int32_t>(m_frame);
        return true;
    default:
        return QxEntity2DGUIElement::GetInt(id, value);
    }
}

bool QxEntity2DGUIAnimSprite::SetString(int id, const std::string& text) {
    if (id == kPropImageName) {
        if (AnimType()->ChangeImage(text)) {
            Invalidate();
        }
        return true;
    }
    return QxEntity2DGUIElement::SetString(id, text);
}

bool QxEntity2DGUIAnimSprite::Update(float ms) {
    if (m_playing && !m_disabled && m_visible) {
        const QxEntity2DGUIAnimSpriteType* type = AnimType();
        m_framePosition += ms / 1000.0f * type->m_frameRate;
        const std::uint32_t count = type->FrameCount();
        if (count > 0) {
            const auto frames = static_cast<float>(count);
            m_framePosition = std::fmod(m_framePosition, frames);
            // A negative rate plays backwards rather than running below frame 0.
            if (m_framePosition < 0.0f) {
                m_framePosition += frames;
            }
            if (!(m_framePosition >= 0.0f && m_framePosition < frames)) {
                m_framePosition = 0.0f;
            }
            const auto frame = std::min(static_cast<std::uint32_t>(m_framePosition), count - 1);
            if (frame != m_frame) {
                Invalidate();
                m_frame = frame;
                Invalidate();
            }
        }
    }
    return QxEntity2DGUIElement::Update(ms);
}

bool QxEntity2DGUIAnimSprite::Draw() {
    if (!IsVisible()) {
        return true;
    }
    QxEntity2DGUIAnimSpriteType* type = AnimType();
    if (!type->ImageList()) {
        type->Load(false);
    }
    const QxImageListRecord* list = type->ImageList();
    if (!list || list->frames.empty()) {
        return true;
    }
    const auto& frame = list->frames[std::min<std::size_t>(m_frame, list->frames.size() - 1)];
    m_width = frame.width;
    m_height = frame.height;
    if (!DrawFrame()) {
        type->Load(true);
        Invalidate();
        DrawFrame();
    }
    return true;
}

bool QxEntity2DGUIAnimSprite::DrawFrame() {
    const QxEntity2DGUIAnimSpriteType* type = AnimType();
    const QxImageListRecord* list = type->ImageList();
    if (!list || list->frames.empty() || !g_screen) {
        return false;
    }
    const std::uint32_t index =
        std::min<std::uint32_t>(m_frame, static_cast<std::uint32_t>(list->frames.size()) - 1);
    const QxImageListFrame& frame = list->frames[index];
    const auto handle = frame.surface;
    const QxPoint at = DrawPosition();
    if (m_alpha < 255) {
        return g_screen->DrawSurfaceBlended(handle, at.x, at.y, 0, 0, -1, -1, m_alpha,
                                            type->m_transparent);
    }
    const QxImage* mask = type->AlphaMask(index);
    if (mask && mask->width == frame.width && mask->height == frame.height) {
        return g_screen->DrawSurfaceAlphaMapped(handle, at.x, at.y, 0, 0, -1, -1, *mask);
    }
    return g_screen->DrawSurface(handle, at.x, at.y, 0, 0, -1, -1, type->m_transparent);
}

void QxEntity2DGUIAnimSprite::Invalidate() {
    const QxImageListRecord* list = AnimType()->ImageList();
    if (!list || m_frame >= list->frames.size() || !g_screen) {
        return;
    }
    const auto& frame = list->frames[m_frame];
    const QxPoint at = DrawPosition();
    g_screen->MarkDirty(QxRect{at.x, at.x + frame.width, at.y, at.y + frame.height}, false);
}
