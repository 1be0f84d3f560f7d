#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/QxInputEvent.h"
#include "engine/gui/GuiFixture.h"
#include "engine/gui/QxEntity2DGUIFPSText.h"
#include "engine/gui/QxEntity2DGUIFont.h"
#include "engine/gui/QxEntity2DGUIMultiText.h"
#include "engine/gui/QxEntity2DGUIText.h"
#include "engine/gui/WidgetTestSupport.h"

using namespace widgettest;

namespace {

// The block font's characters: glyph i is a solid 8 x 10 cell of BlockColour(i).
const std::string kBlockChars = "_0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ.*";

int Glyph(char c) {
    return static_cast<int>(kBlockChars.find(c));
}

class FontTextTest : public GuiFixture {
protected:
    void SetUp() override {
        GuiFixture::SetUp();
        WriteBitmap("blocks.bmp", GlyphSheet(kBlockChars, true, QxColour()));
        ASSERT_NE(Define("class font\ntype blocks\nimage blocks.bmp\ntransparent 1\n"
                         "chars \"" +
                         kBlockChars + "\"\ncharwidth 8\ncharheight 10\n"),
                  nullptr);
        ClearScreen();
    }

    // A text type on the block font with the extra keys given.
    void DefineText(const std::string& typeName, const std::string& keys) {
        ASSERT_NE(Define("class text\ntype " + typeName + "\nFontEnt font, blocks\n" + keys),
                  nullptr);
    }

    std::unique_ptr<QxEntity2DGUIText> MakeText(const std::string& typeName) {
        auto text = CreateElement<QxEntity2DGUIText>("text", typeName);
        EXPECT_NE(text, nullptr);
        if (text) {
            text->Update(0);
        }
        return text;
    }

    // Whether the block glyph of c covers the pixel (x, y).
    bool GlyphAt(char c, int x, int y) const {
        return Pixel(x, y) == Rgb555(BlockColour(Glyph(c)));
    }
};

} // namespace

// ---- the font --------------------------------------------------------------------

TEST_F(FontTextTest, LeftRightAndCentreJustification) {
    auto font = CreateElement<QxEntity2DGUIFont>("font", "blocks");
    ASSERT_NE(font, nullptr);
    font->DrawString("100", QxPoint{100, 20}, kJustifyRight, 255, nullptr);
    EXPECT_TRUE(GlyphAt('1', 76, 20));
    EXPECT_FALSE(GlyphAt('1', 75, 20));
    EXPECT_TRUE(GlyphAt('0', 99, 29));
    EXPECT_EQ(Pixel(100, 20), 0);

    font->DrawString("10", QxPoint{300, 40}, kJustifyCentre, 255, nullptr);
    EXPECT_TRUE(GlyphAt('1', 292, 40));
    EXPECT_TRUE(GlyphAt('0', 300, 40));
    EXPECT_EQ(Pixel(291, 40), 0);

    font->DrawString("01", QxPoint{10, 60}, kJustifyLeft, 255, nullptr);
    EXPECT_TRUE(GlyphAt('0', 10, 60));
    EXPECT_TRUE(GlyphAt('1', 18, 69));
    EXPECT_EQ(Pixel(9, 60), 0);
}

// ---- the text element ------------------------------------------------------------

TEST_F(FontTextTest, TextDrawsItsDefaultText) {
    DefineText("label", "DefaultText AB1\n");
    auto text = MakeText("label");
    ASSERT_NE(text, nullptr);
    text->SetPosition(QxPoint{10, 10});
    text->Draw();
    EXPECT_TRUE(GlyphAt('A', 10, 10));
    EXPECT_TRUE(GlyphAt('1', 26, 10));

    // Tinted red at full strength, only the glyph's red is left.
    text->SetBool(kPropTintSwitch, 255);
    text->SetBool(kPropTintRed, 255);
    ClearScreen();
    text->Draw();
    EXPECT_EQ(Pixel(10, 10), Rgb555(BlockColour(Glyph('A'))) & 0x7c00);
}

// A PIN field: digits only, shown masked, clickable over its click width whatever its
// justification; an address field takes at most four groups of up to three digits.
TEST_F(FontTextTest, EntryFieldsFilterKeysMaskTheTextAndAnswerClicks) {
    DefineText("pin", "Password 1\nNumbersOnly 1\nClickWidth 40\nDefaultText 12\n");
    DefineText("ip", "IPAddress 1\nWrapWidth 20\n");
    ASSERT_NE(Define("class text\ntype bare\nWrapWidth 5\nDefaultText AB\n"), nullptr);
    auto pin = MakeText("pin");
    auto ip = MakeText("ip");
    auto bare = MakeText("bare");
    EXPECT_TRUE(bare->Draw()) << "without a font nothing is drawn";
    EXPECT_EQ(bare->Lines(), std::vector<std::string>{"AB"}) << "nor wrapped";
    pin->SetBool(kPropCursor, 2);
    EXPECT_FALSE(pin->HandleKey('A'));
    for (int key :
         {int('3'), int(QxKey::Left), 8, 1, int(QxKey::Right), 8, int(QxKey::Left), int('4')}) {
        EXPECT_TRUE(pin->HandleKey(key)) << key;
    }
    EXPECT_EQ(pin->Text(), "41");
    EXPECT_EQ(pin->Cursor(), 1u);
    pin->SetPosition(QxPoint{100, 10});
    pin->Draw();
    EXPECT_TRUE(GlyphAt('*', 100, 10));
    EXPECT_TRUE(GlyphAt('*', 108, 10));
    const struct {
        int justify;
        int inside;
        int outside;
    } clicks[] = {{kJustifyLeft, 139, 140}, {kJustifyRight, 61, 60}, {kJustifyCentre, 81, 80}};
    for (const auto& c : clicks) {
        pin->SetBool(kPropJustify, c.justify);
        EXPECT_TRUE(pin->Click(QxPoint{c.inside, 15})) << c.justify;
        EXPECT_FALSE(pin->Click(QxPoint{c.outside, 15})) << c.justify;
    }
    pin->SetBool(kPropTextReset, 1);
    pin->SetBool(kPropMaxLength, 1);
    EXPECT_TRUE(pin->HandleKey('5'));
    EXPECT_EQ(pin->Text(), "1") << "cut to the maximum length, and kept there";
    pin->SetBool(kPropTintRed, 8);
    pin->SetBool(kPropTintBlue, 16);
    pin->SetBool(kPropTintGreen, 24);
    for (auto [id, want] : {std::pair{int(kPropTextAlpha), 255}, std::pair{int(kPropWindowSize), 0},
                            std::pair{int(kPropTintRed), 8}, std::pair{int(kPropTintBlue), 16},
                            std::pair{int(kPropTintGreen), 24}}) {
        int32_t value = -1;
        EXPECT_TRUE(pin->GetBool(id, value));
        EXPECT_EQ(value, want) << id;
    }

    for (char key : std::string(".1234.5.6.7.x")) {
        ip->HandleKey(key);
    }
    EXPECT_EQ(ip->Text(), "123.5.6.7");
}

// ---- MultiText ------------------------------------------------------------------------

TEST_F(FontTextTest, MultiTextCutsAtLineBreakPairsAndDrawsTheTitleFirst) {
    EXPECT_EQ(QxEntity2DGUIMultiText::SplitLines("A\r\nB\rC\r\n").size(), 3u);
    EXPECT_EQ(QxEntity2DGUIMultiText::SplitLines("A\r\nB\rC")[1], "B\rC");

    ASSERT_NE(Define("class MultiText\ntype block\nTitleFontEnt font, blocks\n"
                     "MainFontEnt font, blocks\nDefaultJustify 1\nDefaultText AB\\nC\\nDEF\n"),
              nullptr);
    auto multi = CreateElement<QxEntity2DGUIMultiText>("MultiText", "block");
    ASSERT_NE(multi, nullptr);
    ASSERT_EQ(multi->Lines().size(), 3u);
    int32_t value = 0;
    EXPECT_TRUE(multi->GetBool(kPropTextWidth, value));
    EXPECT_EQ(value, 24);
    EXPECT_TRUE(multi->GetBool(kPropTextHeight, value));
    EXPECT_EQ(value, 3 * 12 - 2);
    multi->SetPosition(QxPoint{5, 5});
    multi->SetAlpha(100);
    multi->Draw();
    EXPECT_TRUE(GlyphAt('A', 5, 5));   // the title is drawn at full alpha
    EXPECT_FALSE(GlyphAt('C', 5, 17)); // the rest at the element's
    EXPECT_NE(Pixel(5, 17), 0);

    multi->SetString(kPropText, "X");
    EXPECT_EQ(multi->Lines().size(), 1u);
    std::string got;
    EXPECT_TRUE(multi->GetString(kPropTextGet, got));
    EXPECT_EQ(got, "X");
}

// The frame-rate text shows the smoothed rate through its default text's one count, and
// nothing while the rate is hidden.
TEST_F(FontTextTest, FrameRateTextCountsSmoothedFramesPerSecondWhileShown) {
    EXPECT_EQ(QxEntity2DGUIFPSText::FormatCount("%-4d|%%|%d|%q", 62), "62  |%|%d|%q");
    EXPECT_EQ(QxEntity2DGUIFPSText::FormatCount("%03i", 7), "007");
    ASSERT_NE(Define("class FPSText\ntype fps\nFontEnt font, blocks\nDefaultText %d\n"), nullptr);
    auto fps = CreateElement<QxEntity2DGUIFPSText>("FPSText", "fps");
    ASSERT_NE(fps, nullptr);
    QxEntity2DGUIFPSText::SetShowFrameRate(true);
    for (int frame = 0; frame < 300; ++frame)
        fps->Update(16.0f);
    EXPECT_EQ(fps->Text(), "62");
    QxEntity2DGUIFPSText::SetShowFrameRate(false);
    fps->Update(16.0f);
    EXPECT_EQ(fps->Text(), "");
}
