// The Win32 window and message pump: picture orientation and colours, stretching
// with bars, mouse positions mapped into the picture, key translation, the cursor's
// visibility and the quit message. Needs a display (under wine, an X server).
#include <gtest/gtest.h>

#include <windows.h>

#include <thread>
#include <vector>

#include "platform/MessagePump.h"
#include "platform/ScreenBinding.h"
#include "platform/win32/Win32Window.h"

namespace {

using platform::win32::Win32ScreenWindow;

struct Received {
    void* window;
    std::uint32_t message;
    std::uint64_t first;
    std::uint64_t second;
};

std::vector<Received> g_received;

bool Record(void* window, std::uint32_t message, std::uint64_t first, std::uint64_t second) {
    if (message == WM_MOUSEMOVE || message == WM_KEYDOWN || message == WM_KEYUP ||
        message == WM_CHAR) {
        g_received.push_back({window, message, first, second});
        return true;
    }
    return false;
}

// One window for the whole suite: under wine each new window takes a while to map.
class Win32WindowTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        platform::win32::SetFailureMessageBox(false);
        platform::SetWindowProcedure(&Record);
        window_ = MakeWindow();
    }
    static void TearDownTestSuite() {
        window_.reset();
        Drain();
        platform::SetWindowProcedure(nullptr);
    }
    void SetUp() override {
        if (!window_)
            GTEST_SKIP() << "no display to open a window on";
        window_->SetClientSize(160, 120);
        Drain();
        g_received.clear();
    }

    static std::unique_ptr<platform::ScreenWindow> MakeWindow() {
        platform::WindowOptions options;
        options.title = "Rondelix window test";
        options.width = 160;
        options.height = 120;
        options.owner = &owner_;
        auto window = platform::CreateScreenWindow(options);
        Drain();
        return window;
    }

    static HWND Handle() { return static_cast<Win32ScreenWindow*>(window_.get())->Handle(); }

    // Dispatches whatever waits, the way the main loop does.
    static void Drain() {
        while (platform::PeekWindowMessage()) {
            platform::WindowMessage message;
            if (!platform::GetWindowMessage(message))
                break;
            platform::TranslateAndDispatch(message);
        }
    }

    // A picture whose every pixel differs from its neighbours.
    static std::vector<uint16_t> TestPicture(int width, int height) {
        std::vector<uint16_t> pixels(size_t(width) * size_t(height));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                pixels[size_t(y) * size_t(width) + size_t(x)] =
                    uint16_t(((x & 31) << 10) | ((y & 31) << 5) | ((x + y) & 31));
        return pixels;
    }

    static inline int owner_ = 0;
    static inline std::unique_ptr<platform::ScreenWindow> window_;
};

TEST_F(Win32WindowTest, ClientAreaShowsThePictureUprightInItsOwnColours) {
    EXPECT_EQ(window_->ClientWidth(), 160);
    EXPECT_EQ(window_->ClientHeight(), 120);
    EXPECT_EQ(window_->Owner(), &owner_);
    const std::vector<uint16_t> picture = TestPicture(160, 120);
    ASSERT_TRUE(window_->ShowImage(picture.data(), 160, 120, 160 * 2, {0, 0, 160, 120}));
    std::vector<uint16_t> shown;
    ASSERT_TRUE(window_->CaptureClient(&shown));
    ASSERT_EQ(shown.size(), picture.size());
    EXPECT_EQ(shown, picture);
}

TEST_F(Win32WindowTest, AnUncoveredWindowShowsTheLastPictureAgain) {
    const std::vector<uint16_t> picture = TestPicture(160, 120);
    ASSERT_TRUE(window_->ShowImage(picture.data(), 160, 120, 160 * 2, {0, 0, 160, 120}));
    // Something else painted over the window; the screen sends no new picture.
    HDC dc = GetDC(Handle());
    PatBlt(dc, 0, 0, 160, 120, WHITENESS);
    ReleaseDC(Handle(), dc);
    InvalidateRect(Handle(), nullptr, FALSE);
    UpdateWindow(Handle());
    std::vector<uint16_t> shown;
    ASSERT_TRUE(window_->CaptureClient(&shown));
    EXPECT_EQ(shown, picture);
}

TEST_F(Win32WindowTest, LargerWindowsShowWholePixelBlocksBetweenBlackBars) {
    // Wider than 4:3: the picture doubles and bars fill the sides.
    window_->SetClientSize(640, 240);
    Drain();
    ASSERT_EQ(window_->ClientWidth(), 640);
    ASSERT_EQ(window_->ClientHeight(), 240);
    const std::vector<uint16_t> picture = TestPicture(160, 120);
    ASSERT_TRUE(window_->ShowImage(picture.data(), 160, 120, 160 * 2, {0, 0, 160, 120}));
    std::vector<uint16_t> shown;
    ASSERT_TRUE(window_->CaptureClient(&shown));
    ASSERT_EQ(shown.size(), size_t(640 * 240));
    const int left = (640 - 320) / 2;
    for (int y = 0; y < 240; ++y) {
        for (int x = 0; x < 640; ++x) {
            const uint16_t got = shown[size_t(y) * 640 + size_t(x)];
            if (x < left || x >= left + 320) {
                ASSERT_EQ(got, 0) << "bar at " << x << "," << y;
            } else {
                ASSERT_EQ(got, picture[size_t(y / 2) * 160 + size_t((x - left) / 2)])
                    << "picture at " << x << "," << y;
            }
        }
    }
}

TEST_F(Win32WindowTest, MousePositionsArriveInPictureCoordinates) {
    window_->SetClientSize(640, 240); // the picture doubled at x 160 to 479
    const std::vector<uint16_t> picture = TestPicture(160, 120);
    window_->ShowImage(picture.data(), 160, 120, 160 * 2, {0, 0, 160, 120});
    Drain();
    g_received.clear();
    PostMessageA(Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(160 + 42, 18));
    PostMessageA(Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 239)); // on the left bar
    Drain();
    ASSERT_EQ(g_received.size(), 2u);
    EXPECT_EQ(g_received[0].window, &owner_);
    EXPECT_EQ(g_received[0].second, std::uint64_t(21 | (9 << 16)));
    // Beyond the picture's left edge the position is negative, as a 16-bit half.
    const auto word = std::uint32_t(g_received[1].second);
    EXPECT_EQ(std::int16_t(word & 0xFFFF), -75);
    EXPECT_EQ(std::int16_t(word >> 16), 119);
}

TEST_F(Win32WindowTest, KeyPressesAreTranslatedIntoCharacters) {
    PostMessageA(Handle(), WM_KEYDOWN, VK_RIGHT, 1);
    PostMessageA(Handle(), WM_KEYDOWN, 'A', 1 | (0x1E << 16));
    Drain();
    std::vector<Received> keys;
    for (const Received& r : g_received)
        if (r.message != WM_MOUSEMOVE)
            keys.push_back(r);
    ASSERT_EQ(keys.size(), 3u);
    EXPECT_EQ(keys[0].message, std::uint32_t(WM_KEYDOWN));
    EXPECT_EQ(keys[0].first, std::uint64_t(VK_RIGHT));
    EXPECT_EQ(keys[1].message, std::uint32_t(WM_KEYDOWN));
    EXPECT_EQ(keys[2].message, std::uint32_t(WM_CHAR));
    EXPECT_EQ(keys[2].first, std::uint64_t('a'));
}

TEST_F(Win32WindowTest, CursorVisibilityIsAStateNotACount) {
    const int before = ::ShowCursor(TRUE) - 1;
    ::ShowCursor(FALSE);
    window_->ShowCursor(false);
    window_->ShowCursor(false);
    EXPECT_FALSE(window_->IsCursorVisible());
    window_->ShowCursor(true);
    EXPECT_TRUE(window_->IsCursorVisible());
    const int after = ::ShowCursor(TRUE) - 1;
    ::ShowCursor(FALSE);
    EXPECT_EQ(after, before);

    // A window that goes while the cursor is hidden gives the count back.
    auto other = MakeWindow();
    ASSERT_TRUE(other);
    other->ShowCursor(false);
    other.reset();
    const int afterClose = ::ShowCursor(TRUE) - 1;
    ::ShowCursor(FALSE);
    EXPECT_EQ(afterClose, before);
}

TEST_F(Win32WindowTest, QuitCarriesItsExitCodeFromAnyThread) {
    platform::PostQuit(3);
    platform::WindowMessage message;
    EXPECT_FALSE(platform::GetWindowMessage(message));
    EXPECT_EQ(message.message, std::uint32_t(WM_QUIT));
    EXPECT_EQ(int(std::int64_t(message.first)), 3);

    std::thread([] { platform::PostQuit(-2); }).join();
    ASSERT_TRUE(platform::PeekWindowMessage());
    EXPECT_FALSE(platform::GetWindowMessage(message));
    EXPECT_EQ(int(std::int64_t(message.first)), -2);
}

} // namespace
