#pragma once
// The mascot beside the board: a body that sways back and forth through its frames and
// a pair of eyes whose row shows a mood. The game sets the mood, for a while or until
// it sets another.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/files/QxImage.h"
#include "engine/gui/QxEntity2DGUIElement.h"
#include "game/objects/PyxAnimImage.h"

struct QxImageListRecord;

inline constexpr std::uint32_t kKindMascot = QxKindTag("MSCT");

class PyxEntity2DGUIMascot;

class PyxEntity2DGUIMascotType
    : public QxEntityTypeOf<PyxEntity2DGUIMascotType, PyxEntity2DGUIMascot,
                            QxEntity2DGUIElementType, kKindMascot> {
public:
    static constexpr float kDefaultFrameRate = 10.0f;

    // Reads "MascotImage", "MascotImageAlpha", "Eyes", "EyeImageAlpha", "EyeOffset"
    // and "FrameRate".
    explicit PyxEntity2DGUIMascotType(QxDefinition* definition);

    const QxImageListRecord* Body() const { return m_body.List(); }
    const QxImageListRecord* Eyes() const { return m_eyes.List(); }
    std::int32_t BodyFrames() const { return m_body.FrameCount(); }
    // One mask serves every frame.
    const QxImage* BodyMask() const { return m_body.Mask(0); }
    const QxImage* EyeMask() const { return m_eyes.Mask(0); }

    std::int32_t m_eyeOffset[2] = {0, 0};
    float m_frameRate = kDefaultFrameRate;

private:
    PyxAnimImage m_body;
    PyxAnimImage m_eyes;
};

class PyxEntity2DGUIMascot : public QxEntity2DGUIElement {
public:
    // Eye frames per mood row, and the frame of a row that looks ahead.
    static constexpr std::int32_t kEyesPerMood = 5;
    static constexpr std::int32_t kEyeAhead = 2;

    explicit PyxEntity2DGUIMascot(PyxEntity2DGUIMascotType* type);

    // Counts the mood down, picks the eyes and sways the body.
    bool Update(float ms) override;
    // The body frame, then the eyes.
    bool Draw() override;
    void Invalidate() override;

    // With a duration above 0 the mood lasts that long and then the lasting mood
    // returns; otherwise it becomes the lasting mood (shown at once unless a timed one
    // is still running).
    virtual void SetMood(std::int32_t mood, float durationMs);
    virtual std::int32_t GetMood() const { return m_mood; }

    std::int32_t EyeFrame() const { return m_eyeFrame; }
    QxPoint EyePosition() const { return m_eyePosition; }
    std::int32_t BodyFrame() const;

    PyxEntity2DGUIMascotType* MascotType() const {
        return static_cast<PyxEntity2DGUIMascotType*>(Type());
    }

private:
    std::int32_t m_mood = 1;
    std::int32_t m_lastingMood = 1;
    float m_moodTimer = 0.0f;
    std::int32_t m_eyeFrame = 1 * kEyesPerMood + kEyeAhead;
    QxPoint m_eyePosition{0, 0};
    float m_bodyPosition = 0.0f;
    std::int32_t m_bodyDirection = 1;
};

using PyxEntity2DGUIMascotPrototype = QxTypePrototype<PyxEntity2DGUIMascotType>;
