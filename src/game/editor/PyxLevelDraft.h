#pragma once
// The level a player is building: an 8 x 8 board of cells, each with a tile part and
// an object part from the palette, the start cell and direction, and the level's
// properties. Every change is one step that can be undone and redone. It turns into a
// level as the game plays it (the claw above the start column and the rails around
// the board added), and a level made of palette parts turns back into it.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "game/editor/PyxEditorPalette.h"
#include "game/field/PyxLevel.h"

struct PyxDraftCell {
    PyxEditorPart tile = PyxEditorPart::None;
    PyxEditorPart object = PyxEditorPart::None;

    bool operator==(const PyxDraftCell&) const = default;
};

class PyxLevelDraft {
public:
    // The board every level has: 8 x 8 cells of 56 pixels, 16 pixels in from the
    // screen's corner.
    static constexpr std::int32_t kColumns = 8;
    static constexpr std::int32_t kRows = 8;
    static constexpr std::int32_t kCells = kColumns * kRows;
    static constexpr std::int32_t kTileSize = 56;
    static constexpr std::int32_t kBorder = 16;
    // Undo keeps this many steps; older ones are forgotten.
    static constexpr std::size_t kUndoSteps = 200;

    // What the editor lets the player set, with the limits it keeps them in.
    struct Settings {
        std::string name = "My Level";
        std::int32_t levelTime = 60;         // seconds, 10 to 600
        std::int32_t coinsNeeded = 5;        // 1 to 99
        std::int32_t coinsOnBoard = 3;       // 1 to 20
        std::int32_t roamingBalls = 0;       // released besides the player's, 0 to 20
        std::string ballType = "boardgreen"; // one of PyxReleasedBallTypes()
        std::int32_t releaseInterval = 8;    // seconds, 1 to 60
        float ballSpeed = 1.5f;              // cells per second, 0.5 to 4.0 in steps of 0.1
        bool exitAtRandomCell = true;        // else at the start cell

        bool operator==(const Settings&) const = default;
    };

    struct State {
        std::array<PyxDraftCell, kCells> cells{};
        std::int32_t startCol = 3;
        std::int32_t startRow = 4;
        std::int32_t startDirX = 1; // one of (1,0), (0,1), (-1,0), (0,-1)
        std::int32_t startDirY = 0;
        Settings settings;
        // Properties the editor does not show, kept as an opened level had them.
        PyxLevelProperties kept;

        bool operator==(const State&) const = default;
    };

    // A new level: every cell plain floor, the start cell at (3, 4) heading right.
    PyxLevelDraft();

    const State& Current() const { return m_state; }
    const PyxDraftCell& Cell(std::int32_t col, std::int32_t row) const;

    // Puts a palette part on a cell: a tile part replaces the tile (a trap also takes
    // the object away), an object part stands on the cell (a cell without a tile gets
    // plain floor under it), the start part moves the start there or, on the start
    // cell, turns its direction a quarter clockwise. False, with nothing changed and
    // no undo step, when the cell is outside the board or nothing would change.
    bool Paint(std::int32_t col, std::int32_t row, PyxEditorPart part);
    // Takes the object off a cell, or its tile when it has no object. False when the
    // cell is already empty or outside the board.
    bool Erase(std::int32_t col, std::int32_t row);
    // False when nothing would change; values outside the limits are brought inside.
    bool SetSettings(const Settings& settings);
    // Starts again from a new level, as one step that can be undone.
    void Clear();

    bool CanUndo() const;
    bool CanRedo() const;
    bool Undo();
    bool Redo();

    // The level the game plays: tiles made through the registry (which must know the
    // tile classes and types), objects as records without entities. Claw first, then
    // the parts row by row (a deflector's post then its picture), then the rails.
    std::unique_ptr<PyxLevel> BuildLevel() const;
    // The level file's bytes, as SaveLevel writes them; empty when a tile cannot be made.
    std::vector<std::uint8_t> LevelBytes() const;
    // Replaces the draft with a level's board and properties as one step that can be
    // undone. False, with the reason and nothing changed, when the level is not an
    // 8 x 8 board of 56-pixel cells or holds a tile or object outside the palette.
    bool LoadFrom(const PyxLevel& level, std::string& error);

    // Brings settings inside their limits.
    static Settings Clamped(Settings settings);

private:
    void Commit(const State& next);

    State m_state;
    std::vector<State> m_undo;
    std::vector<State> m_redo;
};
