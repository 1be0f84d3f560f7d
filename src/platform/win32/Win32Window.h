#pragma once
// The Win32 window of the desktop binding: a top-level window whose client area shows
// the 16-bit picture through StretchDIBits, as large as it fits without distortion.
// Visible to the message pump and the sound service, which need its handle.

#include <windows.h>

#include <string>
#include <vector>

#include "platform/LetterboxedWindow.h"
#include "platform/MessagePump.h"

namespace platform::win32 {

class Win32ScreenWindow final : public LetterboxedWindow {
public:
    // Null when the window cannot be made; the reason is logged and shown.
    static std::unique_ptr<Win32ScreenWindow> Create(const WindowOptions& options);
    ~Win32ScreenWindow() override;

    bool ShowImage(const uint16_t* pixels, int width, int height, int pitch,
                   const PictureArea& changed) override;
    void ShowCursor(bool show) override;
    void SetMousePosition(int x, int y) override;
    bool GetMousePosition(int* x, int* y) const override;
    void Minimise(bool on) override;
    bool IsMinimised() const override;
    int ClientWidth() const override;
    int ClientHeight() const override;
    void SetClientSize(int width, int height) override;
    bool CaptureClient(std::vector<uint16_t>* pixels) const override;

    HWND Handle() const { return m_window; }
    // The window lost its contents: paints the last picture and its bars again.
    void Repaint();

private:
    Win32ScreenWindow(HWND window, void* owner);
    bool Draw();

    HWND m_window;
    HDC m_dc;                   // the class keeps one context per window
    LetterboxRect m_paintedBox; // where the last picture went; bars around it are black
    // The last picture shown, kept to paint the window again when it is uncovered: the
    // screen only sends pictures that changed.
    std::vector<uint16_t> m_picture;
    int m_picturePitch = 0; // in bytes
};

// The window a handle belongs to, or null for windows this binding did not make.
Win32ScreenWindow* WindowOf(HWND handle);

// The window handle behind an opaque window of the sound service (a ScreenWindow of
// this binding), or null.
HWND HandleOf(void* window);

// Sound devices follow the game's window: a device bound to a window that goes (the
// screen makes a new window to switch between full screen and windowed) is bound to
// the next window made, so its sounds do not fall silent with the old window.
void SoundWindowGone(HWND window);
void SoundWindowMade(HWND window);

// The process instance, for window classes and resources.
void SetInstance(HINSTANCE instance);
HINSTANCE Instance();

// The procedure the pump hands messages to (null before the program set one).
WindowProcedure CurrentWindowProcedure();

// Whether a window that cannot be made is also reported in a message box (on by
// default; programs that run unattended, such as tests, turn it off).
void SetFailureMessageBox(bool on);

// True once a window could not be made (the entry point then reports failure).
bool WindowCreationFailed();

// The last system error as text ("code 5: Access is denied.").
std::string SystemErrorText(DWORD code);

} // namespace platform::win32
