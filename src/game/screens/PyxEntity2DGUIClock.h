#pragma once
// The level clock: a dial whose hand goes round once per light, and a row of lights
// that go out one by one as the level time passes. At the end of a won level the
// lights still on are cashed in, each worth twice the one before; at the start of a
// level the hand spins back and the lights come on again.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/entity/QxDefinition.h"
#include "engine/files/QxImage.h"
#include "engine/gui/QxEntity2DGUIElement.h"
#include "engine/gui/QxTypeElement.h"
#include "game/objects/PyxAnimImage.h"
#include "game/objects/PyxTypeSound.h"

struct QxImageListRecord;
struct QxSoundRecord;

inline constexpr std::uint32_t kKindClock = QxKindTag("CLCK");

enum PyxClockState : std::int32_t {
    kClockRunning = 0,
    kClockStopped = 1,
    kClockCashing = 2,
    kClockRewinding = 3,
};

class PyxEntity2DGUIClock;

class PyxEntity2DGUIClockType : public QxEntityTypeOf<PyxEntity2DGUIClockType, PyxEntity2DGUIClock,
                                                      QxEntity2DGUIElementType, kKindClock> {
public:
    // Lights a definition may declare.
    static constexpr std::int32_t kMaxLights = 64;

    struct LightPosition {
        std::int32_t x = 0;
        std::int32_t y = 0;
    };

    // Reads "ClockImage", "ClockImageAlpha", "LightOnEnt", "LightOffEnt",
    // "ScoreSound", "NumberOfLights" and "LightPos1" onwards.
    explicit PyxEntity2DGUIClockType(QxDefinition* definition);

    const QxImageListRecord* Dial() const { return m_dial.List(); }
    std::int32_t DialFrames() const { return m_dial.FrameCount(); }
    // One mask serves every frame.
    const QxImage* DialMask() const { return m_dial.Mask(0); }
    QxEntity2DGUIElement* LightOn() const { return m_lightOn.Get(); }
    QxEntity2DGUIElement* LightOff() const { return m_lightOff.Get(); }
    const QxSoundRecord* ScoreSound() const { return m_scoreSound.Record(); }

    std::vector<LightPosition> m_lightPositions;

private:
    PyxAnimImage m_dial;
    QxTypeElement m_lightOn;
    QxTypeElement m_lightOff;
    PyxTypeSound m_scoreSound;
};

class PyxEntity2DGUIClock : public QxEntity2DGUIElement {
public:
    static constexpr float kStartPeriod = 750.0f;
    static constexpr float kShortestPeriod = 100.0f;
    static constexpr float kCashPeriod = 40.0f;
    static constexpr std::int32_t kFirstBonus = 200;
    // Lights times frames per light cover the level time.
    static constexpr float kTicksPerLevel = 7.0f * 12.0f;

    struct Light {
        std::int32_t x = 0;
        std::int32_t y = 0;
        bool on = true;
    };

    explicit PyxEntity2DGUIClock(PyxEntity2DGUIClockType* type);

    // Moves the hand and the lights by the state (only with the dial loaded).
    bool Update(float ms) override;
    // The dial, then every light.
    bool Draw() override;
    void Invalidate() override;

    // Every light on, the hand on its last frame, bonus 200, not finished.
    void ResetClock();
    // Runs with one dial frame per max(100, level time × 1000 / 84) ms.
    void StartRunning(std::int32_t levelSeconds);
    // Spins back at a third of the frame period, faster and faster.
    void StartRewinding();
    // Cashes the lights in at one dial frame per 40 ms.
    void StartCashingIn();
    // Every light still on is cashed in at once.
    void CashAllLights();

    std::int32_t State() const { return m_state; }
    void SetState(std::int32_t state) { m_state = state; }
    bool IsFinished() const { return m_finished; }
    float FramePeriod() const { return m_framePeriod; }
    void SetFramePeriod(float ms) { m_framePeriod = ms; }
    float RewindPeriod() const { return m_rewindPeriod; }
    float FrameTimer() const { return m_frameTimer; }
    std::int32_t DialFrame() const { return m_frame; }
    std::int32_t Bonus() const { return m_bonus; }
    const std::vector<Light>& Lights() const { return m_lights; }
    std::int32_t LightsOn() const;
    // The frame period for a level time.
    static float PeriodForLevel(std::int32_t levelSeconds);

    PyxEntity2DGUIClockType* ClockType() const {
        return static_cast<PyxEntity2DGUIClockType*>(Type());
    }

private:
    void Advance(std::int32_t frames, bool cashing);
    void Rewind(std::int32_t frames);
    // The first light still on goes out; with cashing, its bonus goes to the game.
    bool PutOutLight(bool cashing);
    void CashLight(Light& light);

    std::vector<Light> m_lights;
    std::int32_t m_frame = 0;
    float m_framePeriod = kStartPeriod;
    float m_frameTimer = kStartPeriod;
    float m_rewindPeriod = kStartPeriod / 3.0f;
    std::int32_t m_bonus = kFirstBonus;
    bool m_finished = false;
    std::int32_t m_state = kClockStopped;
};

using PyxEntity2DGUIClockPrototype = QxTypePrototype<PyxEntity2DGUIClockType>;
