#include "engine/gui/QxEntity2DGUIFont.h"

#include <algorithm>
#include <limits>
#include <string_view>

#include "app/QxGlobals.h"
#include "engine/entity/QxDefinition.h"
#include "engine/files/QxResourceCache.h"
#include "engine/gui/QxEntity2DGUIText.h"
#include "engine/screen/QxScreen2D.h"

// ---- type ------------------------------------------------------------------------

QxEntity2DGUIFontType::QxEntity2DGUIFontType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    int32_t noLowercase = 0;
    if (definition) {
        definition->ReadKey("chars", m_chars);
        definition->ReadKey("charwidth", m_metrics.charWidth);
        definition->ReadKey("charheight", m_metrics.charHeight);
        definition->ReadKey("nolowercase", noLowercase);
        definition->ReadKey("offsetx", m_xOffset);
        definition->ReadKey("offsety", m_yOffset);
    }
    m_metrics.noLowercase = noLowercase == 1;
    m_metrics.offsetX = m_xOffset;
    m_metrics.offsetY = m_yOffset;
    m_metrics.Build(m_chars);
    if (!definition) {
        return;
    }
    int32_t elements = 0;
    definition->ReadKey("numfontelements", elements);
    elements = std::clamp(elements, 0, kMaxFontElements);
    for (int32_t n = 1; n <= elements; ++n) {
        if (definition->FindKey("FontWidth" + std::to_string(n))) {
            m_metrics.ApplyWidthEntry(std::string(definition->Value()));
        }
    }
}

// ---- entity ----------------------------------------------------------------------

QxEntity2DGUIFont::QxEntity2DGUIFont(QxEntity2DGUIFontType* type) : QxEntity2DGUISprite(type) {}

bool QxEntity2DGUIFont::GetBool(int id, int32_t& value) {
    if (id == kPropCellAdvance) {
        value = Metrics().CellAdvance();
        return true;
    }
    if (id == kPropLineHeight) {
        value = Metrics().LineHeight();
        return true;
    }
    return QxEntity2DGUISprite::GetBool(id, value);
}

bool QxEntity2DGUIFont::DrawCell(uint32_t surface, const QxImage* mask, int32_t x, int32_t y,
                                 const QxRect& cell, uint8_t character, uint32_t alpha,
                                 const QxColour* tint) {
    const int32_t sx = cell.left;
    const int32_t sy = cell.top;
    const int32_t w = cell.Width();
    const int32_t h = cell.Height();
    if (!mask) {
        if (alpha < 255) {
            return g_screen->DrawSurfaceBlended(surface, x, y, sx, sy, w, h, alpha, true);
        }
        if (tint) {
            return g_screen->DrawSurfaceTinted(surface, x, y, sx, sy, w, h, true, *tint);
        }
        return g_screen->DrawSurface(surface, x, y, sx, sy, w, h, true);
    }
    if (alpha < 255) {
        return g_screen->DrawSurfaceAlphaMappedFaded(surface, x, y, sx, sy, w, h, *mask, alpha);
    }
    if (tint && character < 128) {
        return g_screen->DrawSurfaceAlphaMappedTinted(surface, x, y, sx, sy, w, h, *mask, *tint);
    }
    return g_screen->DrawSurfaceAlphaMapped(surface, x, y, sx, sy, w, h, *mask);
}

bool QxEntity2DGUIFont::DrawString(const std::string& text, QxPoint position, int32_t justify,
                                   uint32_t alpha, const QxColour* tint) {
    QxEntity2DGUIFontType* type = FontType();
    if (!g_screen) {
        return false;
    }
    if (!type->Image()) {
        type->Load(true);
    }
    if (!type->Image()) {
        return false;
    }
    const QxFontMetrics& metrics = Metrics();
    // A sheet narrower than one cell has no grid to take glyphs from.
    if (metrics.charWidth <= 0 || metrics.charHeight <= 0 ||
        type->Image()->width < metrics.charWidth) {
        return false;
    }
    int64_t x = position.x;
    if (justify == kJustifyCentre) {
        x -= metrics.TextWidth(text, false) / 2;
    } else if (justify == kJustifyRight) {
        x -= metrics.TextWidth(text, false);
    }
    for (char c : text) {
        const QxImageRecord* image = type->Image();
        if (!image) {
            break;
        }
        const int32_t perRow = image->width / metrics.charWidth;
        const uint8_t character = metrics.MapChar(c);
        const int32_t glyph = metrics.glyphIndex[character];
        QxRect cell;
        cell.left = (glyph % perRow) * metrics.charWidth;
        cell.top = (glyph / perRow) * metrics.charHeight;
        cell.right = cell.left + metrics.charWidth;
        cell.bottom = cell.top + metrics.charHeight;
        const int32_t drawX = static_cast<int32_t>(std::clamp<int64_t>(
            x, std::numeric_limits<int32_t>::min() / 2, std::numeric_limits<int32_t>::max() / 2));
        if (!DrawCell(image->surface, type->AlphaMask(), drawX, position.y, cell, character, alpha,
                      tint)) {
            // Surfaces vanish when the display mode changes: reload and try once more.
            const bool plainMasked =
                type->AlphaMask() && alpha >= 255 && !(tint && character < 128);
            type->Load(true);
            if (plainMasked) {
                Invalidate();
            }
            if (type->Image()) {
                DrawCell(type->Image()->surface, type->AlphaMask(), drawX, position.y, cell,
                         character, alpha, tint);
            }
        }
        x += metrics.advance[character];
    }
    return true;
}
