#pragma once
// The row of lives: one life image per life, side by side. A life the game takes
// away bursts into a lens flare first and leaves the row only when the flare has
// ended, and only then does the game's own life counter go down.

#include <cstdint>
#include <memory>

#include "engine/entity/QxDefinition.h"
#include "engine/gui/QxEntity2DGUIElement.h"
#include "engine/gui/QxTypeElement.h"

class PyxEntityGameObject;

// Properties of the lives row (through SetBool and GetBool, full 32-bit values).
enum PyxGUILivesProperty : int {
    kPropLivesShown = 2817,
    kPropLivesJustify = 2818,
};

class PyxEntity2DGUILives;

class PyxEntity2DGUILivesType : public QxEntityTypeOf<PyxEntity2DGUILivesType, PyxEntity2DGUILives,
                                                      QxEntity2DGUIElementType> {
public:
    // The justification that centres the row on the element's x.
    static constexpr std::int32_t kCentred = 2;

    // Reads "LifeEnt", "Spacing" and "Justify".
    explicit PyxEntity2DGUILivesType(QxDefinition* definition);

    QxEntity2DGUIElement* LifeImage() const { return m_lifeImage.Get(); }

    std::int32_t m_spacing = 0;
    std::int32_t m_justify = 1;

private:
    QxTypeElement m_lifeImage;
};

class PyxEntity2DGUILives : public QxEntity2DGUIElement {
public:
    // The flare over a life that goes, and where it starts relative to the life.
    static constexpr const char* kFlareClass = "PyxAnimExplosion";
    static constexpr const char* kFlareType = "lensflare";
    static constexpr std::int32_t kFlareDX = -6;
    static constexpr std::int32_t kFlareDY = -7;

    explicit PyxEntity2DGUILives(PyxEntity2DGUILivesType* type);

    bool SetBool(int id, std::int32_t value) override;
    bool GetBool(int id, std::int32_t& value) override;

    // Ends a finished flare: the life it stood for leaves the row and the game.
    bool Update(float ms) override;
    // The row; a requested life loss starts its flare over the last life.
    bool Draw() override;
    void Invalidate() override;

    // The game asks for a life to go. Requests made while a flare burns wait for it,
    // one flare each.
    void RequestLoseLife() { ++m_loseLife; }
    // A new game: the row shows the lives, and a flare or request of an earlier game
    // is forgotten (the row outlives the games it shows).
    void Restart(std::int32_t lives);
    bool LoseLifeRequested() const { return m_loseLife > 0; }
    std::int32_t LivesToLose() const { return m_loseLife; }
    std::int32_t LivesShown() const { return m_lives; }
    std::int32_t Justify() const { return m_justify; }
    // The running flare, or null.
    PyxEntityGameObject* Flare() const { return m_flare; }
    // The x of the first life for the current count and justification.
    std::int32_t RowStartX() const;

    PyxEntity2DGUILivesType* LivesType() const {
        return static_cast<PyxEntity2DGUILivesType*>(Type());
    }

private:
    // A size property of the life image (0 without it).
    std::int32_t LifeImageSize(int property) const;
    std::int32_t LifeWidth() const;
    std::int32_t LifeHeight() const;
    void StartFlare(std::int32_t x, std::int32_t y);
    void LifeGone();

    std::int32_t m_lives = 0;
    std::int32_t m_justify = 1;
    std::int32_t m_loseLife = 0;
    PyxEntityGameObject* m_flare = nullptr;
};

using PyxEntity2DGUILivesPrototype = QxTypePrototype<PyxEntity2DGUILivesType>;
