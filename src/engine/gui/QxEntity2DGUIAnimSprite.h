#pragma once
// A looping sequence of frames from an image list, advanced at the type's frame rate.
// The list and its alpha masks live in the type and are shared by every instance.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/files/QxImage.h"
#include "engine/gui/QxEntity2DGUIElement.h"
#include "engine/gui/QxTypePicture.h"

struct QxImageListRecord;

// Property ids of the animated sprite beyond the image width, height and name.
enum QxAnimSpriteProperty : int {
    kPropAnimFrame = 774,   // integer set and get: the current frame
    kPropAnimPlaying = 897, // integer set: playing (non-zero) or paused
};

class QxEntity2DGUIAnimSprite;

class QxEntity2DGUIAnimSpriteType
    : public QxEntityTypeOf<QxEntity2DGUIAnimSpriteType, QxEntity2DGUIAnimSprite,
                            QxEntity2DGUIElementType> {
public:
    explicit QxEntity2DGUIAnimSpriteType(QxDefinition* definition);

    // The image list; of the alpha masks, a list file (extension "img") gives one mask
    // per frame, any other file one mask for every frame.
    const QxImageListRecord* ImageList() const { return m_picture.List(); }
    std::uint32_t FrameCount() const;
    // The mask of a frame (the last mask serves frames beyond the list), or null.
    const QxImage* AlphaMask(std::uint32_t frame) const;

    // As the sprite's: switches every instance to another list, falling back to the
    // name first read. False when nothing changed.
    bool ChangeImage(const std::string& name);

    std::string m_image;
    std::int32_t m_xOffset = 0;
    std::int32_t m_yOffset = 0;
    // Read and kept; the speed comes from the frame rate.
    std::int32_t m_animCycleTime = 0;
    bool m_transparent = false;
    std::string m_alphaImage;
    float m_frameRate = 0.0f; // frames per second
    std::string m_firstImage;

private:
    QxTypePicture m_picture{*this, QxTypePicture::Shape::kList, QxTypePicture::MaskFile::kByName,
                            m_image, m_alphaImage};
};

class QxEntity2DGUIAnimSprite : public QxEntity2DGUIElement {
public:
    explicit QxEntity2DGUIAnimSprite(QxEntity2DGUIAnimSpriteType* type);

    bool SetInt(int id, std::int32_t value) override;
    bool GetInt(int id, std::int32_t& value) override;
    bool SetString(int id, const std::string& text) override;

    // Advances the frame while playing, enabled and visible, then the element update.
    bool Update(float ms) override;
    bool Draw() override;
    void Invalidate() override;

    QxEntity2DGUIAnimSpriteType* AnimType() const {
        return static_cast<QxEntity2DGUIAnimSpriteType*>(Type());
    }
    std::uint32_t Frame() const { return m_frame; }
    bool IsPlaying() const { return m_playing != 0; }
    QxPoint DrawPosition() const;

private:
    bool DrawFrame();

    std::uint32_t m_frame = 0;
    float m_framePosition = 0.0f;
    std::uint8_t m_playing = 1;
};

using QxEntity2DGUIAnimSpritePrototype = QxTypePrototype<QxEntity2DGUIAnimSpriteType>;
