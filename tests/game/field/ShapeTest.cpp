#include <gtest/gtest.h>

#include "game/field/PyxBlockShape.h"

namespace {

TEST(BlockShapeTest, CirclesThatOnlyTouchDoNotIntersect) {
    const PyxBlockCircle a(0.0f, 0.0f, 10.0f);
    EXPECT_FALSE(a.Intersects(PyxBlockCircle(20.0f, 0.0f, 10.0f)));
    EXPECT_TRUE(a.Intersects(PyxBlockCircle(19.9f, 0.0f, 10.0f)));
    EXPECT_FALSE(a.Intersects(PyxBlockCircle(12.0f, 16.0f, 10.0f))); // 20 apart diagonally
    EXPECT_TRUE(a.Intersects(PyxBlockCircle(12.0f, 15.9f, 10.0f)));
}

TEST(BlockShapeTest, PointCircleIntersectsARectangleOnlyStrictlyInside) {
    const PyxBlockRect rect(0.0f, 0.0f, 10.0f, 10.0f);
    EXPECT_TRUE(rect.Intersects(PyxBlockCircle(5.0f, 5.0f, 0.0f)));
    EXPECT_FALSE(rect.Intersects(PyxBlockCircle(0.0f, 5.0f, 0.0f)));
    EXPECT_FALSE(rect.Intersects(PyxBlockCircle(10.0f, 5.0f, 0.0f)));
    EXPECT_FALSE(rect.Intersects(PyxBlockCircle(5.0f, 10.0f, 0.0f)));
    EXPECT_FALSE(PyxBlockCircle(5.0f, 0.0f, 0.0f).Intersects(rect));
}

TEST(BlockShapeTest, CircleAgainstRectangleUsesItsBoundingSquare) {
    const PyxBlockRect rect(0.0f, 0.0f, 10.0f, 10.0f);
    // Outside the corner by more than the radius along the diagonal, but inside the
    // square widened by the radius.
    const PyxBlockCircle corner(-4.0f, -4.0f, 5.0f);
    EXPECT_TRUE(rect.Intersects(corner));
    EXPECT_TRUE(corner.Intersects(rect));
    // Just touching a side is not intersecting.
    EXPECT_FALSE(rect.Intersects(PyxBlockCircle(-5.0f, 5.0f, 5.0f)));
    EXPECT_TRUE(rect.Intersects(PyxBlockCircle(-4.9f, 5.0f, 5.0f)));
}

TEST(BlockShapeTest, RectanglesNeedOverlapOnBothAxes) {
    const PyxBlockRect a(0.0f, 0.0f, 10.0f, 10.0f);
    EXPECT_TRUE(a.Intersects(PyxBlockRect(9.0f, 9.0f, 20.0f, 20.0f)));
    EXPECT_FALSE(a.Intersects(PyxBlockRect(10.0f, 0.0f, 20.0f, 10.0f))); // shares an edge
    EXPECT_FALSE(a.Intersects(PyxBlockRect(0.0f, 10.0f, 10.0f, 20.0f)));
    EXPECT_FALSE(a.Intersects(PyxBlockRect(5.0f, 20.0f, 6.0f, 30.0f)));
}

TEST(BlockShapeTest, ZeroSizedRectangleNeverIntersectsARectangle) {
    const PyxBlockRect dot(5.0f, 5.0f, 5.0f, 5.0f);
    EXPECT_FALSE(dot.Intersects(PyxBlockRect(0.0f, 0.0f, 10.0f, 10.0f)));
    EXPECT_FALSE(PyxBlockRect(0.0f, 0.0f, 10.0f, 10.0f).Intersects(dot));
    EXPECT_FALSE(dot.Intersects(dot));
}

TEST(BlockShapeTest, SetCentreMovesAndKeepsTheSize) {
    PyxBlockRect rect(0.0f, 0.0f, 40.0f, 20.0f);
    rect.SetCentre(100.0f, 50.0f);
    EXPECT_FLOAT_EQ(rect.Left(), 80.0f);
    EXPECT_FLOAT_EQ(rect.Right(), 120.0f);
    EXPECT_FLOAT_EQ(rect.Top(), 40.0f);
    EXPECT_FLOAT_EQ(rect.Bottom(), 60.0f);
    PyxBlockCircle circle(0.0f, 0.0f, 3.0f);
    circle.SetCentre(7.0f, 8.0f);
    EXPECT_FLOAT_EQ(circle.X(), 7.0f);
    EXPECT_FLOAT_EQ(circle.Y(), 8.0f);
    EXPECT_FLOAT_EQ(circle.Radius(), 3.0f);
}

TEST(BlockShapeTest, ShapeOfNoKindIntersectsNothing) {
    const PyxBlockShape none;
    const PyxBlockCircle circle(0.0f, 0.0f, 100.0f);
    const PyxBlockRect rect(-100.0f, -100.0f, 100.0f, 100.0f);
    EXPECT_FALSE(none.Intersects(circle));
    EXPECT_FALSE(circle.Intersects(none));
    EXPECT_FALSE(rect.Intersects(none));
}

} // namespace
