// The moving parts of the menus in the built data set: the instructions page is a list
// box that reads the instructions from the archive in a face that fills it; the main
// menu's title burns with a fire fed by a burn image of the lettering, clear of the
// buttons.

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "content/ContentTestSupport.h"
#include "engine/gui/QxEntity2DGUIFont.h"
#include "engine/gui/QxEntity2DGUIListBox.h"
#include "engine/gui/QxEntity2DGUIPFire.h"
#include "engine/gui/QxEntity2DGUISprite.h"
#include "engine/gui/QxEntity2DGUIText.h"
#include "engine/gui/QxEntity2DScene.h"
#include "engine/screen/QxPng.h"
#include "game/screens/PyxEntityInstructionsScene.h"
#include "game/screens/PyxEntityMainMenuScene.h"

namespace {

using namespace contenttest;

// The list as content/data/ui/menu/instructions.ent lays it out.
constexpr int kListLines = 16;
constexpr int kListWidth = 66;

class MenuWidgetsContentTest : public ContentFixture {
protected:
    void SetUp() override {
        ContentFixture::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        LoadEverything();
    }

    // A part of the screen at twice its size, for the documentation.
    void SaveCloseUp(const QxRect& rect, const std::string& name) {
        const int width = (rect.right - rect.left) * 2;
        const int height = (rect.bottom - rect.top) * 2;
        std::vector<std::uint16_t> pixels(static_cast<std::size_t>(width * height));
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                pixels[static_cast<std::size_t>(y * width + x)] =
                    Pixel(rect.left + x / 2, rect.top + y / 2);
            }
        }
        const std::string path = DataFolder() + name;
        ASSERT_TRUE(SavePng(path, pixels.data(), width, height, width * 2));
        KeepForDocs(path, name);
    }
};

TEST_F(MenuWidgetsContentTest, InstructionsListReadsTheTextFromTheArchive) {
    auto scene = Create<PyxEntityInstructionsScene>("PyxInstructions", "instructions", kKindScene);
    ASSERT_NE(scene, nullptr);
    scene->Update(16.0f);
    const auto* type = static_cast<const PyxEntityInstructionsSceneType*>(scene->SceneType());
    ASSERT_NE(type->m_list, nullptr) << "the instructions are a list box named List";
    auto* list = dynamic_cast<QxEntity2DGUIListBox*>(type->m_list->element.get());
    ASSERT_NE(list, nullptr);
    const auto& items = list->Items();
    ASSERT_GT(items.size(), std::size_t{3 * kListLines}) << "several pages of instructions";
    EXPECT_EQ(items.front().text, "THE AIM");
    EXPECT_EQ(list->Selection(), 0);

    std::string all;
    for (const QxListBoxItem& item : items) {
        EXPECT_LE(item.text.size(), std::size_t{kListWidth}) << item.text;
        EXPECT_EQ(item.text.find('\r'), std::string::npos);
        EXPECT_EQ(item.text.find('\n'), std::string::npos);
        all += item.text + "\n";
    }
    for (const char* topic :
         {"STEERING", "COINS", "THE EXIT", "THE CLOCK", "OTHER BALLS", "vortex", "POWER",
          "MAKING LEVELS", "HIGH SCORES", "KEYS", "F7", "Escape", "pause"}) {
        EXPECT_NE(all.find(topic), std::string::npos) << topic;
    }
    // The last line of the text has its line end too, so it is shown.
    EXPECT_NE(items.back().text.find("main menu."), std::string::npos) << items.back().text;
    EXPECT_EQ(ReadLog().find("ListBox"), std::string::npos) << ReadLog();
}

TEST_F(MenuWidgetsContentTest, MainMenuTitleBurnsBehindTheLogoAndAboveTheButtons) {
    auto scene = Create<QxEntity2DScene>("PyxMainMenu", "mainmenu", kKindScene);
    ASSERT_NE(scene, nullptr);
    // The fire and the logo drawn over it, and the top of the buttons.
    struct {
        QxEntity2DGUIPFire* fire = nullptr;
        QxEntity2DGUIElement* logo = nullptr;
        std::int32_t firePriority = 0, logoPriority = 0, topButton = 480;
    } parts;
    for (const auto& record : scene->SceneType()->Elements()) {
        QxEntity2DGUIElement* element = record.element.get();
        if (auto* fire = dynamic_cast<QxEntity2DGUIPFire*>(element)) {
            parts.fire = fire;
            parts.firePriority = record.priority;
        } else if (record.reference.typeName == "uilogo") {
            parts.logo = element;
            parts.logoPriority = record.priority;
        } else if (record.reference.className == "button") {
            parts.topButton = std::min(parts.topButton, record.position.y);
        }
    }
    ASSERT_NE(parts.fire, nullptr) << "the main menu has a fire";
    ASSERT_NE(parts.logo, nullptr) << "and the logo as a sprite of its own";
    EXPECT_LT(parts.firePriority, parts.logoPriority) << "the logo is drawn over the fire";

    QxEntity2DGUIPFireType* type = parts.fire->FireType();
    type->Load(false);
    ASSERT_NE(type->BurnImage(), nullptr) << "the burn image is an 8-bit picture in the archive";
    EXPECT_EQ(type->BurnImage()->width, type->m_width);
    EXPECT_TRUE(type->m_transparent);
    EXPECT_EQ(type->m_gravTime, 0) << "a fixed gravity: the flames never turn downwards";
    const QxPoint at = parts.fire->GetPosition();
    EXPECT_LE(at.y + type->m_height, parts.topButton) << "the fire ends above the buttons";
    // The burn image lies under the logo's lettering.
    const QxPoint logo = parts.logo->GetPosition();
    int burning = 0;
    const QxImage& burn = *type->BurnImage();
    for (int y = 0; y < burn.height; ++y) {
        for (int x = 0; x < burn.width; ++x) {
            if (burn.Row(y)[x] > 10) {
                ++burning;
                ASSERT_GE(at.y + y, logo.y);
                ASSERT_GE(at.x + x, logo.x);
            }
        }
    }
    EXPECT_GT(burning, 1000);

    SetMouse(600, 460);
    for (int frame = 0; frame < 60; ++frame) {
        DirtyAll();
        scene->Update(20.0f);
        DirtyAll();
        scene->Draw();
    }
    const auto& heat = parts.fire->HeatBuffer()->pixels;
    EXPECT_GT(std::count_if(heat.begin(), heat.end(), [](std::uint8_t v) { return v > 40; }), 2000);
    SaveScreenPng("content-mainmenu-fire.png");
    SaveCloseUp(QxRect{at.x - 10, at.x + type->m_width + 10, 0, 140}, "title-fire.png");
    // Above the lettering the flames show through: warm pixels over the teal backdrop.
    int warm = 0;
    for (int y = at.y; y < logo.y + 36; ++y) {
        for (int x = at.x; x < at.x + type->m_width; ++x) {
            const std::uint16_t p = Pixel(x, y);
            warm += ((p >> 10) & 31) > (p & 31) + 6 ? 1 : 0;
        }
    }
    EXPECT_GT(warm, 500);
}

} // namespace
