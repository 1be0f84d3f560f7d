#include "game/screens/PyxEntity2DGUIMascot.h"

#include <algorithm>
#include <cmath>

#include "app/QxGlobals.h"
#include "engine/files/QxResourceCache.h"
#include "engine/gui/QxAlphaMask.h"
#include "engine/screen/QxScreen2D.h"

namespace {

// Draws a frame of a list at a point, through the mask when it fits the frame.
void DrawFrame(const QxImageListRecord* list, std::int32_t index, const QxImage* mask,
               std::int32_t x, std::int32_t y) {
    if (!list || list->frames.empty() || !g_screen) {
        return;
    }
    const QxImageListFrame& frame =
        list->frames[std::size_t(std::clamp(index, 0, std::int32_t(list->frames.size()) - 1))];
    if (mask && mask->width == frame.width && mask->height == frame.height) {
        g_screen->DrawSurfaceAlphaMapped(frame.surface, x, y, 0, 0, -1, -1, *mask);
    } else {
        g_screen->DrawSurface(frame.surface, x, y, 0, 0, -1, -1, true);
    }
}

} // namespace

// ---- type -----------------------------------------------------------------------------

PyxEntity2DGUIMascotType::PyxEntity2DGUIMascotType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    AddParts({&m_body, &m_eyes});
    if (!definition) {
        return;
    }
    QxDefinition& def = *definition;
    def.ReadKey("MascotImage", m_body.image);
    def.ReadKey("MascotImageAlpha", m_body.alphaImage);
    def.ReadKey("Eyes", m_eyes.image);
    def.ReadKey("EyeImageAlpha", m_eyes.alphaImage);
    def.ReadKey("EyeOffset", m_eyeOffset);
    def.ReadKey("FrameRate", m_frameRate);
}

// ---- entity ---------------------------------------------------------------------------

PyxEntity2DGUIMascot::PyxEntity2DGUIMascot(PyxEntity2DGUIMascotType* type)
    : QxEntity2DGUIElement(type) {}

void PyxEntity2DGUIMascot::SetMood(std::int32_t mood, float durationMs) {
    if (durationMs > 0.0f) {
        m_mood = mood;
        m_moodTimer = durationMs;
        return;
    }
    m_lastingMood = mood;
    if (m_moodTimer <= 0.0f) {
        m_mood = mood;
    }
}

std::int32_t PyxEntity2DGUIMascot::BodyFrame() const {
    const std::int32_t frames = MascotType()->BodyFrames();
    if (frames <= 0) {
        return 0;
    }
    return std::clamp(std::int32_t(m_bodyPosition), 0, frames - 1);
}

bool PyxEntity2DGUIMascot::Update(float ms) {
    PyxEntity2DGUIMascotType* type = MascotType();
    type->Load(false);
    if (m_moodTimer > 0.0f) {
        m_moodTimer -= ms;
        if (m_moodTimer <= 0.0f) {
            m_moodTimer = 0.0f;
            m_mood = m_lastingMood;
        }
    }
    m_eyeFrame = m_mood * kEyesPerMood + kEyeAhead;
    m_eyePosition = QxPoint{m_x + type->m_eyeOffset[0], m_y + type->m_eyeOffset[1]};

    const std::int32_t frames = type->BodyFrames();
    const std::int32_t before = BodyFrame();
    m_bodyPosition += float(m_bodyDirection) * ms * type->m_frameRate / 1000.0f;
    if (!std::isfinite(m_bodyPosition)) {
        m_bodyPosition = 0.0f;
    }
    if (frames > 0) {
        bool turn = false;
        if (m_bodyDirection > 0 && m_bodyPosition >= float(frames - 1)) {
            m_bodyDirection = -1;
            turn = true;
        } else if (m_bodyDirection < 0 && m_bodyPosition < 0.0f) {
            m_bodyDirection = 1;
            turn = true;
        }
        if (turn) {
            // Truncated towards zero, so a swing below the first frame turns on it.
            const double whole = std::trunc(double(m_bodyPosition));
            m_bodyPosition = float(std::fmod(whole, double(frames)));
            if (m_bodyPosition < 0.0f) {
                m_bodyPosition = 0.0f;
            }
        }
    }
    if (BodyFrame() != before) {
        Invalidate();
    }
    Invalidate();
    return QxEntity2DGUIElement::Update(ms);
}

bool PyxEntity2DGUIMascot::Draw() {
    if (!IsVisible()) {
        return true;
    }
    PyxEntity2DGUIMascotType* type = MascotType();
    type->Load(false);
    if (const QxImageListRecord* body = type->Body(); body && !body->frames.empty()) {
        const QxImageListFrame& frame = body->frames[std::size_t(BodyFrame())];
        m_width = frame.width;
        m_height = frame.height;
    }
    DrawFrame(type->Body(), BodyFrame(), type->BodyMask(), m_x, m_y);
    DrawFrame(type->Eyes(), m_eyeFrame, type->EyeMask(), m_eyePosition.x, m_eyePosition.y);
    return true;
}

void PyxEntity2DGUIMascot::Invalidate() {
    if (!g_screen) {
        return;
    }
    g_screen->MarkDirty(QxRect{m_x, m_x + m_width, m_y, m_y + m_height}, false);
    std::int32_t w = 0;
    std::int32_t h = 0;
    if (const QxImageListRecord* eyes = MascotType()->Eyes(); eyes && !eyes->frames.empty()) {
        w = eyes->frames.front().width;
        h = eyes->frames.front().height;
    }
    g_screen->MarkDirty(
        QxRect{m_eyePosition.x, m_eyePosition.x + w, m_eyePosition.y, m_eyePosition.y + h}, false);
}
