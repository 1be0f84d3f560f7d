#pragma once
// The base of everything that lives on the board: balls, posts, the vortex, awards,
// effects, the carrier, exits, grabs and dissolves. An object has a centre in board
// pixels (x right, y down from the top-left corner of cell (0, 0)), a drawing
// position on screen, one collision shape, the cell whose tile lists it, flags, a
// drawing height and an alpha.
//
// Board coordinates are floats; every update is given the frame time in
// milliseconds, and speeds are pixels per millisecond.

#include <cstdint>
#include <memory>

#include "engine/entity/QxEntityBase.h"
#include "engine/screen/QxRect.h"
#include "game/field/PyxBlockShape.h"
#include "game/field/PyxVector.h"

class QxFile;
class PyxLevel;
struct PyxLevelHeader;

// Entity flags of a board object.
inline constexpr std::uint32_t kObjectRemoved = 0x1; // gone; the rules delete it
inline constexpr std::uint32_t kObjectLeaving = 0x2; // dropped from the tile lists
inline constexpr std::uint32_t kObjectInFrame = 0x4; // updated and drawn this frame
inline constexpr std::uint32_t kObjectActive = 0x8;  // takes part in collisions
inline constexpr std::uint32_t kObjectActiveBoth = kObjectInFrame | kObjectActive;
inline constexpr std::uint32_t kObjectPlayer = 0x10;   // the player's ball
inline constexpr std::uint32_t kObjectReleased = 0x40; // released by its vortex

// Type flags of a board-object type.
inline constexpr std::uint32_t kTypePost = 0x1;
inline constexpr std::uint32_t kTypeBall = 0x2;
inline constexpr std::uint32_t kTypeAward = 0x4;
inline constexpr std::uint32_t kTypeEffect = 0x8;

// Flags of CopyPlacement.
inline constexpr std::uint32_t kCopyCell = 0x2;   // move to the other's tile
inline constexpr std::uint32_t kCopyCentre = 0x4; // take the other's centre

// int(value) of a board coordinate, kept inside the int32 range (and 0 for a value
// that is not a number), so a wild position gives a wild but defined pixel.
std::int32_t BoardPixel(float value);

class PyxEntityGameObject;

class PyxEntityGameObjectType
    : public QxEntityTypeOf<PyxEntityGameObjectType, PyxEntityGameObject, QxEntityBaseType> {
public:
    // "Height" that a definition did not give.
    static constexpr float kUnsetHeight = -1.0f;

    // Reads "Height"; a null definition keeps every default.
    explicit PyxEntityGameObjectType(QxDefinition* definition);

    // Drawing order among board objects: lower heights are drawn first. Each class
    // gives its own default where the definition left it unset.
    float Height() const { return m_height; }
    void SetHeight(float height) { m_height = height; }
    // The class's own default, where the definition left "Height" unset.
    void SetDefaultHeight(float height) {
        if (m_height == kUnsetHeight) {
            m_height = height;
        }
    }
    // Radius of the collision circle every object of the type starts with.
    float Radius() const { return m_radius; }
    void SetRadius(float radius) { m_radius = radius; }
    // kTypePost, kTypeBall, kTypeAward, kTypeEffect.
    std::uint32_t TypeFlags() const { return m_typeFlags; }
    void SetTypeFlags(std::uint32_t flags) { m_typeFlags = flags; }
    bool HasTypeFlags(std::uint32_t flags) const { return (m_typeFlags & flags) != 0; }

private:
    float m_height = kUnsetHeight;
    float m_radius = 0.0f;
    std::uint32_t m_typeFlags = 0;
};

class PyxEntityGameObject : public QxEntityBase {
public:
    // The object's image when it has none.
    static constexpr std::uint32_t kNoImage = 0xFFFFFFFFu;

    explicit PyxEntityGameObject(PyxEntityGameObjectType* type);
    ~PyxEntityGameObject() override;

    // Keeps the drawn rectangle and the shape in step with the centre: when the
    // centre moved since the last update, the type loads, the drawing position is
    // recomputed from the size (when it has one) and the shape follows.
    bool Update(float ms) override;
    bool Draw() override;

    // Puts the object back in its starting state; true.
    virtual bool Reset();
    // kCopyCell moves this object from the tile of its cell to the tile of the
    // other's cell; kCopyCentre takes the other's centre.
    virtual void CopyPlacement(std::uint32_t flags, PyxEntityGameObject* other);
    // Centre of the cell (integer halves of the cell size); the shape and the drawing
    // position follow.
    virtual void PlaceAtCell(std::int32_t col, std::int32_t row);
    // Moves the centre (the shape and the drawing position follow) and marks what the
    // object covered and covers for redraw.
    virtual void SetPosition(float x, float y);
    virtual void SetDrawPosition(std::int32_t x, std::int32_t y);
    virtual PyxVector GetPosition() const;
    // Size of the image; (0, 0) when the object draws none.
    virtual void GetSize(std::int32_t& width, std::int32_t& height);
    // The surface handle of the image the object shows now, or kNoImage.
    virtual std::uint32_t GetImage();
    // Drawing position of an image of that size centred on the object, offset by the
    // level's border.
    virtual void ComputeDrawPosition(std::int32_t width, std::int32_t height);
    // True when a click at the point is the object's.
    virtual bool Click(std::int32_t x, std::int32_t y);
    // True when this object stops objects of the given type.
    virtual bool Blocks(const PyxEntityGameObjectType* type);
    // Hands the drawn rectangle to the screen for redraw.
    virtual void MarkForRedraw();
    virtual PyxBlockShape* GetShape();
    // The unit vector from this centre to the other's centre; (0, 0) when the centres
    // coincide.
    virtual PyxVector CollisionNormal(const PyxEntityGameObject* other);
    // The object record's own data; answers the number of bytes written.
    virtual std::uint32_t SaveToLevel(QxFile& file);
    virtual bool LoadFromLevel(QxFile& file, const PyxLevelHeader* header);
    // Pauses, or plays on, the looping sounds the object keeps going (while play is
    // frozen under a dialog).
    virtual void HoldSounds(bool hold);

    PyxEntityGameObjectType* ObjectType() const {
        return static_cast<PyxEntityGameObjectType*>(Type());
    }

    float X() const { return m_x; }
    float Y() const { return m_y; }
    std::int32_t DrawX() const { return m_drawX; }
    std::int32_t DrawY() const { return m_drawY; }
    const QxRect& DrawnRect() const { return m_drawn; }

    std::uint32_t Flags() const { return m_flags; }
    void AddFlags(std::uint32_t flags) { m_flags |= flags; }
    void ClearFlags(std::uint32_t flags) { m_flags &= ~flags; }
    bool HasFlags(std::uint32_t flags) const { return (m_flags & flags) != 0; }
    // The type flags of the object's type (0 for a type of no board class).
    std::uint32_t TypeFlags() const;

    std::int32_t Cell() const { return m_cell; }
    void SetCell(std::int32_t cell) { m_cell = cell; }

    float Height() const { return m_height; }
    void SetHeight(float height) { m_height = height; }
    std::int32_t Alpha() const { return m_alpha; }
    void SetAlpha(std::int32_t alpha) { m_alpha = alpha; }

    // Replaces the collision shape (a rectangular post does).
    void SetShape(std::unique_ptr<PyxBlockShape> shape);

    // The level the object lives on: the one that holds it, else the level of the
    // game in progress.
    PyxLevel* Level() const;
    void SetLevel(PyxLevel* level) { m_level = level; }

protected:
    // Brings the shape and the drawing position to the centre now: objects placed or
    // made active while the board updates are drawn before their own first update.
    void FollowCentre();

    float m_x = 0.0f;
    float m_y = 0.0f;
    float m_previousX = -1.0f;
    float m_previousY = -1.0f;
    std::int32_t m_drawX = 0;
    std::int32_t m_drawY = 0;
    QxRect m_drawn;
    std::unique_ptr<PyxBlockShape> m_shape;
    std::int32_t m_cell = -1;
    std::uint32_t m_flags = 0;
    float m_height = 0.0f;
    std::int32_t m_alpha = 255;

private:
    PyxLevel* m_level = nullptr;
};

using PyxEntityGameObjectPrototype = QxTypePrototype<PyxEntityGameObjectType>;
