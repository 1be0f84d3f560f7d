#include "game/objects/PyxEntityAnimPost.h"

#include <string>

#include "engine/entity/QxDefinition.h"
#include "engine/files/QxResourceCache.h"
#include "game/objects/PyxGameEvents.h"

PyxEntityAnimPostType::PyxEntityAnimPostType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    AddParts({&m_loop, &m_sound});
    if (!definition) {
        return;
    }
    m_sound.ReadName(*definition, "Sound");
}

void PyxEntityAnimPostType::DriveLoop() {
    PyxGameEvents* events = GameEvents();
    if (!events || !events->TakePostSoundRequest()) {
        return;
    }
    m_loop.Drive(m_sound.Record(), events->PostSoundLevel());
}

void PyxEntityAnimPostType::StopLoop() {
    m_loop.Stop();
}

PyxEntityAnimPost::PyxEntityAnimPost(PyxEntityAnimPostType* type) : PyxEntityPostBase(type) {}

PyxEntityAnimPost::~PyxEntityAnimPost() {
    if (AnimType()->IsLoopPlaying()) {
        AnimType()->StopLoop();
    }
}

bool PyxEntityAnimPost::Update(float ms) {
    PyxEntityAnimPostType* type = AnimType();
    type->Load(false);
    m_framePosition = type->Animation().Advance(m_framePosition, ms);
    type->DriveLoop();
    return PyxEntityPostBase::Update(ms);
}

bool PyxEntityAnimPost::Draw() {
    PyxEntityAnimPostType* type = AnimType();
    type->Load(false);
    if (type->Animation().SurfacesLost()) {
        type->Load(true);
    }
    type->Animation().Draw(std::int32_t(m_framePosition), m_drawX, m_drawY, m_alpha);
    return true;
}

void PyxEntityAnimPost::GetSize(std::int32_t& width, std::int32_t& height) {
    const QxImageListFrame* frame = AnimType()->Animation().Frame(0);
    width = frame ? frame->width : 0;
    height = frame ? frame->height : 0;
}

std::uint32_t PyxEntityAnimPost::GetImage() {
    const QxImageListFrame* frame = AnimType()->Animation().Frame(std::int32_t(m_framePosition));
    return frame ? frame->surface : kNoImage;
}

void PyxEntityAnimPost::HoldSounds(bool hold) {
    AnimType()->HoldLoop(hold);
}
