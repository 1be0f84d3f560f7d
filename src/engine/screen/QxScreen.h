#pragma once
#include <string>

#include "engine/screen/QxPixelFormat.h"
#include "engine/screen/QxRect.h"

// What the caller asks of a screen and what the screen reports back: the caller
// sets the size, the bits per pixel and the full-screen flag; the screen fills in
// the channel fields of the format.
struct QxDisplayMode {
    int width = 0;
    int height = 0;
    QxPixelFormat format;
    bool fullScreen = false;
};

// The platform half of a screen. The virtual operations are declared in their fixed
// slot order; every one answers true for success.
class QxScreen {
public:
    virtual ~QxScreen() = default;

    virtual bool CreateScreen(QxDisplayMode* mode, const std::string& title) = 0;
    virtual bool DestroyScreen() = 0;
    virtual bool Present() = 0;
    virtual bool ClearScreen() = 0;
    virtual bool MinimizeScreen(bool on) = 0;
    virtual bool SetHighPriority(bool on) = 0;
    virtual bool ShowMouseCursor(bool show) = 0;
    virtual bool SetMousePosition(const QxPoint& point) = 0;
    virtual bool GetMousePosition(QxPoint* point) = 0;
    // Recreates the screen with the same size and the opposite full-screen flag;
    // true when the flag changed.
    virtual bool ToggleFullScreen() = 0;
    virtual bool IsFullScreen() const { return m_fullScreen; }

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool IsCreated() const { return m_created; }

protected:
    int m_width = 0;
    int m_height = 0;
    bool m_fullScreen = false;
    bool m_created = false;
};
