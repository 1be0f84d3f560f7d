#pragma once
// Board objects on a level of 8 x 6 cells of 56 pixels with a border of 20, with the
// sounds they start counted.

#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/entity/QxEntityRegistry.h"
#include "engine/files/QxResourceCache.h"
#include "engine/gui/GuiFixture.h"
#include "engine/sound/QxWin32SoundManager.h"
#include "game/field/PyxLevel.h"
#include "game/objects/PyxEntityAnimSpriteBall.h"
#include "game/objects/PyxEntityCharacterBall.h"
#include "game/objects/PyxEntityGameObject.h"
#include "game/objects/PyxEntityRenderedBall.h"
#include "support/RecordingEvents.h"

namespace objecttest {

// The sounds of the tests, each a WAV file of a length of its own, so that what was
// played can be told by name.
inline const char* const kSounds[] = {"roll", "wall", "gear", "ball", "turn", "coins", "hum"};
inline std::string SoundWav(std::size_t i) {
    return testsupport::PcmWav(std::uint32_t(100 + 2 * i));
}

// Counts the sounds started by handle, and names those of the WAV files above.
class RecordingSound : public QxWin32SoundManager {
public:
    int LoadSound(QxFile* file, uint32_t* handle) override {
        const std::uint32_t size = file->GetSize();
        const int loaded = QxWin32SoundManager::LoadSound(file, handle);
        for (std::size_t i = 0; i < std::size(kSounds); ++i)
            if (loaded && SoundWav(i).size() == size)
                names[*handle] = kSounds[i];
        return loaded;
    }
    int PlaySound(uint32_t handle, uint32_t* instance, bool loop) override {
        ++plays[handle];
        const int started = QxWin32SoundManager::PlaySound(handle, instance, loop);
        if (started)
            instances[*instance] = names[handle] + (loop ? " (loop)" : "");
        return started;
    }
    int ResumeInstance(uint32_t instance) override {
        if (instances.count(instance))
            played.push_back(instances[instance]);
        return QxWin32SoundManager::ResumeInstance(instance);
    }
    int SetInstanceVolume(uint32_t instance, float volume) override {
        volumes.push_back(volume);
        return QxWin32SoundManager::SetInstanceVolume(instance, volume);
    }

    std::string Last() const { return played.empty() ? std::string() : played.back(); }

    // The instances of the looping sound playing now.
    int PlayingLoops(const std::string& sound) {
        int count = 0;
        for (const auto& [id, name] : instances)
            count += name == sound + " (loop)" && IsInstancePlaying(id) ? 1 : 0;
        return count;
    }

    std::map<uint32_t, int> plays; // by sound handle
    std::map<uint32_t, std::string> names;
    std::map<uint32_t, std::string> instances;
    // What started, in order: the sound's name, with " (loop)" for loops.
    std::vector<std::string> played;
    std::vector<float> volumes;
};

using testsupport::RecordingEvents;

class ObjectFixture : public GuiFixture {
protected:
    static constexpr std::int32_t kCell = 56;
    static constexpr std::int32_t kBorder = 20;

    void SetUp() override {
        GuiFixture::SetUp();
        recorder_.InitSound(8);
        g_soundManager = &recorder_;
        level_ = std::make_unique<PyxLevel>();
        level_->SetupGrid(8, 6, kCell, kCell, kBorder, kBorder);
        events_.level = level_.get();
        events_.bounceBalls = false;
        SetGameEvents(&events_);
    }

    void TearDown() override {
        SetGameEvents(nullptr);
        // The objects go while the services they hold resources of are there.
        level_.reset();
        GuiFixture::TearDown();
    }

    // A 15-bit frame of one colour (colour 0 is transparent).
    static QxImage Frame15(int w, int h, QxColour colour, const std::string& name = "frame") {
        QxImage frame;
        frame.Create(w, h, 15);
        frame.name = name;
        const std::uint16_t pixel = Rgb555(colour);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x)
                std::memcpy(frame.Row(y) + 2 * x, &pixel, 2);
        }
        return frame;
    }

    // Frames of one colour each, w x h, as an image list file.
    void WriteFrames(const std::string& name, int w, int h, const std::vector<QxColour>& colours) {
        std::vector<QxImage> frames;
        for (std::size_t i = 0; i < colours.size(); ++i)
            frames.push_back(Frame15(w, h, colours[i], "f" + std::to_string(i)));
        WriteImageList(name, frames);
    }

    // A mono 8-bit PCM sound of `samples` bytes.
    void WriteSound(const std::string& name, std::uint32_t samples = 800) const {
        WriteFile(name, testsupport::PcmWav(samples));
    }

    // How often the sound of that file was started.
    int Plays(const std::string& name) {
        QxSoundRecord* record = g_resourceCache->GetSound(name);
        if (!record)
            return -1;
        const std::uint32_t handle = record->sound;
        g_resourceCache->ReleaseSound(record->key);
        return recorder_.plays[handle];
    }

    // Creates an object on the level at the board point; the level owns it.
    template <typename T = PyxEntityGameObject>
    T* Place(const std::string& className, const std::string& typeName, float x, float y) {
        PyxEntityGameObject* object = level_->AddObjectAt(x, y, className, typeName, true);
        T* cast = dynamic_cast<T*>(object);
        EXPECT_NE(cast, nullptr) << className << " " << typeName;
        return cast;
    }

    // Board point of a cell's centre.
    static float Centre(std::int32_t cell) { return float(cell * kCell + kCell / 2); }

    static constexpr std::uint16_t kBlack = 0;

    RecordingSound recorder_;
    std::unique_ptr<PyxLevel> level_;
    RecordingEvents events_;
};

} // namespace objecttest
