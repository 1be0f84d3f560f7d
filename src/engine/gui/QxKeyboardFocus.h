#pragma once
// The keyboard focus among a screen's or a dialog's controls (buttons and toggles), so
// that everything a click does can be done from the keyboard, and from a gamepad whose
// buttons arrive as keys.
//
// The arrows step through the controls in their order and stop at either end; Tab steps
// forward and Shift+Tab back, both going round; Enter and Space press the focused
// control. The focus shows as the control's highlight. The mouse takes it too: moving
// onto a control focuses that control, so there is one lit control whichever way the
// player points. A mouse that has not moved leaves the focus where the keys put it.

#include <cstddef>
#include <vector>

#include "engine/screen/QxRect.h"

class QxEntity2DGUIElement;

class QxKeyboardFocus {
public:
    enum class KeyResult {
        Ignored, // not a focus key, or nothing to move to: the caller may use it
        Moved,
        Press, // the caller acts as on a click on Focused() (at PressPoint())
    };

    // The controls in focus order; elements that show no focus (neither buttons nor
    // toggles) are left out. The focus goes to the first one that can take it.
    void SetControls(const std::vector<QxEntity2DGUIElement*>& controls);
    // Moves the focus to the control, when it is one of them. Plays no sound.
    bool FocusOn(const QxEntity2DGUIElement* control);
    // The focused control, or null when there is none.
    QxEntity2DGUIElement* Focused() const;
    bool Empty() const { return m_controls.empty(); }

    KeyResult OnKey(int code);
    // Only Shift matters: it turns Tab back.
    void OnKeyUp(int code);
    // Called once a frame with the mouse position; when it moved onto a control that
    // can take the focus, the focus goes there. With `follow` false the position is only
    // noted (a modal dialog has the mouse meanwhile).
    void FollowMouse(QxPoint mouse, bool follow = true);
    // Where a click on the focused control lands: the middle of its rectangle.
    QxPoint PressPoint() const;
    // A screen under a modal dialog hides its focus (the dialog has the keys) and shows
    // it again, where it was, once the dialog is gone.
    void Show(bool shown);

private:
    bool CanFocus(std::size_t index) const;
    // The next control in `step`'s direction that can take the focus; `wrap` goes round.
    bool Step(int step, bool wrap);
    void SetFocus(std::size_t index, bool announce);

    std::vector<QxEntity2DGUIElement*> m_controls;
    std::size_t m_focus = 0;
    bool m_shown = true;
    bool m_shiftHeld = false;
    bool m_mouseSeen = false;
    QxPoint m_mouse{0, 0};
};
