#include "game/objects/PyxEntityExplosionSupport.h"

#include <algorithm>

#include "app/QxGlobals.h"
#include "engine/screen/QxScreen2D.h"
#include "game/field/PyxLevel.h"
#include "game/objects/PyxEntityGameObject.h"

PyxLockedScreen::PyxLockedScreen() {
    if (!g_screen) {
        return;
    }
    m_locked = g_screen->LockBackBuffer(&m_desc);
    m_format = g_screen->PixelFormat();
    m_usable = m_locked && m_desc.bytesPerPixel == 2 && m_desc.pixels != nullptr &&
               m_desc.width > 0 && m_desc.height > 0;
}

PyxLockedScreen::~PyxLockedScreen() {
    if (m_locked && g_screen) {
        g_screen->UnlockBackBuffer();
    }
}

std::uint16_t PyxBlendPixel(const QxPixelFormat& format, std::uint16_t old, std::uint16_t colour,
                            std::int32_t a) {
    std::uint32_t out = 0;
    for (const QxPixelFormat::Channel* channel : {&format.red, &format.green, &format.blue}) {
        const std::int64_t o = std::int64_t(old & channel->mask);
        const std::int64_t c = std::int64_t(colour & channel->mask);
        const std::int64_t blended = (o * (256 - a) + c * a) >> 8;
        out |= std::uint32_t(blended) & channel->mask;
    }
    return std::uint16_t(out);
}

void PyxLockedScreen::Blend(std::int32_t x, std::int32_t y, std::uint16_t colour, std::int32_t a) {
    if (!m_usable || x < 0 || y < 0 || x >= m_desc.width || y >= m_desc.height) {
        return;
    }
    auto* row = reinterpret_cast<std::uint16_t*>(m_desc.pixels + std::ptrdiff_t(y) * m_desc.pitch);
    row[x] = PyxBlendPixel(m_format, row[x], colour, a);
}

void PyxLockedScreen::BlendPlus(std::int32_t x, std::int32_t y, std::uint16_t colour,
                                std::int32_t a) {
    if (!m_usable || x <= 0 || y <= 0 || x >= m_desc.width - 1 || y >= m_desc.height - 1) {
        return;
    }
    Blend(x, y, colour, a);
    Blend(x - 1, y, colour, a);
    Blend(x + 1, y, colour, a);
    Blend(x, y - 1, colour, a);
    Blend(x, y + 1, colour, a);
}

std::uint16_t PyxLockedScreen::White() const {
    return std::uint16_t(m_format.Pack(255, 255, 255));
}

void PyxGrowRect(QxRect& rect, std::int32_t x, std::int32_t y) {
    if (rect.IsEmpty()) {
        rect = {x, x + 1, y, y + 1};
        return;
    }
    rect.left = std::min(rect.left, x);
    rect.right = std::max(rect.right, x + 1);
    rect.top = std::min(rect.top, y);
    rect.bottom = std::max(rect.bottom, y + 1);
}

bool PyxObjectStillOnBoard(const PyxEntityGameObject* holder, const PyxEntityGameObject* object) {
    if (!object) {
        return false;
    }
    const PyxLevel* level = holder ? holder->Level() : nullptr;
    if (!level) {
        return true;
    }
    for (const PyxLevelObjectRecord& record : level->Objects()) {
        if (record.entity.get() == object) {
            return true;
        }
    }
    return false;
}

std::shared_ptr<const QxSurface> PyxObjectImage(PyxEntityGameObject* object) {
    if (!object || !g_screen) {
        return nullptr;
    }
    const std::uint32_t handle = object->GetImage();
    if (handle == PyxEntityGameObject::kNoImage) {
        return nullptr;
    }
    std::shared_ptr<const QxSurface> surface = g_screen->GetSurface(handle);
    if (!surface || surface->width <= 0 || surface->height <= 0 ||
        surface->pixels.size() < std::size_t(surface->width) * std::size_t(surface->height)) {
        return nullptr;
    }
    return surface;
}
