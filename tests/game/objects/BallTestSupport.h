#pragma once

#include <cstdint>
#include <cstring>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "app/QxGlobals.h"
#include "app/QxMouseState.h"
#include "engine/files/QxFile.h"
#include "engine/sound/QxWin32SoundManager.h"
#include "game/field/PyxEntityTileBase.h"
#include "game/objects/ObjectTestSupport.h"
#include "game/objects/PyxEntityAnimAward.h"
#include "game/objects/PyxEntityAnimPost.h"
#include "game/objects/PyxEntityBasicPost.h"
#include "game/objects/PyxEntityCharacterBall.h"
#include "game/objects/PyxEntityRenderedBall.h"
#include "support/TestFiles.h"
#include "support/TestPrototype.h"

namespace balltest {

// The sounds of the tests, each a WAV file of a length of its own, so that what was
// played can be told by name.
inline const char* const kSounds[] = {"roll", "wall", "gear", "ball", "turn", "coins", "hum"};
inline std::string SoundWav(std::size_t i) {
    return testsupport::PcmWav(std::uint32_t(100 + 2 * i));
}

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

    std::map<uint32_t, std::string> names;
    std::map<uint32_t, std::string> instances;
    // What started, in order: the sound's name, with " (loop)" for loops.
    std::vector<std::string> played;
    std::vector<float> volumes;
};

// A round picture: colour inside the circle that fills the square, 0 outside.
inline QxImage Disc(int size, std::uint16_t colour) {
    QxImage image;
    image.Create(size, size, 15);
    const float r = size / 2.0f;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float dx = x + 0.5f - r;
            const float dy = y + 0.5f - r;
            const std::uint16_t value = dx * dx + dy * dy < r * r ? colour : 0;
            std::memcpy(image.Row(y) + 2 * x, &value, 2);
        }
    }
    return image;
}

constexpr std::uint16_t Rgb(int r, int g, int b) {
    return std::uint16_t(((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3));
}

// Never blocks; notes in `order` the order in which balls ask it.
class ProbeType : public PyxEntityGameObjectType {
public:
    using PyxEntityGameObjectType::PyxEntityGameObjectType;
    std::unique_ptr<QxEntityBase> CreateEntity() override;
};

class Probe : public PyxEntityGameObject {
public:
    explicit Probe(ProbeType* type) : PyxEntityGameObject(type) {}
    bool Blocks(const PyxEntityGameObjectType*) override {
        if (order)
            order->push_back(this);
        return false;
    }

    std::vector<const Probe*>* order = nullptr;
};

inline std::unique_ptr<QxEntityBase> ProbeType::CreateEntity() {
    return std::make_unique<Probe>(this);
}

inline const testsupport::TestPrototype<ProbeType> kProbePrototype;
inline const testsupport::TestPrototype<PyxEntityTileBaseType> kTilePrototype;

// The board objects on a board of the test's own size, with the sounds they start
// told by name and rules that let balls bounce off each other.
class BoardTest : public objecttest::ObjectFixture {
protected:
    void SetUp() override {
        ObjectFixture::SetUp();
        screen_.SetManualDirty(false);
        sound_.InitSound(8);
        g_soundManager = &sound_;
        events_.bounceBalls = true;
        Registry().Register(&kProbePrototype, "Probe");
        Registry().Register(&kTilePrototype, "Tile");
        Define("class Tile\ntype floor\n");
        for (std::size_t i = 0; i < std::size(kSounds); ++i)
            WriteFile(std::string("sfx/") + kSounds[i] + ".wav", SoundWav(i));
    }

    // A grid of floor tiles, cells of 56 pixels, no border.
    void Board(std::int32_t columns, std::int32_t rows, std::int32_t border = 0) {
        level_ = std::make_unique<PyxLevel>();
        events_.level = level_.get();
        level_->SetupGrid(columns, rows, kCell, kCell, border, border);
        for (std::int32_t i = 0; i < level_->CellCount(); ++i) {
            std::unique_ptr<QxEntityBase> entity = Registry().Create("Tile", "floor", kKindAny);
            std::unique_ptr<PyxEntityTileBase> tile(
                static_cast<PyxEntityTileBase*>(entity.release()));
            tile->SetCellIndex(i);
            tile->SetLevel(level_.get());
            tile->SetPosition((i % columns) * kCell, (i / columns) * kCell);
            level_->SetTile(std::move(tile));
        }
    }

    // A new object of the class and type at (x, y), active and listed by the tile under
    // it; the level keeps it.
    template <typename T = PyxEntityGameObject>
    T* Place(const std::string& className, const std::string& typeName, float x, float y) {
        PyxEntityGameObject* object = level_->AddObjectAt(x, y, className, typeName, true);
        EXPECT_NE(object, nullptr) << className << " " << typeName;
        return dynamic_cast<T*>(object);
    }

    // A rolling ball of the type at (x, y) heading (dx, dy) at speed (also its target).
    template <typename T = PyxEntityBallBase>
    T* Roll(const std::string& className, const std::string& typeName, float x, float y, float dx,
            float dy, float speed) {
        T* ball = Place<T>(className, typeName, x, y);
        if (!ball)
            return nullptr;
        ball->SetDirection({dx, dy});
        ball->SetSpeed(speed);
        ball->SetTargetSpeed(speed);
        ball->Start();
        return ball;
    }

    QxWin32Screen2D& screen_ = Screen();
    RecordingSound sound_;
};

} // namespace balltest
