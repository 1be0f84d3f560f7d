#pragma once
// The hint box the game rules open during play: a dialog scene whose content shows the
// hint, with a close button and a "don't show hints" toggle with its caption along the
// bottom. Closing it with the toggle checked turns hints off. The keyboard focus starts
// on the close button; the arrows and Tab move it to the toggle and back, Enter and
// Space press the focused one, Escape closes the box and leaves the setting alone.

#include <cstdint>
#include <memory>

#include "engine/gui/QxEntityDialogScene.h"
#include "engine/gui/QxKeyboardFocus.h"

class QxEntity2DGUIButton;
class QxEntity2DGUIToggleButton;

class PyxEntityHintBox;

class PyxEntityHintBoxType
    : public QxEntityTypeOf<PyxEntityHintBoxType, PyxEntityHintBox, QxEntityDialogSceneType> {
public:
    explicit PyxEntityHintBoxType(QxDefinition* definition);

    QxEntityRef m_closeButtonRef;
    QxEntityRef m_dontShowButtonRef;
    QxEntityRef m_dontShowTextRef;
};

class PyxEntityHintBox : public QxEntityDialogScene {
public:
    // Answers the box closes with.
    static constexpr std::int32_t kAnswerClosed = 1;
    static constexpr std::int32_t kAnswerEscaped = 0;

    explicit PyxEntityHintBox(PyxEntityHintBoxType* type);

    bool Update(float ms) override;
    bool Draw() override;
    bool OnMouseUp(QxPoint point, int button) override;
    bool OnKey(int code) override;
    bool OnKeyUp(int code) override;

    QxEntity2DGUIButton* CloseButton() const { return m_closeButton.get(); }
    QxEntity2DGUIToggleButton* DontShowToggle() const { return m_dontShow.get(); }
    // Where each part sits inside the content area.
    QxPoint CloseOffset() const { return m_closeOffset; }
    QxPoint DontShowOffset() const { return m_dontShowOffset; }
    QxPoint DontShowTextOffset() const { return m_dontShowTextOffset; }

protected:
    // Places the content and the three parts along the bottom of the box.
    void LayOut() override;

private:
    // "Show Hints" becomes the opposite of the toggle; the box closes with answer 1.
    void CloseKeepingChoice();

    std::unique_ptr<QxEntity2DGUIButton> m_closeButton;
    std::unique_ptr<QxEntity2DGUIToggleButton> m_dontShow;
    std::unique_ptr<QxEntity2DGUIElement> m_dontShowText;
    QxPoint m_closeOffset{0, 0};
    QxPoint m_dontShowOffset{0, 0};
    QxPoint m_dontShowTextOffset{0, 0};
    QxKeyboardFocus m_focus;
};

using PyxEntityHintBoxPrototype = QxTypePrototype<PyxEntityHintBoxType>;
