#pragma once
// A coin knocked off the player's ball: an animated effect (usually on a trajectory)
// that starts small and grows to full size.

#include <memory>

#include "game/objects/PyxEntityAnimExplosion.h"

class PyxEntityFlyingCoin;

class PyxEntityFlyingCoinType : public QxEntityTypeOf<PyxEntityFlyingCoinType, PyxEntityFlyingCoin,
                                                      PyxEntityAnimExplosionType> {
public:
    explicit PyxEntityFlyingCoinType(QxDefinition* definition);
};

class PyxEntityFlyingCoin : public PyxEntityAnimExplosion {
public:
    static constexpr float kStartScale = 0.2f;
    static constexpr float kGrowth = 1.3f;

    explicit PyxEntityFlyingCoin(PyxEntityFlyingCoinType* type);

    // The animated-effect update, then the coin grows by a third up to full size.
    bool Update(float ms) override;
    // The frame scaled about its centre.
    bool Draw() override;

    float Scale() const { return m_scale; }
    void SetScale(float scale) { m_scale = scale; }

private:
    float m_scale = kStartScale;
};

using PyxEntityFlyingCoinPrototype = QxTypePrototype<PyxEntityFlyingCoinType>;
