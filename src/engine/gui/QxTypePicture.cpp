#include "engine/gui/QxTypePicture.h"

#include <algorithm>

#include "app/QxGlobals.h"
#include "engine/files/QxResourceCache.h"
#include "engine/gui/QxAlphaMask.h"
#include "engine/gui/QxEntity2DGUIElement.h"

namespace {
// Resource cache flag asking for an error-diffused conversion of 8-bit pictures.
constexpr std::uint32_t kImageDithered = 16;
} // namespace

QxTypePicture::QxTypePicture(const QxEntity2DGUIElementType& owner, Shape shape, MaskFile maskFile,
                             const std::string& name, const std::string& alphaName)
    : m_owner(owner), m_shape(shape), m_maskFile(maskFile), m_name(name), m_alphaName(alphaName) {}

QxTypePicture::~QxTypePicture() {
    ReleasePart();
}

const QxImage* QxTypePicture::Mask(std::size_t frame) const {
    if (m_masks.empty()) {
        return nullptr;
    }
    return m_masks[std::min(frame, m_masks.size() - 1)].get();
}

void QxTypePicture::LoadPart(bool reload) {
    if (reload) {
        ReleasePart();
    }
    if (g_resourceCache && !m_name.empty() && !m_image && !m_list) {
        const std::uint32_t flags = m_owner.m_dither ? kImageDithered : 0;
        if (m_shape == Shape::kImage) {
            m_image = g_resourceCache->GetImage(m_name, flags);
        } else {
            m_list = g_resourceCache->GetImageList(m_name, flags);
        }
    }
    if (!m_masks.empty() || m_alphaName.empty()) {
        return;
    }
    if (m_maskFile == MaskFile::kList) {
        m_masks = QxAlphaMask::LoadList(m_alphaName);
    } else if (m_maskFile == MaskFile::kByName) {
        m_masks = QxAlphaMask::LoadByName(m_alphaName);
    } else if (auto mask = QxAlphaMask::Load(m_alphaName)) {
        m_masks.push_back(std::move(mask));
    }
}

void QxTypePicture::ReleasePart() {
    if (g_resourceCache) {
        if (m_image) {
            g_resourceCache->ReleaseImage(m_image->key);
        }
        if (m_list) {
            g_resourceCache->ReleaseImageList(m_list->key);
        }
    }
    m_image = nullptr;
    m_list = nullptr;
    m_masks.clear();
}
