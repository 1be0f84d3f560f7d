#include "game/objects/PyxEntityFlyingCoin.h"

#include <algorithm>

#include "app/QxGlobals.h"
#include "engine/files/QxResourceCache.h"
#include "engine/screen/QxScreen2D.h"

PyxEntityFlyingCoinType::PyxEntityFlyingCoinType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {}

PyxEntityFlyingCoin::PyxEntityFlyingCoin(PyxEntityFlyingCoinType* type)
    : PyxEntityAnimExplosion(type) {}

bool PyxEntityFlyingCoin::Update(float ms) {
    PyxEntityAnimExplosion::Update(ms);
    if (m_scale < 1.0f) {
        m_scale = std::min(m_scale * kGrowth, 1.0f);
    }
    return true;
}

bool PyxEntityFlyingCoin::Draw() {
    if (HasFlags(kObjectRemoved | kObjectLeaving)) {
        return true;
    }
    if (!(m_scale < 1.0f)) {
        return PyxEntityAnimExplosion::Draw();
    }
    AnimType()->Load(false);
    const QxImageListFrame* frame = AnimType()->Animation().Frame(FrameIndex());
    if (!frame || !g_screen || !(m_scale > 0.0f)) {
        return true;
    }
    const std::int32_t width = std::max(1, std::int32_t(float(frame->width) * m_scale));
    const std::int32_t height = std::max(1, std::int32_t(float(frame->height) * m_scale));
    g_screen->DrawSurfaceScaled(frame->surface, m_drawX + (frame->width - width) / 2,
                                m_drawY + (frame->height - height) / 2, width, height, 0, 0,
                                frame->width, frame->height, true);
    return true;
}
