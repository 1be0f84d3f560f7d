#pragma once
// One string drawn with a bitmap font: justified, optionally wrapped into lines of a
// fixed number of characters, optionally shown through a window of characters around
// the cursor, masked for passwords, and editable with a blinking caret. It is the
// input field of dialogs and of the high-score name entry.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/entity/QxDefinition.h"
#include "engine/gui/QxEntity2DGUIElement.h"
#include "engine/gui/QxEntity2DGUIFont.h"
#include "engine/gui/QxTextEditRules.h"
#include "engine/gui/QxTypeElement.h"

inline constexpr std::uint32_t kKindText = QxKindTag("TEXT");

// Property ids of text elements (integers through SetBool/GetBool, strings through
// SetString/GetString). Ids a text does not know go on to its font.
enum QxGUITextProperty : int {
    kPropJustify = 515,     // set: 1 left, 2 right, 3 centre
    kPropTextReset = 1281,  // set: back to the default text
    kPropText = 1282,       // string set
    kPropTextGet = 1283,    // string get
    kPropEditing = 1284,    // set: caret on (cursor to the end) or off
    kPropTextAlpha = 1285,  // set and get
    kPropTextWidth = 1286,  // get: widest wrapped line
    kPropTextHeight = 1287, // get
    kPropMaxLength = 1289,  // set: cuts a longer text
    kPropWindowSize = 1296, // set and get
    kPropCursor = 1297,     // set: clamped to the text length
};

enum QxJustify : std::int32_t {
    kJustifyLeft = 1,
    kJustifyRight = 2,
    kJustifyCentre = 3,
};

class QxEntity2DGUIText;

class QxEntity2DGUITextType : public QxEntityTypeOf<QxEntity2DGUITextType, QxEntity2DGUIText,
                                                    QxEntity2DGUIElementType, kKindText> {
public:
    explicit QxEntity2DGUITextType(QxDefinition* definition);

    QxEntity2DGUIFont* Font() const { return static_cast<QxEntity2DGUIFont*>(m_font.Get()); }

    std::string m_defaultText;
    std::int32_t m_clickWidth = -1; // below 0: text length x cell advance
    std::int32_t m_wrapWidth = -1;  // 1 or more: characters per line
    std::int32_t m_windowSize = 0;  // above 0: characters shown around the cursor
    std::int32_t m_defaultJustify = kJustifyLeft;
    bool m_password = false;
    bool m_numbersOnly = false;
    bool m_ipAddress = false;

private:
    QxTypeElement m_font{kKindFont};
};

class QxEntity2DGUIText : public QxEntity2DGUIElement {
public:
    explicit QxEntity2DGUIText(QxEntity2DGUITextType* type);

    bool SetBool(int id, std::int32_t value) override;
    bool GetBool(int id, std::int32_t& value) override;
    bool SetString(int id, const std::string& text) override;
    bool GetString(int id, std::string& text) override;

    bool Update(float ms) override;
    bool Draw() override;
    bool Click(QxPoint point) override;
    void Invalidate() override;
    QxEntity2DGUIFont* GetFont() override;

    // One key event (a character byte, sign-extended as the input events carry it,
    // or a key code from 256 up). False when a printable character is refused by
    // the numbers-only or address rules.
    virtual bool HandleKey(int code);

    QxEntity2DGUITextType* TextType() const { return static_cast<QxEntity2DGUITextType*>(Type()); }
    const std::string& Text() const { return m_text; }
    const std::vector<std::string>& Lines() const { return m_lines; }
    std::size_t Cursor() const { return m_cursor; }
    bool IsEditing() const { return m_editing; }
    bool CaretShown() const { return m_editing && m_caretTimer < kCaretShownMs; }
    std::int32_t Justification() const { return m_justify; }
    std::uint32_t TextWidth() const { return m_textWidth; }
    std::int32_t TextHeight();

    // The caret blinks with this period and shows in the first part of it.
    static constexpr float kCaretPeriodMs = 400.0f;
    static constexpr float kCaretShownMs = 200.0f;

protected:
    // Sets the text, keeps the cursor inside it and asks for a new layout.
    void ReplaceText(const std::string& text);
    bool IsWrapped() const;
    std::int32_t FontCellAdvance();
    std::int32_t FontLineHeight();

    std::string m_text;
    std::vector<std::string> m_lines;
    bool m_editing = false;
    float m_caretTimer = 0.0f;
    std::int32_t m_justify = kJustifyLeft;
    bool m_dirty = true;
    std::size_t m_cursor = 0;
    std::size_t m_maxLength = 256;
    std::uint32_t m_textWidth = 0;
    std::int32_t m_windowSize = 0;
};

using QxEntity2DGUITextPrototype = QxTypePrototype<QxEntity2DGUITextType>;
