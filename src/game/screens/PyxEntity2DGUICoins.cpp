#include "game/screens/PyxEntity2DGUICoins.h"

#include <algorithm>

#include "app/QxGlobals.h"
#include "engine/files/QxLog.h"
#include "engine/files/QxResourceCache.h"
#include "engine/gui/QxEntity2DGUISprite.h"
#include "engine/screen/QxScreen2D.h"
#include "engine/sound/QxSoundManager.h"
#include "game/rules/PyxGameplay.h"

// ---- type -----------------------------------------------------------------------------

PyxEntity2DGUICoinsType::PyxEntity2DGUICoinsType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    AddParts({&m_coin, &m_coinX, &m_darkCoin, &m_scoreSound});
    if (!definition) {
        return;
    }
    QxDefinition& def = *definition;
    def.ReadKey("CoinEnt", m_coin.reference);
    def.ReadKey("CoinXEnt", m_coinX.reference);
    def.ReadKey("DarkCoinEnt", m_darkCoin.reference);
    def.ReadKey("Height", m_height);
    def.ReadKey("Width", m_width);
    def.ReadKey("StackSpace", m_stackSpace);
    m_scoreSound.ReadName(def, "ScoreSound");
}

// ---- entity ---------------------------------------------------------------------------

PyxEntity2DGUICoins::PyxEntity2DGUICoins(PyxEntity2DGUICoinsType* type)
    : QxEntity2DGUIElement(type) {}

std::int32_t PyxEntity2DGUICoins::StackCount(std::int32_t count) {
    if (count >= 15) {
        return 3;
    }
    if (count < 8) {
        return 1;
    }
    return 2;
}

void PyxEntity2DGUICoins::SetCoinPlaces(std::int32_t count) {
    PyxEntity2DGUICoinsType* type = CoinsType();
    type->Load(false);
    QxEntity2DGUIElement* coin = type->CoinImage();
    if (!coin) {
        return;
    }
    std::int32_t w = 0;
    std::int32_t h = 0;
    coin->GetInt(kPropImageWidth, w);
    coin->GetInt(kPropImageHeight, h);

    Invalidate();
    m_places.clear();
    if (count > kMaxPlaces) {
        LogPrintf("Coin stacks: %d coins asked for, %d laid out.", count, kMaxPlaces);
        count = kMaxPlaces;
    }
    const std::int32_t stacks = StackCount(count);
    const std::int32_t perStack = count / stacks;
    // Uneven counts make the first stacks one coin taller.
    const std::int32_t stackHeight = count % stacks != 0 ? perStack + 1 : perStack;
    const std::int32_t startX =
        m_x + (type->m_width - (stacks - 1) * type->m_stackSpace - stacks * w) / 2;
    const std::int32_t startY = m_y - h + type->m_height;
    std::int32_t x = startX;
    std::int32_t y = startY;
    for (std::int32_t i = 1; i <= count; ++i) {
        m_places.push_back(Place{x, y, false});
        if (stackHeight > 0 && i % stackHeight == 0) {
            y = startY;
            x += type->m_stackSpace + w;
        } else {
            y -= kCoinRise;
        }
    }
    Invalidate();
}

bool PyxEntity2DGUICoins::Update(float ms) {
    Invalidate();
    return QxEntity2DGUIElement::Update(ms);
}

bool PyxEntity2DGUICoins::Draw() {
    PyxEntity2DGUICoinsType* type = CoinsType();
    type->Load(false);
    PyxGameplay* game = GameInProgress();
    const std::int32_t held = game ? game->CoinsHeld() : 0;
    const std::int32_t crossed = game ? game->Hits() : 0;
    const bool cashing = game && game->State() == PyxGameState::LevelWon;
    const bool visible = IsVisible();
    for (std::size_t i = 0; i < m_places.size(); ++i) {
        Place& place = m_places[i];
        const auto index = std::int32_t(i);
        if (index < held) {
            if (index < crossed) {
                if (visible) {
                    QxDrawElementAt(type->CrossedCoinImage(), place.x, place.y);
                }
                if (game) {
                    game->ShowHint(kHintCrossedCoins);
                }
            } else if (visible) {
                QxDrawElementAt(type->CoinImage(), place.x, place.y);
            }
            place.lit = true;
            continue;
        }
        if (visible) {
            QxDrawElementAt(type->DarkCoinImage(), place.x, place.y);
        }
        if (place.lit && cashing) {
            game->ShowScreenScore(place.x, place.y, kCashText);
            if (const QxSoundRecord* sound = type->ScoreSound(); sound && g_soundManager) {
                std::uint32_t instance = 0;
                g_soundManager->PlaySound(sound->sound, &instance, false);
            }
        }
        place.lit = false;
    }
    return true;
}

void PyxEntity2DGUICoins::Invalidate() {
    if (!g_screen) {
        return;
    }
    const PyxEntity2DGUICoinsType* type = CoinsType();
    // The stacks grow upwards from the bottom of the area: mark from the highest coin.
    std::int32_t top = m_y;
    for (const Place& place : m_places) {
        top = std::min(top, place.y);
    }
    g_screen->MarkDirty(QxRect{m_x, m_x + type->m_width, top, m_y + type->m_height}, false);
}
