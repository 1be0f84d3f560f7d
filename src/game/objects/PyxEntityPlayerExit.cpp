#include "game/objects/PyxEntityPlayerExit.h"

#include <algorithm>
#include <cmath>

#include "app/QxGlobals.h"
#include "engine/entity/QxDefinition.h"
#include "engine/gui/QxEntity2DGUIElement.h"
#include "engine/screen/QxScreen2D.h"
#include "game/field/PyxBallMotion.h"
#include "game/objects/PyxEntityExplosionSupport.h"

PyxEntityPlayerExitType::PyxEntityPlayerExitType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    AddParts({&m_sound});
    SetDefaultHeight(kDefaultHeight);
    if (definition) {
        m_sound.ReadName(*definition, "Sound");
    }
}

PyxEntityPlayerExit::PyxEntityPlayerExit(PyxEntityPlayerExitType* type)
    : PyxEntityGameObject(type) {}

void PyxEntityPlayerExit::Start(PyxEntityGameObject* source, float speed) {
    m_source = source;
    m_speed = speed;
    if (!source) {
        return;
    }
    std::int32_t width = 0;
    std::int32_t height = 0;
    source->GetSize(width, height);
    m_fullWidth = width;
    m_fullHeight = height;
    m_width = width;
    m_height = height;
    m_image = source->GetImage();
    m_x = float(source->DrawX() + width / 2);
    m_y = float(source->DrawY() + height / 2);
    m_drawX = source->DrawX();
    m_drawY = source->DrawY();
    m_drawn = {m_drawX, m_drawX + m_width, m_drawY, m_drawY + m_height};
}

void PyxEntityPlayerExit::SetUp(PyxEntityGameObject* source, QxEntity2DGUIElement* target) {
    float targetX = 0.0f;
    float targetY = 0.0f;
    if (target) {
        const QxRect rect = target->GetRect();
        targetX = float(rect.left + rect.Width() / 2);
        targetY = float(rect.top + rect.Height() / 2);
    }
    SetUpTowards(source, targetX, targetY);
}

void PyxEntityPlayerExit::SetUpTowards(PyxEntityGameObject* source, float targetX, float targetY) {
    m_targetX = targetX;
    m_targetY = targetY;
    const auto* motion = dynamic_cast<const PyxBallMotion*>(source);
    Start(source, motion ? motion->Speed() * 0.5f : 0.0f);
}

PyxEntityGameObject* PyxEntityPlayerExit::LiveSource() {
    if (m_source && !PyxObjectStillOnBoard(this, m_source)) {
        m_source = nullptr;
    }
    return m_source;
}

bool PyxEntityPlayerExit::Update(float ms) {
    if (HasFlags(kObjectRemoved)) {
        return true;
    }
    PyxEntityPlayerExitType* type = static_cast<PyxEntityPlayerExitType*>(Type());
    type->Load(false);
    if (!m_soundPlayed) {
        m_soundPlayed = true;
        type->Sound().PlayOnce();
    }
    if (PyxEntityGameObject* source = LiveSource()) {
        source->Update(0.0f);
        const std::uint32_t image = source->GetImage();
        if (image != kNoImage) {
            m_image = image;
        }
    }
    UpdateTarget();

    const float dx = m_x - m_targetX;
    const float dy = m_y - m_targetY;
    const float distance = std::sqrt(dx * dx + dy * dy);
    MarkForRedraw();
    // At the target already (or nowhere sensible): the flight is over.
    if (!(distance > 0.0f) || !std::isfinite(distance)) {
        AddFlags(kObjectRemoved);
        return true;
    }
    m_speed += Acceleration();
    const float ux = dx / distance;
    const float uy = dy / distance;
    const float oldX = m_x;
    const float oldY = m_y;
    m_x -= ux * ms * m_speed;
    m_y -= uy * ms * m_speed;

    const float scale = std::min(distance, kShrinkDistance) / kShrinkDistance;
    m_width = std::min(m_width, std::int32_t(float(m_fullWidth) * scale));
    m_height = std::min(m_height, std::int32_t(float(m_fullHeight) * scale));

    const float nx = m_x - m_targetX;
    const float ny = m_y - m_targetY;
    if ((m_width < kSmallest && m_height < kSmallest) || std::sqrt(nx * nx + ny * ny) > distance) {
        AddFlags(kObjectRemoved);
    }
    if (m_x != oldX || m_y != oldY) {
        m_drawX = BoardPixel(m_x) - m_width / 2;
        m_drawY = BoardPixel(m_y) - m_height / 2;
    }
    m_drawn = {m_drawX, m_drawX + m_width, m_drawY, m_drawY + m_height};
    MarkForRedraw();
    return true;
}

bool PyxEntityPlayerExit::Draw() {
    if (HasFlags(kObjectRemoved) || !g_screen || m_image == kNoImage) {
        return true;
    }
    if (m_width <= 0 || m_height <= 0 || m_fullWidth <= 0 || m_fullHeight <= 0) {
        return true;
    }
    g_screen->DrawSurfaceScaled(m_image, m_drawX, m_drawY, m_width, m_height, 0, 0, m_fullWidth,
                                m_fullHeight, true);
    return true;
}

void PyxEntityPlayerExit::GetSize(std::int32_t& width, std::int32_t& height) {
    if (PyxEntityGameObject* source = LiveSource()) {
        source->GetSize(width, height);
        return;
    }
    width = m_width;
    height = m_height;
}

bool PyxEntityPlayerExit::Blocks(const PyxEntityGameObjectType*) {
    return false;
}
