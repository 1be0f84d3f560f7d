#include "engine/gui/DialogFixture.h"

#include <string>
#include <vector>

#include "app/QxInputEvent.h"
#include "engine/gui/QxEntity2DGUIText.h"
#include "engine/gui/QxEntityDialogFrame.h"
#include "engine/gui/QxEntityDialogScene.h"
#include "engine/gui/QxEntityHighScoreInputScene.h"
#include "engine/gui/QxEntityMessageBox.h"
#include "engine/gui/QxEntityVectorFrame.h"

namespace {

// What the last close callback saw.
struct ClosedDialog {
    int calls = 0;
    int id = -1;
    int answer = -1;
    bool agree = true;
};

ClosedDialog g_closed;

bool RecordClose(QxEntity2DScene* /*target*/, QxEntity2DGUIElement* dialog) {
    const auto* hooks = dynamic_cast<const QxDialogInterface*>(dialog);
    ++g_closed.calls;
    g_closed.id = hooks ? hooks->DialogId() : -1;
    g_closed.answer = hooks ? hooks->Answer() : -1;
    return g_closed.agree;
}

} // namespace

class DialogTest : public DialogFixture {
protected:
    void SetUp() override {
        DialogFixture::SetUp();
        g_closed = ClosedDialog{};
        scene_ = MakeScene();
        ASSERT_NE(scene_, nullptr);
    }

    void TearDown() override {
        scene_.reset();
        DialogFixture::TearDown();
    }

    QxEntityMessageBox* OpenBox(std::uint32_t buttons, const std::string& text = "Sure?") {
        auto* box = dynamic_cast<QxEntityMessageBox*>(
            scene_->ShowMessageBox(text, 7, buttons, &RecordClose, nullptr));
        if (box != nullptr) {
            scene_->Update(16.0f);
        }
        return box;
    }

    // Runs frames until the closed dialogs are gone.
    void Settle() { scene_->Update(0.0f); }

    std::unique_ptr<QxEntity2DScene> scene_;
};

TEST_F(DialogTest, YesNoBoxAnswersEnterWithTheFocusedButtonAndEscapeWithNo) {
    // The focus starts on Yes, the default button.
    ASSERT_NE(OpenBox(kButtonYes | kButtonNo), nullptr);
    EXPECT_TRUE(scene_->OnKey(kKeyEnter));
    EXPECT_EQ(scene_->DialogCount(), 0u);
    EXPECT_EQ(g_closed.answer, kAnswerYes);
    EXPECT_EQ(g_closed.id, 7);
    OpenBox(kButtonYes | kButtonNo);
    EXPECT_TRUE(scene_->OnKey(kKeyEscape));
    EXPECT_EQ(g_closed.answer, kAnswerNo);

    // The arrows stop at the row's ends, Tab goes round, Space presses as Enter does,
    // and the buttons' letters answer.
    const struct {
        std::vector<int> keys;
        int answer;
    } presses[] = {{{int(QxKey::Right), int(QxKey::Right), kKeyEnter}, kAnswerNo},
                   {{'\t', '\t', ' '}, kAnswerYes},
                   {{'y'}, kAnswerYes},
                   {{'N'}, kAnswerNo}};
    for (const auto& press : presses) {
        OpenBox(kButtonYes | kButtonNo);
        for (int key : press.keys) {
            EXPECT_TRUE(scene_->OnKey(key));
        }
        EXPECT_EQ(g_closed.answer, press.answer) << press.keys.front();
    }
    EXPECT_EQ(g_closed.calls, 6);
}

TEST_F(DialogTest, ButtonsCloseWithTheirSlotNumber) {
    for (int slot = 1; slot <= 4; ++slot) {
        QxEntityMessageBox* box = OpenBox(kButtonOK | kButtonYes | kButtonNo | kButtonCancel);
        ASSERT_NE(box, nullptr);
        QxEntity2DGUIElement* button = box->Part(slot);
        ASSERT_NE(button, nullptr);
        EXPECT_TRUE(ClickAt(*scene_, Centre(button->GetRect())));
        EXPECT_EQ(scene_->DialogCount(), 0u) << slot;
        EXPECT_EQ(g_closed.answer, slot);
        Settle();
    }
}

TEST_F(DialogTest, MessageBoxSizesAroundItsTextAndCentresItself) {
    // Short of the 40 characters at which the message text wraps; every advance is 6.
    const std::string text = "A line of text that sets the width";
    QxEntityMessageBox* box = OpenBox(kButtonOK, text);
    ASSERT_NE(box, nullptr);
    const QxRect rect = box->GetRect();
    const std::int32_t textWidth = static_cast<std::int32_t>(text.size()) * kCellWidth;
    std::int32_t textHeight = 0;
    box->Part(QxEntityMessageBoxType::kSlotText)->GetBool(kPropTextHeight, textHeight);
    EXPECT_EQ(textHeight, 11);
    EXPECT_EQ(box->ButtonRow().height, kButtonHeight + 10);
    // Content plus the box's margins and the frame: 10 on either side, the title bar
    // and margins above and below.
    const std::int32_t sides = 2 * QxEntityMessageBox::kSideMargin + 20;
    EXPECT_EQ(rect.Width(), textWidth + sides);
    EXPECT_EQ(rect.Height(), textHeight + kButtonHeight + 10 + 14 + 20);

    // A text that wraps makes the box taller by a line, and no wider than its lines.
    QxEntityMessageBox* wrapped = OpenBox(kButtonOK, text + " " + text);
    ASSERT_NE(wrapped, nullptr);
    EXPECT_LE(wrapped->GetRect().Width(), 40 * kCellWidth + sides);
    EXPECT_EQ(wrapped->GetRect().Height(), rect.Height() + 13);
    EXPECT_EQ(rect.left, (640 - rect.Width()) >> 1);
    EXPECT_EQ(rect.top, (480 - rect.Height()) >> 1);
}

TEST_F(DialogTest, TitleBarDragsTheBoxWithinTheScreen) {
    QxEntityMessageBox* box = OpenBox(kButtonOK);
    ASSERT_NE(box, nullptr);
    const QxRect start = box->GetRect();
    const QxPoint grab{start.left + 20, start.top + 6};
    SetMouse(grab.x, grab.y, true);
    EXPECT_TRUE(scene_->OnMouseDown(grab, 1));
    EXPECT_TRUE(box->IsDragging());

    SetMouse(grab.x + 30, grab.y + 40, true);
    scene_->Update(16.0f);
    EXPECT_EQ(box->GetPosition(), (QxPoint{start.left + 30, start.top + 40}));
    // The frame and the parts move along.
    EXPECT_EQ(box->Frame()->GetPosition(), box->GetPosition());
    EXPECT_EQ(box->ContentOrigin().x, start.left + 30 + 10);

    // Dragged past a corner, the box stays whole on the screen.
    SetMouse(5000, 5000, true);
    scene_->Update(16.0f);
    EXPECT_EQ(box->GetRect().right, 640);
    EXPECT_EQ(box->GetRect().bottom, 480);
    SetMouse(-5000, -5000, true);
    scene_->Update(16.0f);
    EXPECT_EQ(box->GetPosition(), (QxPoint{0, 0}));

    SetMouse(-5000, -5000, false);
    EXPECT_TRUE(scene_->OnMouseUp(QxPoint{-5000, -5000}, 1));
    EXPECT_FALSE(box->IsDragging());
    SetMouse(100, 100, false);
    scene_->Update(16.0f);
    EXPECT_EQ(box->GetPosition(), (QxPoint{0, 0}));

    // A press in the content area does not drag.
    const QxPoint inside = Centre(box->GetRect());
    scene_->OnMouseDown(QxPoint{inside.x, box->GetRect().bottom - 4}, 1);
    EXPECT_FALSE(box->IsDragging());
    EXPECT_EQ(scene_->DialogCount(), 1u);
}

TEST_F(DialogTest, InputBoxShowsItsInstructionsAndTheEntry) {
    auto* box = dynamic_cast<QxEntityInputBox*>(
        scene_->ShowInputBox("Your name?", "Ann", 8, 3, &RecordClose, nullptr));
    ASSERT_NE(box, nullptr);
    std::string instructions, entry;
    ASSERT_NE(box->Part(QxEntityInputBoxType::kSlotInstructions), nullptr);
    box->Part(QxEntityInputBoxType::kSlotInstructions)->GetString(kPropTextGet, instructions);
    box->Part(QxEntityInputBoxType::kSlotInput)->GetString(kPropTextGet, entry);
    EXPECT_EQ(instructions, "Your name?");
    EXPECT_EQ(entry, "Ann");
    // Typing goes into the entry; Enter closes the box with it.
    scene_->OnKey('e');
    EXPECT_EQ(box->Entry(), "Anne");
    scene_->OnKey(kKeyEnter);
    Settle();
    EXPECT_EQ(g_closed.id, 3);
    EXPECT_EQ(g_closed.answer, kAnswerInputOK);

    // Its buttons answer as well, and Escape cancels.
    const struct {
        int slot;
        int answer;
    } answers[] = {{QxEntityInputBoxType::kSlotCancel, kAnswerCancel},
                   {QxEntityInputBoxType::kSlotOK, kAnswerInputOK},
                   {-1, kAnswerCancel}};
    for (const auto& a : answers) {
        g_closed.answer = -1;
        box = dynamic_cast<QxEntityInputBox*>(scene_->ShowInputBox("?", "", 8, 4, &RecordClose));
        scene_->Update(16.0f);
        EXPECT_TRUE(scene_->OnKeyUp('a') && ClickAt(*scene_, Centre(box->GetRect())));
        EXPECT_TRUE(a.slot < 0 ? scene_->OnKey(kKeyEscape)
                               : ClickAt(*scene_, Centre(box->Part(a.slot)->GetRect())));
        EXPECT_EQ(g_closed.answer, a.answer) << a.slot;
        Settle();
    }
}

// A timed box closes itself once its time is up.
TEST_F(DialogTest, ATimedBoxClosesItselfWhenItsTimeIsUp) {
    ASSERT_NE(scene_->ShowTimedMessageBox("Soon", 100, 9, kButtonOK, &RecordClose), nullptr);
    scene_->Update(60.0f);
    EXPECT_EQ(g_closed.calls, 0);
    scene_->Update(60.0f);
    Settle();
    EXPECT_EQ(g_closed.id, 9);
    EXPECT_EQ(scene_->DialogCount(), 0u);
}

// A tooltip shows after the mouse rests on its element, follows a new text, is pushed
// inside the screen, and fades out once the mouse leaves.
TEST_F(DialogTest, TooltipsShowOnRestingMouseAndFadeAway) {
    ASSERT_NE(Define("class 2DGUIElement\ntype tipA\ntooltip FIRST\ndither 1\n"), nullptr);
    ASSERT_NE(Define("class 2DGUIElement\ntype tipB\ntooltip SECOND\ntooltippos 630, 470\n"
                     "tooltiprelative 0\n"),
              nullptr);
    ASSERT_NE(
        Define("class 2DScene\ntype tips\nToolTipTextEnt text, message\n"
               "ToolTipBGCol 248, 0, 0, 255\nInputBoxEnt text, label\nCursorMoveTimeOut 50\n"
               "CursorEnt sprite, arrow\nNumGUIElements 1\nGUIElement1Ent 2DGUIElement, tipA\n"
               "GUIElement1Pos 100, 100\n"),
        nullptr);
    auto scene = Create<QxEntity2DScene>("2DScene", "tips", kKindScene);
    ASSERT_NE(scene, nullptr);
    scene->SceneType()->AddElement(QxEntityRef{"2DGUIElement", "tipB"}, QxPoint{600, 450}, 5000);
    scene->Update(0.0f);
    EXPECT_EQ(scene->ShowInputBox("?", "", 4, 1), nullptr) << "a text is no input box";
    EXPECT_TRUE(scene->ShowCursor(false));
    auto& records = scene->SceneType()->Elements();
    QxEntity2DGUIElement* a = records.front().element.get();
    QxEntity2DGUIElement* b = records.back().element.get();
    a->SetSize(50, 20);
    QxEntity2DGUIElement::SetTooltipScene(scene.get());
    auto* text = dynamic_cast<QxEntity2DGUIText*>(scene->SceneType()->TooltipTextElement());
    auto run = [&](int x, int y, int frames) {
        SetMouse(x, y);
        for (int i = 0; i < frames; ++i) {
            scene->Update(50.0f);
        }
        ClearScreen();
        scene->Draw();
    };
    run(110, 105, 10);
    EXPECT_EQ(Pixel(122, 129), 0) << "not before 500 ms";
    run(110, 105, 8);
    EXPECT_EQ(text->Text(), "FIRST");
    EXPECT_EQ(text->GetPosition(), (QxPoint{124, 131}));
    const int red = Pixel(122, 129) >> 10;
    EXPECT_TRUE(red > 0 && red < 31) << "the background is never opaque: " << red;

    a->SetString(kPropTooltipText, "AGAIN");
    std::string tip;
    EXPECT_TRUE(b->GetString(kPropTooltipText, tip));
    EXPECT_EQ(tip, "SECOND");
    run(110, 105, 1);
    EXPECT_EQ(text->Text(), "AGAIN");

    // Another owner takes over; asked for at the corner, its box is pushed inside.
    SetMouse(5, 5);
    scene->ShowTooltip(b, 630, 470, "SECOND");
    run(5, 5, 1);
    EXPECT_EQ(text->Text(), "SECOND");
    std::int32_t width = 0;
    text->GetBool(kPropTextWidth, width);
    EXPECT_EQ(text->GetPosition().x, 640 - width + 2);
    EXPECT_NE(Pixel(638, 478), 0);
    run(5, 5, 7);
    EXPECT_EQ(Pixel(638, 478), 0) << "gone 305 ms after the last refresh";
    QxEntity2DGUIElement::SetTooltipScene(nullptr);
}
