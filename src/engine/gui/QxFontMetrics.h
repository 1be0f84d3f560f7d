#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The measuring side of a bitmap font: which cell of the glyph sheet each byte
// uses and how far the pen moves after it. Kept apart from the font element so
// that layout (widths, wrapping, prefixes) works without a screen or a sheet.
struct QxFontMetrics {
    std::array<uint8_t, 256> glyphIndex{};
    std::array<uint8_t, 256> advance{};
    int charWidth = 0;
    int charHeight = 0;
    int offsetX = 0;
    int offsetY = 0;
    bool noLowercase = false;

    // Fills both tables: the i-th byte of `chars` gets glyph i (first 256 bytes;
    // a repeated byte keeps the later index), every advance starts at
    // offsetX + charWidth cut to a byte. Call after the sizes are set.
    void Build(const std::string& chars);

    // One "FontWidth" entry: the first character of code 32 or above is the
    // character, the number after the next comma its advance. False when the
    // text holds no such character.
    bool ApplyWidthEntry(const std::string& entry);

    // The byte that is drawn and measured for `c` (upper case with noLowercase).
    uint8_t MapChar(char c) const;

    // Sum of the advances; without countTrailingSpaces the spaces at the end of
    // the text do not count.
    uint32_t TextWidth(const std::string& text, bool countTrailingSpaces) const;

    int CellAdvance() const { return charWidth + offsetX; }
    int LineHeight() const { return charHeight + offsetY; }

    // The longest prefix whose advance sum stays strictly below maxWidth.
    std::string FitPrefix(const std::string& text, int maxWidth) const;

    // Breaks text into lines of at most `count` characters (the continuation
    // prefix counting against the limit), breaking after the last space when
    // there is one. '\r' ends a line, '\n' is dropped.
    static std::vector<std::string> WrapByCount(const std::string& text, int count,
                                                const std::string* prefix);

    // The same breaking, reporting for each line where it starts in `text` and
    // how many characters of `text` it holds (no prefix). Editing uses it to move
    // the cursor between lines.
    struct LineSpan {
        size_t start = 0;
        size_t length = 0;
    };
    static std::vector<LineSpan> WrapSpans(const std::string& text, int count);
};
