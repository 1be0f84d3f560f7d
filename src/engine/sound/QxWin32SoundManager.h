#pragma once
// The sound manager over the platform sound service. Every instance is a duplicate
// of its sound's service buffer, so playing never copies samples.
#include <cstddef>
#include <cstdint>
#include <map>
#include <mutex>

#include "engine/sound/QxSoundManager.h"
#include "platform/SoundService.h"

class QxWin32SoundManager : public QxSoundManager {
public:
    QxWin32SoundManager() = default;
    ~QxWin32SoundManager() override;
    QxWin32SoundManager(const QxWin32SoundManager&) = delete;
    QxWin32SoundManager& operator=(const QxWin32SoundManager&) = delete;

    int InitSound(int option) override;
    int UpdateSounds(float elapsed) override;
    int LoadSound(QxFile* file, uint32_t* handle) override;
    int FreeSound(uint32_t handle) override;
    int PlaySound(uint32_t handle, uint32_t* instance, bool loop) override;
    int SetInstanceVolume(uint32_t instance, float volume) override;
    int SetInstancePan(uint32_t instance, float pan) override;
    int SetInstanceRate(uint32_t instance, float factor) override;
    int StopInstance(uint32_t instance) override;
    int StopAll() override;
    int ResumeInstance(uint32_t instance) override;
    int PauseInstance(uint32_t instance) override;
    int FadeInInstance(uint32_t instance, float duration) override;
    int FadeOutInstance(uint32_t instance, float duration) override;
    int FadeOutAll(float duration) override;
    bool IsInstancePlaying(uint32_t instance) override;
    void SetGroupVolume(QxSoundGroup group, float volume) override;
    int SetInstanceGroup(uint32_t instance, QxSoundGroup group) override;
    // The window the next InitSound binds the device to (null: the foreground window).
    virtual void SetSoundWindow(void* window);

    // Inspection for diagnostics and tests.
    bool IsReady() const { return m_ready; }
    size_t SoundCount() const;
    size_t InstanceCount() const;
    platform::SoundBuffer* SoundBufferOf(uint32_t handle) const;
    platform::SoundBuffer* InstanceBuffer(uint32_t instance) const;
    // The instance's own volume (before master volume); false for an unknown instance.
    bool GetInstanceVolume(uint32_t instance, float* volume) const;

private:
    struct Sound {
        platform::SoundFormat format;
        uint32_t bufferFlags = 0;
        uint32_t bufferBytes = 0;
        platform::SoundBuffer* buffer = nullptr;
    };
    struct Instance {
        uint32_t savedPosition = 0;
        uint32_t sound = 0;
        platform::SoundBuffer* buffer = nullptr;
        uint32_t baseRate = 0;
        bool paused = true;
        bool looping = false;
        float volume = 1.0f;
        float volumeStep = 0.0f;
        QxSoundGroup group = QxSoundGroup::Effects;
    };
    using InstanceTable = std::map<uint32_t, Instance>;

    Instance* FindInstance(uint32_t instance);
    // Under the lock: 0 when the manager cannot act (not ready, or sounds are off
    // where needsSound), 1 for an unknown instance, else what action answers.
    template <typename Action> int WithInstance(uint32_t instance, bool needsSound, Action action);
    // Stops and frees every instance; the caller holds the lock.
    void ReleaseInstances();
    float EffectiveVolume(const Instance& instance) const;
    void ApplyVolume(const Instance& instance) const;
    void StartFade(Instance& instance, float target, float duration);
    static void ReleaseInstance(Instance& instance);
    static bool IsBufferPlaying(platform::SoundBuffer* buffer);

    // Sounds may be loaded from the background loading thread while the main thread
    // plays; one lock keeps the tables whole.
    mutable std::recursive_mutex m_lock;
    bool m_ready = false;
    void* m_window = nullptr;
    platform::SoundDevice* m_device = nullptr;
    std::map<uint32_t, Sound> m_sounds;
    uint32_t m_nextSound = 0;
    InstanceTable m_instances;
    uint32_t m_nextInstance = 0;
};
