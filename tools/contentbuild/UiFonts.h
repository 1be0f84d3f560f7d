#pragma once
// The user interface's font styles, shared by the font step and the art that bakes
// text into pictures with the same faces.
#include <string>
#include <vector>

#include "ContentPaint.h"

struct UiFontStyle {
    std::string type; // font type name in the definitions
    std::string face; // file in the DejaVu folder
    int pixelSize;
    PaintColour top;    // fill at the ascender line
    PaintColour bottom; // fill at the baseline
    float shadowAlpha;  // 0: no shadow
    int shadowOffset;
    int shadowBlur;
    int tracking = 0; // extra advance per character
};

const std::vector<UiFontStyle>& UiFontStyles();

// The definition text of a font sheet.
std::string UiFontDefinition(const UiFontStyle& style, const std::vector<int>& advances,
                             int cellWidth, int cellHeight, int spaceAdvance);
