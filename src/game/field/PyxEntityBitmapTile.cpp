#include "game/field/PyxEntityBitmapTile.h"

#include "engine/entity/QxDefinition.h"
#include "engine/gui/QxEntity2DGUIElement.h"

namespace {
constexpr const char* kSpriteClass = "sprite";
}

PyxEntityBitmapTileType::PyxEntityBitmapTileType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    AddParts({&m_sprite});
    m_sprite.reference.className = kSpriteClass;
    if (definition) {
        definition->ReadKey("ImageEntType", m_sprite.reference.typeName);
    }
}

PyxEntityBitmapTile::PyxEntityBitmapTile(PyxEntityBitmapTileType* type) : PyxEntityTileBase(type) {}

bool PyxEntityBitmapTile::Draw() {
    PyxEntityBitmapTileType* type = BitmapType();
    if (!type) {
        return true;
    }
    type->Load(false);
    QxEntity2DGUIElement* sprite = type->Sprite();
    if (!sprite) {
        return true;
    }
    // The sprite is shared by every tile of the type: each tile puts it at its own
    // corner before drawing it.
    sprite->SetPosition({m_x, m_y});
    return sprite->Draw();
}

void PyxEntityBitmapTile::SetPosition(std::int32_t x, std::int32_t y) {
    PyxEntityTileBase::SetPosition(x, y);
    if (PyxEntityBitmapTileType* type = BitmapType()) {
        if (QxEntity2DGUIElement* sprite = type->Sprite()) {
            sprite->SetPosition({x, y});
        }
    }
}
