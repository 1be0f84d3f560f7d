// The window screen over the headless binding: creation, back-buffer locks,
// presentation of dirty rectangles, clearing, the cursor, full-screen toggling, and
// the PNG image of what is shown.

#include "engine/screen/ScreenTestSupport.h"
#include "engine/screen/QxPng.h"

namespace {

using screentest::Rgb;

// Passes everything on to a headless window and counts what reaches it.
class SpyWindow : public platform::ScreenWindow {
public:
    SpyWindow(std::unique_ptr<platform::ScreenWindow> inner, int* cursorCalls, int* shows)
        : m_inner(std::move(inner)), m_cursorCalls(cursorCalls), m_shows(shows) {}
    bool ShowImage(const uint16_t* p, int w, int h, int pitch) override {
        ++*m_shows;
        return m_inner->ShowImage(p, w, h, pitch);
    }
    void ShowCursor(bool show) override {
        ++*m_cursorCalls;
        m_inner->ShowCursor(show);
    }
    bool IsCursorVisible() const override { return m_inner->IsCursorVisible(); }
    void SetMousePosition(int x, int y) override { m_inner->SetMousePosition(x, y); }
    bool GetMousePosition(int* x, int* y) const override { return m_inner->GetMousePosition(x, y); }
    void Minimise(bool on) override { m_inner->Minimise(on); }
    bool IsMinimised() const override { return m_inner->IsMinimised(); }
    int ClientWidth() const override { return m_inner->ClientWidth(); }
    int ClientHeight() const override { return m_inner->ClientHeight(); }
    void SetClientSize(int w, int h) override { m_inner->SetClientSize(w, h); }
    bool CaptureClient(std::vector<uint16_t>* p) const override {
        return m_inner->CaptureClient(p);
    }
    void* Owner() const override { return m_inner->Owner(); }

private:
    std::unique_ptr<platform::ScreenWindow> m_inner;
    int* m_cursorCalls;
    int* m_shows;
};

class ScreenPresent : public ::testing::Test {
protected:
    ScreenPresent()
        : screen(
              [this](const platform::WindowOptions& o) -> std::unique_ptr<platform::ScreenWindow> {
                  lastOptions = o;
                  if (failWindows) {
                      return nullptr;
                  }
                  return std::make_unique<SpyWindow>(platform::CreateScreenWindow(o), &cursorCalls,
                                                     &shows);
              }) {}

    bool Create(int w, int h, bool fullScreen = false) {
        QxDisplayMode mode;
        mode.width = w;
        mode.height = h;
        mode.format.bitsPerPixel = 16;
        mode.fullScreen = fullScreen;
        return screen.CreateScreen(&mode, "Rondelix");
    }
    uint16_t& Back(int x, int y) {
        QxSurfaceDesc d;
        EXPECT_TRUE(screen.LockBackBuffer(&d));
        screen.UnlockBackBuffer();
        return reinterpret_cast<uint16_t*>(d.pixels + y * d.pitch)[x];
    }
    uint16_t Shown(int x, int y) const {
        return reinterpret_cast<const uint16_t*>(screen.PresentationPixels() +
                                                 y * screen.PresentationPitch())[x];
    }
    std::vector<uint16_t> Client() const {
        std::vector<uint16_t> out;
        EXPECT_TRUE(screen.Window()->CaptureClient(&out));
        return out;
    }

    platform::WindowOptions lastOptions;
    bool failWindows = false;
    int cursorCalls = 0;
    int shows = 0;
    QxWin32Screen2D screen;
};

TEST_F(ScreenPresent, CreateFillsTheFormatAndClears) {
    QxDisplayMode mode;
    mode.width = 64;
    mode.height = 48;
    mode.format.bitsPerPixel = 16;
    ASSERT_TRUE(screen.CreateScreen(&mode, "Rondelix"));
    EXPECT_EQ(mode.format, QxPixelFormat::Rgb555());
    EXPECT_EQ(mode.format.green.position, 5);
    EXPECT_EQ(mode.format.red.loss, 3);
    EXPECT_TRUE(screen.IsCreated());
    EXPECT_EQ(screen.Width(), 64);
    EXPECT_EQ(lastOptions.title, "Rondelix");
    EXPECT_EQ(lastOptions.owner, &screen);
    EXPECT_EQ(screen.Window()->Owner(), &screen);
    ASSERT_EQ(screen.GetDirtyList().size(), 1u);
    EXPECT_EQ(screen.GetDirtyList()[0], (QxRect{0, 64, 0, 48}));
    EXPECT_FALSE(screen.CreateScreen(nullptr, "x"));
}

TEST_F(ScreenPresent, PitchIsPaddedToFourBytes) {
    QxDisplayMode mode;
    mode.width = 3;
    mode.height = 2;
    mode.format.bitsPerPixel = 16;
    ASSERT_TRUE(screen.CreateScreen(&mode, "odd"));
    QxSurfaceDesc d;
    ASSERT_TRUE(screen.LockBackBuffer(&d));
    EXPECT_EQ(d.pitch, 8);
    EXPECT_EQ(d.bytesPerPixel, 2);
    screen.UnlockBackBuffer();
    mode.format.bitsPerPixel = 24;
    ASSERT_TRUE(screen.CreateScreen(&mode, "odd"));
    ASSERT_TRUE(screen.LockBackBuffer(&d));
    EXPECT_EQ(d.pitch, 12);
    EXPECT_EQ(mode.format.red.mask, 0xFF0000u);
    screen.UnlockBackBuffer();
}

TEST_F(ScreenPresent, WindowFailureLeavesNoScreen) {
    failWindows = true;
    EXPECT_FALSE(Create(64, 48));
    EXPECT_FALSE(screen.IsCreated());
    QxSurfaceDesc d;
    EXPECT_FALSE(screen.LockBackBuffer(&d));
    EXPECT_FALSE(screen.Present());
}

TEST_F(ScreenPresent, LocksNestAndBlockPresentAndCreate) {
    ASSERT_TRUE(Create(16, 16));
    QxSurfaceDesc d;
    ASSERT_TRUE(screen.LockBackBuffer(&d));
    ASSERT_TRUE(screen.LockBackBuffer(&d));
    screen.UnlockBackBuffer();
    EXPECT_EQ(screen.BackBufferLockCount(), 1);
    EXPECT_FALSE(screen.Present());
    EXPECT_FALSE(Create(16, 16));
    screen.UnlockBackBuffer();
    screen.UnlockBackBuffer();
    EXPECT_EQ(screen.BackBufferLockCount(), 0);
    EXPECT_TRUE(screen.Present());
    // Drawing leaves the count where it found it.
    screen.MarkDirty(QxRect{0, 16, 0, 16}, false);
    screen.FillRect(QxRect{0, 4, 0, 4}, QxColour(1, 2, 3));
    EXPECT_EQ(screen.BackBufferLockCount(), 0);
}

TEST_F(ScreenPresent, PresentCopiesOnlyDirtyRectangles) {
    ASSERT_TRUE(Create(32, 16));
    ASSERT_TRUE(screen.Present());
    EXPECT_TRUE(screen.GetDirtyList().empty());
    Back(1, 1) = 0x1111;
    Back(20, 10) = 0x2222;
    screen.MarkDirty(QxRect{0, 4, 0, 4}, false);
    const int before = shows;
    ASSERT_TRUE(screen.Present());
    EXPECT_EQ(shows, before + 1);
    EXPECT_EQ(Shown(1, 1), 0x1111);
    EXPECT_EQ(Shown(20, 10), 0);
    EXPECT_EQ(Client()[size_t(1 * 32 + 1)], 0x1111);
    EXPECT_TRUE(screen.GetDirtyList().empty());
    // The rest keeps the previous frame until it is marked.
    Back(1, 1) = 0x3333;
    screen.MarkDirty(QxRect{20, 21, 10, 11}, false);
    ASSERT_TRUE(screen.Present());
    EXPECT_EQ(Shown(1, 1), 0x1111);
    EXPECT_EQ(Shown(20, 10), 0x2222);
    // Nothing dirty: the window is not touched.
    const int quiet = shows;
    ASSERT_TRUE(screen.Present());
    EXPECT_EQ(shows, quiet);
    // Marked but drawn again exactly as it was: nothing new to show either.
    Back(20, 10) = 0x2222;
    screen.MarkDirty(QxRect{16, 24, 8, 12}, false);
    ASSERT_TRUE(screen.Present());
    EXPECT_EQ(shows, quiet);
    EXPECT_TRUE(screen.GetDirtyList().empty());
    // One changed pixel in a large marked area is shown.
    Back(17, 9) = 0x0421;
    screen.MarkDirty(QxRect{0, 32, 0, 16}, false);
    ASSERT_TRUE(screen.Present());
    EXPECT_EQ(shows, quiet + 1);
    EXPECT_EQ(Client()[size_t(9 * 32 + 17)], 0x0421);
}

TEST_F(ScreenPresent, ClearScreenZeroesAndMarksEverything) {
    ASSERT_TRUE(Create(8, 8));
    Back(3, 3) = 0x7FFF;
    screen.ClearDirty();
    screen.MarkDirty(QxRect{0, 1, 0, 1}, false);
    ASSERT_TRUE(screen.ClearScreen());
    EXPECT_EQ(Back(3, 3), 0);
    ASSERT_EQ(screen.GetDirtyList().size(), 1u);
    EXPECT_EQ(screen.GetDirtyList()[0], (QxRect{0, 8, 0, 8}));
}

TEST_F(ScreenPresent, WindowTwiceTheSizeShowsTwoByTwoBlocks) {
    ASSERT_TRUE(Create(4, 3));
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            Back(x, y) = uint16_t(1 + x + 4 * y);
        }
    }
    screen.Window()->SetClientSize(8, 6);
    screen.MarkDirty(QxRect{0, 4, 0, 3}, false);
    ASSERT_TRUE(screen.Present());
    const auto c = Client();
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 8; ++x) {
            ASSERT_EQ(c[size_t(y * 8 + x)], 1 + x / 2 + 4 * (y / 2)) << x << "," << y;
        }
    }
}

TEST_F(ScreenPresent, CursorChangesReachThePlatformOnce) {
    ASSERT_TRUE(Create(8, 8));
    ASSERT_TRUE(screen.ShowMouseCursor(false));
    ASSERT_TRUE(screen.ShowMouseCursor(false));
    EXPECT_EQ(cursorCalls, 1);
    EXPECT_FALSE(screen.Window()->IsCursorVisible());
    ASSERT_TRUE(screen.ShowMouseCursor(true));
    EXPECT_EQ(cursorCalls, 2);
    EXPECT_TRUE(screen.Window()->IsCursorVisible());
    EXPECT_FALSE(screen.IsCursorHidden());
    // A new window keeps the cursor hidden if the game hid it.
    ASSERT_TRUE(screen.ShowMouseCursor(false));
    ASSERT_TRUE(screen.ToggleFullScreen());
    EXPECT_FALSE(screen.Window()->IsCursorVisible());
}

TEST_F(ScreenPresent, MousePositionMinimiseAndPriority) {
    ASSERT_TRUE(Create(8, 8));
    ASSERT_TRUE(screen.SetMousePosition({5, 6}));
    QxPoint p;
    ASSERT_TRUE(screen.GetMousePosition(&p));
    EXPECT_EQ(p, (QxPoint{5, 6}));
    // Minimising is for full screen only.
    ASSERT_TRUE(screen.MinimizeScreen(true));
    EXPECT_FALSE(screen.Window()->IsMinimised());
    ASSERT_TRUE(Create(8, 8, true));
    ASSERT_TRUE(screen.MinimizeScreen(true));
    EXPECT_TRUE(screen.Window()->IsMinimised());
    ASSERT_TRUE(screen.SetHighPriority(true));
    EXPECT_TRUE(platform::IsProcessHighPriority());
    ASSERT_TRUE(screen.SetHighPriority(false));
    EXPECT_FALSE(platform::IsProcessHighPriority());
}

TEST_F(ScreenPresent, ToggleFullScreenRecreatesAndFreesSurfaces) {
    ASSERT_TRUE(Create(16, 8));
    QxImage img;
    img.Create(2, 2, 24);
    QxSurfaceHandle h = 0;
    ASSERT_TRUE(screen.CreateSurface(img, &h, 0));
    ASSERT_TRUE(screen.ToggleFullScreen());
    EXPECT_TRUE(screen.IsFullScreen());
    EXPECT_TRUE(lastOptions.fullScreen);
    EXPECT_EQ(lastOptions.title, "Rondelix");
    EXPECT_EQ(screen.Width(), 16);
    EXPECT_FALSE(screen.IsSurfaceValid(h));
    EXPECT_EQ(screen.SurfaceCount(), 0u);
    // New surfaces still get fresh handles.
    QxSurfaceHandle h2 = 0;
    ASSERT_TRUE(screen.CreateSurface(img, &h2, 0));
    EXPECT_GT(h2, h);
    ASSERT_TRUE(screen.ToggleFullScreen());
    EXPECT_FALSE(screen.IsFullScreen());
}

TEST_F(ScreenPresent, DestroyScreenFreesEverything) {
    ASSERT_TRUE(Create(8, 8));
    QxImage img;
    img.Create(1, 1, 24);
    QxSurfaceHandle h = 0;
    ASSERT_TRUE(screen.CreateSurface(img, &h, 0));
    ASSERT_TRUE(screen.DestroyScreen());
    EXPECT_FALSE(screen.IsCreated());
    EXPECT_EQ(screen.Window(), nullptr);
    EXPECT_FALSE(screen.IsSurfaceValid(h));
    QxSurfaceDesc d;
    EXPECT_FALSE(screen.LockBackBuffer(&d));
}

TEST_F(ScreenPresent, PresentationImageRoundTripsThroughPng) {
    ASSERT_TRUE(Create(40, 30));
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) {
            Back(x, y) = uint16_t((x * 811 + y * 97) & 0x7FFF);
        }
    }
    Back(0, 0) = 0x7FFF;
    screen.MarkDirty(QxRect{0, 40, 0, 30}, false);
    ASSERT_TRUE(screen.Present());
    const std::string path = screentest::TempPath("roundtrip.png");
    ASSERT_TRUE(screen.SavePresentationPng(path));
    std::vector<uint16_t> px;
    int w = 0;
    int h = 0;
    ASSERT_TRUE(LoadPng(path, &px, &w, &h));
    ASSERT_EQ(w, 40);
    ASSERT_EQ(h, 30);
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) {
            ASSERT_EQ(px[size_t(y * 40 + x)], Shown(x, y)) << x << "," << y;
        }
    }
    EXPECT_FALSE(LoadPng(screentest::TempPath("missing.png"), &px, &w, &h));
    EXPECT_FALSE(SavePng(screentest::TempPath("no/such/dir/x.png"), px.data(), 40, 30, 80));
}

} // namespace
