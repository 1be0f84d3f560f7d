#include "game/editor/PyxEditorPalette.h"

#include <array>

namespace {

using Part = PyxEditorPart;

// The tooltips follow the parts' definitions under content/data/board; the floors are
// named after the felt colours the content builder paints.
constexpr PyxEditorPartInfo Tile(Part part, const char* label, const char* tooltip,
                                 const char* className, const char* typeName) {
    return {part, label, tooltip, className, typeName, nullptr, nullptr, nullptr, nullptr};
}

constexpr PyxEditorPartInfo Object(Part part, const char* label, const char* tooltip,
                                   const char* className, const char* typeName,
                                   const char* artClass = nullptr, const char* artType = nullptr) {
    return {part, label, tooltip, nullptr, nullptr, className, typeName, artClass, artType};
}

constexpr const char* kFloorTip = "balls roll on it, coins appear on it";

constexpr std::array kParts = {
    Tile(Part::Floor, "Floor (teal)", kFloorTip, "PyxBitmapTile", "floor"),
    Tile(Part::FloorB, "Floor (blue)", kFloorTip, "PyxBitmapTile", "floorb"),
    Tile(Part::FloorC, "Floor (plum)", kFloorTip, "PyxBitmapTile", "floorc"),
    Tile(Part::Trap, "Trap", "a pit that swallows balls; yours costs a life", "PyxSinkTile",
         "trap"),
    Object(Part::Post, "Post", "balls bounce straight back off it", "PyxBasicPost", "boardpost"),
    Object(Part::Lift, "Lift pad", "rises into a post while you hold the mouse", "PyxBasicPost",
           "boardlift"),
    Object(Part::Gear, "Gear", "a turning cog that throws balls back", "PyxAnimPost", "boardgear"),
    Object(Part::Deflector7, "Deflector NW", "turns balls that meet its up-left face",
           "PyxBasicPost", "boarddefl7", "PyxAnimExplosion", "boarddefl7art"),
    Object(Part::Deflector9, "Deflector NE", "turns balls that meet its up-right face",
           "PyxBasicPost", "boarddefl9", "PyxAnimExplosion", "boarddefl9art"),
    Object(Part::Deflector3, "Deflector SE", "turns balls that meet its down-right face",
           "PyxBasicPost", "boarddefl3", "PyxAnimExplosion", "boarddefl3art"),
    Object(Part::Deflector1, "Deflector SW", "turns balls that meet its down-left face",
           "PyxBasicPost", "boarddefl1", "PyxAnimExplosion", "boarddefl1art"),
    Object(Part::Power, "Power award", "for 5 seconds your ball eats the others", "PyxAnimAward",
           "boardpower"),
    // The rules arm the orb only after more than 12 coins; below that it just sits there.
    Object(Part::Bonus, "Bonus orb", "bonus points; armed if over 12 coins needed", "PyxPickupBall",
           "boardbonus"),
    PyxEditorPartInfo{Part::Start, "Start", "your ball starts here; click again to turn"},
};

constexpr PyxEditorPartInfo kNone{};

constexpr std::array<const char*, 4> kRailTypes = {"boardrailtop", "boardrailbottom",
                                                   "boardrailleft", "boardrailright"};

constexpr std::array<const char* const, 3> kBallTypes = {"boardgreen", "boardred", "boardviolet"};

bool Same(const char* name, const std::string& text) {
    return name != nullptr && text == name;
}

} // namespace

std::span<const PyxEditorPartInfo> PyxEditorParts() {
    return kParts;
}

const PyxEditorPartInfo& PyxEditorPartOf(PyxEditorPart part) {
    for (const PyxEditorPartInfo& info : kParts) {
        if (info.part == part) {
            return info;
        }
    }
    return kNone;
}

PyxEditorPart PyxEditorTilePart(const std::string& className, const std::string& typeName) {
    for (const PyxEditorPartInfo& info : kParts) {
        if (Same(info.tileClass, className) && Same(info.tileType, typeName)) {
            return info.part;
        }
    }
    return PyxEditorPart::None;
}

PyxEditorPart PyxEditorObjectPart(const std::string& className, const std::string& typeName) {
    for (const PyxEditorPartInfo& info : kParts) {
        if (Same(info.objectClass, className) && Same(info.objectType, typeName)) {
            return info.part;
        }
    }
    return PyxEditorPart::None;
}

bool PyxIsRailRecord(const std::string& className, const std::string& typeName) {
    if (className != kPyxRailClass) {
        return false;
    }
    for (const char* type : kRailTypes) {
        if (typeName == type) {
            return true;
        }
    }
    return false;
}

std::span<const char* const> PyxReleasedBallTypes() {
    return kBallTypes;
}
