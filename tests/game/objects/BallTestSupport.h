#pragma once

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "app/QxGlobals.h"
#include "app/QxMouseState.h"
#include "app/QxWin32SettingsManager.h"
#include "engine/entity/QxDefinition.h"
#include "engine/entity/QxEntityRegistry.h"
#include "engine/files/QxBitmapFile.h"
#include "engine/files/QxBuffer.h"
#include "engine/files/QxFileManager.h"
#include "engine/files/QxFileSystem.h"
#include "engine/files/QxImage.h"
#include "engine/files/QxImageListFile.h"
#include "engine/files/QxResourceCache.h"
#include "engine/gui/QxEntity2DGUISprite.h"
#include "engine/screen/QxWin32Screen2D.h"
#include "engine/sound/QxSoundManager.h"
#include "game/field/PyxEntityTileBase.h"
#include "game/field/PyxLevel.h"
#include "game/objects/PyxEntityAnimAward.h"
#include "game/objects/PyxEntityAnimPost.h"
#include "game/objects/PyxEntityAnimSpriteBall.h"
#include "game/objects/PyxEntityBasicPost.h"
#include "game/objects/PyxEntityCharacterBall.h"
#include "game/objects/PyxEntityFloatingScore.h"
#include "game/objects/PyxEntityPickupBall.h"
#include "game/objects/PyxEntityRenderedBall.h"
#include "game/objects/PyxEntitySpriteBall.h"
#include "support/RecordingEvents.h"
#include "support/ServiceFixture.h"
#include "support/TestPrototype.h"

namespace balltest {

// Every sound file of the tests holds its own name; the manager reads it back so that
// what was played can be told by name.
class RecordingSound : public QxSoundManager {
public:
    struct Instance {
        std::string sound;
        bool loop = false;
        bool playing = false;
        float volume = 1.0f;
    };

    int InitSound(int) override { return 1; }
    int UpdateSounds(float) override { return 1; }
    int LoadSound(QxFile* file, uint32_t* handle) override {
        std::string name(file->GetSize(), '\0');
        if (!name.empty())
            file->ReadBytes(std::uint32_t(name.size()), name.data());
        *handle = m_nextSound++;
        names[*handle] = name;
        return 1;
    }
    int FreeSound(uint32_t handle) override {
        names.erase(handle);
        return 1;
    }
    int PlaySound(uint32_t handle, uint32_t* instance, bool loop) override {
        if (!names.count(handle))
            return 0;
        *instance = m_nextInstance++;
        instances[*instance] = {names[handle], loop, false, 1.0f};
        return 1;
    }
    int SetInstanceVolume(uint32_t instance, float volume) override {
        if (instances.count(instance))
            instances[instance].volume = volume;
        volumes.push_back(volume);
        return 1;
    }
    int SetInstancePan(uint32_t, float) override { return 1; }
    int SetInstanceRate(uint32_t, float) override { return 1; }
    int StopInstance(uint32_t instance) override {
        instances.erase(instance);
        return 1;
    }
    int StopAll() override {
        instances.clear();
        return 1;
    }
    int ResumeInstance(uint32_t instance) override {
        if (!instances.count(instance))
            return 1;
        instances[instance].playing = true;
        played.push_back(instances[instance].sound + (instances[instance].loop ? " (loop)" : ""));
        return 1;
    }
    int PauseInstance(uint32_t) override { return 1; }
    int FadeInInstance(uint32_t, float) override { return 1; }
    int FadeOutInstance(uint32_t, float) override { return 1; }
    int FadeOutAll(float) override { return 1; }
    bool IsInstancePlaying(uint32_t instance) override {
        return instances.count(instance) && instances[instance].playing;
    }

    std::string Last() const { return played.empty() ? std::string() : played.back(); }

    // The instances playing the sound now.
    int Playing(const std::string& sound) const {
        int count = 0;
        for (const auto& [id, instance] : instances)
            count += instance.sound == sound && instance.playing ? 1 : 0;
        return count;
    }

    std::map<uint32_t, std::string> names;
    std::map<uint32_t, Instance> instances;
    // What started, in order: the sound's name, with " (loop)" for loops.
    std::vector<std::string> played;
    std::vector<float> volumes;

private:
    uint32_t m_nextSound = 100;
    uint32_t m_nextInstance = 500;
};

class MemoryFiles : public QxFileManager {
public:
    void Add(const std::string& name, std::vector<std::uint8_t> bytes) {
        m_files[name] = std::move(bytes);
    }
    QxFile* Open(const std::string& name, int32_t) override {
        auto it = m_files.find(name);
        if (it == m_files.end())
            return nullptr;
        auto buffer = std::make_unique<QxBuffer>();
        buffer->Allocate(std::uint32_t(it->second.size()), 0);
        if (!it->second.empty())
            std::memcpy(buffer->GetData(), it->second.data(), it->second.size());
        m_open.push_back(std::move(buffer));
        return m_open.back().get();
    }
    int32_t Close(QxFile* file) override {
        for (auto it = m_open.begin(); it != m_open.end(); ++it) {
            if (it->get() == file) {
                m_open.erase(it);
                return kClosed;
            }
        }
        return kNotMine;
    }
    int32_t ListFiles(const std::string& pattern, const std::string& prefix, bool,
                      std::vector<std::string>& list) override {
        if (m_files.count(pattern))
            list.push_back(prefix + pattern);
        return 0;
    }

private:
    std::map<std::string, std::vector<std::uint8_t>> m_files;
    std::vector<std::unique_ptr<QxBuffer>> m_open;
};

template <typename Write> std::vector<std::uint8_t> FileBytes(Write write) {
    QxBuffer buffer;
    buffer.Allocate(0, 0);
    EXPECT_TRUE(write(buffer));
    const std::uint8_t* data = buffer.GetData();
    return std::vector<std::uint8_t>(data, data + buffer.Tell());
}

// A 15-bit picture of one colour (RGB555), with a transparent (0) border of the given
// width when asked.
inline QxImage Picture(int width, int height, std::uint16_t colour, int border = 0) {
    QxImage image;
    image.Create(width, height, 15);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool edge =
                x < border || y < border || x >= width - border || y >= height - border;
            const std::uint16_t value = edge ? 0 : colour;
            std::memcpy(image.Row(y) + 2 * x, &value, 2);
        }
    }
    return image;
}

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

inline QxImage TrueColour(const QxImage& picture) {
    QxImage image;
    image.Create(picture.width, picture.height, 24);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            std::uint16_t p = 0;
            std::memcpy(&p, picture.Row(y) + 2 * x, 2);
            std::uint8_t* out = image.Row(y) + 3 * x;
            out[0] = std::uint8_t((p & 31) << 3);
            out[1] = std::uint8_t(((p >> 5) & 31) << 3);
            out[2] = std::uint8_t(((p >> 10) & 31) << 3);
        }
    }
    return image;
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

template <typename Type> using Prototype = testsupport::TestPrototype<Type>;

inline const Prototype<ProbeType> kProbePrototype;
inline const Prototype<PyxEntityTileBaseType> kTilePrototype;

using testsupport::RecordingEvents;

class BoardTest : public testsupport::ServiceFixture {
protected:
    static constexpr int kCell = 56;

    BoardTest() : ServiceFixture("objects", {false, true, false, true, false}) {}

    void SetUp() override {
        ServiceFixture::SetUp();
        screen_.SetManualDirty(false);
        g_soundManager = &sound_;
        auto files = std::make_unique<MemoryFiles>();
        files_ = files.get();
        Files().AddManager(std::move(files), "");
        registry_->Register(&kProbePrototype, "Probe");
        registry_->Register(&kTilePrototype, "Tile");
        registry_->Register(&sprites_, "sprite");
        registry_->Register(&basicPosts_, "PyxBasicPost");
        registry_->Register(&animPosts_, "PyxAnimPost");
        registry_->Register(&spriteBalls_, "PyxSpriteBall");
        registry_->Register(&animBalls_, "PyxAnimSpriteBall");
        registry_->Register(&renderedBalls_, "PyxRenderedBall");
        registry_->Register(&pickupBalls_, "PyxPickupBall");
        registry_->Register(&characterBalls_, "PyxCharacterBall");
        registry_->Register(&awards_, "PyxAnimAward");
        registry_->Register(&scores_, "PyxFloatingScore");
        Define("class Tile\ntype floor\n");

        for (const char* name : {"roll", "wall", "gear", "ball", "turn", "coins", "pickup", "hum"})
            AddText(std::string("sfx/") + name + ".wav", name);

        level_ = std::make_unique<PyxLevel>();
        events_.level = level_.get();
        SetGameEvents(&events_);
    }

    void TearDown() override {
        level_.reset();
        SetGameEvents(nullptr);
        ServiceFixture::TearDown();
    }

    void AddText(const std::string& name, const std::string& text) {
        files_->Add(name, std::vector<std::uint8_t>(text.begin(), text.end()));
    }
    void AddBitmap(const std::string& name, const QxImage& picture) {
        const QxImage image = TrueColour(picture);
        files_->Add(name, FileBytes([&](QxBuffer& b) { return QxBitmapFile::Write(b, image); }));
    }
    void AddList(const std::string& name, const std::vector<QxImage>& frames) {
        files_->Add(name,
                    FileBytes([&](QxBuffer& b) { return QxImageListFile::Write(b, frames); }));
    }

    // A grid of floor tiles, cells of 56 pixels, no border.
    void Board(std::int32_t columns, std::int32_t rows, std::int32_t border = 0) {
        level_->SetupGrid(columns, rows, kCell, kCell, border, border);
        for (std::int32_t i = 0; i < level_->CellCount(); ++i) {
            std::unique_ptr<QxEntityBase> entity = registry_->Create("Tile", "floor", kKindAny);
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
    QxEntityRegistry* const registry_ = &Registry();
    RecordingSound sound_;
    MemoryFiles* files_ = nullptr;
    QxEntity2DGUISpritePrototype sprites_;
    PyxEntityBasicPostPrototype basicPosts_;
    PyxEntityAnimPostPrototype animPosts_;
    PyxEntitySpriteBallPrototype spriteBalls_;
    PyxEntityAnimSpriteBallPrototype animBalls_;
    PyxEntityRenderedBallPrototype renderedBalls_;
    PyxEntityPickupBallPrototype pickupBalls_;
    PyxEntityCharacterBallPrototype characterBalls_;
    PyxEntityAnimAwardPrototype awards_;
    PyxEntityFloatingScorePrototype scores_;
    RecordingEvents events_;
    std::unique_ptr<PyxLevel> level_;
};

} // namespace balltest
