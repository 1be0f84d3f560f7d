#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "engine/files/QxImageListFile.h"
#include "engine/gui/QxEntity2DGUIButton.h"
#include "engine/gui/QxEntity2DGUICounter.h"
#include "engine/gui/QxEntity2DGUIProgressBar.h"
#include "engine/gui/QxEntity2DGUISprite.h"
#include "engine/gui/QxEntity2DGUIToggleButton.h"
#include "engine/sound/QxWin32SoundManager.h"
#include "engine/gui/GuiFixture.h"
#include "engine/gui/WidgetTestSupport.h"
#include "platform/headless/HeadlessSound.h"

using namespace widgettest;

namespace {

const QxColour kBlue(0, 0, 248);
const QxColour kRed(248, 0, 0);
const QxColour kYellow(248, 248, 0);
const QxColour kGrey(128, 128, 128);
const QxColour kGreen(0, 248, 0);

// Sounds are told apart by their length in bytes.
constexpr uint32_t kHoverBytes = 100;
constexpr uint32_t kPressBytes = 200;
constexpr uint32_t kClickBytes = 300;

class WidgetTest : public GuiFixture {
protected:
    void SetUp() override {
        GuiFixture::SetUp();
        WriteBitmap("main.bmp", Solid(40, 20, kBlue));
        WriteBitmap("down.bmp", Solid(40, 20, kRed));
        WriteBitmap("off.bmp", Solid(40, 20, kGrey));
        // The highlight is a frame around a transparent middle.
        WriteBitmap("high.bmp", FramedImage(40, 20, QxColour(0, 0, 0), kYellow));
        WriteFile("hover.wav", Wav(kHoverBytes));
        WriteFile("press.wav", Wav(kPressBytes));
        WriteFile("click.wav", Wav(kClickBytes));
        ASSERT_NE(Define("class sprite\ntype btnmain\nimage main.bmp\n"), nullptr);
        ASSERT_NE(Define("class sprite\ntype btndown\nimage down.bmp\n"), nullptr);
        ASSERT_NE(Define("class sprite\ntype btnhigh\nimage high.bmp\ntransparent 1\n"), nullptr);
        ASSERT_NE(Define("class sprite\ntype btnoff\nimage off.bmp\n"), nullptr);
        ASSERT_NE(Define(ButtonDefinition("ok", "")), nullptr);
        ClearScreen();
    }

    static std::string ButtonDefinition(const std::string& typeName, const std::string& extra) {
        return "class button\ntype " + typeName +
               "\nMainImageEnt sprite, btnmain\nDownImageEnt sprite, btndown\n"
               "HighlightImageEnt sprite, btnhigh\nDisabledImageEnt sprite, btnoff\n"
               "ContentSound hover.wav\nDownSound press.wav\nClickSound click.wav\n" +
               extra;
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

    // The lengths of the sounds played so far, in the order they were played. Every
    // play makes an instance; nothing ends them while the test runs no sound frames.
    static std::vector<uint32_t> Played() {
        auto* manager = static_cast<QxWin32SoundManager*>(g_soundManager);
        std::vector<uint32_t> sizes;
        for (uint32_t id = 0; sizes.size() < manager->InstanceCount() && id < 1000; ++id) {
            platform::SoundBuffer* buffer = manager->InstanceBuffer(id);
            platform::headless::SoundBufferState state;
            if (buffer && platform::headless::GetSoundBufferState(buffer, &state)) {
                EXPECT_TRUE(state.playing) << "an instance that was made but not started";
                sizes.push_back(state.size);
            }
        }
        return sizes;
    }

    // Writes an image list file.
    void WriteImageList(const std::string& name, const std::vector<QxImage>& frames) {
        WriteFile(name, "");
        QxFile* file = Files().Open(name, 2 | 4);
        ASSERT_NE(file, nullptr);
        const bool written = QxImageListFile::Write(*file, frames);
        Files().Close(file);
        ASSERT_TRUE(written);
    }

    bool Is(int x, int y, QxColour colour) const { return Pixel(x, y) == Rgb555(colour); }
    // Within one step of five bits in every channel (blending rounds down).
    bool Near(int x, int y, QxColour colour) const {
        const uint16_t p = Pixel(x, y);
        const uint16_t q = Rgb555(colour);
        for (int shift : {0, 5, 10}) {
            if (std::abs(((p >> shift) & 31) - ((q >> shift) & 31)) > 1) {
                return false;
            }
        }
        return true;
    }
};

using Sizes = std::vector<uint32_t>;

} // namespace

// ---- buttons ---------------------------------------------------------------------

TEST_F(WidgetTest, ButtonIsOfKindButtonAndReportsItsMainImageSize) {
    EXPECT_NE(Create("button", "ok", kKindButton), nullptr);
    auto button = MakeButton("ok", QxPoint{100, 100});
    int32_t value = 0;
    EXPECT_TRUE(button->GetInt(kPropImageWidth, value));
    EXPECT_EQ(value, 40);
    EXPECT_TRUE(button->GetInt(kPropImageHeight, value));
    EXPECT_EQ(value, 20);
    EXPECT_EQ(button->GetRect(), (QxRect{100, 140, 100, 120}));
    value = 5;
    EXPECT_FALSE(button->GetInt(4242, value));
    EXPECT_EQ(value, 5);
}

TEST_F(WidgetTest, HoverSoundPlaysOnceOnEnteringAndPressSoundOnceWhileHeld) {
    auto button = MakeButton("ok", QxPoint{100, 100});
    SetMouse(100, 110); // on the left edge: outside
    button->Update(16);
    EXPECT_TRUE(Played().empty());
    EXPECT_FALSE(button->IsHovering());

    SetMouse(101, 110);
    button->Update(16);
    EXPECT_TRUE(button->IsHovering());
    EXPECT_EQ(Played(), (Sizes{kHoverBytes}));
    button->Update(16);
    EXPECT_EQ(Played(), (Sizes{kHoverBytes}));

    SetMouse(120, 110, true);
    button->Update(16);
    button->Update(16);
    EXPECT_TRUE(button->IsDown());
    EXPECT_EQ(Played(), (Sizes{kHoverBytes, kPressBytes}));
    SetMouse(120, 110, false);
    button->Update(16);
    SetMouse(120, 110, true);
    button->Update(16);
    EXPECT_EQ(Played().size(), 2u); // one press sound per visit

    SetMouse(300, 300, true);
    button->Update(16);
    EXPECT_FALSE(button->IsHovering());
    EXPECT_FALSE(button->IsDown());
    SetMouse(120, 110, true);
    button->Update(16);
    EXPECT_EQ(Played(), (Sizes{kHoverBytes, kPressBytes, kHoverBytes, kPressBytes}));
}

TEST_F(WidgetTest, ClickIsTheButtonsOnlyStrictlyInsideAndWhileEnabled) {
    auto button = MakeButton("ok", QxPoint{100, 100});
    EXPECT_FALSE(button->Click(QxPoint{140, 110}));
    EXPECT_FALSE(button->Click(QxPoint{120, 100}));
    EXPECT_TRUE(Played().empty());
    EXPECT_TRUE(button->Click(QxPoint{139, 119}));
    EXPECT_EQ(Played(), (Sizes{kClickBytes}));
    EXPECT_TRUE(button->Contains(QxPoint{101, 101}));
    EXPECT_FALSE(button->Contains(QxPoint{100, 101}));

    button->SetDisabled(true);
    EXPECT_FALSE(button->Click(QxPoint{120, 110}));
    EXPECT_EQ(Played().size(), 1u);
}

TEST_F(WidgetTest, ButtonWithoutSoundsPlaysNothing) {
    ASSERT_NE(Define("class button\ntype quiet\nMainImageEnt sprite, btnmain\n"), nullptr);
    auto button = MakeButton("quiet", QxPoint{0, 0});
    SetMouse(10, 10, true);
    button->Update(16);
    EXPECT_TRUE(button->Click(QxPoint{10, 10}));
    EXPECT_TRUE(Played().empty());
}

TEST_F(WidgetTest, ButtonDrawsTheImageOfItsState) {
    auto button = MakeButton("ok", QxPoint{100, 100});
    button->Draw();
    EXPECT_TRUE(Is(120, 110, kBlue));
    EXPECT_TRUE(Is(100, 100, kBlue));

    SetMouse(120, 110);
    button->Update(16);
    button->Draw();
    EXPECT_TRUE(Is(120, 110, kBlue));
    EXPECT_TRUE(Is(100, 100, kYellow)); // the highlight frame on top

    SetMouse(120, 110, true);
    button->Update(16);
    button->Draw();
    EXPECT_TRUE(Is(120, 110, kRed));
    EXPECT_TRUE(Is(100, 100, kYellow));

    SetMouse(300, 300);
    button->Update(16);
    button->SetInt(kPropForcedDown, 1);
    EXPECT_TRUE(button->IsDown());
    int32_t forced = 0;
    EXPECT_TRUE(button->GetInt(kPropForcedDown, forced));
    EXPECT_EQ(forced, 1);
    button->Draw();
    EXPECT_TRUE(Is(120, 110, kRed));
    EXPECT_TRUE(Is(100, 100, kRed));

    button->SetInt(kPropForcedDown, 0);
    button->SetDisabled(true);
    button->Draw();
    EXPECT_TRUE(Is(120, 110, kGrey));

    button->SetVisible(false);
    ClearScreen();
    button->Draw();
    EXPECT_EQ(Pixel(120, 110), 0);
}

TEST_F(WidgetTest, HighlightCanReplaceTheMainImage) {
    WriteBitmap("solidhigh.bmp", Solid(40, 20, kYellow));
    ASSERT_NE(Define("class sprite\ntype solidhigh\nimage solidhigh.bmp\n"), nullptr);
    ASSERT_NE(Define("class button\ntype swap\nMainImageEnt sprite, btnmain\n"
                     "HighlightImageEnt sprite, solidhigh\nHighlightAsFrame 0\n"),
              nullptr);
    auto button = MakeButton("swap", QxPoint{0, 0});
    SetMouse(20, 10);
    button->Update(16);
    button->Draw();
    EXPECT_TRUE(Is(20, 10, kYellow));
}

TEST_F(WidgetTest, ButtonMovedFromUnderAHeldMouseLetsGoAndPressesAgainOnReturn) {
    auto button = MakeButton("ok", QxPoint{100, 100});
    SetMouse(120, 110, true);
    button->Update(16);
    EXPECT_TRUE(button->IsDown());
    button->SetPosition(QxPoint{300, 300});
    button->Update(16);
    EXPECT_FALSE(button->IsDown());
    button->Draw();
    EXPECT_TRUE(Is(320, 310, kBlue));
    button->SetPosition(QxPoint{100, 100});
    button->Update(16);
    EXPECT_EQ(Played(), (Sizes{kHoverBytes, kPressBytes, kHoverBytes, kPressBytes}));
}

TEST_F(WidgetTest, TwoButtonsOfOneTypeKeepTheirOwnPlaces) {
    auto left = MakeButton("ok", QxPoint{0, 0});
    auto right = MakeButton("ok", QxPoint{200, 0});
    left->Update(16);
    right->Update(16);
    EXPECT_TRUE(left->Click(QxPoint{20, 10}));
    EXPECT_FALSE(left->Click(QxPoint{220, 10}));
    EXPECT_TRUE(right->Click(QxPoint{220, 10}));
    left->Draw();
    right->Draw();
    EXPECT_TRUE(Is(20, 10, kBlue));
    EXPECT_TRUE(Is(220, 10, kBlue));
}

// ---- toggles ---------------------------------------------------------------------

class ToggleTest : public WidgetTest {
protected:
    void SetUp() override {
        WidgetTest::SetUp();
        const QxColour colours[] = {kRed, kGreen, kBlue};
        for (int i = 0; i < 3; ++i) {
            const std::string n = std::to_string(i + 1);
            WriteBitmap("state" + n + ".bmp", Solid(30, 30, colours[i]));
            ASSERT_NE(Define("class sprite\ntype state" + n + "\nimage state" + n + ".bmp\n"),
                      nullptr);
            ASSERT_NE(Define("class button\ntype state" + n + "\nMainImageEnt sprite, state" + n +
                             "\nClickSound click.wav\n"),
                      nullptr);
        }
        ASSERT_NE(Define("class togglebutton\ntype three\nNumStates 3\nButton1Ent button, state1\n"
                         "Button2Ent button, state2\nButton3Ent button, state3\n"),
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
    EXPECT_EQ(Played().size(), 3u);
    EXPECT_FALSE(toggle_->Click(QxPoint{10, 10}));
    EXPECT_EQ(toggle_->State(), 0);
}

TEST_F(ToggleTest, SettingTheStateClampsToTheLastState) {
    EXPECT_TRUE(toggle_->SetBool(kPropToggleState, 5));
    int32_t state = -1;
    EXPECT_TRUE(toggle_->GetBool(kPropToggleState, state));
    EXPECT_EQ(state, 2);
    toggle_->SetBool(kPropToggleState, -3);
    EXPECT_EQ(toggle_->State(), 0);
}

TEST_F(ToggleTest, DrawsTheCurrentStatesButtonAtTheTogglesPlace) {
    toggle_->Draw();
    EXPECT_TRUE(Is(60, 60, kRed));
    toggle_->SetBool(kPropToggleState, 1);
    toggle_->SetPosition(QxPoint{100, 50});
    toggle_->Update(16);
    toggle_->Draw();
    EXPECT_TRUE(Is(110, 60, kGreen));
    EXPECT_TRUE(toggle_->Click(QxPoint{110, 60}));
    EXPECT_EQ(toggle_->State(), 2);
}

TEST_F(ToggleTest, DisablingTheToggleDisablesEveryState) {
    toggle_->SetDisabled(true);
    EXPECT_FALSE(toggle_->Click(QxPoint{60, 60}));
    toggle_->SetBool(kPropToggleState, 2);
    EXPECT_FALSE(toggle_->Click(QxPoint{60, 60}));
    toggle_->SetDisabled(false);
    EXPECT_TRUE(toggle_->Click(QxPoint{60, 60}));
    EXPECT_EQ(toggle_->State(), 0);
}

TEST_F(ToggleTest, StateCountIsClampedAndEmptyTogglesStayQuiet) {
    ASSERT_NE(Define("class togglebutton\ntype many\nNumStates 40\nButton9Ent button, state1\n"),
              nullptr);
    auto many = CreateElement<QxEntity2DGUIToggleButton>("togglebutton", "many");
    EXPECT_EQ(many->StateCount(), 8);
    ASSERT_NE(Define("class togglebutton\ntype none\nNumStates -2\n"), nullptr);
    auto none = CreateElement<QxEntity2DGUIToggleButton>("togglebutton", "none");
    EXPECT_EQ(none->StateCount(), 0);
    none->Update(16);
    EXPECT_TRUE(none->Draw());
    EXPECT_FALSE(none->Click(QxPoint{0, 0}));
    none->SetBool(kPropToggleState, 3);
    EXPECT_EQ(none->State(), 0);
    // A state whose button reference names no button type stays empty.
    ASSERT_NE(Define("class togglebutton\ntype broken\nNumStates 2\nButton1Ent sprite, state1\n"
                     "Button2Ent button, state2\n"),
              nullptr);
    auto broken = CreateElement<QxEntity2DGUIToggleButton>("togglebutton", "broken");
    broken->SetPosition(QxPoint{0, 0});
    broken->Update(16);
    EXPECT_FALSE(broken->Click(QxPoint{5, 5}));
}

// ---- counters --------------------------------------------------------------------

class CounterTest : public WidgetTest {
protected:
    void SetUp() override {
        WidgetTest::SetUp();
        WriteImageList("digits.img", DigitFrames(6, 8, false));
    }

    std::unique_ptr<QxEntity2DGUICounter> MakeCounter(const std::string& keys) {
        static int serial = 0;
        const std::string name = "counter" + std::to_string(++serial);
        EXPECT_NE(Define("class Counter\ntype " + name + "\nimage digits.img\n" + keys), nullptr);
        auto counter = CreateElement<QxEntity2DGUICounter>("Counter", name);
        EXPECT_NE(counter, nullptr);
        return counter;
    }

    static std::vector<uint8_t> Shown(const QxEntity2DGUICounter& counter) {
        // Most significant first, as drawn.
        return std::vector<uint8_t>(counter.Digits().rbegin(), counter.Digits().rend());
    }
};

TEST_F(CounterTest, ShowsTheLowDigitsWithLeadingZeros) {
    auto counter = MakeCounter("numdigits 4\n");
    counter->SetBool(kPropCounterValue, 12345);
    counter->Update(16);
    EXPECT_EQ(Shown(*counter), (std::vector<uint8_t>{2, 3, 4, 5}));
    counter->SetBool(kPropCounterValue, 7);
    counter->Update(16);
    EXPECT_EQ(Shown(*counter), (std::vector<uint8_t>{0, 0, 0, 7}));
    counter->SetBool(kPropCounterValue, -1); // the value is unsigned
    counter->Update(16);
    EXPECT_EQ(counter->Value(), 4294967295u);
    EXPECT_EQ(Shown(*counter), (std::vector<uint8_t>{7, 2, 9, 5}));
}

TEST_F(CounterTest, DrawsEachDigitsFrameLeftToRightWithSpacing) {
    auto counter = MakeCounter("numdigits 3\nSpacing 2\n");
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

TEST_F(CounterTest, LostDigitsAreReloadedAndDrawn) {
    auto counter = MakeCounter("numdigits 2\n");
    counter->SetBool(kPropCounterValue, 35);
    counter->Update(16);
    counter->Draw();
    Screen().FreeAllSurfaces();
    ClearScreen();
    counter->Draw();
    EXPECT_TRUE(Is(0, 0, DigitColour(3)));
    EXPECT_TRUE(Is(6, 0, DigitColour(5)));
}

TEST_F(CounterTest, AlphaMasksPickTheMaskOfTheDigit) {
    std::vector<QxImage> masks;
    for (int d = 0; d < 10; ++d) {
        QxImage mask;
        mask.Create(6, 8, 8);
        mask.name = "mask" + std::to_string(d);
        for (int i = 0; i < QxImage::kPaletteSize; ++i) {
            const auto v = static_cast<uint8_t>(i);
            mask.palette[static_cast<size_t>(i)] = QxColour(v, v, v);
        }
        std::fill(mask.pixels.begin(), mask.pixels.end(), d == 0 ? 0 : 255);
        masks.push_back(std::move(mask));
    }
    WriteImageList("digitmasks.img", masks);
    auto counter = MakeCounter("numdigits 2\nAlphaImage digitmasks.img\n");
    counter->SetBool(kPropCounterValue, 1);
    counter->Update(16);
    counter->Draw();
    EXPECT_EQ(Pixel(2, 2), 0); // the zero's mask is fully transparent
    EXPECT_TRUE(Near(8, 2, DigitColour(1)));
}

TEST_F(CounterTest, DigitCountIsKeptWithinWhatTheArithmeticHolds) {
    auto counter = MakeCounter("numdigits 1000000000\n");
    counter->SetBool(kPropCounterValue, static_cast<int32_t>(4000000000u));
    counter->Update(16);
    EXPECT_EQ(counter->Digits().size(), 19u);
    EXPECT_EQ(Shown(*counter).back(), 0);
    EXPECT_EQ(Shown(*counter)[9], 4);
    auto none = MakeCounter("numdigits -3\n");
    none->Update(16);
    EXPECT_TRUE(none->Draw());
}

TEST_F(CounterTest, MissingImageListDrawsNothing) {
    ASSERT_NE(Define("class Counter\ntype lost\nimage nothere.img\nnumdigits 2\n"), nullptr);
    auto counter = CreateElement<QxEntity2DGUICounter>("Counter", "lost");
    counter->SetBool(kPropCounterValue, 42);
    counter->Update(16);
    EXPECT_TRUE(counter->Draw());
    EXPECT_EQ(Pixel(1, 1), 0);
}

// ---- progress bars ---------------------------------------------------------------

class ProgressTest : public WidgetTest {
protected:
    std::unique_ptr<QxEntity2DGUIProgressBar> MakeBar(const std::string& name, int width,
                                                      int height, const std::string& keys) {
        WriteBitmap(name + ".bmp", Solid(width, height, kGreen));
        EXPECT_NE(Define("class progressbar\ntype " + name + "\nimage " + name + ".bmp\n" + keys),
                  nullptr);
        auto bar = CreateElement<QxEntity2DGUIProgressBar>("progressbar", name);
        EXPECT_NE(bar, nullptr);
        return bar;
    }
};

TEST_F(ProgressTest, ValueIsClampedWhenSet) {
    auto bar = MakeBar("bar", 100, 10, "");
    float value = -1;
    EXPECT_TRUE(bar->GetFloat(kPropProgressValue, value));
    EXPECT_FLOAT_EQ(value, 0.75f);
    bar->SetFloat(kPropProgressValue, 1.5f);
    EXPECT_FLOAT_EQ(bar->Value(), 1.0f);
    bar->SetFloat(kPropProgressValue, -0.2f);
    EXPECT_FLOAT_EQ(bar->Value(), 0.0f);
    bar->SetFloat(kPropProgressValue, std::numeric_limits<float>::quiet_NaN());
    EXPECT_FLOAT_EQ(bar->Value(), 0.0f);
    bar->SetFloat(kPropProgressValue, 0.333f);
    bar->Update(16);
    EXPECT_EQ(bar->ShownWidth(), 33);
    EXPECT_EQ(bar->ShownHeight(), 10);
}

TEST_F(ProgressTest, HorizontalBarDrawsItsLeftPart) {
    auto bar = MakeBar("bar", 100, 10, "");
    bar->SetPosition(QxPoint{10, 10});
    bar->Update(16);
    bar->Draw();
    EXPECT_TRUE(Is(10, 10, kGreen));
    EXPECT_TRUE(Is(84, 19, kGreen));
    EXPECT_EQ(Pixel(85, 10), 0);
}

TEST_F(ProgressTest, ReversedBarFillsFromTheFarSide) {
    auto bar = MakeBar("rbar", 100, 10, "reverse 1\n");
    bar->SetFloat(kPropProgressValue, 0.25f);
    bar->Update(16);
    bar->Draw();
    EXPECT_EQ(Pixel(74, 5), 0);
    EXPECT_TRUE(Is(75, 5, kGreen));
    EXPECT_TRUE(Is(99, 5, kGreen));
}

TEST_F(ProgressTest, VerticalBarsUseTheHeight) {
    auto bar = MakeBar("vbar", 10, 100, "vertical 1\n");
    bar->SetFloat(kPropProgressValue, 0.5f);
    bar->Update(16);
    EXPECT_EQ(bar->ShownWidth(), 10);
    EXPECT_EQ(bar->ShownHeight(), 50);
    bar->Draw();
    EXPECT_TRUE(Is(5, 49, kGreen));
    EXPECT_EQ(Pixel(5, 50), 0);

    auto up = MakeBar("ubar", 10, 100, "vertical 1\nreverse 1\n");
    up->SetPosition(QxPoint{100, 0});
    up->SetFloat(kPropProgressValue, 0.5f);
    up->Update(16);
    up->Draw();
    EXPECT_EQ(Pixel(105, 49), 0);
    EXPECT_TRUE(Is(105, 50, kGreen));
    EXPECT_TRUE(Is(105, 99, kGreen));
}

TEST_F(ProgressTest, EmptyBarDrawsNothing) {
    auto bar = MakeBar("bar", 100, 10, "");
    bar->SetFloat(kPropProgressValue, 0.0f);
    bar->Update(16);
    bar->Draw();
    EXPECT_EQ(Pixel(0, 0), 0);
}
