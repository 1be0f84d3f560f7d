#pragma once
// A dialog that shows a text above a row of up to four standard buttons (OK, Yes, No,
// Cancel). A click on a button or its key closes the box with that button's answer.
// The box sizes itself around its text and buttons.
//
// From the keyboard: the focus starts on the first button of the row (OK, else Yes:
// the default button), the arrows and Tab move it, Enter and Space press it. Escape
// answers Cancel, else No, else dismisses the box.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "engine/gui/QxEntityDialogBox.h"
#include "engine/gui/QxKeyboardFocus.h"

class QxEntity2DGUIText;

inline constexpr std::uint32_t kKindMessageBox = QxKindTag("MSGB");

// Button sets of SetButtons: one bit per button.
enum QxMessageBoxButtons : std::uint32_t {
    kButtonOK = 1,
    kButtonYes = 2,
    kButtonNo = 4,
    kButtonCancel = 8,
};

class QxEntityMessageBox;

class QxEntityMessageBoxType : public QxEntityTypeOf<QxEntityMessageBoxType, QxEntityMessageBox,
                                                     QxEntityDialogBoxType, kKindMessageBox> {
public:
    // Parts in slot order: the text, then OK, Yes, No and Cancel.
    enum Slot { kSlotText = 0, kSlotOK = 1, kSlotYes = 2, kSlotNo = 3, kSlotCancel = 4 };
    static constexpr int kSlotCount = 5;

    explicit QxEntityMessageBoxType(QxDefinition* definition);

    std::array<QxEntityRef, kSlotCount> m_partRefs;
};

class QxEntityMessageBox : public QxEntityDialogBox {
public:
    // Space between the text and the button row, and between buttons.
    static constexpr std::int32_t kRowGap = 10;
    // Room on either side of the text and the row, inside the frame's own.
    static constexpr std::int32_t kSideMargin = 12;

    explicit QxEntityMessageBox(QxEntityMessageBoxType* type);

    bool Update(float ms) override;
    bool Draw() override;
    void Invalidate() override;

    bool OnMouseUp(QxPoint point, int button) override;
    bool OnKey(int code) override;
    bool OnKeyUp(int code) override;

    void SetText(const std::string& text) override;
    // Enables the buttons of the set and sizes the box around text and buttons.
    void SetButtons(std::uint32_t buttonSet) override;

    const std::string& Text() const { return m_text; }
    // The part in a slot (text or a button), or null.
    QxEntity2DGUIElement* Part(int slot) const;
    QxExtent ButtonRow() const { return QxExtent{m_rowWidth, m_rowHeight}; }
    // The slot of the button that has the keyboard focus (0 when none has).
    int FocusedSlot() const;

protected:
    void LayOut() override;

private:
    QxExtent MeasureText();

    std::unique_ptr<QxEntity2DGUIText> m_textPart;
    std::array<std::unique_ptr<QxEntity2DGUIElement>, 4> m_buttons;
    std::string m_text;
    std::array<bool, 4> m_enabled{};
    std::int32_t m_rowWidth = 0;
    std::int32_t m_rowHeight = 0;
    QxExtent m_textSize;
    QxKeyboardFocus m_focus;
};

using QxEntityMessageBoxPrototype = QxTypePrototype<QxEntityMessageBoxType>;
