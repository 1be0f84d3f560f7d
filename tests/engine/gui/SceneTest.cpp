// The 2D scene: element creation and draw order, dialogs and their input routing,
// and the cursor.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/gui/GuiFixture.h"
#include "engine/gui/QxEntity2DScene.h"
#include "engine/gui/SceneTestSupport.h"

using namespace scenetest;

namespace {

class SceneTest : public GuiFixture {
protected:
    void SetUp() override {
        GuiFixture::SetUp();
        g_journal = Journal{};
        RegisterStandIns(Registry());
        for (const char* name : {"a", "b", "c", "d", "e", "cursor"}) {
            ASSERT_NE(Define(std::string("class Probe\ntype ") + name + "\n"), nullptr);
        }
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

    // Without their count no elements are read.
    auto uncounted = MakeScene("GUIElement1Ent Probe, a\n", "uncounted");
    g_journal = Journal{};
    uncounted->Update(16.0f);
    uncounted->Draw();
    EXPECT_TRUE(Draws().empty());
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

// Without a modal dialog every dialog is updated and offered each event in turn until one
// takes it; a suspended scene draws nothing.
TEST_F(SceneTest, DialogsWithoutAModalOneAreOfferedEventsInTurn) {
    auto scene = MakeScene("");
    scene->AddDialog(1, NewBox("first", false), nullptr, nullptr, false);
    scene->AddDialog(2, NewBox("second", false), nullptr, nullptr, false);
    EXPECT_EQ(
        scene->AddDialog(3, Create<QxEntity2DGUIElement>("Probe", "a"), nullptr, nullptr, false),
        nullptr);
    EXPECT_FALSE(scene->OnMouseDown(QxPoint{3, 0}, 1));
    dynamic_cast<Box*>(scene->Dialog(1))->takes = true;
    EXPECT_TRUE(scene->OnKeyUp(5));
    EXPECT_EQ(g_journal.events, (std::vector<std::string>{"first:down:3", "second:down:3",
                                                          "first:keyup:5", "second:keyup:5"}));
    scene->Update(16.0f);
    EXPECT_EQ(g_journal.updates, (std::vector<std::string>{"first", "second"}));
    scene->SetSuspended(true);
    scene->Draw();
    EXPECT_TRUE(Draws().empty());
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

// ---- cursor ----------------------------------------------------------------------------

} // namespace
