// The moving parts of the menus in the built data set: the instructions page is a list
// box that reads the instructions from the archive and scrolls with the keys, the
// arrows and the thumb; the main menu's title burns with a fire fed by a burn image of
// the lettering, deterministically for a seed and clear of the buttons.

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/QxInputEvent.h"
#include "app/QxRandom.h"
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

    std::unique_ptr<PyxEntityInstructionsScene> Instructions() {
        auto scene =
            Create<PyxEntityInstructionsScene>("PyxInstructions", "instructions", kKindScene);
        if (scene) {
            scene->Update(16.0f);
        }
        return scene;
    }

    static QxEntity2DGUIListBox* ListOf(const PyxEntityInstructionsScene& scene) {
        const auto* type = static_cast<const PyxEntityInstructionsSceneType*>(scene.SceneType());
        if (type->m_list == nullptr) {
            return nullptr;
        }
        return dynamic_cast<QxEntity2DGUIListBox*>(type->m_list->element.get());
    }

    // A picture's width or height, as the list box measures its arrows.
    static std::int32_t Size(QxEntity2DGUIElement* element, int id) {
        std::int32_t value = 0;
        element->GetInt(id, value);
        return value;
    }

    static QxPoint Centre(QxEntity2DGUIElement* element) {
        const QxPoint at = element->GetPosition();
        return QxPoint{at.x + Size(element, kPropImageWidth) / 2,
                       at.y + Size(element, kPropImageHeight) / 2};
    }

    // A part of the screen at twice its size, beside the test's files and, when
    // RONDELIX_SCREENSHOT_DIR is set, there too (the documentation's pictures).
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
        if (const char* folder = std::getenv("RONDELIX_SCREENSHOT_DIR")) {
            std::error_code ec;
            std::filesystem::copy_file(path, std::filesystem::path(folder) / name,
                                       std::filesystem::copy_options::overwrite_existing, ec);
            EXPECT_FALSE(ec) << ec.message();
        }
    }

    static std::string LineShown(const QxEntity2DGUIListBox& list, int line) {
        std::string text;
        list.TextLine(static_cast<std::size_t>(line))->GetString(kPropTextGet, text);
        return text;
    }

    // The main menu's fire and the sprite drawn over it.
    struct MenuParts {
        QxEntity2DGUIPFire* fire = nullptr;
        QxEntity2DGUIElement* logo = nullptr;
        std::int32_t firePriority = 0;
        std::int32_t logoPriority = 0;
        std::int32_t topButton = 480;
    };

    static MenuParts PartsOf(const QxEntity2DScene& scene) {
        MenuParts parts;
        for (const auto& record : scene.SceneType()->Elements()) {
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
        return parts;
    }
};

TEST_F(MenuWidgetsContentTest, InstructionsListReadsTheTextFromTheArchive) {
    auto scene = Instructions();
    ASSERT_NE(scene, nullptr);
    QxEntity2DGUIListBox* list = ListOf(*scene);
    ASSERT_NE(list, nullptr) << "the instructions are a list box named List";
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
    for (const char* topic : {"STEERING", "COINS", "THE EXIT", "THE CLOCK", "OTHER BALLS", "vortex",
                              "POWER", "HIGH SCORES", "KEYS", "F7", "Escape", "pause"}) {
        EXPECT_NE(all.find(topic), std::string::npos) << topic;
    }
    // The last line of the text has its line end too, so it is shown.
    EXPECT_NE(items.back().text.find("main menu."), std::string::npos) << items.back().text;
    EXPECT_EQ(ReadLog().find("ListBox"), std::string::npos) << ReadLog();
}

TEST_F(MenuWidgetsContentTest, ListLinesUseAFaceWhoseCellIsItsAdvance) {
    // A list box is as wide as its characters times the font's cell and cuts lines by
    // a count of characters: only a fixed-width face whose cell is its advance fills
    // the list without running out of it or leaving half of it empty.
    auto* type = dynamic_cast<QxEntity2DGUIFontType*>(Registry().FindType("font", "uimono"));
    ASSERT_NE(type, nullptr);
    const QxFontMetrics& metrics = type->Metrics();
    EXPECT_EQ(metrics.CellAdvance(), 8);
    for (int c = 32; c <= 126; ++c) {
        EXPECT_EQ(metrics.advance[static_cast<std::size_t>(c)], metrics.CellAdvance())
            << "'" << char(c) << "'";
        if (c != ' ') {
            EXPECT_NE(metrics.glyphIndex[static_cast<std::size_t>(c)], 0) << "'" << char(c) << "'";
        }
    }
    auto scene = Instructions();
    ASSERT_NE(scene, nullptr);
    QxEntity2DGUIListBox* list = ListOf(*scene);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->TextAreaWidth(), kListWidth * 8);
    EXPECT_EQ(list->TextLine(0)->GetFont()->Type(), type);
}

TEST_F(MenuWidgetsContentTest, InstructionsScrollWithTheKeys) {
    auto scene = Instructions();
    ASSERT_NE(scene, nullptr);
    QxEntity2DGUIListBox* list = ListOf(*scene);
    ASSERT_NE(list, nullptr);
    const int count = static_cast<int>(list->Items().size());

    for (int i = 0; i < 20; ++i) {
        ASSERT_TRUE(scene->OnKey(QxKey::Down));
    }
    scene->Update(16.0f);
    EXPECT_EQ(list->Selection(), 20);
    EXPECT_EQ(list->FirstVisible(), 20 - kListLines + 1) << "the view follows the selection";
    EXPECT_EQ(LineShown(*list, kListLines - 1), list->Items()[20].text);

    ASSERT_TRUE(scene->OnKey(QxKey::Up));
    scene->Update(16.0f);
    EXPECT_EQ(list->Selection(), 19);
    EXPECT_FALSE(scene->OnKey('x')) << "other keys are not the list's";

    for (int i = 0; i < count + 5; ++i) {
        scene->OnKey(QxKey::Down);
    }
    scene->Update(16.0f);
    EXPECT_EQ(list->Selection(), count - 1);
    EXPECT_EQ(list->FirstVisible(), count - kListLines);
    EXPECT_EQ(LineShown(*list, kListLines - 1), list->Items().back().text);

    // A new visit starts reading at the top again.
    scene.reset();
    auto again = Instructions();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(list->Selection(), 0);
    EXPECT_EQ(list->FirstVisible(), 0);
    EXPECT_EQ(static_cast<int>(list->Items().size()), count) << "the text is not read twice";
}

TEST_F(MenuWidgetsContentTest, InstructionsScrollWithTheArrowsAndTheThumb) {
    auto scene = Instructions();
    ASSERT_NE(scene, nullptr);
    QxEntity2DGUIListBox* list = ListOf(*scene);
    ASSERT_NE(list, nullptr);
    ASSERT_NE(list->UpArrow(), nullptr);
    ASSERT_NE(list->DownArrow(), nullptr);
    // The arrows sit right of the text, top and bottom, inside the panel.
    EXPECT_EQ(list->UpArrow()->GetPosition().x, list->GetPosition().x + list->TextAreaWidth() + 6);
    const int arrow = Size(list->UpArrow(), kPropImageHeight);
    ASSERT_GT(arrow, 0);
    EXPECT_LT(list->DownArrow()->GetPosition().x + Size(list->DownArrow(), kPropImageWidth), 616);

    const QxPoint down = Centre(list->DownArrow());
    for (int i = 0; i < kListLines + 2; ++i) {
        SetMouse(down.x, down.y);
        EXPECT_TRUE(scene->OnMouseUp(down, 1));
        scene->Update(16.0f);
    }
    EXPECT_EQ(list->Selection(), kListLines + 2);
    EXPECT_EQ(list->FirstVisible(), 3);
    const QxPoint up = Centre(list->UpArrow());
    EXPECT_TRUE(scene->OnMouseUp(up, 1));
    scene->Update(16.0f);
    EXPECT_EQ(list->Selection(), kListLines + 1);

    // A click on a line selects it.
    const QxPoint at = list->GetPosition();
    EXPECT_TRUE(scene->OnMouseUp(QxPoint{at.x + 40, at.y + 2 * list->LineSpacing() + 5}, 1));
    EXPECT_EQ(list->Selection(), list->FirstVisible() + 2);

    // Dragging the thumb to the bottom of the track shows the end, to the top the start.
    const QxRect thumb = list->ThumbRect();
    const int trackX = (thumb.left + thumb.right) / 2;
    const int trackBottom = at.y + list->TextAreaHeight() - arrow - 6;
    SetMouse(trackX, trackBottom, true);
    scene->Update(16.0f);
    const int count = static_cast<int>(list->Items().size());
    EXPECT_GE(list->FirstVisible(), count - kListLines - 2);
    SetMouse(trackX, at.y + arrow - 4, true);
    scene->Update(16.0f);
    EXPECT_EQ(list->FirstVisible(), 0);
    EXPECT_EQ(LineShown(*list, 0), "THE AIM");
    SetMouse(600, 460, false);
    scene->Update(16.0f);
    EXPECT_EQ(list->FirstVisible(), 0);
}

TEST_F(MenuWidgetsContentTest, InstructionsDrawTheListFramedAndHighlighted) {
    auto scene = Instructions();
    ASSERT_NE(scene, nullptr);
    QxEntity2DGUIListBox* list = ListOf(*scene);
    ASSERT_NE(list, nullptr);
    for (int i = 0; i < 24; ++i) {
        scene->OnKey(QxKey::Down);
    }
    SetMouse(600, 460);
    DirtyAll();
    scene->Update(16.0f);
    DirtyAll();
    scene->Draw();
    SaveScreenPng("content-instructions-scrolled.png");

    // The highlight (sea glass) outlines the selected line, the frame is brass.
    const QxPoint at = list->GetPosition();
    const int top = at.y + (list->Selection() - list->FirstVisible()) * list->LineSpacing();
    int highlight = 0;
    for (int x = at.x; x < at.x + list->TextAreaWidth(); ++x) {
        highlight += Pixel(x, top) == Rgb555(QxColour(64, 150, 150)) ? 1 : 0;
    }
    EXPECT_GT(highlight, list->TextAreaWidth() / 2);
    EXPECT_EQ(Pixel(at.x + 100, at.y - 5), Rgb555(QxColour(214, 156, 62)));
    // Text lies inside the list: some of its pixels are light.
    int light = 0;
    for (int y = at.y; y < at.y + list->TextAreaHeight(); ++y) {
        for (int x = at.x; x < at.x + list->TextAreaWidth(); x += 2) {
            light += ((Pixel(x, y) >> 10) & 31) > 24 ? 1 : 0;
        }
    }
    EXPECT_GT(light, 500);
}

TEST_F(MenuWidgetsContentTest, MainMenuTitleBurnsBehindTheLogoAndAboveTheButtons) {
    auto scene = Create<QxEntity2DScene>("PyxMainMenu", "mainmenu", kKindScene);
    ASSERT_NE(scene, nullptr);
    const MenuParts parts = PartsOf(*scene);
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

TEST_F(MenuWidgetsContentTest, MainMenuFireRunsTheSameForTheSameSeed) {
    auto scene = Create<QxEntity2DScene>("PyxMainMenu", "mainmenu", kKindScene);
    ASSERT_NE(scene, nullptr);
    QxEntity2DGUIPFire* menuFire = PartsOf(*scene).fire;
    ASSERT_NE(menuFire, nullptr);
    QxEntityBaseType* type = menuFire->Type();

    auto run = [&](std::uint32_t seed) {
        SeedRandom(seed);
        std::unique_ptr<QxEntityBase> entity = type->CreateEntity();
        auto* fire = dynamic_cast<QxEntity2DGUIPFire*>(entity.get());
        std::vector<std::vector<std::uint8_t>> frames;
        if (fire == nullptr) {
            return frames;
        }
        fire->SetPosition(menuFire->GetPosition());
        for (int frame = 0; frame < 80; ++frame) {
            fire->Update(20.0f);
            fire->Draw();
            frames.push_back(fire->HeatBuffer()->pixels);
        }
        return frames;
    };
    const auto first = run(1234);
    ASSERT_EQ(first.size(), 80u);
    EXPECT_EQ(first, run(1234));
    EXPECT_NE(first, run(4321)) << "another seed, other flames";
    EXPECT_NE(first[40], first[41]) << "the flames move";
}

} // namespace
