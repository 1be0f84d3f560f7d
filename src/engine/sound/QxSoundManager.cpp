#include "engine/sound/QxSoundManager.h"

#include <algorithm>
#include <cmath>

bool QxSoundManager::EnableSounds(bool on) {
    m_soundsDisabled = !on;
    return m_soundsDisabled;
}

void QxSoundManager::SetSwapStereo(bool on) {
    m_swapStereo = on;
}

void QxSoundManager::SetMasterVolume(float volume) {
    if (std::isnan(volume)) {
        return;
    }
    m_masterVolume = std::clamp(volume, 0.01f, 1.0f);
}

void QxSoundManager::EnableSecondary(bool on) {
    m_secondaryDisabled = !on;
}

void QxSoundManager::SetGroupVolume(QxSoundGroup group, float volume) {
    if (std::isnan(volume)) {
        return;
    }
    (group == QxSoundGroup::Music ? m_musicVolume : m_effectsVolume) =
        std::clamp(volume, 0.0f, 1.0f);
}

float QxSoundManager::GroupVolume(QxSoundGroup group) const {
    return group == QxSoundGroup::Music ? m_musicVolume : m_effectsVolume;
}
