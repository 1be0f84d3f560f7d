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
    // The close box is a raised button with a dark cross through its middle.
    auto* frame = dynamic_cast<QxEntityVectorFrame*>(box->Frame());
    ASSERT_NE(frame, nullptr);
    const QxRect close = frame->CloseBox();
    EXPECT_EQ(Pixel(close.left, close.top), Rgb555(kHighlight));
    EXPECT_EQ(Pixel(Centre(close).x, Centre(close).y), Rgb555(kShadow));
    EXPECT_EQ(Pixel(close.left + 1, close.bottom - 2), Rgb555(kFace));
}
