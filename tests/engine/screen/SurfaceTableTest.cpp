// The surface table, surface locks, halving, surfaces made from images of every depth,
// and the table and dirty list shared with the loading thread.

#include <atomic>
#include <thread>

#include "engine/screen/ScreenTestSupport.h"

namespace {

using screentest::Rgb;

class ScreenSurfaces : public screentest::ScreenTest {
protected:
    QxSurface* Make(const QxImage& image, uint32_t flags = 0) {
        QxSurfaceHandle h = 0;
        if (!screen.CreateSurface(image, &h, flags)) {
            return nullptr;
        }
        return screen.GetSurface(h).get();
    }
};

TEST_F(ScreenSurfaces, HandlesAreNeverReused) {
    const auto a = AddFilled(1, 1, 1);
    const auto b = AddFilled(1, 1, 2);
    EXPECT_NE(a, QxScreen2D::kNoSurface);
    EXPECT_GT(b, a);
    ASSERT_TRUE(screen.FreeSurface(a));
    EXPECT_FALSE(screen.IsSurfaceValid(a));
    EXPECT_FALSE(screen.FreeSurface(a));
    const auto c = AddFilled(1, 1, 3);
    EXPECT_NE(c, a);
    EXPECT_GT(c, b);
    ASSERT_TRUE(screen.FreeAllSurfaces());
    EXPECT_FALSE(screen.IsSurfaceValid(b));
    EXPECT_FALSE(screen.IsSurfaceValid(c));
    EXPECT_GT(AddFilled(1, 1, 4), c);
}

TEST_F(ScreenSurfaces, UnknownHandlesAreRefused) {
    const QxSurfaceHandle none = 77;
    QxSurfaceDesc d;
    std::string name;
    EXPECT_EQ(screen.GetSurface(none), nullptr);
    EXPECT_FALSE(screen.SetSurfaceOrigin(none, {1, 1}));
    EXPECT_FALSE(screen.GetSurfaceName(none, &name));
    EXPECT_FALSE(screen.LockSurface(none, &d));
    EXPECT_FALSE(screen.UnlockSurface(none));
    EXPECT_FALSE(screen.HalveSurface(none));
    EXPECT_FALSE(screen.DrawSurfaceBlended(none, 0, 0, 0, 0, -1, -1, 5, true));
    EXPECT_FALSE(screen.DrawSurfaceAdditive(none, 0, 0, 0, 0, -1, -1, 5));
    QxSurfaceHandle out = 0;
    EXPECT_FALSE(screen.AdoptSurface(nullptr, &out));
}

TEST_F(ScreenSurfaces, AdoptRefusesInconsistentRecords) {
    auto s = std::make_unique<QxSurface>();
    s->width = 3;
    s->height = 3;
    s->pixels.assign(4, 0);
    QxSurfaceHandle h = 0;
    EXPECT_FALSE(screen.AdoptSurface(std::move(s), &h));
}

TEST_F(ScreenSurfaces, LockCountsAndHalving) {
    std::vector<uint16_t> px(15);
    for (int i = 0; i < 15; ++i) {
        px[size_t(i)] = uint16_t(i);
    }
    const auto h = AddSurface(5, 3, px, 2, 2);
    QxSurfaceDesc d;
    EXPECT_FALSE(screen.LockSurface(h, nullptr));
    ASSERT_TRUE(screen.LockSurface(h, &d));
    EXPECT_EQ(d.bytesPerPixel, 2);
    EXPECT_EQ(d.width, 5);
    EXPECT_EQ(d.pitch, 10);
    EXPECT_EQ(screen.GetSurface(h)->lockCount, 1);
    EXPECT_FALSE(screen.HalveSurface(h));
    ASSERT_TRUE(screen.UnlockSurface(h));
    ASSERT_TRUE(screen.UnlockSurface(h));
    EXPECT_EQ(screen.GetSurface(h)->lockCount, 0);

    screen.GetSurface(h)->name = "Ball";
    // A drawer that holds the record keeps the whole picture while another thread
    // halves or frees the surface.
    const std::shared_ptr<const QxSurface> held = screen.GetSurface(h);
    ASSERT_TRUE(screen.HalveSurface(h));
    const std::shared_ptr<const QxSurface> half = screen.GetSurface(h);
    ASSERT_NE(half, nullptr);
    EXPECT_EQ(half->width, 2);
    EXPECT_EQ(half->height, 1);
    EXPECT_EQ(half->pixels, (std::vector<uint16_t>{0, 1}));
    EXPECT_EQ(half->name, "");
    EXPECT_EQ(half->originX, 0);
    ASSERT_TRUE(screen.FreeSurface(h));
    EXPECT_EQ(held->width, 5);
    EXPECT_EQ(held->pixels, px);
    EXPECT_EQ(held->name, "Ball");
}

TEST_F(ScreenSurfaces, OriginAndName) {
    QxImage img;
    img.Create(1, 1, 24);
    img.name = "Coin.bmp";
    QxSurfaceHandle h = 0;
    ASSERT_TRUE(screen.CreateSurface(img, &h, 0));
    std::string name;
    ASSERT_TRUE(screen.GetSurfaceName(h, &name));
    EXPECT_EQ(name, "Coin.bmp");
    ASSERT_TRUE(screen.SetSurfaceOrigin(h, {3, 4}));
    EXPECT_EQ(screen.GetSurface(h)->originY, 4);
}

TEST_F(ScreenSurfaces, EightBitThroughThePalette) {
    QxImage img;
    img.Create(3, 1, 8);
    img.palette[1] = QxColour(255, 0, 0);
    img.palette[2] = QxColour(12, 200, 7);
    img.pixels = {0, 1, 2};
    const QxSurface* s = Make(img);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->pixels, (std::vector<uint16_t>{0, Rgb(31, 0, 0), Rgb(1, 25, 0)}));
    img.palette.clear();
    EXPECT_EQ(Make(img), nullptr);
}

TEST_F(ScreenSurfaces, EightBitDitheredDiffusesTheError) {
    QxImage img;
    img.Create(3, 2, 8);
    img.palette[1] = QxColour(4, 4, 4);
    img.palette[2] = QxColour(255, 0, 12);
    img.pixels = {1, 1, 1, 1, 1, 1};
    const QxSurface* s = Make(img, QxScreen2D::kCreateDithered);
    ASSERT_NE(s, nullptr);
    // Row 0 errors: 4 -> right 2, down 2; 6 -> 3, 3; 7 -> 3, 4. Row 1 sums: 6, 10, 9.
    EXPECT_EQ(s->pixels, (std::vector<uint16_t>{0, 0, 0, 0, Rgb(1, 1, 1), Rgb(1, 1, 1)}));

    img.pixels = {2, 2, 2, 2, 2, 2};
    s = Make(img, QxScreen2D::kCreateDithered);
    ASSERT_NE(s, nullptr);
    // Red saturates at 255; blue 12 -> 1 (error 4), then 12 + 2 = 14 -> 1 (error 6),
    // 12 + 3 = 15 -> 1; row 1: 12 + 2 = 14 -> 1, 12 + 3 + 3 = 18 -> 2, 12 + 1 + 4 = 17 -> 2.
    EXPECT_EQ(s->pixels, (std::vector<uint16_t>{Rgb(31, 0, 1), Rgb(31, 0, 1), Rgb(31, 0, 1),
                                                Rgb(31, 0, 1), Rgb(31, 0, 2), Rgb(31, 0, 2)}));
}

TEST_F(ScreenSurfaces, FifteenAndSixteenBitWords) {
    QxImage img;
    img.Create(3, 1, 15);
    img.pixels = {0x34, 0x12, 0x34, 0x92, 0xFF, 0x7F};
    const QxSurface* s = Make(img);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->pixels, (std::vector<uint16_t>{0x1234, 0x1234, 0x7FFF}));

    img.Create(4, 1, 16);
    img.pixels = {0x00, 0xF8, 0xE0, 0x07, 0x20, 0x00, 0x40, 0x00};
    s = Make(img);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->pixels, (std::vector<uint16_t>{0x7C00, 0x03E0, 0x0000, 0x0020}));
}

TEST_F(ScreenSurfaces, TwentyFourAndThirtyTwoBitBytes) {
    QxImage img;
    img.Create(2, 1, 24);
    img.pixels = {0x10, 0x20, 0xF0, 0xFF, 0xFF, 0xFF};
    const QxSurface* s = Make(img);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->pixels, (std::vector<uint16_t>{Rgb(30, 4, 2), 0x7FFF}));

    img.Create(2, 1, 32);
    img.pixels = {0x10, 0x20, 0xF0, 0x99, 0x00, 0x00, 0x00, 0xFF};
    s = Make(img);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->pixels, (std::vector<uint16_t>{Rgb(30, 4, 2), 0}));
}

TEST_F(ScreenSurfaces, BadImagesAreRefused) {
    QxImage img;
    EXPECT_EQ(Make(img), nullptr);
    img.Create(4, 4, 24);
    img.pixels.resize(10);
    EXPECT_EQ(Make(img), nullptr);
    img.Create(4, 4, 24);
    img.bitsPerPixel = 12;
    EXPECT_EQ(Make(img), nullptr);
    img.Create(1, 1, 24);
    EXPECT_FALSE(screen.CreateSurface(img, nullptr, 0));
    // Only a 16-bit back buffer takes surfaces.
    QxWin32Screen2D deep;
    QxDisplayMode mode;
    mode.width = 4;
    mode.height = 4;
    mode.format.bitsPerPixel = 32;
    ASSERT_TRUE(deep.CreateScreen(&mode, "deep"));
    QxSurfaceHandle h = 0;
    EXPECT_FALSE(deep.CreateSurface(img, &h, 0));
    EXPECT_FALSE(deep.FillRect(QxRect{0, 1, 0, 1}, QxColour()));
}

// The loading thread frees surfaces and marks what it places while the main thread draws
// those surfaces and presents: neither sees the other's work half done. The thread
// sanitizer build is what catches a slip here.
using ScreenThreads = screentest::ScreenTest;

TEST_F(ScreenThreads, ALoaderFreesAndMarksWhileTheMainThreadDrawsAndPresents) {
    std::vector<QxSurfaceHandle> handles;
    for (int i = 0; i < 200; ++i) {
        handles.push_back(AddFilled(16, 16, Rgb(i % 32, 8, 8)));
    }
    std::atomic<bool> drawing{false};
    std::atomic<bool> loaded{false};
    std::thread loader([&] {
        while (!drawing) {
            std::this_thread::yield();
        }
        for (std::size_t i = 0; i < handles.size(); ++i) {
            screen.MarkDirty(QxRect{int(i % 48), int(i % 48) + 16, 0, 16}, false);
            screen.FreeSurface(handles[i]);
        }
        loaded = true;
    });
    drawing = true;
    while (!loaded) {
        for (const QxSurfaceHandle h : handles) {
            screen.DrawSurface(h, 0, 0, 0, 0, -1, -1, false);
        }
        for (const QxRect& r : screen.GetDirtyList()) {
            EXPECT_TRUE(r.left >= 0 && r.right <= kW && r.top >= 0 && r.bottom <= kH);
        }
        screen.Present();
    }
    loader.join();
    EXPECT_EQ(screen.SurfaceCount(), 0u);
}

} // namespace
