#include "game/objects/PyxTypeSound.h"

#include "app/QxGlobals.h"
#include "engine/entity/QxDefinition.h"
#include "engine/files/QxResourceCache.h"
#include "engine/sound/QxSoundManager.h"

bool PyxTypeSound::ReadName(QxDefinition& definition, std::string_view key) {
    return definition.ReadKey(key, m_name);
}

PyxTypeSound::~PyxTypeSound() {
    Release();
}

void PyxTypeSound::Load(bool reload) {
    if (reload) {
        Release();
    }
    if (m_record || m_name.empty() || !g_resourceCache) {
        return;
    }
    m_record = g_resourceCache->GetSound(m_name);
}

void PyxTypeSound::Release() {
    if (m_record && g_resourceCache) {
        g_resourceCache->ReleaseSound(m_record->key);
    }
    m_record = nullptr;
}

bool PyxTypeSound::PlayOnce() const {
    if (!m_record || !g_soundManager) {
        return false;
    }
    std::uint32_t instance = 0;
    if (g_soundManager->PlaySound(m_record->sound, &instance, false) == 0) {
        return false;
    }
    return g_soundManager->ResumeInstance(instance) != 0;
}

bool PyxSoundLoop::IsPlaying() const {
    return m_active && g_soundManager && g_soundManager->IsInstancePlaying(m_instance);
}

bool PyxSoundLoop::Start(const QxSoundRecord* sound, float volume) {
    if (IsPlaying()) {
        return true;
    }
    // An instance that ended on its own is gone from the manager; drop the old id.
    Stop();
    if (!sound || !g_soundManager) {
        return false;
    }
    std::uint32_t instance = 0;
    if (g_soundManager->PlaySound(sound->sound, &instance, true) == 0) {
        return false;
    }
    g_soundManager->SetInstanceVolume(instance, volume);
    g_soundManager->ResumeInstance(instance);
    m_active = true;
    m_instance = instance;
    return true;
}

void PyxSoundLoop::SetVolume(float volume) const {
    if (m_active && g_soundManager) {
        g_soundManager->SetInstanceVolume(m_instance, volume);
    }
}

void PyxSoundLoop::Stop() {
    if (m_active && g_soundManager) {
        g_soundManager->StopInstance(m_instance);
    }
    m_active = false;
    m_held = false;
    m_instance = 0;
}

void PyxSoundLoop::Hold(bool hold) {
    if (!m_active || !g_soundManager || hold == m_held) {
        return;
    }
    m_held = hold;
    if (hold) {
        g_soundManager->PauseInstance(m_instance);
    } else if (g_soundManager->ResumeInstance(m_instance) == 0) {
        Stop();
    }
}
