#include "game/field/PyxLevel.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <utility>

#include "app/QxGlobals.h"
#include "app/QxRandom.h"
#include "engine/entity/QxDefinition.h"
#include "engine/entity/QxEntityRegistry.h"
#include "engine/files/QxBuffer.h"
#include "engine/files/QxFileSystem.h"
#include "engine/files/QxLog.h"
#include "game/field/PyxBallMotion.h"
#include "game/field/PyxEntityTileBase.h"
#include "game/field/PyxHeightSort.h"
#include "game/objects/PyxEntityBallBase.h"
#include "game/objects/PyxEntityPickupBall.h"

namespace {

// The least a record can take in its block: two empty names and the record's own
// integers. A count that needs more bytes than its block holds is damage.
constexpr std::uint32_t kMinTileRecord = 4 + 4 + 3 * 4;
constexpr std::uint32_t kMinObjectRecord = 4 + 4 + 4 * 4;

// Reads one block: a length, then that many bytes into a zero-filled buffer. False
// when the length or the bytes are not all there.
bool ReadBlock(QxFile& stream, QxBuffer& block) {
    const std::uint32_t size = stream.GetSize();
    const std::uint32_t here = stream.Tell();
    if (here > size || size - here < 4) {
        return false;
    }
    const std::uint32_t length = stream.ReadUInt32();
    const std::uint32_t start = stream.Tell();
    if (start > size || length > size - start) {
        return false;
    }
    if (!block.Allocate(length, 0)) {
        return false;
    }
    if (length > 0 && stream.ReadBytes(length, block.GetData()) != length) {
        return false;
    }
    return true;
}

std::uint32_t BytesLeft(QxFile& block) {
    const std::uint32_t size = block.GetSize();
    const std::uint32_t here = block.Tell();
    return here < size ? size - here : 0;
}

// Collects the byte count of a block's writes and whether each wrote all it should.
class BlockWriter {
public:
    explicit BlockWriter(QxFile& file) : m_file(file) {}

    void Int32(std::int32_t value) { Check(m_file.WriteInt32(value), 4); }
    void UInt32(std::uint32_t value) { Check(m_file.WriteUInt32(value), 4); }
    void Float(float value) { Check(m_file.WriteFloat(value), 4); }
    void Bool(bool value) { Check(m_file.WriteUInt8(value ? 1 : 0), 1); }
    void String(const std::string& text) {
        Check(m_file.WriteString(text), std::uint64_t(text.size()) + 4);
    }
    // A sub-record that counted its own bytes.
    void Counted(std::uint32_t written) { m_written += written; }

    std::uint32_t Written() const { return m_written; }
    bool Ok() const { return m_ok; }
    void MarkFailed() { m_ok = false; }

private:
    void Check(std::uint32_t written, std::uint64_t expected) {
        m_written += written;
        if (written != expected) {
            m_ok = false;
        }
    }

    QxFile& m_file;
    std::uint32_t m_written = 0;
    bool m_ok = true;
};

// Writes a placeholder at the current position and later the real value there,
// returning to where the writing stopped.
class Patch {
public:
    explicit Patch(QxFile& file) : m_file(file), m_at(file.Tell()) {
        m_ok = file.WriteUInt32(0) == 4;
    }

    bool Write(std::uint32_t value) {
        const std::uint32_t end = m_file.Tell();
        if (!m_ok || !m_file.Seek(QxFile::kSeekStart, std::int32_t(m_at))) {
            return false;
        }
        const bool written = m_file.WriteUInt32(value) == 4;
        // A memory file refuses a start-relative seek to its very end.
        const bool back = m_file.Seek(QxFile::kSeekStart, std::int32_t(end)) ||
                          (m_file.Seek(QxFile::kSeekEnd, 0) && m_file.Tell() == end);
        return written && back;
    }

private:
    QxFile& m_file;
    std::uint32_t m_at;
    bool m_ok;
};

// Names that can stand on one definition line.
bool PlainName(const std::string& name) {
    if (name.empty()) {
        return false;
    }
    return std::none_of(name.begin(), name.end(), [](char c) {
        return c == '\r' || c == '\n' || c == '\0' || c == '#' || c == '{' || c == '}';
    });
}

} // namespace

PyxLevel::PyxLevel() = default;

PyxLevel::~PyxLevel() {
    // Tiles list objects without owning them: forget those links before the objects go.
    ClearTileLists();
    m_objects.clear();
    m_unlisted.clear();
    m_tiles.clear();
}

// ---- loading ----------------------------------------------------------------------

bool PyxLevel::GridInRange(std::int32_t columns, std::int32_t rows, std::int32_t tileWidth,
                           std::int32_t tileHeight, std::int32_t borderX, std::int32_t borderY) {
    return columns >= 1 && columns <= kMaxGridSide && rows >= 1 && rows <= kMaxGridSide &&
           tileWidth >= 1 && tileWidth <= kMaxTileSize && tileHeight >= 1 &&
           tileHeight <= kMaxTileSize && std::abs(borderX) <= kMaxBorder &&
           std::abs(borderY) <= kMaxBorder;
}

std::int32_t PyxLevel::Fail(const std::string& error, bool recordError,
                            const std::string& className, const std::string& typeName) {
    m_errorText = error;
    LogPrintf("Level load failed: %s", error.c_str());
    QxFileSystem* fileSystem = CurrentFileSystem();
    if (!fileSystem) {
        return 0;
    }
    QxScopedFile file(fileSystem, fileSystem->Open(kLoadErrorFile, QxFileManager::kModeWrite |
                                                                       QxFileManager::kModeBinary));
    if (!file) {
        return 0;
    }
    if (recordError) {
        file->WriteString("Tile Entity in level is not registered - ");
        file->WriteString("Class = " + className + " - ");
        file->WriteString("Class = " + typeName);
    } else {
        file->WriteString("Level file is damaged - ");
        file->WriteString(error);
    }
    return 0;
}

std::int32_t PyxLevel::LoadLevel(QxFile& stream) {
    QxBuffer block;
    if (!ReadBlock(stream, block)) {
        return Fail("Level header block is missing or runs past the end of the file", false, "",
                    "");
    }
    std::string error;
    if (!ReadHeader(block, error)) {
        return Fail(error, false, "", "");
    }

    if (!ReadBlock(stream, block)) {
        return Fail("Level property block runs past the end of the file", false, "", "");
    }
    if (!ReadProperties(block, error)) {
        return Fail(error, false, "", "");
    }

    if (!ReadBlock(stream, block)) {
        return Fail("Level tile block runs past the end of the file", false, "", "");
    }
    if (ReadTiles(block) != 1) {
        return 0;
    }

    if (!ReadBlock(stream, block)) {
        return Fail("Level object block runs past the end of the file", false, "", "");
    }
    return ReadObjects(block);
}

bool PyxLevel::ReadHeader(QxFile& block, std::string& error) {
    m_header.format = block.ReadInt32();
    m_header.version = block.ReadInt32();
    m_header.reserved = block.ReadInt32();
    if (m_header.format != kFormat) {
        error = "Unknown level format " + std::to_string(m_header.format);
        return false;
    }
    if (m_header.version < kOldestVersion || m_header.version > kVersion) {
        error = "Unknown level version " + std::to_string(m_header.version);
        return false;
    }
    return true;
}

bool PyxLevel::ReadProperties(QxFile& block, std::string& error) {
    const std::int32_t columns = block.ReadInt32();
    const std::int32_t rows = block.ReadInt32();
    const std::int32_t tileWidth = block.ReadInt32();
    const std::int32_t tileHeight = block.ReadInt32();
    const std::int32_t borderX = block.ReadInt32();
    const std::int32_t borderY = block.ReadInt32();
    const std::int32_t version = m_header.version;
    PyxLevelProperties& p = m_properties;
    if (version >= 2) {
        p.ReservedFlag = block.ReadUInt8() != 0;
        p.SpawnFlags = block.ReadUInt32();
        p.ReleaseInterval = block.ReadInt32();
        p.ReservedInt2 = block.ReadInt32();
        p.BallClass = block.ReadString();
        p.BallType = block.ReadString();
        p.BallsReleased = block.ReadInt32();
        p.BallsAvailable = block.ReadInt32();
        p.StartCol = block.ReadInt32();
        p.StartRow = block.ReadInt32();
        p.StartDirX = block.ReadInt32();
        p.StartDirY = block.ReadInt32();
        p.BallSpeed = static_cast<float>(block.ReadInt32());
        p.ReservedFloat1 = block.ReadFloat();
        p.ReservedFloat2 = block.ReadFloat();
        p.LevelTime = block.ReadInt32();
        p.BallsToWin = block.ReadInt32();
        p.CoinsNeeded = block.ReadInt32();
    }
    if (version >= 3) {
        p.LevelName = block.ReadString();
    }
    if (version >= 4) {
        p.ExitMode = block.ReadUInt32();
        p.ReservedFloat3 = block.ReadFloat();
        p.ExitAtRandomTile = block.ReadUInt8() != 0;
    }
    if (version >= 5) {
        p.BallSpeed = block.ReadFloat();
        p.CoinsOnBoard = block.ReadInt32();
    }

    if (!GridInRange(columns, rows, tileWidth, tileHeight, borderX, borderY)) {
        error = "Level grid out of range: " + std::to_string(columns) + " x " +
                std::to_string(rows) + " cells of " + std::to_string(tileWidth) + " x " +
                std::to_string(tileHeight) + " pixels, border " + std::to_string(borderX) + ", " +
                std::to_string(borderY);
        return false;
    }
    SetupGrid(columns, rows, tileWidth, tileHeight, borderX, borderY);
    return true;
}

std::int32_t PyxLevel::ReadTiles(QxFile& block) {
    const std::uint32_t count = block.ReadUInt32();
    if (count > BytesLeft(block) / kMinTileRecord) {
        return Fail("Level tile count " + std::to_string(count) + " does not fit its block", false,
                    "", "");
    }
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::string className = block.ReadString();
        const std::string typeName = block.ReadString();
        std::unique_ptr<QxEntityBase> entity = CreateEntity(className, typeName);
        auto* tile = dynamic_cast<PyxEntityTileBase*>(entity.get());
        if (!tile) {
            return Fail("Tile entity not found: " + className + " - " + typeName, true, className,
                        typeName);
        }
        entity.release();
        std::unique_ptr<PyxEntityTileBase> owned(tile);
        owned->SetLevel(this);
        owned->LoadFromLevel(block, &m_header);
        const std::int32_t index = owned->CellIndex();
        if (index < 0 || index >= m_cellCount) {
            return Fail("Tile cell " + std::to_string(index) + " outside the grid: " + className +
                            " - " + typeName,
                        true, className, typeName);
        }
        m_tiles[std::size_t(index)] = std::move(owned);
    }
    return 1;
}

std::int32_t PyxLevel::ReadObjects(QxFile& block) {
    const std::uint32_t count = block.ReadUInt32();
    if (count > BytesLeft(block) / kMinObjectRecord) {
        return Fail("Level object count " + std::to_string(count) + " does not fit its block",
                    false, "", "");
    }
    m_objects.reserve(m_objects.size() + count);
    for (std::uint32_t i = 0; i < count; ++i) {
        PyxLevelObjectRecord record;
        record.className = block.ReadString();
        record.typeName = block.ReadString();
        if (m_keepObjectsAsRecords) {
            record.drawX = block.ReadInt32();
            record.drawY = block.ReadInt32();
            record.startX = static_cast<float>(block.ReadInt32());
            record.startY = static_cast<float>(block.ReadInt32());
            m_objects.push_back(std::move(record));
            continue;
        }
        record.entity = CreateObject(record.className, record.typeName);
        if (!record.entity) {
            return Fail("Object entity not found: " + record.className + " - " + record.typeName,
                        true, record.className, record.typeName);
        }
        record.entity->SetLevel(this);
        record.entity->LoadFromLevel(block, &m_header);
        record.entity->AddFlags(kObjectActiveBoth);
        record.startX = record.entity->X();
        record.startY = record.entity->Y();
        record.drawX = record.entity->DrawX();
        record.drawY = record.entity->DrawY();
        m_objects.push_back(std::move(record));
    }
    return 1;
}

std::unique_ptr<QxEntityBase> PyxLevel::CreateEntity(const std::string& className,
                                                     const std::string& typeName) {
    if (!g_registry) {
        return nullptr;
    }
    std::unique_ptr<QxEntityBase> entity = g_registry->Create(className, typeName, kKindAny);
    if (entity || !m_defineMissingTypes || !PlainName(className) || !PlainName(typeName)) {
        return entity;
    }
    if (!g_registry->FindPrototype(className) || g_registry->FindType(className, typeName)) {
        return nullptr;
    }
    QxDefinition definition("class " + className + "\ntype " + typeName + "\n");
    definition.SetRegistry(g_registry);
    if (!g_registry->DefineType(definition, false)) {
        return nullptr;
    }
    return g_registry->Create(className, typeName, kKindAny);
}

std::unique_ptr<PyxEntityGameObject> PyxLevel::CreateObject(const std::string& className,
                                                            const std::string& typeName) {
    std::unique_ptr<QxEntityBase> entity = CreateEntity(className, typeName);
    auto* object = dynamic_cast<PyxEntityGameObject*>(entity.get());
    if (!object) {
        return nullptr;
    }
    entity.release();
    std::unique_ptr<PyxEntityGameObject> owned(object);
    owned->SetLevel(this);
    return owned;
}

// ---- saving -----------------------------------------------------------------------

bool PyxLevel::SaveLevel(QxFile& stream) {
    // Every block is written even after one failed, as the file had it before.
    bool ok = WriteHeader(stream);
    ok = WriteProperties(stream) && ok;
    ok = WriteTiles(stream) && ok;
    ok = WriteObjects(stream) && ok;
    if (!ok) {
        LogString("Level save failed: a write did not complete.\n");
    }
    return ok;
}

bool PyxLevel::WriteHeader(QxFile& stream) const {
    const PyxLevelHeader header; // format 1, version 6, reserved 1
    Patch length(stream);
    BlockWriter w(stream);
    w.Int32(header.format);
    w.Int32(header.version);
    w.Int32(header.reserved);
    return length.Write(w.Written()) && w.Ok();
}

bool PyxLevel::WriteProperties(QxFile& stream) const {
    Patch length(stream);
    BlockWriter w(stream);
    const PyxLevelProperties& p = m_properties;
    w.Int32(m_columns);
    w.Int32(m_rows);
    w.Int32(m_tileWidth);
    w.Int32(m_tileHeight);
    w.Int32(m_borderX);
    w.Int32(m_borderY);
    w.Bool(p.ReservedFlag);
    w.UInt32(p.SpawnFlags);
    w.Int32(p.ReleaseInterval);
    w.Int32(p.ReservedInt2);
    w.String(p.BallClass);
    w.String(p.BallType);
    w.Int32(p.BallsReleased);
    w.Int32(p.BallsAvailable);
    w.Int32(p.StartCol);
    w.Int32(p.StartRow);
    w.Int32(p.StartDirX);
    w.Int32(p.StartDirY);
    w.Int32(0); // the integer speed of files before version 5
    w.Float(p.ReservedFloat1);
    w.Float(p.ReservedFloat2);
    w.Int32(p.LevelTime);
    w.Int32(p.BallsToWin);
    w.Int32(p.CoinsNeeded);
    w.String(p.LevelName);
    w.UInt32(p.ExitMode);
    w.Float(p.ReservedFloat3);
    w.Bool(p.ExitAtRandomTile);
    w.Float(p.BallSpeed);
    w.Int32(p.CoinsOnBoard);
    return length.Write(w.Written()) && w.Ok();
}

bool PyxLevel::WriteTiles(QxFile& stream) const {
    const PyxLevelHeader header;
    Patch length(stream);
    BlockWriter w(stream);
    Patch count(stream);
    w.Counted(4);
    std::uint32_t tiles = 0;
    for (const auto& tile : m_tiles) {
        if (!tile) {
            continue;
        }
        w.String(tile->Type() ? tile->Type()->ClassName() : std::string());
        w.String(tile->Type() ? tile->Type()->TypeName() : std::string());
        w.Counted(tile->SaveToLevel(stream, &header));
        ++tiles;
    }
    const bool counted = count.Write(tiles);
    return length.Write(w.Written()) && w.Ok() && counted;
}

bool PyxLevel::WriteObjects(QxFile& stream) const {
    Patch length(stream);
    BlockWriter w(stream);
    w.UInt32(std::uint32_t(m_objects.size()));
    for (const PyxLevelObjectRecord& record : m_objects) {
        w.String(record.className);
        w.String(record.typeName);
        if (record.entity) {
            w.Counted(record.entity->SaveToLevel(stream));
        } else {
            // An object not created yet is written from its record.
            w.Int32(record.drawX);
            w.Int32(record.drawY);
            w.Int32(BoardPixel(record.startX));
            w.Int32(BoardPixel(record.startY));
        }
    }
    return length.Write(w.Written()) && w.Ok();
}

// ---- grid -------------------------------------------------------------------------

void PyxLevel::SetupGrid(std::int32_t columns, std::int32_t rows, std::int32_t tileWidth,
                         std::int32_t tileHeight, std::int32_t borderX, std::int32_t borderY) {
    // Keep every product inside the int32 range whatever a caller passes.
    const auto bound = [](std::int32_t value, std::int32_t limit) {
        return std::clamp(value, -limit, limit);
    };
    m_columns = bound(columns, kMaxGridSide);
    m_rows = bound(rows, kMaxGridSide);
    m_tileWidth = bound(tileWidth, kMaxTileSize);
    m_tileHeight = bound(tileHeight, kMaxTileSize);
    m_borderX = bound(borderX, kMaxBorder);
    m_borderY = bound(borderY, kMaxBorder);
    m_cellCount = m_columns >= 1 && m_rows >= 1 ? m_columns * m_rows : 0;
    ClearTileLists();
    m_tiles.clear();
    m_tiles.resize(std::size_t(m_cellCount));
    const std::int32_t width = m_columns * m_tileWidth;
    const std::int32_t height = m_rows * m_tileHeight;
    m_inner = {0, width, 0, height};
}

std::int32_t PyxLevel::TileIndexAt(float x, float y) const {
    if (m_tileWidth == 0 || m_tileHeight == 0) {
        return -1;
    }
    const double index =
        std::floor(double(y) / m_tileHeight) * m_columns + std::floor(double(x) / m_tileWidth);
    if (!(index >= double(std::numeric_limits<std::int32_t>::min()) &&
          index <= double(std::numeric_limits<std::int32_t>::max()))) {
        return -1;
    }
    return static_cast<std::int32_t>(index);
}

PyxEntityTileBase* PyxLevel::TileAt(std::int32_t index) const {
    if (index < 0 || index >= m_cellCount || std::size_t(index) >= m_tiles.size()) {
        return nullptr;
    }
    return m_tiles[std::size_t(index)].get();
}

PyxEntityTileBase* PyxLevel::TileAtCell(std::int32_t col, std::int32_t row) const {
    if (col < 0 || col >= m_columns || row < 0 || row >= m_rows) {
        return nullptr;
    }
    return TileAt(row * m_columns + col);
}

bool PyxLevel::SetTile(std::unique_ptr<PyxEntityTileBase> tile) {
    if (!tile) {
        return false;
    }
    const std::int32_t index = tile->CellIndex();
    if (index < 0 || index >= m_cellCount) {
        return false;
    }
    tile->SetLevel(this);
    m_tiles[std::size_t(index)] = std::move(tile);
    return true;
}

PyxEntityTileBase* PyxLevel::PlaceTile(const std::string& className, const std::string& typeName,
                                       std::int32_t x, std::int32_t y, std::int32_t cellIndex) {
    if (cellIndex < 0 || cellIndex >= m_cellCount) {
        return nullptr;
    }
    std::unique_ptr<QxEntityBase> entity = CreateEntity(className, typeName);
    auto* tile = dynamic_cast<PyxEntityTileBase*>(entity.get());
    if (!tile) {
        return nullptr;
    }
    entity.release();
    std::unique_ptr<PyxEntityTileBase> owned(tile);
    owned->SetLevel(this);
    owned->SetCellIndex(cellIndex);
    owned->SetPosition(x, y);
    m_tiles[std::size_t(cellIndex)] = std::move(owned);
    return tile;
}

// ---- balls ------------------------------------------------------------------------

PyxEntityGameObject* PyxLevel::SpawnBall(std::uint32_t spawnFlags, std::int32_t col,
                                         std::int32_t row, float dirX, float dirY, float speed,
                                         const std::string& className, const std::string& typeName,
                                         bool registerBall) {
    if (!g_registry) {
        return nullptr;
    }
    const auto* type =
        dynamic_cast<const PyxEntityGameObjectType*>(g_registry->FindType(className, typeName));
    if (!type || !type->HasTypeFlags(kTypeBall)) {
        return nullptr;
    }
    std::unique_ptr<PyxEntityGameObject> ball = CreateObject(className, typeName);
    if (!ball) {
        return nullptr;
    }
    ball->Reset();

    auto* motion = dynamic_cast<PyxBallMotion*>(ball.get());
    PyxVector direction{dirX, dirY};
    if (spawnFlags & kSpawnRandomDirection) {
        static constexpr PyxVector kDirections[4] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        direction = kDirections[random(4)];
    }
    const float spread = RandomFloat(0.1f);
    if (motion) {
        motion->SetDirection(direction);
        motion->SetTargetSpeed(float(m_tileWidth) * speed / 1000.0f + motion->Speed() * spread);
    }

    if (spawnFlags & kSpawnAtFreeTile) {
        if (!FindFreeTile(spawnFlags, kTileFloor, ball.get(), col, row)) {
            return nullptr;
        }
    }
    ball->PlaceAtCell(col, row);
    ball->AddFlags(kObjectActiveBoth);

    PyxEntityGameObject* raw = ball.get();
    if (!registerBall) {
        m_unlisted.push_back(std::move(ball));
        return raw;
    }
    if (PyxEntityTileBase* tile = TileAt(TileIndexAt(raw->X(), raw->Y()))) {
        tile->AddObject(raw);
    }
    m_objects.push_back({std::move(ball), className, typeName, raw->X(), raw->Y()});
    ++m_ballsSpawned;
    SortObjects();
    return raw;
}

PyxEntityGameObject* PyxLevel::SpawnStartBall(bool registerBall) {
    const PyxLevelProperties& p = m_properties;
    return SpawnBall(p.SpawnFlags, p.StartCol, p.StartRow, float(p.StartDirX), float(p.StartDirY),
                     p.BallSpeed, p.BallClass, p.BallType, registerBall);
}

bool PyxLevel::TurnBallTo(PyxEntityGameObject* ball, float dirX, float dirY, float tolerance) {
    auto* motion = dynamic_cast<PyxBallMotion*>(ball);
    if (!motion || m_tileWidth == 0 || m_tileHeight == 0) {
        return false;
    }
    const std::int32_t col = BoardPixel(ball->X()) / m_tileWidth;
    const std::int32_t row = BoardPixel(ball->Y()) / m_tileHeight;
    float x = ball->X();
    float y = ball->Y();
    if (dirX != 0.0f) {
        const float lane = float(row * m_tileHeight + m_tileHeight / 2);
        if (!(std::fabs(y - lane) <= tolerance)) {
            return false;
        }
        y = lane;
    } else {
        const float lane = float(col * m_tileWidth + m_tileWidth / 2);
        if (!(std::fabs(x - lane) <= tolerance)) {
            return false;
        }
        x = lane;
    }
    if (x != ball->X() || y != ball->Y()) {
        ball->SetPosition(x, y);
    }
    motion->SetDirection({dirX, dirY});
    return true;
}

// ---- objects ----------------------------------------------------------------------

PyxEntityGameObject* PyxLevel::AddObjectAt(float x, float y, const std::string& className,
                                           const std::string& typeName, bool create) {
    std::unique_ptr<PyxEntityGameObject> object;
    if (create) {
        object = CreateObject(className, typeName);
        if (object) {
            object->Reset();
            object->SetPosition(x, y);
            object->AddFlags(kObjectActiveBoth);
            if (m_cellCount > 0) {
                const std::int32_t index = std::clamp(TileIndexAt(x, y), 0, m_cellCount - 1);
                if (PyxEntityTileBase* tile = TileAt(index)) {
                    tile->AddObject(object.get());
                }
            }
        }
    }
    PyxEntityGameObject* raw = object.get();
    m_objects.push_back({std::move(object), className, typeName, x, y});
    if (create) {
        SortObjects();
    }
    return raw;
}

bool PyxLevel::PositionAllowed(std::uint32_t spawnFlags, std::int32_t col, std::int32_t row) const {
    const bool firstCol = col == 0;
    const bool firstRow = row == 0;
    const bool lastCol = col == m_columns - 1;
    const bool lastRow = row == m_rows - 1;
    std::uint32_t needs = kSpawnInterior;
    if (firstCol && firstRow) {
        needs = kSpawnFirstColumn | kSpawnFirstRow;
    } else if (firstCol) {
        needs = kSpawnFirstColumn;
    } else if (firstRow) {
        needs = kSpawnFirstRow;
    } else if (lastCol && lastRow) {
        needs = kSpawnLastColumn | kSpawnLastRow;
    } else if (lastCol) {
        needs = kSpawnLastColumn;
    } else if (lastRow) {
        needs = kSpawnLastRow;
    }
    return (spawnFlags & needs) != 0;
}

bool PyxLevel::CellOccupied(const PyxEntityTileBase& tile, PyxEntityGameObject* candidate) const {
    if (!candidate) {
        return std::any_of(tile.Objects().begin(), tile.Objects().end(),
                           [](const PyxEntityGameObject* object) {
                               return object && (object->TypeFlags() & (kTypeBall | kTypeAward));
                           });
    }
    const PyxBlockShape* shape = candidate->GetShape();
    if (!shape) {
        return false;
    }
    for (PyxEntityGameObject* object : tile.Objects()) {
        if (!object || object == candidate) {
            continue;
        }
        const PyxBlockShape* other = object->GetShape();
        if (other && object->Blocks(candidate->ObjectType()) && other->Intersects(*shape)) {
            return true;
        }
    }
    return false;
}

bool PyxLevel::FindFreeTile(std::uint32_t spawnFlags, std::uint32_t tileMask,
                            PyxEntityGameObject* candidate, std::int32_t& col, std::int32_t& row) {
    if (m_columns < 1 || m_rows < 1 || m_cellCount == 0) {
        return false;
    }
    const PyxLevelProperties& p = m_properties;
    for (int attempt = 0; attempt < kFreeTileAttempts; ++attempt) {
        const std::int32_t c = random(m_columns);
        const std::int32_t r = random(m_rows);
        PyxEntityTileBase* tile = TileAtCell(c, r);
        if (!tile || (tile->KindBits() & tileMask) == 0) {
            continue;
        }
        if (!PositionAllowed(spawnFlags, c, r)) {
            continue;
        }
        if (p.ExitMode == 1 && !p.ExitAtRandomTile && c == p.StartCol && r == p.StartRow) {
            continue;
        }
        if (candidate) {
            candidate->PlaceAtCell(c, r);
            if (PyxBlockShape* shape = candidate->GetShape()) {
                shape->SetCentre(candidate->X(), candidate->Y());
            }
        }
        if (CellOccupied(*tile, candidate)) {
            continue;
        }
        col = c;
        row = r;
        return true;
    }
    return false;
}

void PyxLevel::ActivateObjects(bool reset) {
    if (reset) {
        ReleaseObjects();
    }
    if (m_active) {
        return;
    }
    for (PyxLevelObjectRecord& record : m_objects) {
        if (!record.entity) {
            record.entity = CreateObject(record.className, record.typeName);
            if (!record.entity) {
                continue;
            }
            // As a loaded object: it takes part in the frame.
            record.entity->AddFlags(kObjectActiveBoth);
        }
        PyxEntityGameObject* object = record.entity.get();
        object->Reset();
        object->SetPosition(record.startX, record.startY);
        if (object->TypeFlags() & kTypeBall) {
            if (PyxEntityTileBase* tile = TileAt(TileIndexAt(object->X(), object->Y()))) {
                tile->AddObject(object);
            }
        }
    }
    SortObjects();
    RebuildTileLists();
    m_active = true;
}

void PyxLevel::ReleaseObjects() {
    if (!m_active) {
        return;
    }
    ClearTileLists();
    for (PyxLevelObjectRecord& record : m_objects) {
        record.entity.reset();
    }
    m_active = false;
}

void PyxLevel::RebuildTileLists() {
    for (std::int32_t row = 0; row < m_rows; ++row) {
        for (std::int32_t col = 0; col < m_columns; ++col) {
            const std::int32_t index = row * m_columns + col;
            PyxEntityTileBase* tile = TileAt(index);
            if (!tile) {
                continue;
            }
            tile->ClearObjects();
            const PyxBlockRect area(float(col * m_tileWidth) - kTileListMargin,
                                    float(row * m_tileHeight) - kTileListMargin,
                                    float((col + 1) * m_tileWidth) + kTileListMargin,
                                    float((row + 1) * m_tileHeight) + kTileListMargin);
            for (PyxLevelObjectRecord& record : m_objects) {
                if (!record.entity) {
                    continue;
                }
                const PyxBlockCircle point(record.startX, record.startY, 0.0f);
                if (!area.Intersects(point)) {
                    continue;
                }
                record.entity->SetCell(index);
                tile->AppendObject(record.entity.get());
            }
            tile->SortObjects();
        }
    }
}

void PyxLevel::SortObjects() {
    StableSortByHeight(m_objects,
                       [](const PyxLevelObjectRecord& record) { return record.entity.get(); });
}

PyxEntityGameObject* PyxLevel::FindFirstBall() const {
    for (const PyxLevelObjectRecord& record : m_objects) {
        const QxEntityBaseType* type = record.entity ? record.entity->Type() : nullptr;
        if (type && type->IsKind(kKindBall) && !type->IsKind(kKindPickupBall)) {
            return record.entity.get();
        }
    }
    return nullptr;
}

PyxEntityGameObject* PyxLevel::FindFirstPickupBall() const {
    for (const PyxLevelObjectRecord& record : m_objects) {
        const QxEntityBaseType* type = record.entity ? record.entity->Type() : nullptr;
        if (type && type->IsKind(kKindPickupBall)) {
            return record.entity.get();
        }
    }
    return nullptr;
}

// ---- the running board ----------------------------------------------------------

void PyxLevel::Update(float ms) {
    for (const auto& tile : m_tiles) {
        if (tile) {
            tile->Update(ms);
        }
    }
    // Objects may add objects while they update: walk a copy of the list.
    std::vector<PyxEntityGameObject*> objects;
    objects.reserve(m_objects.size());
    for (const PyxLevelObjectRecord& record : m_objects) {
        if (record.entity) {
            objects.push_back(record.entity.get());
        }
    }
    for (PyxEntityGameObject* object : objects) {
        if (object->HasFlags(kObjectInFrame) && !object->HasFlags(kObjectRemoved)) {
            object->Update(ms);
        }
    }
}

void PyxLevel::Draw() {
    for (const auto& tile : m_tiles) {
        if (tile) {
            tile->Draw();
        }
    }
    for (const PyxLevelObjectRecord& record : m_objects) {
        PyxEntityGameObject* object = record.entity.get();
        if (object && object->HasFlags(kObjectInFrame) && !object->HasFlags(kObjectRemoved)) {
            object->Draw();
        }
    }
}

void PyxLevel::DeleteRemovedObjects() {
    std::erase_if(m_objects, [this](PyxLevelObjectRecord& record) {
        if (!record.entity || !record.entity->HasFlags(kObjectRemoved)) {
            return false;
        }
        ForgetInTiles(record.entity.get());
        return true;
    });
}

void PyxLevel::HoldSounds(bool hold) {
    for (const auto& tile : m_tiles) {
        if (tile) {
            tile->HoldSounds(hold);
        }
    }
    for (const PyxLevelObjectRecord& record : m_objects) {
        if (record.entity) {
            record.entity->HoldSounds(hold);
        }
    }
}

void PyxLevel::ForgetInTiles(PyxEntityGameObject* object) {
    for (const auto& tile : m_tiles) {
        if (tile) {
            tile->ForgetObject(object);
        }
    }
}

void PyxLevel::ClearTileLists() {
    for (const auto& tile : m_tiles) {
        if (tile) {
            tile->ClearObjects();
        }
    }
}
