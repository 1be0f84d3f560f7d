#pragma once
// A bitmap font: a sprite whose image is a grid of equally sized glyph cells, with a
// per-character advance table for proportional spacing. Text elements draw and
// measure through it.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/gui/QxEntity2DGUISprite.h"
#include "engine/gui/QxFontMetrics.h"
#include "engine/screen/QxColour.h"
#include "engine/screen/QxRect.h"

inline constexpr std::uint32_t kKindFont = QxKindTag("FONT");

// Font metrics as integer properties (through GetBool).
enum QxGUIFontProperty : int {
    kPropCellAdvance = 513, // charwidth + offsetx
    kPropLineHeight = 514,  // charheight + offsety
};

class QxEntity2DGUIFont;

class QxEntity2DGUIFontType : public QxEntityTypeOf<QxEntity2DGUIFontType, QxEntity2DGUIFont,
                                                    QxEntity2DGUISpriteType, kKindFont> {
public:
    // "FontWidth" entries beyond this many are not looked for: a definition cannot
    // make the reader search its text millions of times.
    static constexpr std::int32_t kMaxFontElements = 1024;

    explicit QxEntity2DGUIFontType(QxDefinition* definition);

    const QxFontMetrics& Metrics() const { return m_metrics; }

    std::string m_chars;

private:
    QxFontMetrics m_metrics;
};

class QxEntity2DGUIFont : public QxEntity2DGUISprite {
public:
    explicit QxEntity2DGUIFont(QxEntity2DGUIFontType* type);

    bool GetBool(int id, std::int32_t& value) override;

    // Draws one line with its top-left corner at the position (left justification),
    // its right end at x (2) or its middle at x (3). Below alpha 255 the glyphs are
    // blended; a tint colour (its alpha byte scaling the tint) tints them. False when
    // the font has no glyph sheet.
    bool DrawString(const std::string& text, QxPoint position, std::int32_t justify,
                    std::uint32_t alpha, const QxColour* tint);

    std::uint32_t TextWidth(const std::string& text, bool countTrailingSpaces) const {
        return Metrics().TextWidth(text, countTrailingSpaces);
    }
    std::int32_t LineHeight() const { return Metrics().LineHeight(); }
    std::int32_t CellAdvance() const { return Metrics().CellAdvance(); }
    std::string FitPrefix(const std::string& text, std::int32_t maxWidth) const {
        return Metrics().FitPrefix(text, maxWidth);
    }
    static std::vector<std::string> WrapByCount(const std::string& text, std::int32_t count,
                                                const std::string* prefix) {
        return QxFontMetrics::WrapByCount(text, count, prefix);
    }

    QxEntity2DGUIFontType* FontType() const { return static_cast<QxEntity2DGUIFontType*>(Type()); }
    const QxFontMetrics& Metrics() const { return FontType()->Metrics(); }

private:
    // One attempt at drawing a glyph cell; false when the screen refused it.
    bool DrawCell(std::uint32_t surface, const QxImage* mask, int32_t x, int32_t y,
                  const QxRect& cell, std::uint8_t character, std::uint32_t alpha,
                  const QxColour* tint);
};

using QxEntity2DGUIFontPrototype = QxTypePrototype<QxEntity2DGUIFontType>;
