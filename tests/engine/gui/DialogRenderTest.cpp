// Draws dialogs and the high-score scene into the headless screen, checks a few
// pixels of the vector frame and writes PNG files to look at (their paths are
// printed).
#include "engine/gui/DialogFixture.h"

#include <cstdio>
#include <string>

#include "app/GameSettings.h"
#include "engine/gui/PyxHighScore.h"
#include "engine/gui/QxEntityDialogScene.h"
#include "engine/gui/QxEntityHighScoreScene.h"
#include "engine/gui/QxEntityMessageBox.h"
#include "engine/gui/QxEntityVectorFrame.h"
#include "engine/gui/QxHighScoreTable.h"

namespace {

const QxColour kFace(70, 86, 140);
const QxColour kHighlight(176, 192, 240);
const QxColour kShadow(16, 20, 44);

class RowsMenu : public QxEntityHighScoreScene {
public:
    using QxEntityHighScoreScene::QxEntityHighScoreScene;
    bool Update(float ms) override {
        const bool result = QxEntityHighScoreScene::Update(ms);
        if (!IsModal()) {
            ShowTableRows();
        }
        return result;
    }
    void ShowRows() { ShowTableRows(); }
};

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

    std::printf("%s\n", SaveScreenPng("messagebox.png").c_str());
    std::printf("%s\n", SaveZoomedPng("messagebox-zoom.png",
                                      QxRect{r.left - 4, r.right + 4, r.top - 4, r.bottom + 4}, 3)
                            .c_str());
}

TEST_F(DialogRender, HighScoreSceneWithTheNameDialog) {
    g_highScoreTable.Clear();
    const char* names[] = {"Rond", "Marguerite", "Tom", "Ina", "Basil", "Eve", "Olaf", "Wu", "Sam"};
    for (int i = 0; i < 9; ++i) {
        g_highScoreTable.Insert(
            PyxHighScore(names[i], static_cast<std::uint32_t>(9000 - 850 * i), 1), false);
    }
    g_lastHighscoreName = "Ann";
    g_pendingHighScore = std::make_unique<PyxHighScore>("Ann", 6200, 14);
    g_highScoreMessage1 = "Congratulations! You scored 6200 points!";
    auto* type = dynamic_cast<QxEntityHighScoreSceneType*>(
        Registry().FindType("QxHighScoreScene", "scores"));
    ASSERT_NE(type, nullptr);
    {
        RowsMenu menu(type);
        menu.ShowRows();
        menu.Update(16.0f);
        ASSERT_EQ(menu.DialogCount(), 1u);
        ClearScreen();
        menu.Draw();
        const auto* dialog = dynamic_cast<const QxEntityDialogScene*>(menu.Dialog(0));
        ASSERT_NE(dialog, nullptr);
        const QxRect r = dialog->GetRect();
        EXPECT_EQ(Pixel(r.left + 4, r.bottom - 6), Rgb555(kFace));
        // The arrow marks the fifth row, where 6200 went.
        EXPECT_EQ(menu.NewIndex(), 4);
        EXPECT_EQ(Pixel(34, 227 + 15 * 4 + 3), Rgb555(QxColour(255, 220, 90)));
        std::printf("%s\n", SaveScreenPng("highscores-name.png").c_str());

        menu.OnKey('Z');
        menu.OnKey('o');
        menu.OnKey(kKeyEnter);
        menu.Update(16.0f);
        ClearScreen();
        menu.Draw();
        EXPECT_EQ(g_highScoreTable.Entry(4)->name, "Zo");
        std::printf("%s\n", SaveScreenPng("highscores-done.png").c_str());
    }
    g_highScoreTable.Clear();
    g_lastHighscoreName.clear();
}
