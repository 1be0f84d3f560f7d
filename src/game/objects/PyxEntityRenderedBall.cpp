#include "game/objects/PyxEntityRenderedBall.h"

#include <algorithm>
#include <cmath>

#include "app/QxGlobals.h"
#include "engine/screen/QxScreen2D.h"

namespace {

struct Tint {
    double red;
    double green;
    double blue;
};

constexpr Tint kTintScales[PyxEntityRenderedBallType::kTints] = {
    {1.0, 1.0, 1.0}, {0.75, 0.75, 0.75}, {0.0, 1.0, 1.0}, {0.5, 0.5, 1.0}};

// What the glass shows beyond the screen's edges.
constexpr std::uint8_t kOffScreenGrey = 50;

std::uint8_t Blend(int screen, int colour, int weight) {
    return std::uint8_t(std::clamp(screen + (colour - screen) * weight / 256, 0, 255));
}

} // namespace

// ---- type -------------------------------------------------------------------------

PyxEntityRenderedBallType::PyxEntityRenderedBallType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    SetRadius(kRadius);
}

PyxEntityRenderedBallType::~PyxEntityRenderedBallType() {
    if (m_imageHandle != 0 && g_screen) {
        g_screen->FreeSurface(m_imageHandle);
    }
}

PyxLensEntry PyxEntityRenderedBallType::MakeLensEntry(int i, int j, int tint) {
    const double half = kRadius;
    const double px = i + 0.5 - half;
    const double py = j + 0.5 - half;
    const double r = std::sqrt(px * px + py * py) / half;
    // Beyond the rim there is no glass: the entry is transparent whatever it holds, and
    // the depth is taken as 0 instead of the root of a negative number.
    const double z = r <= 1.0 ? std::sqrt(1.0 - r * r) : 0.0;
    const double s = 0.71 * z - 0.5041 * (px / half + py / half);
    const int shade = std::clamp(int(128.0 * s * s * s + 128.0), 0, 255);
    const Tint& t = kTintScales[std::clamp(tint, 0, kTints - 1)];
    PyxLensEntry entry;
    entry.dx = std::int16_t(int(4.0 * z * px));
    entry.dy = std::int16_t(int(4.0 * z * py));
    entry.red = std::uint8_t(int(shade * t.red));
    entry.green = std::uint8_t(int(shade * t.green));
    entry.blue = std::uint8_t(int(shade * t.blue));
    entry.alpha = r > 1.0 ? 0 : std::uint8_t(std::max(0, 200 - shade / 2));
    return entry;
}

bool PyxEntityRenderedBallType::Load(bool reload) {
    if (IsLoaded() && !reload) {
        return true;
    }
    for (int tint = 0; tint < kTints; ++tint) {
        if (!m_lens[tint].empty()) {
            continue;
        }
        m_lens[tint].resize(std::size_t(kLensSize) * kLensSize);
        for (int j = 0; j < kLensSize; ++j) {
            for (int i = 0; i < kLensSize; ++i) {
                m_lens[tint][std::size_t(j) * kLensSize + i] = MakeLensEntry(i, j, tint);
            }
        }
    }
    ImageHandle();
    return PyxEntityBallBaseType::Load(reload);
}

bool PyxEntityRenderedBallType::Unload() {
    if (m_imageHandle != 0 && g_screen) {
        g_screen->FreeSurface(m_imageHandle);
    }
    m_imageHandle = 0;
    return PyxEntityBallBaseType::Unload();
}

std::uint32_t PyxEntityRenderedBallType::ImageHandle() {
    if (!g_screen) {
        return 0;
    }
    if (m_imageHandle != 0 && g_screen->IsSurfaceValid(m_imageHandle)) {
        return m_imageHandle;
    }
    auto surface = std::make_unique<QxSurface>();
    surface->Resize(kImageSize, kImageSize);
    QxSurfaceHandle handle = 0;
    m_imageHandle = g_screen->AdoptSurface(std::move(surface), &handle) ? handle : 0;
    return m_imageHandle;
}

std::shared_ptr<const QxSurface> PyxEntityRenderedBallType::Image() {
    const std::uint32_t handle = ImageHandle();
    return handle != 0 ? g_screen->GetSurface(handle) : nullptr;
}

// ---- rendering --------------------------------------------------------------------

void PyxRenderLens(const std::vector<PyxLensEntry>& lens, const QxSurfaceDesc& screen,
                   const QxPixelFormat& format, std::int32_t left, std::int32_t top,
                   QxSurface& image) {
    constexpr int kSize = PyxEntityRenderedBallType::kLensSize;
    std::fill(image.pixels.begin(), image.pixels.end(), std::uint16_t(0));
    if (lens.size() < std::size_t(kSize) * kSize || image.width < kSize || image.height < kSize) {
        return;
    }
    const bool readable = screen.pixels && screen.bytesPerPixel == 2;
    for (int j = 0; j < kSize; ++j) {
        const std::int64_t row = std::int64_t(top) + j;
        if (row < 0) {
            continue;
        }
        std::uint16_t* out = image.Row(j);
        for (int i = 0; i < kSize; ++i) {
            const std::int64_t col = std::int64_t(left) + i;
            if (col < 0) {
                continue;
            }
            const PyxLensEntry& e = lens[std::size_t(j) * kSize + i];
            if (e.alpha == 0) {
                continue;
            }
            const std::int64_t sx = col + e.dx;
            const std::int64_t sy = row + e.dy;
            int red = kOffScreenGrey;
            int green = kOffScreenGrey;
            int blue = kOffScreenGrey;
            if (readable && sx >= 0 && sy >= 0 && sx < screen.width && sy < screen.height) {
                const auto* line = reinterpret_cast<const std::uint16_t*>(
                    screen.pixels + std::ptrdiff_t(sy) * screen.pitch);
                const std::uint32_t pixel = line[sx];
                red = format.red.Unpack(pixel);
                green = format.green.Unpack(pixel);
                blue = format.blue.Unpack(pixel);
            }
            const int weight = 255 - e.alpha;
            out[i] =
                std::uint16_t(format.Pack(Blend(red, e.red, weight), Blend(green, e.green, weight),
                                          Blend(blue, e.blue, weight)));
        }
    }
}

// ---- ball -------------------------------------------------------------------------

PyxEntityRenderedBall::PyxEntityRenderedBall(PyxEntityRenderedBallType* type)
    : PyxEntityBallBase(type) {}

bool PyxEntityRenderedBall::RenderImage() {
    PyxEntityRenderedBallType* type = RenderedType();
    type->Load(false);
    if (!g_screen) {
        return false;
    }
    const std::uint32_t handle = type->ImageHandle();
    if (handle == 0) {
        return false;
    }
    QxSurfaceDesc desc;
    if (!g_screen->LockBackBuffer(&desc)) {
        return false;
    }
    // Through the screen, so that what it keeps about the image's transparent pixels is
    // made again.
    const bool ok = desc.bytesPerPixel == 2 && g_screen->EditSurface(handle, [&](QxSurface& image) {
        PyxRenderLens(type->Lens(0), desc, g_screen->PixelFormat(), m_drawX, m_drawY, image);
    });
    g_screen->UnlockBackBuffer();
    return ok;
}

bool PyxEntityRenderedBall::Draw() {
    if (!RenderImage()) {
        return true;
    }
    const int size = PyxEntityRenderedBallType::kImageSize;
    g_screen->DrawSurface(RenderedType()->ImageHandle(), m_drawX, m_drawY, 0, 0, size, size, true);
    return true;
}

void PyxEntityRenderedBall::GetSize(std::int32_t& width, std::int32_t& height) {
    width = PyxEntityRenderedBallType::kImageSize;
    height = PyxEntityRenderedBallType::kImageSize;
}

std::uint32_t PyxEntityRenderedBall::GetImage() {
    const std::uint32_t handle = RenderedType()->ImageHandle();
    return handle != 0 ? handle : kNoImage;
}
