// The board half of the data set as the game reads it: every definition parses, every
// name resolves, and the pictures fit the way the program draws them.
#include <string>
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
    LoadEverything();
    const std::vector<std::string> broken = BrokenNameLines(Log());
    EXPECT_TRUE(broken.empty()) << "first: " << (broken.empty() ? "" : broken.front()) << " ("
                                << broken.size() << " lines)";
}

// The pictures fit the way the program draws them: a mask of another size than its
// frame is silently not applied (the colour key would show as black), balls and the
// mascot show gaze + expression x 5 for expressions up to 5, and cells are 56 square.
TEST_F(BoardContentTest, PicturesHaveTheFramesAndSizesTheProgramDraws) {
    const struct {
        std::string list, masks;
        std::size_t frames;
        int side; // of every frame, or 0
    } lists[] = {
        {"board/images/cursor.imst", "board/images/cursor_a.img", 9, 0},
        {"board/images/coin.imst", "board/images/coin_a.img", 12, 0},
        {"board/images/claw.imst", "board/images/claw_a.img", 10, 0},
        {"board/images/gear.imst", "board/images/gear_a.img", 12, 0},
        {"hud/images/digits.imst", "hud/images/digits_a.img", 10, 0},
        {"board/images/ballred.imst", "board/images/ballred_a.img", 8, 0},
        {"board/images/ballgreen.imst", "board/images/ballgreen_a.img", 8, 0},
        {"board/images/ballviolet.imst", "board/images/ballviolet_a.img", 8, 0},
        {"board/images/eyesred.imst", "", 30, 0},
        {"board/images/eyesgreen.imst", "", 30, 0},
        {"board/images/eyesviolet.imst", "", 30, 0},
        {"hud/images/mascoteyes.imst", "", 30, 0},
        {"board/images/trap.imst", "", 0, 56},
        {"board/images/exit.imst", "", 0, 56},
    };
    for (const auto& l : lists) {
        SCOPED_TRACE(l.list);
        const QxImageListRecord* record = g_resourceCache->GetImageList(l.list, 0);
        ASSERT_NE(record, nullptr);
        if (l.frames > 0) {
            EXPECT_EQ(record->frames.size(), l.frames);
        }
        const std::vector<std::unique_ptr<QxImage>> masks =
            l.masks.empty() ? std::vector<std::unique_ptr<QxImage>>{}
                            : QxAlphaMask::LoadList(l.masks);
        EXPECT_EQ(masks.size(), l.masks.empty() ? 0 : record->frames.size());
        for (std::size_t i = 0; i < record->frames.size(); ++i) {
            const QxImageListFrame& frame = record->frames[i];
            if (i < masks.size()) {
                EXPECT_EQ(masks[i]->width, frame.width) << i;
                EXPECT_EQ(masks[i]->height, frame.height) << i;
            }
            if (l.side > 0) {
                EXPECT_EQ(frame.width, l.side) << i;
                EXPECT_EQ(frame.height, l.side) << i;
            }
        }
        g_resourceCache->ReleaseImageList(record->key);
    }
    for (const char* name :
         {"board/images/floor.bmp", "board/images/floorb.bmp", "board/images/floorc.bmp"}) {
        const QxImageRecord* image = g_resourceCache->GetImage(name, 0);
        ASSERT_NE(image, nullptr) << name;
        EXPECT_EQ(image->width, 56);
        EXPECT_EQ(image->height, 56);
        g_resourceCache->ReleaseImage(image->key);
    }
}

// The size of a rectangular post is the size of its picture; the deflectors' plates
// must stay small enough that a ball touches a coin lying on the deflector's cell
// before the plate turns it, and the rails must reach the board's edge.
TEST_F(BoardContentTest, RectangularPostsHaveTheSizeTheirBouncesNeed) {
    Registry().LoadAll();
    const struct {
        const char* type;
        int width, height;
    } posts[] = {{"boarddefl7", 16, 16},    {"boarddefl9", 16, 16},    {"boarddefl3", 16, 16},
                 {"boarddefl1", 16, 16},    {"boardrailtop", 56, 12},  {"boardrailbottom", 56, 12},
                 {"boardrailleft", 12, 56}, {"boardrailright", 12, 56}};
    for (const auto& post : posts) {
        auto* type =
            dynamic_cast<PyxEntityBasicPostType*>(Registry().FindType("PyxBasicPost", post.type));
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
