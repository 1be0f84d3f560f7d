#include "game/screens/PyxEntityInstructionsScene.h"

#include "game/screens/PyxSceneSupport.h"

PyxEntityInstructionsSceneType::PyxEntityInstructionsSceneType(QxDefinition* definition)
    : QxEntity2DSceneType(definition) {
    m_ok = AddNamedElement("OK", definition);
}

std::unique_ptr<QxEntityBase> PyxEntityInstructionsSceneType::CreateEntity() {
    return std::make_unique<PyxEntityInstructionsScene>(this);
}

PyxEntityInstructionsScene::PyxEntityInstructionsScene(PyxEntityInstructionsSceneType* type)
    : QxEntity2DScene(type) {}

bool PyxEntityInstructionsScene::OnMouseUp(QxPoint mouse, int /*button*/) {
    if (ClickNamed(static_cast<PyxEntityInstructionsSceneType*>(Type())->m_ok, mouse)) {
        GoToScene(*this, "PyxMainMenu", "mainmenu");
        return true;
    }
    return QxEntity2DScene::OnMouseUp(mouse, 1);
}

bool PyxEntityInstructionsScene::OnKey(int code) {
    if (QxEntity2DScene::OnKey(code)) {
        return true;
    }
    if (code == kSceneKeyEscape) {
        GoToScene(*this, "PyxMainMenu", "mainmenu");
        return true;
    }
    return false;
}

std::unique_ptr<QxEntityBaseType>
PyxEntityInstructionsScenePrototype::CreateType(QxDefinition& definition) const {
    return std::make_unique<PyxEntityInstructionsSceneType>(&definition);
}
