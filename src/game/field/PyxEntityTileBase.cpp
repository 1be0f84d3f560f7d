#include "game/field/PyxEntityTileBase.h"

#include <algorithm>
#include <cstdint>

#include "app/QxGlobals.h"
#include "engine/files/QxFile.h"
#include "engine/screen/QxScreen2D.h"
#include "game/field/PyxHeightSort.h"
#include "game/field/PyxLevel.h"
#include "game/objects/PyxEntityGameObject.h"
#include "game/objects/PyxGameEvents.h"

PyxEntityTileBaseType::PyxEntityTileBaseType(QxDefinition*) {}

PyxEntityTileBase::PyxEntityTileBase(PyxEntityTileBaseType* type) : QxEntityBase(type) {}

PyxEntityTileBase::~PyxEntityTileBase() = default;

bool PyxEntityTileBase::Update(float ms) {
    std::erase_if(m_objects, [](const PyxEntityGameObject* object) {
        return object && object->HasFlags(kObjectLeaving);
    });
    return QxEntityBase::Update(ms);
}

bool PyxEntityTileBase::Draw() {
    return true;
}

void PyxEntityTileBase::AppendObject(PyxEntityGameObject* object) {
    if (object) {
        m_objects.push_back(object);
    }
}

bool PyxEntityTileBase::RemoveObjectEntry(PyxEntityGameObject* object) {
    const auto it = std::find(m_objects.begin(), m_objects.end(), object);
    if (it == m_objects.end()) {
        return false;
    }
    m_objects.erase(it);
    return true;
}

std::uint32_t PyxEntityTileBase::KindBits() {
    const PyxEntityTileBaseType* type = TileType();
    return type ? type->KindBits() : kTileFloor;
}

namespace {

// A corner plus a size; a corner from a damaged file saturates instead of wrapping.
std::int32_t Beyond(std::int32_t corner, std::int32_t size) {
    const std::int64_t end = std::int64_t(corner) + size;
    return std::int32_t(std::clamp<std::int64_t>(end, INT32_MIN, INT32_MAX));
}

} // namespace

void PyxEntityTileBase::SetPosition(std::int32_t x, std::int32_t y) {
    m_x = x;
    m_y = y;
    const PyxLevel* level = Level();
    const std::int32_t width = level ? level->TileWidth() : 0;
    const std::int32_t height = level ? level->TileHeight() : 0;
    m_left = x;
    m_right = Beyond(x, width);
    m_top = y;
    m_bottom = Beyond(y, height);
}

void PyxEntityTileBase::SetXY(std::int32_t x, std::int32_t y) {
    m_x = x;
    m_y = y;
}

void PyxEntityTileBase::AddObject(PyxEntityGameObject* object) {
    if (!object) {
        return;
    }
    object->SetCell(m_cellIndex);
    AppendObject(object);
}

void PyxEntityTileBase::RemoveObject(PyxEntityGameObject* object) {
    RemoveObjectEntry(object);
}

void PyxEntityTileBase::MarkForRedraw() {
    if (g_screen) {
        g_screen->MarkDirty(QxRect{m_left, m_right, m_top, m_bottom}, false);
    }
}

std::uint32_t PyxEntityTileBase::SaveToLevel(QxFile& file, const PyxLevelHeader* header) {
    std::uint32_t written = 0;
    written += file.WriteInt32(m_x);
    written += file.WriteInt32(m_y);
    written += file.WriteInt32(m_cellIndex);
    if (!header || header->version >= 6) {
        written += file.WriteFloat(m_postSoundLevel);
        written += file.WriteFloat(m_sinkSoundLevel);
    }
    return written;
}

bool PyxEntityTileBase::LoadFromLevel(QxFile& file, const PyxLevelHeader* header) {
    const std::int32_t x = file.ReadInt32();
    const std::int32_t y = file.ReadInt32();
    m_cellIndex = file.ReadInt32();
    if (!header || header->version >= 6) {
        m_postSoundLevel = file.ReadFloat();
        m_sinkSoundLevel = file.ReadFloat();
    }
    SetPosition(x, y);
    return true;
}

void PyxEntityTileBase::ForgetObject(PyxEntityGameObject* object) {
    std::erase(m_objects, object);
}

void PyxEntityTileBase::SortObjects() {
    StableSortByHeight(m_objects, [](PyxEntityGameObject* object) { return object; });
}

PyxLevel* PyxEntityTileBase::Level() const {
    return m_level ? m_level : CurrentGameLevel();
}

void PyxEntityTileBase::HoldSounds(bool) {}
