#include "engine/gui/QxEntityHighScoreInputScene.h"

#include "engine/gui/QxEntity2DGUIText.h"
#include "engine/gui/QxEntityDialogBox.h"

QxEntityHighScoreInputSceneType::QxEntityHighScoreInputSceneType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    m_nameEntry = AddNamedElement("NameEntry", definition);
    m_okButton = AddNamedElement("OKButton", definition);
}

QxEntity2DGUIText* QxEntityHighScoreInputSceneType::NameEntry() const {
    return m_nameEntry ? dynamic_cast<QxEntity2DGUIText*>(m_nameEntry->element.get()) : nullptr;
}

QxEntity2DGUIElement* QxEntityHighScoreInputSceneType::OKButton() const {
    return m_okButton ? m_okButton->element.get() : nullptr;
}

QxEntityHighScoreInputScene::QxEntityHighScoreInputScene(QxEntityHighScoreInputSceneType* type)
    : QxEntity2DScene(type) {
    type->Load(false);
}

bool QxEntityHighScoreInputScene::OnKey(int code) {
    if (code == kKeyEnter) {
        CloseDialog();
        return false;
    }
    QxEntity2DGUIText* entry = InputType()->NameEntry();
    if (entry == nullptr) {
        return false;
    }
    if (m_firstKeyClears) {
        m_firstKeyClears = false;
        entry->SetString(kPropText, "");
    }
    entry->SetBool(kPropMaxLength, kMaxNameLength);
    entry->HandleKey(code);
    entry->GetString(kPropTextGet, m_name);
    return false;
}

bool QxEntityHighScoreInputScene::OnMouseUp(QxPoint mouse, int button) {
    QxEntity2DGUIElement* ok = InputType()->OKButton();
    if (ok != nullptr && ok->Click(mouse)) {
        CloseDialog();
        return true;
    }
    return QxEntity2DScene::OnMouseUp(mouse, button);
}

void QxEntityHighScoreInputScene::SetName(const std::string& name) {
    m_name = name;
    if (QxEntity2DGUIText* entry = InputType()->NameEntry()) {
        entry->SetBool(kPropMaxLength, kMaxNameLength);
        entry->SetString(kPropText, name);
        entry->SetBool(kPropEditing, 1);
        entry->GetString(kPropTextGet, m_name);
    }
}

void QxEntityHighScoreInputScene::CloseDialog() {
    if (m_dialog != nullptr) {
        m_dialog->Close(kAnswerDismissed);
    }
}
