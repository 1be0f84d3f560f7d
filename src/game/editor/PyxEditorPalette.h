#pragma once
// The parts a player builds levels from: every part the shipped levels use, with the
// tile or board objects that stand for it in a level file. The editor's palette shows
// them in this order; a level that holds anything else (apart from the claw and the
// rails, which every level gets) is not one the editor can open.

#include <cstdint>
#include <span>
#include <string>

enum class PyxEditorPart : std::uint8_t {
    None,
    // Tiles.
    Floor,
    FloorB,
    FloorC,
    Trap,
    // Objects standing at a cell's centre.
    Post,
    Lift,
    Gear,
    Deflector7, // facing up-left
    Deflector9, // up-right
    Deflector3, // down-right
    Deflector1, // down-left
    Power,
    Bonus,
    // The cell the claw lowers the player's ball onto, and the way the ball sets off.
    Start,
};

struct PyxEditorPartInfo {
    PyxEditorPart part = PyxEditorPart::None;
    const char* label = "";   // the palette's name for it
    const char* tooltip = ""; // one line: what it does in play
    // A tile part names its tile; an object part its object, and a deflector also its
    // picture, which stands at the same point and is placed and removed with it.
    const char* tileClass = nullptr;
    const char* tileType = nullptr;
    const char* objectClass = nullptr;
    const char* objectType = nullptr;
    const char* artClass = nullptr;
    const char* artType = nullptr;

    bool IsTile() const { return tileClass != nullptr; }
    bool IsObject() const { return objectClass != nullptr; }
};

// Every part but None, in palette order.
std::span<const PyxEditorPartInfo> PyxEditorParts();
// The entry of a part; the None entry (empty names) for None or an unknown value.
const PyxEditorPartInfo& PyxEditorPartOf(PyxEditorPart part);
// The part a tile or object of a level stands for; None when the palette has no such
// part (a deflector's picture answers None: it comes with its post).
PyxEditorPart PyxEditorTilePart(const std::string& className, const std::string& typeName);
PyxEditorPart PyxEditorObjectPart(const std::string& className, const std::string& typeName);

// What every level gets besides its parts: the claw above the start column and the
// rails just outside the board's edge.
inline constexpr const char* kPyxClawClass = "PyxBallCarrier";
inline constexpr const char* kPyxClawType = "boardclaw";
inline constexpr float kPyxClawY = -200.0f;
inline constexpr const char* kPyxRailClass = "PyxBasicPost";
// Whether a record is one of the rails (PyxBasicPost boardrailtop, ...bottom, ...left,
// ...right).
bool PyxIsRailRecord(const std::string& className, const std::string& typeName);
// The classes and types a released ball may have.
inline constexpr const char* kPyxReleasedBallClass = "PyxCharacterBall";
std::span<const char* const> PyxReleasedBallTypes();
