// The window screen over the headless binding: presentation of dirty rectangles, the
// requests a screen passes to its window, and scaling to the window.

#include "engine/screen/QxPng.h"
#include "engine/screen/ScreenTestSupport.h"

namespace {

using screentest::Rgb;

// Passes everything on to a headless window and counts what reaches it.
class SpyWindow : public platform::ScreenWindow {
public:
    SpyWindow(std::unique_ptr<platform::ScreenWindow> inner, int* shows,
              platform::PictureArea* changed)
        : m_inner(std::move(inner)), m_shows(shows), m_changed(changed) {}
    bool ShowImage(const uint16_t* p, int w, int h, int pitch,
                   const platform::PictureArea& changed) override {
        ++*m_shows;
        *m_changed = changed;
        return m_inner->ShowImage(p, w, h, pitch, changed);
    }
    void ShowCursor(bool show) override { m_inner->ShowCursor(show); }
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
    int* m_shows;
    platform::PictureArea* m_changed;
};

class ScreenPresent : public screentest::ScreenTest {
protected:
    void SetUp() override {} // each test makes a screen of its own size
    std::unique_ptr<platform::ScreenWindow> MakeWindow(const platform::WindowOptions& o) override {
        return std::make_unique<SpyWindow>(platform::CreateScreenWindow(o), &shows, &changed);
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

    // The box of rows that changed, each as wide as the area marked, as the window
    // was last told.
    void ExpectChanged(int left, int top, int right, int bottom) const {
        EXPECT_EQ(changed.left, left);
        EXPECT_EQ(changed.top, top);
        EXPECT_EQ(changed.right, right);
        EXPECT_EQ(changed.bottom, bottom);
    }

    int shows = 0;
    platform::PictureArea changed;
};

TEST_F(ScreenPresent, PresentCopiesOnlyDirtyRectangles) {
    ASSERT_TRUE(Create(32, 16));
    QxSurfaceDesc d;
    ASSERT_TRUE(screen.LockBackBuffer(&d));
    EXPECT_EQ(screen.BackBufferLockCount(), 1);
    EXPECT_FALSE(screen.Present()) << "not while a drawer holds the back buffer";
    screen.UnlockBackBuffer();
    ASSERT_TRUE(screen.Present());
    Px(1, 1) = 0x1111;
    Px(20, 10) = 0x2222;
    screen.MarkDirty(QxRect{0, 4, 0, 4}, false);
    const int before = shows;
    ASSERT_TRUE(screen.Present());
    EXPECT_EQ(shows, before + 1);
    ExpectChanged(0, 1, 4, 2);
    EXPECT_EQ(Shown(1, 1), 0x1111);
    EXPECT_EQ(Shown(20, 10), 0);
    EXPECT_TRUE(screen.GetDirtyList().empty());
    // The rest keeps the previous frame until it is marked.
    Px(1, 1) = 0x3333;
    screen.MarkDirty(QxRect{20, 21, 10, 11}, false);
    ASSERT_TRUE(screen.Present());
    EXPECT_EQ(Shown(1, 1), 0x1111);
    EXPECT_EQ(Shown(20, 10), 0x2222);
    ExpectChanged(20, 10, 21, 11);
    // Nothing dirty: the window is not touched.
    const int quiet = shows;
    ASSERT_TRUE(screen.Present());
    EXPECT_EQ(shows, quiet);
    // Marked but drawn again exactly as it was: nothing new to show either.
    Px(20, 10) = 0x2222;
    screen.MarkDirty(QxRect{16, 24, 8, 12}, false);
    ASSERT_TRUE(screen.Present());
    EXPECT_EQ(shows, quiet);
    EXPECT_TRUE(screen.GetDirtyList().empty());
    // One changed pixel in a large marked area is shown (row 1 back as it is shown).
    Px(1, 1) = 0x1111;
    Px(17, 9) = 0x0421;
    screen.MarkDirty(QxRect{0, 32, 0, 16}, false);
    ASSERT_TRUE(screen.Present());
    EXPECT_EQ(shows, quiet + 1);
    ExpectChanged(0, 9, 32, 10);
    EXPECT_EQ(Client()[size_t(9 * 32 + 17)], 0x0421);
    // Two areas, the lower marked first: the box spans the changed rows of both, and
    // the rows marked between them that did not change are left out at either end.
    Px(30, 14) = 0x0001;
    Px(2, 3) = 0x0002;
    screen.MarkDirty(QxRect{24, 32, 12, 16}, false);
    screen.MarkDirty(QxRect{0, 8, 0, 6}, false);
    ASSERT_TRUE(screen.Present());
    ExpectChanged(0, 3, 32, 15);
}

// Cursor, mouse, minimise and priority requests reach the window and the platform.
TEST_F(ScreenPresent, RequestsReachTheWindowOfAFullScreenOfThirtyTwoBits) {
    EXPECT_FALSE(screen.CreateScreen(nullptr, "none"));
    QxDisplayMode mode;
    mode.width = mode.height = 4;
    mode.format.bitsPerPixel = 32;
    mode.fullScreen = true;
    ASSERT_TRUE(screen.CreateScreen(&mode, "deep"));
    EXPECT_EQ(screen.PixelFormat(), QxPixelFormat::FromMasks(32, 0xFF0000, 0x00FF00, 0x0000FF));
    EXPECT_EQ(screen.Window()->Owner(), &screen);
    ASSERT_TRUE(screen.ShowMouseCursor(false) && screen.MinimizeScreen(true));
    EXPECT_FALSE(screen.Window()->IsCursorVisible());
    EXPECT_TRUE(screen.Window()->IsMinimised());
    ASSERT_TRUE(screen.SetMousePosition(QxPoint{3, 2}));
    QxPoint at;
    ASSERT_TRUE(screen.GetMousePosition(&at));
    EXPECT_EQ(at, (QxPoint{3, 2}));
    ASSERT_TRUE(screen.SetHighPriority(true));
    EXPECT_TRUE(platform::IsProcessHighPriority());
    screen.SetHighPriority(false);

    QxWin32Screen2D blind{[](const platform::WindowOptions&) { return nullptr; }};
    EXPECT_FALSE(blind.CreateScreen(&mode, "no window"));
    EXPECT_FALSE(blind.GetMousePosition(&at));
}

TEST_F(ScreenPresent, WindowTwiceTheSizeShowsTwoByTwoBlocks) {
    ASSERT_TRUE(Create(4, 3));
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            Px(x, y) = uint16_t(1 + x + 4 * y);
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

TEST(ScreenPng, PicturesNeitherLoadFromNorSaveToAMissingFolder) {
    std::vector<uint16_t> px(4, 0x7FFF);
    int w = 0, h = 0;
    EXPECT_FALSE(LoadPng("/nonexistent-folder/none.png", &px, &w, &h));
    EXPECT_FALSE(SavePng("/nonexistent-folder/out.png", px.data(), 2, 2, 4));
}

} // namespace
