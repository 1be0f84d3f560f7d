// A scene drawn as the game draws it, with a real font and text element showing a
// tooltip over a sprite, written to a PNG file.

#include <string>

#include <gtest/gtest.h>

#include "engine/gui/GuiFixture.h"
#include "engine/gui/WidgetTestSupport.h"
#include "engine/gui/QxEntity2DScene.h"

namespace {

const QxColour kInk(255, 255, 255);

class SceneRenderTest : public GuiFixture {
protected:
    void SetUp() override {
        GuiFixture::SetUp();
        const std::string chars = widgettest::LegibleChars();
        WriteBitmap("letters.bmp", widgettest::GlyphSheet(chars, false, kInk));
        WriteBitmap("sky.bmp", SolidImage(640, 480, QxColour(30, 60, 40)));
        WriteBitmap("knob.bmp", widgettest::FramedImage(60, 40, QxColour(160, 60, 60), kInk));
        ASSERT_NE(Define("class font\ntype letters\nimage letters.bmp\ntransparent 1\nchars \"" +
                         chars + "\"\ncharwidth 8\ncharheight 10\nnolowercase 1\n"),
                  nullptr);
        // Only a wrapping text measures its width, so the tooltip text wraps.
        ASSERT_NE(Define("class text\ntype tiptext\nFontEnt font, letters\nWrapWidth 30\n"),
                  nullptr);
        ASSERT_NE(Define("class sprite\ntype sky\nimage sky.bmp\n"), nullptr);
        ASSERT_NE(Define("class sprite\ntype knob\nimage knob.bmp\ntooltip Turns the music on\n"),
                  nullptr);
        ASSERT_NE(Define("class 2DScene\ntype room\nToolTipTextEnt text, tiptext\n"
                         "NumGUIElements 2\n"
                         "GUIElement1Ent sprite, sky\n"
                         "GUIElement2Ent sprite, knob\nGUIElement2Pos 560, 420\n"
                         "GUIElement2Priority 5\n"),
                  nullptr);
        scene = Create<QxEntity2DScene>("2DScene", "room");
        ASSERT_NE(scene, nullptr);
        QxEntity2DGUIElement::SetTooltipScene(scene.get());
    }

    void Frame(float ms) {
        scene->Update(ms);
        scene->Draw();
    }

    std::unique_ptr<QxEntity2DScene> scene;
};

TEST_F(SceneRenderTest, TooltipOfASpriteIsDrawnInsideTheScreen) {
    ClearScreen();
    Frame(0.0f);
    SetMouse(600, 455);
    for (int i = 0; i < 60; ++i) {
        Frame(16.0f); // the sprite learns its size from its first draw
    }
    const QxEntity2DScene::TooltipState* tip = scene->CurrentTooltip();
    ASSERT_NE(tip, nullptr);
    EXPECT_FLOAT_EQ(tip->alpha, 255.0f);
    // "Turns the music on" in 8-pixel cells; the last line's trailing space not counted.
    const int width = 18 * 8;
    EXPECT_EQ(tip->box.right - tip->box.left, width + 4);
    EXPECT_EQ(tip->box.left, 640 - width) << "pushed left to fit the screen";
    // One wrapped line: (10 + 3) * 1 - 2 high, plus the 4 of the box.
    EXPECT_EQ(tip->box.bottom - tip->box.top, 15);
    EXPECT_EQ(tip->box.top, 480 - 11) << "pushed up to fit the screen";

    ClearScreen();
    scene->Draw();
    const std::string path = SaveScreenPng("tooltip.png");
    ASSERT_FALSE(path.empty());
    std::printf("rendered %s\n", path.c_str());
    // The box is filled at alpha 224 over the sky; the text's ink lies on top of it.
    EXPECT_EQ(Pixel(tip->box.left, tip->box.top),
              Blend555(QxColour(64, 96, 180), QxColour(30, 60, 40), 224));
    int ink = 0;
    for (int y = tip->box.top; y < tip->box.bottom; ++y) {
        for (int x = tip->box.left; x < tip->box.right; ++x) {
            ink += Pixel(x, y) == Rgb555(kInk) ? 1 : 0;
        }
    }
    EXPECT_GT(ink, 40);
}

} // namespace
