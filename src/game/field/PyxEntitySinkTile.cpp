#include "game/field/PyxEntitySinkTile.h"

#include <cmath>

#include "app/QxGlobals.h"
#include "engine/entity/QxDefinition.h"
#include "engine/files/QxResourceCache.h"
#include "engine/screen/QxScreen2D.h"
#include "game/objects/PyxEntityGameObject.h"
#include "game/objects/PyxGameEvents.h"

PyxEntitySinkTileType::PyxEntitySinkTileType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    AddParts({&m_loop, &m_animation, &m_sound});
    if (definition) {
        m_sound.ReadName(*definition, "Sound");
        definition->ReadKey("IsTrap", m_isTrap);
        definition->ReadKey("Image", m_animation.image);
        definition->ReadKey("FrameRate", m_animation.frameRate);
    }
    m_kindBits = kTileSink | (m_isTrap == 1 ? kTileTrap : 0);
}

void PyxEntitySinkTileType::ReloadImages() {
    m_animation.Load(true);
}

PyxEntitySinkTile::PyxEntitySinkTile(PyxEntitySinkTileType* type) : PyxEntityTileBase(type) {}

PyxEntitySinkTile::~PyxEntitySinkTile() {
    if (PyxEntitySinkTileType* type = SinkType()) {
        type->Loop().Stop();
    }
}

bool PyxEntitySinkTile::Update(float ms) {
    PyxEntityTileBase::Update(ms);
    PyxEntitySinkTileType* type = SinkType();
    if (!type) {
        return true;
    }

    const std::int32_t frames = type->FrameCount();
    if (frames > 0) {
        m_frame += type->Animation().frameRate * ms * 0.001f;
        if (!std::isfinite(m_frame) || m_frame < 0.0f) {
            m_frame = 0.0f;
        } else if (m_frame >= float(frames)) {
            m_frame = float(std::fmod(std::floor(double(m_frame)), double(frames)));
        }
    }

    PyxGameEvents* events = GameEvents();
    if (events && events->TakeSinkSoundRequest()) {
        type->Loop().Drive(type->Sound(), events->SinkSoundLevel());
    }
    return true;
}

bool PyxEntitySinkTile::DrawFrame() {
    const PyxEntitySinkTileType* type = SinkType();
    const std::int32_t frames = type ? type->FrameCount() : 0;
    if (!g_screen || frames <= 0) {
        return false;
    }
    const QxImageListFrame* frame = type->Animation().Frame(std::int32_t(m_frame) % frames);
    return g_screen->DrawSurface(frame->surface, m_x, m_y, 0, 0, frame->width, frame->height, true);
}

bool PyxEntitySinkTile::Draw() {
    const PyxEntitySinkTileType* shown = SinkType();
    if (!shown || !shown->Animation().IsLoaded()) {
        return true;
    }
    if (DrawFrame()) {
        return true;
    }
    // The surfaces may have gone with a change of display mode: take the images
    // again and try once more.
    if (PyxEntitySinkTileType* type = SinkType()) {
        type->ReloadImages();
        DrawFrame();
    }
    return true;
}

void PyxEntitySinkTile::AddObject(PyxEntityGameObject* object) {
    if (!object) {
        return;
    }
    object->SetCell(m_cellIndex);
    if (object->TypeFlags() & kTypeBall) {
        if (PyxGameEvents* events = GameEvents()) {
            events->OnBallAtExitOrSink(object, this);
        }
    }
}

void PyxEntitySinkTile::HoldSounds(bool hold) {
    if (PyxEntitySinkTileType* type = SinkType()) {
        type->Loop().Hold(hold);
    }
}
