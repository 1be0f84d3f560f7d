#include "game/objects/PyxEntityAnimExplosion.h"

#include <algorithm>

#include "engine/entity/QxDefinition.h"
#include "engine/files/QxResourceCache.h"

PyxEntityAnimExplosionType::PyxEntityAnimExplosionType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    AddParts({&m_explodeSound});
    if (!definition) {
        return;
    }
    m_explodeSound.ReadName(*definition, "ExplodeSound");
}

PyxEntityAnimExplosion::PyxEntityAnimExplosion(PyxEntityAnimExplosionType* type)
    : PyxEntityExplosionBase(type) {}

void PyxEntityAnimExplosion::HoldSounds(bool hold) {
    m_loop.Hold(hold);
}

bool PyxEntityAnimExplosion::Update(float ms) {
    PyxEntityAnimExplosionType* type = AnimType();
    type->Load(false);
    PyxEntityExplosionBase::Update(ms);

    if (!m_started) {
        m_started = true;
        if (type->Loop()) {
            m_loop.Start(type->ExplodeSound(), 1.0f);
        } else {
            type->ExplodeSound().PlayOnce();
        }
    }
    if (m_animationState == kPlaying) {
        const std::int32_t count = type->Animation().FrameCount();
        if (count <= 0) {
            // Nothing to run through: a single pass is over at once.
            if (!type->Loop()) {
                m_animationState = kStopped;
            }
        } else {
            m_frame += type->Animation().frameRate * ms * 0.001f;
            const float last = float(count - 1);
            if (m_frame >= last) {
                if (type->Loop()) {
                    m_frame -= float(count);
                } else {
                    m_frame = last;
                    m_animationState = kStopped;
                }
            }
        }
    }
    return true;
}

std::int32_t PyxEntityAnimExplosion::FrameIndex() const {
    const std::int32_t count = AnimType()->Animation().FrameCount();
    if (count <= 0 || !(m_frame > 0.0f)) {
        return 0;
    }
    if (!(m_frame < float(count))) {
        return count - 1;
    }
    return std::int32_t(m_frame);
}

bool PyxEntityAnimExplosion::DrawFrame(std::int32_t index, std::int32_t alpha) {
    PyxEntityAnimExplosionType* type = AnimType();
    type->Load(false);
    if (type->Animation().SurfacesLost()) {
        type->Load(true);
    }
    return type->Animation().Draw(index, m_drawX, m_drawY, alpha);
}

bool PyxEntityAnimExplosion::Draw() {
    if (HasFlags(kObjectRemoved | kObjectLeaving)) {
        return true;
    }
    DrawFrame(FrameIndex(), m_alpha);
    return true;
}

void PyxEntityAnimExplosion::GetSize(std::int32_t& width, std::int32_t& height) {
    const PyxAnimImage& animation = AnimType()->Animation();
    const QxImageListFrame* frame = animation.Frame(FrameIndex());
    width = frame ? frame->width : 0;
    height = frame ? frame->height : 0;
}

std::uint32_t PyxEntityAnimExplosion::GetImage() {
    const QxImageListFrame* frame = AnimType()->Animation().Frame(FrameIndex());
    return frame ? frame->surface : kNoImage;
}

void PyxEntityAnimExplosion::SetFrame(float frame) {
    m_frame = frame;
}

float PyxEntityAnimExplosion::Frame() const {
    return m_frame;
}

std::int32_t PyxEntityAnimExplosion::FrameCount() const {
    const std::int32_t count = AnimType()->Animation().FrameCount();
    return count > 0 ? count : -1;
}

void PyxEntityAnimExplosion::StartPlaying() {
    m_animationState = kPlaying;
}

void PyxEntityAnimExplosion::StopPlaying() {
    m_animationState = kStopped;
}

bool PyxEntityAnimExplosion::IsPlaying() const {
    return m_animationState == kPlaying;
}
