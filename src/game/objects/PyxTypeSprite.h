#pragma once
// A "sprite" entity that a board-object type names by its type name and creates through
// the registry when it loads. The type owns it and every object of the type draws it
// by moving it to its own drawing position first.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "engine/entity/QxTypePart.h"

class QxDefinition;
class QxEntity2DGUIElement;

class PyxTypeSprite final : public QxTypePart {
public:
    PyxTypeSprite();
    PyxTypeSprite(const PyxTypeSprite&) = delete;
    PyxTypeSprite& operator=(const PyxTypeSprite&) = delete;
    ~PyxTypeSprite();

    // The sprite type the definition named; empty when it named none.
    const std::string& TypeName() const { return m_typeName; }
    void SetTypeName(const std::string& name) { m_typeName = name; }
    // Takes the type name from the key when the definition has it; false when it has not.
    bool ReadTypeName(QxDefinition& definition, std::string_view key);

    // Creates the sprite once (and loads its type) unless no type was named or the
    // registry has no such sprite.
    void Create();
    void Destroy();
    void LoadPart(bool) override { Create(); }
    void ReleasePart() override { Destroy(); }
    QxEntity2DGUIElement* Get() const { return m_sprite.get(); }

    // The size of the sprite's image; (0, 0) without one.
    void Size(std::int32_t& width, std::int32_t& height) const;
    // The screen surface of the sprite's image, or 0xFFFFFFFF without one.
    std::uint32_t Surface() const;
    void Update(float ms) const;
    // Moves the sprite to (x, y) and draws it; false without a sprite.
    bool DrawAt(std::int32_t x, std::int32_t y) const;

private:
    std::string m_typeName;
    std::unique_ptr<QxEntity2DGUIElement> m_sprite;
};
