#pragma once
// A scrolling list of text lines: a fixed number of visible lines drawn by text
// elements, a selection highlight, two arrow buttons and a scroll bar with a draggable
// thumb, optionally framed and filled. Items are added one by one (word-wrapped to the
// list's width in characters when asked), read from a text file, found by text or by
// an attached value, and selected by clicks, arrows or property calls.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/entity/QxDefinition.h"
#include "engine/gui/QxEntity2DGUIElement.h"
#include "engine/screen/QxColour.h"
#include "engine/screen/QxRect.h"

// Property ids: integers through SetBool/GetBool, strings through SetString/GetString.
enum QxGUIListBoxProperty : int {
    kPropListAddItem = 1537,      // string set: add an item (wrapped when the type wraps)
    kPropListWidth = 1538,        // get: width in characters
    kPropListSelection = 1539,    // set: select; get: selection; string get: its text
    kPropListClear = 1540,        // set
    kPropListCount = 1541,        // get
    kPropListValue = 1542,        // set and get: value of the selected item
    kPropListStepUp = 1543,       // set
    kPropListStepDown = 1544,     // set
    kPropListFile = 1545,         // string set: read the list from a text file
    kPropListScrollOnly = 1546,   // set
    kPropListFindText = 1547,     // string set: select the first item with this text
    kPropListFindValue = 1548,    // set: select the first item with this value
    kPropListWrap = 1549,         // set: the type's wrapping
    kPropListMaxItems = 1550,     // set: -1 (or any negative) unlimited
    kPropListFirstVisible = 1551, // get
    kPropListHeight = 1552,       // get: visible lines
    kPropListPageUp = 1553,       // set
    kPropListPageDown = 1554,     // set
    kPropListPrefix = 1555,       // string set: continuation prefix of wrapped items
    kPropListItemValue = 1556,    // get: value of item n, n given in the argument
    kPropListWrapInText = 1557,   // set: the text elements wrap their lines themselves
    kPropListScroll = 1558,       // set: moves the view by v lines (down positive), see ScrollBy
};

struct QxListBoxItem {
    std::string text;
    std::int32_t value = 0;
    QxColour colour{0, 0, 0, 0};
};

class QxEntity2DGUIListBox;

class QxEntity2DGUIListBoxType
    : public QxEntityTypeOf<QxEntity2DGUIListBoxType, QxEntity2DGUIListBox,
                            QxEntity2DGUIElementType> {
public:
    // Lines and characters from a definition are held to these, so a definition cannot
    // ask for thousands of text elements.
    static constexpr std::int32_t kMaxListHeight = 256;
    static constexpr std::int32_t kMaxListWidth = 4096;

    explicit QxEntity2DGUIListBoxType(QxDefinition* definition);

    QxEntityRef m_textRef;
    std::int32_t m_listHeight = 0;
    std::int32_t m_listWidth = 0;
    std::int32_t m_lineHeight = 0;
    bool m_wrap = false;
    bool m_outline = true;
    QxColour m_boxColour{255, 255, 255};
    QxColour m_boxLightColour{255, 255, 255};
    QxColour m_boxShadowColour{255, 255, 255};
    QxColour m_highlightColour{255, 255, 255};
    QxColour m_backgroundColour{0, 0, 0, 0};
    QxEntityRef m_upArrowRef;
    QxEntityRef m_downArrowRef;
};

class QxEntity2DGUIListBox : public QxEntity2DGUIElement {
public:
    explicit QxEntity2DGUIListBox(QxEntity2DGUIListBoxType* type);

    bool SetBool(int id, std::int32_t value) override;
    bool GetBool(int id, std::int32_t& value) override;
    bool SetString(int id, const std::string& text) override;
    bool GetString(int id, std::string& text) override;

    bool Update(float ms) override;
    bool Draw() override;
    // Arrows step, the thumb is grabbed, a line is selected.
    bool Click(QxPoint point) override;
    void Invalidate() override;

    QxEntity2DGUIListBoxType* ListType() const {
        return static_cast<QxEntity2DGUIListBoxType*>(Type());
    }

    const std::vector<QxListBoxItem>& Items() const { return m_items; }
    std::int32_t Selection() const { return m_selection; }
    std::int32_t FirstVisible() const { return m_firstVisible; }
    bool ThumbPressed() const { return m_thumbPressed; }
    // The thumb as it lies now.
    QxRect ThumbRect();
    // Width and height of the text area and of one line, in pixels.
    std::int32_t TextAreaWidth();
    std::int32_t TextAreaHeight();
    std::int32_t LineSpacing();

    QxEntity2DGUIElement* TextLine(std::size_t i) const {
        return i < m_lines.size() ? m_lines[i].get() : nullptr;
    }
    QxEntity2DGUIElement* UpArrow() const { return m_upArrow.get(); }
    QxEntity2DGUIElement* DownArrow() const { return m_downArrow.get(); }

private:
    struct Geometry {
        std::int32_t lineHeight = 0; // h: spacing of clicks and the highlight
        std::int32_t charWidth = 0;  // c
        std::int32_t width = 0;      // w
        std::int32_t height = 0;     // H
        std::int32_t arrowWidth = 0;
        std::int32_t arrowHeight = 0;
    };
    Geometry Measure();
    std::int32_t TextLineHeight(QxEntity2DGUIElement* text) const;
    float ThumbStep(const Geometry& g) const;
    std::int32_t Positions() const;

    void AddItem(const std::string& text);
    void Clear();
    void LoadFile(const std::string& name);
    void Select(std::int32_t index);
    // Held to the last item; below 0 it is 0, and with no items there is none.
    std::int32_t Limit(std::int32_t index) const;
    std::int32_t Count() const { return static_cast<std::int32_t>(m_items.size()); }
    // The item at `index`; null outside the list.
    QxListBoxItem* ItemAt(std::int32_t index) {
        return index >= 0 && index < Count() ? &m_items[static_cast<std::size_t>(index)] : nullptr;
    }
    // Selects the first item that `match` accepts; without one the selection stays.
    template <typename Match> void SelectFirst(Match match) {
        for (std::size_t i = 0; i < m_items.size(); ++i) {
            if (match(m_items[i])) {
                Select(static_cast<std::int32_t>(i));
                return;
            }
        }
    }
    void StepUp();
    void StepDown();
    void PageUp();
    void PageDown();
    // Moves the view as the scroll bar's thumb would, held between the first and the
    // last full page; the selection moves with it and stays inside the view.
    void ScrollBy(std::int32_t lines);

    std::vector<std::unique_ptr<QxEntity2DGUIElement>> m_lines;
    std::unique_ptr<QxEntity2DGUIElement> m_upArrow;
    std::unique_ptr<QxEntity2DGUIElement> m_downArrow;
    std::vector<QxListBoxItem> m_items;
    std::int32_t m_firstVisible = 0;
    std::int32_t m_selection = -1;
    std::int32_t m_maxItems = -1;
    bool m_scrollOnly = false;
    bool m_wrapInText = false;
    QxRect m_thumb{};
    bool m_thumbPressed = false;
    std::string m_fileName;
    std::string m_prefix;
};

using QxEntity2DGUIListBoxPrototype = QxTypePrototype<QxEntity2DGUIListBoxType>;
