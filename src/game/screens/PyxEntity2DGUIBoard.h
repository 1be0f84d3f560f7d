#pragma once
// The play field's place among the game screen's elements: drawing the board element
// draws the board of the game in progress, so the field takes its turn at the
// element's priority.

#include <memory>

#include "engine/gui/QxEntity2DGUIElement.h"

class PyxEntity2DGUIBoard;

class PyxEntity2DGUIBoardType : public QxEntityTypeOf<PyxEntity2DGUIBoardType, PyxEntity2DGUIBoard,
                                                      QxEntity2DGUIElementType> {
public:
    explicit PyxEntity2DGUIBoardType(QxDefinition* definition);
};

class PyxEntity2DGUIBoard : public QxEntity2DGUIElement {
public:
    explicit PyxEntity2DGUIBoard(PyxEntity2DGUIBoardType* type);

    // The board moves with the game, not with the element.
    bool Update(float ms) override;
    // Has the game in progress draw its tiles and board objects.
    bool Draw() override;
};

using PyxEntity2DGUIBoardPrototype = QxTypePrototype<PyxEntity2DGUIBoardType>;
