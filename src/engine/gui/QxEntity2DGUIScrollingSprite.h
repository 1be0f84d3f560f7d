#pragma once
// A window onto an image that scrolls at a constant speed and wraps around the
// image's edges, for moving backgrounds.

#include <cstdint>
#include <memory>

#include "engine/gui/QxEntity2DGUISprite.h"

class QxEntity2DGUIScrollingSprite;

class QxEntity2DGUIScrollingSpriteType
    : public QxEntityTypeOf<QxEntity2DGUIScrollingSpriteType, QxEntity2DGUIScrollingSprite,
                            QxEntity2DGUISpriteType> {
public:
    explicit QxEntity2DGUIScrollingSpriteType(QxDefinition* definition);

    // The visible window, pixels.
    std::int32_t m_boxWidth = 0;
    std::int32_t m_boxHeight = 0;
    // Pixels per second, signed.
    float m_horizontalSpeed = 0.0f;
    float m_verticalSpeed = 0.0f;
};

class QxEntity2DGUIScrollingSprite : public QxEntity2DGUISprite {
public:
    explicit QxEntity2DGUIScrollingSprite(QxEntity2DGUIScrollingSpriteType* type);

    // The element update, then the scroll; the offsets stay within the image.
    bool Update(float ms) override;
    void Invalidate() override;

    QxEntity2DGUIScrollingSpriteType* ScrollingType() const {
        return static_cast<QxEntity2DGUIScrollingSpriteType*>(Type());
    }

protected:
    bool DrawImage() override;

private:
    float m_scrollX = 0.0f;
    float m_scrollY = 0.0f;
};

using QxEntity2DGUIScrollingSpritePrototype = QxTypePrototype<QxEntity2DGUIScrollingSpriteType>;
