// Drawing operations of the software screen.

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "engine/files/QxImage.h"
#include "engine/screen/QxBlit.h"
#include "engine/screen/QxScreen2D.h"

using namespace qxblit;

namespace {

// Runs fn with the layout object that fits the format: the fixed 5-5-5 layout (which
// has the vector forms) or masks read at run time.
template <class Fn> void WithFormat(const QxPixelFormat& format, Fn&& fn) {
    if (Is555(format)) {
        fn(Fmt555{});
    } else {
        fn(FmtAny(format));
    }
}

// Coordinates far outside any picture are pinned; nothing that far away can meet the
// back buffer, and pinning keeps the rectangle arithmetic inside 32 bits.
constexpr int64_t kFar = int64_t(1) << 30;
int32_t Pin(int64_t v) {
    return static_cast<int32_t>(std::clamp(v, -kFar, kFar));
}
QxRect RectAt(int64_t left, int64_t top, int64_t w, int64_t h) {
    return QxRect{Pin(left), Pin(left + w), Pin(top), Pin(top + h)};
}

// One axis of a source rectangle: a length that (as unsigned) exceeds what is left of
// the picture is cut to reach its edge; a negative start is moved onto the picture,
// moving the destination with it. False when nothing is left.
bool ResolveAxis(int size, int64_t& dest, int& start, int len, int& outLen) {
    const int64_t edge = int64_t(size) - start;
    if (edge <= 0) {
        return false;
    }
    int64_t l = std::min<int64_t>(static_cast<uint32_t>(len), edge);
    if (start < 0) {
        const int64_t skip = -int64_t(start);
        if (l <= skip) {
            return false;
        }
        dest += skip;
        l -= skip;
        start = 0;
    }
    outLen = static_cast<int>(l);
    return l > 0;
}

uint16_t PackColour(const QxPixelFormat& f, const QxColour& c) {
    return static_cast<uint16_t>(f.Pack(c.red, c.green, c.blue));
}

} // namespace

// Locks the back buffer for one drawing operation and works out where it may draw.
class QxScreen2D::DrawScope {
public:
    // Where a source rectangle lands: the destination, the part of it that may be
    // drawn, and the source rectangle (already resolved against its picture).
    struct Placement {
        QxRect dest;
        QxRect clip;
        int srcLeft = 0;
        int srcTop = 0;
        int srcWidth = 0;
        int srcHeight = 0;
        // Source position of the clip's top-left pixel (unflipped).
        int SrcX() const { return srcLeft + (clip.left - dest.left); }
        int SrcY() const { return srcTop + (clip.top - dest.top); }
    };

    explicit DrawScope(QxScreen2D& screen) : m_screen(screen) {
        m_locked = screen.LockBackBuffer(&m_buf);
        m_ok = m_locked && m_buf.bytesPerPixel == 2 && m_buf.pixels != nullptr && m_buf.width > 0 &&
               m_buf.height > 0 && m_buf.pitch >= m_buf.width * 2;
    }
    ~DrawScope() {
        if (m_locked) {
            m_screen.UnlockBackBuffer();
        }
    }
    DrawScope(const DrawScope&) = delete;
    DrawScope& operator=(const DrawScope&) = delete;

    bool Ok() const { return m_ok; }
    int Width() const { return m_buf.width; }
    int Height() const { return m_buf.height; }
    ptrdiff_t Pitch() const { return m_buf.pitch / 2; }
    uint16_t* At(int x, int y) const {
        return reinterpret_cast<uint16_t*>(m_buf.pixels + ptrdiff_t(y) * m_buf.pitch) + x;
    }
    bool Inside(int64_t x, int64_t y) const {
        return x >= 0 && y >= 0 && x < m_buf.width && y < m_buf.height;
    }

    // The part of dest that may be drawn: the bounding box of its overlaps with the
    // dirty rectangles (all of dest when the list is full), within the back buffer.
    QxRect Clip(const QxRect& dest) const {
        std::lock_guard lock(m_screen.m_dirtyLock);
        QxRect clip;
        if (m_screen.m_dirtyCount >= kMaxDirtyRects) {
            clip = dest;
        } else {
            bool any = false;
            for (int i = 0; i < m_screen.m_dirtyCount; ++i) {
                const QxRect piece = Intersect(dest, m_screen.m_dirty[size_t(i)]);
                if (piece.IsEmpty()) {
                    continue;
                }
                clip = any ? Union(clip, piece) : piece;
                any = true;
                if (clip == dest) {
                    break;
                }
            }
            if (!any) {
                return QxRect{};
            }
        }
        return Intersect(clip, QxRect{0, m_buf.width, 0, m_buf.height});
    }

    // False when nothing of the source is left or nothing of it may be drawn.
    bool Place(const Picture& pic, int64_t x, int64_t y, int sx, int sy, int w, int h,
               Placement& p) const {
        if (!ResolveAxis(pic.width, x, sx, w, p.srcWidth) ||
            !ResolveAxis(pic.height, y, sy, h, p.srcHeight)) {
            return false;
        }
        p.srcLeft = sx;
        p.srcTop = sy;
        p.dest = RectAt(x, y, p.srcWidth, p.srcHeight);
        p.clip = Clip(p.dest);
        return !p.clip.IsEmpty();
    }

private:
    QxScreen2D& m_screen;
    QxSurfaceDesc m_buf;
    bool m_locked = false;
    bool m_ok = false;
};

QxScreen2D::Picture QxScreen2D::PictureOf(const QxSurface& s) {
    Picture pic;
    pic.pixels = s.pixels.data();
    pic.width = s.width;
    pic.height = s.height;
    pic.valid = s.width >= 0 && s.height >= 0 &&
                s.pixels.size() >= static_cast<size_t>(s.width) * static_cast<size_t>(s.height);
    if (pic.valid && s.spans.Fit(s)) {
        pic.spans = &s.spans;
    }
    return pic;
}

// The placed rows of one drawing: the clip's top-left pixel in the back buffer and the
// source position it shows.
struct QxScreen2D::Blit {
    const Picture& pic;
    uint16_t* dst;
    ptrdiff_t dstPitch;
    int width;  // of the clip
    int height; // of the clip
    int srcX;
    int srcY;
    int flippedRow; // source row of the clip's top row when drawn upside down
    const uint16_t* Src() const { return pic.Row(srcY) + srcX; }
};

// Which drawing calls mark the screen dirty: with manual dirty tracking off nobody
// marks what changed, so DrawSurface, DrawSurfaceTinted, DrawSurfaceScaled,
// DrawSurfaceBrightened and TintRect (the calls that code written for that mode draws
// whole pictures and tints with) first mark the whole back buffer, and then draw in
// full instead of into an empty clip. Every other call keeps to the dirty list in both
// modes. Which calls mark is part of the screen's contract, so it is not gathered here
// but stays in those five.
template <class Draw>
bool QxScreen2D::DrawPlaced(const Picture& pic, int64_t x, int64_t y, int sx, int sy, int w, int h,
                            const Draw& draw) {
    if (!pic.valid) {
        return false;
    }
    DrawScope scope(*this);
    if (!scope.Ok()) {
        return false;
    }
    DrawScope::Placement p;
    if (!scope.Place(pic, x, y, sx, sy, w, h, p)) {
        return true;
    }
    const QxRect& c = p.clip;
    draw(Blit{pic, scope.At(c.left, c.top), scope.Pitch(), c.Width(), c.Height(), p.SrcX(),
              p.SrcY(), p.srcTop + p.srcHeight - 1 - (c.top - p.dest.top)});
    return true;
}

template <class Draw>
bool QxScreen2D::DrawPlaced(const QxSurface& s, int x, int y, int sx, int sy, int w, int h,
                            const Draw& draw) {
    return DrawPlaced(PictureOf(s), int64_t(x) - s.originX, int64_t(y) - s.originY, sx, sy, w, h,
                      draw);
}

namespace {

// dst = op(src, dst) over the placed rows where the source is not 0: run by run when
// the picture has its spans, else chunk by chunk with a select.
template <class F, class B, class Op> void Keyed(const B& b, const Op op) {
    if (b.pic.spans != nullptr) {
        ForEachRun(*b.pic.spans, b.pic.width, b.srcY, 1, b.srcX, b.width, b.height,
                   [&](int j, int row, int x, int n) {
                       OpRun<F>(b.dst + j * b.dstPitch + (x - b.srcX), b.pic.Row(row) + x, n, op);
                   });
    } else {
        RunSrcDst<true, F>(b.dst, b.dstPitch, b.Src(), b.pic.width, b.width, b.height, op);
    }
}

// Keyed when asked, else every pixel.
template <class F, class B, class Op> void KeyedIf(bool keyed, const B& b, const Op op) {
    if (keyed) {
        Keyed<F>(b, op);
    } else {
        RunSrcDst<false, F>(b.dst, b.dstPitch, b.Src(), b.pic.width, b.width, b.height, op);
    }
}

} // namespace

// ---- copies -----------------------------------------------------------------------------

bool QxScreen2D::CopyPicture(const Picture& pic, int64_t x, int64_t y, int sx, int sy, int w, int h,
                             bool keyed, bool flipped) {
    return DrawPlaced(pic, x, y, sx, sy, w, h, [&](const Blit& b) {
        // Upside down, destination row i (from the top of the destination) shows source
        // row srcTop + srcHeight - 1 - i.
        const int firstRow = flipped ? b.flippedRow : b.srcY;
        const int step = flipped ? -1 : 1;
        const uint16_t* src = pic.Row(firstRow) + b.srcX;
        if (!keyed) {
            CopyRows(b.dst, b.dstPitch, src, step * ptrdiff_t(pic.width), b.width, b.height);
        } else if (pic.spans != nullptr) {
            CopyRuns(b.dst, b.dstPitch, pic.pixels, pic.width, *pic.spans, firstRow, step, b.srcX,
                     b.width, b.height);
        } else {
            WithFormat(m_format, [&](auto f) {
                using F = decltype(f);
                RunSrcDst<true, F>(b.dst, b.dstPitch, src, step * ptrdiff_t(pic.width), b.width,
                                   b.height, OpCopy<F>{f});
            });
        }
    });
}

bool QxScreen2D::DrawSurface(QxSurfaceHandle handle, int x, int y, int sx, int sy, int w, int h,
                             bool keyed) {
    const std::shared_ptr<const QxSurface> s = GetSurface(handle);
    return s != nullptr && DrawSurface(*s, x, y, sx, sy, w, h, keyed);
}

bool QxScreen2D::DrawSurface(const QxSurface& s, int x, int y, int sx, int sy, int w, int h,
                             bool keyed) {
    MarkWholeDirtyUnlessManual();
    return CopyPicture(PictureOf(s), int64_t(x) - s.originX, int64_t(y) - s.originY, sx, sy, w, h,
                       keyed, false);
}

bool QxScreen2D::DrawSurfaceFlipped(QxSurfaceHandle handle, int x, int y, int sx, int sy, int w,
                                    int h, bool keyed) {
    const std::shared_ptr<const QxSurface> s = GetSurface(handle);
    return s != nullptr && DrawSurfaceFlipped(*s, x, y, sx, sy, w, h, keyed);
}

bool QxScreen2D::DrawSurfaceFlipped(const QxSurface& s, int x, int y, int sx, int sy, int w, int h,
                                    bool keyed) {
    return CopyPicture(PictureOf(s), int64_t(x) - s.originX, int64_t(y) - s.originY, sx, sy, w, h,
                       keyed, true);
}

bool QxScreen2D::DrawImage16(const QxImage& image, int x, int y, int sx, int sy, int w, int h,
                             bool keyed) {
    if (image.bitsPerPixel != 16 || image.width <= 0 || image.height <= 0 ||
        image.pixels.size() < size_t(2) * size_t(image.width) * size_t(image.height)) {
        return false;
    }
    Picture pic;
    pic.pixels = reinterpret_cast<const uint16_t*>(image.pixels.data());
    pic.width = image.width;
    pic.height = image.height;
    pic.valid = true;
    return CopyPicture(pic, x, y, sx, sy, w, h, keyed, false);
}

// ---- blends -------------------------------------------------------------------------------

bool QxScreen2D::DrawSurfaceBlended(QxSurfaceHandle handle, int x, int y, int sx, int sy, int w,
                                    int h, uint32_t alpha, bool keyed) {
    const std::shared_ptr<const QxSurface> s = GetSurface(handle);
    return s != nullptr && DrawSurfaceBlended(*s, x, y, sx, sy, w, h, alpha, keyed);
}

bool QxScreen2D::DrawSurfaceBlended(const QxSurface& s, int x, int y, int sx, int sy, int w, int h,
                                    uint32_t alpha, bool keyed) {
    const bool additive = keyed && alpha == 65535;
    const int32_t a = static_cast<int32_t>(std::min<uint32_t>(alpha, 256));
    if (!additive && a == 256) {
        // d + (s - d) is s: a plain copy.
        return CopyPicture(PictureOf(s), int64_t(x) - s.originX, int64_t(y) - s.originY, sx, sy, w,
                           h, keyed, false);
    }
    return DrawPlaced(s, x, y, sx, sy, w, h, [&](const Blit& b) {
        if (!additive && a == 0) {
            return;
        }
        WithFormat(m_format, [&](auto f) {
            using F = decltype(f);
            if (additive) {
                Keyed<F>(b, OpAddSat<F>{f});
            } else {
                KeyedIf<F>(keyed, b, OpBlend<F>{f, a});
            }
        });
    });
}

bool QxScreen2D::DrawSurfaceTinted(QxSurfaceHandle handle, int x, int y, int sx, int sy, int w,
                                   int h, bool keyed, const QxColour& colour) {
    const std::shared_ptr<const QxSurface> s = GetSurface(handle);
    return s != nullptr && DrawSurfaceTinted(*s, x, y, sx, sy, w, h, keyed, colour);
}

bool QxScreen2D::DrawSurfaceTinted(const QxSurface& s, int x, int y, int sx, int sy, int w, int h,
                                   bool keyed, const QxColour& colour) {
    MarkWholeDirtyUnlessManual();
    const TintFactors k = FactorsOf(colour);
    return DrawPlaced(s, x, y, sx, sy, w, h, [&](const Blit& b) {
        WithFormat(m_format, [&](auto f) {
            using F = decltype(f);
            KeyedIf<F>(keyed, b, OpTint<F>{f, k});
        });
    });
}

bool QxScreen2D::DrawSurfaceBrightened(QxSurfaceHandle handle, int x, int y, int sx, int sy, int w,
                                       int h, bool keyed, const QxColour& colour) {
    const std::shared_ptr<const QxSurface> s = GetSurface(handle);
    if (s == nullptr) {
        return false;
    }
    MarkWholeDirtyUnlessManual();
    const TintFactors k = FactorsOf(colour);
    const auto packed = static_cast<uint16_t>(m_format.Pack(
        static_cast<uint8_t>(k.r), static_cast<uint8_t>(k.g), static_cast<uint8_t>(k.b)));
    return DrawPlaced(*s, x, y, sx, sy, w, h, [&](const Blit& b) {
        WithFormat(m_format, [&](auto f) {
            using F = decltype(f);
            KeyedIf<F>(keyed, b, OpBrighten<F>{f, packed});
        });
    });
}

bool QxScreen2D::DrawSurfaceAdditive(QxSurfaceHandle handle, int x, int y, int sx, int sy, int w,
                                     int h, int alpha) {
    const std::shared_ptr<const QxSurface> s = GetSurface(handle);
    if (s == nullptr) {
        return false;
    }
    const int32_t a = std::clamp(alpha, 0, 256);
    return DrawPlaced(*s, x, y, sx, sy, w, h, [&](const Blit& b) {
        WithFormat(m_format, [&](auto f) {
            using F = decltype(f);
            Keyed<F>(b, OpAdditive<F>{f, a});
        });
    });
}

// ---- alpha images -------------------------------------------------------------------------

bool QxScreen2D::DrawAlphaMapped(QxSurfaceHandle handle, int x, int y, int sx, int sy, int w, int h,
                                 const QxImage& alphaImage, AlphaMode mode, int alpha,
                                 const QxColour& colour) {
    const std::shared_ptr<const QxSurface> s = GetSurface(handle);
    if (s == nullptr) {
        return false;
    }
    if (alphaImage.bitsPerPixel != 8 || alphaImage.width != s->width ||
        alphaImage.height != s->height ||
        alphaImage.pixels.size() < size_t(s->width) * size_t(s->height)) {
        return false;
    }
    return DrawPlaced(*s, x, y, sx, sy, w, h, [&](const Blit& b) {
        const uint8_t* alphas = alphaImage.pixels.data();
        const ptrdiff_t pitch = s->width;
        WithFormat(m_format, [&](auto f) {
            using F = decltype(f);
            auto run = [&](const auto& op) {
                if (b.pic.spans != nullptr) {
                    ForEachRun(*b.pic.spans, pitch, b.srcY, 1, b.srcX, b.width, b.height,
                               [&](int j, int row, int rx, int n) {
                                   AlphaRun<F>(b.dst + j * b.dstPitch + (rx - b.srcX),
                                               b.pic.Row(row) + rx, alphas + row * pitch + rx, n,
                                               op);
                               });
                } else {
                    RunAlphaMapped<F>(b.dst, b.dstPitch, b.Src(), pitch,
                                      alphas + b.srcY * pitch + b.srcX, pitch, b.width, b.height,
                                      op);
                }
            };
            switch (mode) {
            case AlphaMode::Plain:
                run(OpAlphaBlend<F>{f});
                break;
            case AlphaMode::Faded:
                run(OpAlphaFaded<F>{f, std::clamp(alpha, 0, 256)});
                break;
            case AlphaMode::Tinted:
                run(OpAlphaTinted<F>{f, FactorsOf(colour)});
                break;
            case AlphaMode::Colour:
                run(OpColourAlpha<F>{f, PackColour(m_format, colour)});
                break;
            }
        });
    });
}

bool QxScreen2D::DrawSurfaceAlphaMapped(QxSurfaceHandle handle, int x, int y, int sx, int sy, int w,
                                        int h, const QxImage& alphaImage) {
    return DrawAlphaMapped(handle, x, y, sx, sy, w, h, alphaImage, AlphaMode::Plain, 0, {});
}

bool QxScreen2D::DrawSurfaceAlphaMappedFaded(QxSurfaceHandle handle, int x, int y, int sx, int sy,
                                             int w, int h, const QxImage& alphaImage, int alpha) {
    return DrawAlphaMapped(handle, x, y, sx, sy, w, h, alphaImage, AlphaMode::Faded, alpha, {});
}

bool QxScreen2D::DrawSurfaceAlphaMappedTinted(QxSurfaceHandle handle, int x, int y, int sx, int sy,
                                              int w, int h, const QxImage& alphaImage,
                                              const QxColour& colour) {
    return DrawAlphaMapped(handle, x, y, sx, sy, w, h, alphaImage, AlphaMode::Tinted, 0, colour);
}

bool QxScreen2D::DrawColourAlphaMapped(QxSurfaceHandle handle, int x, int y, int sx, int sy, int w,
                                       int h, const QxImage& alphaImage, const QxColour& colour) {
    return DrawAlphaMapped(handle, x, y, sx, sy, w, h, alphaImage, AlphaMode::Colour, 0, colour);
}

// ---- scaled -------------------------------------------------------------------------------

bool QxScreen2D::DrawSurfaceScaled(QxSurfaceHandle handle, int x, int y, int dw, int dh, int sx,
                                   int sy, int sw, int sh, bool keyed) {
    const std::shared_ptr<const QxSurface> s = GetSurface(handle);
    return s != nullptr && DrawSurfaceScaled(*s, x, y, dw, dh, sx, sy, sw, sh, keyed);
}

bool QxScreen2D::DrawSurfaceScaled(const QxSurface& s, int x, int y, int dw, int dh, int sx, int sy,
                                   int sw, int sh, bool keyed) {
    MarkWholeDirtyUnlessManual();
    const Picture pic = PictureOf(s);
    if (!pic.valid) {
        return false;
    }
    DrawScope scope(*this);
    if (!scope.Ok()) {
        return false;
    }
    // A source rectangle that starts off the picture has no sensible scaling; the
    // running source position must stay on the picture.
    if (sx < 0 || sy < 0 || sx >= pic.width || sy >= pic.height || dw <= 0 || dh <= 0) {
        return true;
    }
    sw = static_cast<int>(std::min<uint32_t>(static_cast<uint32_t>(sw), uint32_t(pic.width - sx)));
    sh = static_cast<int>(std::min<uint32_t>(static_cast<uint32_t>(sh), uint32_t(pic.height - sy)));
    if (sw == 0 || sh == 0) {
        return true;
    }
    if (sw == dw && sh == dh) {
        return DrawSurface(s, x, y, sx, sy, sw, sh, keyed);
    }
    const QxRect dest = RectAt(x, y, dw, dh);
    const QxRect c = scope.Clip(dest);
    if (c.IsEmpty()) {
        return true;
    }
    // The source column of each destination column is the running float, truncated,
    // counted from the destination's own left edge so that clipping never moves a
    // pixel; it is kept inside the source rectangle against rounding.
    const float stepX = float(sw) / float(dw);
    const float stepY = float(sh) / float(dh);
    const int lastCol = sx + sw - 1;
    const int lastRow = sy + sh - 1;
    m_scaleColumns.resize(size_t(c.Width()));
    float fx = float(sx);
    for (int64_t i = x; i < c.right; ++i, fx += stepX) {
        if (i >= c.left) {
            m_scaleColumns[size_t(i - c.left)] = std::min(static_cast<int>(fx), lastCol);
        }
    }
    float fy = float(sy);
    for (int64_t j = y; j < c.top; ++j) {
        fy += stepY;
    }
    const int* cols = m_scaleColumns.data();
    const int n = c.Width();
    for (int j = c.top; j < c.bottom; ++j, fy += stepY) {
        const uint16_t* srow = pic.Row(std::min(static_cast<int>(fy), lastRow));
        uint16_t* dst = scope.At(c.left, j);
        if (keyed) {
            for (int i = 0; i < n; ++i) {
                const uint16_t v = srow[cols[i]];
                if (v != 0) {
                    dst[i] = v;
                }
            }
        } else {
            for (int i = 0; i < n; ++i) {
                dst[i] = srow[cols[i]];
            }
        }
    }
    return true;
}

// ---- tiles --------------------------------------------------------------------------------

namespace {

// The copies along one axis of a tiling that can reach the back buffer. The first
// copy spans size - src pixels of the rectangle, each later one size. Copies wholly
// before the buffer or starting past it draw nothing and are passed over, so a huge
// rectangle costs no more than the buffer it covers.
struct TileAxis {
    int64_t start = 0; // offset into the rectangle of the first copy drawn
    int src = 0;       // source position of that copy
    int64_t end = 0;   // no copy starts at or after this offset
};

TileAxis VisibleCopies(int64_t pos, int64_t len, int size, int src, int screen) {
    TileAxis a{0, src, std::min<int64_t>(len, int64_t(screen) - pos)};
    const int64_t first = size - src;
    if (pos + first <= 0) {
        a.start = first + (-(pos + first)) / size * size;
        a.src = 0;
    }
    return a;
}

} // namespace

template <class Draw>
bool QxScreen2D::Tile(QxSurfaceHandle handle, int x, int y, int w, int h, int sx, int sy,
                      const Draw& draw) {
    const std::shared_ptr<const QxSurface> s = GetSurface(handle);
    if (s == nullptr) {
        return false;
    }
    const int sw = s->width;
    const int sh = s->height;
    if (sw <= 0 || sh <= 0 || w <= 0 || h <= 0) {
        return true;
    }
    // A start outside the picture wraps onto it.
    sx = ((sx % sw) + sw) % sw;
    sy = ((sy % sh) + sh) % sh;
    const TileAxis cols = VisibleCopies(int64_t(x) - s->originX, w, sw, sx, m_width);
    const TileAxis rows = VisibleCopies(int64_t(y) - s->originY, h, sh, sy, m_height);
    bool ok = true;
    int rowSrc = rows.src;
    for (int64_t ty = rows.start; ty < rows.end;) {
        const int ch = static_cast<int>(std::min<int64_t>(sh - rowSrc, h - ty));
        int colSrc = cols.src;
        for (int64_t tx = cols.start; tx < cols.end;) {
            const int cw = static_cast<int>(std::min<int64_t>(sw - colSrc, w - tx));
            ok = draw(*s, Pin(x + tx), Pin(y + ty), colSrc, rowSrc, cw, ch) && ok;
            tx += cw;
            colSrc = 0;
        }
        ty += ch;
        rowSrc = 0;
    }
    return ok;
}

bool QxScreen2D::TileSurface(QxSurfaceHandle handle, int x, int y, int w, int h, int sx, int sy,
                             bool keyed) {
    // Each copy is a DrawSurface, which marks everything dirty when tracking is off,
    // even where no copy lands on the buffer.
    if (w > 0 && h > 0 && IsSurfaceValid(handle)) {
        MarkWholeDirtyUnlessManual();
    }
    return Tile(handle, x, y, w, h, sx, sy,
                [&](const QxSurface& s, int cx, int cy, int csx, int csy, int cw, int ch) {
                    return DrawSurface(s, cx, cy, csx, csy, cw, ch, keyed);
                });
}

bool QxScreen2D::TileSurface(QxSurfaceHandle handle, int x, int y, int w, int h, bool keyed) {
    return TileSurface(handle, x, y, w, h, 0, 0, keyed);
}

bool QxScreen2D::TileSurfaceBlended(QxSurfaceHandle handle, int x, int y, int w, int h,
                                    uint32_t alpha, bool keyed) {
    return Tile(handle, x, y, w, h, 0, 0,
                [&](const QxSurface& s, int cx, int cy, int csx, int csy, int cw, int ch) {
                    return DrawSurfaceBlended(s, cx, cy, csx, csy, cw, ch, alpha, keyed);
                });
}

// ---- rectangles and lines ----------------------------------------------------------------

bool QxScreen2D::TintRect(int x, int y, int w, int h, const QxColour& colour) {
    MarkWholeDirtyUnlessManual();
    DrawScope scope(*this);
    if (!scope.Ok()) {
        return false;
    }
    const QxRect c = scope.Clip(RectAt(x, y, w, h));
    if (c.IsEmpty()) {
        return true;
    }
    const TintFactors k = FactorsOf(colour);
    WithFormat(m_format, [&](auto f) {
        using F = decltype(f);
        RunInPlace<true, F>(scope.At(c.left, c.top), scope.Pitch(), c.Width(), c.Height(),
                            OpTintInPlace<F>{f, k});
    });
    return true;
}

bool QxScreen2D::FillRect(const QxRect& rect, const QxColour& colour) {
    DrawScope scope(*this);
    if (!scope.Ok()) {
        return false;
    }
    const QxRect c = scope.Clip(rect);
    if (c.IsEmpty() || colour.alpha == 0) {
        return true;
    }
    const uint16_t packed = PackColour(m_format, colour);
    uint16_t* dst = scope.At(c.left, c.top);
    if (colour.alpha == 255) {
        FillRows(dst, scope.Pitch(), c.Width(), c.Height(), packed);
        return true;
    }
    WithFormat(m_format, [&](auto f) {
        using F = decltype(f);
        RunInPlace<false, F>(dst, scope.Pitch(), c.Width(), c.Height(),
                             OpFillBlend<F>{f, packed, colour.alpha});
    });
    return true;
}

namespace {

// Sets (alpha 255) or blends (below) n pixels that are step apart.
void Span(const QxPixelFormat& format, uint16_t* p, ptrdiff_t step, int n, const QxColour& c) {
    const uint16_t packed = PackColour(format, c);
    if (c.alpha == 255) {
        for (int i = 0; i < n; ++i, p += step) {
            *p = packed;
        }
        return;
    }
    WithFormat(format, [&](auto f) {
        uint16_t* q = p;
        for (int i = 0; i < n; ++i, q += step) {
            *q = Blend(f, packed, *q, c.alpha);
        }
    });
}

} // namespace

bool QxScreen2D::DrawHLine(int y, int x1, int x2, const QxColour& colour) {
    DrawScope scope(*this);
    if (!scope.Ok()) {
        return false;
    }
    // A span wholly off the back buffer draws nothing (it is not pulled onto the edge).
    if (y < 0 || y >= scope.Height() || x2 < 0 || x1 >= scope.Width()) {
        return true;
    }
    x1 = std::max(x1, 0);
    x2 = std::min(x2, scope.Width() - 1);
    if (x1 <= x2) {
        Span(m_format, scope.At(x1, y), 1, x2 - x1 + 1, colour);
    }
    return true;
}

bool QxScreen2D::DrawVLine(int x, int y1, int y2, const QxColour& colour) {
    DrawScope scope(*this);
    if (!scope.Ok()) {
        return false;
    }
    if (x < 0 || x >= scope.Width() || y2 < 0 || y1 >= scope.Height()) {
        return true;
    }
    y1 = std::max(y1, 0);
    y2 = std::min(y2, scope.Height() - 1);
    if (y1 <= y2) {
        Span(m_format, scope.At(x, y1), scope.Pitch(), y2 - y1 + 1, colour);
    }
    return true;
}

bool QxScreen2D::DrawLine(const QxPoint& p1, const QxPoint& p2, const QxColour& colour) {
    DrawScope scope(*this);
    if (!scope.Ok()) {
        return false;
    }
    // 8.8 fixed point; 64-bit so that far-away end points cannot overflow.
    const int64_t dx = int64_t(p2.x) - p1.x;
    const int64_t dy = int64_t(p2.y) - p1.y;
    const int64_t n = std::max(std::abs(dx), std::abs(dy));
    if (n == 0) {
        return true;
    }
    const int64_t incX = dx * 256 / n;
    const int64_t incY = dy * 256 / n;
    int64_t fx = int64_t(p1.x) * 256;
    int64_t fy = int64_t(p1.y) * 256;
    const uint16_t packed = PackColour(m_format, colour);
    for (int64_t i = 0; i < n; ++i, fx += incX, fy += incY) {
        const int64_t px = fx >> 8;
        const int64_t py = fy >> 8;
        if (scope.Inside(px, py)) {
            *scope.At(static_cast<int>(px), static_cast<int>(py)) = packed;
        }
    }
    return true;
}

bool QxScreen2D::DrawRect(const QxRect& r, const QxColour& colour) {
    bool ok = DrawVLine(r.left, r.top, r.bottom, colour);
    ok = DrawVLine(r.right, r.top, r.bottom, colour) && ok;
    ok = DrawHLine(r.top, r.left, r.right, colour) && ok;
    ok = DrawHLine(r.bottom, r.left, r.right, colour) && ok;
    return ok;
}

bool QxScreen2D::DrawFrame3D(const QxRect& r, const QxColour& fill, const QxColour& light,
                             const QxColour& shadow) {
    bool ok = FillRect(r, fill);
    if (light == shadow) {
        ok = DrawHLine(r.top, r.left, r.right - 1, light) && ok;
        ok = DrawVLine(r.left, r.top, r.bottom - 1, light) && ok;
        ok = DrawVLine(r.right - 1, r.top, r.bottom - 1, shadow) && ok;
        ok = DrawHLine(r.bottom - 1, r.left, r.right - 1, shadow) && ok;
    } else {
        // Light and shadow never share a corner pixel.
        ok = DrawHLine(r.top, r.left, r.right - 2, light) && ok;
        ok = DrawVLine(r.left, r.top, r.bottom - 2, light) && ok;
        ok = DrawVLine(r.right - 1, r.top + 1, r.bottom - 1, shadow) && ok;
        ok = DrawHLine(r.bottom - 1, r.left + 1, r.right - 1, shadow) && ok;
    }
    return ok;
}
