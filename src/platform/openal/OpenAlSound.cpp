// Sound service on OpenAL: OpenAL Soft on the desktop, Web Audio in the browser. Each
// buffer keeps its samples in memory (written through lock and unlock, as the engine
// expects) and hands them to an OpenAL buffer on unlock; duplicates share that OpenAL
// buffer and play it through their own source. Sounds are loaded on the loading thread
// while the main thread plays, so the calls that touch OpenAL take one lock.

#include <AL/al.h>
#include <AL/alc.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <mutex>
#include <new>
#include <vector>

#include "platform/SoundService.h"

namespace platform {

struct SharedSamples {
    std::vector<uint8_t> bytes;
    ALuint buffer = 0;
    ~SharedSamples() {
        if (buffer != 0) {
            alDeleteBuffers(1, &buffer);
        }
    }
};

struct SoundDevice {
    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;
};

// What the buffer last told its source is kept here, so the engine's polling of every
// playing sound each frame asks OpenAL once, not three times: in the browser each call
// is a round trip to the page's thread.
struct SoundBuffer {
    SoundFormat format;
    std::shared_ptr<SharedSamples> samples;
    ALuint source = 0;
    uint32_t frequency = 0;
    bool looping = false;                    // as last played
    int32_t volume = kSoundVolumeSilent - 1; // as last set; below silence: never set
};

namespace {

std::mutex g_lock;

ALenum FormatOf(const SoundFormat& format) {
    if (format.bitsPerSample == 8) {
        return format.channels == 2 ? AL_FORMAT_STEREO8 : AL_FORMAT_MONO8;
    }
    return format.channels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16;
}

bool Supported(const SoundFormat& format) {
    return format.formatTag == 1 && (format.channels == 1 || format.channels == 2) &&
           (format.bitsPerSample == 8 || format.bitsPerSample == 16) && format.sampleRate > 0;
}

float GainOf(int32_t hundredthsOfDecibel) {
    if (hundredthsOfDecibel <= kSoundVolumeSilent) {
        return 0.0f;
    }
    return std::pow(10.0f, float(std::min(hundredthsOfDecibel, 0)) / 2000.0f);
}

// Pan as attenuation of the far side: the louder side keeps full level. OpenAL pans a
// mono source by its position, so the attenuation becomes an angle on the unit circle.
void ApplyPan(ALuint source, int32_t pan) {
    const float far = GainOf(-std::abs(std::clamp(pan, kSoundPanLeft, kSoundPanRight)));
    const float x = (1.0f - far) * (pan < 0 ? -1.0f : 1.0f);
    alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
    alSource3f(source, AL_POSITION, x, 0.0f, -std::sqrt(std::max(0.0f, 1.0f - x * x)));
}

SoundBuffer* NewVoice(const SoundFormat& format, std::shared_ptr<SharedSamples> samples) {
    auto* voice = new (std::nothrow) SoundBuffer;
    if (voice == nullptr) {
        return nullptr;
    }
    alGetError();
    alGenSources(1, &voice->source);
    if (alGetError() != AL_NO_ERROR) {
        delete voice;
        return nullptr;
    }
    voice->format = format;
    voice->samples = std::move(samples);
    voice->frequency = format.sampleRate;
    alSourcei(voice->source, AL_BUFFER, ALint(voice->samples->buffer));
    ApplyPan(voice->source, 0);
    return voice;
}

} // namespace

SoundResult CreateSoundDevice(void*, SoundDevice** device) {
    if (device == nullptr) {
        return SoundResult::InvalidParam;
    }
    *device = nullptr;
    std::lock_guard guard(g_lock);
    ALCdevice* al = alcOpenDevice(nullptr);
    if (al == nullptr) {
        return SoundResult::Failed;
    }
    ALCcontext* context = alcCreateContext(al, nullptr);
    if (context == nullptr || !alcMakeContextCurrent(context)) {
        if (context != nullptr) {
            alcDestroyContext(context);
        }
        alcCloseDevice(al);
        return SoundResult::Failed;
    }
    *device = new SoundDevice{al, context};
    return SoundResult::Ok;
}

void ReleaseSoundDevice(SoundDevice* device) {
    if (device == nullptr) {
        return;
    }
    std::lock_guard guard(g_lock);
    alcMakeContextCurrent(nullptr);
    alcDestroyContext(device->context);
    alcCloseDevice(device->device);
    delete device;
}

SoundResult CreateSoundBuffer(SoundDevice* device, const SoundFormat& format, uint32_t,
                              uint32_t bytes, SoundBuffer** buffer) {
    if (device == nullptr || buffer == nullptr || bytes == 0 || !Supported(format)) {
        return SoundResult::InvalidParam;
    }
    *buffer = nullptr;
    std::lock_guard guard(g_lock);
    auto samples = std::make_shared<SharedSamples>();
    try {
        samples->bytes.assign(bytes, format.bitsPerSample == 8 ? 0x80 : 0);
    } catch (const std::bad_alloc&) {
        return SoundResult::OutOfMemory;
    }
    alGetError();
    alGenBuffers(1, &samples->buffer);
    if (alGetError() != AL_NO_ERROR) {
        samples->buffer = 0;
        return SoundResult::Failed;
    }
    alBufferData(samples->buffer, FormatOf(format), samples->bytes.data(), ALsizei(bytes),
                 ALsizei(format.sampleRate));
    *buffer = NewVoice(format, samples);
    return *buffer != nullptr ? SoundResult::Ok : SoundResult::Failed;
}

SoundResult DuplicateSoundBuffer(SoundDevice* device, SoundBuffer* original,
                                 SoundBuffer** duplicate) {
    if (device == nullptr || original == nullptr || duplicate == nullptr) {
        return SoundResult::InvalidParam;
    }
    std::lock_guard guard(g_lock);
    *duplicate = NewVoice(original->format, original->samples);
    return *duplicate != nullptr ? SoundResult::Ok : SoundResult::OutOfMemory;
}

void ReleaseSoundBuffer(SoundBuffer* buffer) {
    if (buffer == nullptr) {
        return;
    }
    std::lock_guard guard(g_lock);
    alSourceStop(buffer->source);
    alSourcei(buffer->source, AL_BUFFER, 0);
    alDeleteSources(1, &buffer->source);
    delete buffer;
}

SoundResult LockSoundBuffer(SoundBuffer* buffer, uint32_t offset, uint32_t bytes, void** data,
                            uint32_t* lockedBytes) {
    if (buffer == nullptr || data == nullptr || lockedBytes == nullptr) {
        return SoundResult::InvalidParam;
    }
    const auto size = uint32_t(buffer->samples->bytes.size());
    if (offset >= size) {
        return SoundResult::InvalidParam;
    }
    *data = buffer->samples->bytes.data() + offset;
    *lockedBytes = std::min(bytes, size - offset);
    return SoundResult::Ok;
}

SoundResult UnlockSoundBuffer(SoundBuffer* buffer, void*, uint32_t) {
    if (buffer == nullptr) {
        return SoundResult::InvalidParam;
    }
    std::lock_guard guard(g_lock);
    // OpenAL copies the samples; a buffer attached to a source cannot be refilled, so
    // detach it from this voice while it takes the new samples.
    alSourceStop(buffer->source);
    alSourcei(buffer->source, AL_BUFFER, 0);
    SharedSamples& s = *buffer->samples;
    alBufferData(s.buffer, FormatOf(buffer->format), s.bytes.data(), ALsizei(s.bytes.size()),
                 ALsizei(buffer->format.sampleRate));
    alSourcei(buffer->source, AL_BUFFER, ALint(s.buffer));
    return alGetError() == AL_NO_ERROR ? SoundResult::Ok : SoundResult::Failed;
}

SoundResult PlaySoundBuffer(SoundBuffer* buffer, bool loop) {
    if (buffer == nullptr) {
        return SoundResult::InvalidParam;
    }
    std::lock_guard guard(g_lock);
    alSourcei(buffer->source, AL_LOOPING, loop ? AL_TRUE : AL_FALSE);
    buffer->looping = loop;
    ALint state = AL_STOPPED;
    alGetSourcei(buffer->source, AL_SOURCE_STATE, &state);
    if (state != AL_PLAYING) {
        alSourcePlay(buffer->source);
    }
    return SoundResult::Ok;
}

SoundResult StopSoundBuffer(SoundBuffer* buffer) {
    if (buffer == nullptr) {
        return SoundResult::InvalidParam;
    }
    std::lock_guard guard(g_lock);
    // Stopping keeps the position, as a paused desktop buffer does.
    alSourcePause(buffer->source);
    return SoundResult::Ok;
}

uint32_t GetSoundBufferStatus(SoundBuffer* buffer) {
    if (buffer == nullptr) {
        return 0;
    }
    std::lock_guard guard(g_lock);
    ALint state = AL_STOPPED;
    alGetSourcei(buffer->source, AL_SOURCE_STATE, &state);
    if (state != AL_PLAYING) {
        return 0;
    }
    return kSoundStatusPlaying | (buffer->looping ? kSoundStatusLooping : 0);
}

SoundResult GetSoundBufferPosition(SoundBuffer* buffer, uint32_t* position) {
    if (buffer == nullptr || position == nullptr) {
        return SoundResult::InvalidParam;
    }
    std::lock_guard guard(g_lock);
    ALint offset = 0;
    alGetSourcei(buffer->source, AL_BYTE_OFFSET, &offset);
    *position = uint32_t(std::max(offset, 0));
    return SoundResult::Ok;
}

SoundResult SetSoundBufferPosition(SoundBuffer* buffer, uint32_t position) {
    if (buffer == nullptr) {
        return SoundResult::InvalidParam;
    }
    std::lock_guard guard(g_lock);
    const auto size = uint32_t(buffer->samples->bytes.size());
    ALint state = AL_STOPPED;
    alGetSourcei(buffer->source, AL_SOURCE_STATE, &state);
    if (state == AL_STOPPED && position == 0) {
        alSourceRewind(buffer->source);
        return SoundResult::Ok;
    }
    alSourcei(buffer->source, AL_BYTE_OFFSET, ALint(std::min(position, size ? size - 1 : 0)));
    return SoundResult::Ok;
}

SoundResult SetSoundBufferVolume(SoundBuffer* buffer, int32_t hundredthsOfDecibel) {
    if (buffer == nullptr) {
        return SoundResult::InvalidParam;
    }
    std::lock_guard guard(g_lock);
    if (buffer->volume != hundredthsOfDecibel) {
        alSourcef(buffer->source, AL_GAIN, GainOf(hundredthsOfDecibel));
        buffer->volume = hundredthsOfDecibel;
    }
    return SoundResult::Ok;
}

SoundResult SetSoundBufferPan(SoundBuffer* buffer, int32_t hundredthsOfDecibel) {
    if (buffer == nullptr) {
        return SoundResult::InvalidParam;
    }
    std::lock_guard guard(g_lock);
    ApplyPan(buffer->source, hundredthsOfDecibel);
    return SoundResult::Ok;
}

SoundResult GetSoundBufferFrequency(SoundBuffer* buffer, uint32_t* samplesPerSecond) {
    if (buffer == nullptr || samplesPerSecond == nullptr) {
        return SoundResult::InvalidParam;
    }
    *samplesPerSecond = buffer->frequency;
    return SoundResult::Ok;
}

SoundResult SetSoundBufferFrequency(SoundBuffer* buffer, uint32_t samplesPerSecond) {
    if (buffer == nullptr || samplesPerSecond == 0) {
        return SoundResult::InvalidParam;
    }
    std::lock_guard guard(g_lock);
    buffer->frequency = std::clamp<uint32_t>(samplesPerSecond, 100, 200000);
    alSourcef(buffer->source, AL_PITCH,
              float(buffer->frequency) / float(buffer->format.sampleRate));
    return SoundResult::Ok;
}

} // namespace platform
