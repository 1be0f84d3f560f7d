#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/files/QxImageListFile.h"
#include "engine/gui/QxEntity2DGUIButton.h"
#include "engine/gui/QxEntity2DGUICounter.h"
#include "engine/gui/QxEntity2DGUIFPSText.h"
#include "engine/gui/QxEntity2DGUIFont.h"
#include "engine/gui/QxEntity2DGUIProgressBar.h"
#include "engine/gui/QxEntity2DGUIText.h"
#include "engine/gui/QxEntity2DGUIToggleButton.h"
#include "engine/gui/QxEntity2DScene.h"
#include "engine/sound/QxWin32SoundManager.h"
#include "engine/gui/GuiFixture.h"
#include "engine/gui/WidgetTestSupport.h"

using namespace widgettest;

namespace {

// A scene of every widget, read from definition text, on pictures and sounds that the
// test makes: the way a game screen is put together from its data.
class WidgetSceneTest : public GuiFixture {
protected:
    void SetUp() override {
        GuiFixture::SetUp();
        WriteBitmap("font.bmp", GlyphSheet(LegibleChars(), false, QxColour(240, 240, 240)));
        WriteBitmap("gold.bmp", GlyphSheet(LegibleChars(), false, QxColour(248, 200, 40)));
        WriteBitmap("panel.bmp",
                    FramedImage(600, 440, QxColour(16, 24, 64), QxColour(96, 112, 200)));
        WriteBitmap("main.bmp",
                    FramedImage(64, 24, QxColour(40, 72, 160), QxColour(200, 216, 248)));
        WriteBitmap("down.bmp", FramedImage(64, 24, QxColour(24, 40, 96), QxColour(96, 112, 160)));
        WriteBitmap("high.bmp", FramedImage(64, 24, QxColour(0, 0, 0), QxColour(248, 200, 0)));
        WriteBitmap("on.bmp", FramedImage(40, 24, QxColour(32, 160, 64), QxColour(160, 248, 176)));
        WriteBitmap("off.bmp", FramedImage(40, 24, QxColour(160, 40, 40), QxColour(248, 160, 160)));
        WriteBitmap("bar.bmp",
                    FramedImage(200, 12, QxColour(64, 200, 96), QxColour(200, 248, 208)));
        WriteBitmap("vbar.bmp",
                    FramedImage(12, 80, QxColour(224, 128, 32), QxColour(248, 216, 160)));
        WriteDigits("digits.img");
        WriteFile("hover.wav", Wav(100));
        WriteFile("press.wav", Wav(200));
        WriteFile("click.wav", Wav(300));

        const std::string chars = "chars \"" + LegibleChars() + "\"\ncharwidth 8\ncharheight 10\n";
        const char* definitions[] = {
            "class font\ntype small\nimage font.bmp\ntransparent 1\nnolowercase 1\n",
            "class font\ntype gold\nimage gold.bmp\ntransparent 1\nnolowercase 1\n",
        };
        for (const char* font : definitions) {
            ASSERT_NE(Define(font + chars), nullptr);
        }
        const std::string types[] = {
            "class sprite\ntype panel\nimage panel.bmp\n",
            "class sprite\ntype btnmain\nimage main.bmp\n",
            "class sprite\ntype btndown\nimage down.bmp\n",
            "class sprite\ntype btnhigh\nimage high.bmp\ntransparent 1\n",
            "class sprite\ntype on\nimage on.bmp\n",
            "class sprite\ntype off\nimage off.bmp\n",
            "class button\ntype ok\nMainImageEnt sprite, btnmain\nDownImageEnt sprite, btndown\n"
            "HighlightImageEnt sprite, btnhigh\nContentSound hover.wav\nDownSound press.wav\n"
            "ClickSound click.wav\ntooltip Leaves the scene\n",
            "class button\ntype on\nMainImageEnt sprite, on\nClickSound click.wav\n",
            "class button\ntype off\nMainImageEnt sprite, off\nClickSound click.wav\n",
            "class togglebutton\ntype onoff\nNumStates 2\nButton1Ent button, on\n"
            "Button2Ent button, off\n",
            "class Counter\ntype score\nimage digits.img\nnumdigits 6\nSpacing 2\n",
            "class progressbar\ntype bar\nimage bar.bmp\n",
            "class progressbar\ntype vbar\nimage vbar.bmp\nvertical 1\nreverse 1\n",
            "class text\ntype label\nFontEnt font, small\nDefaultText Score\n",
            "class text\ntype entry\nFontEnt font, small\nDefaultText 192.168\nIPAddress 1\n",
            "class text\ntype secret\nFontEnt font, small\nDefaultText hunter2\nPassword 1\n",
            "class text\ntype right\nFontEnt font, small\nDefaultText RIGHT\nDefaultJustify 2\n",
            "class text\ntype para\nFontEnt font, small\nWrapWidth 24\nDefaultText "
            "WORDS WRAP AFTER THE LAST SPACE THAT FITS IN TWENTY FOUR CHARACTERS\n",
            "class text\ntype tip\nFontEnt font, small\nWrapWidth 30\n",
            "class MultiText\ntype notice\nTitleFontEnt font, gold\nMainFontEnt font, small\n"
            "DefaultText Game over\\nYour score made the table\\nEnter your name\n",
            "class FPSText\ntype fps\nFontEnt font, small\nDefaultText %d FPS\n",
            "class 2DScene\ntype widgets\nToolTipTextEnt text, tip\nNumGUIElements 13\n"
            "GUIElement1Ent sprite, panel\nGUIElement1Pos 20, 20\n"
            "GUIElement2Ent button, ok\nGUIElement2Pos 40, 40\nGUIElement2Priority 10\n"
            "GUIElement3Ent togglebutton, onoff\nGUIElement3Pos 120, 40\nGUIElement3Priority 10\n"
            "GUIElement4Ent Counter, score\nGUIElement4Pos 40, 100\nGUIElement4Priority 10\n"
            "GUIElement5Ent progressbar, bar\nGUIElement5Pos 40, 140\nGUIElement5Priority 10\n"
            "GUIElement6Ent progressbar, vbar\nGUIElement6Pos 560, 60\nGUIElement6Priority 10\n"
            "GUIElement7Ent text, label\nGUIElement7Pos 200, 100\nGUIElement7Priority 10\n"
            "GUIElement8Ent text, entry\nGUIElement8Pos 40, 180\nGUIElement8Priority 10\n"
            "GUIElement9Ent text, secret\nGUIElement9Pos 40, 200\nGUIElement9Priority 10\n"
            "GUIElement10Ent text, right\nGUIElement10Pos 600, 180\nGUIElement10Priority 10\n"
            "GUIElement11Ent text, para\nGUIElement11Pos 40, 240\nGUIElement11Priority 10\n"
            "GUIElement12Ent MultiText, notice\nGUIElement12Pos 400, 300\nGUIElement12Priority 10\n"
            "GUIElement13Ent FPSText, fps\nGUIElement13Pos 600, 440\nGUIElement13Priority 10\n",
        };
        for (const std::string& type : types) {
            ASSERT_NE(Define(type), nullptr) << type;
        }
        scene_ = Create<QxEntity2DScene>("2DScene", "widgets", kKindScene);
        ASSERT_NE(scene_, nullptr);
        scene_->Update(0);
    }

    void TearDown() override {
        scene_.reset();
        GuiFixture::TearDown();
    }

    void WriteDigits(const std::string& name) {
        WriteFile(name, "");
        QxFile* file = Files().Open(name, 2 | 4);
        ASSERT_NE(file, nullptr);
        const bool written = QxImageListFile::Write(*file, DigitFrames(10, 14, true));
        Files().Close(file);
        ASSERT_TRUE(written);
    }

    template <typename T> T* Element(const std::string& typeName) {
        for (auto& record : scene_->SceneType()->Elements()) {
            if (record.reference.typeName == typeName) {
                return dynamic_cast<T*>(record.element.get());
            }
        }
        return nullptr;
    }

    // One frame as the game object runs it.
    void Frame(float ms) {
        scene_->Update(ms);
        DirtyAll();
        scene_->Draw();
    }

    static size_t SoundsPlayed() {
        return static_cast<QxWin32SoundManager*>(g_soundManager)->InstanceCount();
    }

    std::unique_ptr<QxEntity2DScene> scene_;
};

} // namespace

TEST_F(WidgetSceneTest, EveryWidgetOfTheDefinitionIsMade) {
    EXPECT_NE(Element<QxEntity2DGUIButton>("ok"), nullptr);
    EXPECT_NE(Element<QxEntity2DGUIToggleButton>("onoff"), nullptr);
    EXPECT_NE(Element<QxEntity2DGUICounter>("score"), nullptr);
    EXPECT_NE(Element<QxEntity2DGUIProgressBar>("bar"), nullptr);
    EXPECT_NE(Element<QxEntity2DGUIText>("entry"), nullptr);
    EXPECT_NE(Element<QxEntity2DGUIFPSText>("fps"), nullptr);
    EXPECT_NE(dynamic_cast<QxEntity2DGUIText*>(scene_->SceneType()->TooltipTextElement()), nullptr);
}

TEST_F(WidgetSceneTest, MouseOverTheButtonPlaysItsSoundsThroughTheScenesUpdate) {
    SetMouse(10, 10);
    Frame(16);
    EXPECT_EQ(SoundsPlayed(), 0u);
    SetMouse(60, 50);
    Frame(16);
    Frame(16);
    EXPECT_EQ(SoundsPlayed(), 1u);
    SetMouse(60, 50, true);
    Frame(16);
    EXPECT_EQ(SoundsPlayed(), 2u);
    SetMouse(60, 50, false);
    // What a game scene's mouse-up does: ask its elements whose click it was.
    EXPECT_TRUE(Element<QxEntity2DGUIButton>("ok")->Click(QxPoint{60, 50}));
    EXPECT_EQ(SoundsPlayed(), 3u);
}

TEST_F(WidgetSceneTest, ToggleClicksCycleThroughTheScene) {
    auto* toggle = Element<QxEntity2DGUIToggleButton>("onoff");
    ASSERT_NE(toggle, nullptr);
    Frame(16);
    EXPECT_TRUE(toggle->Click(QxPoint{130, 50}));
    Frame(16);
    EXPECT_EQ(toggle->State(), 1);
    EXPECT_TRUE(toggle->Click(QxPoint{130, 50}));
    EXPECT_EQ(toggle->State(), 0);
}

TEST_F(WidgetSceneTest, KeysEditTheEntryAndTheRulesHold) {
    auto* entry = Element<QxEntity2DGUIText>("entry");
    ASSERT_NE(entry, nullptr);
    entry->SetBool(kPropEditing, 1);
    for (int code : {'.', '1', '.', '.', '7', '8', '9', '0', 'x'}) {
        entry->HandleKey(code);
        Frame(16);
    }
    EXPECT_EQ(entry->Text(), "192.168.1.789");
    entry->HandleKey(8);
    entry->HandleKey(259);
    entry->HandleKey(259);
    entry->HandleKey('5');
    EXPECT_EQ(entry->Text(), "192.168.1.578");
    EXPECT_EQ(entry->Cursor(), 11u);
    EXPECT_FALSE(entry->HandleKey('6')); // the group has three digits now
}

TEST_F(WidgetSceneTest, HoveringTheButtonShowsItsTooltipThroughTheTextElement) {
    QxEntity2DGUIElement::SetTooltipScene(scene_.get());
    SetMouse(60, 50);
    for (int i = 0; i < 40; ++i) {
        Frame(20);
    }
    const auto* tooltip = scene_->CurrentTooltip();
    ASSERT_NE(tooltip, nullptr);
    EXPECT_EQ(tooltip->text, "Leaves the scene");
    auto* tip = dynamic_cast<QxEntity2DGUIText*>(scene_->SceneType()->TooltipTextElement());
    ASSERT_NE(tip, nullptr);
    int32_t width = 0;
    EXPECT_TRUE(tip->GetBool(kPropTextWidth, width));
    EXPECT_EQ(width, 16 * 8);
}

TEST_F(WidgetSceneTest, RendersEveryWidget) {
    Element<QxEntity2DGUICounter>("score")->SetBool(kPropCounterValue, 4096);
    Element<QxEntity2DGUIProgressBar>("bar")->SetFloat(kPropProgressValue, 0.6f);
    Element<QxEntity2DGUIProgressBar>("vbar")->SetFloat(kPropProgressValue, 0.4f);
    auto* entry = Element<QxEntity2DGUIText>("entry");
    entry->SetBool(kPropEditing, 1);
    entry->HandleKey(259);
    Element<QxEntity2DGUIToggleButton>("onoff")->SetBool(kPropToggleState, 1);
    QxEntity2DGUIFPSText::SetShowFrameRate(true);
    QxEntity2DGUIElement::SetTooltipScene(scene_.get());
    SetMouse(60, 50);
    for (int i = 0; i < 40; ++i) {
        Frame(20);
    }
    QxEntity2DGUIFPSText::SetShowFrameRate(false);
    ClearScreen();
    scene_->Draw();
    const std::string png = SaveScreenPng("widgets.png");
    EXPECT_FALSE(png.empty());
    // A few landmarks: the counter's first digit, the bar's fill and the caret line.
    EXPECT_NE(Pixel(42, 100), Rgb555(QxColour(16, 24, 64)));
    EXPECT_NE(Pixel(150, 145), Rgb555(QxColour(16, 24, 64)));
}
