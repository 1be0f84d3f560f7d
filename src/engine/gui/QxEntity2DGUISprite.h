#pragma once
// One still image on screen. The image lives in the type, loaded once through the
// resource cache, so every instance of a type shows the same picture; renaming the
// image through one instance renames it for all.

#include <cstdint>
#include <memory>
#include <string>

#include "engine/files/QxImage.h"
#include "engine/gui/QxEntity2DGUIElement.h"
#include "engine/gui/QxTypePicture.h"

struct QxImageRecord;

// Property ids of sprites (the animated sprite shares the first three).
enum QxSpriteProperty : int {
    kPropImageWidth = 769,   // integer get
    kPropImageHeight = 770,  // integer get
    kPropImageName = 771,    // string set
    kPropRedraw = 772,       // integer set: invalidate twice
    kPropAlternateDraw = 773 // integer set and get
};

// The ChangeImage steps of the sprite types, still and animated; `picture` is what the
// type holds once loaded, null when the name gave nothing.
template <typename Type, typename Picture>
bool QxChangePicture(Type& type, const std::string& name, Picture (Type::*picture)() const) {
    if (name == type.m_image) {
        return false;
    }
    type.Unload();
    type.m_image = name;
    type.Load(false);
    if (!(type.*picture)()) {
        type.m_image = type.m_firstImage;
        type.Load(true);
    }
    return true;
}

class QxEntity2DGUISprite;

class QxEntity2DGUISpriteType : public QxEntityTypeOf<QxEntity2DGUISpriteType, QxEntity2DGUISprite,
                                                      QxEntity2DGUIElementType> {
public:
    explicit QxEntity2DGUISpriteType(QxDefinition* definition);

    // The loaded image, or null. Owned by the resource cache. The type counts as loaded
    // even when the image is missing; only a reload tries again.
    const QxImageRecord* Image() const { return m_picture.Image(); }
    const QxImage* AlphaMask() const { return m_picture.Mask(0); }

    // Switches every instance to another image. When the new name gives no image, the
    // name first read from the definition is put back. False when nothing changed.
    bool ChangeImage(const std::string& name);

    std::string m_image;
    std::string m_alphaImage;
    std::int32_t m_xOffset = 0;
    std::int32_t m_yOffset = 0;
    bool m_transparent = false;
    // The fallback when a new name fails to load.
    std::string m_firstImage;

private:
    QxTypePicture m_picture{*this, QxTypePicture::Shape::kImage, QxTypePicture::MaskFile::kOne,
                            m_image, m_alphaImage};
};

class QxEntity2DGUISprite : public QxEntity2DGUIElement {
public:
    explicit QxEntity2DGUISprite(QxEntity2DGUISpriteType* type);

    bool SetInt(int id, std::int32_t value) override;
    bool GetInt(int id, std::int32_t& value) override;
    bool SetString(int id, const std::string& text) override;

    bool Draw() override;
    void Invalidate() override;
    // True when the point lies on the image, edges included. Plays no sound.
    bool Click(QxPoint point) override;

    QxEntity2DGUISpriteType* SpriteType() const {
        return static_cast<QxEntity2DGUISpriteType*>(Type());
    }
    // Where the image's top-left corner goes: the position plus the type's offset.
    QxPoint DrawPosition() const;

protected:
    // One attempt at drawing the loaded image; false when the screen refused it.
    virtual bool DrawImage();

    std::uint8_t m_alternateDraw = 0;
};

using QxEntity2DGUISpritePrototype = QxTypePrototype<QxEntity2DGUISpriteType>;
