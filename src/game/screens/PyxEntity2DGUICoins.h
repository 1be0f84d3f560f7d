#pragma once
// The coin stacks: one place per coin the level needs, piled in one to three stacks
// centred in the stacking area. Held coins are lit, coins crossed out by hits show
// the crossed image, the rest show the dark image; a coin that goes dark while the
// game cashes in rises from its place as 100 points.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/entity/QxDefinition.h"
#include "engine/gui/QxEntity2DGUIElement.h"
#include "engine/gui/QxTypeElement.h"
#include "game/objects/PyxTypeSound.h"

struct QxSoundRecord;

class PyxEntity2DGUICoins;

class PyxEntity2DGUICoinsType : public QxEntityTypeOf<PyxEntity2DGUICoinsType, PyxEntity2DGUICoins,
                                                      QxEntity2DGUIElementType> {
public:
    // Reads "CoinEnt", "CoinXEnt", "DarkCoinEnt", "Height", "Width", "StackSpace" and
    // "ScoreSound".
    explicit PyxEntity2DGUICoinsType(QxDefinition* definition);

    QxEntity2DGUIElement* CoinImage() const { return m_coin.Get(); }
    QxEntity2DGUIElement* CrossedCoinImage() const { return m_coinX.Get(); }
    QxEntity2DGUIElement* DarkCoinImage() const { return m_darkCoin.Get(); }
    const QxSoundRecord* ScoreSound() const { return m_scoreSound.Record(); }

    std::int32_t m_height = 0;
    std::int32_t m_width = 0;
    std::int32_t m_stackSpace = 0;

private:
    QxTypeElement m_coin;
    QxTypeElement m_coinX;
    QxTypeElement m_darkCoin;
    PyxTypeSound m_scoreSound;
};

class PyxEntity2DGUICoins : public QxEntity2DGUIElement {
public:
    // More places than this are not laid out: a level asking for more is damaged.
    static constexpr std::int32_t kMaxPlaces = 1000;
    // Each coin of a stack sits this many pixels above the one below.
    static constexpr std::int32_t kCoinRise = 6;
    // Points a cashed coin shows.
    static constexpr const char* kCashText = "100";

    struct Place {
        std::int32_t x = 0;
        std::int32_t y = 0;
        bool lit = false;
    };

    explicit PyxEntity2DGUICoins(PyxEntity2DGUICoinsType* type);

    // Marks the stacking area for redraw every frame.
    bool Update(float ms) override;
    // Every place, lit or dark by the game's coins.
    bool Draw() override;
    void Invalidate() override;

    // Lays out `count` places (nothing unless the coin image is loaded).
    virtual void SetCoinPlaces(std::int32_t count);
    const std::vector<Place>& Places() const { return m_places; }
    // Stacks for a number of coins: 1 below 8, 2 below 15, else 3.
    static std::int32_t StackCount(std::int32_t count);

    PyxEntity2DGUICoinsType* CoinsType() const {
        return static_cast<PyxEntity2DGUICoinsType*>(Type());
    }

private:
    std::vector<Place> m_places;
};

using PyxEntity2DGUICoinsPrototype = QxTypePrototype<PyxEntity2DGUICoinsType>;
