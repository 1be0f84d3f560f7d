#include "game/field/PyxEntitySinkTile.h"

#include <cmath>

#include "app/QxGlobals.h"
#include "engine/entity/QxDefinition.h"
#include "engine/files/QxResourceCache.h"
#include "engine/screen/QxScreen2D.h"
#include "game/objects/PyxEntityGameObject.h"
#include "game/objects/PyxGameEvents.h"

PyxEntitySinkTileType::PyxEntitySinkTileType(QxDefinition* definition)
    : PyxEntityTileBaseType(definition) {
    if (definition) {
        definition->ReadKey("Sound", m_soundName);
        definition->ReadKey("IsTrap", m_isTrap);
        definition->ReadKey("Image", m_image);
        definition->ReadKey("FrameRate", m_frameRate);
    }
    m_kindBits = kTileSink | (m_isTrap == 1 ? kTileTrap : 0);
}

PyxEntitySinkTileType::~PyxEntitySinkTileType() {
    if (IsLoaded())
        PyxEntitySinkTileType::Unload();
}

std::unique_ptr<QxEntityBase> PyxEntitySinkTileType::CreateEntity() {
    return std::make_unique<PyxEntitySinkTile>(this);
}

bool PyxEntitySinkTileType::Load(bool reload) {
    if (IsLoaded() && !reload)
        return true;
    if (g_resourceCache) {
        if (reload)
            ReloadImages();
        if (!m_images && !m_image.empty())
            m_images = g_resourceCache->GetImageList(m_image, 0);
        if (!m_sound && !m_soundName.empty())
            m_sound = g_resourceCache->GetSound(m_soundName);
    }
    return PyxEntityTileBaseType::Load(reload);
}

bool PyxEntitySinkTileType::Unload() {
    m_loop.Stop();
    if (g_resourceCache) {
        if (m_images)
            g_resourceCache->ReleaseImageList(m_images->key);
        if (m_sound)
            g_resourceCache->ReleaseSound(m_sound->key);
    }
    m_images = nullptr;
    m_sound = nullptr;
    return PyxEntityTileBaseType::Unload();
}

void PyxEntitySinkTileType::ReloadImages() {
    if (!g_resourceCache)
        return;
    if (m_images)
        g_resourceCache->ReleaseImageList(m_images->key);
    m_images = m_image.empty() ? nullptr : g_resourceCache->GetImageList(m_image, 0);
}

std::int32_t PyxEntitySinkTileType::FrameCount() const {
    return m_images ? std::int32_t(m_images->FrameCount()) : 0;
}

PyxEntitySinkTile::PyxEntitySinkTile(PyxEntitySinkTileType* type) : PyxEntityTileBase(type) {}

PyxEntitySinkTile::~PyxEntitySinkTile() {
    if (PyxEntitySinkTileType* type = SinkType())
        type->Loop().Stop();
}

bool PyxEntitySinkTile::Update(float ms) {
    PyxEntityTileBase::Update(ms);
    PyxEntitySinkTileType* type = SinkType();
    if (!type)
        return true;

    const std::int32_t frames = type->FrameCount();
    if (frames > 0) {
        m_frame += type->FrameRate() * ms * 0.001f;
        if (!std::isfinite(m_frame) || m_frame < 0.0f)
            m_frame = 0.0f;
        else if (m_frame >= float(frames))
            m_frame = float(std::fmod(std::floor(double(m_frame)), double(frames)));
    }

    PyxGameEvents* events = GameEvents();
    if (events && events->TakeSinkSoundRequest())
        type->Loop().Drive(type->Sound(), events->SinkSoundLevel());
    return true;
}

bool PyxEntitySinkTile::DrawFrame() {
    const PyxEntitySinkTileType* type = SinkType();
    const QxImageListRecord* images = type ? type->Images() : nullptr;
    if (!g_screen || !images || images->frames.empty())
        return false;
    const std::size_t index = std::size_t(m_frame) % images->frames.size();
    const QxImageListFrame& frame = images->frames[index];
    return g_screen->DrawSurface(frame.surface, m_x, m_y, 0, 0, frame.width, frame.height, true);
}

bool PyxEntitySinkTile::Draw() {
    const PyxEntitySinkTileType* shown = SinkType();
    if (!shown || !shown->Images())
        return true;
    if (DrawFrame())
        return true;
    // The surfaces may have gone with a change of display mode: take the images
    // again and try once more.
    if (PyxEntitySinkTileType* type = SinkType()) {
        type->ReloadImages();
        DrawFrame();
    }
    return true;
}

void PyxEntitySinkTile::AddObject(PyxEntityGameObject* object) {
    if (!object)
        return;
    object->SetCell(m_cellIndex);
    if (object->TypeFlags() & kTypeBall) {
        if (PyxGameEvents* events = GameEvents())
            events->OnBallAtExitOrSink(object, this);
    }
}

void PyxEntitySinkTile::HoldSounds(bool hold) {
    if (PyxEntitySinkTileType* type = SinkType())
        type->Loop().Hold(hold);
}
