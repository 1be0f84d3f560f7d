#include "game/objects/PyxEntityBasicPost.h"

#include <string>

#include "app/QxMouseState.h"
#include "engine/entity/QxDefinition.h"

PyxEntityBasicPostType::PyxEntityBasicPostType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    if (!definition) {
        return;
    }
    m_down.ReadTypeName(*definition, "DownImageEntType");
    m_up.ReadTypeName(*definition, "UpImageEntType");
    m_highlight.ReadTypeName(*definition, "HighlightImageEntType");
    definition->ReadKey("DefaultUp", m_defaultUp);
    definition->ReadKey("UserChange", m_userChange);
}

bool PyxEntityBasicPostType::Load(bool reload) {
    if (IsLoaded() && !reload) {
        return true;
    }
    m_down.Create();
    m_up.Create();
    m_highlight.Create();
    if (!IsRect() && Radius() == kUnsetRadius) {
        std::int32_t width = 0;
        std::int32_t height = 0;
        m_up.Size(width, height);
        if (width > 0) {
            SetRadius(float(width) / 2.0f);
        }
    }
    return PyxEntityPostBaseType::Load(reload);
}

bool PyxEntityBasicPostType::Unload() {
    m_down.Destroy();
    m_up.Destroy();
    m_highlight.Destroy();
    return PyxEntityPostBaseType::Unload();
}

PyxEntityBasicPost::PyxEntityBasicPost(PyxEntityBasicPostType* type)
    : PyxEntityPostBase(type), m_up(type && type->DefaultUp()) {}

bool PyxEntityBasicPost::Update(float ms) {
    PyxEntityBasicPostType* type = BasicType();
    type->Load(false);
    type->DownSprite().Update(ms);
    type->UpSprite().Update(ms);
    type->HighlightSprite().Update(ms);
    if (type->UserChange()) {
        const bool up = m_hover && g_mouseState.leftButton != 0;
        if (up != m_up) {
            m_up = up;
            MarkForRedraw();
        }
    }
    return PyxEntityPostBase::Update(ms);
}

bool PyxEntityBasicPost::Draw() {
    PyxEntityBasicPostType* type = BasicType();
    type->Load(false);
    (m_up ? type->UpSprite() : type->DownSprite()).DrawAt(m_drawX, m_drawY);
    if (m_hover) {
        type->HighlightSprite().DrawAt(m_drawX, m_drawY);
    }
    return true;
}

void PyxEntityBasicPost::GetSize(std::int32_t& width, std::int32_t& height) {
    BasicType()->UpSprite().Size(width, height);
}

std::uint32_t PyxEntityBasicPost::GetImage() {
    const PyxEntityBasicPostType* type = BasicType();
    return (m_up ? type->UpSprite() : type->DownSprite()).Surface();
}

bool PyxEntityBasicPost::Blocks(const PyxEntityGameObjectType* type) {
    return m_up && PyxEntityPostBase::Blocks(type);
}
