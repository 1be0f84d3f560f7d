// The list box as the instructions screen uses it: the file reader's line cutting, steps,
// pages and the wheel, the scroll bar's thumb, and how it draws.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/gui/GuiFixture.h"
#include "engine/gui/QxEntity2DGUIListBox.h"
#include "engine/gui/QxEntity2DGUIText.h"
#include "engine/gui/WidgetTestSupport.h"

namespace {

const QxColour kInk(255, 255, 255);
const QxColour kFrame(200, 180, 40);
const QxColour kHighlight(250, 0, 250);
const QxColour kFill(20, 30, 120);

// Cells of the test font: 8 wide, 10 high, so a line is 13 pixels apart and the
// list is 8 pixels per character wide. The arrows are 12 x 12.
constexpr int kLine = 13;
constexpr int kArrow = 12;

class ListBoxTest : public GuiFixture {
protected:
    void SetUp() override {
        GuiFixture::SetUp();
        const std::string chars = widgettest::LegibleChars();
        WriteBitmap("letters.bmp", widgettest::GlyphSheet(chars, false, kInk));
        WriteBitmap("up.bmp", widgettest::Solid(kArrow, kArrow, QxColour(0, 200, 0)));
        WriteBitmap("down.bmp", widgettest::Solid(kArrow, kArrow, QxColour(0, 0, 200)));
        ASSERT_NE(Define("class font\ntype letters\nimage letters.bmp\ntransparent 1\nchars \"" +
                         chars + "\"\ncharwidth 8\ncharheight 10\nnolowercase 1\n"),
                  nullptr);
        ASSERT_NE(Define("class text\ntype line\nFontEnt font, letters\n"), nullptr);
        ASSERT_NE(Define("class sprite\ntype up\nimage up.bmp\n"), nullptr);
        ASSERT_NE(Define("class sprite\ntype down\nimage down.bmp\n"), nullptr);
        ASSERT_NE(Define("class button\ntype up\nMainImageEnt sprite, up\n"), nullptr);
        ASSERT_NE(Define("class button\ntype down\nMainImageEnt sprite, down\n"), nullptr);
    }

    std::unique_ptr<QxEntity2DGUIListBox> MakeList(const std::string& name, int lines, int width,
                                                   const std::string& extra = "") {
        if (!Define("class ListBox\ntype " + name + "\nTextEnt text, line\nListHeight " +
                    std::to_string(lines) + "\nListWidth " + std::to_string(width) +
                    "\nUpArrowEnt button, up\nDownArrowEnt button, down\n"
                    "BoxColor 200, 180, 40\nHighlightColor 250, 0, 250\n" +
                    extra)) {
            return nullptr;
        }
        auto list = CreateElement<QxEntity2DGUIListBox>("ListBox", name);
        if (list) {
            list->SetPosition(QxPoint{100, 100});
        }
        return list;
    }

    static void AddItems(QxEntity2DGUIListBox& list, int count) {
        for (int i = 0; i < count; ++i) {
            list.SetString(kPropListAddItem, "ITEM " + std::to_string(i));
        }
    }

    static std::int32_t Get(QxEntity2DGUIListBox& list, int id) {
        std::int32_t value = -1234;
        list.GetBool(id, value);
        return value;
    }

    static QxPoint Centre(QxEntity2DGUIElement* element) {
        const QxPoint at = element->GetPosition();
        return QxPoint{at.x + kArrow / 2, at.y + kArrow / 2};
    }
};

TEST_F(ListBoxTest, FileLinesAreCutAtTheWidth) {
    WriteFile("help.txt", "ABCDEFGHIJKLMNOPQ\r\nTHE QUICK BROWN FOX\r\n\r\nNO END");
    auto list = MakeList("narrow", 3, 10);
    ASSERT_NE(list, nullptr);
    list->SetString(kPropListFile, "help.txt");
    ASSERT_EQ(Get(*list, kPropListCount), 5);
    EXPECT_EQ(list->Items()[0].text, "ABCDEFGHIJ") << "no space: cut at the width";
    EXPECT_EQ(list->Items()[1].text, "KLMNOPQ");
    EXPECT_EQ(list->Items()[2].text, "THE QUICK") << "cut at the last space";
    EXPECT_EQ(list->Items()[3].text, "BROWN FOX");
    EXPECT_EQ(list->Items()[4].text, "");
    EXPECT_EQ(list->Selection(), 0);

    list->SetString(kPropListFile, "missing.txt");
    EXPECT_EQ(Get(*list, kPropListCount), 0);
    EXPECT_EQ(list->Selection(), -1);
}

TEST_F(ListBoxTest, StepsAndPagesMoveTheSelectionAndTheView) {
    auto list = MakeList("long", 4, 20);
    ASSERT_NE(list, nullptr);
    AddItems(*list, 20);
    list->SetBool(kPropListSelection, 0);
    list->SetBool(kPropListStepUp, 1);
    EXPECT_EQ(list->Selection(), 0);
    for (int i = 0; i < 3; ++i) {
        list->SetBool(kPropListStepDown, 1);
    }
    EXPECT_EQ(list->Selection(), 3);
    list->SetBool(kPropListPageDown, 1);
    EXPECT_EQ(list->Selection(), 7);
    list->Update(16.0f);
    EXPECT_EQ(list->FirstVisible(), 4) << "the view follows the selection down";
    list->SetBool(kPropListPageUp, 1);
    EXPECT_EQ(list->Selection(), 3);
    list->Update(16.0f);
    EXPECT_EQ(list->FirstVisible(), 3) << "and up";
    list->SetBool(kPropListPageUp, 1);
    EXPECT_EQ(list->Selection(), 0);
    list->SetBool(kPropListSelection, 18);
    list->SetBool(kPropListPageDown, 1);
    EXPECT_EQ(list->Selection(), 19);
    list->SetBool(kPropListStepDown, 1);
    EXPECT_EQ(list->Selection(), 19);
    list->Update(16.0f);
    EXPECT_EQ(list->FirstVisible(), 16);
    std::string shown;
    ASSERT_TRUE(list->TextLine(3)->GetString(kPropTextGet, shown));
    EXPECT_EQ(shown, "ITEM 19");

    // A click on a line selects it.
    EXPECT_TRUE(list->Click(QxPoint{120, 100 + kLine + 4}));
    EXPECT_EQ(list->Selection(), 17);
    EXPECT_FALSE(list->Click(QxPoint{50, 50}));

    // The wheel scrolls the view and keeps the selection on its line of it, or pulls
    // it into the view when it lay outside.
    list->SetBool(kPropListScroll, -16);
    EXPECT_EQ(list->FirstVisible(), 0);
    EXPECT_EQ(list->Selection(), 1);
    list->SetBool(kPropListSelection, 19);
    list->SetBool(kPropListScroll, 1);
    EXPECT_EQ(list->FirstVisible(), 1);
    EXPECT_EQ(list->Selection(), 4);

    // Scroll-only, a step down goes a whole view past the first line shown.
    list->SetBool(kPropListScrollOnly, 1);
    list->SetBool(kPropListStepDown, 1);
    EXPECT_EQ(list->Selection(), 5);
}

// Items carry values; a value or a text selects its first item; clearing empties the list.
TEST_F(ListBoxTest, ItemsAreFoundByValueOrTextAndClearedAway) {
    auto list = MakeList("values", 4, 20);
    ASSERT_NE(list, nullptr);
    AddItems(*list, 5);
    list->SetBool(kPropListSelection, 2);
    list->SetBool(kPropListValue, 42);
    list->SetBool(kPropListSelection, 0);
    list->SetBool(kPropListFindValue, 42);
    EXPECT_EQ(list->Selection(), 2);
    std::string text;
    EXPECT_TRUE(list->GetString(kPropListSelection, text));
    EXPECT_EQ(text, "ITEM 2");
    list->SetString(kPropListFindText, "ITEM 4");
    EXPECT_EQ(list->Selection(), 4);
    std::int32_t value = 2;
    EXPECT_TRUE(list->GetBool(kPropListItemValue, value));
    EXPECT_EQ(value, 42);
    EXPECT_EQ(Get(*list, kPropListCount) + Get(*list, kPropListHeight), 5 + 4);
    list->SetBool(kPropListClear, 1);
    EXPECT_EQ(Get(*list, kPropListCount), 0);
    EXPECT_FALSE(list->GetString(kPropListSelection, text));
}

// A wrapping list cuts long items into prefixed lines and keeps only the newest items
// up to its maximum; rows past the last item are drawn empty.
TEST_F(ListBoxTest, WrappedItemsArePrefixedAndTheOldestDropPastTheMaximum) {
    auto huge = MakeList("huge", -1, 5000);
    EXPECT_EQ(Get(*huge, kPropListWidth) + Get(*huge, kPropListHeight), 4096 + 0);
    auto list = MakeList("wrap", 4, 10);
    ASSERT_NE(list, nullptr);
    list->SetBool(kPropListStepDown, 1);
    EXPECT_EQ(list->Selection(), -1) << "nothing to step to";
    list->SetBool(kPropListWrap, 1);
    list->SetBool(kPropListMaxItems, 3);
    list->SetString(kPropListPrefix, "> ");
    list->SetString(kPropListAddItem, "AAA BBB CCC DDD EEE");
    list->SetString(kPropListAddItem, "F");
    ASSERT_EQ(Get(*list, kPropListCount), 3);
    EXPECT_EQ(list->Items()[0].text, "> CCC DDD ");
    EXPECT_EQ(list->Items()[2].text, "F");
    EXPECT_EQ(Get(*list, kPropListValue) + Get(*list, kPropListFirstVisible), 0);
    std::int32_t index = 7;
    EXPECT_FALSE(list->GetBool(kPropListItemValue, index));
    EXPECT_EQ((std::vector{list->TextAreaWidth(), list->TextAreaHeight(), list->LineSpacing()}),
              (std::vector{80, 4 * kLine, kLine}));
    list->SetBool(kPropListWrapInText, 1);
    list->Update(16.0f);
    std::string shown = "?";
    ASSERT_TRUE(list->TextLine(3)->GetString(kPropTextGet, shown));
    EXPECT_EQ(shown, "");
}

TEST_F(ListBoxTest, DraggingTheThumbToTheTopShowsTheFirstItem) {
    auto list = MakeList("drag", 4, 20);
    ASSERT_NE(list, nullptr);
    AddItems(*list, 20);
    list->SetBool(kPropListSelection, 19);
    list->Update(16.0f);
    ASSERT_EQ(list->FirstVisible(), 16);

    // Step (52 + (3 - 12) * 2) / 17 = 2 pixels per position.
    const QxRect thumb = list->ThumbRect();
    EXPECT_EQ(thumb.left, 100 + 160 + 6);
    EXPECT_EQ(thumb.right, thumb.left + kArrow);
    EXPECT_EQ(thumb.top, 100 + kArrow - 5 + 16 * 2);
    EXPECT_EQ(thumb.bottom, thumb.top + 3) << "a thumb is at least 3 high";
    EXPECT_FALSE(list->Click(QxPoint{thumb.left + 4, thumb.top + 1}));
    EXPECT_TRUE(list->ThumbPressed());

    const int trackX = 100 + 160 + 9;
    SetMouse(trackX, 100 + kArrow - 5 + 1, true);
    list->Update(16.0f);
    EXPECT_EQ(list->FirstVisible(), 0);
    EXPECT_EQ(list->Selection(), 3) << "the selection moves to the last visible line";
    std::string shown;
    ASSERT_TRUE(list->TextLine(0)->GetString(kPropTextGet, shown));
    EXPECT_EQ(shown, "ITEM 0");

    SetMouse(trackX, 100 + 20, true);
    list->Update(16.0f);
    EXPECT_EQ(list->FirstVisible(), 5);
    EXPECT_EQ(list->Selection(), 5) << "a selection above the view moves to its top";

    // A button held over the lines drags nothing.
    SetMouse(120, 130, true);
    list->Update(16.0f);
    EXPECT_EQ(list->FirstVisible(), 5);

    SetMouse(trackX, 100 + 20, false);
    list->Update(16.0f);
    EXPECT_FALSE(list->ThumbPressed());
    EXPECT_EQ(list->FirstVisible(), 5);
}

TEST_F(ListBoxTest, RendersFramedWithThumbAndHighlight) {
    auto list = MakeList("shown", 6, 24,
                         "BackgroundColor 20, 30, 120, 255\n"
                         "BoxLightColor 255, 255, 160\n"
                         "BoxShadowColor 90, 80, 10\n");
    ASSERT_NE(list, nullptr);
    for (const char* line :
         {"HOW TO PLAY", "", "STEER THE BALL WITH", "THE ARROW KEYS.", "COLLECT COINS TO",
          "OPEN THE EXIT.", "AVOID THE TRAPS.", "PRESS P TO PAUSE.", "GOOD LUCK!"}) {
        list->SetString(kPropListAddItem, line);
    }
    list->SetBool(kPropListSelection, 2);
    ClearScreen();
    list->Update(16.0f);
    list->Draw();
    // A double frame, and a track striped every other column below the thumb.
    EXPECT_EQ(Pixel(95, 95), Rgb555(kFrame));
    EXPECT_EQ(Pixel(150, 96), Rgb555(kFrame));
    EXPECT_EQ(Pixel(96, 150), Rgb555(kFrame));
    for (int x = 299; x <= 310; ++x) {
        EXPECT_EQ(Pixel(x, 150) == Rgb555(kFrame), x % 2 == 1 || x == 310) << x;
    }
    // The fill's alpha is scaled by the element's (255 / 256 of it), so it is blended.
    EXPECT_EQ(Pixel(97, 99), Blend555(kFill, QxColour(0, 0, 0), 254));
    EXPECT_EQ(Pixel(150, 100 + 3 * kLine - 3), Rgb555(kHighlight)) << "the bottom of line 2";
}

} // namespace
