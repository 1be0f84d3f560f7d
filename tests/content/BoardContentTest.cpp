// The board half of the data set as the game reads it: every definition parses, every
// name resolves, and the pictures fit the way the program draws them.
#include <string>
#include <utility>
#include <vector>

#include "content/BoardContentSupport.h"
#include "engine/files/QxResourceCache.h"
#include "engine/gui/QxAlphaMask.h"
#include "engine/gui/QxEntity2DScene.h"
#include "game/objects/PyxEntityBasicPost.h"

namespace boardcontent {
namespace {

class BoardContentTest : public DataSetTest {};

TEST_F(BoardContentTest, TheWholeDataSetLoadsWithoutABrokenName) {
    LoadDataSet();
    const std::vector<std::string> broken = BrokenNameLines(Log());
    EXPECT_TRUE(broken.empty()) << "first: " << (broken.empty() ? "" : broken.front()) << " ("
                                << broken.size() << " lines)";
}

TEST_F(BoardContentTest, EveryTypeTheRulesAndScreensCreateByNameExists) {
    registry_->LoadAll();
    const std::pair<const char*, const char*> names[] = {
        {"PyxRenderedBall", "renderball"},
        {"PyxAnimSpriteBall", "spikedball"},
        {"PyxVortex", "vortex"},
        {"PyxAnimAward", "coinsilver"},
        {"PyxAnimExplosion", "bigsmoke"},
        {"PyxAnimExplosion", "lensflare"},
        {"PyxPlayerExit", "playerexit"},
        {"PyxCharacterExplosion", "characterexplosion"},
        {"PyxParticleExplosion", "particleexplosion"},
        {"PyxGrabPickup", "defaultgrab"},
        {"PyxBallDissolve", "balldissolve"},
        {"PyxFloatingScore", "floatingscore"},
        {"PyxFlyingCoin", "flyingcoin"},
        {"PyxSinkTile", "exit"},
        {"PyxSinkTile", "trap"},
    };
    for (const auto& [className, typeName] : names)
        EXPECT_NE(registry_->FindType(className, typeName), nullptr)
            << className << " - " << typeName;
}

TEST_F(BoardContentTest, TheGameScreenHasEveryNamedPart) {
    if (!registry_->FindPrototype("PyxStdGame"))
        GTEST_SKIP() << "the game screen's class is not registered yet";
    registry_->LoadAll();
    EXPECT_NE(registry_->FindType("PyxStdGame", "stdgame"), nullptr);
    const std::vector<std::uint8_t> bytes = FileBytes("hud/stdgame.ent");
    ASSERT_FALSE(bytes.empty());
    QxDefinition definition(std::string(bytes.begin(), bytes.end()));
    for (const char* name : {"SideBar", "Score", "Coins", "Time", "Lives", "Level", "DispText1",
                             "DispText2", "Teeth", "Clock", "Mascot"}) {
        ASSERT_TRUE(definition.FindKey(std::string(name) + "Ent")) << name;
        QxEntityRef ref;
        ASSERT_TRUE(definition.ReadEntityRef(ref)) << name;
        EXPECT_NE(registry_->FindType(ref.className, ref.typeName), nullptr) << name;
    }
    ASSERT_TRUE(definition.FindKey("LevelSet"));
    std::string levelSet;
    ASSERT_TRUE(definition.ReadString(levelSet));
    EXPECT_FALSE(FileBytes(levelSet).empty()) << levelSet;
}

// Frames of an image list and the masks drawn with them: a mask of another size than
// its frame is silently not applied, which would show the colour key as black.
void ExpectMasksFit(const std::string& list, const std::string& masks, std::size_t frames) {
    const QxImageListRecord* record = g_resourceCache->GetImageList(list, 0);
    ASSERT_NE(record, nullptr) << list;
    ASSERT_EQ(record->frames.size(), frames) << list;
    const std::vector<std::unique_ptr<QxImage>> loaded = QxAlphaMask::LoadList(masks);
    ASSERT_EQ(loaded.size(), frames) << masks;
    for (std::size_t i = 0; i < frames; ++i) {
        EXPECT_EQ(loaded[i]->width, record->frames[i].width) << masks << " " << i;
        EXPECT_EQ(loaded[i]->height, record->frames[i].height) << masks << " " << i;
    }
    g_resourceCache->ReleaseImageList(record->key);
}

TEST_F(BoardContentTest, AnimationMasksMatchTheirFrames) {
    ExpectMasksFit("board/images/cursor.imst", "board/images/cursor_a.img", 9);
    ExpectMasksFit("board/images/coin.imst", "board/images/coin_a.img", 12);
    ExpectMasksFit("board/images/claw.imst", "board/images/claw_a.img", 10);
    ExpectMasksFit("board/images/gear.imst", "board/images/gear_a.img", 12);
    ExpectMasksFit("hud/images/digits.imst", "hud/images/digits_a.img", 10);
    for (const char* colour : {"red", "green", "violet"})
        ExpectMasksFit(std::string("board/images/ball") + colour + ".imst",
                       std::string("board/images/ball") + colour + "_a.img", 8);
}

TEST_F(BoardContentTest, FacesHaveAnEyeFrameForEveryExpressionAndGaze) {
    // Balls show gaze + expression x 5 for expressions up to 5; the mascot the same.
    for (const char* list : {"board/images/eyesred.imst", "board/images/eyesgreen.imst",
                             "board/images/eyesviolet.imst", "hud/images/mascoteyes.imst"}) {
        const QxImageListRecord* record = g_resourceCache->GetImageList(list, 0);
        ASSERT_NE(record, nullptr) << list;
        EXPECT_EQ(record->frames.size(), 30u) << list;
        g_resourceCache->ReleaseImageList(record->key);
    }
}

TEST_F(BoardContentTest, CellPicturesCoverACellExactly) {
    for (const char* name :
         {"board/images/floor.bmp", "board/images/floorb.bmp", "board/images/floorc.bmp"}) {
        const QxImageRecord* image = g_resourceCache->GetImage(name, 0);
        ASSERT_NE(image, nullptr) << name;
        EXPECT_EQ(image->width, 56);
        EXPECT_EQ(image->height, 56);
        g_resourceCache->ReleaseImage(image->key);
    }
    for (const char* name : {"board/images/trap.imst", "board/images/exit.imst"}) {
        const QxImageListRecord* record = g_resourceCache->GetImageList(name, 0);
        ASSERT_NE(record, nullptr) << name;
        for (const QxImageListFrame& frame : record->frames) {
            EXPECT_EQ(frame.width, 56) << name;
            EXPECT_EQ(frame.height, 56) << name;
        }
        g_resourceCache->ReleaseImageList(record->key);
    }
}

// The size of a rectangular post is the size of its picture; the deflectors' plates
// must stay small enough that a ball touches a coin lying on the deflector's cell
// before the plate turns it, and the rails must reach the board's edge.
TEST_F(BoardContentTest, RectangularPostsHaveTheSizeTheirBouncesNeed) {
    registry_->LoadAll();
    const struct {
        const char* type;
        int width, height;
    } posts[] = {{"boarddefl7", 16, 16},    {"boarddefl9", 16, 16},    {"boarddefl3", 16, 16},
                 {"boarddefl1", 16, 16},    {"boardrailtop", 56, 12},  {"boardrailbottom", 56, 12},
                 {"boardrailleft", 12, 56}, {"boardrailright", 12, 56}};
    for (const auto& post : posts) {
        auto* type =
            dynamic_cast<PyxEntityBasicPostType*>(registry_->FindType("PyxBasicPost", post.type));
        ASSERT_NE(type, nullptr) << post.type;
        type->Load(false);
        EXPECT_TRUE(type->IsRect()) << post.type;
        std::int32_t width = 0, height = 0;
        type->UpSprite().Size(width, height);
        EXPECT_EQ(width, post.width) << post.type;
        EXPECT_EQ(height, post.height) << post.type;
        EXPECT_TRUE(type->DefaultUp()) << post.type;
        EXPECT_FALSE(type->UserChange()) << post.type;
    }
}

} // namespace
} // namespace boardcontent
