#pragma once
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "engine/screen/QxColour.h"
#include "engine/screen/QxPixelFormat.h"
#include "engine/screen/QxRect.h"
#include "engine/screen/QxScreen.h"
#include "engine/screen/QxSurface.h"

struct QxImage;

using QxSurfaceHandle = uint32_t;

// The software drawing surface: a 16-bit back buffer reached through
// LockBackBuffer/UnlockBackBuffer (supplied by the platform screen), a table of
// surfaces addressed by handles that are never reused, a dirty list that limits
// drawing, and the drawing operations. Every operation answers true for success and
// false for no back buffer, an unknown handle or a wrong depth.
//
// Drawing is clipped to the bounding box of the dirty rectangles that meet the
// destination, so callers mark what changed before drawing over it. Widths and
// heights of surface operations are compared as unsigned: a negative width reaches
// the surface's right edge, a negative height its bottom edge.
class QxScreen2D : public QxScreen {
public:
    static constexpr int kMaxDirtyRects = 100;
    // Flag of CreateSurface: quantise 8-bit pictures with error diffusion.
    static constexpr uint32_t kCreateDithered = 16;
    // Handles count up from 1; 0 is never issued.
    static constexpr QxSurfaceHandle kNoSurface = 0;

    QxScreen2D();
    ~QxScreen2D() override;
    QxScreen2D(const QxScreen2D&) = delete;
    QxScreen2D& operator=(const QxScreen2D&) = delete;

    // ---- surface copies (by handle / by record) ----
    virtual bool DrawSurface(QxSurfaceHandle handle, int x, int y, int sx, int sy, int w, int h,
                             bool keyed);
    virtual bool DrawSurface(const QxSurface& surface, int x, int y, int sx, int sy, int w, int h,
                             bool keyed);
    // alpha 0..256 blends (larger values count as 256); keyed with alpha 65535 adds
    // with saturation instead.
    virtual bool DrawSurfaceBlended(QxSurfaceHandle handle, int x, int y, int sx, int sy, int w,
                                    int h, uint32_t alpha, bool keyed);
    virtual bool DrawSurfaceBlended(const QxSurface& surface, int x, int y, int sx, int sy, int w,
                                    int h, uint32_t alpha, bool keyed);
    virtual bool DrawSurfaceTinted(QxSurfaceHandle handle, int x, int y, int sx, int sy, int w,
                                   int h, bool keyed, const QxColour& colour);
    virtual bool DrawSurfaceTinted(const QxSurface& surface, int x, int y, int sx, int sy, int w,
                                   int h, bool keyed, const QxColour& colour);
    // Upside down: destination row i takes source row sy + h - 1 - i.
    virtual bool DrawSurfaceFlipped(QxSurfaceHandle handle, int x, int y, int sx, int sy, int w,
                                    int h, bool keyed);
    virtual bool DrawSurfaceFlipped(const QxSurface& surface, int x, int y, int sx, int sy, int w,
                                    int h, bool keyed);
    // Nearest neighbour from sw x sh at (sx, sy) to dw x dh at (x, y); the origin is
    // not applied unless the sizes match (then it is DrawSurface).
    virtual bool DrawSurfaceScaled(QxSurfaceHandle handle, int x, int y, int dw, int dh, int sx,
                                   int sy, int sw, int sh, bool keyed);
    virtual bool DrawSurfaceScaled(const QxSurface& surface, int x, int y, int dw, int dh, int sx,
                                   int sy, int sw, int sh, bool keyed);

    // ---- dirty list ----
    virtual bool MarkDirty(const QxRect& rect, bool clear);
    virtual bool MarkDirtyListOffset(std::span<const QxRect> rects, int dx, int dy);
    virtual bool MarkDirtyList(std::span<const QxRect> rects);
    virtual bool ClearDirty();
    virtual bool SetManualDirty(bool on);
    // A copy: the loading thread may add to the list while the caller walks it.
    virtual std::vector<QxRect> GetDirtyList() const;

    // ---- back buffer (the platform screen supplies these) ----
    virtual bool LockBackBuffer(QxSurfaceDesc* desc) = 0;
    virtual bool UnlockBackBuffer() = 0;

    // ---- surface table ----
    virtual bool CreateSurface(const QxImage& image, QxSurfaceHandle* handle, uint32_t flags);
    virtual bool AdoptSurface(std::unique_ptr<QxSurface> surface, QxSurfaceHandle* handle);
    // The record behind a handle, or null. The caller shares it: it stays whole while
    // held, even when another thread frees or halves the surface meanwhile. It is read
    // only: pixels change through LockSurface/UnlockSurface or EditSurface, so that the
    // key spans drawing keeps are made again.
    virtual std::shared_ptr<const QxSurface> GetSurface(QxSurfaceHandle handle);
    // Runs edit on the surface's record (not under the table's lock, so edit may call
    // the screen), then remakes its key spans. False for an unknown handle or a locked
    // surface. Drawing and editing a surface happen on the same thread.
    bool EditSurface(QxSurfaceHandle handle, const std::function<void(QxSurface&)>& edit);
    virtual bool SetSurfaceOrigin(QxSurfaceHandle handle, const QxPoint& origin);
    virtual bool GetSurfaceName(QxSurfaceHandle handle, std::string* name);
    virtual bool FreeSurface(QxSurfaceHandle handle);
    virtual bool IsSurfaceValid(QxSurfaceHandle handle) const;
    virtual bool FreeAllSurfaces();
    virtual bool LockSurface(QxSurfaceHandle handle, QxSurfaceDesc* desc);
    virtual bool UnlockSurface(QxSurfaceHandle handle);

    // ---- further drawing ----
    // The colour scaled by its alpha is added to each source channel, the carry out of
    // each channel dropped.
    virtual bool DrawSurfaceBrightened(QxSurfaceHandle handle, int x, int y, int sx, int sy, int w,
                                       int h, bool keyed, const QxColour& colour);
    // DrawSurface from a 16-bit image, at (x, y) without origin.
    virtual bool DrawImage16(const QxImage& image, int x, int y, int sx, int sy, int w, int h,
                             bool keyed);
    // Source scaled by alpha (clamped to 0..256), added with saturation; 0 skipped.
    virtual bool DrawSurfaceAdditive(QxSurfaceHandle handle, int x, int y, int sx, int sy, int w,
                                     int h, int alpha);
    // Alpha-mapped forms take an 8-bit image of the surface's exact size whose bytes
    // are the per-pixel alpha. Source pixels of value 0 are skipped.
    virtual bool DrawSurfaceAlphaMapped(QxSurfaceHandle handle, int x, int y, int sx, int sy, int w,
                                        int h, const QxImage& alphaImage);
    // alpha is clamped to 0..256.
    virtual bool DrawSurfaceAlphaMappedFaded(QxSurfaceHandle handle, int x, int y, int sx, int sy,
                                             int w, int h, const QxImage& alphaImage, int alpha);
    virtual bool DrawSurfaceAlphaMappedTinted(QxSurfaceHandle handle, int x, int y, int sx, int sy,
                                              int w, int h, const QxImage& alphaImage,
                                              const QxColour& colour);
    virtual bool DrawColourAlphaMapped(QxSurfaceHandle handle, int x, int y, int sx, int sy, int w,
                                       int h, const QxImage& alphaImage, const QxColour& colour);
    virtual bool TileSurface(QxSurfaceHandle handle, int x, int y, int w, int h, int sx, int sy,
                             bool keyed);
    virtual bool TileSurface(QxSurfaceHandle handle, int x, int y, int w, int h, bool keyed);
    virtual bool TileSurfaceBlended(QxSurfaceHandle handle, int x, int y, int w, int h,
                                    uint32_t alpha, bool keyed);
    // Keeps the top-left quarter at half the width and height; name and origin go.
    virtual bool HalveSurface(QxSurfaceHandle handle);
    virtual bool TintRect(int x, int y, int w, int h, const QxColour& colour);
    virtual bool DrawHLine(int y, int x1, int x2, const QxColour& colour);
    virtual bool DrawVLine(int x, int y1, int y2, const QxColour& colour);
    virtual bool DrawLine(const QxPoint& p1, const QxPoint& p2, const QxColour& colour);
    virtual bool DrawRect(const QxRect& rect, const QxColour& colour);
    virtual bool FillRect(const QxRect& rect, const QxColour& colour);
    virtual bool DrawFrame3D(const QxRect& rect, const QxColour& fill, const QxColour& light,
                             const QxColour& shadow);

    const QxPixelFormat& PixelFormat() const { return m_format; }
    bool IsManualDirty() const { return m_manualDirty.load(); }
    size_t SurfaceCount() const;

protected:
    // Set by the platform screen when it makes the back buffer.
    QxPixelFormat m_format;

private:
    class DrawScope;
    // A picture that drawing reads from: a surface, or the pixels of a 16-bit image.
    // Spans are there when they fit the pixels.
    struct Picture {
        const uint16_t* pixels = nullptr;
        int width = 0;
        int height = 0;
        bool valid = false;
        const QxKeySpans* spans = nullptr;
        const uint16_t* Row(int y) const { return pixels + ptrdiff_t(y) * width; }
    };
    static Picture PictureOf(const QxSurface& surface);
    struct Blit;
    // The set-up every surface drawing shares: lock the back buffer, place the source
    // rectangle (at x, y less the origin for a surface) and clip it, then hand the
    // placed rows to draw. False for a bad picture or no back buffer; true, without
    // calling draw, when nothing is left to draw.
    template <class Draw>
    bool DrawPlaced(const Picture& pic, int64_t x, int64_t y, int sx, int sy, int w, int h,
                    const Draw& draw);
    template <class Draw>
    bool DrawPlaced(const QxSurface& s, int x, int y, int sx, int sy, int w, int h,
                    const Draw& draw);

    bool CopyPicture(const Picture& pic, int64_t x, int64_t y, int sx, int sy, int w, int h,
                     bool keyed, bool flipped);
    bool MarkWholeDirtyUnlessManual();
    // Adds the part of rect within the back buffer; false when nothing is left of it.
    // The caller holds the dirty lock.
    bool AddDirtyLocked(const QxRect& rect);
    QxRect BackBufferRect() const { return QxRect{0, m_width, 0, m_height}; }
    QxSurfaceHandle IssueHandle(std::shared_ptr<QxSurface> surface);

    enum class AlphaMode { Plain, Faded, Tinted, Colour };
    bool DrawAlphaMapped(QxSurfaceHandle handle, int x, int y, int sx, int sy, int w, int h,
                         const QxImage& alphaImage, AlphaMode mode, int alpha,
                         const QxColour& colour);
    template <class Draw>
    bool Tile(QxSurfaceHandle handle, int x, int y, int w, int h, int sx, int sy, const Draw& draw);

    // The loading thread makes and frees surfaces (through the resource cache) while
    // the main thread draws, so the table is only touched under its lock, and a drawer
    // holds its share of a record rather than a bare pointer into the table. The
    // origin, name and lock count of a record change under the lock too.
    mutable std::mutex m_surfaceLock;
    std::map<QxSurfaceHandle, std::shared_ptr<QxSurface>> m_surfaces;
    QxSurfaceHandle m_lastHandle = 0;
    // Elements the loading thread places mark what they cover while the main thread
    // draws, presents and clears; every reader and writer of the list holds the lock.
    mutable std::mutex m_dirtyLock;
    std::array<QxRect, kMaxDirtyRects> m_dirty{};
    int m_dirtyCount = 0;
    std::atomic<bool> m_manualDirty{true};
    std::vector<int> m_scaleColumns; // scratch of DrawSurfaceScaled
};
