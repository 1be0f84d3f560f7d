// Headless sound service: every buffer and device is plain memory; time moves only
// through AdvanceSound. Sounds may be loaded on the background loading thread
// while the main thread plays, so the service state is guarded by one lock.
#include "platform/headless/HeadlessSound.h"

#include <cmath>
#include <map>
#include <memory>
#include <mutex>
#include <new>
#include <set>
#include <vector>

namespace platform {

struct SoundDevice {
    void* window = nullptr;
};

struct SoundBuffer {
    SoundFormat format;
    uint32_t flags = 0;
    std::shared_ptr<std::vector<uint8_t>> data;
    bool duplicate = false;
    bool playing = false;
    bool looping = false;
    bool locked = false;
    double frames = 0.0; // play position in sample frames, fractional between advances
    int32_t volume = kSoundVolumeFull;
    int32_t pan = 0;
    uint32_t frequency = 0;
};

namespace {

constexpr uint32_t kMinFrequency = 100;
constexpr uint32_t kMaxFrequency = 200000;

struct ServiceState {
    std::mutex lock;
    std::set<SoundDevice*> devices;
    std::set<SoundBuffer*> buffers;
    std::map<headless::SoundCall, std::pair<SoundResult, int>> failures;
};

ServiceState& State() {
    static ServiceState state;
    return state;
}

// Answers the injected failure for the call, if one is pending (lock held).
bool TakeFailure(ServiceState& s, headless::SoundCall call, SoundResult* result) {
    auto it = s.failures.find(call);
    if (it == s.failures.end() || it->second.second <= 0) {
        return false;
    }
    *result = it->second.first;
    if (--it->second.second == 0) {
        s.failures.erase(it);
    }
    return true;
}

bool IsLive(ServiceState& s, const SoundBuffer* buffer) {
    return buffer != nullptr && s.buffers.count(const_cast<SoundBuffer*>(buffer)) != 0;
}

// Under the lock: InvalidCall unless the buffer is live and has every control bit asked
// for, else what change answers.
template <typename Change>
SoundResult ChangeLiveBuffer(SoundBuffer* buffer, uint32_t controls, Change change) {
    ServiceState& s = State();
    std::lock_guard guard(s.lock);
    if (!IsLive(s, buffer) || (buffer->flags & controls) != controls) {
        return SoundResult::InvalidCall;
    }
    return change(*buffer);
}

// A query: InvalidParam without somewhere to answer; else the answer is 0 unless the
// buffer is live.
template <typename T, typename Read>
SoundResult QueryLiveBuffer(SoundBuffer* buffer, T* answer, Read read) {
    if (answer == nullptr) {
        return SoundResult::InvalidParam;
    }
    *answer = 0;
    return ChangeLiveBuffer(buffer, 0, [&](SoundBuffer& b) {
        *answer = read(b);
        return SoundResult::Ok;
    });
}

// Sets a level the buffer was made to control when it lies in [lowest, highest].
SoundResult SetLevel(SoundBuffer* buffer, uint32_t control, int32_t SoundBuffer::*level,
                     int32_t value, int32_t lowest, int32_t highest) {
    return ChangeLiveBuffer(buffer, control, [=](SoundBuffer& b) {
        if (value < lowest || value > highest) {
            return SoundResult::InvalidParam;
        }
        b.*level = value;
        return SoundResult::Ok;
    });
}

uint32_t FrameCount(const SoundBuffer& b) {
    return static_cast<uint32_t>(b.data->size() / b.format.blockAlign);
}

} // namespace

SoundResult CreateSoundDevice(void* window, SoundDevice** device) {
    if (device == nullptr) {
        return SoundResult::InvalidParam;
    }
    *device = nullptr;
    ServiceState& s = State();
    std::lock_guard guard(s.lock);
    SoundResult failure;
    if (TakeFailure(s, headless::SoundCall::CreateDevice, &failure)) {
        return failure;
    }
    auto* d = new SoundDevice;
    d->window = window;
    s.devices.insert(d);
    *device = d;
    return SoundResult::Ok;
}

void ReleaseSoundDevice(SoundDevice* device) {
    ServiceState& s = State();
    std::lock_guard guard(s.lock);
    if (s.devices.erase(device) != 0) {
        delete device;
    }
}

SoundResult CreateSoundBuffer(SoundDevice* device, const SoundFormat& format, uint32_t flags,
                              uint32_t bytes, SoundBuffer** buffer) {
    if (buffer == nullptr) {
        return SoundResult::InvalidParam;
    }
    *buffer = nullptr;
    ServiceState& s = State();
    std::lock_guard guard(s.lock);
    if (s.devices.count(device) == 0) {
        return SoundResult::InvalidCall;
    }
    SoundResult failure;
    if ((flags & kSoundBufferStatic) != 0 &&
        TakeFailure(s, headless::SoundCall::CreateStaticBuffer, &failure)) {
        return failure;
    }
    if (TakeFailure(s, headless::SoundCall::CreateBuffer, &failure)) {
        return failure;
    }
    if (format.formatTag != 1 || format.channels == 0 || format.blockAlign == 0 ||
        format.sampleRate < kMinFrequency || format.sampleRate > kMaxFrequency || bytes == 0) {
        return SoundResult::InvalidParam;
    }
    auto b = std::make_unique<SoundBuffer>();
    try {
        b->data = std::make_shared<std::vector<uint8_t>>(bytes, uint8_t{0});
    } catch (const std::bad_alloc&) {
        return SoundResult::OutOfMemory;
    }
    b->format = format;
    b->flags = flags;
    b->frequency = format.sampleRate;
    *buffer = b.release();
    s.buffers.insert(*buffer);
    return SoundResult::Ok;
}

SoundResult DuplicateSoundBuffer(SoundDevice* device, SoundBuffer* original,
                                 SoundBuffer** duplicate) {
    if (duplicate == nullptr) {
        return SoundResult::InvalidParam;
    }
    *duplicate = nullptr;
    ServiceState& s = State();
    std::lock_guard guard(s.lock);
    if (s.devices.count(device) == 0 || !IsLive(s, original)) {
        return SoundResult::InvalidCall;
    }
    SoundResult failure;
    if (TakeFailure(s, headless::SoundCall::Duplicate, &failure)) {
        return failure;
    }
    auto* b = new SoundBuffer;
    b->format = original->format;
    b->flags = original->flags;
    b->data = original->data;
    b->duplicate = true;
    b->volume = original->volume;
    b->pan = original->pan;
    b->frequency = original->frequency;
    s.buffers.insert(b);
    *duplicate = b;
    return SoundResult::Ok;
}

void ReleaseSoundBuffer(SoundBuffer* buffer) {
    ServiceState& s = State();
    std::lock_guard guard(s.lock);
    if (s.buffers.erase(buffer) != 0) {
        delete buffer;
    }
}

SoundResult LockSoundBuffer(SoundBuffer* buffer, uint32_t offset, uint32_t bytes, void** data,
                            uint32_t* lockedBytes) {
    if (data == nullptr || lockedBytes == nullptr) {
        return SoundResult::InvalidParam;
    }
    *data = nullptr;
    *lockedBytes = 0;
    ServiceState& s = State();
    std::lock_guard guard(s.lock);
    if (!IsLive(s, buffer)) {
        return SoundResult::InvalidCall;
    }
    SoundResult failure;
    if (TakeFailure(s, headless::SoundCall::Lock, &failure)) {
        return failure;
    }
    const uint64_t size = buffer->data->size();
    if (buffer->locked) {
        return SoundResult::InvalidCall;
    }
    if (bytes == 0 || uint64_t{offset} + bytes > size) {
        return SoundResult::InvalidParam;
    }
    buffer->locked = true;
    *data = buffer->data->data() + offset;
    *lockedBytes = bytes;
    return SoundResult::Ok;
}

SoundResult UnlockSoundBuffer(SoundBuffer* buffer, void* data, uint32_t bytes) {
    ServiceState& s = State();
    std::lock_guard guard(s.lock);
    if (!IsLive(s, buffer) || !buffer->locked) {
        return SoundResult::InvalidCall;
    }
    auto* begin = buffer->data->data();
    auto* at = static_cast<uint8_t*>(data);
    if (at < begin || at + bytes > begin + buffer->data->size()) {
        return SoundResult::InvalidParam;
    }
    buffer->locked = false;
    return SoundResult::Ok;
}

SoundResult PlaySoundBuffer(SoundBuffer* buffer, bool loop) {
    return ChangeLiveBuffer(buffer, 0, [loop](SoundBuffer& b) {
        b.playing = true;
        b.looping = loop;
        return SoundResult::Ok;
    });
}

SoundResult StopSoundBuffer(SoundBuffer* buffer) {
    return ChangeLiveBuffer(buffer, 0, [](SoundBuffer& b) {
        b.playing = false;
        b.looping = false;
        return SoundResult::Ok;
    });
}

uint32_t GetSoundBufferStatus(SoundBuffer* buffer) {
    ServiceState& s = State();
    std::lock_guard guard(s.lock);
    if (!IsLive(s, buffer) || !buffer->playing) {
        return 0;
    }
    return kSoundStatusPlaying | (buffer->looping ? kSoundStatusLooping : 0);
}

SoundResult GetSoundBufferPosition(SoundBuffer* buffer, uint32_t* position) {
    return QueryLiveBuffer(buffer, position, [](const SoundBuffer& b) {
        return static_cast<uint32_t>(b.frames) * b.format.blockAlign;
    });
}

SoundResult SetSoundBufferPosition(SoundBuffer* buffer, uint32_t position) {
    return ChangeLiveBuffer(buffer, 0, [position](SoundBuffer& b) {
        if (position > b.data->size()) {
            return SoundResult::InvalidParam;
        }
        b.frames = static_cast<double>(position / b.format.blockAlign);
        return SoundResult::Ok;
    });
}

SoundResult SetSoundBufferVolume(SoundBuffer* buffer, int32_t hundredthsOfDecibel) {
    return SetLevel(buffer, kSoundBufferControlVolume, &SoundBuffer::volume, hundredthsOfDecibel,
                    kSoundVolumeSilent, kSoundVolumeFull);
}

SoundResult SetSoundBufferPan(SoundBuffer* buffer, int32_t hundredthsOfDecibel) {
    return SetLevel(buffer, kSoundBufferControlPan, &SoundBuffer::pan, hundredthsOfDecibel,
                    kSoundPanLeft, kSoundPanRight);
}

SoundResult GetSoundBufferFrequency(SoundBuffer* buffer, uint32_t* samplesPerSecond) {
    return QueryLiveBuffer(buffer, samplesPerSecond,
                           [](const SoundBuffer& b) { return b.frequency; });
}

SoundResult SetSoundBufferFrequency(SoundBuffer* buffer, uint32_t samplesPerSecond) {
    return ChangeLiveBuffer(buffer, kSoundBufferControlFrequency, [=](SoundBuffer& b) {
        // 0 restores the recorded rate.
        const uint32_t rate = samplesPerSecond == 0 ? b.format.sampleRate : samplesPerSecond;
        if (rate < kMinFrequency || rate > kMaxFrequency) {
            return SoundResult::InvalidParam;
        }
        b.frequency = rate;
        return SoundResult::Ok;
    });
}

namespace headless {

bool GetSoundBufferState(const SoundBuffer* buffer, SoundBufferState* state) {
    if (state == nullptr) {
        return false;
    }
    ServiceState& s = State();
    std::lock_guard guard(s.lock);
    if (!IsLive(s, buffer)) {
        return false;
    }
    state->format = buffer->format;
    state->flags = buffer->flags;
    state->size = static_cast<uint32_t>(buffer->data->size());
    state->data = buffer->data->data();
    state->duplicate = buffer->duplicate;
    state->playing = buffer->playing;
    state->looping = buffer->looping;
    state->locked = buffer->locked;
    state->position = static_cast<uint32_t>(buffer->frames) * buffer->format.blockAlign;
    state->volume = buffer->volume;
    state->pan = buffer->pan;
    state->frequency = buffer->frequency;
    return true;
}

size_t SoundBufferCount() {
    ServiceState& s = State();
    std::lock_guard guard(s.lock);
    return s.buffers.size();
}

size_t SoundDeviceCount() {
    ServiceState& s = State();
    std::lock_guard guard(s.lock);
    return s.devices.size();
}

void AdvanceSound(double milliseconds) {
    if (!(milliseconds > 0.0)) {
        return;
    }
    ServiceState& s = State();
    std::lock_guard guard(s.lock);
    for (SoundBuffer* b : s.buffers) {
        if (!b->playing) {
            continue;
        }
        const double total = FrameCount(*b);
        b->frames += b->frequency * milliseconds / 1000.0;
        if (b->frames < total) {
            continue;
        }
        if (b->looping && total > 0.0) {
            b->frames = std::fmod(b->frames, total);
        } else {
            b->playing = false;
            b->looping = false;
            b->frames = 0.0;
        }
    }
}

void FailSoundCall(SoundCall call, SoundResult result, int times) {
    ServiceState& s = State();
    std::lock_guard guard(s.lock);
    if (times > 0) {
        s.failures[call] = {result, times};
    } else {
        s.failures.erase(call);
    }
}

void ResetSoundFailures() {
    ServiceState& s = State();
    std::lock_guard guard(s.lock);
    s.failures.clear();
}

} // namespace headless

} // namespace platform
