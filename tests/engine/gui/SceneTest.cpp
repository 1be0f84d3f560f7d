// The 2D scene: element creation and draw order, dialogs and their input routing,
// tooltips and the cursor.

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/gui/GuiFixture.h"
#include "engine/gui/SceneTestSupport.h"
#include "engine/gui/QxEntity2DScene.h"

using namespace scenetest;

namespace {

const char* kProbes = "class Probe\ntype %s\n";

class SceneTest : public GuiFixture {
protected:
    void SetUp() override {
        GuiFixture::SetUp();
        g_journal = Journal{};
        RegisterStandIns(Registry());
        for (const char* name : {"a", "b", "c", "d", "e", "cursor"}) {
            char text[64];
            std::snprintf(text, sizeof(text), kProbes, name);
            ASSERT_NE(Define(text), nullptr);
        }
        ASSERT_NE(Define("class TipText\ntype tip\n"), nullptr);
        ASSERT_NE(Define("class Box\ntype box\n"), nullptr);
    }

    std::unique_ptr<QxEntity2DScene> MakeScene(const std::string& body,
                                               const std::string& type = "scene") {
        if (!Define("class 2DScene\ntype " + type + "\n" + body)) {
            return nullptr;
        }
        return Create<QxEntity2DScene>("2DScene", type, QxKindTag("SCNE"));
    }

    static std::unique_ptr<Box> NewBox(const std::string& name, bool takes = true) {
        auto* type = static_cast<BoxType*>(g_registry->FindType("Box", "box"));
        auto box = std::make_unique<Box>(type);
        box->name = name;
        box->takes = takes;
        return box;
    }

    static std::vector<std::string> Draws() { return g_journal.draws; }
};

// A scene type with its own layer between the list elements below 500 and those above.
class LayeredScene : public QxEntity2DScene {
public:
    using QxEntity2DScene::QxEntity2DScene;
    bool DrawOverlay() override {
        g_journal.draws.push_back("own layer");
        return QxEntity2DScene::DrawOverlay();
    }
    bool OnDialogClosed(QxEntity2DGUIElement* dialog) override {
        closed.push_back(dynamic_cast<QxDialogInterface*>(dialog)->Answer());
        return allowClose;
    }
    std::vector<int> closed;
    bool allowClose = true;
};

class LayeredSceneType : public QxEntity2DSceneType {
public:
    using QxEntity2DSceneType::QxEntity2DSceneType;
    std::unique_ptr<QxEntityBase> CreateEntity() override {
        return std::make_unique<LayeredScene>(this);
    }
};

TEST_F(SceneTest, DrawsByPriorityKeepingTheDefinitionOrderOfEqualPriorities) {
    auto scene = MakeScene("NumGUIElements 5\n"
                           "GUIElement1Ent Probe, a\nGUIElement1Priority 10\n"
                           "GUIElement2Ent Probe, b\nGUIElement2Priority 5\n"
                           "GUIElement3Ent Probe, c\nGUIElement3Priority 10\n"
                           "GUIElement4Ent Probe, d\nGUIElement4Priority 600\n"
                           "GUIElement5Ent Probe, e\nGUIElement5Priority 10\n");
    ASSERT_NE(scene, nullptr);
    scene->Update(16.0f);
    scene->Draw();
    EXPECT_EQ(Draws(), (std::vector<std::string>{"b", "a", "c", "e", "d"}));
}

TEST_F(SceneTest, SubclassLayerSitsBetweenPriority499And500) {
    static const scenetest::Prototype<LayeredSceneType> layered;
    Registry().Register(&layered, "Layered");
    ASSERT_NE(Define("class Layered\ntype layers\nNumGUIElements 2\n"
                     "GUIElement1Ent Probe, a\nGUIElement1Priority 500\n"
                     "GUIElement2Ent Probe, b\nGUIElement2Priority 499\n"),
              nullptr);
    auto scene = Create<QxEntity2DScene>("Layered", "layers");
    ASSERT_NE(scene, nullptr);
    scene->Update(0.0f);
    scene->Draw();
    EXPECT_EQ(Draws(), (std::vector<std::string>{"b", "own layer", "a"}));
}

TEST_F(SceneTest, ClampsPrioritiesAndElementCountAndPlacesElements) {
    std::string body = "NumGUIElements 70\n";
    for (int n = 1; n <= 70; ++n) {
        body += "GUIElement" + std::to_string(n) + "Ent Probe, a\n";
    }
    body += "GUIElement1Priority 5000\nGUIElement1Pos 30, 40\n";
    auto scene = MakeScene(body);
    ASSERT_NE(scene, nullptr);
    auto& records = scene->SceneType()->Elements();
    ASSERT_EQ(records.size(), 64u);
    scene->Update(0.0f);
    // The first record went to the end of the sorted list with the highest priority.
    const auto& last = records.back();
    EXPECT_EQ(last.priority, 999);
    ASSERT_NE(last.element, nullptr);
    EXPECT_EQ(last.element->GetPosition(), (QxPoint{30, 40}));
}

TEST_F(SceneTest, SkipsReferencesThatCreateNothing) {
    auto scene = MakeScene("NumGUIElements 3\n"
                           "GUIElement1Ent Probe, missing\n"
                           "GUIElement2Ent 2DScene, scene\n" // a scene is not a GUI element
                           "GUIElement3Ent Probe, a\n");
    ASSERT_NE(scene, nullptr);
    scene->Update(16.0f);
    scene->Draw();
    EXPECT_EQ(Draws(), (std::vector<std::string>{"a"}));
    EXPECT_EQ(g_journal.updates, (std::vector<std::string>{"a"}));
}

TEST_F(SceneTest, HiddenElementsAreUpdatedButNotDrawn) {
    auto scene = MakeScene("NumGUIElements 2\nGUIElement1Ent Probe, a\n"
                           "GUIElement2Ent Probe, b\nGUIElement2Priority 700\n");
    ASSERT_NE(scene, nullptr);
    scene->Update(0.0f);
    for (auto& record : scene->SceneType()->Elements()) {
        record.element->SetVisible(false);
    }
    g_journal = Journal{};
    scene->Update(16.0f);
    scene->Draw();
    EXPECT_TRUE(Draws().empty());
    EXPECT_EQ(g_journal.updates.size(), 2u);
}

TEST_F(SceneTest, SceneInstancesOfOneTypeShareTheirElements) {
    auto first = MakeScene("NumGUIElements 1\nGUIElement1Ent Probe, a\n");
    ASSERT_NE(first, nullptr);
    first->Update(0.0f);
    QxEntity2DGUIElement* element = first->SceneType()->Elements().front().element.get();
    element->SetAlpha(77);
    first.reset();
    auto second = Create<QxEntity2DScene>("2DScene", "scene");
    second->Update(0.0f);
    EXPECT_EQ(second->SceneType()->Elements().front().element.get(), element);
    EXPECT_EQ(element->GetAlpha(), 77u);
}

TEST_F(SceneTest, AddNamedElementReadsTheNamedKeys) {
    QxDefinition definition("ScoreEnt Probe, a\nScoreEntPos 7, 9\nScoreEntPriority 1200\n");
    QxEntity2DSceneType type(nullptr);
    auto* record = type.AddNamedElement("Score", &definition);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->reference, (QxEntityRef{"Probe", "a"}));
    EXPECT_EQ(record->position, (QxPoint{7, 9}));
    EXPECT_EQ(record->priority, 999);
    auto* coded = type.AddElement(QxEntityRef{"Probe", "b"}, QxPoint{1, 2}, -3);
    type.Load(false);
    ASSERT_NE(coded->element, nullptr);
    EXPECT_EQ(coded->element->GetPosition(), (QxPoint{1, 2}));
    EXPECT_EQ(type.Elements().front().reference.typeName, "b"); // -3 sorts first
    type.Unload();
    EXPECT_EQ(coded->element, nullptr);
}

// ---- dialogs ---------------------------------------------------------------------------

TEST_F(SceneTest, ModalDialogTakesEveryEventAndStopsTheElements) {
    auto scene = MakeScene("NumGUIElements 1\nGUIElement1Ent Probe, a\n");
    ASSERT_NE(scene, nullptr);
    scene->AddDialog(1, NewBox("first", false), nullptr, nullptr, true);
    scene->AddDialog(2, NewBox("second"), nullptr, nullptr, false);
    EXPECT_TRUE(scene->IsModal());

    EXPECT_TRUE(scene->OnKey(65)); // taken although the dialog answered no
    EXPECT_TRUE(scene->OnMouseUp(QxPoint{5, 6}, 1));
    EXPECT_TRUE(scene->OnMouseDown(QxPoint{7, 8}, 1));
    EXPECT_TRUE(scene->OnKeyUp(66));
    EXPECT_TRUE(scene->OnPointerHook(QxPoint{9, 0}, 1));
    EXPECT_TRUE(scene->OnIntegerHook(4));
    EXPECT_EQ(g_journal.events,
              (std::vector<std::string>{"first:key:65", "first:up:5", "first:down:7",
                                        "first:keyup:66", "first:pointer:9", "first:int:4"}));

    scene->Update(16.0f);
    EXPECT_EQ(g_journal.updates, (std::vector<std::string>{"first"}));
    scene->Draw();
    // Elements are still drawn; the first dialog is drawn last, on top.
    EXPECT_EQ(Draws(), (std::vector<std::string>{"a", "second", "first"}));
}

TEST_F(SceneTest, WithoutModalDialogsEventsGoToTheFirstDialogThatTakesThem) {
    auto scene = MakeScene("");
    ASSERT_NE(scene, nullptr);
    EXPECT_FALSE(scene->OnKey(13)); // no dialogs
    scene->AddDialog(1, NewBox("first", false), nullptr, nullptr, false);
    scene->AddDialog(2, NewBox("second", true), nullptr, nullptr, false);
    scene->AddDialog(3, NewBox("third", true), nullptr, nullptr, false);
    EXPECT_FALSE(scene->IsModal());
    EXPECT_TRUE(scene->OnKey(13));
    EXPECT_EQ(g_journal.events, (std::vector<std::string>{"first:key:13", "second:key:13"}));

    g_journal = Journal{};
    scene->Update(16.0f);
    EXPECT_EQ(g_journal.updates, (std::vector<std::string>{"first", "second", "third"}));
}

TEST_F(SceneTest, NoDialogTakingAnEventLeavesItUnhandled) {
    auto scene = MakeScene("");
    scene->AddDialog(1, NewBox("first", false), nullptr, nullptr, false);
    EXPECT_FALSE(scene->OnMouseUp(QxPoint{1, 1}, 1));
}

TEST_F(SceneTest, RefusingCloseCallbackKeepsTheDialogAndTheModalFlag) {
    auto scene = MakeScene("");
    static bool s_allow = false;
    static QxEntity2DScene* s_target = nullptr;
    auto callback = [](QxEntity2DScene* target, QxEntity2DGUIElement*) {
        s_target = target;
        return s_allow;
    };
    QxEntity2DGUIElement* box = scene->AddDialog(4, NewBox("box"), callback, nullptr, true);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(dynamic_cast<QxDialogInterface*>(box)->DialogId(), 4);

    s_allow = false;
    scene->CloseDialog(box);
    EXPECT_EQ(s_target, scene.get()); // no target given: the scene itself
    EXPECT_TRUE(scene->IsDialogOpen(box));
    EXPECT_TRUE(scene->IsModal());

    s_allow = true;
    scene->CloseDialog(box);
    EXPECT_FALSE(scene->IsDialogOpen(box));
    EXPECT_FALSE(scene->IsModal());
    // Destroyed only at the next update, so the closing call can finish.
    EXPECT_EQ(g_journal.dialogsDestroyed, 0);
    scene->Update(16.0f);
    EXPECT_EQ(g_journal.dialogsDestroyed, 1);
}

TEST_F(SceneTest, DialogClosingItselfFromAKeyIsDestroyedOnTheNextUpdate) {
    auto scene = MakeScene("");
    auto box = NewBox("box");
    box->closeOnKey = true;
    scene->AddDialog(1, std::move(box), nullptr, nullptr, true);
    EXPECT_TRUE(scene->OnKey(27));
    EXPECT_EQ(scene->DialogCount(), 0u);
    EXPECT_FALSE(scene->IsModal());
    EXPECT_EQ(g_journal.dialogsDestroyed, 0);
    scene->Update(0.0f);
    EXPECT_EQ(g_journal.dialogsDestroyed, 1);
}

TEST_F(SceneTest, ModalFlagStaysUntilTheLastDialogCloses) {
    auto scene = MakeScene("");
    QxEntity2DGUIElement* first = scene->AddDialog(1, NewBox("first"), nullptr, nullptr, true);
    QxEntity2DGUIElement* second = scene->AddDialog(2, NewBox("second"), nullptr, nullptr, false);
    scene->CloseDialog(first);
    EXPECT_TRUE(scene->IsModal());
    EXPECT_EQ(scene->Dialog(0), second);
    scene->CloseDialog(second);
    EXPECT_FALSE(scene->IsModal());
    scene->CloseDialog(second); // no longer open: nothing happens
    scene->Update(0.0f);
    EXPECT_EQ(g_journal.dialogsDestroyed, 2);
}

TEST_F(SceneTest, DefaultCallbackAsksTheTargetSceneWithTheAnswer) {
    static const scenetest::Prototype<LayeredSceneType> layered;
    Registry().Register(&layered, "Layered");
    ASSERT_NE(Define("class Layered\ntype layers\nMessageBoxEnt Box, box\n"), nullptr);
    auto scene = Create<LayeredScene>("Layered", "layers");
    ASSERT_NE(scene, nullptr);
    auto* box = dynamic_cast<Box*>(scene->ShowMessageBox("Sure?", 7, 6));
    ASSERT_NE(box, nullptr);
    scene->allowClose = false;
    box->Close(3);
    EXPECT_EQ(scene->closed, (std::vector<int>{3}));
    EXPECT_TRUE(scene->IsDialogOpen(box));
    scene->allowClose = true;
    box->Close(2);
    EXPECT_EQ(scene->closed, (std::vector<int>{3, 2}));
    EXPECT_EQ(scene->DialogCount(), 0u);
}

TEST_F(SceneTest, MessageBoxesAreConfiguredCentredAndModal) {
    auto scene = MakeScene("MessageBoxEnt Box, box\nInputBoxEnt Box, box\n");
    ASSERT_NE(scene, nullptr);
    auto* box = dynamic_cast<Box*>(scene->ShowTimedMessageBox("Hello", 5000, 9, 1));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text, "Hello");
    EXPECT_EQ(box->buttons, 1u);
    EXPECT_EQ(box->timeOut, 5000);
    EXPECT_EQ(box->DialogId(), 9);
    EXPECT_EQ(box->GetPosition(), (QxPoint{270, 215}));
    EXPECT_EQ(box->OwnerScene(), scene.get());
    EXPECT_EQ(box->CloseCallback(), &QxEntity2DScene::DefaultCloseCallback);
    EXPECT_TRUE(scene->IsModal());

    auto* plain = dynamic_cast<Box*>(scene->ShowMessageBox("Plain", 1, 8));
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->timeOut, -1); // the box keeps its own time-out
    scene->CloseDialog(plain);
    auto* untimed = dynamic_cast<Box*>(scene->ShowTimedMessageBox("Stop", 0, 1, 8));
    ASSERT_NE(untimed, nullptr);
    EXPECT_EQ(untimed->timeOut, 0); // a time-out of 0 is handed over: it stops a count-down
    scene->CloseDialog(untimed);

    auto* input = dynamic_cast<Box*>(scene->ShowInputBox("Name?", "Ann", 12, 3));
    ASSERT_NE(input, nullptr);
    EXPECT_EQ(input->instructions, "Name?");
    EXPECT_EQ(input->entry, "Ann");
    EXPECT_EQ(input->limit, 12);
    EXPECT_EQ(scene->DialogCount(), 2u);
}

TEST_F(SceneTest, BoxesThatCannotBeCreatedOpenNothing) {
    // The defaults name classes that are not defined here.
    auto scene = MakeScene("");
    EXPECT_EQ(scene->ShowMessageBox("x", 1, 1), nullptr);
    EXPECT_EQ(scene->ShowInputBox("x", "", 5, 1), nullptr);
    // A plain element is not of the message box kind.
    auto other = MakeScene("MessageBoxEnt Probe, a\n", "other");
    EXPECT_EQ(other->ShowMessageBox("x", 1, 1), nullptr);
    EXPECT_EQ(scene->DialogCount() + other->DialogCount(), 0u);
    EXPECT_FALSE(other->IsModal());
}

TEST_F(SceneTest, AddDialogRefusesElementsThatAreNotDialogs) {
    auto scene = MakeScene("");
    auto probe = CreateElement("Probe", "a");
    EXPECT_EQ(scene->AddDialog(1, std::move(probe), nullptr, nullptr, true), nullptr);
    EXPECT_EQ(scene->DialogCount(), 0u);
    EXPECT_FALSE(scene->IsModal());
}

// ---- tooltips --------------------------------------------------------------------------

class TooltipTest : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        ASSERT_NE(Define("class Probe\ntype tipped\ntooltip Hello there\n"), nullptr);
        ASSERT_NE(Define("class Probe\ntype other\ntooltip Other\ntooltippos 600, 475\n"
                         "tooltiprelative 0\n"),
                  nullptr);
        scene = MakeScene("ToolTipTextEnt TipText, tip\nToolTipBGCol 64, 96, 180, 255\n"
                          "NumGUIElements 2\n"
                          "GUIElement1Ent Probe, tipped\nGUIElement1Pos 100, 100\n"
                          "GUIElement2Ent Probe, other\nGUIElement2Pos 200, 100\n");
        ASSERT_NE(scene, nullptr);
        QxEntity2DGUIElement::SetTooltipScene(scene.get());
        scene->Update(0.0f);
    }

    void Run(int frames, float ms = 16.0f) {
        for (int i = 0; i < frames; ++i) {
            scene->Update(ms);
        }
    }

    std::unique_ptr<QxEntity2DScene> scene;
};

TEST_F(TooltipTest, ShowsOnlyAfterTheMouseRestedMoreThanHalfASecond) {
    SetMouse(110, 110);
    Run(5, 100.0f); // 500 ms: not more than the delay yet
    EXPECT_EQ(scene->CurrentTooltip(), nullptr);
    Run(1, 1.0f);
    ASSERT_NE(scene->CurrentTooltip(), nullptr);
    EXPECT_EQ(scene->CurrentTooltip()->text, "Hello there");
    // Relative placement: mouse plus the default offset 12, 24; the text inside by 2.
    EXPECT_EQ(scene->CurrentTooltip()->box, (QxRect{122, 122 + 88 + 4, 134, 134 + 10 + 4}));
}

TEST_F(TooltipTest, TheEdgeOfTheElementDoesNotCount) {
    SetMouse(100, 110); // on the left edge
    Run(40, 16.0f);
    EXPECT_EQ(scene->CurrentTooltip(), nullptr);
}

TEST_F(TooltipTest, FadesInThenOutAndIsGone305MsAfterTheLastRefresh) {
    SetMouse(110, 110);
    Run(32, 16.0f); // 512 ms of hovering: the tooltip starts
    ASSERT_NE(scene->CurrentTooltip(), nullptr);
    EXPECT_FLOAT_EQ(scene->CurrentTooltip()->alpha, 16.0f);
    Run(10, 16.0f);
    EXPECT_FLOAT_EQ(scene->CurrentTooltip()->alpha, 176.0f);
    Run(10, 16.0f);
    EXPECT_FLOAT_EQ(scene->CurrentTooltip()->alpha, 255.0f);

    g_journal = Journal{};
    scene->Draw();
    EXPECT_EQ(Draws().back(), "tip:Hello there@255");

    SetMouse(5, 5);
    Run(1, 100.0f); // life 289 - 100: the alpha follows the life now
    EXPECT_FLOAT_EQ(scene->CurrentTooltip()->alpha, 189.0f);
    Run(1, 100.0f);
    EXPECT_FLOAT_EQ(scene->CurrentTooltip()->alpha, 89.0f);
    Run(1, 89.0f); // 305 ms since the last refresh
    ASSERT_NE(scene->CurrentTooltip(), nullptr);
    EXPECT_FLOAT_EQ(scene->CurrentTooltip()->alpha, 0.0f);
    Run(1, 1.0f);
    EXPECT_EQ(scene->CurrentTooltip(), nullptr);
}

TEST_F(TooltipTest, BackgroundIsNeverMoreOpaqueThan224) {
    SetMouse(110, 110);
    Run(60, 16.0f);
    ASSERT_FLOAT_EQ(scene->CurrentTooltip()->alpha, 255.0f);
    ClearScreen();
    scene->Draw();
    // Blended over black at 224/256: red 64 -> field 8 -> 7, green 96 -> 12 -> 10,
    // blue 180 -> 22 -> 19.
    const QxRect box = scene->CurrentTooltip()->box;
    EXPECT_EQ(Pixel(box.left + 1, box.top + 1), (7 << 10) | (10 << 5) | 19);
    EXPECT_EQ(Pixel(box.right, box.top + 1), 0); // right edge is exclusive
}

TEST_F(TooltipTest, AbsolutePlacementIsPushedInsideTheScreen) {
    SetMouse(210, 110);
    Run(40, 16.0f);
    ASSERT_NE(scene->CurrentTooltip(), nullptr);
    // "Other" is 40 x 10: at most 600 and 470 keep it on the screen.
    EXPECT_EQ(scene->CurrentTooltip()->box, (QxRect{600, 644, 470, 484}));
}

TEST_F(TooltipTest, AnotherOwnerPushesTheCurrentTooltipToFading) {
    auto& records = scene->SceneType()->Elements();
    const QxEntity2DGUIElement* first = records.front().element.get();
    const QxEntity2DGUIElement* second = records.back().element.get();
    scene->ShowTooltip(first, 10, 10, "One");
    Run(1, 16.0f);
    scene->ShowTooltip(first, 50, 50, "One"); // same owner and text: only kept alive
    EXPECT_EQ(scene->CurrentTooltip()->box.left, 10);
    EXPECT_FLOAT_EQ(scene->CurrentTooltip()->life, 305.0f);
    scene->ShowTooltip(first, 50, 50, "Uno"); // new text: laid out again
    EXPECT_EQ(scene->CurrentTooltip()->box.left, 50);

    scene->ShowTooltip(second, 20, 20, "Two");
    ASSERT_NE(scene->CurrentTooltip(), nullptr);
    EXPECT_EQ(scene->CurrentTooltip()->text, "Two");
    EXPECT_FLOAT_EQ(scene->CurrentTooltip()->alpha, 0.0f);
    ASSERT_NE(scene->FadingTooltip(), nullptr);
    EXPECT_EQ(scene->FadingTooltip()->text, "Uno");
    Run(20, 16.0f);
    EXPECT_EQ(scene->FadingTooltip(), nullptr);
}

TEST_F(TooltipTest, NoTooltipWithoutANamedSceneOrATextElement) {
    QxEntity2DGUIElement::SetTooltipScene(nullptr);
    SetMouse(110, 110);
    Run(40, 16.0f);
    EXPECT_EQ(scene->CurrentTooltip(), nullptr);

    auto bare = MakeScene("NumGUIElements 1\nGUIElement1Ent Probe, tipped\n"
                          "GUIElement1Pos 100, 100\n",
                          "bare");
    QxEntity2DGUIElement::SetTooltipScene(bare.get());
    bare->ShowTooltip(nullptr, 1, 1, "x");
    EXPECT_EQ(bare->CurrentTooltip(), nullptr);
    bare.reset();
    EXPECT_EQ(QxEntity2DGUIElement::TooltipScene(), nullptr); // a destroyed scene is forgotten
}

// ---- cursor ----------------------------------------------------------------------------

TEST_F(SceneTest, CursorFollowsTheMouseAndHidesAfterItsTimeOut) {
    auto scene = MakeScene("CursorEnt Probe, cursor\nCursorMoveTimeOut 100\n"
                           "NumGUIElements 1\nGUIElement1Ent Probe, a\n");
    ASSERT_NE(scene, nullptr);
    SetMouse(50, 60);
    scene->Update(16.0f);
    QxEntity2DGUIElement* cursor = scene->SceneType()->CursorElement();
    ASSERT_NE(cursor, nullptr);
    EXPECT_EQ(cursor->GetPosition(), (QxPoint{50, 60}));
    g_journal = Journal{};
    scene->Draw();
    EXPECT_EQ(Draws(), (std::vector<std::string>{"a", "cursor"})); // last, on top

    for (int i = 0; i < 7; ++i) {
        scene->Update(16.0f); // 112 ms without a move
    }
    EXPECT_FLOAT_EQ(scene->CursorIdleTime(), 112.0f);
    g_journal = Journal{};
    scene->Draw();
    EXPECT_EQ(Draws(), (std::vector<std::string>{"a"}));

    SetMouse(51, 60);
    scene->Update(16.0f);
    EXPECT_FLOAT_EQ(scene->CursorIdleTime(), 0.0f);
    g_journal = Journal{};
    scene->Draw();
    EXPECT_EQ(Draws(), (std::vector<std::string>{"a", "cursor"}));
}

TEST_F(SceneTest, CursorMarksItsOldAndNewPlaces) {
    auto scene = MakeScene("CursorEnt Probe, cursor\n");
    SetMouse(10, 10);
    scene->Update(16.0f);
    Screen().ClearDirty();
    SetMouse(300, 200);
    scene->Update(16.0f);
    const auto dirty = Screen().GetDirtyList();
    auto covers = [&](int x, int y) {
        return std::any_of(dirty.begin(), dirty.end(), [&](const QxRect& r) {
            return r.left <= x && x < r.right && r.top <= y && y < r.bottom;
        });
    };
    // Base elements mark nothing themselves, so only the scene's own marks are here.
    EXPECT_TRUE(covers(15, 15));
    EXPECT_FALSE(covers(305, 205));
}

TEST_F(SceneTest, CursorOperationsNeedACursor) {
    auto bare = MakeScene("");
    EXPECT_FALSE(bare->SetCursorFrame(2));
    EXPECT_FALSE(bare->ShowCursor(false));

    auto scene = MakeScene("CursorEnt Probe, cursor\n", "withcursor");
    scene->Update(0.0f);
    EXPECT_TRUE(scene->SetCursorFrame(2));
    auto* cursor = dynamic_cast<Probe*>(scene->SceneType()->CursorElement());
    ASSERT_NE(cursor, nullptr);
    EXPECT_EQ(cursor->frame, 2);
    EXPECT_TRUE(scene->ShowCursor(false));
    EXPECT_FALSE(cursor->IsVisible());
}

TEST_F(SceneTest, SuspendedSceneDrawsNothing) {
    auto scene = MakeScene("NumGUIElements 1\nGUIElement1Ent Probe, a\n");
    scene->Update(0.0f);
    scene->SetSuspended(true);
    scene->Draw();
    EXPECT_TRUE(Draws().empty());
}

} // namespace
