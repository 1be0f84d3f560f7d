#pragma once
// A full-screen entity that owns an ordered list of GUI elements and draws them by
// priority, keeps a mouse-cursor element, shows tooltips and hosts dialogs that take
// the input while open. Every game screen derives from it.
//
// The elements belong to the scene type and are created once, at its first Load, so
// every visit of a scene (each a fresh scene entity) sees the same elements and their
// state. The scene entity itself owns only its dialogs, its tooltips and the cursor
// idle state.
//
// Drawing layers: list elements of priority below 500 are drawn by the base Draw,
// those from 500 up by DrawOverlay, which the base Draw calls after them. A subclass
// that draws its own content before or after the base Draw therefore gets a layer of
// its own between the two.

#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "engine/entity/QxDefinition.h"
#include "engine/entity/QxEntityBase.h"
#include "engine/gui/QxDialogInterface.h"
#include "engine/gui/QxKeyboardFocus.h"
#include "engine/screen/QxColour.h"
#include "engine/screen/QxRect.h"

class QxEntity2DGUIElement;

inline constexpr std::uint32_t kKindScene = QxKindTag("SCNE");

// The largest element list a definition may declare and the highest list priority.
inline constexpr std::int32_t kMaxSceneElements = 64;
inline constexpr std::int32_t kMaxElementPriority = 999;
// List elements from this priority up are drawn by DrawOverlay.
inline constexpr std::int32_t kOverlayPriority = 500;
// The cursor sits above every list element.
inline constexpr std::int32_t kCursorPriority = 1000;

class QxEntity2DScene;

class QxEntity2DSceneType
    : public QxEntityTypeOf<QxEntity2DSceneType, QxEntity2DScene, QxEntityBaseType, kKindScene> {
public:
    struct ElementRecord {
        std::int32_t priority = 0;
        QxPoint position{0, 0};
        // Owned; empty until the type loads, and for good when the reference names
        // nothing that can be created.
        std::unique_ptr<QxEntity2DGUIElement> element;
        QxEntityRef reference;
    };

    struct CursorRecord : ElementRecord {
        QxPoint hotSpot{0, 0};
    };

    // Reads the scene keys; a null definition keeps every default.
    explicit QxEntity2DSceneType(QxDefinition* definition);

    // Sorts the list by priority (stable) and creates the elements, the cursor and the
    // tooltip text element. Runs once; later calls do nothing.
    bool Load(bool reload) override;
    // Destroys every element the type created.
    bool Unload() override;

    // For subclass types: reads name + "Ent", name + "EntPos" and name + "EntPriority"
    // and appends the record. The record lives as long as the type.
    ElementRecord* AddNamedElement(const std::string& name, QxDefinition* definition);
    // Appends a record built in code.
    ElementRecord* AddElement(const QxEntityRef& reference, QxPoint position,
                              std::int32_t priority);

    const std::list<ElementRecord>& Elements() const { return m_elements; }
    std::list<ElementRecord>& Elements() { return m_elements; }
    QxEntity2DGUIElement* CursorElement() const { return m_cursor.element.get(); }
    QxEntity2DGUIElement* TooltipTextElement() const { return m_tooltipText.get(); }

    CursorRecord m_cursor;
    // Above 0: a cursor left unmoved for longer than this (ms) is not drawn.
    std::int32_t m_cursorTimeOut = 0;
    QxEntityRef m_messageBoxRef;
    QxEntityRef m_inputBoxRef;
    QxEntityRef m_tooltipTextRef;
    // The alpha byte is replaced when the tooltip is drawn.
    QxColour m_tooltipBackground{64, 96, 180, 255};
    // Handed to the scene flow, which picks the transition into this scene (-1: any).
    std::int32_t m_transitionType = -1;

private:
    void CreateRecordElement(ElementRecord& record, bool place);

    std::list<ElementRecord> m_elements;
    std::unique_ptr<QxEntity2DGUIElement> m_tooltipText;
};

class QxEntity2DScene : public QxEntityBase {
public:
    struct TooltipState {
        const QxEntity2DGUIElement* owner = nullptr; // compared only, never followed
        QxRect box{0, 0, 0, 0};
        float alpha = 0.0f;
        float life = 0.0f;
        std::string text;
    };

    explicit QxEntity2DScene(QxEntity2DSceneType* type);
    ~QxEntity2DScene() override;

    bool Update(float ms) override;
    bool Draw() override;
    // Draws the list elements of priority 500 and above.
    virtual bool DrawOverlay();

    // Input, as the game object hands it over. The base versions forward to the dialogs
    // only: to the first one alone while a modal dialog is open, else to each in turn
    // until one takes the event. Each answers whether the event was taken.
    virtual bool OnMouseUp(QxPoint mouse, int button);
    virtual bool OnPointerHook(QxPoint mouse, int button);
    virtual bool OnMouseDown(QxPoint mouse, int button);
    virtual bool OnIntegerHook(std::int32_t value);
    // Keys no dialog takes move the keyboard focus among the scene's buttons and toggles
    // (in reading order of their positions) and press the focused one as a click on its
    // middle would: see QxKeyboardFocus. Keys that do neither are left unhandled.
    virtual bool OnKey(int code);
    virtual bool OnKeyUp(int code);
    // The mouse wheel turned (120 a notch, positive up). The base takes it only while a
    // modal dialog is open, and does nothing with it.
    virtual bool OnMouseWheel(QxPoint mouse, std::int32_t turn);
    // The right button went down or up. Only scenes that give it a meaning of their
    // own take it (the left button's handlers never see it, so no right click can
    // press a button); the base takes it while a modal dialog is open.
    virtual bool OnRightButton(QxPoint mouse, bool down);

    // False when the scene has no cursor element.
    virtual bool SetCursorFrame(std::int32_t frame);
    virtual bool ShowCursor(bool visible);

    // Takes ownership of the dialog and opens it. A modal dialog takes every event
    // and stops the list elements' updates until the last dialog closes. Answers the
    // dialog, or null when the element is not a dialog (it is then destroyed).
    virtual QxEntity2DGUIElement* AddDialog(std::int32_t id,
                                            std::unique_ptr<QxEntity2DGUIElement> dialog,
                                            QxDialogCloseCallback callback, QxEntity2DScene* target,
                                            bool modal);
    // What the default close callback calls; game scenes act on an answer here.
    virtual bool OnDialogClosed(QxEntity2DGUIElement* dialog);

    // Create a box from the type's references, configure it, centre it on the screen
    // and open it modal. A null callback means the default one. Answer the box, or null
    // when the reference yields no box.
    QxEntity2DGUIElement* ShowMessageBox(const std::string& text, std::int32_t id,
                                         std::uint32_t buttons,
                                         QxDialogCloseCallback callback = nullptr,
                                         QxEntity2DScene* target = nullptr);
    QxEntity2DGUIElement* ShowTimedMessageBox(const std::string& text, std::int32_t timeOutMs,
                                              std::int32_t id, std::uint32_t buttons,
                                              QxDialogCloseCallback callback = nullptr,
                                              QxEntity2DScene* target = nullptr);
    QxEntity2DGUIElement* ShowInputBox(const std::string& instructions, const std::string& entry,
                                       std::int32_t limit, std::int32_t id,
                                       QxDialogCloseCallback callback = nullptr,
                                       QxEntity2DScene* target = nullptr);

    // Asks the dialog's close callback; when it agrees, the dialog leaves the list and
    // is destroyed at the start of the next Update (so it can finish the call that
    // closed it). Nothing happens for a dialog that is not open here.
    void CloseDialog(QxEntity2DGUIElement* dialog);

    // Shows (or keeps alive for another 305 ms) the tooltip of an element near x, y.
    void ShowTooltip(const QxEntity2DGUIElement* owner, std::int32_t x, std::int32_t y,
                     const std::string& text);

    // The callback used when none is given: the target's OnDialogClosed.
    static bool DefaultCloseCallback(QxEntity2DScene* target, QxEntity2DGUIElement* dialog);

    QxEntity2DSceneType* SceneType() const { return static_cast<QxEntity2DSceneType*>(Type()); }
    std::size_t DialogCount() const { return m_dialogs.size(); }
    QxEntity2DGUIElement* Dialog(std::size_t index) const;
    bool IsDialogOpen(const QxEntity2DGUIElement* dialog) const;
    bool IsModal() const { return m_modal != 0; }
    void SetSuspended(bool suspended) { m_suspended = suspended ? 1 : 0; }

protected:
    // True while the cursor time-out hides an unmoved cursor.
    bool CursorTimedOut() const;
    // Puts the keyboard focus on one of the scene's controls (the first in reading order
    // has it otherwise). False when the element is not one of them.
    bool FocusOn(const QxEntity2DGUIElement* control);
    QxKeyboardFocus& KeyboardFocus();

private:
    struct OpenDialog {
        std::unique_ptr<QxEntity2DGUIElement> element;
        QxDialogInterface* hooks = nullptr;
    };

    template <typename Call> bool RouteToDialogs(Call call);
    // A null time-out leaves the box's own; any value is handed to it.
    QxEntity2DGUIElement* OpenMessageBox(const std::string& text, const std::int32_t* timeOutMs,
                                         std::int32_t id, std::uint32_t buttons,
                                         QxDialogCloseCallback callback, QxEntity2DScene* target);
    // Creates the box the type names at `reference`, lets `fill` set it up through its
    // dialog hooks and opens it centred; null when no box with hooks can be made.
    template <typename Fill>
    QxEntity2DGUIElement* OpenBox(QxEntityRef QxEntity2DSceneType::*reference, std::uint32_t kind,
                                  std::int32_t id, QxDialogCloseCallback callback,
                                  QxEntity2DScene* target, Fill fill);
    void LayOutTooltip(TooltipState& tooltip, std::int32_t x, std::int32_t y);
    void UpdateCursor(float ms);
    void UpdateTooltips(float ms);
    void DrawTooltip();

    std::vector<OpenDialog> m_dialogs;
    std::vector<std::unique_ptr<QxEntity2DGUIElement>> m_closed;
    std::uint8_t m_modal = 0;
    std::unique_ptr<TooltipState> m_currentTooltip;
    std::unique_ptr<TooltipState> m_fadingTooltip;
    float m_cursorIdleTime = 0.0f;
    std::uint8_t m_suspended = 0;
    const QxEntity2DGUIElement* m_closing = nullptr;
    // Made from the type's elements when first needed (they exist once the type loaded).
    QxKeyboardFocus m_focus;
    bool m_focusReady = false;
};

using QxEntity2DScenePrototype = QxTypePrototype<QxEntity2DSceneType>;
