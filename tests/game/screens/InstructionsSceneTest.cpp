// The instructions scene and its list: the list reads the scene's text file when the
// scene is created, every visit starts at the top, Up and Down step through it, the
// page keys, Home, End and the wheel scroll it, clicks reach its arrows and lines, and
// a scene without a list still works.

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "app/QxInputEvent.h"
#include "engine/gui/GuiFixture.h"
#include "engine/gui/QxEntity2DGUIListBox.h"
#include "engine/gui/WidgetTestSupport.h"
#include "game/screens/PyxEntityInstructionsScene.h"

namespace {

constexpr int kArrow = 12;
constexpr int kLine = 13; // the test font's cells are 10 high

class InstructionsSceneTest : public GuiFixture {
protected:
    void SetUp() override {
        GuiFixture::SetUp();
        const std::string chars = widgettest::LegibleChars();
        WriteBitmap("letters.bmp", widgettest::GlyphSheet(chars, false, QxColour(255, 255, 255)));
        WriteBitmap("up.bmp", widgettest::Solid(kArrow, kArrow, QxColour(0, 200, 0)));
        WriteBitmap("down.bmp", widgettest::Solid(kArrow, kArrow, QxColour(0, 0, 200)));
        std::string text;
        for (int i = 0; i < 30; ++i) {
            text += "LINE " + std::to_string(i) + "\r\n";
        }
        WriteFile("help.txt", text);
        Define("class font\ntype letters\nimage letters.bmp\ntransparent 1\nchars \"" + chars +
               "\"\ncharwidth 8\ncharheight 10\nnolowercase 1\n");
        Define("class text\ntype line\nFontEnt font, letters\n");
        Define("class sprite\ntype up\nimage up.bmp\n");
        Define("class sprite\ntype down\nimage down.bmp\n");
        Define("class button\ntype up\nMainImageEnt sprite, up\n");
        Define("class button\ntype down\nMainImageEnt sprite, down\n");
        Define("class ListBox\ntype page\nTextEnt text, line\nListHeight 5\n"
               "ListWidth 20\nUpArrowEnt button, up\nDownArrowEnt button, down\n");
        Define("class PyxInstructions\ntype instructions\nListEnt ListBox, page\n"
               "ListEntPos 100, 100\nListFile help.txt\n");
        Define("class PyxInstructions\ntype bare\n");
    }

    std::unique_ptr<PyxEntityInstructionsScene> Scene(const std::string& type = "instructions") {
        auto scene = Create<PyxEntityInstructionsScene>("PyxInstructions", type, kKindScene);
        if (scene) {
            scene->Update(16.0f);
        }
        return scene;
    }

    static QxEntity2DGUIListBox* ListOf(const PyxEntityInstructionsScene& scene) {
        const auto* type = static_cast<const PyxEntityInstructionsSceneType*>(scene.SceneType());
        return type->m_list == nullptr
                   ? nullptr
                   : dynamic_cast<QxEntity2DGUIListBox*>(type->m_list->element.get());
    }
};

// One visit steps with Up and Down, the next clicks the arrows and the lines, the last
// pages and scrolls with the wheel.
TEST_F(InstructionsSceneTest, KeysClicksPagesAndTheWheelMoveThroughTheList) {
    auto scene = Scene();
    ASSERT_NE(scene, nullptr);
    QxEntity2DGUIListBox* list = ListOf(*scene);
    ASSERT_NE(list, nullptr);
    for (int i = 0; i < 7; ++i) {
        EXPECT_TRUE(scene->OnKey(QxKey::Down));
    }
    scene->Update(16.0f);
    EXPECT_EQ(list->Selection(), 7);
    EXPECT_EQ(list->FirstVisible(), 3);
    EXPECT_TRUE(scene->OnKey(QxKey::Up));
    EXPECT_EQ(list->Selection(), 6);
    for (int i = 0; i < 10; ++i) {
        scene->OnKey(QxKey::Up);
    }
    EXPECT_EQ(list->Selection(), 0) << "the top holds";
    // Keys that are not the list's stay unhandled; Escape is the scene's own.
    EXPECT_FALSE(scene->OnKey(QxKey::Left));
    EXPECT_FALSE(scene->OnKey('a'));
    EXPECT_TRUE(scene->OnKey(27));

    // Every visit starts again at the top.
    scene.reset();
    scene = Scene();
    const QxPoint down = list->DownArrow()->GetPosition();
    const QxPoint downCentre{down.x + kArrow / 2, down.y + kArrow / 2};
    SetMouse(downCentre.x, downCentre.y);
    scene->Update(16.0f);
    EXPECT_TRUE(scene->OnMouseUp(downCentre, 1));
    EXPECT_EQ(list->Selection(), 1);
    EXPECT_TRUE(scene->OnMouseUp(QxPoint{120, 100 + 3 * kLine + 4}, 1));
    EXPECT_EQ(list->Selection(), 3);
    const QxPoint up = list->UpArrow()->GetPosition();
    EXPECT_TRUE(scene->OnMouseUp(QxPoint{up.x + kArrow / 2, up.y + kArrow / 2}, 1));
    EXPECT_EQ(list->Selection(), 2);
    EXPECT_FALSE(scene->OnMouseUp(QxPoint{20, 400}, 1)) << "nothing there";
    EXPECT_EQ(list->Selection(), 2);

    // Every visit starts again at the top.
    scene.reset();
    scene = Scene();
    // A page is the view less a line, so the line read last stays in sight; the
    // selection keeps its line of the view.
    EXPECT_TRUE(scene->OnKey(QxKey::PageDown));
    scene->Update(16.0f);
    EXPECT_EQ(list->FirstVisible(), 4);
    EXPECT_EQ(list->Selection(), 4);
    EXPECT_TRUE(scene->OnKey(QxKey::End));
    scene->Update(16.0f);
    EXPECT_EQ(list->FirstVisible(), 25);
    EXPECT_EQ(list->Selection(), 29);
    EXPECT_TRUE(scene->OnKey(QxKey::PageUp));
    scene->Update(16.0f);
    EXPECT_EQ(list->FirstVisible(), 21);
    EXPECT_TRUE(scene->OnKey(QxKey::Home));
    scene->Update(16.0f);
    EXPECT_EQ(list->FirstVisible(), 0);

    // Three lines a notch, down for a turn towards the player; part-notches add up.
    EXPECT_TRUE(scene->OnMouseWheel(QxPoint{0, 0}, -120));
    EXPECT_EQ(list->FirstVisible(), 3);
    scene->OnMouseWheel(QxPoint{0, 0}, 60);
    EXPECT_EQ(list->FirstVisible(), 3);
    scene->OnMouseWheel(QxPoint{0, 0}, 60);
    EXPECT_EQ(list->FirstVisible(), 0);
    scene->OnMouseWheel(QxPoint{0, 0}, 10 * 120);
    EXPECT_EQ(list->FirstVisible(), 0) << "the top holds";
    // Under a modal box the box takes the wheel: the list stays.
    ASSERT_NE(Define("class QxMessageBox\ntype box\n"), nullptr);
    ASSERT_NE(scene->AddDialog(1, Create<QxEntity2DGUIElement>("QxMessageBox", "box", kKindAny),
                               nullptr, nullptr, true),
              nullptr);
    EXPECT_TRUE(scene->OnMouseWheel(QxPoint{0, 0}, -120));
    EXPECT_EQ(list->FirstVisible(), 0);
}

TEST_F(InstructionsSceneTest, AScreenWithoutAListStillWorks) {
    auto scene = Scene("bare");
    ASSERT_NE(scene, nullptr);
    EXPECT_EQ(ListOf(*scene), nullptr);
    EXPECT_FALSE(scene->OnKey(QxKey::Down));
    EXPECT_FALSE(scene->OnMouseUp(QxPoint{120, 120}, 1));
    EXPECT_TRUE(scene->OnKey(27));
}

} // namespace
