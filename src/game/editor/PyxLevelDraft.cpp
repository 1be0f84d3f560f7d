#include "game/editor/PyxLevelDraft.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "engine/files/QxBuffer.h"
#include "engine/files/QxLog.h"
#include "game/field/PyxEntityTileBase.h"

namespace {

constexpr std::int32_t kHalfCell = PyxLevelDraft::kTileSize / 2;
constexpr float kBoardWidth = PyxLevelDraft::kColumns * PyxLevelDraft::kTileSize;
constexpr float kBoardHeight = PyxLevelDraft::kRows * PyxLevelDraft::kTileSize;
// The shipped levels release balls from anywhere on the board in any direction; a level
// without roaming balls leaves the flags at 0, as the first level does.
constexpr std::uint32_t kRoamingSpawnFlags = 0x7F;
// ExitMode 1 keeps coins and balls off the start cell, which a fixed exit needs free.
constexpr std::uint32_t kFixedExitMode = 1;
// A post rail stands 6 pixels outside each edge of the board, one per cell.
constexpr float kRailOffset = 6.0f;

struct Rail {
    const char* type;
    bool alongTop; // a row of rails across the board, else a column down it
    float fixed;   // the coordinate all of its rails share
};

constexpr Rail kRails[] = {
    {"boardrailtop", true, -kRailOffset},
    {"boardrailbottom", true, kBoardHeight + kRailOffset},
    {"boardrailleft", false, -kRailOffset},
    {"boardrailright", false, kBoardWidth + kRailOffset},
};

float CellCentre(std::int32_t index) {
    return float(index * PyxLevelDraft::kTileSize + kHalfCell);
}

bool Inside(std::int32_t col, std::int32_t row) {
    return col >= 0 && col < PyxLevelDraft::kColumns && row >= 0 && row < PyxLevelDraft::kRows;
}

// The cell whose centre is exactly the point; none for a point anywhere else.
std::optional<std::int32_t> CellAtCentre(float x, float y) {
    // Also keeps NaN and huge values away from the conversions below.
    if (!(x >= 0.0f && x < kBoardWidth && y >= 0.0f && y < kBoardHeight)) {
        return std::nullopt;
    }
    const auto col = std::int32_t(std::floor(x / PyxLevelDraft::kTileSize));
    const auto row = std::int32_t(std::floor(y / PyxLevelDraft::kTileSize));
    if (!Inside(col, row) || x != CellCentre(col) || y != CellCentre(row)) {
        return std::nullopt;
    }
    return row * PyxLevelDraft::kColumns + col;
}

std::string PointText(float x, float y) {
    return "(" + std::to_string(std::lround(x)) + ", " + std::to_string(std::lround(y)) + ")";
}

std::string CannotMake(const std::string& className, const std::string& typeName) {
    return "The level holds a part the editor cannot make: " + className + " " + typeName;
}

bool IsDirection(std::int32_t x, std::int32_t y) {
    return ((x == 1 || x == -1) && y == 0) || (x == 0 && (y == 1 || y == -1));
}

bool IsReleasedBall(const std::string& className, const std::string& typeName) {
    if (className != kPyxReleasedBallClass) {
        return false;
    }
    const auto types = PyxReleasedBallTypes();
    return std::find(types.begin(), types.end(), typeName) != types.end();
}

// The board's cells as a level holds them; false with the reason at the first part
// the palette has no room for.
bool ReadTiles(const PyxLevel& level, PyxLevelDraft::State& state, std::string& error) {
    for (std::int32_t i = 0; i < PyxLevelDraft::kCells; ++i) {
        const PyxEntityTileBase* tile = level.TileAt(i);
        if (!tile) {
            state.cells[std::size_t(i)].tile = PyxEditorPart::None;
            continue;
        }
        const QxEntityBaseType* type = tile->Type();
        const std::string className = type ? type->ClassName() : std::string();
        const std::string typeName = type ? type->TypeName() : std::string();
        const PyxEditorPart part = PyxEditorTilePart(className, typeName);
        if (part == PyxEditorPart::None) {
            error = CannotMake(className, typeName);
            return false;
        }
        state.cells[std::size_t(i)].tile = part;
    }
    return true;
}

bool ReadObjects(const PyxLevel& level, PyxLevelDraft::State& state, std::string& error) {
    // Pictures are matched to their deflectors once every deflector is known, so the
    // order of the two records does not matter.
    std::vector<const PyxLevelObjectRecord*> pictures;
    for (const PyxLevelObjectRecord& record : level.Objects()) {
        const std::string& className = record.className;
        const std::string& typeName = record.typeName;
        if ((className == kPyxClawClass && typeName == kPyxClawType) ||
            PyxIsRailRecord(className, typeName)) {
            continue;
        }
        const PyxEditorPart part = PyxEditorObjectPart(className, typeName);
        if (part == PyxEditorPart::None) {
            bool picture = false;
            for (const PyxEditorPartInfo& info : PyxEditorParts()) {
                picture = picture ||
                          (info.artClass && className == info.artClass && typeName == info.artType);
            }
            if (!picture) {
                error = CannotMake(className, typeName);
                return false;
            }
            pictures.push_back(&record);
            continue;
        }
        const std::optional<std::int32_t> cell = CellAtCentre(record.startX, record.startY);
        if (!cell) {
            error = "The level holds a part away from a cell's centre: " + className + " " +
                    typeName + " at " + PointText(record.startX, record.startY);
            return false;
        }
        PyxDraftCell& target = state.cells[std::size_t(*cell)];
        if (target.object != PyxEditorPart::None) {
            error = "The level holds two parts on one cell: " + className + " " + typeName +
                    " at " + PointText(record.startX, record.startY);
            return false;
        }
        target.object = part;
    }
    std::array<bool, PyxLevelDraft::kCells> pictured{};
    for (const PyxLevelObjectRecord* record : pictures) {
        const std::optional<std::int32_t> cell = CellAtCentre(record->startX, record->startY);
        const PyxEditorPartInfo* owner =
            cell ? &PyxEditorPartOf(state.cells[std::size_t(*cell)].object) : nullptr;
        if (!owner || !owner->artType || record->typeName != owner->artType ||
            pictured[std::size_t(*cell)]) {
            error =
                "The level holds a deflector picture without its deflector: " + record->className +
                " " + record->typeName + " at " + PointText(record->startX, record->startY);
            return false;
        }
        pictured[std::size_t(*cell)] = true;
    }
    return true;
}

} // namespace

PyxLevelDraft::PyxLevelDraft() {
    for (PyxDraftCell& cell : m_state.cells) {
        cell.tile = PyxEditorPart::Floor;
    }
}

const PyxDraftCell& PyxLevelDraft::Cell(std::int32_t col, std::int32_t row) const {
    static const PyxDraftCell kOutside;
    return Inside(col, row) ? m_state.cells[std::size_t(row * kColumns + col)] : kOutside;
}

bool PyxLevelDraft::Paint(std::int32_t col, std::int32_t row, PyxEditorPart part) {
    if (!Inside(col, row) || part == PyxEditorPart::None) {
        return false;
    }
    State next = m_state;
    PyxDraftCell& cell = next.cells[std::size_t(row * kColumns + col)];
    const PyxEditorPartInfo& info = PyxEditorPartOf(part);
    if (part == PyxEditorPart::Start) {
        if (col == next.startCol && row == next.startRow) {
            // A quarter clockwise on the screen, whose y axis points down.
            const std::int32_t dirX = next.startDirX;
            next.startDirX = -next.startDirY;
            next.startDirY = dirX;
        } else {
            next.startCol = col;
            next.startRow = row;
        }
    } else if (info.IsTile()) {
        cell.tile = part;
        if (part == PyxEditorPart::Trap) {
            cell.object = PyxEditorPart::None;
        }
    } else if (info.IsObject()) {
        cell.object = part;
        if (cell.tile == PyxEditorPart::None || cell.tile == PyxEditorPart::Trap) {
            cell.tile = PyxEditorPart::Floor;
        }
    } else {
        return false;
    }
    // Only the board is compared: properties kept from an opened level may hold a NaN,
    // which never equals itself.
    if (next.cells == m_state.cells && next.startCol == m_state.startCol &&
        next.startRow == m_state.startRow && next.startDirX == m_state.startDirX &&
        next.startDirY == m_state.startDirY) {
        return false;
    }
    Commit(next);
    return true;
}

bool PyxLevelDraft::Erase(std::int32_t col, std::int32_t row) {
    if (!Inside(col, row)) {
        return false;
    }
    State next = m_state;
    PyxDraftCell& cell = next.cells[std::size_t(row * kColumns + col)];
    if (cell.object != PyxEditorPart::None) {
        cell.object = PyxEditorPart::None;
    } else if (cell.tile != PyxEditorPart::None) {
        cell.tile = PyxEditorPart::None;
    } else {
        return false;
    }
    Commit(next);
    return true;
}

bool PyxLevelDraft::SetSettings(const Settings& settings) {
    Settings clamped = Clamped(settings);
    if (clamped == m_state.settings) {
        return false;
    }
    State next = m_state;
    next.settings = std::move(clamped);
    Commit(next);
    return true;
}

void PyxLevelDraft::Clear() {
    const PyxLevelDraft fresh;
    if (fresh.m_state != m_state) {
        Commit(fresh.m_state);
    }
}

bool PyxLevelDraft::CanUndo() const {
    return !m_undo.empty();
}

bool PyxLevelDraft::CanRedo() const {
    return !m_redo.empty();
}

bool PyxLevelDraft::Undo() {
    if (m_undo.empty()) {
        return false;
    }
    m_redo.push_back(std::move(m_state));
    m_state = std::move(m_undo.back());
    m_undo.pop_back();
    return true;
}

bool PyxLevelDraft::Redo() {
    if (m_redo.empty()) {
        return false;
    }
    m_undo.push_back(std::move(m_state));
    m_state = std::move(m_redo.back());
    m_redo.pop_back();
    return true;
}

void PyxLevelDraft::Commit(const State& next) {
    m_undo.push_back(m_state);
    if (m_undo.size() > kUndoSteps) {
        m_undo.erase(m_undo.begin());
    }
    m_redo.clear();
    m_state = next;
}

std::unique_ptr<PyxLevel> PyxLevelDraft::BuildLevel() const {
    auto level = std::make_unique<PyxLevel>();
    level->SetupGrid(kColumns, kRows, kTileSize, kTileSize, kBorder, kBorder);
    for (std::int32_t i = 0; i < kCells; ++i) {
        const PyxEditorPartInfo& info = PyxEditorPartOf(m_state.cells[std::size_t(i)].tile);
        if (!info.IsTile()) {
            continue;
        }
        const std::int32_t x = kBorder + (i % kColumns) * kTileSize;
        const std::int32_t y = kBorder + (i / kColumns) * kTileSize;
        if (!level->PlaceTile(info.tileClass, info.tileType, x, y, i)) {
            LogPrintf("Editor: no tile %s - %s to build the level with", info.tileClass,
                      info.tileType);
            return nullptr;
        }
    }

    const Settings& s = m_state.settings;
    PyxLevelProperties& p = level->Properties();
    p = m_state.kept;
    p.LevelName = s.name;
    p.LevelTime = s.levelTime;
    p.CoinsNeeded = s.coinsNeeded;
    p.CoinsOnBoard = s.coinsOnBoard;
    p.ExitAtRandomTile = s.exitAtRandomCell;
    if (!s.exitAtRandomCell) {
        p.ExitMode = kFixedExitMode;
    }
    p.StartCol = m_state.startCol;
    p.StartRow = m_state.startRow;
    p.StartDirX = m_state.startDirX;
    p.StartDirY = m_state.startDirY;
    if (s.roamingBalls > 0) {
        p.BallsReleased = s.roamingBalls + 1; // the player's ball counts too
        p.BallClass = kPyxReleasedBallClass;
        p.BallType = s.ballType;
        p.ReleaseInterval = s.releaseInterval;
        p.BallSpeed = s.ballSpeed;
        if (p.SpawnFlags == 0) {
            p.SpawnFlags = kRoamingSpawnFlags;
        }
    } else {
        p.BallsReleased = 0;
        p.BallClass.clear();
        p.BallType.clear();
        p.ReleaseInterval = 0;
        p.BallSpeed = 0.0f;
        p.SpawnFlags = 0;
    }

    level->AddObjectAt(CellCentre(m_state.startCol), kPyxClawY, kPyxClawClass, kPyxClawType, false);
    for (std::int32_t i = 0; i < kCells; ++i) {
        const PyxEditorPartInfo& info = PyxEditorPartOf(m_state.cells[std::size_t(i)].object);
        if (!info.IsObject()) {
            continue;
        }
        const float x = CellCentre(i % kColumns);
        const float y = CellCentre(i / kColumns);
        level->AddObjectAt(x, y, info.objectClass, info.objectType, false);
        if (info.artClass) {
            level->AddObjectAt(x, y, info.artClass, info.artType, false);
        }
    }
    for (const Rail& rail : kRails) {
        const std::int32_t count = rail.alongTop ? kColumns : kRows;
        for (std::int32_t i = 0; i < count; ++i) {
            const float along = CellCentre(i);
            level->AddObjectAt(rail.alongTop ? along : rail.fixed,
                               rail.alongTop ? rail.fixed : along, kPyxRailClass, rail.type, false);
        }
    }
    return level;
}

std::vector<std::uint8_t> PyxLevelDraft::LevelBytes() const {
    const std::unique_ptr<PyxLevel> level = BuildLevel();
    QxBuffer out;
    if (!level || !level->SaveLevel(out)) {
        return {};
    }
    return {out.GetData(), out.GetData() + out.Tell()};
}

bool PyxLevelDraft::LoadFrom(const PyxLevel& level, std::string& error) {
    if (level.Columns() != kColumns || level.Rows() != kRows || level.TileWidth() != kTileSize ||
        level.TileHeight() != kTileSize || level.BorderX() != kBorder ||
        level.BorderY() != kBorder) {
        error = "The editor makes boards of 8 x 8 cells of 56 pixels, 16 in from the corner; "
                "this level has " +
                std::to_string(level.Columns()) + " x " + std::to_string(level.Rows()) +
                " cells of " + std::to_string(level.TileWidth()) + " x " +
                std::to_string(level.TileHeight()) + ", " + std::to_string(level.BorderX()) + ", " +
                std::to_string(level.BorderY()) + " in";
        return false;
    }
    const PyxLevelProperties& p = level.Properties();
    if (!Inside(p.StartCol, p.StartRow) || !IsDirection(p.StartDirX, p.StartDirY)) {
        error = "The level's start (cell " + std::to_string(p.StartCol) + ", " +
                std::to_string(p.StartRow) + ", heading " + std::to_string(p.StartDirX) + ", " +
                std::to_string(p.StartDirY) + ") is not one the editor can make";
        return false;
    }
    const std::int32_t roaming = std::max(0, p.BallsReleased - 1);
    if (roaming > 0 && !IsReleasedBall(p.BallClass, p.BallType)) {
        error =
            "The level releases balls the editor cannot make: " + p.BallClass + " " + p.BallType;
        return false;
    }

    State next;
    if (!ReadTiles(level, next, error) || !ReadObjects(level, next, error)) {
        return false;
    }
    next.startCol = p.StartCol;
    next.startRow = p.StartRow;
    next.startDirX = p.StartDirX;
    next.startDirY = p.StartDirY;
    Settings settings;
    settings.name = p.LevelName;
    settings.levelTime = p.LevelTime;
    settings.coinsNeeded = p.CoinsNeeded;
    settings.coinsOnBoard = p.CoinsOnBoard;
    settings.roamingBalls = roaming;
    // Without roaming balls a level leaves their properties at nothing; the editor's
    // own values then stay for when the player adds some.
    if (roaming > 0) {
        settings.ballType = p.BallType;
        settings.releaseInterval = p.ReleaseInterval;
        settings.ballSpeed = p.BallSpeed;
    }
    settings.exitAtRandomCell = p.ExitAtRandomTile;
    next.settings = Clamped(std::move(settings));
    next.kept = p;
    if (next != m_state) {
        Commit(next);
    }
    return true;
}

PyxLevelDraft::Settings PyxLevelDraft::Clamped(Settings settings) {
    settings.levelTime = std::clamp(settings.levelTime, 10, 600);
    settings.coinsNeeded = std::clamp(settings.coinsNeeded, 1, 99);
    settings.coinsOnBoard = std::clamp(settings.coinsOnBoard, 1, 20);
    settings.roamingBalls = std::clamp(settings.roamingBalls, 0, 20);
    if (!IsReleasedBall(kPyxReleasedBallClass, settings.ballType)) {
        settings.ballType = PyxReleasedBallTypes().front();
    }
    settings.releaseInterval = std::clamp(settings.releaseInterval, 1, 60);
    // Written as "!(x >= low)" so that a NaN ends up at the low end too.
    float speed = settings.ballSpeed;
    speed = !(speed >= 0.5f) ? 0.5f : std::min(speed, 4.0f);
    settings.ballSpeed = std::round(speed * 10.0f) / 10.0f;
    return settings;
}
