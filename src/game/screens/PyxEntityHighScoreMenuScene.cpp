#include "game/screens/PyxEntityHighScoreMenuScene.h"

#include <string>

#include "engine/gui/QxEntity2DGUIElement.h"
#include "game/screens/PyxSceneSupport.h"

PyxEntityHighScoreMenuSceneType::PyxEntityHighScoreMenuSceneType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    for (int row = 0; row < kRows; ++row) {
        m_levels[static_cast<std::size_t>(row)] =
            AddNamedElement("Level" + std::to_string(row + 1), definition);
    }
}

std::array<QxEntity2DGUIElement*, PyxEntityHighScoreMenuSceneType::kRows>
PyxEntityHighScoreMenuSceneType::LevelElements() const {
    std::array<QxEntity2DGUIElement*, kRows> elements{};
    for (std::size_t row = 0; row < elements.size(); ++row) {
        elements[row] = NamedElement(m_levels[row]);
    }
    return elements;
}

PyxEntityHighScoreMenuScene::PyxEntityHighScoreMenuScene(PyxEntityHighScoreMenuSceneType* type)
    : QxEntityHighScoreScene(type) {}

bool PyxEntityHighScoreMenuScene::Update(float ms) {
    const bool result = QxEntityHighScoreScene::Update(ms);
    if (!IsModal()) {
        const auto levels = static_cast<PyxEntityHighScoreMenuSceneType*>(Type())->LevelElements();
        ShowTableRows(&levels);
    }
    return result;
}

bool PyxEntityHighScoreMenuScene::OnMouseUp(QxPoint mouse, int button) {
    if (QxEntityHighScoreScene::OnMouseUp(mouse, button)) {
        return true;
    }
    QxEntity2DGUIElement* done = HighScoreType()->Done();
    if (done != nullptr && done->Click(mouse)) {
        GoToScene(*this, "PyxMainMenu", "mainmenu");
        return true;
    }
    return false;
}

bool PyxEntityHighScoreMenuScene::OnKey(int code) {
    if (QxEntityHighScoreScene::OnKey(code)) {
        return true;
    }
    if (code == kSceneKeyEscape) {
        GoToScene(*this, "PyxMainMenu", "mainmenu");
        return true;
    }
    return false;
}
