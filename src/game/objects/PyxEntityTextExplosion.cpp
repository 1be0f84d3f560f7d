#include "game/objects/PyxEntityTextExplosion.h"

#include <algorithm>

#include "app/QxGlobals.h"
#include "engine/entity/QxDefinition.h"
#include "engine/entity/QxEntityRegistry.h"
#include "engine/gui/QxEntity2DGUIFont.h"
#include "engine/gui/QxEntity2DGUIText.h"

PyxEntityTextExplosionType::PyxEntityTextExplosionType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    AddParts({&m_font});
    m_font.reference.className = "font";
    if (definition) {
        definition->ReadKey("FontEntType", m_font.reference.typeName);
    }
}

PyxEntityTextExplosion::PyxEntityTextExplosion(PyxEntityTextExplosionType* type)
    : PyxEntityExplosionBase(type) {}

bool PyxEntityTextExplosion::Draw() {
    if (HasFlags(kObjectRemoved | kObjectLeaving)) {
        return true;
    }
    PyxEntityTextExplosionType* type = TextType();
    type->Load(false);
    if (QxEntity2DGUIFont* font = type->Font()) {
        font->DrawString(m_text, {m_drawX, m_drawY}, kJustifyLeft,
                         std::uint32_t(std::clamp(m_alpha, 0, 255)), nullptr);
    }
    return true;
}

void PyxEntityTextExplosion::SetText(const std::string& text) {
    m_text = text;
    FollowCentre();
}

void PyxEntityTextExplosion::GetSize(std::int32_t& width, std::int32_t& height) {
    const QxEntity2DGUIFont* font = TextType()->Font();
    if (!font) {
        width = 0;
        height = 0;
        return;
    }
    width = std::int32_t(font->TextWidth(m_text, false));
    height = font->LineHeight();
}
