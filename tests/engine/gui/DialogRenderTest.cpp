// Draws a message box into the headless screen and checks pixels of its vector frame.
#include "engine/gui/DialogFixture.h"

#include <string>

#include "engine/gui/QxEntityMessageBox.h"
#include "engine/gui/QxEntityVectorFrame.h"

namespace {

const QxColour kFace(70, 86, 140);
const QxColour kHighlight(176, 192, 240);
const QxColour kShadow(16, 20, 44);

// The 5-bit red field of a packed pixel.
int Red(std::uint16_t pixel) {
    return (pixel >> 10) & 31;
}

} // namespace

class DialogRender : public DialogFixture {};

TEST_F(DialogRender, VectorFrameBevelTitleBarAndCloseBox) {
    auto scene = MakeScene();
    ASSERT_NE(scene, nullptr);
    auto* box = dynamic_cast<QxEntityMessageBox*>(scene->ShowMessageBox(
        "Game Over!\r\n\r\nClick OK to proceed to the high scores.", 2, kButtonOK | kButtonCancel));
    ASSERT_NE(box, nullptr);
    scene->Update(16.0f);
    ClearScreen();
    scene->Draw();

    const QxRect r = box->GetRect();
    EXPECT_EQ(Pixel(r.left, r.top), Rgb555(kHighlight));
    EXPECT_EQ(Pixel(r.right - 1, r.bottom - 1), Rgb555(kShadow));
    EXPECT_EQ(Pixel(r.left + 4, r.bottom - 6), Rgb555(kFace));
    // The title bar shades from dark on the left to light on the right.
    const int barY = r.top + 8;
    EXPECT_LT(Red(Pixel(r.left + 5, barY)), Red(Pixel(r.right - 40, barY)));
    // Its sunken edge's light side: 160/256 of the way from the face to the highlight.
    EXPECT_EQ(Pixel(r.left + 10, r.top + 14), Rgb555(QxColour(136, 152, 202)));
    // The close box is a raised button with a dark cross through its middle.
    auto* frame = dynamic_cast<QxEntityVectorFrame*>(box->Frame());
    ASSERT_NE(frame, nullptr);
    const QxRect close = frame->CloseBox();
    EXPECT_EQ(Pixel(close.left, close.top), Rgb555(kHighlight));
    EXPECT_EQ(Pixel(Centre(close).x, Centre(close).y), Rgb555(kShadow));
    EXPECT_EQ(Pixel(close.left + 1, close.bottom - 2), Rgb555(kFace));
}

// A painted panel is copied as it is where its mask is opaque all round, and blended by
// its mask elsewhere: its clear rim and a clear column inside the rim show what lies
// behind, its middle is the picture's own colour.
TEST_F(DialogRender, PanelCopiesItsOpaqueMiddleAndBlendsTheRest) {
    const QxColour green(40, 200, 80), red(248, 0, 0);
    WriteBitmap("panel.bmp", SolidImage(24, 24, green));
    QxImage mask;
    mask.Create(24, 24, 8);
    mask.palette[255] = QxColour(255, 255, 255);
    for (int y = 1; y < 23; ++y) {
        for (int x = 1; x < 22; ++x) {
            mask.pixels[static_cast<std::size_t>(y * 24 + x)] = 255;
        }
    }
    WriteBitmap("panel_a.bmp", mask);
    ASSERT_NE(Define("class QxVectorFrame\ntype panelframe\nPanelEnt @{\n class sprite\n"
                     " image panel.bmp\n alphaimage panel_a.bmp\n transparent 1\n}\n"),
              nullptr);
    auto frame = CreateElement<QxEntityVectorFrame>("QxVectorFrame", "panelframe");
    ASSERT_NE(frame, nullptr);
    frame->SetRect(100, 100, 60, 40);
    Screen().FillRect(QxRect{0, 640, 0, 480}, red);
    frame->Draw();
    EXPECT_EQ(Pixel(130, 120), Rgb555(green));
    EXPECT_EQ(Pixel(100, 100), Rgb555(red));
    EXPECT_EQ(Pixel(159, 139), Rgb555(red));
    EXPECT_EQ(Pixel(158, 120), Rgb555(red)) << "the clear column";
}
