#pragma once
// Sounds that a board-object type names in its definition. The type loads them with its
// other resources through the resource cache and shares them with every instance; a
// looping sound shared by all objects of a type is a PyxSoundLoop the type keeps.

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/entity/QxTypePart.h"

class QxDefinition;
struct QxSoundRecord;

class PyxTypeSound final : public QxTypePart {
public:
    PyxTypeSound() = default;
    PyxTypeSound(const PyxTypeSound&) = delete;
    PyxTypeSound& operator=(const PyxTypeSound&) = delete;
    ~PyxTypeSound();

    // The file the definition named; empty when it named none.
    const std::string& Name() const { return m_name; }
    void SetName(const std::string& name) { m_name = name; }
    // Takes the name from the key when the definition has it; false when it has not.
    bool ReadName(QxDefinition& definition, std::string_view key);

    // Gets the sound from the resource cache unless it is held already or no name was
    // given. A sound that cannot be had stays missing (the cache logs why). A reload
    // gives the held sound back first.
    void Load(bool reload = false);
    // Gives the sound back to the cache.
    void Release();
    // A sound does not depend on the display mode: a reload keeps the one held, so a
    // loop playing it plays on.
    void LoadPart(bool) override { Load(); }
    void ReleasePart() override { Release(); }
    bool IsLoaded() const { return m_record != nullptr; }
    // The cache's record of the sound, or null.
    const QxSoundRecord* Record() const { return m_record; }

    // Starts one instance that plays to its end; false without the sound or when the
    // sound manager refused.
    bool PlayOnce() const;

private:
    std::string m_name;
    QxSoundRecord* m_record = nullptr;
};

// One looping instance, remembered while it plays. As a type's part it stops when the
// type unloads; it stops as well when it goes.
class PyxSoundLoop final : public QxTypePart {
public:
    PyxSoundLoop() = default;
    PyxSoundLoop(const PyxSoundLoop&) = delete;
    PyxSoundLoop& operator=(const PyxSoundLoop&) = delete;
    ~PyxSoundLoop() { Stop(); }

    // True while the instance exists and the sound manager reports it playing.
    bool IsPlaying() const;
    // Starts the sound looping unless it already plays; false without the sound or when
    // the sound manager refused.
    bool Start(const QxSoundRecord* sound, float volume);
    bool Start(const PyxTypeSound& sound, float volume) { return Start(sound.Record(), volume); }
    bool HasInstance() const { return m_active; }
    void SetVolume(float volume) const;
    // Stops the instance if there is one and forgets it.
    void Stop();
    // Holding pauses the instance where it is; letting go plays it on from there, or
    // forgets it when the sound manager refuses (sounds off), so it starts afresh.
    void Hold(bool hold);
    void LoadPart(bool) override {}
    void ReleasePart() override { Stop(); }

private:
    bool m_active = false;
    bool m_held = false;
    std::uint32_t m_instance = 0;
};
