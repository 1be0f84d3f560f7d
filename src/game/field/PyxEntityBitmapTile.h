#pragma once
// A floor tile that shows a picture: a "sprite" entity of the type that
// "ImageEntType" names, made once by the tile type and shared by all its tiles.

#include <memory>
#include <string>

#include "engine/gui/QxTypeElement.h"
#include "game/field/PyxEntityTileBase.h"

class QxEntity2DGUIElement;

class PyxEntityBitmapTile;

class PyxEntityBitmapTileType
    : public QxEntityTypeOf<PyxEntityBitmapTileType, PyxEntityBitmapTile, PyxEntityTileBaseType> {
public:
    // Reads "ImageEntType".
    explicit PyxEntityBitmapTileType(QxDefinition* definition);

    const std::string& ImageEntType() const { return m_sprite.reference.typeName; }
    // The shared sprite, or null until loaded (or when its type is missing).
    QxEntity2DGUIElement* Sprite() const { return m_sprite.Get(); }

private:
    QxTypeElement m_sprite;
};

class PyxEntityBitmapTile : public PyxEntityTileBase {
public:
    explicit PyxEntityBitmapTile(PyxEntityBitmapTileType* type);

    // The shared sprite at this tile's corner.
    bool Draw() override;
    // Moves the sprite along with the corner.
    void SetPosition(std::int32_t x, std::int32_t y) override;

    PyxEntityBitmapTileType* BitmapType() const {
        return static_cast<PyxEntityBitmapTileType*>(Type());
    }
};

using PyxEntityBitmapTilePrototype = QxTypePrototype<PyxEntityBitmapTileType>;
