#pragma once
// An element that a type's definition names by reference (a button's images, a text's
// font, a counter's coin). The type creates it once, shares it with every instance, and
// loads and releases it with itself as one of its parts.

#include <cstdint>
#include <memory>

#include "engine/entity/QxDefinition.h"
#include "engine/entity/QxTypePart.h"
#include "engine/gui/QxEntity2DGUIElement.h"

class QxTypeElement final : public QxTypePart {
public:
    // Only a type that answers this kind makes the element.
    explicit QxTypeElement(std::uint32_t kind = kKindGUIElement) : m_kind(kind) {}
    QxTypeElement(const QxTypeElement&) = delete;
    QxTypeElement& operator=(const QxTypeElement&) = delete;
    ~QxTypeElement();

    QxEntityRef reference;

    // Null until loaded, and when the reference names no type of the kind.
    QxEntity2DGUIElement* Get() const { return m_element.get(); }

    // Creates the element unless it exists, then loads its type (a reload reloads it).
    void LoadPart(bool reload) override;
    void ReleasePart() override;

private:
    std::uint32_t m_kind;
    std::unique_ptr<QxEntity2DGUIElement> m_element;
};
