#include "game/objects/PyxEntityPostBase.h"

#include <cmath>
#include <string>

#include "app/QxMouseState.h"
#include "engine/entity/QxDefinition.h"

PyxEntityPostBaseType::PyxEntityPostBaseType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    SetDefaultHeight(kDefaultHeight);
    SetTypeFlags(TypeFlags() | kTypePost);
    SetRadius(kUnsetRadius);
    if (!definition) {
        return;
    }
    definition->ReadKey("MouseRadius", m_mouseRadius);
    definition->ReadKey("Gear", m_gear);
    std::string shape;
    definition->ReadKey("Shape", shape);
    if (shape == "Rect") {
        m_shapeKind = PyxBlockShape::kRect;
        float normal[2] = {0.0f, 0.0f};
        definition->ReadKey("NormX", normal[0]);
        definition->ReadKey("NormY", normal[1]);
        const float length = std::sqrt(normal[0] * normal[0] + normal[1] * normal[1]);
        if (length > 0.0f && std::isfinite(length)) {
            m_normal = {normal[0] / length, normal[1] / length};
        }
    } else {
        float radius = kUnsetRadius;
        if (definition->ReadKey("Radius", radius)) {
            SetRadius(radius);
        }
    }
}

PyxEntityPostBase::PyxEntityPostBase(PyxEntityPostBaseType* type) : PyxEntityGameObject(type) {}

bool PyxEntityPostBase::Update(float ms) {
    PyxEntityGameObject::Update(ms);
    const std::int32_t margin = std::int32_t(PostType()->MouseRadius());
    m_mouseRect = {m_drawn.left - margin, m_drawn.right + margin, m_drawn.top - margin,
                   m_drawn.bottom + margin};
    const bool hover = g_mouseState.x > m_mouseRect.left && g_mouseState.x < m_mouseRect.right &&
                       g_mouseState.y > m_mouseRect.top && g_mouseState.y < m_mouseRect.bottom;
    if (hover != m_hover) {
        m_hover = hover;
        MarkForRedraw();
    }
    return true;
}

bool PyxEntityPostBase::Reset() {
    PyxEntityPostBaseType* type = PostType();
    type->Load(false);
    if (type->IsRect()) {
        std::int32_t width = 0;
        std::int32_t height = 0;
        GetSize(width, height);
        auto rect = std::make_unique<PyxBlockRect>(0.0f, 0.0f, float(width), float(height));
        rect->SetCentre(m_x, m_y);
        SetShape(std::move(rect));
    } else {
        auto* circle = dynamic_cast<PyxBlockCircle*>(GetShape());
        if (circle) {
            circle->SetRadius(type->Radius());
        } else {
            SetShape(std::make_unique<PyxBlockCircle>(m_x, m_y, type->Radius()));
        }
    }
    return PyxEntityGameObject::Reset();
}

bool PyxEntityPostBase::Blocks(const PyxEntityGameObjectType* type) {
    return !(type && type->HasTypeFlags(kTypePost));
}

PyxVector PyxEntityPostBase::CollisionNormal(const PyxEntityGameObject* other) {
    if (PostType()->IsRect()) {
        return PostType()->Normal();
    }
    return PyxEntityGameObject::CollisionNormal(other);
}

bool PyxEntityPostBase::IsGear() const {
    return PostType()->IsGear();
}
