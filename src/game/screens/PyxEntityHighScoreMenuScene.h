#pragma once
// The game's high-score menu: the table with a level column, the name entry of a new
// result, and "Done" or Escape back to the main menu.

#include <array>
#include <memory>

#include "engine/gui/QxEntityHighScoreScene.h"

class PyxEntityHighScoreMenuScene;

class PyxEntityHighScoreMenuSceneType
    : public QxEntityTypeOf<PyxEntityHighScoreMenuSceneType, PyxEntityHighScoreMenuScene,
                            QxEntityHighScoreSceneType> {
public:
    explicit PyxEntityHighScoreMenuSceneType(QxDefinition* definition);

    // The level texts of the ten rows, once the type has loaded (null when missing).
    std::array<QxEntity2DGUIElement*, kRows> LevelElements() const;

private:
    std::array<ElementRecord*, kRows> m_levels{};
};

class PyxEntityHighScoreMenuScene : public QxEntityHighScoreScene {
public:
    explicit PyxEntityHighScoreMenuScene(PyxEntityHighScoreMenuSceneType* type);

    // The table's rows are laid out again whenever no dialog holds the scene.
    bool Update(float ms) override;
    bool OnMouseUp(QxPoint mouse, int button) override;
    bool OnKey(int code) override;
};

using PyxEntityHighScoreMenuScenePrototype = QxTypePrototype<PyxEntityHighScoreMenuSceneType>;
