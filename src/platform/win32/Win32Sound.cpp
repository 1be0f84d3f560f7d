// Sound service on DirectSound: a device at the normal cooperation level bound to the
// game's window, static secondary buffers with volume, pan and frequency control, and
// duplicates that share a loaded buffer's samples. DirectSound mixes on its own and
// its objects may be used from the loading thread and the main thread alike.

#include <windows.h>

#include <mmsystem.h>

#include <mmreg.h>

#include <dsound.h>

#include <algorithm>
#include <mutex>
#include <new>
#include <vector>

#include "platform/SoundService.h"
#include "platform/win32/Win32Window.h"

namespace platform {

struct SoundDevice {
    IDirectSound8* sound = nullptr;
    HWND window = nullptr; // the window the device is bound to
    bool orphaned = false; // that window has gone
};

struct SoundBuffer {
    IDirectSoundBuffer* buffer = nullptr;
    uint32_t bytes = 0;
};

namespace {

std::mutex g_devicesLock;
std::vector<SoundDevice*> g_devices;

SoundResult ResultOf(HRESULT result) {
    switch (result) {
    case DS_OK:
        return SoundResult::Ok;
    case DSERR_BUFFERLOST:
        return SoundResult::BufferLost;
    case DSERR_PRIOLEVELNEEDED:
        return SoundResult::PriorityLevelNeeded;
    case DSERR_INVALIDPARAM:
        return SoundResult::InvalidParam;
    case DSERR_INVALIDCALL:
        return SoundResult::InvalidCall;
    case DSERR_OUTOFMEMORY:
        return SoundResult::OutOfMemory;
    default:
        return SUCCEEDED(result) ? SoundResult::Ok : SoundResult::Failed;
    }
}

// The file's format as DirectSound takes it: PCM of 8 or 16 bits in one or two
// channels. The derived sizes are recomputed, so a header that states them wrongly
// still plays as its channels and bits say.
bool MakeWaveFormat(const SoundFormat& format, WAVEFORMATEX& wave) {
    if (format.formatTag != WAVE_FORMAT_PCM || (format.channels != 1 && format.channels != 2) ||
        (format.bitsPerSample != 8 && format.bitsPerSample != 16) ||
        format.sampleRate < DSBFREQUENCY_MIN || format.sampleRate > DSBFREQUENCY_MAX) {
        return false;
    }
    wave = WAVEFORMATEX{};
    wave.wFormatTag = WAVE_FORMAT_PCM;
    wave.nChannels = format.channels;
    wave.nSamplesPerSec = format.sampleRate;
    wave.wBitsPerSample = format.bitsPerSample;
    wave.nBlockAlign = WORD(format.channels * format.bitsPerSample / 8);
    wave.nAvgBytesPerSec = format.sampleRate * wave.nBlockAlign;
    wave.cbSize = 0;
    return true;
}

// Wraps the buffer the device made, or answers why it made none.
SoundResult WrapMadeBuffer(HRESULT result, IDirectSoundBuffer* made, uint32_t bytes,
                           SoundBuffer** buffer) {
    if (FAILED(result)) {
        return ResultOf(result) == SoundResult::Ok ? SoundResult::Failed : ResultOf(result);
    }
    *buffer = new (std::nothrow) SoundBuffer{made, bytes};
    if (*buffer == nullptr) {
        made->Release();
        return SoundResult::OutOfMemory;
    }
    return SoundResult::Ok;
}

} // namespace

SoundResult CreateSoundDevice(void* window, SoundDevice** device) {
    if (device == nullptr) {
        return SoundResult::InvalidParam;
    }
    *device = nullptr;
    HWND handle = win32::HandleOf(window);
    if (handle == nullptr) {
        handle = GetForegroundWindow();
    }
    if (handle == nullptr) {
        handle = GetDesktopWindow();
    }
    IDirectSound8* sound = nullptr;
    HRESULT result = DirectSoundCreate8(nullptr, &sound, nullptr);
    if (SUCCEEDED(result)) {
        result = sound->SetCooperativeLevel(handle, DSSCL_NORMAL);
        if (FAILED(result)) {
            sound->Release();
            sound = nullptr;
        }
    }
    // The sound manager says once that the game runs silent.
    if (FAILED(result)) {
        return ResultOf(result) == SoundResult::Ok ? SoundResult::Failed : ResultOf(result);
    }
    *device = new (std::nothrow) SoundDevice{sound, handle, false};
    if (*device == nullptr) {
        sound->Release();
        return SoundResult::OutOfMemory;
    }
    std::lock_guard guard(g_devicesLock);
    g_devices.push_back(*device);
    return SoundResult::Ok;
}

void ReleaseSoundDevice(SoundDevice* device) {
    if (device == nullptr) {
        return;
    }
    {
        std::lock_guard guard(g_devicesLock);
        g_devices.erase(std::remove(g_devices.begin(), g_devices.end(), device), g_devices.end());
    }
    if (device->sound != nullptr) {
        device->sound->Release();
    }
    delete device;
}

SoundResult CreateSoundBuffer(SoundDevice* device, const SoundFormat& format, uint32_t flags,
                              uint32_t bytes, SoundBuffer** buffer) {
    if (buffer != nullptr) {
        *buffer = nullptr;
    }
    WAVEFORMATEX wave;
    if (device == nullptr || device->sound == nullptr || buffer == nullptr || bytes < DSBSIZE_MIN ||
        bytes > DSBSIZE_MAX || !MakeWaveFormat(format, wave)) {
        return SoundResult::InvalidParam;
    }
    DSBUFFERDESC description{};
    description.dwSize = sizeof(description);
    description.dwFlags = DSBCAPS_GETCURRENTPOSITION2;
    if (flags & kSoundBufferControlVolume) {
        description.dwFlags |= DSBCAPS_CTRLVOLUME;
    }
    if (flags & kSoundBufferControlPan) {
        description.dwFlags |= DSBCAPS_CTRLPAN;
    }
    if (flags & kSoundBufferControlFrequency) {
        description.dwFlags |= DSBCAPS_CTRLFREQUENCY;
    }
    if (flags & kSoundBufferStatic) {
        description.dwFlags |= DSBCAPS_STATIC;
    }
    description.dwBufferBytes = bytes;
    description.lpwfxFormat = &wave;
    IDirectSoundBuffer* made = nullptr;
    const HRESULT result = device->sound->CreateSoundBuffer(&description, &made, nullptr);
    return WrapMadeBuffer(result, made, bytes, buffer);
}

SoundResult DuplicateSoundBuffer(SoundDevice* device, SoundBuffer* original,
                                 SoundBuffer** duplicate) {
    if (duplicate != nullptr) {
        *duplicate = nullptr;
    }
    if (device == nullptr || device->sound == nullptr || original == nullptr ||
        duplicate == nullptr) {
        return SoundResult::InvalidParam;
    }
    IDirectSoundBuffer* made = nullptr;
    const HRESULT result = device->sound->DuplicateSoundBuffer(original->buffer, &made);
    return WrapMadeBuffer(result, made, original->bytes, duplicate);
}

void ReleaseSoundBuffer(SoundBuffer* buffer) {
    if (buffer == nullptr) {
        return;
    }
    buffer->buffer->Stop();
    buffer->buffer->Release();
    delete buffer;
}

SoundResult LockSoundBuffer(SoundBuffer* buffer, uint32_t offset, uint32_t bytes, void** data,
                            uint32_t* lockedBytes) {
    if (buffer == nullptr || data == nullptr || lockedBytes == nullptr || offset >= buffer->bytes ||
        bytes == 0) {
        return SoundResult::InvalidParam;
    }
    // One region only: the lock never runs past the end and wraps to the start.
    const DWORD wanted = std::min<DWORD>(bytes, buffer->bytes - offset);
    void* first = nullptr;
    DWORD firstBytes = 0;
    HRESULT result = buffer->buffer->Lock(offset, wanted, &first, &firstBytes, nullptr, nullptr, 0);
    if (result == DSERR_BUFFERLOST && SUCCEEDED(buffer->buffer->Restore())) {
        result = buffer->buffer->Lock(offset, wanted, &first, &firstBytes, nullptr, nullptr, 0);
    }
    if (FAILED(result)) {
        return ResultOf(result) == SoundResult::Ok ? SoundResult::Failed : ResultOf(result);
    }
    *data = first;
    *lockedBytes = firstBytes;
    return SoundResult::Ok;
}

SoundResult UnlockSoundBuffer(SoundBuffer* buffer, void* data, uint32_t bytes) {
    if (buffer == nullptr) {
        return SoundResult::InvalidParam;
    }
    return ResultOf(buffer->buffer->Unlock(data, bytes, nullptr, 0));
}

SoundResult PlaySoundBuffer(SoundBuffer* buffer, bool loop) {
    if (buffer == nullptr) {
        return SoundResult::InvalidParam;
    }
    return ResultOf(buffer->buffer->Play(0, 0, loop ? DSBPLAY_LOOPING : 0));
}

SoundResult StopSoundBuffer(SoundBuffer* buffer) {
    if (buffer == nullptr) {
        return SoundResult::InvalidParam;
    }
    return ResultOf(buffer->buffer->Stop());
}

uint32_t GetSoundBufferStatus(SoundBuffer* buffer) {
    if (buffer == nullptr) {
        return 0;
    }
    DWORD status = 0;
    if (FAILED(buffer->buffer->GetStatus(&status))) {
        return 0;
    }
    return ((status & DSBSTATUS_PLAYING) ? kSoundStatusPlaying : 0) |
           ((status & DSBSTATUS_LOOPING) ? kSoundStatusLooping : 0);
}

SoundResult GetSoundBufferPosition(SoundBuffer* buffer, uint32_t* position) {
    if (buffer == nullptr || position == nullptr) {
        return SoundResult::InvalidParam;
    }
    DWORD play = 0;
    const HRESULT result = buffer->buffer->GetCurrentPosition(&play, nullptr);
    if (SUCCEEDED(result)) {
        *position = play;
    }
    return ResultOf(result);
}

SoundResult SetSoundBufferPosition(SoundBuffer* buffer, uint32_t position) {
    if (buffer == nullptr) {
        return SoundResult::InvalidParam;
    }
    return ResultOf(buffer->buffer->SetCurrentPosition(
        std::min<DWORD>(position, buffer->bytes > 0 ? buffer->bytes - 1 : 0)));
}

SoundResult SetSoundBufferVolume(SoundBuffer* buffer, int32_t hundredthsOfDecibel) {
    if (buffer == nullptr) {
        return SoundResult::InvalidParam;
    }
    return ResultOf(buffer->buffer->SetVolume(
        std::clamp<LONG>(hundredthsOfDecibel, DSBVOLUME_MIN, DSBVOLUME_MAX)));
}

SoundResult SetSoundBufferPan(SoundBuffer* buffer, int32_t hundredthsOfDecibel) {
    if (buffer == nullptr) {
        return SoundResult::InvalidParam;
    }
    return ResultOf(
        buffer->buffer->SetPan(std::clamp<LONG>(hundredthsOfDecibel, DSBPAN_LEFT, DSBPAN_RIGHT)));
}

SoundResult GetSoundBufferFrequency(SoundBuffer* buffer, uint32_t* samplesPerSecond) {
    if (buffer == nullptr || samplesPerSecond == nullptr) {
        return SoundResult::InvalidParam;
    }
    DWORD frequency = 0;
    const HRESULT result = buffer->buffer->GetFrequency(&frequency);
    if (SUCCEEDED(result)) {
        *samplesPerSecond = frequency;
    }
    return ResultOf(result);
}

SoundResult SetSoundBufferFrequency(SoundBuffer* buffer, uint32_t samplesPerSecond) {
    if (buffer == nullptr || samplesPerSecond == 0) {
        return SoundResult::InvalidParam;
    }
    return ResultOf(buffer->buffer->SetFrequency(
        std::clamp<DWORD>(samplesPerSecond, DSBFREQUENCY_MIN, DSBFREQUENCY_MAX)));
}

namespace win32 {

void SoundWindowGone(HWND window) {
    std::lock_guard guard(g_devicesLock);
    for (SoundDevice* device : g_devices) {
        if (device->window == window) {
            device->orphaned = true;
        }
    }
}

void SoundWindowMade(HWND window) {
    std::lock_guard guard(g_devicesLock);
    for (SoundDevice* device : g_devices) {
        if (device->orphaned &&
            SUCCEEDED(device->sound->SetCooperativeLevel(window, DSSCL_NORMAL))) {
            device->window = window;
            device->orphaned = false;
        }
    }
}

} // namespace win32
} // namespace platform
