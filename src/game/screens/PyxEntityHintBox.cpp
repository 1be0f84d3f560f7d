#include "game/screens/PyxEntityHintBox.h"

#include "app/GameSettings.h"
#include "app/QxMouseState.h"
#include "engine/gui/QxDialogParts.h"
#include "engine/gui/QxEntity2DGUIButton.h"
#include "engine/gui/QxEntity2DGUIToggleButton.h"
#include "engine/gui/QxEntityDialogFrame.h"
#include "game/screens/PyxSceneSupport.h"

namespace {

// A toggle measures as the button of its current state.
void PartSize(QxEntity2DGUIElement* element, std::int32_t& width, std::int32_t& height) {
    if (auto* toggle = dynamic_cast<QxEntity2DGUIToggleButton*>(element)) {
        QxPartSize(toggle->CurrentButton(), width, height);
        return;
    }
    QxPartSize(element, width, height);
}

} // namespace

PyxEntityHintBoxType::PyxEntityHintBoxType(QxDefinition* definition) : QxEntityTypeOf(definition) {
    if (definition == nullptr) {
        return;
    }
    definition->ReadKey("CloseButtonEnt", m_closeButtonRef);
    definition->ReadKey("DontShowButtonEnt", m_dontShowButtonRef);
    definition->ReadKey("DontShowTextEnt", m_dontShowTextRef);
}

PyxEntityHintBox::PyxEntityHintBox(PyxEntityHintBoxType* type) : QxEntityDialogScene(type) {
    m_closeButton = QxCreatePart<QxEntity2DGUIButton>(type->m_closeButtonRef, kKindGUIElement);
    m_dontShow =
        QxCreatePart<QxEntity2DGUIToggleButton>(type->m_dontShowButtonRef, kKindGUIElement);
    m_dontShowText = QxCreatePart<QxEntity2DGUIElement>(type->m_dontShowTextRef, kKindGUIElement);
    LayOut();
    m_focus.SetControls({m_dontShow.get(), m_closeButton.get()});
    m_focus.FocusOn(m_closeButton.get());
}

void PyxEntityHintBox::LayOut() {
    QxEntityDialogScene::LayOut();
    const QxEntityDialogFrame* frame = Frame();
    const std::int32_t bottom = frame != nullptr ? frame->BottomInset() : 0;
    const std::int32_t right = frame != nullptr ? frame->RightInset() : 0;
    std::int32_t toggleWidth = 0;
    std::int32_t toggleHeight = 0;
    PartSize(m_dontShow.get(), toggleWidth, toggleHeight);
    std::int32_t closeWidth = 0;
    std::int32_t closeHeight = 0;
    PartSize(m_closeButton.get(), closeWidth, closeHeight);

    m_dontShowOffset = QxPoint{0, m_height - toggleHeight - bottom + 3};
    m_dontShowTextOffset = QxPoint{toggleWidth + 5, m_height - toggleHeight - bottom + 4};
    m_closeOffset = QxPoint{m_width - closeWidth - right, m_height - closeHeight - bottom + 3};

    // Constructors of the base lay out before the parts exist; they are placed once made.
    const QxPoint origin = ContentOrigin();
    auto place = [&origin](QxEntity2DGUIElement* part, QxPoint offset) {
        if (part != nullptr) {
            part->SetPosition(QxPoint{origin.x + offset.x, origin.y + offset.y});
        }
    };
    place(m_dontShow.get(), m_dontShowOffset);
    place(m_dontShowText.get(), m_dontShowTextOffset);
    place(m_closeButton.get(), m_closeOffset);
}

bool PyxEntityHintBox::Update(float ms) {
    const bool result = QxEntityDialogScene::Update(ms);
    m_focus.FollowMouse(QxPoint{g_mouseState.x, g_mouseState.y});
    for (QxEntity2DGUIElement* part :
         {static_cast<QxEntity2DGUIElement*>(m_closeButton.get()),
          static_cast<QxEntity2DGUIElement*>(m_dontShow.get()), m_dontShowText.get()}) {
        if (part != nullptr) {
            part->Update(ms);
        }
    }
    return result;
}

bool PyxEntityHintBox::Draw() {
    if (!IsVisible()) {
        return true;
    }
    QxEntityDialogScene::Draw();
    for (QxEntity2DGUIElement* part :
         {static_cast<QxEntity2DGUIElement*>(m_closeButton.get()),
          static_cast<QxEntity2DGUIElement*>(m_dontShow.get()), m_dontShowText.get()}) {
        if (part != nullptr && part->IsVisible()) {
            part->Draw();
        }
    }
    return true;
}

bool PyxEntityHintBox::OnMouseUp(QxPoint point, int button) {
    if (m_dontShow && m_dontShow->Click(point)) {
        StopCountDown();
        return true;
    }
    if (m_closeButton && m_closeButton->Click(point)) {
        CloseKeepingChoice();
        return true;
    }
    return QxEntityDialogScene::OnMouseUp(point, button);
}

bool PyxEntityHintBox::OnKey(int code) {
    if (code == kSceneKeyEscape) {
        Close(kAnswerEscaped);
        return true;
    }
    switch (m_focus.OnKey(code)) {
    case QxKeyboardFocus::KeyResult::Moved:
        StopCountDown();
        return true;
    case QxKeyboardFocus::KeyResult::Press:
        OnMouseUp(m_focus.PressPoint(), 1);
        return true;
    case QxKeyboardFocus::KeyResult::Ignored:
        break;
    }
    if (code == kSceneKeyEnter) {
        // A box without a close button to focus still closes on Enter.
        CloseKeepingChoice();
        return true;
    }
    QxEntityDialogScene::OnKey(code);
    return true;
}

bool PyxEntityHintBox::OnKeyUp(int code) {
    m_focus.OnKeyUp(code);
    return QxEntityDialogScene::OnKeyUp(code);
}

void PyxEntityHintBox::CloseKeepingChoice() {
    std::int32_t dontShow = 0;
    if (m_dontShow) {
        m_dontShow->GetBool(kPropToggleState, dontShow);
    }
    g_gameSettings.showHints = dontShow != 0 ? 0 : 1;
    Close(kAnswerClosed);
}
