#pragma once
// A level: the board a level file describes (a grid of tiles, the level properties and
// the board objects with their start positions) and the running board made from it.
// The level owns the tile entities through its tile table and every board object
// through its object records.
//
// The file is four length-prefixed blocks of little-endian values: the header
// (format 1, version 1 to 6, a reserved word), the properties by version, the tile
// records and the object records. Loading checks every length and count against the
// bytes that hold them, so a damaged file fails with a message instead of reading or
// allocating beyond what it holds.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "game/objects/PyxEntityGameObject.h"

class QxFile;
class PyxEntityTileBase;

// Block 1 of a level file. Tiles and objects are given it to test the version.
struct PyxLevelHeader {
    std::int32_t format = 1;
    std::int32_t version = 6;
    std::int32_t reserved = 1;
};

// The level properties of block 2, with the version that added each group.
struct PyxLevelProperties {
    // Version 2.
    bool ReservedFlag = false;
    std::uint32_t SpawnFlags = 0;
    std::int32_t ReleaseInterval = 0; // seconds between ball releases
    std::int32_t ReservedInt2 = 0;
    std::string BallClass;
    std::string BallType;
    std::int32_t BallsReleased = 0;
    std::int32_t BallsAvailable = 0;
    std::int32_t StartCol = 0;
    std::int32_t StartRow = 0;
    std::int32_t StartDirX = 0;
    std::int32_t StartDirY = 0;
    float BallSpeed = 0.0f; // cells per second; an integer before version 5
    float ReservedFloat1 = 0.0f;
    float ReservedFloat2 = 0.0f;
    std::int32_t LevelTime = 0; // seconds
    std::int32_t BallsToWin = 0;
    std::int32_t CoinsNeeded = 0;
    // Version 3.
    std::string LevelName = "unknown";
    // Version 4.
    std::uint32_t ExitMode = 0;
    float ReservedFloat3 = 0.005f;
    bool ExitAtRandomTile = true;
    // Version 5.
    std::int32_t CoinsOnBoard = 5;

    bool operator==(const PyxLevelProperties&) const = default;
};

struct PyxLevelObjectRecord {
    std::unique_ptr<PyxEntityGameObject> entity; // null until created
    std::string className;
    std::string typeName;
    float startX = 0.0f; // centre, board pixels
    float startY = 0.0f;
    // The drawing position the record was read with, written back for a record
    // whose object does not exist.
    std::int32_t drawX = 0;
    std::int32_t drawY = 0;
};

// Spawn flags: where balls may appear.
inline constexpr std::uint32_t kSpawnAtFreeTile = 0x1;
inline constexpr std::uint32_t kSpawnFirstColumn = 0x2;
inline constexpr std::uint32_t kSpawnFirstRow = 0x4;
inline constexpr std::uint32_t kSpawnLastColumn = 0x8;
inline constexpr std::uint32_t kSpawnLastRow = 0x10;
inline constexpr std::uint32_t kSpawnInterior = 0x20;
inline constexpr std::uint32_t kSpawnAnyCell = 0x3E;
inline constexpr std::uint32_t kSpawnRandomDirection = 0x40;

class PyxLevel {
public:
    static constexpr std::int32_t kFormat = 1;
    static constexpr std::int32_t kOldestVersion = 1;
    static constexpr std::int32_t kVersion = 6;
    // Limits a level file must keep: larger grids, cells or borders are refused as
    // damage before anything is allocated for them.
    static constexpr std::int32_t kMaxGridSide = 64;
    static constexpr std::int32_t kMaxTileSize = 1024;
    static constexpr std::int32_t kMaxBorder = 4096;
    // Every object within this many pixels of a cell is listed by its tile.
    static constexpr float kTileListMargin = 28.0f;
    // FindFreeTile gives up after this many random cells.
    static constexpr int kFreeTileAttempts = 41;
    // The file that tells the player which record a failed load stopped at.
    static constexpr const char* kLoadErrorFile = "LoadError.txt";

    // Whether a grid keeps the limits above: at least one cell of at least one pixel.
    static bool GridInRange(std::int32_t columns, std::int32_t rows, std::int32_t tileWidth,
                            std::int32_t tileHeight, std::int32_t borderX, std::int32_t borderY);

    PyxLevel();
    PyxLevel(const PyxLevel&) = delete;
    PyxLevel& operator=(const PyxLevel&) = delete;
    ~PyxLevel();

    // Reads the four blocks into this freshly constructed level. 1 on success; 0 on
    // failure, with the reason in ErrorText(), a line in the log and "LoadError.txt".
    std::int32_t LoadLevel(QxFile& stream);
    // Writes the level as a version-6 file; false when a write failed.
    bool SaveLevel(QxFile& stream);

    // Stores the grid, allocates an empty tile table (none when either side is below
    // 1) and computes the inner and outer rectangles.
    void SetupGrid(std::int32_t columns, std::int32_t rows, std::int32_t tileWidth,
                   std::int32_t tileHeight, std::int32_t borderX, std::int32_t borderY);
    // Row-major index of the cell under a board point. Not bounds-checked: -1 for a
    // point no cell size can place; TileAt checks.
    std::int32_t TileIndexAt(float x, float y) const;

    // A new ball of the class and type (which must be a ball type) at the start cell
    // or a free cell, heading in the direction, rolling towards the speed in cells per
    // second. Registered balls are listed by their tile and the object list, and
    // counted; an unregistered one is kept by the level but listed nowhere. Null when
    // there is no such ball type or no free cell.
    PyxEntityGameObject* SpawnBall(std::uint32_t spawnFlags, std::int32_t col, std::int32_t row,
                                   float dirX, float dirY, float speed,
                                   const std::string& className, const std::string& typeName,
                                   bool registerBall);
    // SpawnBall with the level's own start properties.
    PyxEntityGameObject* SpawnStartBall(bool registerBall);
    // Puts the ball on the lane of its cell for the direction and turns it there;
    // false, with nothing changed, when the ball is farther than the tolerance from
    // that lane.
    bool TurnBallTo(PyxEntityGameObject* ball, float dirX, float dirY, float tolerance);
    // Appends an object record at the point; with create, also creates the object now
    // and lists it in the tile under it. Answers the object (null without create or
    // when the registry has no such type).
    PyxEntityGameObject* AddObjectAt(float x, float y, const std::string& className,
                                     const std::string& typeName, bool create);
    // A random cell (up to 41 tries) whose tile matches the mask, whose place on the
    // board the spawn flags allow, and where the candidate (or, with none, any ball
    // or award) is not in the way.
    bool FindFreeTile(std::uint32_t spawnFlags, std::uint32_t tileMask,
                      PyxEntityGameObject* candidate, std::int32_t& col, std::int32_t& row);

    // Creates the objects of every record (after releasing them first with reset) and
    // puts them at their start positions.
    void ActivateObjects(bool reset);
    // Deletes the objects; the records stay so the level can be activated again.
    void ReleaseObjects();
    // Lists every object in each tile whose cell, widened by 28 pixels, strictly holds
    // the object's start point.
    void RebuildTileLists();
    // Stable, lowest height first.
    void SortObjects();

    PyxEntityGameObject* FindFirstBall() const;
    PyxEntityGameObject* FindFirstPickupBall() const;

    // One frame of the board: the tiles, then every object taking part in the frame.
    void Update(float ms);
    // The tiles, then every object taking part in the frame, lowest first.
    void Draw();
    // Deletes every object that has its removed flag, with its record.
    void DeleteRemovedObjects();
    // Pauses, or plays on, the looping sounds of the tiles and objects.
    void HoldSounds(bool hold);

    // The tile of a cell, or null outside the grid or for an empty cell.
    PyxEntityTileBase* TileAt(std::int32_t index) const;
    PyxEntityTileBase* TileAtCell(std::int32_t col, std::int32_t row) const;
    // Puts a tile in its cell (the tile's cell index), replacing any there; false
    // when the index lies outside the grid.
    bool SetTile(std::unique_ptr<PyxEntityTileBase> tile);
    // Creates a tile of the class and type through the registry, with its corner and
    // cell, and puts it in its cell. Null when the registry cannot make such a tile
    // or the cell lies outside the grid.
    PyxEntityTileBase* PlaceTile(const std::string& className, const std::string& typeName,
                                 std::int32_t x, std::int32_t y, std::int32_t cellIndex);

    std::int32_t Columns() const { return m_columns; }
    std::int32_t Rows() const { return m_rows; }
    std::int32_t CellCount() const { return m_cellCount; }
    std::int32_t TileWidth() const { return m_tileWidth; }
    std::int32_t TileHeight() const { return m_tileHeight; }
    std::int32_t BorderX() const { return m_borderX; }
    std::int32_t BorderY() const { return m_borderY; }
    const QxRect& InnerRect() const { return m_inner; }
    std::int32_t BallsSpawned() const { return m_ballsSpawned; }
    const std::string& ErrorText() const { return m_errorText; }

    PyxLevelProperties& Properties() { return m_properties; }
    const PyxLevelProperties& Properties() const { return m_properties; }

    std::vector<PyxLevelObjectRecord>& Objects() { return m_objects; }
    const std::vector<PyxLevelObjectRecord>& Objects() const { return m_objects; }

    // For tools, which read and write levels without the game's data: a class the
    // registry knows whose type it lacks gets a type with every default ...
    void SetDefineMissingTypes(bool define) { m_defineMissingTypes = define; }
    // ... and object records are only read, without making their objects.
    void SetKeepObjectsAsRecords(bool keep) { m_keepObjectsAsRecords = keep; }

private:
    std::unique_ptr<QxEntityBase> CreateEntity(const std::string& className,
                                               const std::string& typeName);
    std::unique_ptr<PyxEntityGameObject> CreateObject(const std::string& className,
                                                      const std::string& typeName);
    std::int32_t Fail(const std::string& error, bool recordError, const std::string& className,
                      const std::string& typeName);
    // Each reads one block of a file; each Write writes the block its Read reads.
    bool ReadHeader(QxFile& block, std::string& error);
    bool ReadProperties(QxFile& block, std::string& error);
    std::int32_t ReadTiles(QxFile& block);
    std::int32_t ReadObjects(QxFile& block);
    bool WriteHeader(QxFile& stream) const;
    bool WriteProperties(QxFile& stream) const;
    bool WriteTiles(QxFile& stream) const;
    bool WriteObjects(QxFile& stream) const;
    bool PositionAllowed(std::uint32_t spawnFlags, std::int32_t col, std::int32_t row) const;
    bool CellOccupied(const PyxEntityTileBase& tile, PyxEntityGameObject* candidate) const;
    void ForgetInTiles(PyxEntityGameObject* object);
    void ClearTileLists();

    bool m_active = false;
    std::int32_t m_columns = 0;
    std::int32_t m_rows = 0;
    std::int32_t m_cellCount = 0;
    std::int32_t m_ballsSpawned = 0;
    std::int32_t m_tileWidth = 0;
    std::int32_t m_tileHeight = 0;
    std::int32_t m_borderX = 0;
    std::int32_t m_borderY = 0;
    QxRect m_inner;
    std::vector<std::unique_ptr<PyxEntityTileBase>> m_tiles;
    std::string m_errorText;
    PyxLevelHeader m_header;
    PyxLevelProperties m_properties;
    std::vector<PyxLevelObjectRecord> m_objects;
    // Balls spawned without registering: kept alive, listed nowhere.
    std::vector<std::unique_ptr<PyxEntityGameObject>> m_unlisted;
    bool m_defineMissingTypes = false;
    bool m_keepObjectsAsRecords = false;
};
