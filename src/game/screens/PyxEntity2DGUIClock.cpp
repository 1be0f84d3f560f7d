#include "game/screens/PyxEntity2DGUIClock.h"

#include <algorithm>
#include <limits>

#include "app/QxGlobals.h"
#include "engine/files/QxLog.h"
#include "engine/files/QxResourceCache.h"
#include "engine/gui/QxAlphaMask.h"
#include "engine/gui/QxEntity2DGUISprite.h"
#include "engine/screen/QxScreen2D.h"
#include "engine/sound/QxSoundManager.h"
#include "game/rules/PyxGameplay.h"

// ---- type -----------------------------------------------------------------------------

PyxEntity2DGUIClockType::PyxEntity2DGUIClockType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    AddParts({&m_dial, &m_lightOn, &m_lightOff, &m_scoreSound});
    if (!definition) {
        return;
    }
    QxDefinition& def = *definition;
    def.ReadKey("ClockImage", m_dial.image);
    def.ReadKey("ClockImageAlpha", m_dial.alphaImage);
    def.ReadKey("LightOnEnt", m_lightOn.reference);
    def.ReadKey("LightOffEnt", m_lightOff.reference);
    m_scoreSound.ReadName(def, "ScoreSound");
    std::int32_t lights = 0;
    def.ReadKey("NumberOfLights", lights);
    if (lights > kMaxLights) {
        LogPrintf("Clock %d lights - only %d are kept.", lights, kMaxLights);
        lights = kMaxLights;
    }
    for (std::int32_t n = 1; n <= lights; ++n) {
        std::int32_t position[2] = {0, 0};
        def.ReadKey("LightPos" + std::to_string(n), position);
        m_lightPositions.push_back(LightPosition{position[0], position[1]});
    }
}

// ---- entity ---------------------------------------------------------------------------

PyxEntity2DGUIClock::PyxEntity2DGUIClock(PyxEntity2DGUIClockType* type)
    : QxEntity2DGUIElement(type) {
    for (const PyxEntity2DGUIClockType::LightPosition& position : type->m_lightPositions) {
        m_lights.push_back(Light{position.x, position.y, true});
    }
}

float PyxEntity2DGUIClock::PeriodForLevel(std::int32_t levelSeconds) {
    return std::max(kShortestPeriod, float(levelSeconds) * 1000.0f / kTicksPerLevel);
}

std::int32_t PyxEntity2DGUIClock::LightsOn() const {
    return std::int32_t(std::count_if(m_lights.begin(), m_lights.end(),
                                      [](const Light& light) { return light.on; }));
}

void PyxEntity2DGUIClock::ResetClock() {
    PyxEntity2DGUIClockType* type = ClockType();
    type->Load(false);
    for (Light& light : m_lights) {
        light.on = true;
    }
    m_frame = std::max(0, type->DialFrames() - 1);
    m_frameTimer = 0.0f;
    m_bonus = kFirstBonus;
    m_finished = false;
    Invalidate();
}

void PyxEntity2DGUIClock::StartRunning(std::int32_t levelSeconds) {
    m_framePeriod = PeriodForLevel(levelSeconds);
    m_state = kClockRunning;
}

void PyxEntity2DGUIClock::StartRewinding() {
    // Every level's lights are worth the same: the bonus that doubled while the last
    // level's lights were cashed starts again, or scores would grow without end.
    m_bonus = kFirstBonus;
    m_rewindPeriod = m_framePeriod / 3.0f;
    m_finished = false;
    m_state = kClockRewinding;
}

void PyxEntity2DGUIClock::StartCashingIn() {
    m_framePeriod = kCashPeriod;
    m_finished = false;
    m_state = kClockCashing;
}

void PyxEntity2DGUIClock::CashAllLights() {
    for (Light& light : m_lights) {
        if (light.on) {
            CashLight(light);
        }
    }
    Invalidate();
}

void PyxEntity2DGUIClock::CashLight(Light& light) {
    light.on = false;
    if (PyxGameplay* game = GameInProgress()) {
        game->ShowScreenScore(m_x + light.x, m_y + light.y, std::to_string(m_bonus));
        game->AddScore(m_bonus);
    }
    if (const QxSoundRecord* sound = ClockType()->ScoreSound(); sound && g_soundManager) {
        std::uint32_t instance = 0;
        g_soundManager->PlaySound(sound->sound, &instance, false);
    }
    if (m_bonus <= std::numeric_limits<std::int32_t>::max() / 2) {
        m_bonus *= 2;
    }
}

bool PyxEntity2DGUIClock::PutOutLight(bool cashing) {
    for (Light& light : m_lights) {
        if (!light.on) {
            continue;
        }
        if (cashing) {
            CashLight(light);
        } else {
            light.on = false;
        }
        return true;
    }
    return false;
}

void PyxEntity2DGUIClock::Advance(std::int32_t frames, bool cashing) {
    m_frame = m_frame + 1 >= frames ? 0 : m_frame + 1;
    if (m_frame != frames - 1) {
        return;
    }
    PutOutLight(cashing);
    if (LightsOn() == 0) {
        m_state = kClockStopped;
        m_finished = true;
    }
}

void PyxEntity2DGUIClock::Rewind(std::int32_t frames) {
    --m_frame;
    if (m_frame >= 0) {
        return;
    }
    m_frame = frames - 1;
    for (auto light = m_lights.rbegin(); light != m_lights.rend(); ++light) {
        if (!light->on) {
            light->on = true;
            return;
        }
    }
    m_state = kClockStopped;
}

bool PyxEntity2DGUIClock::Update(float ms) {
    PyxEntity2DGUIClockType* type = ClockType();
    type->Load(false);
    const std::int32_t frames = type->DialFrames();
    if (frames > 0) {
        switch (m_state) {
        case kClockRunning:
        case kClockCashing:
            m_frameTimer -= ms;
            if (m_frameTimer <= 0.0f) {
                m_frameTimer = m_framePeriod;
                Invalidate();
                Advance(frames, m_state == kClockCashing);
                Invalidate();
            }
            break;
        case kClockRewinding:
            m_frameTimer -= ms;
            if (m_frameTimer <= 0.0f) {
                m_frameTimer = m_rewindPeriod;
                m_rewindPeriod = std::max(0.66f * m_rewindPeriod, 1.0f);
                Invalidate();
                Rewind(frames);
                Invalidate();
            }
            break;
        default:
            break;
        }
    }
    return QxEntity2DGUIElement::Update(ms);
}

bool PyxEntity2DGUIClock::Draw() {
    if (!IsVisible() || !g_screen) {
        return true;
    }
    PyxEntity2DGUIClockType* type = ClockType();
    type->Load(false);
    if (const QxImageListRecord* dial = type->Dial(); dial && !dial->frames.empty()) {
        const QxImageListFrame& frame = dial->frames[std::size_t(
            std::clamp(m_frame, 0, std::int32_t(dial->frames.size()) - 1))];
        m_width = frame.width;
        m_height = frame.height;
        const QxImage* mask = type->DialMask();
        if (mask && mask->width == frame.width && mask->height == frame.height) {
            g_screen->DrawSurfaceAlphaMapped(frame.surface, m_x, m_y, 0, 0, -1, -1, *mask);
        } else {
            g_screen->DrawSurface(frame.surface, m_x, m_y, 0, 0, -1, -1, true);
        }
    }
    for (const Light& light : m_lights) {
        QxDrawElementAt(light.on ? type->LightOn() : type->LightOff(), m_x + light.x,
                        m_y + light.y);
    }
    return true;
}

void PyxEntity2DGUIClock::Invalidate() {
    if (!g_screen) {
        return;
    }
    PyxEntity2DGUIClockType* type = ClockType();
    QxRect area{m_x, m_x + m_width, m_y, m_y + m_height};
    std::int32_t w = 0;
    std::int32_t h = 0;
    if (QxEntity2DGUIElement* image = type->LightOn()) {
        image->GetInt(kPropImageWidth, w);
        image->GetInt(kPropImageHeight, h);
    }
    for (const Light& light : m_lights) {
        area.left = std::min(area.left, m_x + light.x);
        area.top = std::min(area.top, m_y + light.y);
        area.right = std::max(area.right, m_x + light.x + w);
        area.bottom = std::max(area.bottom, m_y + light.y + h);
    }
    g_screen->MarkDirty(area, false);
}
