#pragma once
// A button that cycles through up to eight states on each click; every state is a
// button of its own, drawn at the toggle's position with the toggle's alpha.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/entity/QxDefinition.h"
#include "engine/gui/QxEntity2DGUIButton.h"
#include "engine/gui/QxEntity2DGUIElement.h"

// The current state, 0-based (integer through SetBool/GetBool; setting clamps).
enum QxGUIToggleProperty : int {
    kPropToggleState = 1025,
};

class QxEntity2DGUIToggleButton;

class QxEntity2DGUIToggleButtonType
    : public QxEntityTypeOf<QxEntity2DGUIToggleButtonType, QxEntity2DGUIToggleButton,
                            QxEntity2DGUIElementType> {
public:
    static constexpr std::int32_t kMaxStates = 8;

    explicit QxEntity2DGUIToggleButtonType(QxDefinition* definition);

    std::int32_t m_numStates = 0;
    std::array<QxEntityRef, kMaxStates> m_buttonRefs;
};

class QxEntity2DGUIToggleButton : public QxEntity2DGUIElement {
public:
    // Creates one button per state (kind "BUTN"); a state whose button cannot be made
    // stays empty and draws nothing.
    explicit QxEntity2DGUIToggleButton(QxEntity2DGUIToggleButtonType* type);

    bool SetBool(int id, std::int32_t value) override;
    bool GetBool(int id, std::int32_t& value) override;
    // The keyboard focus and the hover sound of the buttons (kPropFocused,
    // kPropHoverSound): every state shows the focus, so it stays when the state moves on.
    bool SetInt(int id, std::int32_t value) override;
    bool GetInt(int id, std::int32_t& value) override;

    bool Update(float ms) override;
    bool Draw() override;
    void Invalidate() override;
    void SetPosition(QxPoint position) override;
    void SetDisabled(bool disabled) override;
    // Asks the current state's button; when it was clicked, moves to the next state.
    bool Click(QxPoint point) override;
    bool Contains(QxPoint point) override;

    std::int32_t State() const { return m_state; }
    std::int32_t StateCount() const { return static_cast<std::int32_t>(m_buttons.size()); }
    QxEntity2DGUIButton* CurrentButton() const;

private:
    std::vector<std::unique_ptr<QxEntity2DGUIButton>> m_buttons;
    std::int32_t m_state = 0;
};

using QxEntity2DGUIToggleButtonPrototype = QxTypePrototype<QxEntity2DGUIToggleButtonType>;
