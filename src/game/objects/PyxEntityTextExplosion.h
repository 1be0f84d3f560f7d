#pragma once
// An effect that shows a line of text on the board in the font its type names.

#include <memory>
#include <string>

#include "engine/gui/QxEntity2DGUIFont.h"
#include "engine/gui/QxTypeElement.h"
#include "game/objects/PyxEntityExplosionBase.h"

class PyxEntityTextExplosion;

class PyxEntityTextExplosionType
    : public QxEntityTypeOf<PyxEntityTextExplosionType, PyxEntityTextExplosion,
                            PyxEntityExplosionBaseType> {
public:
    // Reads the effect keys and "FontEntType", the type of the "font" to draw with.
    explicit PyxEntityTextExplosionType(QxDefinition* definition);

    // The font, or null when the type names none the registry knows.
    QxEntity2DGUIFont* Font() const { return static_cast<QxEntity2DGUIFont*>(m_font.Get()); }

private:
    QxTypeElement m_font{kKindFont};
};

class PyxEntityTextExplosion : public PyxEntityExplosionBase {
public:
    explicit PyxEntityTextExplosion(PyxEntityTextExplosionType* type);

    // The text at the drawing position with the object's alpha; nothing without a font,
    // or once removed or leaving.
    bool Draw() override;
    // The text's width and the font's line height.
    void GetSize(std::int32_t& width, std::int32_t& height) override;

    const std::string& Text() const { return m_text; }
    // The size changes with the text: the drawing position follows.
    void SetText(const std::string& text);

    PyxEntityTextExplosionType* TextType() const {
        return static_cast<PyxEntityTextExplosionType*>(Type());
    }

protected:
    std::string m_text;
};

using PyxEntityTextExplosionPrototype = QxTypePrototype<PyxEntityTextExplosionType>;
