#pragma once
// What a scene needs of an open dialog. A dialog class derives from a GUI element and
// from this interface:
//
//     class QxEntityDialogBox : public QxEntity2DGUIElement, public QxDialogInterface
//
// The scene keeps the link fields (id, close callback, callback target, owner scene)
// through `Attach` when the dialog is opened, forwards its input hooks while the dialog
// is open, and asks it for its answer when it closes. The scene's message box and input
// box operations configure a freshly created dialog through the setters at the end;
// dialogs that have no use for one keep its empty default.

#include <cstdint>
#include <string>

#include "engine/screen/QxRect.h"

class QxEntity2DGUIElement;
class QxEntity2DScene;

// Answers whether the dialog may close: true lets it close, false keeps it open.
// `target` is the callback target given when the dialog was opened, or the owner
// scene when none was given.
using QxDialogCloseCallback = bool (*)(QxEntity2DScene* target, QxEntity2DGUIElement* dialog);

class QxDialogInterface {
public:
    QxDialogInterface() = default;
    QxDialogInterface(const QxDialogInterface&) = delete;
    QxDialogInterface& operator=(const QxDialogInterface&) = delete;
    virtual ~QxDialogInterface() = default;

    // Input hooks, forwarded by the owner scene; each answers whether it took the event.
    virtual bool OnMouseUp(QxPoint point, int button) = 0;
    virtual bool OnPointerHook(QxPoint point, int button) = 0;
    virtual bool OnMouseDown(QxPoint point, int button) = 0;
    virtual bool OnIntegerHook(std::int32_t value) = 0;
    virtual bool OnKey(int code) = 0;
    virtual bool OnKeyUp(int code) = 0;

    // Message box set-up.
    virtual void SetText(const std::string& /*text*/) {}
    virtual void SetButtons(std::uint32_t /*buttonSet*/) {}
    // A value above 0 starts a count-down after which the dialog closes itself.
    virtual void SetTimeOut(std::int32_t /*ms*/) {}
    // Input box set-up.
    virtual void SetInstructions(const std::string& /*text*/) {}
    virtual void SetEntry(const std::string& /*text*/) {}
    virtual void SetLimit(std::int32_t /*characters*/) {}

    // Called by the scene when it opens the dialog.
    void Attach(std::int32_t id, QxDialogCloseCallback callback, QxEntity2DScene* target,
                QxEntity2DScene* owner) {
        m_id = id;
        m_closeCallback = callback;
        m_callbackTarget = target;
        m_ownerScene = owner;
    }

    std::int32_t DialogId() const { return m_id; }
    QxDialogCloseCallback CloseCallback() const { return m_closeCallback; }
    QxEntity2DScene* CallbackTarget() const { return m_callbackTarget; }
    QxEntity2DScene* OwnerScene() const { return m_ownerScene; }

    // The value the dialog closes with (set before asking the scene to close it).
    std::int32_t Answer() const { return m_answer; }
    void SetAnswer(std::int32_t answer) { m_answer = answer; }

private:
    std::int32_t m_id = 0;
    QxDialogCloseCallback m_closeCallback = nullptr;
    QxEntity2DScene* m_callbackTarget = nullptr;
    QxEntity2DScene* m_ownerScene = nullptr;
    std::int32_t m_answer = 0;
};
