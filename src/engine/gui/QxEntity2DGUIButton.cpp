#include "engine/gui/QxEntity2DGUIButton.h"

#include "app/QxGlobals.h"
#include "app/QxMouseState.h"
#include "engine/files/QxResourceCache.h"
#include "engine/gui/QxEntity2DGUISprite.h"
#include "engine/sound/QxSoundManager.h"

namespace {

bool StrictlyInside(const QxRect& rect, QxPoint point) {
    return rect.left < point.x && point.x < rect.right && rect.top < point.y &&
           point.y < rect.bottom;
}

} // namespace

// ---- type ------------------------------------------------------------------------

QxEntity2DGUIButtonType::QxEntity2DGUIButtonType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    AddParts({&m_mainImage, &m_downImage, &m_highlightImage, &m_disabledImage});
    if (!definition) {
        return;
    }
    QxDefinition& def = *definition;
    def.ReadKey("MainImageEnt", m_mainImage.reference);
    def.ReadKey("DownImageEnt", m_downImage.reference);
    def.ReadKey("HighlightImageEnt", m_highlightImage.reference);
    def.ReadKey("DisabledImageEnt", m_disabledImage.reference);
    def.ReadKey("ContentSound", m_contentSound);
    def.ReadKey("ClickSound", m_clickSound);
    def.ReadKey("DownSound", m_downSound);
    def.ReadKey("HighlightAsFrame", m_highlightAsFrame);
}

QxEntity2DGUIButtonType::~QxEntity2DGUIButtonType() {
    ReleaseSounds();
}

bool QxEntity2DGUIButtonType::Load(bool reload) {
    if (IsLoaded() && !reload) {
        return true;
    }
    if (g_resourceCache) {
        const std::pair<const std::string*, QxSoundRecord**> sounds[] = {
            {&m_contentSound, &m_contentSoundRecord},
            {&m_clickSound, &m_clickSoundRecord},
            {&m_downSound, &m_downSoundRecord}};
        for (const auto& [name, record] : sounds) {
            if (!*record && !name->empty()) {
                *record = g_resourceCache->GetSound(*name);
            }
        }
    }
    return QxEntity2DGUIElementType::Load(reload);
}

void QxEntity2DGUIButtonType::ReleaseSounds() {
    for (QxSoundRecord** record :
         {&m_contentSoundRecord, &m_clickSoundRecord, &m_downSoundRecord}) {
        if (*record && g_resourceCache) {
            g_resourceCache->ReleaseSound((*record)->key);
        }
        *record = nullptr;
    }
}

bool QxEntity2DGUIButtonType::Unload() {
    ReleaseSounds();
    return QxEntity2DGUIElementType::Unload();
}

std::unique_ptr<QxEntity2DGUIButton> QxCreateButton(const QxEntityRef& reference) {
    std::unique_ptr<QxEntity2DGUIElement> element = QxCreateGUIElement(reference, kKindButton);
    if (auto* button = dynamic_cast<QxEntity2DGUIButton*>(element.get())) {
        element.release();
        return std::unique_ptr<QxEntity2DGUIButton>(button);
    }
    return nullptr;
}

// ---- entity ----------------------------------------------------------------------

QxEntity2DGUIButton::QxEntity2DGUIButton(QxEntity2DGUIButtonType* type)
    : QxEntity2DGUIElement(type) {}

void QxEntity2DGUIButton::PlaySound(const QxSoundRecord* sound) {
    if (!sound || !g_soundManager) {
        return;
    }
    uint32_t instance = 0;
    if (g_soundManager->PlaySound(sound->sound, &instance, false)) {
        g_soundManager->ResumeInstance(instance);
    }
}

void QxEntity2DGUIButton::PlaceImages() {
    const QxPoint at{m_x, m_y};
    QxEntity2DGUIButtonType* type = ButtonType();
    for (QxEntity2DGUIElement* image :
         {type->MainImage(), type->DownImage(), type->HighlightImage(), type->DisabledImage()}) {
        if (image && !(image->GetPosition() == at)) {
            image->SetPosition(at);
        }
    }
}

void QxEntity2DGUIButton::UpdateHitRect() {
    // The hit rectangle is the main image's: its position and its picture's size.
    QxEntity2DGUIElement* main = ButtonType()->MainImage();
    if (!main) {
        m_hit = QxRect{m_x, m_x, m_y, m_y};
        return;
    }
    const QxPoint at = main->GetPosition();
    int32_t width = 0;
    int32_t height = 0;
    if (!main->GetInt(kPropImageWidth, width) || !main->GetInt(kPropImageHeight, height)) {
        const QxRect rect = main->GetRect();
        width = rect.Width();
        height = rect.Height();
    }
    m_hit = QxRect{at.x, at.x + width, at.y, at.y + height};
    m_width = width;
    m_height = height;
}

void QxEntity2DGUIButton::SetPosition(QxPoint position) {
    QxEntity2DGUIElement::SetPosition(position);
    // The images exist once the type is loaded; a button placed before its first
    // update still knows where it can be clicked.
    ButtonType()->Load(false);
    PlaceImages();
    UpdateHitRect();
}

bool QxEntity2DGUIButton::SetInt(int id, int32_t value) {
    if (id == kPropForcedDown) {
        const uint8_t forced = value != 0 ? 1 : 0;
        if (forced != m_forcedDown) {
            m_forcedDown = forced;
            Invalidate();
        }
        return true;
    }
    if (id == kPropFocused) {
        const uint8_t focused = value != 0 ? 1 : 0;
        m_focusDriven = 1;
        if (focused != m_focused) {
            m_focused = focused;
            Invalidate();
        }
        return true;
    }
    if (id == kPropHoverSound) {
        PlaySound(ButtonType()->ContentSound());
        return true;
    }
    if (QxEntity2DGUIElement* main = ButtonType()->MainImage()) {
        if (main->SetInt(id, value)) {
            return true;
        }
    }
    return QxEntity2DGUIElement::SetInt(id, value);
}

bool QxEntity2DGUIButton::GetInt(int id, int32_t& value) {
    if (id == kPropForcedDown) {
        value = m_forcedDown;
        return true;
    }
    if (id == kPropFocused) {
        value = m_focused;
        return true;
    }
    if (QxEntity2DGUIElement* main = ButtonType()->MainImage()) {
        if (main->GetInt(id, value)) {
            return true;
        }
    }
    return QxEntity2DGUIElement::GetInt(id, value);
}

bool QxEntity2DGUIButton::Update(float ms) {
    QxEntity2DGUIButtonType* type = ButtonType();
    type->Load(false);
    PlaceImages();
    for (QxEntity2DGUIElement* image :
         {type->MainImage(), type->DownImage(), type->HighlightImage(), type->DisabledImage()}) {
        if (image) {
            image->Update(ms);
        }
    }
    UpdateHitRect();

    const QxPoint mouse{g_mouseState.x, g_mouseState.y};
    if (StrictlyInside(m_hit, mouse)) {
        if (!m_hovering) {
            m_hovering = 1;
            m_highlightChanged = 1;
            if (!m_hoverSoundPlayed && type->ContentSound()) {
                PlaySound(type->ContentSound());
                m_hoverSoundPlayed = 1;
            }
        }
        if (g_mouseState.leftButton) {
            if (QxEntity2DGUIElement* down = type->DownImage()) {
                down->Invalidate();
            }
            if (!m_pressSoundPlayed && type->DownSound()) {
                PlaySound(type->DownSound());
                m_pressSoundPlayed = 1;
            }
        }
    } else if (m_hovering) {
        m_hovering = 0;
        m_highlightChanged = 1;
        m_hoverSoundPlayed = 0;
        m_pressSoundPlayed = 0;
    }
    if (m_highlightChanged) {
        if (QxEntity2DGUIElement* highlight = type->HighlightImage()) {
            highlight->Invalidate();
        }
        m_highlightChanged = 0;
    }
    return QxEntity2DGUIElement::Update(ms);
}

void QxEntity2DGUIButton::DrawImage(QxEntity2DGUIElement* image, uint32_t alpha) {
    if (!image) {
        return;
    }
    image->SetAlpha(alpha);
    image->Draw();
}

bool QxEntity2DGUIButton::Draw() {
    if (!IsVisible()) {
        return true;
    }
    QxEntity2DGUIButtonType* type = ButtonType();
    PlaceImages();
    QxEntity2DGUIElement* main = type->MainImage();
    QxEntity2DGUIElement* down = type->DownImage();
    QxEntity2DGUIElement* highlight = type->HighlightImage();
    if (IsDisabled()) {
        DrawImage(type->DisabledImage() ? type->DisabledImage() : main, m_alpha);
        return true;
    }
    if (!IsLit()) {
        if (IsDown() && down) {
            DrawImage(down, m_alpha);
        } else if (main) {
            main->SetPulse(m_pulseValue, m_pulseRate);
            DrawImage(main, m_alpha);
        }
        return true;
    }
    const bool pressed = IsDown();
    if (pressed && down) {
        DrawImage(down, m_alpha);
    } else if (highlight && !type->m_highlightAsFrame) {
        DrawImage(highlight, m_alpha);
        return true;
    } else {
        DrawImage(main, m_alpha);
    }
    if (highlight && type->m_highlightAsFrame) {
        DrawImage(highlight, m_alpha);
    }
    return true;
}

void QxEntity2DGUIButton::Invalidate() {
    QxEntity2DGUIButtonType* type = ButtonType();
    PlaceImages();
    for (QxEntity2DGUIElement* image :
         {type->MainImage(), type->DownImage(), type->HighlightImage(), type->DisabledImage()}) {
        if (image) {
            image->Invalidate();
        }
    }
}

bool QxEntity2DGUIButton::Click(QxPoint point) {
    if (IsDisabled() || !StrictlyInside(m_hit, point)) {
        return false;
    }
    QxEntity2DGUIButtonType* type = ButtonType();
    PlaySound(type->ClickSound());
    if (QxEntity2DGUIElement* highlight = type->HighlightImage()) {
        highlight->Invalidate();
    }
    return true;
}

bool QxEntity2DGUIButton::Contains(QxPoint point) {
    return StrictlyInside(m_hit, point);
}

bool QxEntity2DGUIButton::IsDown() {
    return (m_hovering && g_mouseState.leftButton) || m_forcedDown;
}
