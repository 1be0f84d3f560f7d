#pragma once
// What the screen asks of the platform: one top-level window that shows a 16-bit
// picture scaled to its client area, the mouse cursor, and process priority. Each
// binding (headless, SDL2, Win32) implements these; the core links whichever the
// program is built with.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

struct WindowOptions {
    std::string title;
    int width = 0; // client size in windowed mode
    int height = 0;
    bool fullScreen = false; // no frame, covering the desktop
    // Windowed: width x height is the client area (true) or the outer frame (false).
    bool sizeIsClient = true;
    // The object the window's event handling reaches (the platform screen); the
    // binding keeps it and hands it back through Owner().
    void* owner = nullptr;
};

// A part of a picture: columns left to right, rows top to bottom (right and bottom
// exclusive).
struct PictureArea {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

class ScreenWindow {
public:
    virtual ~ScreenWindow() = default;

    // Shows a picture of RGB555 pixels (red 0x7C00, green 0x03E0, blue 0x001F; rows
    // top-down, pitch in bytes) stretched over the whole client area. `changed` holds
    // every pixel that differs from the picture shown last; a window may copy only that,
    // or take the whole picture, and takes the whole one the first time and whenever
    // the size changes.
    virtual bool ShowImage(const uint16_t* pixels, int width, int height, int pitch,
                           const PictureArea& changed) = 0;

    // Sets the cursor's visibility over the window (a state, not a counter).
    virtual void ShowCursor(bool show) = 0;
    virtual bool IsCursorVisible() const = 0;

    // Mouse position in client coordinates.
    virtual void SetMousePosition(int x, int y) = 0;
    virtual bool GetMousePosition(int* x, int* y) const = 0;

    // Minimises the window (on) or shows it again without activating it (off).
    virtual void Minimise(bool on) = 0;
    virtual bool IsMinimised() const = 0;

    virtual int ClientWidth() const = 0;
    virtual int ClientHeight() const = 0;
    // Resizes the client area, as the user would by dragging the frame.
    virtual void SetClientSize(int width, int height) = 0;

    // What the client area shows now, as RGB555 rows of ClientWidth() pixels; false
    // when the binding cannot read it back.
    virtual bool CaptureClient(std::vector<uint16_t>* pixels) const = 0;

    virtual void* Owner() const = 0;
};

// Creates and shows a window; null (with nothing left behind) when that fails.
std::unique_ptr<ScreenWindow> CreateScreenWindow(const WindowOptions& options);

// Colour depth of the desktop in bits per pixel.
int DesktopBitsPerPixel();

// Raises the process priority (on) or returns it to normal (off).
void SetProcessHighPriority(bool on);
bool IsProcessHighPriority();

} // namespace platform
