// Tiles: the record of a tile, kind bits, and the sink: hand-over to the rules,
// animation and the shared sound loop.
#include <gtest/gtest.h>

#include "game/field/FieldTestSupport.h"
#include "engine/files/QxBitmapFile.h"
#include "engine/files/QxImage.h"
#include "engine/files/QxImageListFile.h"
#include "engine/files/QxResourceCache.h"
#include "engine/gui/QxEntity2DGUISprite.h"
#include "engine/screen/QxPng.h"
#include "engine/screen/QxWin32Screen2D.h"
#include "engine/sound/QxWin32SoundManager.h"
#include "game/field/PyxEntityBitmapTile.h"
#include "game/field/PyxEntitySinkTile.h"
#include "game/field/PyxLevelText.h"
#include "engine/files/MediaTestSupport.h"

namespace fieldtest {
namespace {

const PyxEntitySinkTilePrototype kSinkPrototype;
const PyxEntityBitmapTilePrototype kBitmapPrototype;
const QxEntity2DGUISpritePrototype kSpritePrototype;

class TileTest : public FieldTest {
protected:
    void SetUp() override {
        FieldTest::SetUp();
        registry_.Register(&kSinkPrototype, "PyxSinkTile");
        registry_.Register(&kBitmapPrototype, "PyxBitmapTile");
        registry_.Register(&kSpritePrototype, "sprite");
        Define("class sprite\ntype grass\nimage grass.bmp\n");
        Define("class PyxBitmapTile\ntype lawn\nImageEntType grass\n");
        Define("class PyxBitmapTile\ntype bare\nImageEntType nothing\n");
        Define("class PyxSinkTile\ntype exit\nImage sink.ims\nSound gurgle.wav\nFrameRate 20\n");
        Define("class PyxSinkTile\ntype hole\nIsTrap 1\n");
        level_.SetupGrid(3, 3, 56, 56, 0, 0);
        events_.level = &level_;
    }
    void TearDown() override {
        // The sinks go while the media services are still there.
        ownedLevel_.reset();
        g_resourceCache = nullptr;
        g_screen = nullptr;
        g_soundManager = nullptr;
        FieldTest::TearDown();
    }

    // A screen, a sound manager and a cache, with a four-frame list and a sound.
    void Media() {
        QxDisplayMode mode;
        mode.width = 64;
        mode.height = 64;
        mode.format.bitsPerPixel = 16;
        ASSERT_TRUE(screen_.CreateScreen(&mode, "tile test"));
        ASSERT_EQ(sound_.InitSound(0), 1);
        g_screen = &screen_;
        g_soundManager = &sound_;
        g_resourceCache = &cache_;
        std::vector<QxImage> frames(4);
        for (QxImage& frame : frames) {
            frame.Create(8, 8, 16);
            frame.name = "f";
        }
        QxBuffer list;
        ASSERT_TRUE(QxImageListFile::Write(list, frames));
        WriteBytes("sink.ims", WrittenBytes(list));
        mediatest::WavShape wav;
        wav.samples = mediatest::Ramp(400);
        WriteBytes("gurgle.wav", mediatest::MakeWav(wav));
        QxImage grass;
        grass.Create(4, 4, 24);
        std::fill(grass.pixels.begin(), grass.pixels.end(), 0xFF);
        QxBuffer bitmap;
        ASSERT_TRUE(QxBitmapFile::Write(bitmap, grass));
        WriteBytes("grass.bmp", WrittenBytes(bitmap));
    }

    // The back buffer pixel at (x, y).
    std::uint16_t Pixel(int x, int y) {
        QxSurfaceDesc desc;
        EXPECT_TRUE(screen_.LockBackBuffer(&desc));
        const auto* row = reinterpret_cast<const std::uint16_t*>(desc.pixels + y * desc.pitch);
        const std::uint16_t value = row[x];
        screen_.UnlockBackBuffer();
        return value;
    }

    void WriteBytes(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        std::ofstream out(DataFile(name), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }

    PyxEntitySinkTile* Sink(std::int32_t index, const std::string& type = "exit") {
        std::unique_ptr<QxEntityBase> entity = registry_.Create("PyxSinkTile", type, kKindAny);
        auto* sink = static_cast<PyxEntitySinkTile*>(entity.release());
        sink->SetCellIndex(index);
        level_.SetTile(std::unique_ptr<PyxEntityTileBase>(sink));
        return sink;
    }

    std::unique_ptr<TestObject> Make(const std::string& type) {
        std::unique_ptr<QxEntityBase> entity = registry_.Create("TestObject", type, kKindAny);
        return std::unique_ptr<TestObject>(static_cast<TestObject*>(entity.release()));
    }

    std::unique_ptr<PyxLevel> ownedLevel_ = std::make_unique<PyxLevel>();
    PyxLevel& level_ = *ownedLevel_;
    QxWin32Screen2D screen_;
    QxWin32SoundManager sound_;
    QxResourceCache cache_;
};

TEST_F(TileTest, RecordHoldsTheSoundLevelsFromVersionSixOn) {
    PyxEntityTileBase* tile = PutTile(level_, 4, "floor");
    tile->SetSoundLevels(0.25f, 0.5f);
    PyxLevelHeader five;
    five.version = 5;
    QxBuffer out;
    EXPECT_EQ(tile->SaveToLevel(out, &five), 12u);
    EXPECT_EQ(tile->SaveToLevel(out, nullptr), 20u);
    LevelBytes expected;
    expected.Int(56).Int(56).Int(4);
    expected.Int(56).Int(56).Int(4).Float(0.25f).Float(0.5f).EndBlockWithLength(0);
    EXPECT_EQ(WrittenBytes(out),
              std::vector<std::uint8_t>(expected.Bytes().begin() + 4, expected.Bytes().end()));

    PyxEntityTileBase* copy = PutTile(level_, 0, "floor");
    out.Seek(QxFile::kSeekStart, 0);
    EXPECT_TRUE(copy->LoadFromLevel(out, &five));
    EXPECT_EQ(copy->CellIndex(), 4);
    EXPECT_EQ(copy->Right(), 112);
    EXPECT_FLOAT_EQ(copy->PostSoundLevel(), 0.0f);
    PyxLevelHeader six;
    EXPECT_TRUE(copy->LoadFromLevel(out, &six));
    EXPECT_FLOAT_EQ(copy->SinkSoundLevel(), 0.5f);
}

TEST_F(TileTest, SinkKindBitsAndFrameRate) {
    EXPECT_EQ(Sink(0, "exit")->KindBits(), kTileSink);
    EXPECT_EQ(Sink(1, "hole")->KindBits(), kTileSink | kTileTrap);
    EXPECT_FLOAT_EQ(Sink(2, "hole")->SinkType()->FrameRate(), 30.0f);
    EXPECT_TRUE(Sink(3, "hole")->SinkType()->IsTrap());
}

TEST_F(TileTest, SinkHandsBallsToTheRulesAndListsNothing) {
    PyxEntitySinkTile* sink = Sink(4);
    auto ball = Make("ball");
    auto post = Make("post");
    sink->AddObject(ball.get());
    sink->AddObject(post.get());
    EXPECT_EQ(sink->ObjectCount(), 0u);
    EXPECT_EQ(ball->Cell(), 4);
    EXPECT_EQ(post->Cell(), 4);
    ASSERT_EQ(events_.sinks.size(), 1u);
    EXPECT_EQ(events_.sinks[0].ball, ball.get());
    EXPECT_EQ(events_.sinks[0].tile, sink);

    // Without rules nothing is handed over, and nothing breaks.
    SetGameEvents(nullptr);
    sink->AddObject(ball.get());
    EXPECT_EQ(events_.sinks.size(), 1u);
}

TEST_F(TileTest, BallSpawnedOnASinkGoesStraightToTheRules) {
    Floor(level_);
    PyxEntitySinkTile* sink = Sink(8, "hole");
    PyxEntityGameObject* ball =
        level_.SpawnBall(0, 2, 2, 1.0f, 0.0f, 1.0f, "TestObject", "ball", true);
    ASSERT_NE(ball, nullptr);
    ASSERT_EQ(events_.sinks.size(), 1u);
    EXPECT_EQ(events_.sinks[0].ball, ball);
    EXPECT_EQ(events_.sinks[0].tile, sink);
    EXPECT_EQ(sink->KindBits() & kTileTrap, kTileTrap);
}

TEST_F(TileTest, SinkAnimationWrapsPastTheLastFrame) {
    Media();
    PyxEntitySinkTile* sink = Sink(0);
    sink->Update(0.0f); // loads the type
    ASSERT_EQ(sink->SinkType()->FrameCount(), 4);
    sink->Update(150.0f); // 20 frames a second: 3 frames
    EXPECT_FLOAT_EQ(sink->FramePosition(), 3.0f);
    sink->Update(45.0f);
    EXPECT_FLOAT_EQ(sink->FramePosition(), 3.9f);
    sink->Update(10.0f); // 4.1: the integer part modulo 4
    EXPECT_FLOAT_EQ(sink->FramePosition(), 0.0f);
    sink->Update(275.0f); // 5.5 -> 1
    EXPECT_FLOAT_EQ(sink->FramePosition(), 1.0f);
    EXPECT_TRUE(sink->Draw());
}

TEST_F(TileTest, SinkWithoutImagesStaysStill) {
    PyxEntitySinkTile* sink = Sink(0, "hole");
    sink->Update(1000.0f);
    EXPECT_FLOAT_EQ(sink->FramePosition(), 0.0f);
    EXPECT_TRUE(sink->Draw());
}

TEST_F(TileTest, SharedLoopMovesOnlyWhenTheRulesAskAndOncePerRequest) {
    Media();
    PyxEntitySinkTile* first = Sink(0);
    PyxEntitySinkTile* second = Sink(1);
    PyxAmbientLoop& loop = first->SinkType()->Loop();
    first->Update(0.0f);
    EXPECT_FALSE(loop.HasInstance()); // not asked
    EXPECT_FLOAT_EQ(loop.Volume(), 0.1f);

    events_.sinkLevel = 0.8f;
    events_.sinkRequest = true;
    first->Update(16.0f);
    second->Update(16.0f); // the request was taken by the first
    EXPECT_FALSE(events_.sinkRequest);
    EXPECT_TRUE(loop.HasInstance());
    EXPECT_TRUE(loop.IsPlaying());
    EXPECT_FLOAT_EQ(loop.Volume(), 0.11f);

    for (int frame = 0; frame < 40; ++frame) {
        events_.sinkRequest = true;
        second->Update(16.0f);
    }
    EXPECT_FLOAT_EQ(loop.Volume(), 0.8f); // capped at the target

    events_.sinkLevel = 0.0f;
    for (int frame = 0; frame < 100; ++frame) {
        events_.sinkRequest = true;
        first->Update(16.0f);
    }
    EXPECT_FLOAT_EQ(loop.Volume(), 0.01f); // never below

    // Unloading the type stops the loop and starts the volume over.
    const std::uint32_t instance = loop.Instance();
    first->SinkType()->Unload();
    EXPECT_FALSE(sound_.IsInstancePlaying(instance));
    EXPECT_FALSE(loop.HasInstance());
    EXPECT_FLOAT_EQ(loop.Volume(), 0.1f);
}

TEST_F(TileTest, DestroyingASinkStopsTheSharedLoop) {
    Media();
    PyxEntitySinkTile* sink = Sink(0);
    PyxEntitySinkTileType* type = sink->SinkType();
    sink->Update(0.0f);
    events_.sinkLevel = 0.5f;
    events_.sinkRequest = true;
    sink->Update(16.0f);
    const std::uint32_t instance = type->Loop().Instance();
    ASSERT_TRUE(sound_.IsInstancePlaying(instance));
    level_.SetupGrid(3, 3, 56, 56, 0, 0); // drops the tiles
    EXPECT_FALSE(sound_.IsInstancePlaying(instance));
    EXPECT_FLOAT_EQ(type->Loop().Volume(), 0.1f);
}

TEST_F(TileTest, BitmapTilesOfOneTypeEachDrawTheSharedSpriteAtTheirCorner) {
    Media();
    level_.SetupGrid(3, 3, 20, 20, 0, 0);
    auto make = [&](std::int32_t index, const char* type) {
        std::unique_ptr<QxEntityBase> entity = registry_.Create("PyxBitmapTile", type, kKindAny);
        auto* tile = static_cast<PyxEntityBitmapTile*>(entity.release());
        tile->SetCellIndex(index);
        tile->SetLevel(&level_);
        tile->SetPosition((index % 3) * 20, (index / 3) * 20);
        level_.SetTile(std::unique_ptr<PyxEntityTileBase>(tile));
        return tile;
    };
    PyxEntityBitmapTile* first = make(0, "lawn");
    PyxEntityBitmapTile* second = make(4, "lawn");
    PyxEntityBitmapTile* bare = make(8, "bare");
    EXPECT_EQ(first->KindBits(), kTileFloor);
    screen_.MarkDirty(QxRect{0, 64, 0, 64}, true);
    first->Draw();
    second->Draw();
    EXPECT_TRUE(bare->Draw()); // its sprite type is missing: nothing drawn
    EXPECT_EQ(first->BitmapType()->Sprite(), second->BitmapType()->Sprite());
    ASSERT_NE(first->BitmapType()->Sprite(), nullptr);
    EXPECT_EQ(bare->BitmapType()->Sprite(), nullptr);
    EXPECT_NE(Pixel(0, 0), 0);
    EXPECT_NE(Pixel(23, 23), 0);
    EXPECT_EQ(Pixel(24, 24), 0);
    EXPECT_EQ(Pixel(10, 10), 0);
    EXPECT_EQ(Pixel(40, 40), 0);

    first->BitmapType()->Unload();
    EXPECT_EQ(first->BitmapType()->Sprite(), nullptr);
}

// A small board drawn through the headless screen and written as "board.png" in the
// test folder for a person to look at: floor tiles, an exit and a trap, and the
// drawn rectangles of a few objects (filled, as their classes draw nothing here).
TEST_F(TileTest, BoardRender) {
    QxDisplayMode mode;
    mode.width = 6 * 56 + 32;
    mode.height = 4 * 56 + 32;
    mode.format.bitsPerPixel = 16;
    ASSERT_TRUE(screen_.CreateScreen(&mode, "board"));
    g_screen = &screen_;
    g_resourceCache = &cache_;

    // Floor: a bevelled stone square. Sinks: four frames of a swirl, keyed corners.
    QxImage stone;
    stone.Create(56, 56, 24);
    for (int y = 0; y < 56; ++y) {
        for (int x = 0; x < 56; ++x) {
            std::uint8_t* p = stone.Row(y) + 3 * x;
            const int edge = std::min(std::min(x, y), std::min(55 - x, 55 - y));
            const int shade = edge < 3 ? (x < y ? 70 : 150) : 110 + ((x * 7 + y * 3) % 9);
            p[0] = std::uint8_t(shade * 0.8);
            p[1] = std::uint8_t(shade * 0.95);
            p[2] = std::uint8_t(shade);
        }
    }
    QxBuffer stoneFile;
    ASSERT_TRUE(QxBitmapFile::Write(stoneFile, stone));
    WriteBytes("stone.bmp", WrittenBytes(stoneFile));
    auto swirl = [](int frame, bool trap) {
        QxImage image;
        image.Create(56, 56, 16);
        for (int y = 0; y < 56; ++y) {
            for (int x = 0; x < 56; ++x) {
                const double dx = x + 0.5 - 28;
                const double dy = y + 0.5 - 28;
                const double r = std::sqrt(dx * dx + dy * dy);
                if (r > 26)
                    continue;
                const double angle = std::atan2(dy, dx) + frame * 0.8 + r * 0.25;
                const int v = int(12 + 10 * (0.5 + 0.5 * std::sin(3 * angle)) * (1 - r / 30));
                const std::uint16_t pixel = trap ? std::uint16_t((v + 6) << 10 | (v / 3) << 5)
                                                 : std::uint16_t((v / 3) << 10 | v << 5 | (v + 4));
                std::memcpy(image.Row(y) + 2 * x, &pixel, 2);
            }
        }
        image.name = "f";
        return image;
    };
    std::vector<QxImage> exitFrames;
    std::vector<QxImage> trapFrames;
    for (int frame = 0; frame < 4; ++frame) {
        exitFrames.push_back(swirl(frame, false));
        trapFrames.push_back(swirl(frame, true));
    }
    QxBuffer exitList;
    QxBuffer trapList;
    ASSERT_TRUE(QxImageListFile::Write(exitList, exitFrames));
    ASSERT_TRUE(QxImageListFile::Write(trapList, trapFrames));
    WriteBytes("exit.ims", WrittenBytes(exitList));
    WriteBytes("trap.ims", WrittenBytes(trapList));
    Define("class sprite\ntype stone\nimage stone.bmp\n");
    Define("class PyxBitmapTile\ntype stonefloor\nImageEntType stone\n");
    Define("class PyxSinkTile\ntype swirl\nImage exit.ims\n");
    Define("class PyxSinkTile\ntype pit\nImage trap.ims\nIsTrap 1\n");

    std::unique_ptr<PyxLevel> board = std::make_unique<PyxLevel>();
    events_.level = board.get();
    std::string error;
    ASSERT_TRUE(PyxLevelText::Read("Columns 6\nRows 4\nTileWidth 56\nTileHeight 56\n"
                                   "BorderX 16\nBorderY 16\n"
                                   "Tile . PyxBitmapTile stonefloor\n"
                                   "Tile E PyxSinkTile swirl\nTile T PyxSinkTile pit\n"
                                   "Grid\n......\n.E..T.\n......\n..-...\nEnd\n"
                                   "Object TestObject ball 28 28\n"
                                   "Object TestObject ball 196 140\n",
                                   *board, error))
        << error;
    board->ActivateObjects(false);
    board->Update(16.0f);
    board->Update(60.0f);

    screen_.MarkDirty(QxRect{0, mode.width, 0, mode.height}, true);
    board->Draw();
    for (const PyxLevelObjectRecord& record : board->Objects()) {
        record.entity->Update(0.0f);
        screen_.FillRect(record.entity->DrawnRect(), QxColour(40, 220, 255, 255));
    }
    const std::string path = root_ + "/board.png";
    QxSurfaceDesc desc;
    ASSERT_TRUE(screen_.LockBackBuffer(&desc));
    const bool saved = SavePng(path, reinterpret_cast<const std::uint16_t*>(desc.pixels),
                               desc.width, desc.height, desc.pitch);
    screen_.UnlockBackBuffer();
    ASSERT_TRUE(saved);

    // Landmarks: the border is empty, floor at (0, 0) starts at the border, the empty
    // cell stays black, the ball at (28, 28) is drawn centred on cell (0, 0).
    EXPECT_EQ(Pixel(8, 8), 0);
    EXPECT_NE(Pixel(16 + 20, 16 + 50), 0);
    EXPECT_EQ(Pixel(16 + 2 * 56 + 28, 16 + 3 * 56 + 28), 0);
    EXPECT_NE(Pixel(16 + 56 + 28, 16 + 56 + 28), 0);             // exit centre
    EXPECT_EQ(Pixel(16 + 28, 16 + 28), Pixel(16 + 20, 16 + 20)); // inside the ball's rect
    board.reset();
}

} // namespace
} // namespace fieldtest
