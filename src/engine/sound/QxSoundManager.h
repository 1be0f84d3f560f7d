#pragma once
// The engine's sound manager: loads sounds into buffers of the platform's sound
// service and plays any number of instances of them, each with its own volume, pan,
// rate, pause state and linear fade. The service mixes; the engine never does.
#include <cstdint>

class QxFile;

// The two mixes the player sets apart: the music, and every other sound.
enum class QxSoundGroup : std::uint8_t { Effects, Music };

class QxSoundManager {
public:
    virtual ~QxSoundManager() = default;

    // The device binds to the window given by SetSoundWindow; the argument is kept
    // for callers and not consulted.
    virtual int InitSound(int option) = 0;
    // Once per frame: ends finished instances, runs fades, applies volumes.
    virtual int UpdateSounds(float elapsed) = 0;
    // Sets the disabled flag to the negation of on and returns the new flag.
    virtual bool EnableSounds(bool on);
    virtual void SetSwapStereo(bool on);
    // Clamped to 0.01 .. 1.0.
    virtual void SetMasterVolume(float volume);
    // A second on/off switch the manager stores (negated) but does not consult.
    virtual void EnableSecondary(bool on);

    virtual int LoadSound(QxFile* file, uint32_t* handle) = 0;
    virtual int FreeSound(uint32_t handle) = 0;
    virtual int PlaySound(uint32_t handle, uint32_t* instance, bool loop) = 0;
    virtual int SetInstanceVolume(uint32_t instance, float volume) = 0;
    virtual int SetInstancePan(uint32_t instance, float pan) = 0;
    virtual int SetInstanceRate(uint32_t instance, float factor) = 0;
    virtual int StopInstance(uint32_t instance) = 0;
    virtual int StopAll() = 0;
    virtual int ResumeInstance(uint32_t instance) = 0;
    virtual int PauseInstance(uint32_t instance) = 0;
    virtual int FadeInInstance(uint32_t instance, float duration) = 0;
    virtual int FadeOutInstance(uint32_t instance, float duration) = 0;
    virtual int FadeOutAll(float duration) = 0;
    virtual bool IsInstancePlaying(uint32_t instance) = 0;

    // Reserved entries; they do nothing.
    virtual int Reserved21() { return 0; }
    virtual int Reserved22() { return 0; }
    virtual int Reserved23() { return 0; }
    virtual int Reserved24() { return 0; }
    virtual int Reserved25() { return 0; }

    // The level of a whole group on top of each instance's own volume and the master
    // volume: 0 (silent) to 1 (full), applied to what plays at once. New instances are
    // effects until SetInstanceGroup says otherwise.
    virtual void SetGroupVolume(QxSoundGroup group, float volume);
    virtual int SetInstanceGroup(uint32_t instance, QxSoundGroup group) = 0;

    bool SoundsDisabled() const { return m_soundsDisabled; }
    float MasterVolume() const { return m_masterVolume; }
    float GroupVolume(QxSoundGroup group) const;

protected:
    bool m_soundsDisabled = false;
    bool m_swapStereo = false;
    bool m_secondaryDisabled = false;
    float m_masterVolume = 1.0f;
    float m_effectsVolume = 1.0f;
    float m_musicVolume = 1.0f;
};
