#include <gtest/gtest.h>

#include <memory>

#include "game/field/PyxBlockShape.h"

namespace {

// Touching is not intersecting; a circle meets a rectangle by its bounding square.
TEST(BlockShapeTest, IntersectionOnTheEdgesOfEachPair) {
    using Shape = std::shared_ptr<PyxBlockShape>;
    auto circle = [](float x, float y, float r) -> Shape {
        return std::make_shared<PyxBlockCircle>(x, y, r);
    };
    auto rect = [](float l, float t, float r, float b) -> Shape {
        return std::make_shared<PyxBlockRect>(l, t, r, b);
    };
    const Shape square = rect(0, 0, 10, 10);
    const struct {
        Shape a, b;
        bool meet;
    } cases[] = {
        {circle(0, 0, 10), circle(20, 0, 10), false},
        {circle(0, 0, 10), circle(19.9f, 0, 10), true},
        {circle(0, 0, 10), circle(12, 16, 10), false},
        {circle(0, 0, 10), circle(12, 15.9f, 10), true},
        {square, circle(5, 5, 0), true},
        {square, circle(0, 5, 0), false},
        {square, circle(10, 5, 0), false},
        {circle(5, 0, 0), square, false},
        {square, circle(-4, -4, 5), true},
        {circle(-4, -4, 5), square, true},
        {square, circle(-5, 5, 5), false},
        {square, circle(-4.9f, 5, 5), true},
        {square, rect(9, 9, 20, 20), true},
        {square, rect(10, 0, 20, 10), false},
        {square, rect(0, 10, 10, 20), false},
        {rect(5, 5, 5, 5), square, false},
        {square, rect(5, 5, 5, 5), false},
        {std::make_shared<PyxBlockShape>(), circle(0, 0, 100), false},
        {circle(0, 0, 100), std::make_shared<PyxBlockShape>(), false},
        {rect(-100, -100, 100, 100), std::make_shared<PyxBlockShape>(), false},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(n++);
        EXPECT_EQ(c.a->Intersects(*c.b), c.meet);
    }
}

} // namespace
