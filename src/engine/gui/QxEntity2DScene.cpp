#include "engine/gui/QxEntity2DScene.h"

#include <algorithm>
#include <cmath>

#include "app/QxGlobals.h"
#include "app/QxMouseState.h"
#include "app/QxScreenSize.h"
#include "engine/files/QxLog.h"
#include "engine/gui/QxEntity2DGUIElement.h"
#include "engine/gui/QxEntity2DGUIText.h"
#include "engine/gui/QxEntityInputBox.h"
#include "engine/gui/QxEntityMessageBox.h"
#include "engine/screen/QxScreen2D.h"

namespace {

// A tooltip lives this long (ms) after its last refresh; it fades out over the last
// 255 ms of that.
constexpr float kTooltipLifeMs = 305.0f;
constexpr float kTooltipOpaqueLife = 255.0f;
// The tooltip background is never filled more opaque than this.
constexpr float kTooltipMaxBackgroundAlpha = 224.0f;

std::int32_t ClampPriority(std::int32_t priority) {
    return std::min(priority, kMaxElementPriority);
}

std::int32_t ClampToRange(std::int32_t value, std::int32_t low, std::int32_t high) {
    // A range that is empty (a text wider than the screen) pins the value to its low end.
    return std::max(low, std::min(value, high));
}

} // namespace

// ---- type -----------------------------------------------------------------------------

QxEntity2DSceneType::QxEntity2DSceneType(QxDefinition* definition) {
    m_cursor.priority = kCursorPriority;
    m_messageBoxRef = QxEntityRef{"QxMessageBox", "messagebox"};
    m_inputBoxRef = QxEntityRef{"QxInputBox", "inputbox"};
    if (!definition) {
        return;
    }
    QxDefinition& def = *definition;
    def.ReadKey("CursorEnt", m_cursor.reference);
    def.ReadKey("CursorEntPos", m_cursor.hotSpot);
    def.ReadKey("CursorMoveTimeOut", m_cursorTimeOut);
    def.ReadKey("MessageBoxEnt", m_messageBoxRef);
    def.ReadKey("InputBoxEnt", m_inputBoxRef);
    def.ReadKey("ToolTipTextEnt", m_tooltipTextRef);
    def.ReadKey("ToolTipBGCol", m_tooltipBackground);
    std::int32_t count = 0;
    def.ReadKey("NumGUIElements", count);
    count = std::clamp(count, 0, kMaxSceneElements);
    for (std::int32_t n = 1; n <= count; ++n) {
        const std::string name = "GUIElement" + std::to_string(n);
        ElementRecord record;
        def.ReadKey(name + "Ent", record.reference);
        def.ReadKey(name + "Pos", record.position);
        def.ReadKey(name + "Priority", record.priority);
        record.priority = ClampPriority(record.priority);
        m_elements.push_back(std::move(record));
    }
    def.ReadKey("TransType", m_transitionType);
}

QxEntity2DSceneType::ElementRecord* QxEntity2DSceneType::AddNamedElement(const std::string& name,
                                                                         QxDefinition* definition) {
    ElementRecord record;
    if (definition) {
        definition->ReadKey(name + "Ent", record.reference);
        definition->ReadKey(name + "EntPos", record.position);
        definition->ReadKey(name + "EntPriority", record.priority);
    }
    record.priority = ClampPriority(record.priority);
    m_elements.push_back(std::move(record));
    return &m_elements.back();
}

QxEntity2DSceneType::ElementRecord* QxEntity2DSceneType::AddElement(const QxEntityRef& reference,
                                                                    QxPoint position,
                                                                    std::int32_t priority) {
    ElementRecord record;
    record.reference = reference;
    record.position = position;
    record.priority = ClampPriority(priority);
    m_elements.push_back(std::move(record));
    return &m_elements.back();
}

void QxEntity2DSceneType::CreateRecordElement(ElementRecord& record, bool place) {
    if (record.element) {
        return;
    }
    record.element = QxCreateGUIElement(record.reference, kKindGUIElement);
    if (!record.element) {
        return;
    }
    if (QxEntityBaseType* type = record.element->Type()) {
        type->Load(false);
    }
    if (place) {
        record.element->SetPosition(record.position);
    }
}

bool QxEntity2DSceneType::Load(bool reload) {
    if (IsLoaded()) {
        return true;
    }
    // std::list::sort is a stable merge sort: equal priorities keep the order in which
    // the records were read or added.
    m_elements.sort(
        [](const ElementRecord& a, const ElementRecord& b) { return a.priority < b.priority; });
    for (ElementRecord& record : m_elements) {
        CreateRecordElement(record, true);
    }
    CreateRecordElement(m_cursor, false);
    if (!m_tooltipText) {
        m_tooltipText = QxCreateGUIElement(m_tooltipTextRef, kKindGUIElement);
    }
    return QxEntityBaseType::Load(reload);
}

bool QxEntity2DSceneType::Unload() {
    for (ElementRecord& record : m_elements) {
        record.element.reset();
    }
    m_cursor.element.reset();
    m_tooltipText.reset();
    return QxEntityBaseType::Unload();
}

// ---- scene ----------------------------------------------------------------------------

QxEntity2DScene::QxEntity2DScene(QxEntity2DSceneType* type) : QxEntityBase(type) {}

QxEntity2DScene::~QxEntity2DScene() {
    if (QxEntity2DGUIElement::TooltipScene() == this) {
        QxEntity2DGUIElement::SetTooltipScene(nullptr);
    }
}

QxEntity2DGUIElement* QxEntity2DScene::Dialog(std::size_t index) const {
    return index < m_dialogs.size() ? m_dialogs[index].element.get() : nullptr;
}

bool QxEntity2DScene::IsDialogOpen(const QxEntity2DGUIElement* dialog) const {
    return std::any_of(m_dialogs.begin(), m_dialogs.end(),
                       [dialog](const OpenDialog& d) { return d.element.get() == dialog; });
}

bool QxEntity2DScene::Update(float ms) {
    QxEntity2DSceneType* type = SceneType();
    if (type) {
        type->Load(false);
    }
    m_closed.clear();

    const bool modalBefore = m_modal != 0;
    if (!m_modal && type) {
        for (auto& record : type->Elements()) {
            if (record.element) {
                record.element->Update(ms);
            }
        }
    }
    QxKeyboardFocus& focus = KeyboardFocus();
    focus.Show(!m_modal);
    focus.FollowMouse(QxPoint{g_mouseState.x, g_mouseState.y}, !m_modal);

    // Updates may close dialogs (a count-down running out) or open new ones, so walk a
    // snapshot and skip whatever has left the list meanwhile.
    std::vector<QxEntity2DGUIElement*> dialogs;
    if ((modalBefore || m_modal) && !m_dialogs.empty()) {
        dialogs.push_back(m_dialogs.front().element.get());
    } else {
        for (auto& d : m_dialogs) {
            dialogs.push_back(d.element.get());
        }
    }
    for (QxEntity2DGUIElement* dialog : dialogs) {
        if (IsDialogOpen(dialog)) {
            dialog->Update(ms);
        }
    }

    UpdateCursor(ms);
    UpdateTooltips(ms);
    return true;
}

void QxEntity2DScene::UpdateCursor(float ms) {
    QxEntity2DSceneType* type = SceneType();
    QxEntity2DGUIElement* cursor = type ? type->CursorElement() : nullptr;
    if (!cursor) {
        return;
    }
    cursor->Update(ms);
    cursor->Invalidate();
    const QxPoint mouse{g_mouseState.x, g_mouseState.y};
    const QxPoint last = cursor->GetPosition();
    if (last.x == mouse.x && last.y == mouse.y) {
        m_cursorIdleTime += ms;
    } else {
        m_cursorIdleTime = 0.0f;
    }
    if (g_screen) {
        g_screen->MarkDirty(cursor->GetRect(), false);
    }
    cursor->SetPosition(mouse);
    // The cursor is drawn where it now is, so that place has to be redrawn as well.
    cursor->Invalidate();
}

void QxEntity2DScene::UpdateTooltips(float ms) {
    for (std::unique_ptr<TooltipState>* slot : {&m_currentTooltip, &m_fadingTooltip}) {
        TooltipState* tooltip = slot->get();
        if (!tooltip) {
            continue;
        }
        tooltip->life -= ms;
        if (g_screen) {
            g_screen->MarkDirty(tooltip->box, false);
        }
        if (tooltip->life < 0.0f) {
            slot->reset();
        } else if (tooltip->life > kTooltipOpaqueLife) {
            tooltip->alpha = std::min(255.0f, tooltip->alpha + ms);
        } else {
            tooltip->alpha = tooltip->life;
        }
    }
}

bool QxEntity2DScene::CursorTimedOut() const {
    const QxEntity2DSceneType* type = SceneType();
    return type && type->m_cursorTimeOut > 0 &&
           m_cursorIdleTime > static_cast<float>(type->m_cursorTimeOut);
}

bool QxEntity2DScene::Draw() {
    if (m_suspended) {
        return true;
    }
    QxEntity2DSceneType* type = SceneType();
    if (!type) {
        return true;
    }
    QxEntity2DGUIElement* cursor = type->CursorElement();
    for (auto& record : type->Elements()) {
        QxEntity2DGUIElement* element = record.element.get();
        if (!element) {
            continue;
        }
        if (element == cursor && CursorTimedOut()) {
            continue;
        }
        if (record.priority >= kOverlayPriority || !element->IsVisible()) {
            continue;
        }
        element->Draw();
    }
    DrawOverlay();
    for (auto it = m_dialogs.rbegin(); it != m_dialogs.rend(); ++it) {
        it->element->Draw();
    }
    DrawTooltip();
    if (cursor && !CursorTimedOut()) {
        cursor->Draw();
    }
    return true;
}

bool QxEntity2DScene::DrawOverlay() {
    QxEntity2DSceneType* type = SceneType();
    if (!type) {
        return true;
    }
    for (auto& record : type->Elements()) {
        QxEntity2DGUIElement* element = record.element.get();
        if (element && record.priority >= kOverlayPriority && element->IsVisible()) {
            element->Draw();
        }
    }
    return true;
}

void QxEntity2DScene::DrawTooltip() {
    QxEntity2DSceneType* type = SceneType();
    QxEntity2DGUIElement* text = type ? type->TooltipTextElement() : nullptr;
    if (!text || !m_currentTooltip) {
        return;
    }
    const float alpha = std::clamp(m_currentTooltip->alpha, 0.0f, 255.0f);
    if (g_screen) {
        QxColour background = type->m_tooltipBackground;
        background.alpha = static_cast<std::uint8_t>(std::min(alpha, kTooltipMaxBackgroundAlpha));
        g_screen->FillRect(m_currentTooltip->box, background);
    }
    text->SetAlpha(static_cast<std::uint32_t>(alpha));
    text->Draw();
}

// ---- input ----------------------------------------------------------------------------

template <typename Call> bool QxEntity2DScene::RouteToDialogs(Call call) {
    if (m_dialogs.empty()) {
        return false;
    }
    if (m_modal) {
        call(*m_dialogs.front().hooks);
        return true;
    }
    // A hook may close its dialog (or open another), so walk a snapshot.
    std::vector<QxEntity2DGUIElement*> snapshot;
    for (auto& d : m_dialogs) {
        snapshot.push_back(d.element.get());
    }
    for (QxEntity2DGUIElement* element : snapshot) {
        auto it = std::find_if(m_dialogs.begin(), m_dialogs.end(), [element](const OpenDialog& d) {
            return d.element.get() == element;
        });
        if (it != m_dialogs.end() && call(*it->hooks)) {
            return true;
        }
    }
    return false;
}

bool QxEntity2DScene::OnMouseUp(QxPoint mouse, int button) {
    return RouteToDialogs([&](QxDialogInterface& d) { return d.OnMouseUp(mouse, button); });
}

bool QxEntity2DScene::OnPointerHook(QxPoint mouse, int button) {
    return RouteToDialogs([&](QxDialogInterface& d) { return d.OnPointerHook(mouse, button); });
}

bool QxEntity2DScene::OnMouseDown(QxPoint mouse, int button) {
    return RouteToDialogs([&](QxDialogInterface& d) { return d.OnMouseDown(mouse, button); });
}

bool QxEntity2DScene::OnIntegerHook(std::int32_t value) {
    return RouteToDialogs([&](QxDialogInterface& d) { return d.OnIntegerHook(value); });
}

bool QxEntity2DScene::OnKey(int code) {
    if (RouteToDialogs([&](QxDialogInterface& d) { return d.OnKey(code); })) {
        return true;
    }
    QxKeyboardFocus& focus = KeyboardFocus();
    switch (focus.OnKey(code)) {
    case QxKeyboardFocus::KeyResult::Moved:
        return true;
    case QxKeyboardFocus::KeyResult::Press:
        // The scene acts on it through its own click handling, as on the mouse's.
        OnMouseUp(focus.PressPoint(), 1);
        return true;
    case QxKeyboardFocus::KeyResult::Ignored:
        break;
    }
    return false;
}

bool QxEntity2DScene::OnKeyUp(int code) {
    m_focus.OnKeyUp(code);
    return RouteToDialogs([&](QxDialogInterface& d) { return d.OnKeyUp(code); });
}

bool QxEntity2DScene::OnMouseWheel(QxPoint /*mouse*/, std::int32_t /*turn*/) {
    return m_modal != 0 && !m_dialogs.empty();
}

bool QxEntity2DScene::OnRightButton(QxPoint /*mouse*/, bool /*down*/) {
    return m_modal != 0 && !m_dialogs.empty();
}

// ---- keyboard focus -------------------------------------------------------------------

QxKeyboardFocus& QxEntity2DScene::KeyboardFocus() {
    if (m_focusReady) {
        return m_focus;
    }
    QxEntity2DSceneType* type = SceneType();
    if (type == nullptr) {
        return m_focus;
    }
    type->Load(false);
    m_focusReady = true;
    std::vector<QxEntity2DGUIElement*> controls;
    for (auto& record : type->Elements()) {
        if (record.element) {
            controls.push_back(record.element.get());
        }
    }
    // Reading order: top to bottom, then left to right.
    std::stable_sort(controls.begin(), controls.end(),
                     [](QxEntity2DGUIElement* a, QxEntity2DGUIElement* b) {
                         const QxPoint pa = a->GetPosition();
                         const QxPoint pb = b->GetPosition();
                         return pa.y != pb.y ? pa.y < pb.y : pa.x < pb.x;
                     });
    m_focus.SetControls(controls);
    return m_focus;
}

bool QxEntity2DScene::FocusOn(const QxEntity2DGUIElement* control) {
    return KeyboardFocus().FocusOn(control);
}

// ---- cursor ---------------------------------------------------------------------------

bool QxEntity2DScene::SetCursorFrame(std::int32_t frame) {
    QxEntity2DSceneType* type = SceneType();
    QxEntity2DGUIElement* cursor = type ? type->CursorElement() : nullptr;
    if (!cursor) {
        return false;
    }
    cursor->Invalidate();
    cursor->SetInt(774, frame);
    return true;
}

bool QxEntity2DScene::ShowCursor(bool visible) {
    QxEntity2DSceneType* type = SceneType();
    QxEntity2DGUIElement* cursor = type ? type->CursorElement() : nullptr;
    if (!cursor) {
        return false;
    }
    cursor->SetVisible(visible);
    return true;
}

// ---- dialogs --------------------------------------------------------------------------

QxEntity2DGUIElement* QxEntity2DScene::AddDialog(std::int32_t id,
                                                 std::unique_ptr<QxEntity2DGUIElement> dialog,
                                                 QxDialogCloseCallback callback,
                                                 QxEntity2DScene* target, bool modal) {
    if (!dialog) {
        return nullptr;
    }
    auto* hooks = dynamic_cast<QxDialogInterface*>(dialog.get());
    if (!hooks) {
        const QxEntityBaseType* type = dialog->Type();
        LogPrintf("%s|%s - not a dialog.", type ? type->ClassName().c_str() : "",
                  type ? type->TypeName().c_str() : "");
        return nullptr;
    }
    if (modal) {
        m_modal = 1;
    }
    hooks->Attach(id, callback, target, this);
    dialog->Invalidate();
    QxEntity2DGUIElement* raw = dialog.get();
    m_dialogs.push_back(OpenDialog{std::move(dialog), hooks});
    return raw;
}

bool QxEntity2DScene::OnDialogClosed(QxEntity2DGUIElement*) {
    return true;
}

bool QxEntity2DScene::DefaultCloseCallback(QxEntity2DScene* target, QxEntity2DGUIElement* dialog) {
    return target ? target->OnDialogClosed(dialog) : true;
}

void QxEntity2DScene::CloseDialog(QxEntity2DGUIElement* dialog) {
    auto find = [this, dialog] {
        return std::find_if(m_dialogs.begin(), m_dialogs.end(),
                            [dialog](const OpenDialog& d) { return d.element.get() == dialog; });
    };
    auto it = find();
    // A callback that closes its own dialog again is already being answered.
    if (it == m_dialogs.end() || m_closing == dialog) {
        return;
    }
    if (QxDialogCloseCallback callback = it->hooks->CloseCallback()) {
        QxEntity2DScene* target = it->hooks->CallbackTarget();
        const QxEntity2DGUIElement* outer = m_closing;
        m_closing = dialog;
        const bool agreed = callback(target ? target : this, dialog);
        m_closing = outer;
        if (!agreed) {
            return;
        }
        // The callback may have opened or closed other dialogs.
        it = find();
        if (it == m_dialogs.end()) {
            return;
        }
    }
    dialog->Invalidate();
    m_closed.push_back(std::move(it->element));
    m_dialogs.erase(it);
    if (m_dialogs.empty()) {
        m_modal = 0;
    }
}

template <typename Fill>
QxEntity2DGUIElement* QxEntity2DScene::OpenBox(QxEntityRef QxEntity2DSceneType::*reference,
                                               std::uint32_t kind, std::int32_t id,
                                               QxDialogCloseCallback callback,
                                               QxEntity2DScene* target, Fill fill) {
    QxEntity2DSceneType* type = SceneType();
    if (!type) {
        return nullptr;
    }
    std::unique_ptr<QxEntity2DGUIElement> box = QxCreateGUIElement(type->*reference, kind);
    QxDialogInterface* hooks = box ? dynamic_cast<QxDialogInterface*>(box.get()) : nullptr;
    if (!hooks) {
        return nullptr;
    }
    fill(*hooks);
    const QxRect rect = box->GetRect();
    const std::int32_t width = rect.right - rect.left;
    const std::int32_t height = rect.bottom - rect.top;
    // Arithmetic shift: a box larger than the screen gets a negative position.
    box->SetPosition(QxPoint{(kScreenWidth - width) >> 1, (kScreenHeight - height) >> 1});
    return AddDialog(id, std::move(box), callback ? callback : &DefaultCloseCallback, target, true);
}

QxEntity2DGUIElement* QxEntity2DScene::ShowMessageBox(const std::string& text, std::int32_t id,
                                                      std::uint32_t buttons,
                                                      QxDialogCloseCallback callback,
                                                      QxEntity2DScene* target) {
    return OpenMessageBox(text, nullptr, id, buttons, callback, target);
}

QxEntity2DGUIElement* QxEntity2DScene::ShowTimedMessageBox(const std::string& text,
                                                           std::int32_t timeOutMs, std::int32_t id,
                                                           std::uint32_t buttons,
                                                           QxDialogCloseCallback callback,
                                                           QxEntity2DScene* target) {
    return OpenMessageBox(text, &timeOutMs, id, buttons, callback, target);
}

QxEntity2DGUIElement* QxEntity2DScene::OpenMessageBox(const std::string& text,
                                                      const std::int32_t* timeOutMs,
                                                      std::int32_t id, std::uint32_t buttons,
                                                      QxDialogCloseCallback callback,
                                                      QxEntity2DScene* target) {
    return OpenBox(&QxEntity2DSceneType::m_messageBoxRef, kKindMessageBox, id, callback, target,
                   [&](QxDialogInterface& hooks) {
                       hooks.SetText(text);
                       hooks.SetButtons(buttons);
                       if (timeOutMs) {
                           hooks.SetTimeOut(*timeOutMs);
                       }
                   });
}

QxEntity2DGUIElement* QxEntity2DScene::ShowInputBox(const std::string& instructions,
                                                    const std::string& entry, std::int32_t limit,
                                                    std::int32_t id, QxDialogCloseCallback callback,
                                                    QxEntity2DScene* target) {
    return OpenBox(&QxEntity2DSceneType::m_inputBoxRef, kKindInputBox, id, callback, target,
                   [&](QxDialogInterface& hooks) {
                       hooks.SetInstructions(instructions);
                       hooks.SetEntry(entry);
                       hooks.SetLimit(limit);
                   });
}

// ---- tooltips -------------------------------------------------------------------------

void QxEntity2DScene::ShowTooltip(const QxEntity2DGUIElement* owner, std::int32_t x, std::int32_t y,
                                  const std::string& text) {
    QxEntity2DSceneType* type = SceneType();
    if (!type || !type->TooltipTextElement()) {
        return;
    }
    if (m_currentTooltip && m_currentTooltip->owner == owner) {
        m_currentTooltip->life = kTooltipLifeMs;
        if (m_currentTooltip->text != text) {
            m_currentTooltip->text = text;
            LayOutTooltip(*m_currentTooltip, x, y);
        }
        return;
    }
    if (m_currentTooltip) {
        m_fadingTooltip = std::move(m_currentTooltip);
    }
    m_currentTooltip = std::make_unique<TooltipState>();
    m_currentTooltip->owner = owner;
    m_currentTooltip->text = text;
    m_currentTooltip->life = kTooltipLifeMs;
    m_currentTooltip->alpha = 0.0f;
    LayOutTooltip(*m_currentTooltip, x, y);
}

void QxEntity2DScene::LayOutTooltip(TooltipState& tooltip, std::int32_t x, std::int32_t y) {
    QxEntity2DGUIElement* text = SceneType()->TooltipTextElement();
    text->SetString(kPropText, tooltip.text);
    text->SetBool(kPropJustify, kJustifyLeft);
    text->Update(0.0f);
    std::int32_t width = 0;
    std::int32_t height = 0;
    text->GetBool(kPropTextWidth, width);
    text->GetBool(kPropTextHeight, height);

    const std::int32_t screenWidth = g_screen ? g_screen->Width() : kScreenWidth;
    const std::int32_t screenHeight = g_screen ? g_screen->Height() : kScreenHeight;
    const std::int32_t left = ClampToRange(x, 0, screenWidth - width);
    const std::int32_t top = ClampToRange(y, 0, screenHeight - height);
    text->SetPosition(QxPoint{left + 2, top + 2});
    tooltip.box = QxRect{left, left + width + 4, top, top + height + 4};
}
