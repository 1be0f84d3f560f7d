#include "game/field/PyxAmbientLoop.h"

#include <algorithm>

#include "app/QxGlobals.h"

void PyxAmbientLoop::Drive(const QxSoundRecord* sound, float target) {
    if (!g_soundManager || !sound) {
        return;
    }
    if (!m_loop.IsPlaying()) {
        m_loop.Start(sound, m_volume);
    } else if (m_volume != target) {
        m_loop.SetVolume(m_volume);
    }
    if (m_volume > target) {
        m_volume = std::max(m_volume * 0.9f, kLowestVolume);
    } else if (m_volume < target) {
        m_volume = std::min(m_volume * 1.1f, target);
    }
}

void PyxAmbientLoop::Stop() {
    m_loop.Stop();
    m_volume = kStartVolume;
}

void PyxAmbientLoop::Hold(bool hold) {
    const bool hadInstance = m_loop.HasInstance();
    m_loop.Hold(hold);
    // Letting go was refused and the instance is gone: the next start is quiet again.
    if (hadInstance && !m_loop.HasInstance()) {
        m_volume = kStartVolume;
    }
}
