#include "engine/screen/QxWin32Screen2D.h"

#include <algorithm>
#include <cstring>

#include "engine/files/QxLog.h"
#include "engine/screen/QxPng.h"

namespace {

// Largest back buffer side accepted; beyond it the bitmaps are not made.
constexpr int kMaxSide = 16384;

} // namespace

QxWin32Screen2D::QxWin32Screen2D() : QxWin32Screen2D(platform::CreateScreenWindow) {}

QxWin32Screen2D::QxWin32Screen2D(WindowFactory factory) : m_factory(std::move(factory)) {}

QxWin32Screen2D::~QxWin32Screen2D() {
    DestroyScreen();
}

bool QxWin32Screen2D::MakeBitmap(Bitmap& bitmap, int bits, int width, int height) {
    bitmap = Bitmap{};
    if (width > kMaxSide || height > kMaxSide) {
        return false;
    }
    bitmap.bitsPerPixel = bits;
    bitmap.width = width;
    bitmap.height = height;
    // Rows padded to a multiple of 4 bytes.
    bitmap.pitch = ((bits / 8) * width + 3) & ~3;
    bitmap.pixels.assign(static_cast<size_t>(bitmap.pitch) * static_cast<size_t>(height), 0);
    return true;
}

bool QxWin32Screen2D::CreateScreen(QxDisplayMode* mode, const std::string& title) {
    if (m_lockCount > 0 || mode == nullptr) {
        return false;
    }
    if (m_created || m_window) {
        DestroyScreen();
    }
    bool fullScreen = mode->fullScreen;
    if (platform::DesktopBitsPerPixel() < 15) {
        fullScreen = true;
    }
    platform::WindowOptions options;
    options.title = title;
    options.width = std::max(1, mode->width);
    options.height = std::max(1, mode->height);
    options.fullScreen = fullScreen;
    options.sizeIsClient = m_adjustToClient;
    options.owner = this;
    m_window = m_factory ? m_factory(options) : nullptr;
    if (!m_window) {
        LogPrintf("CreateWin32Screen2D - Failed Creating Window");
        return false;
    }
    m_title = title;
    // A new window starts with the cursor shown; keep the state the game asked for.
    if (m_cursorHidden) {
        m_window->ShowCursor(false);
    }

    const int bits = std::clamp(mode->format.bitsPerPixel / 8 * 8, 8, 32);
    const int width = std::max(1, mode->width);
    const int height = std::max(1, mode->height);
    // Failing bitmaps leave the screen without pixels; drawing then refuses.
    if (!MakeBitmap(m_back, bits, width, height) || !MakeBitmap(m_present, bits, width, height)) {
        m_back = Bitmap{};
        m_present = Bitmap{};
    }
    QxPixelFormat format;
    if (bits == 16) {
        format = QxPixelFormat::FromMasks(16, 0x7C00, 0x03E0, 0x001F);
    } else if (bits >= 24) {
        format = QxPixelFormat::FromMasks(bits, 0xFF0000, 0x00FF00, 0x0000FF);
    } else {
        format.bitsPerPixel = bits;
    }
    m_width = width;
    m_height = height;
    m_fullScreen = fullScreen;
    m_format = format;
    mode->format = format;
    m_created = true;
    ClearScreen();
    return true;
}

bool QxWin32Screen2D::DestroyScreen() {
    FreeAllSurfaces();
    m_back = Bitmap{};
    m_present = Bitmap{};
    m_lockCount = 0;
    m_window.reset();
    m_created = false;
    return true;
}

bool QxWin32Screen2D::Present() {
    if (m_lockCount > 0 || !m_window) {
        return false;
    }
    const auto dirty = GetDirtyList();
    // The box around the rows that really changed: the window then copies and scales
    // only that rather than finding the changes in the whole picture again.
    platform::PictureArea changed{m_back.width, m_back.height, 0, 0};
    if (!dirty.empty() && !m_back.pixels.empty()) {
        const int bpp = m_back.bitsPerPixel / 8;
        const QxRect bounds{0, m_back.width, 0, m_back.height};
        for (const QxRect& r : dirty) {
            const QxRect c = Intersect(r, bounds);
            if (c.IsEmpty()) {
                continue;
            }
            const size_t offset = size_t(c.left) * size_t(bpp);
            const size_t bytes = size_t(c.Width()) * size_t(bpp);
            for (int y = c.top; y < c.bottom; ++y) {
                const size_t row = size_t(y) * size_t(m_back.pitch) + offset;
                auto* shown = m_present.pixels.data() + row;
                const auto* drawn = m_back.pixels.data() + row;
                if (std::memcmp(shown, drawn, bytes) != 0) {
                    std::memcpy(shown, drawn, bytes);
                    changed.left = std::min(changed.left, c.left);
                    changed.right = std::max(changed.right, c.right);
                    changed.top = std::min(changed.top, y);
                    changed.bottom = std::max(changed.bottom, y + 1);
                }
            }
        }
        // The window shows the whole presentation image, so one stretch after all the
        // copies leaves it as a stretch after each copy would. Screens often mark areas
        // they redraw unchanged (a cursor or button drawn again in place); showing the
        // same picture again would cost the scaling and upload for nothing.
        if (changed.left < changed.right && m_present.bitsPerPixel == 16) {
            m_window->ShowImage(reinterpret_cast<const uint16_t*>(m_present.pixels.data()),
                                m_present.width, m_present.height, m_present.pitch, changed);
        }
    }
    ClearDirty();
    return true;
}

bool QxWin32Screen2D::ClearScreen() {
    QxSurfaceDesc desc;
    if (!LockBackBuffer(&desc)) {
        return false;
    }
    std::fill(m_back.pixels.begin(), m_back.pixels.end(), uint8_t{0});
    ClearDirty();
    MarkDirty(QxRect{0, m_width, 0, m_height}, true);
    UnlockBackBuffer();
    return true;
}

bool QxWin32Screen2D::MinimizeScreen(bool on) {
    if (!m_window) {
        return false;
    }
    if (m_fullScreen) {
        m_window->Minimise(on);
    }
    return true;
}

bool QxWin32Screen2D::SetHighPriority(bool on) {
    platform::SetProcessHighPriority(on);
    return true;
}

bool QxWin32Screen2D::ShowMouseCursor(bool show) {
    // Only a change reaches the platform, so repeated calls do not stack.
    if (show == m_cursorHidden) {
        m_cursorHidden = !show;
        if (m_window) {
            m_window->ShowCursor(show);
        }
    }
    return true;
}

bool QxWin32Screen2D::SetMousePosition(const QxPoint& point) {
    if (!m_window) {
        return false;
    }
    m_window->SetMousePosition(point.x, point.y);
    return true;
}

bool QxWin32Screen2D::GetMousePosition(QxPoint* point) {
    if (!m_window || point == nullptr) {
        return false;
    }
    int x = 0;
    int y = 0;
    if (!m_window->GetMousePosition(&x, &y)) {
        return false;
    }
    point->x = x;
    point->y = y;
    return true;
}

bool QxWin32Screen2D::ToggleFullScreen() {
    if (!m_created) {
        return false;
    }
    const bool was = m_fullScreen;
    QxDisplayMode mode;
    mode.width = m_width;
    mode.height = m_height;
    mode.format.bitsPerPixel = m_format.bitsPerPixel;
    mode.fullScreen = !was;
    const std::string title = m_title;
    CreateScreen(&mode, title);
    return m_created && m_fullScreen != was;
}

bool QxWin32Screen2D::LockBackBuffer(QxSurfaceDesc* desc) {
    if (desc == nullptr || m_back.pixels.empty()) {
        return false;
    }
    ++m_lockCount;
    desc->bytesPerPixel = m_back.bitsPerPixel / 8;
    desc->width = m_back.width;
    desc->height = m_back.height;
    desc->pitch = m_back.pitch;
    desc->pixels = m_back.pixels.data();
    return true;
}

bool QxWin32Screen2D::UnlockBackBuffer() {
    m_lockCount = std::max(0, m_lockCount - 1);
    return true;
}

bool QxWin32Screen2D::SavePresentationPng(const std::string& path) const {
    if (m_present.bitsPerPixel != 16 || m_present.pixels.empty()) {
        return false;
    }
    return SavePng(path, reinterpret_cast<const uint16_t*>(m_present.pixels.data()),
                   m_present.width, m_present.height, m_present.pitch);
}
