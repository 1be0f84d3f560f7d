#include "app/QxGame.h"

#include <ctime>
#include <exception>
#include <vector>

#include "app/QxGlobals.h"
#include "app/QxRandom.h"
#include "engine/files/QxDataArchives.h"
#include "engine/files/QxFileSystem.h"
#include "engine/files/QxLog.h"
#include "engine/files/QxResourceCache.h"
#include "engine/files/QxWin32FileManager.h"
#include "engine/sound/QxSoundManager.h"
#include "platform/Platform.h"

QxGame::QxGame() {
    SeedRandom(static_cast<std::uint32_t>(std::time(nullptr)));
}

QxGame::~QxGame() = default;

void QxGame::BackgroundLoad() {}

void QxGame::Shutdown() {
    for (auto& [id, track] : m_music) {
        if (track->sound != nullptr && g_resourceCache != nullptr) {
            g_resourceCache->ReleaseSound(track->sound->key);
        }
        track->sound = nullptr;
        track->voice = kNoVoice;
    }
    m_music.clear();
}

void QxGame::RequestQuit() {
    m_quitRequested = 1;
}

void QxGame::AddMusic(std::uint32_t id, const std::string& fileName) {
    auto track = std::make_unique<MusicTrack>();
    track->sound = g_resourceCache != nullptr ? g_resourceCache->GetSound(fileName) : nullptr;
    auto it = m_music.find(id);
    if (it != m_music.end()) {
        // The replaced record gives its sound back; a voice of it keeps playing until
        // the sound manager lets it go.
        if (it->second->sound != nullptr && g_resourceCache != nullptr) {
            g_resourceCache->ReleaseSound(it->second->sound->key);
        }
        it->second = std::move(track);
    } else {
        m_music.emplace(id, std::move(track));
    }
}

void QxGame::PlayMusic(std::uint32_t id, float fadeMs) {
    auto it = m_music.find(id);
    if (it == m_music.end()) {
        return;
    }
    MusicTrack& track = *it->second;
    if (track.voice == kNoVoice && track.sound != nullptr && g_soundManager != nullptr) {
        std::uint32_t voice = kNoVoice;
        if (g_soundManager->PlaySound(track.sound->sound, &voice, true) != 0) {
            track.voice = voice;
            g_soundManager->SetInstanceGroup(voice, QxSoundGroup::Music);
            g_soundManager->SetInstanceVolume(voice, 0.0f);
        }
    }
    if (track.voice != kNoVoice && g_soundManager != nullptr) {
        g_soundManager->FadeInInstance(track.voice, fadeMs);
    }
    m_currentTrack = static_cast<std::int32_t>(id);
}

void QxGame::StopMusic(float fadeMs) {
    if (m_currentTrack == kNoTrack) {
        return;
    }
    auto it = m_music.find(static_cast<std::uint32_t>(m_currentTrack));
    if (it == m_music.end()) {
        return;
    }
    if (it->second->voice != kNoVoice && g_soundManager != nullptr) {
        g_soundManager->FadeOutInstance(it->second->voice, fadeMs);
    }
    it->second->voice = kNoVoice;
}

void QxGame::Reserved9(int /*value*/) {}

bool QxGame::IsMusicPlaying() {
    if (m_currentTrack == kNoTrack) {
        return false;
    }
    const MusicTrack* track = FindTrack(static_cast<std::uint32_t>(m_currentTrack));
    return track != nullptr && track->voice != kNoVoice;
}

const QxGame::MusicTrack* QxGame::FindTrack(std::uint32_t id) const {
    auto it = m_music.find(id);
    return it == m_music.end() ? nullptr : it->second.get();
}

bool QxGame::StartBackgroundLoad() {
    if (m_backgroundLoadStarted.load() != 0) {
        return false;
    }
    // Marked before the thread exists, so a shutdown that comes before the thread has
    // run a single line still waits for it.
    m_backgroundLoadStarted = 1;
    if (!platform::StartThread(&QxGame::LoaderThread, this)) {
        LogPrintf("Background loading - the loading thread could not be started.");
        m_backgroundLoadDone = 1;
        return false;
    }
    return true;
}

void QxGame::WaitForBackgroundLoad() {
    while (m_backgroundLoadStarted.load() != 0 && m_backgroundLoadDone.load() == 0) {
        platform::SleepMilliseconds(20);
    }
}

void QxGame::LoaderThread(void* argument) {
    auto* game = static_cast<QxGame*>(argument);
    {
        // Only the working folder and its archives: loose files in "Resources/" are
        // the main thread's.
        QxFileSystem fileSystem;
        fileSystem.AddManager(std::make_unique<QxWin32FileManager>(), game->m_workingFolder);
        AddDataArchives(fileSystem);
        SetCurrentFileSystem(&fileSystem);
        game->m_backgroundLoadStarted = 1;
        try {
            game->BackgroundLoad();
        } catch (const std::exception& error) {
            LogPrintf("Background loading - %s", error.what());
        } catch (...) {
            LogPrintf("Background loading - failed.");
        }
        SetCurrentFileSystem(nullptr);
    }
    // Set last: once the main thread sees it, nothing of this thread touches shared
    // state any more.
    game->m_backgroundLoadDone = 1;
}
