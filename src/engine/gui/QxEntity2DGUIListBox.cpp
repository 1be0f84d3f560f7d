#include "engine/gui/QxEntity2DGUIListBox.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "app/QxGlobals.h"
#include "app/QxMouseState.h"
#include "engine/entity/QxDefinition.h"
#include "engine/files/QxFile.h"
#include "engine/files/QxFileSystem.h"
#include "engine/files/QxLog.h"
#include "engine/gui/QxEntity2DGUIFont.h"
#include "engine/gui/QxEntity2DGUISprite.h"
#include "engine/gui/QxEntity2DGUIText.h"
#include "engine/screen/QxScreen2D.h"

namespace {

std::uint8_t Byte(std::int32_t value) {
    return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

// Red, green, blue and, where the key carries it, alpha (else opaque); numbers the
// value lacks keep the colour's.
void ReadRgb(QxDefinition& definition, const char* key, QxColour& colour, bool alpha = false) {
    std::int32_t rgba[4] = {colour.red, colour.green, colour.blue, alpha ? colour.alpha : 255};
    if (definition.FindKey(key) && definition.ReadInts(rgba, alpha ? 4 : 3)) {
        colour = QxColour(Byte(rgba[0]), Byte(rgba[1]), Byte(rgba[2]), Byte(rgba[3]));
    }
}

// Picture sizes answer through the integer getter, font metrics through the other.
std::int32_t IntProperty(QxEntity2DGUIElement* element, int id) {
    std::int32_t value = 0;
    if (element) {
        // Parts learn their pictures and fonts when their types load.
        element->Type()->Load(false);
    }
    if (element && !element->GetInt(id, value)) {
        value = 0;
        element->GetBool(id, value);
    }
    return value;
}

QxColour WithAlpha(QxColour colour, std::uint32_t alpha) {
    colour.alpha = static_cast<std::uint8_t>(std::min<std::uint32_t>(alpha, 255));
    return colour;
}

} // namespace

// ---- type ---------------------------------------------------------------------------

QxEntity2DGUIListBoxType::QxEntity2DGUIListBoxType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    if (!definition) {
        return;
    }
    definition->ReadKey("TextEnt", m_textRef);
    definition->ReadKey("ListHeight", m_listHeight);
    definition->ReadKey("ListWidth", m_listWidth);
    definition->ReadKey("LineHeight", m_lineHeight);
    definition->ReadKey("Wrap", m_wrap);
    definition->ReadKey("Outline", m_outline);
    ReadRgb(*definition, "BoxColor", m_boxColour);
    ReadRgb(*definition, "BoxLightColor", m_boxLightColour);
    ReadRgb(*definition, "BoxShadowColor", m_boxShadowColour);
    ReadRgb(*definition, "HighlightColor", m_highlightColour);
    ReadRgb(*definition, "BackgroundColor", m_backgroundColour, true);
    definition->ReadKey("UpArrowEnt", m_upArrowRef);
    definition->ReadKey("DownArrowEnt", m_downArrowRef);
    if (m_listHeight < 0 || m_listHeight > kMaxListHeight) {
        LogPrintf("ListBox - ListHeight %d held to 0 to %d.", m_listHeight, kMaxListHeight);
        m_listHeight = std::clamp(m_listHeight, 0, kMaxListHeight);
    }
    if (m_listWidth < 0 || m_listWidth > kMaxListWidth) {
        LogPrintf("ListBox - ListWidth %d held to 0 to %d.", m_listWidth, kMaxListWidth);
        m_listWidth = std::clamp(m_listWidth, 0, kMaxListWidth);
    }
}

// ---- entity -------------------------------------------------------------------------

QxEntity2DGUIListBox::QxEntity2DGUIListBox(QxEntity2DGUIListBoxType* type)
    : QxEntity2DGUIElement(type) {
    if (!type->m_textRef.IsEmpty()) {
        for (std::int32_t i = 0; i < type->m_listHeight; ++i) {
            std::unique_ptr<QxEntity2DGUIElement> line =
                QxCreateGUIElement(type->m_textRef, kKindAny);
            if (!line) {
                break;
            }
            m_lines.push_back(std::move(line));
        }
    }
    m_upArrow = QxCreateGUIElement(type->m_upArrowRef, kKindAny);
    m_downArrow = QxCreateGUIElement(type->m_downArrowRef, kKindAny);
}

std::int32_t QxEntity2DGUIListBox::TextLineHeight(QxEntity2DGUIElement* text) const {
    return IntProperty(text, kPropLineHeight);
}

QxEntity2DGUIListBox::Geometry QxEntity2DGUIListBox::Measure() {
    const QxEntity2DGUIListBoxType* type = ListType();
    Geometry g;
    QxEntity2DGUIElement* first = m_lines.empty() ? nullptr : m_lines.front().get();
    g.lineHeight = std::max(TextLineHeight(first) + 3, type->m_lineHeight);
    g.charWidth = IntProperty(first, kPropCellAdvance);
    g.width = type->m_listWidth * g.charWidth;
    g.height = type->m_listHeight * g.lineHeight;
    g.arrowWidth = IntProperty(m_upArrow.get(), kPropImageWidth);
    g.arrowHeight = IntProperty(m_upArrow.get(), kPropImageHeight);
    m_width = g.width;
    m_height = g.height;
    return g;
}

std::int32_t QxEntity2DGUIListBox::TextAreaWidth() {
    return Measure().width;
}

std::int32_t QxEntity2DGUIListBox::TextAreaHeight() {
    return Measure().height;
}

std::int32_t QxEntity2DGUIListBox::LineSpacing() {
    return Measure().lineHeight;
}

std::int32_t QxEntity2DGUIListBox::Positions() const {
    return std::max(1, Count() - ListType()->m_listHeight + 1);
}

float QxEntity2DGUIListBox::ThumbStep(const Geometry& g) const {
    return static_cast<float>(g.height + (3 - g.arrowHeight) * 2) / static_cast<float>(Positions());
}

QxRect QxEntity2DGUIListBox::ThumbRect() {
    const Geometry g = Measure();
    const float step = ThumbStep(g);
    QxRect thumb;
    thumb.left = m_x + g.width + 6;
    thumb.right = thumb.left + g.arrowWidth;
    thumb.top = m_y + g.arrowHeight - 5 +
                static_cast<std::int32_t>(static_cast<float>(m_firstVisible) * step);
    thumb.bottom = thumb.top + static_cast<std::int32_t>(step < 3.0f ? 3.0f : step);
    m_thumb = thumb;
    return thumb;
}

// ---- items --------------------------------------------------------------------------

void QxEntity2DGUIListBox::AddItem(const std::string& text) {
    QxEntity2DGUIListBoxType* type = ListType();
    QxEntity2DGUIElement* first = m_lines.empty() ? nullptr : m_lines.front().get();
    std::vector<std::string> parts;
    if (first) {
        first->Type()->Load(false);
    }
    if (type->m_wrap && first && first->GetFont()) {
        parts = QxFontMetrics::WrapByCount(text, type->m_listWidth,
                                           m_prefix.empty() ? nullptr : &m_prefix);
    } else {
        parts.push_back(text);
    }
    for (std::string& part : parts) {
        m_items.push_back(QxListBoxItem{std::move(part), 0, m_tint});
    }
    m_selection = Count() - 1;
    // Any negative maximum means no limit; only -1 is documented, but no other
    // negative value could ever be satisfied by removing items.
    if (m_maxItems >= 0 && Count() > m_maxItems) {
        m_items.erase(m_items.begin(), m_items.begin() + (Count() - m_maxItems));
    }
    m_selection = std::min(m_selection, Count() - 1);
    Invalidate();
}

void QxEntity2DGUIListBox::Clear() {
    m_items.clear();
    m_firstVisible = 0;
    m_selection = -1;
    m_fileName.clear();
    Invalidate();
}

void QxEntity2DGUIListBox::LoadFile(const std::string& name) {
    if (name == m_fileName) {
        return;
    }
    Clear();
    m_fileName = name;
    QxFileSystem* files = CurrentFileSystem();
    if (!files) {
        return;
    }
    const std::size_t width = static_cast<std::size_t>(ListType()->m_listWidth);
    try {
        QxScopedFile file(files, files->Open(name, QxFileManager::kModeReadBinary));
        if (!file) {
            LogPrintf("ListBox - %s not found.", name.c_str());
            return;
        }
        std::string line;
        std::size_t lastSpace = std::string::npos;
        std::uint32_t left = file->GetSize();
        std::uint8_t chunk[4096];
        while (left > 0) {
            const std::uint32_t wanted = std::min<std::uint32_t>(left, sizeof(chunk));
            const std::uint32_t got = file->ReadBytes(wanted, chunk);
            if (got == 0) {
                break;
            }
            left -= got;
            for (std::uint32_t i = 0; i < got; ++i) {
                const char byte = static_cast<char>(chunk[i]);
                if (byte == '\r') {
                    AddItem(line);
                    line.clear();
                    lastSpace = std::string::npos;
                    continue;
                }
                if (byte == '\n') {
                    continue;
                }
                // A list without a width has nothing to cut at.
                if (width > 0 && line.size() >= width) {
                    if (lastSpace != std::string::npos) {
                        AddItem(line.substr(0, lastSpace));
                        line.erase(0, lastSpace + 1);
                    } else {
                        AddItem(line);
                        line.clear();
                    }
                    lastSpace = std::string::npos;
                }
                if (byte == ' ') {
                    lastSpace = line.size();
                }
                line.push_back(byte);
            }
        }
    } catch (const std::exception&) {
        LogPrintf("ListBox - %s could not be read.", name.c_str());
    }
    Select(0);
}

std::int32_t QxEntity2DGUIListBox::Limit(std::int32_t index) const {
    if (m_items.empty()) {
        return -1;
    }
    return std::clamp(index, 0, Count() - 1);
}

void QxEntity2DGUIListBox::Select(std::int32_t index) {
    m_selection = (m_items.empty() || index < 0) ? -1 : std::min(index, Count() - 1);
    Invalidate();
}

void QxEntity2DGUIListBox::StepUp() {
    m_selection = Limit(m_scrollOnly ? m_firstVisible - 1 : m_selection - 1);
    Invalidate();
}

void QxEntity2DGUIListBox::StepDown() {
    const std::int32_t lines = ListType()->m_listHeight;
    m_selection = Limit(m_scrollOnly ? m_firstVisible + lines : m_selection + 1);
    Invalidate();
}

void QxEntity2DGUIListBox::PageUp() {
    if (m_scrollOnly) {
        StepUp();
        return;
    }
    const std::int32_t lines = ListType()->m_listHeight;
    m_selection = Limit(m_selection <= lines ? 0 : m_selection - lines);
    Invalidate();
}

void QxEntity2DGUIListBox::PageDown() {
    if (m_scrollOnly) {
        StepDown();
        return;
    }
    m_selection = Limit(m_selection + ListType()->m_listHeight);
    Invalidate();
}

void QxEntity2DGUIListBox::ScrollBy(std::int32_t lines) {
    const std::int32_t before = m_firstVisible;
    const std::int64_t first = static_cast<std::int64_t>(m_firstVisible) + lines;
    m_firstVisible = static_cast<std::int32_t>(std::clamp<std::int64_t>(first, 0, Positions() - 1));
    if (m_selection >= 0) {
        // The selection keeps its line of the view, as a text cursor does.
        const std::int32_t height = ListType()->m_listHeight;
        m_selection = Limit(std::clamp(m_selection + m_firstVisible - before, m_firstVisible,
                                       m_firstVisible + std::max(0, height - 1)));
    }
    Invalidate();
}

// ---- properties ---------------------------------------------------------------------

bool QxEntity2DGUIListBox::SetBool(int id, std::int32_t value) {
    switch (id) {
    case kPropListSelection:
        Select(value);
        return true;
    case kPropListClear:
        Clear();
        return true;
    case kPropListValue:
        if (QxListBoxItem* item = ItemAt(m_selection)) {
            item->value = value;
        }
        return true;
    case kPropListStepUp:
        StepUp();
        return true;
    case kPropListStepDown:
        StepDown();
        return true;
    case kPropListScrollOnly:
        m_scrollOnly = value != 0;
        Invalidate();
        return true;
    case kPropListFindValue:
        SelectFirst([value](const QxListBoxItem& item) { return item.value == value; });
        return true;
    case kPropListWrap:
        ListType()->m_wrap = value != 0;
        return true;
    case kPropListMaxItems:
        m_maxItems = value;
        return true;
    case kPropListPageUp:
        PageUp();
        return true;
    case kPropListPageDown:
        PageDown();
        return true;
    case kPropListScroll:
        ScrollBy(value);
        return true;
    case kPropListWrapInText:
        m_wrapInText = value != 0;
        QxEntity2DGUIElement::SetBool(id, value);
        return true;
    default:
        return QxEntity2DGUIElement::SetBool(id, value);
    }
}

bool QxEntity2DGUIListBox::GetBool(int id, std::int32_t& value) {
    switch (id) {
    case kPropListWidth:
        value = ListType()->m_listWidth;
        return true;
    case kPropListSelection:
        value = m_selection;
        return true;
    case kPropListCount:
        value = Count();
        return true;
    case kPropListValue:
        if (const QxListBoxItem* item = ItemAt(m_selection)) {
            value = item->value;
            return true;
        }
        return false;
    case kPropListFirstVisible:
        value = m_firstVisible;
        return true;
    case kPropListHeight:
        value = ListType()->m_listHeight;
        return true;
    case kPropListItemValue:
        if (const QxListBoxItem* item = ItemAt(value)) {
            value = item->value;
            return true;
        }
        return false;
    default:
        return QxEntity2DGUIElement::GetBool(id, value);
    }
}

bool QxEntity2DGUIListBox::SetString(int id, const std::string& text) {
    switch (id) {
    case kPropListAddItem:
        AddItem(text);
        return true;
    case kPropListFile:
        LoadFile(text);
        return true;
    case kPropListFindText:
        SelectFirst([&text](const QxListBoxItem& item) { return item.text == text; });
        return true;
    case kPropListPrefix:
        m_prefix = text;
        QxEntity2DGUIElement::SetString(id, text);
        return true;
    default:
        return QxEntity2DGUIElement::SetString(id, text);
    }
}

bool QxEntity2DGUIListBox::GetString(int id, std::string& text) {
    if (id == kPropListSelection) {
        if (const QxListBoxItem* item = ItemAt(m_selection)) {
            text = item->text;
            return true;
        }
        return false;
    }
    return QxEntity2DGUIElement::GetString(id, text);
}

// ---- frame --------------------------------------------------------------------------

bool QxEntity2DGUIListBox::Update(float ms) {
    const QxEntity2DGUIListBoxType* type = ListType();
    const Geometry g = Measure();
    const std::int32_t lines = type->m_listHeight;
    m_selection = Limit(m_selection);

    const std::int32_t mx = g_mouseState.x;
    const std::int32_t my = g_mouseState.y;
    const std::int32_t trackLeft = m_x + g.width + 7;
    const bool inTrack = mx > trackLeft && mx < trackLeft + g.arrowWidth - 3 &&
                         my > m_y + g.arrowHeight - 5 && my < m_y + g.height - g.arrowHeight - 5;
    if (g_mouseState.leftButton != 0 && inTrack) {
        const float step = ThumbStep(g);
        const float offset = static_cast<float>(std::max(0, my - m_y - g.arrowHeight + 3));
        // A list too short for its arrows has no room to drag in.
        const float line = step > 0.0f ? offset / step : 0.0f;
        m_firstVisible =
            std::clamp(static_cast<std::int32_t>(std::min(line, 1.0e9f)), 0, Positions() - 1);
        if (m_selection >= 0) {
            if (m_selection < m_firstVisible) {
                m_selection = m_firstVisible;
            } else if (m_selection >= m_firstVisible + lines) {
                m_selection = m_firstVisible + lines - 1;
            }
            m_selection = Limit(m_selection);
        }
        Invalidate();
    } else {
        if (m_selection >= 0 && m_selection < m_firstVisible) {
            m_firstVisible = m_selection;
        } else if (m_selection >= m_firstVisible + lines) {
            m_firstVisible = m_selection - lines + 1;
        }
        m_firstVisible = std::max(0, m_firstVisible);
        m_thumbPressed = false;
    }

    const std::int32_t spacing = type->m_lineHeight;
    std::int32_t textHeight = 0;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        QxEntity2DGUIElement* text = m_lines[i].get();
        const std::int32_t index = m_firstVisible + static_cast<std::int32_t>(i);
        // A line below the last item shows nothing, untinted.
        static const QxListBoxItem kNoItem;
        const QxListBoxItem* shown = ItemAt(index);
        const QxListBoxItem& item = shown != nullptr ? *shown : kNoItem;
        text->SetBool(kPropTintSwitch, item.colour.alpha);
        text->SetBool(kPropTintRed, item.colour.red);
        text->SetBool(kPropTintBlue, item.colour.blue);
        text->SetBool(kPropTintGreen, item.colour.green);
        text->SetString(kPropText, item.text);
        text->SetBool(kPropCursor, 0);
        text->SetBool(kPropWindowSize, m_wrapInText ? type->m_listWidth : 0);
        textHeight = TextLineHeight(text);
        const auto row = static_cast<std::int32_t>(i);
        if (textHeight + 3 < spacing) {
            text->SetPosition(QxPoint{m_x, m_y + row * spacing + (spacing - textHeight) / 2});
        } else {
            text->SetPosition(QxPoint{m_x, m_y + row * (textHeight + 3)});
        }
        text->SetAlpha(m_alpha);
        text->Update(ms);
    }

    const std::int32_t arrowX = m_x + 6 + type->m_listWidth * g.charWidth;
    if (m_upArrow) {
        m_upArrow->SetPosition(QxPoint{arrowX, m_y - 5});
        m_upArrow->SetAlpha(m_alpha);
        m_upArrow->Update(ms);
    }
    if (m_downArrow) {
        const std::int32_t step = spacing != 0 ? spacing : textHeight + 3;
        const std::int32_t height = IntProperty(m_downArrow.get(), kPropImageHeight);
        m_downArrow->SetPosition(QxPoint{arrowX, m_y + 1 + lines * step - height});
        m_downArrow->SetAlpha(m_alpha);
        m_downArrow->Update(ms);
    }
    return QxEntity2DGUIElement::Update(ms);
}

bool QxEntity2DGUIListBox::Click(QxPoint point) {
    if (m_upArrow && m_upArrow->Click(point)) {
        StepUp();
        return true;
    }
    if (m_downArrow && m_downArrow->Click(point)) {
        StepDown();
        return true;
    }
    const Geometry g = Measure();
    const QxRect thumb = ThumbRect();
    if (point.x > thumb.left && point.x < thumb.right && point.y > thumb.top &&
        point.y < thumb.bottom) {
        m_thumbPressed = true;
    }
    if (point.x > m_x && point.x < m_x + g.width && point.y > m_y && point.y < m_y + g.height &&
        g.lineHeight > 0) {
        Select(std::min(m_firstVisible + (point.y - m_y) / g.lineHeight, Count() - 1));
        return true;
    }
    return false;
}

void QxEntity2DGUIListBox::Invalidate() {
    if (g_screen) {
        g_screen->MarkDirty(QxRect{m_x, m_x + m_width + 20, m_y, m_y + m_height}, false);
    }
}

bool QxEntity2DGUIListBox::Draw() {
    QxEntity2DGUIListBoxType* type = ListType();
    type->Load(false);
    const Geometry g = Measure();
    if (!g_screen) {
        return false;
    }
    const std::int32_t x = m_x;
    const std::int32_t y = m_y;
    const QxRect box{x - 5, x + g.width + 5, y - 5, y + g.height};
    const QxColour boxColour = WithAlpha(type->m_boxColour, m_alpha);
    if (type->m_outline) {
        if (type->m_backgroundColour.alpha != 0) {
            QxColour fill = type->m_backgroundColour;
            fill.alpha =
                static_cast<std::uint8_t>(fill.alpha * std::min<std::uint32_t>(m_alpha, 255) / 256);
            g_screen->FillRect(
                QxRect{x - 5, x + g.width + 5 + g.arrowWidth + 1, y - 5, y + g.height}, fill);
        }
        g_screen->DrawRect(box, boxColour);
        g_screen->DrawRect(QxRect{box.left + 1, box.right - 1, box.top + 1, box.bottom - 1},
                           boxColour);
    }
    if (m_upArrow) {
        m_upArrow->Draw();
    }
    if (m_downArrow) {
        m_downArrow->Draw();
    }
    if (type->m_outline) {
        g_screen->DrawVLine(x + g.width + g.arrowWidth + 6, y - 5, y + g.height, boxColour);
        for (std::int32_t tx = x + g.width + 7; tx < x + g.width + 7 + g.arrowWidth; tx += 2) {
            g_screen->DrawVLine(tx, y + g.arrowHeight - 5, y + g.height - g.arrowHeight, boxColour);
        }
    }
    if (m_upArrow && m_downArrow) {
        const QxRect thumb = ThumbRect();
        QxColour light = WithAlpha(type->m_boxLightColour, m_alpha);
        QxColour shadow = WithAlpha(type->m_boxShadowColour, m_alpha);
        const std::int32_t mx = g_mouseState.x;
        const std::int32_t my = g_mouseState.y;
        if (g_mouseState.leftButton != 0 && mx > thumb.left && mx < thumb.right && my > thumb.top &&
            my < thumb.bottom) {
            std::swap(light, shadow);
        }
        g_screen->DrawFrame3D(thumb, boxColour, light, shadow);
    }
    if (!m_items.empty() && !m_scrollOnly && m_selection >= 0) {
        const std::int32_t top = y + (m_selection - m_firstVisible) * g.lineHeight;
        g_screen->DrawRect(QxRect{x, x + g.width, top, top + g.lineHeight - 3},
                           WithAlpha(type->m_highlightColour, m_alpha));
    }
    for (const auto& line : m_lines) {
        line->Draw();
    }
    return true;
}
