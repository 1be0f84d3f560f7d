#pragma once
// A grid cell's tile: its place on the board and the list of the board objects near
// it, which balls search instead of the whole board. The tile does not own the
// objects it lists.

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/entity/QxEntityBase.h"

class QxFile;
class PyxEntityGameObject;
class PyxLevel;
struct PyxLevelHeader;

// Kind bits of tile types, tested against FindFreeTile's tile mask.
inline constexpr std::uint32_t kTileFloor = 1;
inline constexpr std::uint32_t kTileSink = 2;
inline constexpr std::uint32_t kTileTrap = 4;

class PyxEntityTileBase;

class PyxEntityTileBaseType
    : public QxEntityTypeOf<PyxEntityTileBaseType, PyxEntityTileBase, QxEntityBaseType> {
public:
    explicit PyxEntityTileBaseType(QxDefinition* definition);

    std::uint32_t KindBits() const { return m_kindBits; }

protected:
    std::uint32_t m_kindBits = kTileFloor;
};

class PyxEntityTileBase : public QxEntityBase {
public:
    explicit PyxEntityTileBase(PyxEntityTileBaseType* type);
    ~PyxEntityTileBase() override;

    // Drops every object that is leaving, then keeps the type loaded.
    bool Update(float ms) override;
    // Plain tiles draw nothing.
    bool Draw() override;

    // Appends without touching the object.
    virtual void AppendObject(PyxEntityGameObject* object);
    // Removes the first occurrence; true when it was listed.
    virtual bool RemoveObjectEntry(PyxEntityGameObject* object);
    virtual std::uint32_t KindBits();
    // Sets the top-left corner and the bounds (the level's cell size).
    virtual void SetPosition(std::int32_t x, std::int32_t y);
    // Sets the top-left corner only.
    virtual void SetXY(std::int32_t x, std::int32_t y);
    // The object's cell becomes this tile's, and the tile lists it.
    virtual void AddObject(PyxEntityGameObject* object);
    virtual void RemoveObject(PyxEntityGameObject* object);
    // Hands the bounds to the screen for redraw.
    virtual void MarkForRedraw();
    // The tile record's own data; answers the number of bytes written. With no header
    // (or a version-6 one) the two sound levels are written too.
    virtual std::uint32_t SaveToLevel(QxFile& file, const PyxLevelHeader* header);
    virtual bool LoadFromLevel(QxFile& file, const PyxLevelHeader* header);
    // Pauses, or plays on, the looping sounds the tile keeps going (while play is
    // frozen under a dialog).
    virtual void HoldSounds(bool hold);

    std::int32_t X() const { return m_x; }
    std::int32_t Y() const { return m_y; }
    std::int32_t Left() const { return m_left; }
    std::int32_t Right() const { return m_right; }
    std::int32_t CellIndex() const { return m_cellIndex; }
    void SetCellIndex(std::int32_t index) { m_cellIndex = index; }

    const std::vector<PyxEntityGameObject*>& Objects() const { return m_objects; }
    std::size_t ObjectCount() const { return m_objects.size(); }
    // Removes every occurrence (an object about to be deleted).
    void ForgetObject(PyxEntityGameObject* object);
    void ClearObjects() { m_objects.clear(); }
    // Stable, lowest height first.
    void SortObjects();

    // Ambient sound levels of the cell, from the level file: the animated posts'
    // loop and the sinks' loop.
    float PostSoundLevel() const { return m_postSoundLevel; }
    float SinkSoundLevel() const { return m_sinkSoundLevel; }
    void SetSoundLevels(float posts, float sinks) {
        m_postSoundLevel = posts;
        m_sinkSoundLevel = sinks;
    }

    // The level that holds the tile, else the level of the game in progress.
    PyxLevel* Level() const;
    void SetLevel(PyxLevel* level) { m_level = level; }

    PyxEntityTileBaseType* TileType() const { return static_cast<PyxEntityTileBaseType*>(Type()); }

protected:
    std::int32_t m_x = 0;
    std::int32_t m_y = 0;
    std::int32_t m_left = 0;
    std::int32_t m_right = 0;
    std::int32_t m_top = 0;
    std::int32_t m_bottom = 0;
    std::int32_t m_cellIndex = 0;
    std::vector<PyxEntityGameObject*> m_objects;
    float m_postSoundLevel = 0.0f;
    float m_sinkSoundLevel = 0.0f;

private:
    PyxLevel* m_level = nullptr;
};

using PyxEntityTileBasePrototype = QxTypePrototype<PyxEntityTileBaseType>;
