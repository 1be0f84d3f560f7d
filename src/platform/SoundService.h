#pragma once
// The platform's sound service: a device bound to a window, static buffers of PCM
// samples written through lock and unlock, duplicates that share one buffer's sample
// data, and per-buffer playback (once or looping), position, status, volume, pan and
// sample rate. The service mixes every playing buffer itself; the engine never touches
// a sample after loading. Each binding (headless, OpenAL, DirectSound) defines the
// two opaque records and every function below.
#include <cstdint>

namespace platform {

struct SoundDevice;
struct SoundBuffer;

// PCM format as stored in a WAV file's "fmt " chunk.
struct SoundFormat {
    uint16_t formatTag = 0;
    uint16_t channels = 0;
    uint32_t sampleRate = 0;
    uint32_t byteRate = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
    uint16_t extraSize = 0;
};

enum class SoundResult {
    Ok,
    BufferLost,
    PriorityLevelNeeded,
    InvalidParam,
    InvalidCall,
    OutOfMemory,
    Failed,
};

// Buffer description flags.
constexpr uint32_t kSoundBufferControlVolume = 0x1;
constexpr uint32_t kSoundBufferControlPan = 0x2;
constexpr uint32_t kSoundBufferControlFrequency = 0x4;
constexpr uint32_t kSoundBufferStatic = 0x8;

// Status bits answered by GetSoundBufferStatus.
constexpr uint32_t kSoundStatusPlaying = 0x1;
constexpr uint32_t kSoundStatusLooping = 0x4;

// Volume is attenuation in hundredths of a decibel (0 full level, -10000 silence);
// pan likewise, negative towards the left and positive towards the right.
constexpr int32_t kSoundVolumeSilent = -10000;
constexpr int32_t kSoundVolumeFull = 0;
constexpr int32_t kSoundPanLeft = -10000;
constexpr int32_t kSoundPanRight = 10000;

// Opens the default output bound to the window (an opaque window handle of the
// binding). A null window binds to the foreground window, else to the desktop.
SoundResult CreateSoundDevice(void* window, SoundDevice** device);
void ReleaseSoundDevice(SoundDevice* device);

// A new buffer of the given size in bytes, silent, stopped, at position 0.
SoundResult CreateSoundBuffer(SoundDevice* device, const SoundFormat& format, uint32_t flags,
                              uint32_t bytes, SoundBuffer** buffer);
// A new buffer over the same sample data (no copy), stopped, at position 0.
SoundResult DuplicateSoundBuffer(SoundDevice* device, SoundBuffer* original,
                                 SoundBuffer** duplicate);
// Stops and frees a buffer; the shared sample data lives while any duplicate does.
void ReleaseSoundBuffer(SoundBuffer* buffer);

// Gives write access to bytes [offset, offset + bytes) of the sample data.
SoundResult LockSoundBuffer(SoundBuffer* buffer, uint32_t offset, uint32_t bytes, void** data,
                            uint32_t* lockedBytes);
SoundResult UnlockSoundBuffer(SoundBuffer* buffer, void* data, uint32_t bytes);

SoundResult PlaySoundBuffer(SoundBuffer* buffer, bool loop);
SoundResult StopSoundBuffer(SoundBuffer* buffer);
uint32_t GetSoundBufferStatus(SoundBuffer* buffer);

// Play position in bytes from the start of the sample data.
SoundResult GetSoundBufferPosition(SoundBuffer* buffer, uint32_t* position);
SoundResult SetSoundBufferPosition(SoundBuffer* buffer, uint32_t position);

SoundResult SetSoundBufferVolume(SoundBuffer* buffer, int32_t hundredthsOfDecibel);
SoundResult SetSoundBufferPan(SoundBuffer* buffer, int32_t hundredthsOfDecibel);
SoundResult GetSoundBufferFrequency(SoundBuffer* buffer, uint32_t* samplesPerSecond);
SoundResult SetSoundBufferFrequency(SoundBuffer* buffer, uint32_t samplesPerSecond);

} // namespace platform
