#include "game/screens/PyxEntityInstructionsScene.h"

#include <algorithm>

#include "app/QxInputEvent.h"
#include "engine/gui/QxEntity2DGUIElement.h"
#include "engine/gui/QxEntity2DGUIListBox.h"
#include "game/screens/PyxSceneSupport.h"

PyxEntityInstructionsSceneType::PyxEntityInstructionsSceneType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    m_ok = AddNamedElement("OK", definition);
    m_list = AddNamedElement("List", definition);
    if (definition) {
        definition->ReadKey("ListFile", m_listFile);
    }
}

PyxEntityInstructionsScene::PyxEntityInstructionsScene(PyxEntityInstructionsSceneType* type)
    : QxEntity2DScene(type) {
    // The elements exist once the type has loaded; a first visit loads it here.
    type->Load(false);
    if (QxEntity2DGUIElement* list = NamedElement(type->m_list)) {
        // The list keeps its lines between visits (the same file is not read twice);
        // every visit starts reading at the top.
        if (!type->m_listFile.empty()) {
            list->SetString(kPropListFile, type->m_listFile);
        }
        list->SetBool(kPropListSelection, 0);
    }
}

bool PyxEntityInstructionsScene::OnMouseUp(QxPoint mouse, int /*button*/) {
    PyxEntityInstructionsSceneType* type = InstructionsType();
    if (ClickNamed(type->m_ok, mouse)) {
        GoToScene(*this, "PyxMainMenu", "mainmenu");
        return true;
    }
    // The list's arrows step, a click on a line selects it.
    if (ClickNamed(type->m_list, mouse)) {
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
    QxEntity2DGUIElement* list = NamedElement(InstructionsType()->m_list);
    if (list == nullptr) {
        return false;
    }
    std::int32_t page = 0;
    list->GetBool(kPropListHeight, page);
    std::int32_t count = 0;
    list->GetBool(kPropListCount, count);
    switch (code) {
    case QxKey::Up:
        list->SetBool(kPropListStepUp, 1);
        return true;
    case QxKey::Down:
        list->SetBool(kPropListStepDown, 1);
        return true;
    case QxKey::PageUp:
        // A page less a line, so the line read last stays in sight.
        list->SetBool(kPropListScroll, -std::max(1, page - 1));
        return true;
    case QxKey::PageDown:
        list->SetBool(kPropListScroll, std::max(1, page - 1));
        return true;
    case QxKey::Home:
        list->SetBool(kPropListSelection, 0);
        return true;
    case QxKey::End:
        list->SetBool(kPropListSelection, std::max(0, count - 1));
        return true;
    default:
        return false;
    }
}

bool PyxEntityInstructionsScene::OnMouseWheel(QxPoint mouse, std::int32_t turn) {
    if (QxEntity2DScene::OnMouseWheel(mouse, turn)) {
        return true;
    }
    QxEntity2DGUIElement* list = NamedElement(InstructionsType()->m_list);
    if (list == nullptr) {
        return false;
    }
    // Three lines a notch, as desktop lists scroll; a finer wheel's part-notches add up.
    m_wheel += turn;
    const std::int32_t notches = m_wheel / QxInputEvent::kWheelNotch;
    m_wheel -= notches * QxInputEvent::kWheelNotch;
    if (notches != 0) {
        list->SetBool(kPropListScroll, -notches * kLinesPerNotch);
    }
    return true;
}
