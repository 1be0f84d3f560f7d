#include "game/objects/PyxAnimImage.h"

#include <algorithm>
#include <cmath>

#include "app/QxGlobals.h"
#include "engine/entity/QxDefinition.h"
#include "engine/files/QxResourceCache.h"
#include "engine/gui/QxAlphaMask.h"
#include "engine/screen/QxScreen2D.h"

void PyxAnimImage::ReadKeys(QxDefinition& definition) {
    definition.ReadKey("Image", image);
    definition.ReadKey("AlphaImage", alphaImage);
    definition.ReadKey("FrameRate", frameRate);
}

PyxAnimImage::~PyxAnimImage() {
    Release();
}

void PyxAnimImage::Load(bool reload) {
    if (reload) {
        Release();
    }
    if (!m_list && g_resourceCache && !image.empty()) {
        m_list = g_resourceCache->GetImageList(image, 0);
    }
    if (m_masks.empty() && !alphaImage.empty()) {
        m_masks = QxAlphaMask::LoadByName(alphaImage);
    }
}

void PyxAnimImage::Release() {
    if (m_list && g_resourceCache) {
        g_resourceCache->ReleaseImageList(m_list->key);
    }
    m_list = nullptr;
    m_masks.clear();
}

std::int32_t PyxAnimImage::FrameCount() const {
    return m_list ? std::int32_t(m_list->frames.size()) : 0;
}

const QxImageListFrame* PyxAnimImage::Frame(std::int32_t index) const {
    if (!m_list || index < 0 || index >= std::int32_t(m_list->frames.size())) {
        return nullptr;
    }
    return &m_list->frames[std::size_t(index)];
}

const QxImage* PyxAnimImage::Mask(std::int32_t index) const {
    if (m_masks.empty() || index < 0) {
        return nullptr;
    }
    return m_masks[std::min(std::size_t(index), m_masks.size() - 1)].get();
}

bool PyxAnimImage::SurfacesLost() const {
    return m_list && !m_list->frames.empty() && g_screen &&
           !g_screen->IsSurfaceValid(m_list->frames.front().surface);
}

bool PyxAnimImage::Draw(std::int32_t index, std::int32_t x, std::int32_t y,
                        std::int32_t alpha) const {
    const QxImageListFrame* frame = Frame(index);
    if (!frame || !g_screen) {
        return false;
    }
    const QxImage* mask = Mask(index);
    const bool masked = mask && mask->width == frame->width && mask->height == frame->height;
    const std::int32_t a = std::clamp(alpha, 0, 255);
    if (masked) {
        if (a < 255) {
            return g_screen->DrawSurfaceAlphaMappedFaded(frame->surface, x, y, 0, 0, frame->width,
                                                         frame->height, *mask, a);
        }
        return g_screen->DrawSurfaceAlphaMapped(frame->surface, x, y, 0, 0, frame->width,
                                                frame->height, *mask);
    }
    if (a < 255) {
        return g_screen->DrawSurfaceBlended(frame->surface, x, y, 0, 0, frame->width, frame->height,
                                            std::uint32_t(a), true);
    }
    return g_screen->DrawSurface(frame->surface, x, y, 0, 0, frame->width, frame->height, true);
}

float PyxAnimImage::Advance(float position, float ms) const {
    const std::int32_t frameCount = FrameCount();
    if (frameCount <= 0) {
        return position;
    }
    float next = position + frameRate * ms * 0.001f;
    const float count = float(frameCount);
    if (!std::isfinite(next)) {
        return 0.0f;
    }
    if (next >= count || next < 0.0f) {
        next = std::fmod(next, count);
        if (next < 0.0f) {
            next += count;
        }
        // fmod of a value just below a multiple can round back up to the count.
        if (next >= count) {
            next = 0.0f;
        }
    }
    return next;
}
