#pragma once
// Helpers for the parts of dialogs (texts, buttons, images that a dialog owns).
//
// QxCreatePart creates a GUI part from an entity reference through the program's registry and
// hands it over as the class the caller works with. Null when the registry is not
// there, the reference names nothing of that kind, or the entity is of another class.

#include <cstdint>
#include <memory>

#include "app/QxGlobals.h"
#include "engine/entity/QxDefinition.h"
#include "engine/entity/QxEntityRegistry.h"
#include "engine/gui/QxEntity2DGUIElement.h"

template <typename T>
std::unique_ptr<T> QxCreatePart(const QxEntityRef& reference, std::uint32_t kind) {
    if (g_registry == nullptr || reference.IsEmpty()) {
        return nullptr;
    }
    std::unique_ptr<QxEntityBase> entity = g_registry->Create(reference, kind);
    T* part = dynamic_cast<T*>(entity.get());
    if (part == nullptr) {
        return nullptr;
    }
    entity.release();
    // Parts are measured and placed as soon as they exist, so their pictures load now.
    part->Type()->Load(false);
    return std::unique_ptr<T>(part);
}

// Integer properties through the two property pairs (buttons answer through the
// "Int" pair, texts and fonts through the "Bool" pair, which carries full values).
inline std::int32_t QxIntProperty(QxEntity2DGUIElement* element, int id) {
    std::int32_t value = 0;
    if (element != nullptr) {
        element->GetInt(id, value);
    }
    return value;
}

inline std::int32_t QxValueProperty(QxEntity2DGUIElement* element, int id) {
    std::int32_t value = 0;
    if (element != nullptr) {
        element->GetBool(id, value);
    }
    return value;
}

// Width and height of a part: what a button or image reports for its main image
// (properties 769 and 770), else the element's own rectangle.
inline void QxPartSize(QxEntity2DGUIElement* element, std::int32_t& width, std::int32_t& height) {
    width = QxIntProperty(element, 769);
    height = QxIntProperty(element, 770);
    if (element != nullptr && (width <= 0 || height <= 0)) {
        const QxRect rect = element->GetRect();
        width = rect.Width();
        height = rect.Height();
    }
}
