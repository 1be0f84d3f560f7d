#include "game/screens/PyxEntity2DGUILives.h"

#include <algorithm>

#include "app/QxGlobals.h"
#include "engine/gui/QxEntity2DGUISprite.h"
#include "engine/screen/QxScreen2D.h"
#include "game/field/PyxLevel.h"
#include "game/objects/PyxEntityGameObject.h"
#include "game/rules/PyxBoardLink.h"
#include "game/rules/PyxGameplay.h"

// ---- type -----------------------------------------------------------------------------

PyxEntity2DGUILivesType::PyxEntity2DGUILivesType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    AddParts({&m_lifeImage});
    if (!definition) {
        return;
    }
    definition->ReadKey("LifeEnt", m_lifeImage.reference);
    definition->ReadKey("Spacing", m_spacing);
    definition->ReadKey("Justify", m_justify);
}

// ---- entity ---------------------------------------------------------------------------

PyxEntity2DGUILives::PyxEntity2DGUILives(PyxEntity2DGUILivesType* type)
    : QxEntity2DGUIElement(type), m_justify(type->m_justify) {}

bool PyxEntity2DGUILives::SetBool(int id, std::int32_t value) {
    switch (id) {
    case kPropLivesShown:
        if (value != m_lives) {
            Invalidate();
            m_lives = value;
            Invalidate();
        }
        return true;
    case kPropLivesJustify:
        m_justify = value;
        return true;
    default:
        return QxEntity2DGUIElement::SetBool(id, value);
    }
}

bool PyxEntity2DGUILives::GetBool(int id, std::int32_t& value) {
    switch (id) {
    case kPropLivesShown:
        value = m_lives;
        return true;
    case kPropLivesJustify:
        value = m_justify;
        return true;
    default:
        return QxEntity2DGUIElement::GetBool(id, value);
    }
}

void PyxEntity2DGUILives::Restart(std::int32_t lives) {
    m_flare = nullptr;
    m_loseLife = 0;
    SetBool(kPropLivesShown, lives);
}

std::int32_t PyxEntity2DGUILives::LifeImageSize(int property) const {
    std::int32_t size = 0;
    LivesType()->Load(false);
    if (QxEntity2DGUIElement* image = LivesType()->LifeImage()) {
        image->GetInt(property, size);
    }
    return size;
}

std::int32_t PyxEntity2DGUILives::LifeWidth() const {
    return LifeImageSize(kPropImageWidth);
}

std::int32_t PyxEntity2DGUILives::LifeHeight() const {
    return LifeImageSize(kPropImageHeight);
}

std::int32_t PyxEntity2DGUILives::RowStartX() const {
    std::int32_t x = m_x;
    if (m_justify == PyxEntity2DGUILivesType::kCentred && m_lives > 0) {
        const std::int64_t row = std::int64_t(m_lives - 1) * LivesType()->m_spacing +
                                 std::int64_t(m_lives) * LifeWidth();
        x -= std::int32_t(row / 2);
    }
    return x;
}

bool PyxEntity2DGUILives::Update(float ms) {
    if (m_flare) {
        PyxGameplay* game = GameInProgress();
        PyxLevel* level = game ? game->Level() : nullptr;
        // A flare whose level went away ended with it.
        const bool held = PyxBoardLink::Holds(level, m_flare);
        if (!held || PyxBoardLink::EffectFinished(m_flare)) {
            if (held) {
                m_flare->AddFlags(kObjectRemoved);
            }
            m_flare = nullptr;
            LifeGone();
        }
    }
    Invalidate();
    return QxEntity2DGUIElement::Update(ms);
}

void PyxEntity2DGUILives::LifeGone() {
    if (PyxGameplay* game = GameInProgress()) {
        game->TakeLife();
    }
    Invalidate();
    m_lives = std::max(0, m_lives - 1);
}

bool PyxEntity2DGUILives::Draw() {
    PyxEntity2DGUILivesType* type = LivesType();
    type->Load(false);
    QxEntity2DGUIElement* image = type->LifeImage();
    const std::int32_t width = LifeWidth();
    std::int32_t x = RowStartX();
    std::int32_t last = x;
    if (image && IsVisible()) {
        for (std::int32_t i = 0; i < m_lives; ++i) {
            image->SetPosition(QxPoint{x, m_y});
            image->Draw();
            last = x;
            x += type->m_spacing + width;
        }
    }
    if (m_loseLife > 0 && !m_flare) {
        --m_loseLife;
        if (m_lives > 0) {
            StartFlare(last, m_y);
        } else {
            LifeGone();
        }
    }
    return true;
}

void PyxEntity2DGUILives::StartFlare(std::int32_t x, std::int32_t y) {
    PyxGameplay* game = GameInProgress();
    PyxLevel* level = game ? game->Level() : nullptr;
    if (level) {
        m_flare = PyxBoardLink::AddEffect(*level, float(x + kFlareDX), float(y + kFlareDY),
                                          kFlareClass, kFlareType);
    }
    // Without a flare to wait for, the life goes at once.
    if (!m_flare) {
        LifeGone();
    }
}

void PyxEntity2DGUILives::Invalidate() {
    if (!g_screen || m_lives <= 0) {
        return;
    }
    const std::int32_t x = RowStartX();
    const std::int64_t width =
        std::int64_t(m_lives) * LifeWidth() + std::int64_t(m_lives - 1) * LivesType()->m_spacing;
    const std::int32_t right = std::int32_t(std::min<std::int64_t>(x + width, 1 << 20));
    g_screen->MarkDirty(QxRect{x, right, m_y, m_y + LifeHeight()}, false);
}
