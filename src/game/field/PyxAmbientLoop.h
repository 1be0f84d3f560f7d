#pragma once
// One looping sound shared by every board object of a type (the sinks' gurgle, the
// animated posts' hum), whose volume glides towards a target that the game-play rules
// set. The rules raise a request once per frame; only the object that takes the
// request drives the loop, so the loop moves once per frame however many objects
// share it.

#include "game/objects/PyxTypeSound.h"

struct QxSoundRecord;

class PyxAmbientLoop final : public QxTypePart {
public:
    static constexpr float kStartVolume = 0.1f;
    static constexpr float kLowestVolume = 0.01f;

    PyxAmbientLoop() = default;
    PyxAmbientLoop(const PyxAmbientLoop&) = delete;
    PyxAmbientLoop& operator=(const PyxAmbientLoop&) = delete;
    ~PyxAmbientLoop() { Stop(); }

    // One step for a frame whose request was taken: starts the loop (at the current
    // volume) when it is not playing, otherwise sets the current volume when it
    // differs from the target; then moves the current volume towards the target.
    // Nothing happens without a sound.
    void Drive(const QxSoundRecord* sound, float target);
    // Stops the loop when it plays; the volume starts again from 0.1.
    void Stop();
    // Holding pauses the loop where it is; letting go plays it on from there, or stops
    // it when the sound manager refuses (sounds off), so it starts afresh.
    void Hold(bool hold);
    // As a type's part it stops when the type unloads.
    void LoadPart(bool) override {}
    void ReleasePart() override { Stop(); }

    float Volume() const { return m_volume; }
    bool IsPlaying() const { return m_loop.IsPlaying(); }

private:
    PyxSoundLoop m_loop;
    float m_volume = kStartVolume;
};
