#pragma once
// Pictures, fonts and sounds the widget tests make for themselves.

#include <array>
#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "engine/files/QxImage.h"
#include "engine/files/QxImageListFile.h"
#include "engine/screen/QxColour.h"
#include "support/TestFiles.h"

namespace widgettest {

inline constexpr int kCellWidth = 8;
inline constexpr int kCellHeight = 10;
inline constexpr int kGlyphsPerRow = 16;

inline void Put(QxImage& image, int x, int y, QxColour colour) {
    uint8_t* p = image.Row(y) + static_cast<size_t>(x) * 3;
    p[0] = colour.blue;
    p[1] = colour.green;
    p[2] = colour.red;
}

inline QxImage Solid(int width, int height, QxColour colour) {
    QxImage image;
    image.Create(width, height, 24);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            Put(image, x, y, colour);
        }
    }
    return image;
}

// The colour of glyph i on the block sheet: every glyph has its own, with channels
// that survive the screen's five bits per channel.
inline QxColour BlockColour(int glyph) {
    return QxColour(static_cast<uint8_t>(64 + (glyph * 40) % 192),
                    static_cast<uint8_t>(248 - (glyph * 24) % 160),
                    static_cast<uint8_t>(32 + (glyph * 56) % 216));
}

// Five columns by seven rows; '#' is ink.
inline const std::map<char, std::array<const char*, 7>>& GlyphShapes() {
    static const std::map<char, std::array<const char*, 7>> shapes = {
        {'A', {" ### ", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"}},
        {'B', {"#### ", "#   #", "#   #", "#### ", "#   #", "#   #", "#### "}},
        {'C', {" ####", "#    ", "#    ", "#    ", "#    ", "#    ", " ####"}},
        {'D', {"#### ", "#   #", "#   #", "#   #", "#   #", "#   #", "#### "}},
        {'E', {"#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#####"}},
        {'F', {"#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#    "}},
        {'G', {" ####", "#    ", "#    ", "#  ##", "#   #", "#   #", " ### "}},
        {'H', {"#   #", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"}},
        {'I', {"#####", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", "#####"}},
        {'J', {"  ###", "   # ", "   # ", "   # ", "   # ", "#  # ", " ##  "}},
        {'K', {"#   #", "#  # ", "# #  ", "##   ", "# #  ", "#  # ", "#   #"}},
        {'L', {"#    ", "#    ", "#    ", "#    ", "#    ", "#    ", "#####"}},
        {'M', {"#   #", "## ##", "# # #", "# # #", "#   #", "#   #", "#   #"}},
        {'N', {"#   #", "##  #", "# # #", "#  ##", "#   #", "#   #", "#   #"}},
        {'O', {" ### ", "#   #", "#   #", "#   #", "#   #", "#   #", " ### "}},
        {'P', {"#### ", "#   #", "#   #", "#### ", "#    ", "#    ", "#    "}},
        {'Q', {" ### ", "#   #", "#   #", "#   #", "# # #", "#  # ", " ## #"}},
        {'R', {"#### ", "#   #", "#   #", "#### ", "# #  ", "#  # ", "#   #"}},
        {'S', {" ####", "#    ", "#    ", " ### ", "    #", "    #", "#### "}},
        {'T', {"#####", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  "}},
        {'U', {"#   #", "#   #", "#   #", "#   #", "#   #", "#   #", " ### "}},
        {'V', {"#   #", "#   #", "#   #", "#   #", "#   #", " # # ", "  #  "}},
        {'W', {"#   #", "#   #", "#   #", "# # #", "# # #", "## ##", "#   #"}},
        {'X', {"#   #", "#   #", " # # ", "  #  ", " # # ", "#   #", "#   #"}},
        {'Y', {"#   #", "#   #", " # # ", "  #  ", "  #  ", "  #  ", "  #  "}},
        {'Z', {"#####", "    #", "   # ", "  #  ", " #   ", "#    ", "#####"}},
        {'0', {" ### ", "#   #", "#  ##", "# # #", "##  #", "#   #", " ### "}},
        {'1', {"  #  ", " ##  ", "  #  ", "  #  ", "  #  ", "  #  ", " ### "}},
        {'2', {" ### ", "#   #", "    #", "   # ", "  #  ", " #   ", "#####"}},
        {'3', {"#### ", "    #", "    #", " ### ", "    #", "    #", "#### "}},
        {'4', {"   # ", "  ## ", " # # ", "#  # ", "#####", "   # ", "   # "}},
        {'5', {"#####", "#    ", "#### ", "    #", "    #", "#   #", " ### "}},
        {'6', {" ### ", "#    ", "#    ", "#### ", "#   #", "#   #", " ### "}},
        {'7', {"#####", "    #", "   # ", "  #  ", " #   ", " #   ", " #   "}},
        {'8', {" ### ", "#   #", "#   #", " ### ", "#   #", "#   #", " ### "}},
        {'9', {" ### ", "#   #", "#   #", " ####", "    #", "    #", " ### "}},
        {'.', {"     ", "     ", "     ", "     ", "     ", " ##  ", " ##  "}},
        {',', {"     ", "     ", "     ", "     ", " ##  ", "  #  ", " #   "}},
        {':', {"     ", " ##  ", " ##  ", "     ", " ##  ", " ##  ", "     "}},
        {'!', {"  #  ", "  #  ", "  #  ", "  #  ", "  #  ", "     ", "  #  "}},
        {'?', {" ### ", "#   #", "    #", "   # ", "  #  ", "     ", "  #  "}},
        {'-', {"     ", "     ", "     ", "#####", "     ", "     ", "     "}},
        {'*', {"     ", "# # #", " ### ", "#####", " ### ", "# # #", "     "}},
        {'_', {"     ", "     ", "     ", "     ", "     ", "     ", "#####"}},
        {'%', {"##  #", "##  #", "   # ", "  #  ", " #   ", "#  ##", "#  ##"}},
        {'/', {"    #", "    #", "   # ", "  #  ", " #   ", "#    ", "#    "}},
        {'(', {"   # ", "  #  ", " #   ", " #   ", " #   ", "  #  ", "   # "}},
        {')', {" #   ", "  #  ", "   # ", "   # ", "   # ", "  #  ", " #   "}},
        {'\'', {"  #  ", "  #  ", " #   ", "     ", "     ", "     ", "     "}},
    };
    return shapes;
}

// The characters of the legible sheet, in cell order (glyph 0 is the space).
inline std::string LegibleChars() {
    std::string chars = " ";
    for (const auto& entry : GlyphShapes()) {
        chars += entry.first;
    }
    return chars;
}

// A 24-bit glyph sheet for `chars`: the legible shapes in `ink`, or solid cells in
// each glyph's block colour. Black is the colour key.
inline QxImage GlyphSheet(const std::string& chars, bool blocks, QxColour ink) {
    const int rows = (static_cast<int>(chars.size()) + kGlyphsPerRow - 1) / kGlyphsPerRow;
    QxImage sheet;
    sheet.Create(kGlyphsPerRow * kCellWidth, rows * kCellHeight, 24);
    for (size_t i = 0; i < chars.size(); ++i) {
        const int left = static_cast<int>(i % kGlyphsPerRow) * kCellWidth;
        const int top = static_cast<int>(i / kGlyphsPerRow) * kCellHeight;
        if (blocks) {
            for (int y = 0; y < kCellHeight; ++y) {
                for (int x = 0; x < kCellWidth; ++x) {
                    Put(sheet, left + x, top + y, BlockColour(static_cast<int>(i)));
                }
            }
            continue;
        }
        const auto found = GlyphShapes().find(chars[i]);
        if (found == GlyphShapes().end()) {
            continue;
        }
        // The underscore sits below the line, where a caret goes.
        const int drop = chars[i] == '_' ? 2 : 0;
        for (int y = 0; y < 7; ++y) {
            for (int x = 0; x < 5; ++x) {
                if (found->second[static_cast<size_t>(y)][x] == '#') {
                    Put(sheet, left + 1 + x, top + 1 + y + drop, ink);
                }
            }
        }
    }
    return sheet;
}

// The colour of digit d on the digit image lists.
inline QxColour DigitColour(int digit) {
    return BlockColour(digit + 3);
}

// Ten 15-bit frames, frame k a solid cell of DigitColour(k).
inline std::vector<QxImage> DigitFrames(int width, int height) {
    std::vector<QxImage> frames;
    for (int d = 0; d < 10; ++d) {
        const QxColour c = DigitColour(d);
        const auto pixel =
            static_cast<uint16_t>(((c.red >> 3) << 10) | ((c.green >> 3) << 5) | (c.blue >> 3));
        QxImage frame;
        frame.Create(width, height, 15);
        frame.name = "digit" + std::to_string(d);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                std::memcpy(frame.Row(y) + 2 * x, &pixel, 2);
            }
        }
        frames.push_back(std::move(frame));
    }
    return frames;
}

} // namespace widgettest
