#include "game/objects/PyxTypeSprite.h"

#include "app/QxGlobals.h"
#include "engine/entity/QxDefinition.h"
#include "engine/entity/QxEntityRegistry.h"
#include "engine/files/QxResourceCache.h"
#include "engine/gui/QxEntity2DGUISprite.h"

bool PyxTypeSprite::ReadTypeName(QxDefinition& definition, std::string_view key) {
    return definition.ReadKey(key, m_typeName);
}

PyxTypeSprite::PyxTypeSprite() = default;
PyxTypeSprite::~PyxTypeSprite() = default;

void PyxTypeSprite::Create() {
    if (m_sprite || m_typeName.empty() || !g_registry) {
        return;
    }
    std::unique_ptr<QxEntityBase> entity =
        g_registry->Create("sprite", m_typeName, kKindGUIElement);
    auto* element = dynamic_cast<QxEntity2DGUIElement*>(entity.get());
    if (!element) {
        return;
    }
    entity.release();
    m_sprite.reset(element);
    if (m_sprite->Type()) {
        m_sprite->Type()->Load(false);
    }
}

void PyxTypeSprite::Destroy() {
    m_sprite.reset();
}

void PyxTypeSprite::Size(std::int32_t& width, std::int32_t& height) const {
    width = 0;
    height = 0;
    if (!m_sprite) {
        return;
    }
    m_sprite->GetInt(kPropImageWidth, width);
    m_sprite->GetInt(kPropImageHeight, height);
}

std::uint32_t PyxTypeSprite::Surface() const {
    const auto* sprite = dynamic_cast<const QxEntity2DGUISprite*>(m_sprite.get());
    if (!sprite || !sprite->SpriteType()->Image()) {
        return 0xFFFFFFFFu;
    }
    return sprite->SpriteType()->Image()->surface;
}

void PyxTypeSprite::Update(float ms) const {
    if (m_sprite) {
        m_sprite->Update(ms);
    }
}

bool PyxTypeSprite::DrawAt(std::int32_t x, std::int32_t y) const {
    if (!m_sprite) {
        return false;
    }
    m_sprite->SetPosition(QxPoint{x, y});
    return m_sprite->Draw();
}
