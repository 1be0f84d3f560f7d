#include "game/screens/PyxEntity2DGUIBoard.h"

#include "game/rules/PyxGameplay.h"

PyxEntity2DGUIBoardType::PyxEntity2DGUIBoardType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {}

PyxEntity2DGUIBoard::PyxEntity2DGUIBoard(PyxEntity2DGUIBoardType* type)
    : QxEntity2DGUIElement(type) {}

bool PyxEntity2DGUIBoard::Update(float /*ms*/) {
    return true;
}

bool PyxEntity2DGUIBoard::Draw() {
    if (PyxGameplay* game = GameInProgress()) {
        game->DrawBoard();
    }
    return true;
}
