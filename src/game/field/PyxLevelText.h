#pragma once
// The readable form of a level, which the level compiler turns into a level file and
// back: the properties by name, the tiles as a legend of symbols and rows of them,
// and the object records with their positions. docs/level-text.md describes it.
//
// Write gives the canonical text; Read of a canonical text followed by Write gives
// the same text back, and a level file that SaveLevel wrote survives Write, Read and
// SaveLevel byte for byte.

#include <string>

class PyxLevel;

class PyxLevelText {
public:
    // The canonical text of the level: every property, the tile legend and grid, tile
    // corners and sound levels that differ from the defaults, and the object records.
    static std::string Write(const PyxLevel& level);
    // Fills a freshly constructed level from the text. Tiles are made through the
    // registry (so their classes must be registered); objects are kept as records.
    // False with a message naming the line when the text is not a level.
    static bool Read(const std::string& text, PyxLevel& level, std::string& error);
};
