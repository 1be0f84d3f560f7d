// The list box: items and their limit, wrapping, the file reader's line cutting,
// selection, steps and pages, scroll-only arrows, the thumb, and how it draws.

#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "engine/gui/GuiFixture.h"
#include "engine/gui/WidgetTestSupport.h"
#include "engine/gui/QxEntity2DGUIListBox.h"
#include "engine/gui/QxEntity2DGUIText.h"

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

TEST_F(ListBoxTest, MeasuresFromItsTextAndPlacesItsParts) {
    auto list = MakeList("plain", 4, 20);
    ASSERT_NE(list, nullptr);
    list->Update(16.0f);
    EXPECT_EQ(list->LineSpacing(), kLine);
    EXPECT_EQ(list->TextAreaWidth(), 160);
    EXPECT_EQ(list->TextAreaHeight(), 4 * kLine);
    EXPECT_EQ(Get(*list, kPropListWidth), 20);
    EXPECT_EQ(Get(*list, kPropListHeight), 4);
    EXPECT_EQ(list->TextLine(2)->GetPosition(), (QxPoint{100, 100 + 2 * kLine}));
    EXPECT_EQ(list->UpArrow()->GetPosition(), (QxPoint{100 + 6 + 160, 95}));
    EXPECT_EQ(list->DownArrow()->GetPosition(), (QxPoint{266, 100 + 1 + 4 * kLine - kArrow}));

    auto spaced = MakeList("spaced", 3, 10, "LineHeight 20\n");
    ASSERT_NE(spaced, nullptr);
    spaced->Update(16.0f);
    EXPECT_EQ(spaced->LineSpacing(), 20);
    EXPECT_EQ(spaced->TextLine(1)->GetPosition(), (QxPoint{100, 100 + 20 + 5}));
    EXPECT_EQ(spaced->DownArrow()->GetPosition(), (QxPoint{100 + 6 + 80, 100 + 1 + 60 - kArrow}));
}

TEST_F(ListBoxTest, TheEleventhItemPushesOutTheFirst) {
    auto list = MakeList("ten", 4, 20);
    ASSERT_NE(list, nullptr);
    list->SetBool(kPropListMaxItems, 10);
    AddItems(*list, 11);
    EXPECT_EQ(Get(*list, kPropListCount), 10);
    EXPECT_EQ(list->Items().front().text, "ITEM 1");
    EXPECT_EQ(list->Selection(), 9);
    std::string selected;
    ASSERT_TRUE(list->GetString(kPropListSelection, selected));
    EXPECT_EQ(selected, "ITEM 10");

    // No negative maximum can be met by dropping items: all of them mean no limit.
    list->SetBool(kPropListMaxItems, -7);
    AddItems(*list, 3);
    EXPECT_EQ(Get(*list, kPropListCount), 13);
    list->SetBool(kPropListMaxItems, 0);
    AddItems(*list, 1);
    EXPECT_EQ(Get(*list, kPropListCount), 0);
    EXPECT_EQ(list->Selection(), -1);
}

TEST_F(ListBoxTest, SelectionIsHeldToTheItems) {
    auto list = MakeList("five", 4, 20);
    ASSERT_NE(list, nullptr);
    list->SetBool(kPropListSelection, 2);
    EXPECT_EQ(list->Selection(), -1) << "nothing to select";
    AddItems(*list, 5);
    list->SetBool(kPropListSelection, 99);
    EXPECT_EQ(list->Selection(), 4);
    list->SetBool(kPropListSelection, -1);
    EXPECT_EQ(list->Selection(), -1);
    std::string text = "unchanged";
    EXPECT_FALSE(list->GetString(kPropListSelection, text));
    EXPECT_EQ(text, "unchanged");

    // Values, and finding by text and by value.
    list->SetBool(kPropListSelection, 3);
    list->SetBool(kPropListValue, 77);
    std::int32_t value = 3;
    ASSERT_TRUE(list->GetBool(kPropListItemValue, value));
    EXPECT_EQ(value, 77);
    value = 5;
    EXPECT_FALSE(list->GetBool(kPropListItemValue, value)) << "past the last item";
    list->SetString(kPropListFindText, "ITEM 1");
    EXPECT_EQ(list->Selection(), 1);
    list->SetString(kPropListFindText, "ITEM");
    EXPECT_EQ(list->Selection(), 1) << "only an exact match selects";
    list->SetBool(kPropListFindValue, 77);
    EXPECT_EQ(list->Selection(), 3);
    EXPECT_EQ(Get(*list, kPropListValue), 77);

    list->SetBool(kPropListClear, 1);
    EXPECT_EQ(Get(*list, kPropListCount), 0);
    EXPECT_EQ(list->Selection(), -1);
    EXPECT_EQ(list->FirstVisible(), 0);
}

TEST_F(ListBoxTest, ItemsKeepTheTintTheyWereAddedWith) {
    auto list = MakeList("tinted", 2, 20);
    ASSERT_NE(list, nullptr);
    list->SetString(kPropListAddItem, "PLAIN");
    list->SetBool(kPropTintSwitch, 1);
    list->SetBool(kPropTintRed, 200);
    list->SetBool(kPropTintGreen, 100);
    list->SetBool(kPropTintBlue, 50);
    list->SetString(kPropListAddItem, "RED");
    EXPECT_EQ(list->Items()[0].colour, QxColour(0, 0, 0, 0));
    EXPECT_EQ(list->Items()[1].colour, QxColour(200, 100, 50, 1));
    list->SetBool(kPropListSelection, 0);
    list->Update(16.0f);
    std::int32_t red = 0;
    list->TextLine(1)->GetBool(kPropTintRed, red);
    EXPECT_EQ(red, 200);
}

TEST_F(ListBoxTest, WrappedItemsCarryThePrefix) {
    auto list = MakeList("wrapped", 4, 10, "Wrap 1\n");
    ASSERT_NE(list, nullptr);
    list->SetString(kPropListPrefix, "> ");
    list->SetString(kPropListAddItem, "ONE TWO THREE FOUR");
    ASSERT_GE(list->Items().size(), 2u);
    EXPECT_EQ(list->Items()[0].text.rfind("ONE", 0), 0u);
    for (std::size_t i = 1; i < list->Items().size(); ++i) {
        EXPECT_EQ(list->Items()[i].text.rfind("> ", 0), 0u) << list->Items()[i].text;
        EXPECT_LE(list->Items()[i].text.size(), 10u);
    }
    EXPECT_EQ(list->Selection(), Get(*list, kPropListCount) - 1);

    // Switching wrapping off through the property makes the next item one line.
    list->SetBool(kPropListWrap, 0);
    const int before = Get(*list, kPropListCount);
    list->SetString(kPropListAddItem, "ONE TWO THREE FOUR");
    EXPECT_EQ(Get(*list, kPropListCount), before + 1);
}

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

    // The same file again is not read again; after a clear it is.
    list->SetBool(kPropListSelection, 3);
    list->SetString(kPropListFile, "help.txt");
    EXPECT_EQ(list->Selection(), 3);
    list->SetBool(kPropListClear, 1);
    list->SetString(kPropListFile, "help.txt");
    EXPECT_EQ(Get(*list, kPropListCount), 5);

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
    EXPECT_EQ(Get(*list, kPropListFirstVisible), 16);
    std::string shown;
    ASSERT_TRUE(list->TextLine(3)->GetString(kPropTextGet, shown));
    EXPECT_EQ(shown, "ITEM 19");

    // A click on a line selects it.
    EXPECT_TRUE(list->Click(QxPoint{120, 100 + kLine + 4}));
    EXPECT_EQ(list->Selection(), 17);
    EXPECT_FALSE(list->Click(QxPoint{50, 50}));
}

TEST_F(ListBoxTest, ScrollOnlyArrowsScrollTheViewWithoutHighlight) {
    auto list = MakeList("reader", 4, 20);
    ASSERT_NE(list, nullptr);
    AddItems(*list, 10);
    list->SetBool(kPropListSelection, 0);
    list->SetBool(kPropListScrollOnly, 1);
    list->Update(16.0f);
    ASSERT_EQ(list->FirstVisible(), 0);
    EXPECT_TRUE(list->Click(Centre(list->DownArrow())));
    list->Update(16.0f);
    EXPECT_EQ(list->FirstVisible(), 1);
    EXPECT_TRUE(list->Click(Centre(list->DownArrow())));
    list->Update(16.0f);
    EXPECT_EQ(list->FirstVisible(), 2);
    EXPECT_TRUE(list->Click(Centre(list->UpArrow())));
    list->Update(16.0f);
    EXPECT_EQ(list->FirstVisible(), 1);
    for (int i = 0; i < 20; ++i) {
        list->Click(Centre(list->DownArrow()));
        list->Update(16.0f);
    }
    EXPECT_EQ(list->FirstVisible(), 6) << "the last line stays at the bottom";

    auto countHighlight = [this] {
        int found = 0;
        for (int y = 95; y < 160; ++y) {
            for (int x = 95; x < 265; ++x) {
                found += Pixel(x, y) == Rgb555(kHighlight) ? 1 : 0;
            }
        }
        return found;
    };
    ClearScreen();
    list->Draw();
    EXPECT_EQ(countHighlight(), 0);
    list->SetBool(kPropListScrollOnly, 0);
    ClearScreen();
    list->Draw();
    EXPECT_GT(countHighlight(), 100);
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

    SetMouse(trackX, 100 + 20, false);
    list->Update(16.0f);
    EXPECT_FALSE(list->ThumbPressed());
    EXPECT_EQ(list->FirstVisible(), 5);
}

TEST_F(ListBoxTest, ListsWithoutPartsDoNotCrash) {
    ASSERT_NE(Define("class ListBox\ntype bare\nListHeight 3\nListWidth 5\n"), nullptr);
    auto bare = CreateElement<QxEntity2DGUIListBox>("ListBox", "bare");
    ASSERT_NE(bare, nullptr);
    AddItems(*bare, 4);
    SetMouse(10, 10, true);
    bare->Update(16.0f);
    EXPECT_TRUE(bare->Draw());
    bare->Click(QxPoint{1, 1});
    bare->SetBool(kPropListPageDown, 1);
    EXPECT_EQ(bare->Selection(), 3);

    ASSERT_NE(Define("class ListBox\ntype wild\nTextEnt text, line\nListHeight 100000\n"
                     "ListWidth -3\n"),
              nullptr);
    auto wild = CreateElement<QxEntity2DGUIListBox>("ListBox", "wild");
    ASSERT_NE(wild, nullptr);
    EXPECT_EQ(Get(*wild, kPropListHeight), QxEntity2DGUIListBoxType::kMaxListHeight);
    EXPECT_EQ(Get(*wild, kPropListWidth), 0);
    WriteFile("long.txt", std::string(500, 'X') + "\r");
    wild->SetString(kPropListFile, "long.txt");
    EXPECT_EQ(Get(*wild, kPropListCount), 1) << "no width: nothing to cut at";
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
    EXPECT_EQ(Pixel(95, 95), Rgb555(kFrame));
    EXPECT_EQ(Pixel(96, 96), Rgb555(kFrame));
    // The fill's alpha is scaled by the element's (255 / 256 of it), so it is blended.
    EXPECT_EQ(Pixel(97, 99), Blend555(kFill, QxColour(0, 0, 0), 254));
    EXPECT_EQ(Pixel(150, 100 + 3 * kLine - 3), Rgb555(kHighlight)) << "the bottom of line 2";
    const std::string path = SaveScreenPng("listbox.png");
    ASSERT_FALSE(path.empty());
    std::printf("rendered %s\n", path.c_str());
}

} // namespace
