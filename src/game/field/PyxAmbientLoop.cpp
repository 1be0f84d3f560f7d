#include "game/field/PyxAmbientLoop.h"

#include <algorithm>

#include "app/QxGlobals.h"
#include "engine/files/QxResourceCache.h"
#include "engine/sound/QxSoundManager.h"

bool PyxAmbientLoop::IsPlaying() const {
    return m_hasInstance && g_soundManager && g_soundManager->IsInstancePlaying(m_instance);
}

void PyxAmbientLoop::Drive(const QxSoundRecord* sound, float target) {
    if (!g_soundManager || !sound)
        return;
    if (!IsPlaying()) {
        // An instance that stopped on its own is let go before a new one starts.
        if (m_hasInstance)
            g_soundManager->StopInstance(m_instance);
        m_hasInstance = false;
        m_held = false;
        std::uint32_t instance = 0;
        if (g_soundManager->PlaySound(sound->sound, &instance, true) == 1) {
            m_hasInstance = true;
            m_instance = instance;
            g_soundManager->SetInstanceVolume(m_instance, m_volume);
            g_soundManager->ResumeInstance(m_instance);
        }
    } else if (m_volume != target) {
        g_soundManager->SetInstanceVolume(m_instance, m_volume);
    }
    if (m_volume > target)
        m_volume = std::max(m_volume * 0.9f, kLowestVolume);
    else if (m_volume < target)
        m_volume = std::min(m_volume * 1.1f, target);
}

void PyxAmbientLoop::Stop() {
    if (m_hasInstance && g_soundManager)
        g_soundManager->StopInstance(m_instance);
    m_hasInstance = false;
    m_held = false;
    m_instance = 0;
    m_volume = kStartVolume;
}

void PyxAmbientLoop::Hold(bool hold) {
    if (!m_hasInstance || !g_soundManager || hold == m_held)
        return;
    m_held = hold;
    if (hold)
        g_soundManager->PauseInstance(m_instance);
    else if (g_soundManager->ResumeInstance(m_instance) == 0)
        Stop();
}
