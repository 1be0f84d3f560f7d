#pragma once
// The one object the main loop drives. The engine's base keeps the quit and inactive
// flags, runs the background loading thread once and plays the music tracks; the game
// derives from it and does the start-up, the frames and the shutdown.
//
// The loading thread works on a file system of its own. It fills the registry, which
// the main thread leaves alone until the done flag is up (the loading scene and the
// full-screen key wait for it), and makes pictures and sounds through the resource
// cache, the screen's surface table and the sound manager, each of which keeps its own
// lock. It reports through the loading progress and the two background flags, which
// the main thread polls.

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "engine/entity/QxEntityRegistry.h"

class QxInputQueue;
struct QxSoundRecord;

class QxGame {
public:
    static constexpr std::uint32_t kNoVoice = 0xFFFFFFFFu;
    static constexpr std::int32_t kNoTrack = -1;

    struct MusicTrack {
        QxSoundRecord* sound = nullptr; // from the resource cache, released at shutdown
        std::uint32_t voice = kNoVoice;
    };

    // Seeds the engine's random generator with the time in seconds.
    QxGame();
    QxGame(const QxGame&) = delete;
    QxGame& operator=(const QxGame&) = delete;
    virtual ~QxGame();

    // Runs on the loading thread, with that thread's file system current.
    virtual void BackgroundLoad();
    virtual int Init() = 0;
    virtual void Frame(QxInputQueue& queue) = 0;
    // Releases the music table.
    virtual void Shutdown();
    virtual void RequestQuit();
    // Records the scene to switch to at the start of the next frame; -1 picks one of
    // the four transitions at random.
    virtual void RequestScene(const std::string& className, const std::string& typeName,
                              int transition) = 0;
    // The sound of the file under the track id (an existing id gets the new sound).
    virtual void AddMusic(std::uint32_t id, const std::string& fileName);
    // Starts the track looping from silence (or keeps its voice) and fades it in.
    virtual void PlayMusic(std::uint32_t id, float fadeMs);
    // Fades the current track out and forgets its voice.
    virtual void StopMusic(float fadeMs);
    virtual void Reserved9(int value);
    virtual bool IsMusicPlaying();

    bool IsQuitRequested() const { return m_quitRequested.load() != 0; }
    bool IsInactive() const { return m_inactive != 0; }

    // Read by the loading scene while the loading thread fills it.
    QxLoadProgress& LoadProgress() { return m_progress; }
    bool IsBackgroundLoadStarted() const { return m_backgroundLoadStarted.load() != 0; }
    bool IsBackgroundLoadDone() const { return m_backgroundLoadDone.load() != 0; }

    // The folder the loading thread reads from (its only folder source; default: the
    // current folder). Set before Init.
    void SetWorkingFolder(const std::string& folder) { m_workingFolder = folder; }

    std::int32_t CurrentTrack() const { return m_currentTrack; }
    const MusicTrack* FindTrack(std::uint32_t id) const;

protected:
    // Starts the loading thread unless it ran before; false when it could not start
    // (the load is then marked done, so nobody waits for it).
    bool StartBackgroundLoad();
    // Returns once the loading thread has finished, checking every 20 ms.
    void WaitForBackgroundLoad();

    std::atomic<std::uint8_t> m_quitRequested{0};
    std::uint8_t m_inactive = 0;

private:
    static void LoaderThread(void* game);

    QxLoadProgress m_progress;
    std::atomic<std::uint8_t> m_backgroundLoadDone{0};
    std::atomic<std::uint8_t> m_backgroundLoadStarted{0};
    std::map<std::uint32_t, std::unique_ptr<MusicTrack>> m_music;
    std::int32_t m_currentTrack = kNoTrack;
    std::string m_workingFolder;
};
