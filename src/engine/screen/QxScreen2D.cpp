#include "engine/screen/QxScreen2D.h"

#include <algorithm>
#include <limits>

#include "engine/files/QxImage.h"
#include "engine/screen/QxBlit.h"

QxScreen2D::QxScreen2D() = default;
QxScreen2D::~QxScreen2D() = default;

// ---- dirty list ---------------------------------------------------------------------

bool QxScreen2D::MarkDirty(const QxRect& rect, bool clear) {
    {
        std::lock_guard lock(m_dirtyLock);
        if (!AddDirtyLocked(rect)) {
            return false;
        }
    }
    if (!clear) {
        return true;
    }
    const QxRect cut = Intersect(rect, BackBufferRect());
    QxSurfaceDesc desc;
    if (!LockBackBuffer(&desc)) {
        return false;
    }
    if (desc.bytesPerPixel == 2 && desc.pixels != nullptr) {
        const QxRect area = Intersect(cut, QxRect{0, desc.width, 0, desc.height});
        if (!area.IsEmpty()) {
            auto* row = reinterpret_cast<uint16_t*>(desc.pixels + ptrdiff_t(area.top) * desc.pitch);
            qxblit::FillRows(row + area.left, desc.pitch / 2, area.Width(), area.Height(), 0);
        }
    }
    UnlockBackBuffer();
    return true;
}

bool QxScreen2D::AddDirtyLocked(const QxRect& rect) {
    if (rect.IsEmpty()) {
        return false;
    }
    const QxRect cut = Intersect(rect, BackBufferRect());
    if (cut.IsEmpty()) {
        // Wholly outside the back buffer: there is nothing to redraw, and adding the
        // degenerate piece could wrongly grow a rectangle it touches.
        return false;
    }
    if (m_dirtyCount >= kMaxDirtyRects - 1) {
        // Too many pieces to track: redraw everything.
        m_dirtyCount = 0;
        m_dirty[m_dirtyCount++] = BackBufferRect();
        return true;
    }
    for (int i = 0; i < m_dirtyCount; ++i) {
        if (m_dirty[i].Touches(cut)) {
            m_dirty[i] = Union(m_dirty[i], cut);
            return true;
        }
    }
    m_dirty[m_dirtyCount++] = cut;
    return true;
}

bool QxScreen2D::MarkDirtyList(std::span<const QxRect> rects) {
    return MarkDirtyListOffset(rects, 0, 0);
}

bool QxScreen2D::MarkDirtyListOffset(std::span<const QxRect> rects, int dx, int dy) {
    std::lock_guard lock(m_dirtyLock);
    if (static_cast<size_t>(m_dirtyCount) + rects.size() >= static_cast<size_t>(kMaxDirtyRects)) {
        m_dirtyCount = 0;
        return AddDirtyLocked(BackBufferRect());
    }
    auto moved = [](int32_t v, int d) {
        const int64_t r = int64_t(v) + d;
        return static_cast<int32_t>(std::clamp<int64_t>(r, 0, std::numeric_limits<int32_t>::max()));
    };
    for (const QxRect& r : rects) {
        AddDirtyLocked(
            QxRect{moved(r.left, dx), moved(r.right, dx), moved(r.top, dy), moved(r.bottom, dy)});
    }
    return true;
}

bool QxScreen2D::ClearDirty() {
    std::lock_guard lock(m_dirtyLock);
    m_dirtyCount = 0;
    return true;
}

bool QxScreen2D::SetManualDirty(bool on) {
    m_manualDirty = on;
    return true;
}

std::vector<QxRect> QxScreen2D::GetDirtyList() const {
    std::lock_guard lock(m_dirtyLock);
    return std::vector<QxRect>(m_dirty.begin(), m_dirty.begin() + m_dirtyCount);
}

bool QxScreen2D::MarkWholeDirtyUnlessManual() {
    if (!m_manualDirty) {
        return MarkDirty(BackBufferRect(), false);
    }
    return true;
}

// ---- surface table ------------------------------------------------------------------

size_t QxScreen2D::SurfaceCount() const {
    std::lock_guard lock(m_surfaceLock);
    return m_surfaces.size();
}

QxSurfaceHandle QxScreen2D::IssueHandle(std::shared_ptr<QxSurface> surface) {
    std::lock_guard lock(m_surfaceLock);
    // Handles only grow; once the counter runs out no more surfaces are made rather
    // than handing out a value twice.
    if (m_lastHandle >= std::numeric_limits<QxSurfaceHandle>::max() - 1) {
        return kNoSurface;
    }
    const QxSurfaceHandle handle = ++m_lastHandle;
    m_surfaces.emplace(handle, std::move(surface));
    return handle;
}

bool QxScreen2D::AdoptSurface(std::unique_ptr<QxSurface> surface, QxSurfaceHandle* handle) {
    if (!surface || handle == nullptr || surface->width < 0 || surface->height < 0 ||
        surface->pixels.size() !=
            static_cast<size_t>(surface->width) * static_cast<size_t>(surface->height)) {
        return false;
    }
    surface->spans.Build(*surface);
    const QxSurfaceHandle issued = IssueHandle(std::move(surface));
    if (issued == kNoSurface) {
        return false;
    }
    *handle = issued;
    return true;
}

std::shared_ptr<const QxSurface> QxScreen2D::GetSurface(QxSurfaceHandle handle) {
    std::lock_guard lock(m_surfaceLock);
    const auto it = m_surfaces.find(handle);
    return it == m_surfaces.end() ? nullptr : it->second;
}

bool QxScreen2D::EditSurface(QxSurfaceHandle handle, const std::function<void(QxSurface&)>& edit) {
    std::shared_ptr<QxSurface> s;
    {
        std::lock_guard lock(m_surfaceLock);
        const auto it = m_surfaces.find(handle);
        if (it == m_surfaces.end() || it->second->lockCount > 0) {
            return false;
        }
        s = it->second;
    }
    s->spans.Clear();
    edit(*s);
    s->spans.Build(*s);
    return true;
}

bool QxScreen2D::SetSurfaceOrigin(QxSurfaceHandle handle, const QxPoint& origin) {
    std::lock_guard lock(m_surfaceLock);
    const auto it = m_surfaces.find(handle);
    if (it == m_surfaces.end()) {
        return false;
    }
    it->second->originX = origin.x;
    it->second->originY = origin.y;
    return true;
}

bool QxScreen2D::GetSurfaceName(QxSurfaceHandle handle, std::string* name) {
    std::lock_guard lock(m_surfaceLock);
    const auto it = m_surfaces.find(handle);
    if (it == m_surfaces.end() || name == nullptr) {
        return false;
    }
    *name = it->second->name;
    return true;
}

bool QxScreen2D::FreeSurface(QxSurfaceHandle handle) {
    std::lock_guard lock(m_surfaceLock);
    return m_surfaces.erase(handle) != 0;
}

bool QxScreen2D::IsSurfaceValid(QxSurfaceHandle handle) const {
    std::lock_guard lock(m_surfaceLock);
    return m_surfaces.find(handle) != m_surfaces.end();
}

bool QxScreen2D::FreeAllSurfaces() {
    std::lock_guard lock(m_surfaceLock);
    m_surfaces.clear();
    return true;
}

bool QxScreen2D::LockSurface(QxSurfaceHandle handle, QxSurfaceDesc* desc) {
    std::lock_guard lock(m_surfaceLock);
    const auto it = m_surfaces.find(handle);
    if (it == m_surfaces.end() || desc == nullptr) {
        return false;
    }
    QxSurface& s = *it->second;
    // Locked pixels may change at any time: drawing goes pixel by pixel until the
    // last unlock reads the runs again.
    ++s.lockCount;
    desc->bytesPerPixel = 2;
    desc->width = s.width;
    desc->height = s.height;
    desc->pitch = s.width * 2;
    desc->pixels = reinterpret_cast<uint8_t*>(s.pixels.data());
    return true;
}

bool QxScreen2D::UnlockSurface(QxSurfaceHandle handle) {
    std::lock_guard lock(m_surfaceLock);
    const auto it = m_surfaces.find(handle);
    if (it == m_surfaces.end()) {
        return false;
    }
    QxSurface& s = *it->second;
    if (s.lockCount > 0 && --s.lockCount == 0) {
        s.spans.Build(s);
    }
    return true;
}

bool QxScreen2D::HalveSurface(QxSurfaceHandle handle) {
    std::lock_guard lock(m_surfaceLock);
    const auto it = m_surfaces.find(handle);
    if (it == m_surfaces.end() || it->second->lockCount > 0) {
        return false;
    }
    const QxSurface& old = *it->second;
    auto half = std::make_shared<QxSurface>();
    half->Resize(old.width / 2, old.height / 2);
    for (int y = 0; y < half->height; ++y) {
        std::copy_n(old.Row(y), half->width, half->Row(y));
    }
    half->spans.Build(*half);
    // Whoever still holds the old record keeps drawing the old picture.
    it->second = std::move(half);
    return true;
}

// ---- making surfaces from images ---------------------------------------------------------

namespace {

uint16_t Word(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

// Error diffusion of one channel: half of the quantisation error goes right, the
// rest down.
struct Diffuser {
    const QxPixelFormat::Channel& channel;
    std::vector<int> below; // error carried to the next row, per column
    int right = 0;

    Diffuser(const QxPixelFormat::Channel& c, int width) : channel(c), below(size_t(width), 0) {}

    uint32_t Quantise(int component, int x) {
        const int v = std::min(255, component + right + below[size_t(x)]);
        const int lossMask = (1 << channel.loss) - 1;
        const int e = v & lossMask; // v minus v with its loss bits cleared
        right = e >> 1;
        below[size_t(x)] = e - (e >> 1);
        return channel.Pack(static_cast<uint8_t>(v));
    }
};

} // namespace

bool QxScreen2D::CreateSurface(const QxImage& image, QxSurfaceHandle* handle, uint32_t flags) {
    if (handle == nullptr || m_format.bitsPerPixel != 16 || image.width <= 0 || image.height <= 0 ||
        !QxImage::IsSupportedDepth(image.bitsPerPixel)) {
        return false;
    }
    const int w = image.width;
    const int h = image.height;
    const size_t needed = static_cast<size_t>(image.BytesPerPixel()) * size_t(w) * size_t(h);
    if (image.pixels.size() < needed) {
        return false;
    }
    auto surface = std::make_shared<QxSurface>();
    surface->Resize(w, h);
    surface->name = image.name;
    const QxPixelFormat& f = m_format;

    switch (image.bitsPerPixel) {
    case 8: {
        if (image.palette.empty()) {
            return false;
        }
        // Entries a short palette lacks count as black.
        std::array<QxColour, 256> pal{};
        std::copy_n(image.palette.begin(), std::min<size_t>(256, image.palette.size()),
                    pal.begin());
        if ((flags & kCreateDithered) == 0) {
            std::array<uint16_t, 256> lut{};
            for (size_t i = 0; i < 256; ++i) {
                lut[i] = static_cast<uint16_t>(f.Pack(pal[i].red, pal[i].green, pal[i].blue));
            }
            for (int y = 0; y < h; ++y) {
                const uint8_t* in = image.Row(y);
                uint16_t* out = surface->Row(y);
                for (int x = 0; x < w; ++x) {
                    out[x] = lut[in[x]];
                }
            }
        } else {
            Diffuser r(f.red, w), g(f.green, w), b(f.blue, w);
            for (int y = 0; y < h; ++y) {
                r.right = g.right = b.right = 0;
                const uint8_t* in = image.Row(y);
                uint16_t* out = surface->Row(y);
                for (int x = 0; x < w; ++x) {
                    const QxColour& c = pal[in[x]];
                    out[x] = static_cast<uint16_t>(r.Quantise(c.red, x) | g.Quantise(c.green, x) |
                                                   b.Quantise(c.blue, x));
                }
            }
        }
        break;
    }
    case 15:
    case 16: {
        const bool is15 = image.bitsPerPixel == 15;
        for (int y = 0; y < h; ++y) {
            const uint8_t* in = image.Row(y);
            uint16_t* out = surface->Row(y);
            for (int x = 0; x < w; ++x) {
                const uint32_t p = Word(in + 2 * x);
                const auto red = static_cast<uint8_t>(is15 ? (p >> 7) & 0xF8 : (p >> 8) & 0xF8);
                const auto green = static_cast<uint8_t>(is15 ? (p >> 2) & 0xF8 : (p >> 3) & 0xFC);
                const auto blue = static_cast<uint8_t>((p << 3) & 0xF8);
                out[x] = static_cast<uint16_t>(f.Pack(red, green, blue));
            }
        }
        break;
    }
    case 24:
    case 32: {
        const int step = image.BytesPerPixel();
        for (int y = 0; y < h; ++y) {
            const uint8_t* in = image.Row(y);
            uint16_t* out = surface->Row(y);
            for (int x = 0; x < w; ++x, in += step) {
                out[x] = static_cast<uint16_t>(f.Pack(in[2], in[1], in[0]));
            }
        }
        break;
    }
    default:
        return false;
    }

    surface->spans.Build(*surface);
    const QxSurfaceHandle issued = IssueHandle(std::move(surface));
    if (issued == kNoSurface) {
        return false;
    }
    *handle = issued;
    return true;
}
