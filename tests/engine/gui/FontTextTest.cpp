#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>

#include "engine/gui/QxEntity2DGUIFPSText.h"
#include "engine/gui/QxEntity2DGUIFont.h"
#include "engine/gui/QxEntity2DGUIMultiText.h"
#include "engine/gui/QxEntity2DGUIText.h"
#include "engine/gui/GuiFixture.h"
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

TEST_F(FontTextTest, FontTypeIsAFontAndAGuiElementButNotAText) {
    QxEntityBaseType* type = Registry().FindType("font", "blocks");
    ASSERT_NE(type, nullptr);
    EXPECT_TRUE(type->IsKind(kKindFont));
    EXPECT_TRUE(type->IsKind(kKindGUIElement));
    EXPECT_FALSE(type->IsKind(kKindText));
    EXPECT_EQ(Create("font", "blocks", kKindText), nullptr);
}

TEST_F(FontTextTest, MetricsComeFromTheDefinitionAndOffsets) {
    ASSERT_NE(Define("class font\ntype spaced\nimage blocks.bmp\nchars AB\ncharwidth 8\n"
                     "charheight 10\noffsetx 2\noffsety 3\nnumfontelements 2\n"
                     "FontWidth1 A, 5\nFontWidth2 \"\" ,9\n"),
              nullptr);
    auto font = CreateElement<QxEntity2DGUIFont>("font", "spaced");
    ASSERT_NE(font, nullptr);
    int32_t value = 0;
    EXPECT_TRUE(font->GetBool(kPropCellAdvance, value));
    EXPECT_EQ(value, 10);
    EXPECT_TRUE(font->GetBool(kPropLineHeight, value));
    EXPECT_EQ(value, 13);
    EXPECT_EQ(font->TextWidth("A", true), 5u);
    EXPECT_EQ(font->TextWidth("B", true), 10u);
    // The second entry's first character of code 32 or above is the quote.
    EXPECT_EQ(font->TextWidth("\"", true), 9u);
}

TEST_F(FontTextTest, AHugeElementCountIsNotSearchedForever) {
    ASSERT_NE(Define("class font\ntype many\nimage blocks.bmp\nchars AB\ncharwidth 8\n"
                     "numfontelements 2000000000\nFontWidth3 B,4\n"),
              nullptr);
    auto font = CreateElement<QxEntity2DGUIFont>("font", "many");
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->TextWidth("B", true), 4u);
}

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

TEST_F(FontTextTest, TrailingSpacesDoNotShiftJustifiedText) {
    auto font = CreateElement<QxEntity2DGUIFont>("font", "blocks");
    ASSERT_NE(font, nullptr);
    font->DrawString("1  ", QxPoint{100, 20}, kJustifyRight, 255, nullptr);
    EXPECT_TRUE(GlyphAt('1', 92, 20));
}

TEST_F(FontTextTest, NoLowercaseDrawsAndMeasuresAsUppercase) {
    ASSERT_NE(Define("class font\ntype upper\nimage blocks.bmp\ntransparent 1\nchars \"" +
                     kBlockChars + "\"\ncharwidth 8\ncharheight 10\nnolowercase 1\n"),
              nullptr);
    auto font = CreateElement<QxEntity2DGUIFont>("font", "upper");
    ASSERT_NE(font, nullptr);
    font->DrawString("abc", QxPoint{0, 0}, kJustifyLeft, 255, nullptr);
    EXPECT_TRUE(GlyphAt('A', 0, 0));
    EXPECT_TRUE(GlyphAt('B', 8, 0));
    EXPECT_TRUE(GlyphAt('C', 16, 0));

    // Without the flag a lowercase letter is not in the sheet and draws glyph 0.
    auto plain = CreateElement<QxEntity2DGUIFont>("font", "blocks");
    plain->DrawString("a", QxPoint{0, 20}, kJustifyLeft, 255, nullptr);
    EXPECT_TRUE(GlyphAt('_', 0, 20));
}

TEST_F(FontTextTest, TintAndAlphaChangeTheGlyphs) {
    ASSERT_NE(Define("class font\ntype white\nimage white.bmp\ntransparent 1\nchars AB\n"
                     "charwidth 8\ncharheight 10\n"),
              nullptr);
    WriteBitmap("white.bmp", SolidImage(16, 10, QxColour(255, 255, 255)));
    auto font = CreateElement<QxEntity2DGUIFont>("font", "white");
    ASSERT_NE(font, nullptr);
    const QxColour red(255, 0, 0, 255);
    font->DrawString("A", QxPoint{0, 0}, kJustifyLeft, 255, &red);
    EXPECT_EQ(Pixel(3, 3) & 0x03FF, 0);      // no green, no blue
    EXPECT_GE((Pixel(3, 3) >> 10) & 31, 30); // nearly full red
    font->DrawString("A", QxPoint{20, 0}, kJustifyLeft, 255, nullptr);
    EXPECT_EQ(Pixel(23, 3), Rgb555(QxColour(255, 255, 255)));
    font->DrawString("A", QxPoint{40, 0}, kJustifyLeft, 128, nullptr);
    const uint16_t blended = Pixel(43, 3);
    EXPECT_NE(blended, 0);
    EXPECT_NE(blended, Rgb555(QxColour(255, 255, 255)));
}

TEST_F(FontTextTest, AlphaMaskedFontsBlendThroughTheMask) {
    WriteBitmap("white.bmp", SolidImage(16, 10, QxColour(248, 248, 248)));
    WriteBitmap("half.bmp", AlphaMaskImage(16, 10, 128));
    ASSERT_NE(Define("class font\ntype masked\nimage white.bmp\nalphaimage half.bmp\nchars AB\n"
                     "charwidth 8\ncharheight 10\n"),
              nullptr);
    auto font = CreateElement<QxEntity2DGUIFont>("font", "masked");
    ASSERT_NE(font, nullptr);
    font->DrawString("B", QxPoint{0, 0}, kJustifyLeft, 255, nullptr);
    const uint16_t p = Pixel(2, 2);
    // Half of white over black: about half intensity in every channel.
    EXPECT_NEAR((p >> 10) & 31, 15, 1);
    EXPECT_NEAR(p & 31, 15, 1);
}

TEST_F(FontTextTest, LostSheetIsReloadedAndTheStringStillDrawn) {
    auto font = CreateElement<QxEntity2DGUIFont>("font", "blocks");
    ASSERT_NE(font, nullptr);
    font->DrawString("A", QxPoint{0, 0}, kJustifyLeft, 255, nullptr);
    // The display lost every surface: each glyph's first draw fails, the sheet is
    // reloaded and that glyph drawn again.
    Screen().FreeAllSurfaces();
    ClearScreen();
    EXPECT_TRUE(font->DrawString("AB", QxPoint{0, 0}, kJustifyLeft, 255, nullptr));
    EXPECT_TRUE(GlyphAt('A', 0, 0));
    EXPECT_TRUE(GlyphAt('B', 8, 0));
    EXPECT_EQ(Cache().ImageCount(), 1u);
}

TEST_F(FontTextTest, AFontWithoutItsSheetDrawsNothing) {
    ASSERT_NE(Define("class font\ntype missing\nimage nothere.bmp\nchars AB\ncharwidth 8\n"
                     "charheight 10\n"),
              nullptr);
    auto font = CreateElement<QxEntity2DGUIFont>("font", "missing");
    ASSERT_NE(font, nullptr);
    EXPECT_FALSE(font->DrawString("AB", QxPoint{0, 0}, kJustifyLeft, 255, nullptr));
    EXPECT_EQ(Pixel(1, 1), 0);
}

TEST_F(FontTextTest, ZeroCellWidthDrawsNothingAndDoesNotDivideByZero) {
    ASSERT_NE(Define("class font\ntype flat\nimage blocks.bmp\nchars AB\ncharheight 10\n"),
              nullptr);
    auto font = CreateElement<QxEntity2DGUIFont>("font", "flat");
    ASSERT_NE(font, nullptr);
    EXPECT_FALSE(font->DrawString("AB", QxPoint{0, 0}, kJustifyLeft, 255, nullptr));
}

// ---- the text element ------------------------------------------------------------

TEST_F(FontTextTest, TextDrawsItsDefaultTextAndTakesNewText) {
    DefineText("label", "DefaultText AB1\n");
    auto text = MakeText("label");
    ASSERT_NE(text, nullptr);
    text->SetPosition(QxPoint{10, 10});
    text->Draw();
    EXPECT_TRUE(GlyphAt('A', 10, 10));
    EXPECT_TRUE(GlyphAt('1', 26, 10));

    EXPECT_TRUE(text->SetString(kPropText, "ZZ"));
    std::string got;
    EXPECT_TRUE(text->GetString(kPropTextGet, got));
    EXPECT_EQ(got, "ZZ");
    EXPECT_TRUE(text->SetBool(kPropTextReset, 0));
    EXPECT_EQ(text->Text(), "AB1");

    int32_t alpha = 0;
    EXPECT_TRUE(text->SetBool(kPropTextAlpha, 300));
    EXPECT_TRUE(text->GetBool(kPropTextAlpha, alpha));
    EXPECT_EQ(alpha, 255);
    text->SetBool(kPropTextAlpha, -4);
    EXPECT_TRUE(text->GetBool(kPropTextAlpha, alpha));
    EXPECT_EQ(alpha, 0);
}

TEST_F(FontTextTest, TextPassesUnknownIdsToItsFont) {
    DefineText("label", "");
    auto text = MakeText("label");
    int32_t value = 0;
    EXPECT_TRUE(text->GetBool(kPropCellAdvance, value));
    EXPECT_EQ(value, 8);
    EXPECT_TRUE(text->GetBool(kPropLineHeight, value));
    EXPECT_EQ(value, 10);
    EXPECT_TRUE(text->GetBool(kPropTextHeight, value));
    EXPECT_EQ(value, 11);
    value = 77;
    EXPECT_FALSE(text->GetBool(9999, value));
    EXPECT_EQ(value, 77);
}

TEST_F(FontTextTest, TextWithoutAFontDrawsNothingAndMeasuresZero) {
    ASSERT_NE(Define("class text\ntype orphan\nFontEnt font, nosuchfont\nDefaultText AB\n"
                     "WrapWidth 5\n"),
              nullptr);
    auto text = MakeText("orphan");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->GetFont(), nullptr);
    EXPECT_TRUE(text->Draw());
    EXPECT_EQ(Pixel(1, 1), 0);
    int32_t value = -1;
    EXPECT_TRUE(text->GetBool(kPropTextWidth, value));
    EXPECT_EQ(value, 0);
    ASSERT_EQ(text->Lines().size(), 1u);
    EXPECT_FALSE(text->Click(QxPoint{1, 1}));
}

TEST_F(FontTextTest, TintBytesTintTheTextOnlyWhileTheSwitchIsOn) {
    WriteBitmap("white.bmp", SolidImage(16, 10, QxColour(255, 255, 255)));
    ASSERT_NE(Define("class font\ntype white\nimage white.bmp\ntransparent 1\nchars AB\n"
                     "charwidth 8\ncharheight 10\n"),
              nullptr);
    ASSERT_NE(Define("class text\ntype tinted\nFontEnt font, white\nDefaultText A\n"), nullptr);
    auto text = MakeText("tinted");
    text->SetBool(kPropTintRed, 0);
    text->SetBool(kPropTintGreen, 255);
    text->SetBool(kPropTintBlue, 0);
    text->Draw();
    EXPECT_EQ(Pixel(2, 2), Rgb555(QxColour(255, 255, 255)));
    text->SetBool(kPropTintSwitch, 255);
    text->Draw();
    EXPECT_EQ(Pixel(2, 2) & 0x7C1F, 0); // only green is left
    EXPECT_GE((Pixel(2, 2) >> 5) & 31, 30);
}

TEST_F(FontTextTest, WrappedTextIsLaidOutInUpdateAndDrawnLineByLine) {
    DefineText("para", "WrapWidth 10\nDefaultText HELLO WORLD AGAIN\n");
    auto text = MakeText("para");
    ASSERT_EQ(text->Lines().size(), 3u);
    EXPECT_EQ(text->Lines()[0], "HELLO ");
    EXPECT_EQ(text->Lines()[2], "AGAIN");
    int32_t value = 0;
    EXPECT_TRUE(text->GetBool(kPropTextWidth, value));
    EXPECT_EQ(value, 40); // trailing spaces do not count
    EXPECT_TRUE(text->GetBool(kPropTextHeight, value));
    EXPECT_EQ(value, (10 + 3) * 3 - 2);
    text->SetPosition(QxPoint{0, 100});
    text->Draw();
    EXPECT_TRUE(GlyphAt('H', 0, 100));
    EXPECT_TRUE(GlyphAt('W', 0, 112));
    EXPECT_TRUE(GlyphAt('A', 0, 124));

    // A new text is laid out again on the next update only.
    text->SetString(kPropText, "AB");
    EXPECT_EQ(text->Lines().size(), 3u);
    text->Update(0);
    ASSERT_EQ(text->Lines().size(), 1u);
    EXPECT_TRUE(text->GetBool(kPropTextWidth, value));
    EXPECT_EQ(value, 16);
}

TEST_F(FontTextTest, UnwrappedTextKeepsItsLastWidth) {
    DefineText("label", "DefaultText ABC\n");
    auto text = MakeText("label");
    int32_t value = -1;
    EXPECT_TRUE(text->GetBool(kPropTextWidth, value));
    EXPECT_EQ(value, 0);
}

TEST_F(FontTextTest, PasswordShowsStars) {
    DefineText("secret", "Password 1\nDefaultText AB\n");
    auto text = MakeText("secret");
    text->Draw();
    EXPECT_TRUE(GlyphAt('*', 0, 0));
    EXPECT_TRUE(GlyphAt('*', 8, 0));
    EXPECT_EQ(text->Text(), "AB");
}

TEST_F(FontTextTest, WindowShowsThePartAroundTheCursor) {
    DefineText("entry", "WindowSize 10\nDefaultText ABCDEFGHIJKLMNOPQRST\n");
    auto text = MakeText("entry");
    int32_t value = 0;
    EXPECT_TRUE(text->GetBool(kPropWindowSize, value));
    EXPECT_EQ(value, 10);
    text->SetBool(kPropCursor, 18);
    text->Draw();
    // "... OPQRST"
    EXPECT_TRUE(GlyphAt('.', 0, 0));
    EXPECT_TRUE(GlyphAt('O', 32, 0));
    EXPECT_TRUE(GlyphAt('T', 72, 0));
    EXPECT_EQ(Pixel(80, 0), 0);
}

TEST_F(FontTextTest, EditingMovesTheCursorToTheEndAndTheCaretBlinks) {
    DefineText("entry", "DefaultText AB\n");
    auto text = MakeText("entry");
    EXPECT_FALSE(text->CaretShown());
    text->SetBool(kPropCursor, 0);
    text->SetBool(kPropEditing, 1);
    EXPECT_EQ(text->Cursor(), 2u);
    text->Update(0);
    int shown = 0;
    int hidden = 0;
    for (int frame = 0; frame < 16; ++frame) { // two periods in steps of 50 ms
        text->Update(50);
        (text->CaretShown() ? shown : hidden) += 1;
    }
    EXPECT_EQ(shown, 8);
    EXPECT_EQ(hidden, 8);
    text->Update(std::numeric_limits<float>::infinity());
    text->Update(std::numeric_limits<float>::quiet_NaN());
    text->Update(1e30f);
}

TEST_F(FontTextTest, CaretIsDrawnAfterTheTextBeforeTheCursor) {
    DefineText("entry", "DefaultText AB\n");
    auto text = MakeText("entry");
    text->SetBool(kPropEditing, 1);
    text->SetBool(kPropCursor, 1);
    text->Update(0);
    ASSERT_TRUE(text->CaretShown());
    text->SetPosition(QxPoint{100, 50});
    text->Draw();
    // The "_" glyph starts one pixel left of the second character.
    EXPECT_TRUE(GlyphAt('_', 107, 50));
    EXPECT_TRUE(GlyphAt('B', 115, 50));
}

TEST_F(FontTextTest, KeysEditThroughTheTypesRules) {
    DefineText("number", "NumbersOnly 1\n");
    auto number = MakeText("number");
    EXPECT_TRUE(number->HandleKey('4'));
    EXPECT_FALSE(number->HandleKey('x'));
    EXPECT_TRUE(number->HandleKey('2'));
    EXPECT_TRUE(number->HandleKey(8));
    EXPECT_EQ(number->Text(), "4");

    DefineText("address", "IPAddress 1\n");
    auto address = MakeText("address");
    for (char c : std::string("1234.5..6")) {
        address->HandleKey(c);
    }
    EXPECT_EQ(address->Text(), "123.5.6");

    DefineText("short", "");
    auto limited = MakeText("short");
    limited->SetBool(kPropMaxLength, 3);
    for (char c : std::string("ABCDEF")) {
        EXPECT_TRUE(limited->HandleKey(c));
    }
    EXPECT_EQ(limited->Text(), "ABC");
    limited->SetString(kPropText, "ABCDEF");
    limited->SetBool(kPropMaxLength, 2);
    EXPECT_EQ(limited->Text(), "AB");
    limited->SetBool(kPropCursor, -5);
    EXPECT_EQ(limited->Cursor(), 0u);
    limited->SetBool(kPropCursor, 99);
    EXPECT_EQ(limited->Cursor(), 2u);
}

TEST_F(FontTextTest, ArrowKeysMoveBetweenWrappedLines) {
    DefineText("para", "WrapWidth 10\nDefaultText HELLO WORLD AGAIN\n");
    auto text = MakeText("para");
    text->SetBool(kPropEditing, 1);
    ASSERT_EQ(text->Cursor(), 17u);
    text->HandleKey(256);
    EXPECT_EQ(text->Cursor(), 11u);
    text->HandleKey(256);
    EXPECT_EQ(text->Cursor(), 5u);
    text->HandleKey(257);
    EXPECT_EQ(text->Cursor(), 11u);
}

TEST_F(FontTextTest, ClickAreaFollowsClickWidthOrTheTextAndTheJustification) {
    DefineText("label", "DefaultText ABC\n");
    auto text = MakeText("label");
    text->SetPosition(QxPoint{100, 100});
    EXPECT_TRUE(text->Click(QxPoint{101, 101}));
    EXPECT_TRUE(text->Click(QxPoint{123, 109}));
    EXPECT_FALSE(text->Click(QxPoint{100, 105})); // edges are outside
    EXPECT_FALSE(text->Click(QxPoint{124, 105}));
    EXPECT_EQ(text->GetRect().Width(), 24);
    EXPECT_EQ(text->GetRect().Height(), 10);

    text->SetBool(kPropJustify, kJustifyRight);
    EXPECT_TRUE(text->Click(QxPoint{80, 105}));
    EXPECT_FALSE(text->Click(QxPoint{101, 105}));

    DefineText("wide", "ClickWidth 60\nDefaultText A\nDefaultJustify 3\n");
    auto wide = MakeText("wide");
    wide->SetPosition(QxPoint{100, 0});
    EXPECT_TRUE(wide->Click(QxPoint{71, 5}));
    EXPECT_TRUE(wide->Click(QxPoint{129, 5}));
    EXPECT_FALSE(wide->Click(QxPoint{130, 5}));
}

TEST_F(FontTextTest, TextIsAGuiElementOfKindText) {
    DefineText("label", "");
    EXPECT_NE(Create("text", "label", kKindText), nullptr);
    EXPECT_EQ(Create("text", "label", QxKindTag("BUTN")), nullptr);
}

// ---- MultiText and FPS text ------------------------------------------------------

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

TEST_F(FontTextTest, FpsTextIsEmptyUntilTheSwitchIsOn) {
    DefineText("fpsbase", "");
    ASSERT_NE(Define("class FPSText\ntype fps\nFontEnt font, blocks\nDefaultText %d FPS\n"),
              nullptr);
    auto fps = CreateElement<QxEntity2DGUIFPSText>("FPSText", "fps");
    ASSERT_NE(fps, nullptr);
    EXPECT_EQ(fps->Justification(), kJustifyRight);
    fps->Update(20);
    EXPECT_EQ(fps->Text(), "");

    QxEntity2DGUIFPSText::SetShowFrameRate(true);
    for (int i = 0; i < 200; ++i) {
        fps->Update(20);
    }
    QxEntity2DGUIFPSText::SetShowFrameRate(false);
    EXPECT_EQ(fps->Text(), "50 FPS");
    fps->Update(20);
    EXPECT_EQ(fps->Text(), "");
}

TEST_F(FontTextTest, FpsFormatTakesOneIntegerAndShowsOtherConversionsAsWritten) {
    EXPECT_EQ(QxEntity2DGUIFPSText::FormatCount("%d", 60), "60");
    EXPECT_EQ(QxEntity2DGUIFPSText::FormatCount("FPS %3d%%", 7), "FPS   7%");
    EXPECT_EQ(QxEntity2DGUIFPSText::FormatCount("%s %n %d %d", 5), "%s %n 5 %d");
    EXPECT_EQ(QxEntity2DGUIFPSText::FormatCount("%", 5), "%");
    EXPECT_EQ(QxEntity2DGUIFPSText::FormatCount("plain", 5), "plain");
}
