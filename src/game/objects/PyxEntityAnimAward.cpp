#include "game/objects/PyxEntityAnimAward.h"

#include "engine/entity/QxDefinition.h"
#include "engine/files/QxResourceCache.h"
#include "game/field/PyxLevel.h"

PyxEntityAnimAward::PyxEntityAnimAward(PyxEntityAnimAwardType* type) : PyxEntityAwardBase(type) {}

bool PyxEntityAnimAward::Update(float ms) {
    PyxEntityAnimAwardType* type = AnimType();
    type->Load(false);
    m_framePosition = type->Animation().Advance(m_framePosition, ms);
    RunState(ms);
    return PyxEntityAwardBase::Update(ms);
}

void PyxEntityAnimAward::RunState(float ms) {
    switch (m_state) {
    case kShown: {
        const std::int32_t lifeSpan = AnimType()->LifeSpan();
        if (lifeSpan != 0) {
            AddAge(ms);
            if (m_age > lifeSpan) {
                m_state = kFadingOut;
                m_alpha = 255;
            }
        }
        break;
    }
    case kFadingIn:
        m_alpha += PyxEntityAnimAwardType::kFadeStep;
        if (m_alpha > 255) {
            m_alpha = 255;
            m_state = kShown;
        }
        break;
    case kFadingOut:
        m_alpha -= PyxEntityAnimAwardType::kFadeStep;
        break;
    case kWaitingToExplode:
        m_explosionDelay -= ms;
        if (!(m_explosionDelay > 0.0f)) {
            if (PyxLevel* level = Level()) {
                level->AddObjectAt(m_x, m_y, PyxEntityAnimAwardType::kSmokeClass,
                                   PyxEntityAnimAwardType::kSmokeType, true);
            }
            m_state = kExploding;
        }
        break;
    case kExploding:
        m_alpha -= PyxEntityAnimAwardType::kBurstFadeStep;
        break;
    default:
        break;
    }
    if ((m_state == kFadingOut || m_state == kExploding) && m_alpha < 0) {
        AddFlags(kObjectRemoved);
        m_state = kGone;
    }
}

bool PyxEntityAnimAward::Draw() {
    if (HasFlags(kObjectRemoved)) {
        return true;
    }
    PyxEntityAnimAwardType* type = AnimType();
    type->Load(false);
    if (type->Animation().SurfacesLost()) {
        type->Load(true);
    }
    type->Animation().Draw(std::int32_t(m_framePosition), m_drawX, m_drawY, m_alpha);
    return true;
}

void PyxEntityAnimAward::GetSize(std::int32_t& width, std::int32_t& height) {
    const PyxAnimImage& animation = AnimType()->Animation();
    const QxImageListFrame* frame = animation.Frame(std::int32_t(m_framePosition));
    if (!frame) {
        frame = animation.Frame(0);
    }
    width = frame ? frame->width : 0;
    height = frame ? frame->height : 0;
}

std::uint32_t PyxEntityAnimAward::GetImage() {
    const QxImageListFrame* frame = AnimType()->Animation().Frame(std::int32_t(m_framePosition));
    return frame ? frame->surface : kNoImage;
}
