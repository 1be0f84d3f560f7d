#include "game/screens/PyxSceneSupport.h"

#include "app/PyxGame.h"
#include "app/QxGame.h"
#include "app/QxGlobals.h"
#include "engine/gui/QxEntity2DGUIElement.h"
#include "engine/gui/QxEntity2DGUIText.h"
#include "engine/gui/QxEntityDialogBox.h"

QxEntity2DGUIElement* NamedElement(const QxEntity2DSceneType::ElementRecord* record) {
    return record != nullptr ? record->element.get() : nullptr;
}

bool ClickNamed(const QxEntity2DSceneType::ElementRecord* record, QxPoint point) {
    QxEntity2DGUIElement* element = NamedElement(record);
    return element != nullptr && element->Click(point);
}

void GoToScene(const QxEntity2DScene& from, const std::string& className,
               const std::string& typeName) {
    GoToScene(className, typeName, from.SceneType()->m_transitionType);
}

void GoToScene(const std::string& className, const std::string& typeName, int transition) {
    if (g_game != nullptr) {
        g_game->RequestScene(className, typeName, transition);
    }
}

void QuitGame() {
    if (g_game != nullptr) {
        g_game->RequestQuit();
    }
}

void AllowFullScreenKey(bool allowed) {
    if (PyxGame* game = ThePyxGame()) {
        game->SetFullScreenKeyAllowed(allowed);
    }
}

void ShowQuestion(QxEntity2DScene& scene, const std::string& title, const std::string& question,
                  std::int32_t id) {
    if (auto* box =
            dynamic_cast<QxEntityDialogBox*>(scene.ShowMessageBox(question, id, kButtonsYesNo))) {
        box->SetTitle(title);
    }
}

void SetElementText(const QxEntity2DSceneType::ElementRecord* record, const std::string& text) {
    if (QxEntity2DGUIElement* element = NamedElement(record)) {
        element->SetString(kPropText, text);
    }
}

void SetElementJustify(const QxEntity2DSceneType::ElementRecord* record, std::int32_t justify) {
    if (QxEntity2DGUIElement* element = NamedElement(record)) {
        element->SetBool(kPropJustify, justify);
    }
}
