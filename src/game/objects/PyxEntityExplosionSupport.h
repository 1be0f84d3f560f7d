#pragma once
// Helpers shared by the effects that paint single pixels straight into the locked back
// buffer (the vortex, particle bursts and the dissolve), and by the objects that keep a
// pointer to another board object they do not own.

#include <cstdint>
#include <memory>

#include "engine/screen/QxPixelFormat.h"
#include "engine/screen/QxRect.h"
#include "engine/screen/QxSurface.h"

class PyxEntityGameObject;

// The locked back buffer for painting pixels: held for the lifetime of the object and
// unlocked at its end. Usable() is false without a screen or a 16-bit buffer.
class PyxLockedScreen {
public:
    PyxLockedScreen();
    ~PyxLockedScreen();
    PyxLockedScreen(const PyxLockedScreen&) = delete;
    PyxLockedScreen& operator=(const PyxLockedScreen&) = delete;

    bool Usable() const { return m_usable; }
    const QxPixelFormat& Format() const { return m_format; }

    // Blends the colour (a pixel of the buffer's format) into the pixel at (x, y) with
    // alpha a, per channel: (old * (256 - a) + colour * a) >> 8. An alpha outside 0 to
    // 256 is used as it is; the result is kept within each channel's bits. Points
    // outside the buffer are skipped.
    void Blend(std::int32_t x, std::int32_t y, std::uint16_t colour, std::int32_t a);
    // The pixel and its four neighbours, skipped when (x, y) lies on the buffer's border
    // or outside it.
    void BlendPlus(std::int32_t x, std::int32_t y, std::uint16_t colour, std::int32_t a);

    // White in the buffer's format.
    std::uint16_t White() const;

private:
    QxSurfaceDesc m_desc;
    QxPixelFormat m_format;
    bool m_locked = false;
    bool m_usable = false;
};

// The per-channel blend on its own, for a pixel of the given format.
std::uint16_t PyxBlendPixel(const QxPixelFormat& format, std::uint16_t old, std::uint16_t colour,
                            std::int32_t a);

// Grows a rectangle to hold a point (an empty rectangle becomes the point's pixel).
void PyxGrowRect(QxRect& rect, std::int32_t x, std::int32_t y);

// The picture an object shows now (the surface of its image), or null.
std::shared_ptr<const QxSurface> PyxObjectImage(PyxEntityGameObject* object);

// True when the object is still held by the level of `holder` (or when there is no
// level to ask, in which case the caller's pointer is trusted). Objects that keep a
// pointer to a board object they do not own ask this before touching it, since the
// rules may delete that object at any frame.
bool PyxObjectStillOnBoard(const PyxEntityGameObject* holder, const PyxEntityGameObject* object);
