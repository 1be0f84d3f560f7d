// The surface table: surfaces made from images of every depth, and the table
// and dirty list shared with the loading thread.

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>

#include "engine/screen/ScreenTestSupport.h"

namespace {

using screentest::Rgb;

class ScreenSurfaces : public screentest::ScreenTest {
protected:
    const QxSurface* Make(const QxImage& image, uint32_t flags = 0) {
        QxSurfaceHandle h = 0;
        if (!screen.CreateSurface(image, &h, flags)) {
            return nullptr;
        }
        return screen.GetSurface(h).get();
    }
};

TEST_F(ScreenSurfaces, AHeldRecordOutlivesFreeing) {
    const std::vector<uint16_t> px{1, 2, 3, 4, 5, 6};
    const auto h = AddSurface(3, 2, px);
    // A drawer that holds the record keeps the whole picture while another thread
    // frees the surface.
    const std::shared_ptr<const QxSurface> held = screen.GetSurface(h);
    ASSERT_TRUE(screen.FreeSurface(h));
    EXPECT_EQ(screen.GetSurface(h), nullptr);
    QxSurfaceDesc desc{};
    std::string name;
    EXPECT_FALSE(screen.SetSurfaceOrigin(h, QxPoint{1, 1}) || screen.GetSurfaceName(h, &name) ||
                 screen.LockSurface(h, &desc) || screen.UnlockSurface(h));
    EXPECT_EQ(held->width, 3);
    EXPECT_EQ(held->pixels, px);
}

TEST_F(ScreenSurfaces, PixelsOfEveryDepthBecomeFiveBitChannels) {
    const struct {
        int bits;
        std::vector<uint8_t> bytes;
        std::vector<uint16_t> want;
    } cases[] = {
        {8, {0, 1, 2}, {0, Rgb(31, 0, 0), Rgb(1, 25, 0)}},
        {15, {0x34, 0x12, 0x34, 0x92, 0xFF, 0x7F}, {0x1234, 0x1234, 0x7FFF}},
        {16, {0x00, 0xF8, 0xE0, 0x07, 0x20, 0x00, 0x40, 0x00}, {0x7C00, 0x03E0, 0x0000, 0x0020}},
        {24, {0x10, 0x20, 0xF0, 0xFF, 0xFF, 0xFF}, {Rgb(30, 4, 2), 0x7FFF}},
        {32, {0x10, 0x20, 0xF0, 0x99, 0x00, 0x00, 0x00, 0xFF}, {Rgb(30, 4, 2), 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bits);
        // Two rows of the same pixels, so that every row is converted.
        QxImage img;
        img.Create(int(c.want.size()), 2, c.bits);
        if (img.HasPalette()) {
            img.palette[1] = QxColour(255, 0, 0);
            img.palette[2] = QxColour(12, 200, 7);
        }
        img.pixels = c.bytes;
        img.pixels.insert(img.pixels.end(), c.bytes.begin(), c.bytes.end());
        const QxSurface* s = Make(img);
        ASSERT_NE(s, nullptr);
        std::vector<uint16_t> want = c.want;
        want.insert(want.end(), c.want.begin(), c.want.end());
        EXPECT_EQ(s->pixels, want);
    }
}

// A dark grey between two steps of five bits: plain it rounds down everywhere, dithered
// some pixels carry the lost bits up a step.
TEST_F(ScreenSurfaces, DitheringSpreadsWhatFiveBitsLose) {
    QxImage img;
    img.Create(8, 4, 8);
    img.palette[0] = QxColour(4, 4, 4);
    const QxSurface* plain = Make(img);
    const QxSurface* dithered = Make(img, QxScreen2D::kCreateDithered);
    ASSERT_TRUE(plain && dithered);
    EXPECT_EQ(plain->pixels, std::vector<uint16_t>(32, 0));
    const auto steps = std::count(dithered->pixels.begin(), dithered->pixels.end(), Rgb(1, 1, 1));
    EXPECT_EQ(steps + std::count(dithered->pixels.begin(), dithered->pixels.end(), 0), 32);
    EXPECT_GT(steps, 4);
    EXPECT_LT(steps, 28);
}

// Halving keeps the top-left quarter and forgets the name and origin; a locked surface
// is left alone.
TEST_F(ScreenSurfaces, HalvingKeepsTheTopLeftQuarterUnlessLocked) {
    const auto h = AddSurface(4, 2, {1, 2, 3, 4, 5, 6, 7, 8});
    ASSERT_TRUE(screen.SetSurfaceOrigin(h, QxPoint{3, 4}));
    QxSurfaceDesc desc{};
    ASSERT_TRUE(screen.LockSurface(h, &desc));
    EXPECT_FALSE(screen.HalveSurface(h));
    ASSERT_TRUE(screen.UnlockSurface(h));
    ASSERT_TRUE(screen.HalveSurface(h));
    const auto halved = screen.GetSurface(h);
    ASSERT_NE(halved, nullptr);
    EXPECT_EQ(halved->pixels, (std::vector<uint16_t>{1, 2}));
    EXPECT_EQ(halved->originX + halved->originY, 0);
    std::string name = "old";
    EXPECT_TRUE(screen.GetSurfaceName(h, &name));
    EXPECT_EQ(name, "");
}

TEST_F(ScreenSurfaces, BadImagesAreRefused) {
    QxImage img;
    EXPECT_EQ(Make(img), nullptr);
    img.Create(1, 1, 8);
    img.palette.clear();
    EXPECT_EQ(Make(img), nullptr);
    img.Create(4, 4, 24);
    img.pixels.resize(10);
    EXPECT_EQ(Make(img), nullptr);
    img.Create(4, 4, 24);
    img.bitsPerPixel = 12;
    EXPECT_EQ(Make(img), nullptr);
    img.Create(1, 1, 24);
    EXPECT_FALSE(screen.CreateSurface(img, nullptr, 0));
    QxSurfaceHandle h = 0;
    EXPECT_FALSE(screen.AdoptSurface(nullptr, &h));
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
