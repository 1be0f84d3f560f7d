#include "game/screens/PyxEntity2DGUIBoard.h"

#include "game/rules/PyxGameplay.h"

PyxEntity2DGUIBoardType::PyxEntity2DGUIBoardType(QxDefinition* definition)
    : QxEntity2DGUIElementType(definition) {}

std::unique_ptr<QxEntityBase> PyxEntity2DGUIBoardType::CreateEntity() {
    return std::make_unique<PyxEntity2DGUIBoard>(this);
}

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
