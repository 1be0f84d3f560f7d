#include "engine/gui/DialogFixture.h"

#include <string>

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
    std::string entry;
    bool agree = true;
};

ClosedDialog g_closed;

bool RecordClose(QxEntity2DScene* /*target*/, QxEntity2DGUIElement* dialog) {
    const auto* hooks = dynamic_cast<const QxDialogInterface*>(dialog);
    ++g_closed.calls;
    g_closed.id = hooks ? hooks->DialogId() : -1;
    g_closed.answer = hooks ? hooks->Answer() : -1;
    if (const auto* input = dynamic_cast<const QxEntityInputBox*>(dialog)) {
        g_closed.entry = input->Entry();
    }
    return g_closed.agree;
}

std::string TextOf(QxEntity2DGUIElement* element) {
    std::string text;
    if (element != nullptr) {
        element->GetString(kPropTextGet, text);
    }
    return text;
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

TEST_F(DialogTest, ProgramRegistersTheDialogClassesButNoInputBox) {
    QxEntityRegistry registry;
    ASSERT_TRUE(RegisterEntityClasses(registry));
    for (const char* name : {"QxDialogBox", "QxMessageBox", "QxVectorFrame", "QxDialogScene",
                             "QxHighScoreInputScene"}) {
        EXPECT_NE(registry.FindPrototype(name), nullptr) << name;
    }
    EXPECT_EQ(registry.FindPrototype("QxInputBox"), nullptr);
}

TEST_F(DialogTest, KindTags) {
    QxEntityBaseType* box = Registry().FindType("QxMessageBox", "messagebox");
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->IsKind(QxKindTag("MSGB")));
    EXPECT_TRUE(box->IsKind(QxKindTag("DLGB")));
    EXPECT_TRUE(box->IsKind(QxKindTag("GUIE")));
    EXPECT_FALSE(box->IsKind(QxKindTag("SCNE")));
    EXPECT_FALSE(box->IsKind(QxKindTag("INPT")));

    QxEntityBaseType* sceneBox = Registry().FindType("QxDialogScene", "scoreinputbox");
    ASSERT_NE(sceneBox, nullptr);
    EXPECT_TRUE(sceneBox->IsKind(QxKindTag("DLGS")));
    EXPECT_TRUE(sceneBox->IsKind(QxKindTag("DLGB")));
    EXPECT_FALSE(sceneBox->IsKind(QxKindTag("MSGB")));

    QxEntityBaseType* input = Registry().FindType("QxInputBox", "inputbox");
    ASSERT_NE(input, nullptr);
    EXPECT_TRUE(input->IsKind(QxKindTag("INPT")));
    EXPECT_TRUE(input->IsKind(QxKindTag("DLGB")));

    QxEntityBaseType* content = Registry().FindType("QxHighScoreInputScene", "scoreinput");
    ASSERT_NE(content, nullptr);
    EXPECT_TRUE(content->IsKind(QxKindTag("HSIS")));
    EXPECT_TRUE(content->IsKind(QxKindTag("SCNE")));
    EXPECT_FALSE(content->IsKind(QxKindTag("GUIE")));

    QxEntityBaseType* frame = Registry().FindType("QxVectorFrame", "frame");
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->IsKind(QxKindTag("DFRM")));
    EXPECT_TRUE(frame->IsKind(QxKindTag("GUIE")));
    EXPECT_FALSE(frame->IsKind(QxKindTag("DLGB")));
}

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

    // The arrows stop at the row's ends, Tab goes round, Space presses as Enter does.
    OpenBox(kButtonYes | kButtonNo);
    EXPECT_TRUE(scene_->OnKey(QxKey::Right));
    EXPECT_TRUE(scene_->OnKey(QxKey::Right));
    scene_->OnKey(kKeyEnter);
    EXPECT_EQ(g_closed.answer, kAnswerNo);
    OpenBox(kButtonYes | kButtonNo);
    scene_->OnKey('\t');
    scene_->OnKey('\t');
    scene_->OnKey(' ');
    EXPECT_EQ(g_closed.answer, kAnswerYes);

    OpenBox(kButtonYes | kButtonNo);
    scene_->OnKey('y');
    EXPECT_EQ(g_closed.answer, kAnswerYes);
    OpenBox(kButtonYes | kButtonNo);
    scene_->OnKey('N');
    EXPECT_EQ(g_closed.answer, kAnswerNo);
    EXPECT_EQ(g_closed.calls, 6);
}

TEST_F(DialogTest, OkCancelBoxAnswersEnterAndEscapeAndIgnoresTheRest) {
    ASSERT_NE(OpenBox(kButtonOK | kButtonCancel), nullptr);
    // Letters of buttons that are not there, codes out of range and key codes: taken,
    // and nothing happens.
    for (int code : {int('y'), int('n'), 5, 122, 200, int(QxKey::F5), -23}) {
        EXPECT_TRUE(scene_->OnKey(code)) << code;
    }
    EXPECT_EQ(scene_->DialogCount(), 1u);
    scene_->OnKey(kKeyEnter);
    EXPECT_EQ(g_closed.answer, kAnswerOK);

    OpenBox(kButtonOK | kButtonCancel);
    scene_->OnKey(kKeyEscape);
    EXPECT_EQ(g_closed.answer, kAnswerCancel);
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

    // The button sits inside the box, below the text, and inside the content area.
    const QxRect ok = box->Part(QxEntityMessageBoxType::kSlotOK)->GetRect();
    const QxPoint content = box->ContentOrigin();
    EXPECT_EQ(content.x, rect.left + 10);
    EXPECT_EQ(content.y, rect.top + 14 + 8);
    EXPECT_GT(ok.top, content.y);
    EXPECT_GE(ok.left, content.x);
    EXPECT_LE(ok.right, rect.right - 10);
    EXPECT_LE(ok.bottom, rect.bottom - 10);
}

TEST_F(DialogTest, ModalBoxTakesEveryClickAndKey) {
    ASSERT_NE(OpenBox(kButtonOK), nullptr);
    EXPECT_TRUE(scene_->IsModal());
    EXPECT_TRUE(ClickAt(*scene_, QxPoint{3, 3}));
    EXPECT_TRUE(scene_->OnKey('x'));
    EXPECT_TRUE(scene_->OnKeyUp(QxKey::Shift));
    EXPECT_EQ(scene_->DialogCount(), 1u);
    EXPECT_EQ(g_closed.calls, 0);
}

TEST_F(DialogTest, RefusingCallbackKeepsTheBoxOpenAndModal) {
    ASSERT_NE(OpenBox(kButtonOK), nullptr);
    g_closed.agree = false;
    scene_->OnKey(kKeyEnter);
    EXPECT_EQ(g_closed.calls, 1);
    EXPECT_EQ(scene_->DialogCount(), 1u);
    EXPECT_TRUE(scene_->IsModal());
    g_closed.agree = true;
    scene_->OnKey(kKeyEnter);
    EXPECT_EQ(scene_->DialogCount(), 0u);
    EXPECT_FALSE(scene_->IsModal());
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

    SetMouse(5000, grab.y, true);
    scene_->Update(16.0f);
    EXPECT_EQ(box->GetRect().right, 640);
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

TEST_F(DialogTest, CloseBoxDismisses) {
    QxEntityMessageBox* box = OpenBox(kButtonOK | kButtonCancel);
    ASSERT_NE(box, nullptr);
    auto* frame = dynamic_cast<QxEntityVectorFrame*>(box->Frame());
    ASSERT_NE(frame, nullptr);
    const QxRect close = frame->CloseBox();
    EXPECT_EQ(close.right - close.left, 14 - 3);
    EXPECT_EQ(close.left, box->GetRect().right - 15);
    SetMouse(close.left + 2, close.top + 2, true);
    scene_->OnMouseDown(QxPoint{close.left + 2, close.top + 2}, 1);
    EXPECT_EQ(scene_->DialogCount(), 0u);
    EXPECT_EQ(g_closed.answer, kAnswerDismissed);
    EXPECT_FALSE(box == nullptr);
}

TEST_F(DialogTest, TimedBoxCountsDownInItsTitleAndClosesWith99) {
    auto* box = dynamic_cast<QxEntityMessageBox*>(
        scene_->ShowTimedMessageBox("Wait", 5000, 3, kButtonOK, &RecordClose, nullptr));
    ASSERT_NE(box, nullptr);
    scene_->Update(16.0f);
    EXPECT_EQ(box->ShownTitle(), "Message (4)");
    EXPECT_EQ(TextOf(box->Frame()->TitleText()), "Message (4)");
    for (int frame = 0; frame < 311; ++frame) {
        scene_->Update(16.0f); // 16 + 311 * 16 = 4992 ms
    }
    EXPECT_EQ(box->ShownTitle(), "Message (0)");
    EXPECT_EQ(scene_->DialogCount(), 1u);
    scene_->Update(16.0f);
    EXPECT_EQ(scene_->DialogCount(), 0u);
    EXPECT_EQ(g_closed.answer, kAnswerTimedOut);
    EXPECT_EQ(g_closed.id, 3);
}

TEST_F(DialogTest, KeyOrClickStopsTheCountDown) {
    auto* box = dynamic_cast<QxEntityMessageBox*>(
        scene_->ShowTimedMessageBox("Wait", 2000, 3, kButtonOK, &RecordClose, nullptr));
    ASSERT_NE(box, nullptr);
    scene_->Update(1000.0f);
    EXPECT_TRUE(box->IsCountingDown());
    scene_->OnKey('q');
    EXPECT_FALSE(box->IsCountingDown());
    EXPECT_EQ(TextOf(box->Frame()->TitleText()), "Message");
    scene_->Update(5000.0f);
    EXPECT_EQ(scene_->DialogCount(), 1u);

    box->SetTimeOut(2000);
    scene_->Update(500.0f);
    scene_->OnMouseUp(QxPoint{1, 1}, 1);
    EXPECT_FALSE(box->IsCountingDown());
    scene_->Update(5000.0f);
    EXPECT_EQ(scene_->DialogCount(), 1u);
    EXPECT_EQ(g_closed.calls, 0);
}

TEST_F(DialogTest, TimeOutFromTheDefinitionStartsCountingAtOnce) {
    ASSERT_NE(Define("class QxMessageBox\ntype timed\nFrameEnt QxVectorFrame, frame\n"
                     "Title Hint\nTimeOut 3000\nTextEnt text, message\n"),
              nullptr);
    auto box = Create<QxEntityMessageBox>("QxMessageBox", "timed", kKindMessageBox);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->IsCountingDown());
    box->Update(16.0f);
    EXPECT_EQ(box->ShownTitle(), "Hint (2)");
}

TEST_F(DialogTest, InputBoxEditsItsEntryWithinTheLimit) {
    auto* box = dynamic_cast<QxEntityInputBox*>(
        scene_->ShowInputBox("Your name?", "Bo", 4, 5, &RecordClose, nullptr));
    ASSERT_NE(box, nullptr);
    scene_->Update(16.0f);
    EXPECT_EQ(TextOf(box->Part(QxEntityInputBoxType::kSlotInstructions)), "Your name?");
    EXPECT_EQ(box->Entry(), "Bo");
    for (int code : {int('b'), int('x'), int('y')}) {
        EXPECT_TRUE(scene_->OnKey(code));
    }
    EXPECT_EQ(box->Entry(), "Bobx");
    scene_->OnKey(8);
    EXPECT_EQ(box->Entry(), "Bob");
    EXPECT_EQ(TextOf(box->Part(QxEntityInputBoxType::kSlotInput)), "Bob");
    scene_->OnKey(kKeyEnter);
    EXPECT_EQ(g_closed.answer, kAnswerInputOK);
    EXPECT_EQ(g_closed.entry, "Bob");
    EXPECT_EQ(g_closed.id, 5);

    scene_->ShowInputBox("Again", "", 10, 5, &RecordClose, nullptr);
    scene_->OnKey(kKeyEscape);
    EXPECT_EQ(g_closed.answer, kAnswerCancel);
}

TEST_F(DialogTest, InputBoxButtons) {
    for (int slot : {QxEntityInputBoxType::kSlotOK, QxEntityInputBoxType::kSlotCancel}) {
        auto* box = dynamic_cast<QxEntityInputBox*>(
            scene_->ShowInputBox("Name?", "Al", 8, 1, &RecordClose, nullptr));
        ASSERT_NE(box, nullptr);
        scene_->Update(16.0f);
        const QxRect button = box->Part(slot)->GetRect();
        // The parts lie inside the box.
        EXPECT_TRUE(button.left > box->GetRect().left && button.right < box->GetRect().right);
        EXPECT_TRUE(ClickAt(*scene_, Centre(button)));
        EXPECT_EQ(g_closed.answer,
                  slot == QxEntityInputBoxType::kSlotOK ? kAnswerInputOK : kAnswerCancel);
        EXPECT_EQ(g_closed.entry, "Al");
        Settle();
    }
}
