#include "engine/sound/QxWin32SoundManager.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "engine/files/QxFile.h"
#include "engine/files/QxLog.h"
#include "engine/sound/QxSoundLevels.h"
#include "engine/sound/QxWavReader.h"

namespace {

constexpr uint32_t kBufferControls = platform::kSoundBufferControlVolume |
                                     platform::kSoundBufferControlPan |
                                     platform::kSoundBufferControlFrequency;

const char* LockErrorText(platform::SoundResult result) {
    switch (result) {
    case platform::SoundResult::BufferLost:
        return "Buffer Lost\n";
    case platform::SoundResult::PriorityLevelNeeded:
        return "Priority Level Needed\n";
    case platform::SoundResult::InvalidParam:
        return "Invalid Param\n";
    case platform::SoundResult::InvalidCall:
        return "Invalid Call\n";
    default:
        return "Unknown Error";
    }
}

} // namespace

template <typename Action>
int QxWin32SoundManager::WithInstance(uint32_t instance, bool needsSound, Action action) {
    std::lock_guard guard(m_lock);
    if (!m_ready || (needsSound && m_soundsDisabled)) {
        return 0;
    }
    Instance* found = FindInstance(instance);
    // An unknown id has ended already: nothing is left to change, and that is no failure.
    return found == nullptr ? 1 : action(*found);
}

void QxWin32SoundManager::ReleaseInstances() {
    for (auto& [id, instance] : m_instances) {
        ReleaseInstance(instance);
    }
    m_instances.clear();
}

QxWin32SoundManager::~QxWin32SoundManager() {
    std::lock_guard guard(m_lock);
    ReleaseInstances();
    for (auto& [handle, sound] : m_sounds) {
        platform::ReleaseSoundBuffer(sound.buffer);
    }
    m_sounds.clear();
    if (m_device != nullptr) {
        platform::ReleaseSoundDevice(m_device);
    }
}

int QxWin32SoundManager::InitSound(int /*option*/) {
    std::lock_guard guard(m_lock);
    if (m_ready) {
        return 0;
    }
    platform::SoundDevice* device = nullptr;
    if (platform::CreateSoundDevice(m_window, &device) != platform::SoundResult::Ok) {
        if (device != nullptr) {
            platform::ReleaseSoundDevice(device);
        }
        // The game goes on silent; the player should be able to find out why.
        LogPrintf("InitSound - no sound device could be opened; the game runs without sound.");
        return 0;
    }
    m_device = device;
    m_ready = true;
    return 1;
}

void QxWin32SoundManager::SetSoundWindow(void* window) {
    std::lock_guard guard(m_lock);
    m_window = window;
}

int QxWin32SoundManager::LoadSound(QxFile* file, uint32_t* handle) {
    std::lock_guard guard(m_lock);
    if (!m_ready || file == nullptr || handle == nullptr) {
        return 0;
    }
    QxWavInfo info;
    if (!QxReadWavHeader(*file, info)) {
        return 0;
    }

    Sound sound;
    sound.format = info.format;
    sound.bufferBytes = info.dataSize;
    sound.bufferFlags = kBufferControls | platform::kSoundBufferStatic;
    if (platform::CreateSoundBuffer(m_device, sound.format, sound.bufferFlags, sound.bufferBytes,
                                    &sound.buffer) != platform::SoundResult::Ok) {
        LogString("Failed to create static Sound Buffer\n");
        sound.bufferFlags = kBufferControls;
        if (platform::CreateSoundBuffer(m_device, sound.format, sound.bufferFlags,
                                        sound.bufferBytes,
                                        &sound.buffer) != platform::SoundResult::Ok) {
            LogString("Failed to create Sound Buffer\n");
            return 0;
        }
    }

    void* data = nullptr;
    uint32_t locked = 0;
    const platform::SoundResult lockResult =
        platform::LockSoundBuffer(sound.buffer, 0, sound.bufferBytes, &data, &locked);
    if (lockResult != platform::SoundResult::Ok) {
        LogString("Failed to lock sound buffer\n");
        LogString(LockErrorText(lockResult));
        platform::ReleaseSoundBuffer(sound.buffer);
        return 0;
    }
    const uint32_t wanted = std::min(locked, sound.bufferBytes);
    const uint32_t read = file->ReadBytes(wanted, data);
    platform::UnlockSoundBuffer(sound.buffer, data, locked);
    if (read != wanted) {
        LogString("Invalid sound: sample data could not be read\n");
        platform::ReleaseSoundBuffer(sound.buffer);
        return 0;
    }

    *handle = m_nextSound++;
    m_sounds[*handle] = sound;
    return 1;
}

int QxWin32SoundManager::FreeSound(uint32_t handle) {
    std::lock_guard guard(m_lock);
    if (!m_ready) {
        return 0;
    }
    auto sound = m_sounds.find(handle);
    if (sound == m_sounds.end()) {
        return 0;
    }
    for (auto it = m_instances.begin(); it != m_instances.end();) {
        if (it->second.sound == handle) {
            ReleaseInstance(it->second);
            it = m_instances.erase(it);
        } else {
            ++it;
        }
    }
    platform::ReleaseSoundBuffer(sound->second.buffer);
    m_sounds.erase(sound);
    return 1;
}

int QxWin32SoundManager::PlaySound(uint32_t handle, uint32_t* instance, bool loop) {
    std::lock_guard guard(m_lock);
    if (!m_ready || m_soundsDisabled || instance == nullptr) {
        return 0;
    }
    auto sound = m_sounds.find(handle);
    if (sound == m_sounds.end()) {
        return 0;
    }
    Instance made;
    if (platform::DuplicateSoundBuffer(m_device, sound->second.buffer, &made.buffer) !=
        platform::SoundResult::Ok) {
        return 0;
    }
    made.sound = handle;
    made.looping = loop;
    made.paused = true;
    made.savedPosition = 0;
    made.volume = 1.0f;
    made.volumeStep = 0.0f;
    platform::GetSoundBufferFrequency(made.buffer, &made.baseRate);
    // At its group's level from the first sample, not from the next frame's update.
    ApplyVolume(made);
    *instance = m_nextInstance++;
    m_instances[*instance] = made;
    return 1;
}

int QxWin32SoundManager::SetInstanceVolume(uint32_t instance, float volume) {
    return WithInstance(instance, false, [&](Instance& found) {
        found.volume = std::isnan(volume) ? 0.1f : std::clamp(volume, 0.1f, 1.0f);
        ApplyVolume(found);
        return 1;
    });
}

void QxWin32SoundManager::SetGroupVolume(QxSoundGroup group, float volume) {
    std::lock_guard guard(m_lock);
    QxSoundManager::SetGroupVolume(group, volume);
    // Heard at once, not a frame later: the player is moving a control and listening.
    if (!m_ready) {
        return;
    }
    for (const auto& [id, instance] : m_instances) {
        if (instance.group == group) {
            ApplyVolume(instance);
        }
    }
}

int QxWin32SoundManager::SetInstanceGroup(uint32_t instance, QxSoundGroup group) {
    return WithInstance(instance, false, [&](Instance& found) {
        found.group = group;
        ApplyVolume(found);
        return 1;
    });
}

int QxWin32SoundManager::SetInstancePan(uint32_t instance, float pan) {
    return WithInstance(instance, true, [&](Instance& found) {
        platform::SetSoundBufferPan(found.buffer, QxPanToServicePan(pan, m_swapStereo));
        return 1;
    });
}

int QxWin32SoundManager::SetInstanceRate(uint32_t instance, float factor) {
    return WithInstance(instance, true, [&](Instance& found) {
        const double rate = static_cast<double>(found.baseRate) * factor;
        // Out of range (or not a number) is for the service to refuse, not for a cast.
        const double bounded = rate >= 0.0 ? std::min(rate, 4294967295.0) : 0.0;
        return platform::SetSoundBufferFrequency(found.buffer, static_cast<uint32_t>(bounded)) ==
                       platform::SoundResult::Ok
                   ? 1
                   : 0;
    });
}

int QxWin32SoundManager::StopInstance(uint32_t instance) {
    std::lock_guard guard(m_lock);
    if (!m_ready) {
        return 0;
    }
    auto it = m_instances.find(instance);
    if (it == m_instances.end()) {
        return 1;
    }
    ReleaseInstance(it->second);
    m_instances.erase(it);
    return 1;
}

int QxWin32SoundManager::StopAll() {
    std::lock_guard guard(m_lock);
    ReleaseInstances();
    return 1;
}

int QxWin32SoundManager::ResumeInstance(uint32_t instance) {
    return WithInstance(instance, true, [&](Instance& found) {
        platform::SetSoundBufferPosition(found.buffer, found.savedPosition);
        platform::PlaySoundBuffer(found.buffer, found.looping);
        found.paused = false;
        return 1;
    });
}

int QxWin32SoundManager::PauseInstance(uint32_t instance) {
    return WithInstance(instance, false, [&](Instance& found) {
        platform::GetSoundBufferPosition(found.buffer, &found.savedPosition);
        platform::StopSoundBuffer(found.buffer);
        found.paused = true;
        return 1;
    });
}

int QxWin32SoundManager::FadeInInstance(uint32_t instance, float duration) {
    return WithInstance(instance, true, [&](Instance& found) {
        StartFade(found, 1.0f, duration);
        return 1;
    });
}

int QxWin32SoundManager::FadeOutInstance(uint32_t instance, float duration) {
    return WithInstance(instance, true, [&](Instance& found) {
        StartFade(found, 0.0f, duration);
        return 1;
    });
}

int QxWin32SoundManager::FadeOutAll(float duration) {
    std::lock_guard guard(m_lock);
    if (!m_ready || m_soundsDisabled) {
        return 0;
    }
    for (auto& [id, instance] : m_instances) {
        StartFade(instance, 0.0f, duration);
    }
    return 1;
}

bool QxWin32SoundManager::IsInstancePlaying(uint32_t instance) {
    std::lock_guard guard(m_lock);
    Instance* found = FindInstance(instance);
    // An instance that ended has left the table, so an unknown id is not playing.
    return found != nullptr && IsBufferPlaying(found->buffer);
}

int QxWin32SoundManager::UpdateSounds(float elapsed) {
    std::lock_guard guard(m_lock);
    if (!m_ready) {
        return 0;
    }
    if (!(elapsed >= 0.0f)) {
        elapsed = 0.0f;
    }
    for (auto it = m_instances.begin(); it != m_instances.end();) {
        Instance& instance = it->second;
        if (!instance.paused && !IsBufferPlaying(instance.buffer)) {
            ReleaseInstance(instance);
            it = m_instances.erase(it);
            continue;
        }
        instance.volume += instance.volumeStep * elapsed;
        if (instance.volume > 1.0f) {
            instance.volume = 1.0f;
            instance.volumeStep = 0.0f;
        } else if (instance.volume <= 0.0f) {
            instance.volume = 0.0f;
            instance.volumeStep = 0.0f;
            ReleaseInstance(instance);
            it = m_instances.erase(it);
            continue;
        }
        ApplyVolume(instance);
        ++it;
    }
    return 1;
}

size_t QxWin32SoundManager::SoundCount() const {
    std::lock_guard guard(m_lock);
    return m_sounds.size();
}

size_t QxWin32SoundManager::InstanceCount() const {
    std::lock_guard guard(m_lock);
    return m_instances.size();
}

platform::SoundBuffer* QxWin32SoundManager::SoundBufferOf(uint32_t handle) const {
    std::lock_guard guard(m_lock);
    auto it = m_sounds.find(handle);
    return it == m_sounds.end() ? nullptr : it->second.buffer;
}

platform::SoundBuffer* QxWin32SoundManager::InstanceBuffer(uint32_t instance) const {
    std::lock_guard guard(m_lock);
    auto it = m_instances.find(instance);
    return it == m_instances.end() ? nullptr : it->second.buffer;
}

bool QxWin32SoundManager::GetInstanceVolume(uint32_t instance, float* volume) const {
    std::lock_guard guard(m_lock);
    auto it = m_instances.find(instance);
    if (it == m_instances.end() || volume == nullptr) {
        return false;
    }
    *volume = it->second.volume;
    return true;
}

QxWin32SoundManager::Instance* QxWin32SoundManager::FindInstance(uint32_t instance) {
    auto it = m_instances.find(instance);
    return it == m_instances.end() ? nullptr : &it->second;
}

float QxWin32SoundManager::EffectiveVolume(const Instance& instance) const {
    return m_soundsDisabled ? 0.0f : instance.volume * m_masterVolume * GroupVolume(instance.group);
}

void QxWin32SoundManager::ApplyVolume(const Instance& instance) const {
    platform::SetSoundBufferVolume(instance.buffer,
                                   QxVolumeToAttenuation(EffectiveVolume(instance)));
}

void QxWin32SoundManager::StartFade(Instance& instance, float target, float duration) {
    if (duration > 0.0f) {
        instance.volumeStep = (target - instance.volume) / duration;
    } else if (target != instance.volume) {
        // No time to fade in: the next update reaches the target at once.
        instance.volumeStep = target > instance.volume ? FLT_MAX : -FLT_MAX;
    } else {
        instance.volumeStep = 0.0f;
    }
    platform::PlaySoundBuffer(instance.buffer, instance.looping);
    instance.paused = false;
}

void QxWin32SoundManager::ReleaseInstance(Instance& instance) {
    if (instance.buffer == nullptr) {
        return;
    }
    platform::StopSoundBuffer(instance.buffer);
    platform::ReleaseSoundBuffer(instance.buffer);
    instance.buffer = nullptr;
}

bool QxWin32SoundManager::IsBufferPlaying(platform::SoundBuffer* buffer) {
    const uint32_t status = platform::GetSoundBufferStatus(buffer);
    return (status & (platform::kSoundStatusPlaying | platform::kSoundStatusLooping)) != 0;
}
