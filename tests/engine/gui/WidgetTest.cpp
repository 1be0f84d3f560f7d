#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/gui/GuiFixture.h"
#include "engine/gui/QxEntity2DGUIButton.h"
#include "engine/gui/QxEntity2DGUICounter.h"
#include "engine/gui/QxEntity2DGUIProgressBar.h"
#include "engine/gui/QxEntity2DGUISprite.h"
#include "engine/gui/QxEntity2DGUIToggleButton.h"
#include "engine/gui/WidgetTestSupport.h"

using namespace widgettest;

namespace {

const QxColour kBlue(0, 0, 248);
const QxColour kRed(248, 0, 0);
const QxColour kYellow(248, 248, 0);
const QxColour kGrey(128, 128, 128);
const QxColour kGreen(0, 248, 0);

class WidgetTest : public GuiFixture {
protected:
    void SetUp() override {
        GuiFixture::SetUp();
        WriteBitmap("main.bmp", Solid(40, 20, kBlue));
        WriteBitmap("down.bmp", Solid(40, 20, kRed));
        WriteBitmap("off.bmp", Solid(40, 20, kGrey));
        // The highlight is a top edge over a transparent rest.
        QxImage high = Solid(40, 20, QxColour(0, 0, 0));
        for (int x = 0; x < 40; ++x)
            Put(high, x, 0, kYellow);
        WriteBitmap("high.bmp", high);
        ASSERT_NE(Define("class sprite\ntype btnmain\nimage main.bmp\n"), nullptr);
        ASSERT_NE(Define("class sprite\ntype btndown\nimage down.bmp\n"), nullptr);
        ASSERT_NE(Define("class sprite\ntype btnhigh\nimage high.bmp\ntransparent 1\n"), nullptr);
        ASSERT_NE(Define("class sprite\ntype btnoff\nimage off.bmp\n"), nullptr);
        ASSERT_NE(Define("class button\ntype ok\nMainImageEnt sprite, btnmain\n"
                         "DownImageEnt sprite, btndown\nHighlightImageEnt sprite, btnhigh\n"),
                  nullptr);
        ClearScreen();
    }

    std::unique_ptr<QxEntity2DGUIButton> MakeButton(const std::string& typeName, QxPoint at) {
        auto button = CreateElement<QxEntity2DGUIButton>("button", typeName);
        EXPECT_NE(button, nullptr);
        if (button) {
            button->SetPosition(at);
            button->Update(0);
        }
        return button;
    }

    bool Is(int x, int y, QxColour colour) const { return Pixel(x, y) == Rgb555(colour); }
};

} // namespace

// ---- buttons ---------------------------------------------------------------------

TEST_F(WidgetTest, ButtonDrawsTheImageOfItsState) {
    auto button = MakeButton("ok", QxPoint{100, 100});
    button->Draw();
    EXPECT_TRUE(Is(120, 110, kBlue));
    EXPECT_TRUE(Is(100, 100, kBlue));

    SetMouse(120, 110);
    button->Update(16);
    EXPECT_TRUE(button->IsHovering());
    button->Draw();
    EXPECT_TRUE(Is(120, 110, kBlue));
    EXPECT_TRUE(Is(100, 100, kYellow)); // the highlight frame on top

    SetMouse(120, 110, true);
    button->Update(16);
    button->Draw();
    EXPECT_TRUE(Is(120, 110, kRed));
    EXPECT_TRUE(Is(100, 100, kYellow));

    // Held down from code, it shows pressed without the mouse.
    SetMouse(300, 300);
    button->Update(16);
    std::int32_t forced = 0;
    EXPECT_TRUE(button->SetInt(kPropForcedDown, 1) && button->GetInt(kPropForcedDown, forced));
    EXPECT_EQ(forced, 1);
    EXPECT_FALSE(button->GetInt(1, forced));
    button->Draw();
    EXPECT_TRUE(Is(100, 100, kRed));
    button->SetDisabled(true);
    button->Draw();
    EXPECT_TRUE(Is(100, 100, kBlue)) << "disabled, without a picture of its own";
}

// ---- toggles ---------------------------------------------------------------------

class ToggleTest : public WidgetTest {
protected:
    void SetUp() override {
        WidgetTest::SetUp();
        for (const char* sprite : {"btnmain", "btndown", "btnoff"}) {
            ASSERT_NE(Define(std::string("class button\ntype ") + sprite +
                             "\nMainImageEnt sprite, " + sprite + "\n"),
                      nullptr);
        }
        ASSERT_NE(Define("class togglebutton\ntype three\nNumStates 3\nButton1Ent button, btnmain\n"
                         "Button2Ent button, btndown\nButton3Ent button, btnoff\n"),
                  nullptr);
        toggle_ = CreateElement<QxEntity2DGUIToggleButton>("togglebutton", "three");
        ASSERT_NE(toggle_, nullptr);
        toggle_->SetPosition(QxPoint{50, 50});
        toggle_->Update(0);
    }

    std::unique_ptr<QxEntity2DGUIToggleButton> toggle_;
};

TEST_F(ToggleTest, ThreeClicksComeBackToTheFirstState) {
    ASSERT_EQ(toggle_->StateCount(), 3);
    for (int expected : {1, 2, 0}) {
        EXPECT_TRUE(toggle_->Click(QxPoint{60, 60}));
        toggle_->Update(16);
        EXPECT_EQ(toggle_->State(), expected);
    }
    EXPECT_FALSE(toggle_->Click(QxPoint{10, 10}));
    toggle_->SetDisabled(true);
    EXPECT_FALSE(toggle_->Click(QxPoint{60, 60}));
    EXPECT_EQ(toggle_->State(), 0);
}

// ---- counters --------------------------------------------------------------------

using CounterTest = WidgetTest;

TEST_F(CounterTest, DrawsEachDigitsFrameLeftToRightWithSpacing) {
    WriteImageList("digits.img", DigitFrames(6, 8));
    ASSERT_NE(Define("class Counter\ntype three\nimage digits.img\nnumdigits 3\nSpacing 2\n"),
              nullptr);
    auto counter = CreateElement<QxEntity2DGUICounter>("Counter", "three");
    ASSERT_NE(counter, nullptr);
    counter->SetPosition(QxPoint{10, 10});
    counter->SetBool(kPropCounterValue, 408);
    counter->Update(16);
    counter->Draw();
    EXPECT_TRUE(Is(10, 10, DigitColour(4)));
    EXPECT_TRUE(Is(15, 17, DigitColour(4)));
    EXPECT_EQ(Pixel(16, 10), 0); // the spacing
    EXPECT_TRUE(Is(18, 10, DigitColour(0)));
    EXPECT_TRUE(Is(26, 10, DigitColour(8)));
    EXPECT_EQ(counter->GetRect().Width(), 3 * 6 + 2 * 2);
}

// ---- progress bars ---------------------------------------------------------------

using ProgressTest = WidgetTest;

// Half full: the left part, the right part when reversed, the bottom part when upright.
TEST_F(ProgressTest, HalfFullBarsDrawTheirPartOfThePicture) {
    WriteBitmap("bar.bmp", Solid(100, 10, kGreen));
    const struct {
        const char* keys;
        QxPoint filled;
        QxPoint empty;
    } bars[] = {{"", {59, 19}, {60, 10}},
                {"reverse 1\n", {60, 10}, {59, 19}},
                {"vertical 1\nreverse 1\n", {109, 15}, {10, 14}}};
    int n = 0;
    for (const auto& b : bars) {
        const std::string type = "bar" + std::to_string(++n);
        ASSERT_NE(Define("class progressbar\ntype " + type + "\nimage bar.bmp\n" + b.keys),
                  nullptr);
        auto bar = CreateElement<QxEntity2DGUIProgressBar>("progressbar", type);
        bar->SetPosition(QxPoint{10, 10});
        float value = 0.0f;
        EXPECT_TRUE(bar->SetFloat(kPropProgressValue, 0.5f) &&
                    bar->GetFloat(kPropProgressValue, value));
        EXPECT_EQ(value, 0.5f);
        bar->Update(16);
        ClearScreen();
        bar->Draw();
        EXPECT_TRUE(Is(b.filled.x, b.filled.y, kGreen)) << b.keys;
        EXPECT_EQ(Pixel(b.empty.x, b.empty.y), 0) << b.keys;
    }
}
