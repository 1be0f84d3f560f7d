#include "game/objects/PyxEntityGameObject.h"

#include <algorithm>
#include <cmath>

#include "app/QxGlobals.h"
#include "engine/entity/QxDefinition.h"
#include "engine/files/QxFile.h"
#include "engine/screen/QxScreen2D.h"
#include "game/field/PyxEntityTileBase.h"
#include "game/field/PyxLevel.h"
#include "game/objects/PyxGameEvents.h"

PyxEntityGameObjectType::PyxEntityGameObjectType(QxDefinition* definition) {
    if (definition) {
        definition->ReadKey("Height", m_height);
    }
}

PyxEntityGameObject::PyxEntityGameObject(PyxEntityGameObjectType* type) : QxEntityBase(type) {
    const float radius = type ? type->Radius() : 0.0f;
    m_shape = std::make_unique<PyxBlockCircle>(0.0f, 0.0f, radius);
    if (type) {
        m_height = type->Height();
    }
}

PyxEntityGameObject::~PyxEntityGameObject() = default;

bool PyxEntityGameObject::Update(float) {
    MarkForRedraw();
    if (m_x != m_previousX || m_y != m_previousY) {
        FollowCentre();
        m_previousX = m_x;
        m_previousY = m_y;
    }
    MarkForRedraw();
    return true;
}

void PyxEntityGameObject::FollowCentre() {
    if (Type()) {
        Type()->Load(false);
    }
    std::int32_t width = 0;
    std::int32_t height = 0;
    GetSize(width, height);
    if (width != 0 && height != 0) {
        ComputeDrawPosition(width, height);
        m_drawn = {m_drawX, m_drawX + width, m_drawY, m_drawY + height};
    }
    if (m_shape) {
        m_shape->SetCentre(m_x, m_y);
    }
}

bool PyxEntityGameObject::Draw() {
    return true;
}

bool PyxEntityGameObject::Reset() {
    return true;
}

void PyxEntityGameObject::CopyPlacement(std::uint32_t flags, PyxEntityGameObject* other) {
    if (!other) {
        return;
    }
    if (flags & kCopyCell) {
        if (PyxLevel* level = Level()) {
            if (PyxEntityTileBase* from = level->TileAt(m_cell)) {
                from->RemoveObject(this);
            }
            if (PyxEntityTileBase* to = level->TileAt(other->Cell())) {
                to->AddObject(this);
            }
        }
    }
    if (flags & kCopyCentre) {
        m_x = other->m_x;
        m_y = other->m_y;
        FollowCentre();
    }
}

void PyxEntityGameObject::PlaceAtCell(std::int32_t col, std::int32_t row) {
    const PyxLevel* level = Level();
    if (!level) {
        return;
    }
    // A cell from a damaged level may lie far outside the grid: no wrap-around.
    const std::int64_t w = level->TileWidth();
    const std::int64_t h = level->TileHeight();
    m_x = static_cast<float>(col * w + w / 2);
    m_y = static_cast<float>(row * h + h / 2);
    // At once, so an object placed and tested in the same frame (a new ball looking
    // for a free cell) is tested where it is.
    FollowCentre();
}

void PyxEntityGameObject::SetPosition(float x, float y) {
    MarkForRedraw();
    m_x = x;
    m_y = y;
    FollowCentre();
    MarkForRedraw();
}

void PyxEntityGameObject::SetDrawPosition(std::int32_t x, std::int32_t y) {
    m_drawX = x;
    m_drawY = y;
}

PyxVector PyxEntityGameObject::GetPosition() const {
    return {m_x, m_y};
}

void PyxEntityGameObject::GetSize(std::int32_t& width, std::int32_t& height) {
    width = 0;
    height = 0;
}

std::uint32_t PyxEntityGameObject::GetImage() {
    return kNoImage;
}

std::int32_t BoardPixel(float value) {
    constexpr float kLimit = 1.0e9f;
    if (value != value) {
        return 0;
    }
    return static_cast<std::int32_t>(std::clamp(value, -kLimit, kLimit));
}

void PyxEntityGameObject::ComputeDrawPosition(std::int32_t width, std::int32_t height) {
    const PyxLevel* level = Level();
    const std::int32_t borderX = level ? level->BorderX() : 0;
    const std::int32_t borderY = level ? level->BorderY() : 0;
    m_drawX = borderX + BoardPixel(m_x) - width / 2;
    m_drawY = borderY + BoardPixel(m_y) - height / 2;
}

bool PyxEntityGameObject::Click(std::int32_t, std::int32_t) {
    return false;
}

bool PyxEntityGameObject::Blocks(const PyxEntityGameObjectType*) {
    return true;
}

void PyxEntityGameObject::MarkForRedraw() {
    if (g_screen) {
        g_screen->MarkDirty(m_drawn, false);
    }
}

PyxBlockShape* PyxEntityGameObject::GetShape() {
    return m_shape.get();
}

PyxVector PyxEntityGameObject::CollisionNormal(const PyxEntityGameObject* other) {
    if (!other) {
        return {};
    }
    const float dx = other->m_x - m_x;
    const float dy = other->m_y - m_y;
    const float length = std::sqrt(dx * dx + dy * dy);
    if (!(length > 0.0f)) {
        return {};
    }
    return {dx / length, dy / length};
}

std::uint32_t PyxEntityGameObject::SaveToLevel(QxFile& file) {
    std::uint32_t written = 0;
    written += file.WriteInt32(m_drawX);
    written += file.WriteInt32(m_drawY);
    written += file.WriteInt32(BoardPixel(m_x));
    written += file.WriteInt32(BoardPixel(m_y));
    return written;
}

bool PyxEntityGameObject::LoadFromLevel(QxFile& file, const PyxLevelHeader*) {
    m_drawX = file.ReadInt32();
    m_drawY = file.ReadInt32();
    m_x = static_cast<float>(file.ReadInt32());
    m_y = static_cast<float>(file.ReadInt32());
    return true;
}

void PyxEntityGameObject::HoldSounds(bool) {}

std::uint32_t PyxEntityGameObject::TypeFlags() const {
    const PyxEntityGameObjectType* type = ObjectType();
    return type ? type->TypeFlags() : 0;
}

void PyxEntityGameObject::SetShape(std::unique_ptr<PyxBlockShape> shape) {
    if (shape) {
        m_shape = std::move(shape);
    }
}

PyxLevel* PyxEntityGameObject::Level() const {
    return m_level ? m_level : CurrentGameLevel();
}
