#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/screen/QxScreen2D.h"
#include "platform/ScreenBinding.h"

// The software screen presented in a platform window: the back buffer that drawing
// writes, a presentation image that keeps the last shown frame, and the copy of each
// frame's dirty rectangles from one to the other and on to the window, which shows
// the presentation image stretched over its client area.
class QxWin32Screen2D : public QxScreen2D {
public:
    using WindowFactory =
        std::function<std::unique_ptr<platform::ScreenWindow>(const platform::WindowOptions&)>;

    // Windows come from the platform binding the program links.
    QxWin32Screen2D();
    // Windows come from the given factory (tests use this to watch the window).
    explicit QxWin32Screen2D(WindowFactory factory);
    ~QxWin32Screen2D() override;

    bool CreateScreen(QxDisplayMode* mode, const std::string& title) override;
    bool DestroyScreen() override;
    bool Present() override;
    bool ClearScreen() override;
    bool MinimizeScreen(bool on) override;
    bool SetHighPriority(bool on) override;
    bool ShowMouseCursor(bool show) override;
    bool SetMousePosition(const QxPoint& point) override;
    bool GetMousePosition(QxPoint* point) override;
    bool ToggleFullScreen() override;
    bool LockBackBuffer(QxSurfaceDesc* desc) override;
    bool UnlockBackBuffer() override;

    // ---- hooks for the window's event handling (main loop) ----
    // The window lost its contents: the next frame redraws everything.
    void OnWindowRepaint() { ClearScreen(); }
    // The window, or null before CreateScreen; its Owner() is this screen.
    platform::ScreenWindow* Window() const { return m_window.get(); }

    const std::string& Title() const { return m_title; }
    bool IsCursorHidden() const { return m_cursorHidden; }
    int BackBufferLockCount() const { return m_lockCount; }

    // The presentation image: what the window was last given (16 bits per pixel
    // unless another depth was asked for).
    const uint8_t* PresentationPixels() const { return m_present.pixels.data(); }
    int PresentationPitch() const { return m_present.pitch; }
    // Writes the presentation image as a PNG file (16-bit screens only).
    bool SavePresentationPng(const std::string& path) const;

private:
    struct Bitmap {
        int bitsPerPixel = 0;
        int width = 0;
        int height = 0;
        int pitch = 0;
        std::vector<uint8_t> pixels;
    };
    static bool MakeBitmap(Bitmap& bitmap, int bits, int width, int height);

    WindowFactory m_factory;
    std::unique_ptr<platform::ScreenWindow> m_window;
    std::string m_title;
    Bitmap m_back;
    Bitmap m_present;
    int m_lockCount = 0;
    bool m_cursorHidden = false;
    // In windowed mode the window is sized so that its client area is exactly the back buffer.
    bool m_adjustToClient = true;
};
