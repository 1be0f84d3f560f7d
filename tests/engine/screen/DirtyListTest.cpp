// The dirty list: merging, and the collapse to the whole back buffer.

#include "engine/screen/ScreenTestSupport.h"

namespace {

class ScreenDirty : public screentest::ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        screen.ClearDirty();
    }
    std::vector<QxRect> List() { return screen.GetDirtyList(); }
    const QxRect whole{0, kW, 0, kH};
};

TEST_F(ScreenDirty, RectanglesSharingAnEdgeMergeIntoTheFirst) {
    ASSERT_TRUE(screen.MarkDirty(QxRect{0, 10, 0, 10}, false));
    ASSERT_TRUE(screen.MarkDirty(QxRect{10, 20, 0, 10}, false));
    EXPECT_EQ(List(), std::vector<QxRect>({QxRect{0, 20, 0, 10}}));
    // Touching only at a corner also counts.
    ASSERT_TRUE(screen.MarkDirty(QxRect{20, 25, 10, 12}, false));
    EXPECT_EQ(List(), std::vector<QxRect>({QxRect{0, 25, 0, 12}}));
    // A gap of one pixel keeps them apart.
    ASSERT_TRUE(screen.MarkDirty(QxRect{26, 30, 0, 5}, false));
    EXPECT_EQ(List().size(), 2u);

    // Touching both, a rectangle merges into the first only; the second stays as it is.
    screen.ClearDirty();
    screen.MarkDirty(QxRect{0, 2, 0, 2}, false);
    screen.MarkDirty(QxRect{10, 12, 0, 2}, false);
    screen.MarkDirty(QxRect{2, 10, 0, 1}, false);
    EXPECT_EQ(List(), std::vector<QxRect>({QxRect{0, 10, 0, 2}, QxRect{10, 12, 0, 2}}));
}

TEST_F(ScreenDirty, EmptyInvertedAndOutsideRectanglesAreRefused) {
    EXPECT_FALSE(screen.MarkDirty(QxRect{5, 5, 0, 10}, false));
    EXPECT_FALSE(screen.MarkDirty(QxRect{5, 4, 0, 10}, false));
    EXPECT_FALSE(screen.MarkDirty(QxRect{-10, 0, 0, 10}, false));
    EXPECT_TRUE(List().empty());
    ASSERT_TRUE(screen.MarkDirty(QxRect{-10, 5, 40, 100}, false));
    EXPECT_EQ(List(), std::vector<QxRect>({QxRect{0, 5, 40, kH}}));
}

TEST_F(ScreenDirty, OneHundredRectanglesBecomeTheWholeBackBuffer) {
    for (int i = 0; i < 99; ++i) {
        const int x = (i % 20) * 3;
        const int y = (i / 20) * 3;
        ASSERT_TRUE(screen.MarkDirty(QxRect{x, x + 1, y, y + 1}, false));
    }
    ASSERT_EQ(List().size(), 99u);
    ASSERT_TRUE(screen.MarkDirty(QxRect{62, 63, 46, 47}, false));
    EXPECT_EQ(List(), std::vector<QxRect>({whole}));

    // So does a list that would bring it to one hundred.
    screen.ClearDirty();
    std::vector<QxRect> many;
    for (int i = 0; i < 60; ++i) {
        many.push_back(QxRect{(i % 20) * 3, (i % 20) * 3 + 1, (i / 20) * 3, (i / 20) * 3 + 1});
    }
    ASSERT_TRUE(screen.MarkDirtyList(many));
    ASSERT_EQ(List().size(), 60u);
    ASSERT_TRUE(screen.MarkDirtyList(std::span(many).first(39)));
    EXPECT_EQ(List().size(), 60u); // all merged into their twins
    screen.ClearDirty();
    ASSERT_TRUE(screen.MarkDirtyList(many));
    ASSERT_TRUE(screen.MarkDirtyList(std::span(many).first(40)));
    EXPECT_EQ(List(), std::vector<QxRect>({whole}));
}

} // namespace
