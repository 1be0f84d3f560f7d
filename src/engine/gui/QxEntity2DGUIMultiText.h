#pragma once
// A block of text lines: the first in a title font at full alpha, the rest in a main
// font at the element's alpha, all with one justification. Lines are cut at every
// CR LF pair of the text.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/entity/QxDefinition.h"
#include "engine/gui/QxEntity2DGUIElement.h"
#include "engine/gui/QxEntity2DGUIText.h"
#include "engine/gui/QxTypeElement.h"

class QxEntity2DGUIMultiText;

class QxEntity2DGUIMultiTextType
    : public QxEntityTypeOf<QxEntity2DGUIMultiTextType, QxEntity2DGUIMultiText,
                            QxEntity2DGUIElementType> {
public:
    explicit QxEntity2DGUIMultiTextType(QxDefinition* definition);

    QxEntity2DGUIFont* TitleFont() const {
        return static_cast<QxEntity2DGUIFont*>(m_titleFont.Get());
    }
    QxEntity2DGUIFont* MainFont() const {
        return static_cast<QxEntity2DGUIFont*>(m_mainFont.Get());
    }

    std::string m_defaultText;
    std::int32_t m_defaultJustify = kJustifyCentre;
    std::int32_t m_wrapWidth = -1; // read and kept; the layout does not wrap

private:
    QxTypeElement m_titleFont{kKindFont};
    QxTypeElement m_mainFont{kKindFont};
};

class QxEntity2DGUIMultiText : public QxEntity2DGUIElement {
public:
    explicit QxEntity2DGUIMultiText(QxEntity2DGUIMultiTextType* type);

    bool SetBool(int id, std::int32_t value) override;
    bool GetBool(int id, std::int32_t& value) override;
    bool SetString(int id, const std::string& text) override;
    bool GetString(int id, std::string& text) override;

    bool Update(float ms) override;
    bool Draw() override;
    void Invalidate() override;
    QxEntity2DGUIFont* GetFont() override;

    QxEntity2DGUIMultiTextType* MultiTextType() const {
        return static_cast<QxEntity2DGUIMultiTextType*>(Type());
    }
    const std::vector<std::string>& Lines() const { return m_lines; }
    std::int32_t TextWidth();
    std::int32_t TextHeight();

    // Cuts a text into lines at every CR LF pair; a lone CR stays in its line.
    static std::vector<std::string> SplitLines(const std::string& text);

private:
    void SetText(const std::string& text);
    // Measures the lines once the fonts exist.
    void Measure();

    std::string m_text;
    std::int32_t m_justify = kJustifyCentre;
    std::vector<std::string> m_lines;
    std::int32_t m_textWidth = 0;
    std::int32_t m_textHeight = 0;
    bool m_measured = false;
};

using QxEntity2DGUIMultiTextPrototype = QxTypePrototype<QxEntity2DGUIMultiTextType>;
