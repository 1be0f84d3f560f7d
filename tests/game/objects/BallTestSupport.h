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

using objecttest::kSounds;
using objecttest::RecordingSound;
using objecttest::SoundWav;

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
    RecordingSound& sound_ = recorder_;
};

} // namespace balltest
