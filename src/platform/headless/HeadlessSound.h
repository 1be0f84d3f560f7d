#pragma once
// Test and runner access to the headless sound service. The service plays nothing:
// each buffer keeps its state, and play positions move only when the owner of the
// clock calls headless::AdvanceSound, so a buffer played once stops after its length.
#include <cstddef>
#include <cstdint>

#include "platform/SoundService.h"

namespace platform::headless {

struct SoundBufferState {
    SoundFormat format;
    uint32_t flags = 0;
    uint32_t size = 0;             // bytes of sample data
    const uint8_t* data = nullptr; // shared with duplicates
    bool duplicate = false;
    bool playing = false;
    bool looping = false;
    bool locked = false;
    uint32_t position = 0; // bytes
    int32_t volume = 0;
    int32_t pan = 0;
    uint32_t frequency = 0;
};

// The state of a live buffer; false for a buffer that is not (or no longer) live.
bool GetSoundBufferState(const SoundBuffer* buffer, SoundBufferState* state);
size_t SoundBufferCount();
size_t SoundDeviceCount();

// Moves every playing buffer on by the given time at its current sample rate; a buffer
// played once stops at its end (position back to 0), a looping one wraps around.
void AdvanceSound(double milliseconds);

// Service calls that can be made to fail, for testing the callers' failure paths.
enum class SoundCall {
    CreateDevice,
    CreateStaticBuffer, // only creations that ask for kSoundBufferStatic
    CreateBuffer,       // any creation
    Duplicate,
    Lock,
};
// The next `times` calls of the kind answer `result` instead of working.
void FailSoundCall(SoundCall call, SoundResult result, int times = 1);
// Forgets pending failures (live buffers and devices stay).
void ResetSoundFailures();

} // namespace platform::headless
