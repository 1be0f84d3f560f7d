// The GUI element base: fades, pulses, visibility rules, properties and the tooltip
// hover clock.

#include <gtest/gtest.h>

#include "engine/gui/GuiFixture.h"
#include "engine/gui/QxEntity2DGUIElement.h"

namespace {

class ElementTest : public GuiFixture {
protected:
    void SetUp() override {
        GuiFixture::SetUp();
        ASSERT_NE(Define("class 2DGUIElement\ntype plain\n"), nullptr);
        element = CreateElement("2DGUIElement", "plain");
        ASSERT_NE(element, nullptr);
    }

    void Run(int frames, float ms) {
        for (int i = 0; i < frames; ++i) {
            element->Update(ms);
        }
    }

    std::unique_ptr<QxEntity2DGUIElement> element;
};

TEST_F(ElementTest, TypeReadsItsKeysAndIsOfTheElementKind) {
    auto* type = dynamic_cast<QxEntity2DGUIElementType*>(
        Define("class 2DGUIElement\ntype keyed\ntooltip Press me\ntooltippos 3, -4\n"
               "tooltiprelative 0\ndither 1\n"));
    ASSERT_NE(type, nullptr);
    EXPECT_EQ(type->m_tooltip, "Press me");
    EXPECT_EQ(type->m_tooltipOffsetX, 3);
    EXPECT_EQ(type->m_tooltipOffsetY, -4);
    EXPECT_FALSE(type->m_tooltipRelative);
    EXPECT_TRUE(type->m_dither);
    EXPECT_TRUE(type->IsKind(QxKindTag("GUIE")));
    EXPECT_TRUE(type->IsKind(QxKindTag("UNKN")));
    EXPECT_FALSE(type->IsKind(QxKindTag("SCNE")));

    const QxEntity2DGUIElementType defaults(nullptr);
    EXPECT_EQ(defaults.m_tooltipOffsetX, 12);
    EXPECT_EQ(defaults.m_tooltipOffsetY, 24);
    EXPECT_TRUE(defaults.m_tooltipRelative);
    EXPECT_FALSE(defaults.m_dither);
}

TEST_F(ElementTest, FadeOutToZeroLeavesTheElementHiddenAndDisabled) {
    element->FadeOut(100.0f); // 2.55 per ms: a step of -40 every 16 ms
    Run(6, 16.0f);
    EXPECT_EQ(element->GetAlpha(), 15u);
    EXPECT_TRUE(element->IsVisible());
    Run(1, 16.0f);
    EXPECT_EQ(element->GetAlpha(), 0u);
    EXPECT_FALSE(element->IsVisible());
    EXPECT_TRUE(element->IsDisabled());
    EXPECT_FLOAT_EQ(element->FadeRate(), 0.0f);
}

TEST_F(ElementTest, FadeInShowsAHiddenElementOnItsFirstStep) {
    element->SetVisible(false);
    EXPECT_EQ(element->GetAlpha(), 0u);
    element->FadeIn(255.0f); // one alpha unit per ms
    Run(1, 16.0f);
    EXPECT_TRUE(element->IsVisible());
    EXPECT_FALSE(element->IsDisabled());
    EXPECT_EQ(element->GetAlpha(), 16u);
    Run(20, 16.0f);
    EXPECT_EQ(element->GetAlpha(), 255u);
    EXPECT_FLOAT_EQ(element->FadeRate(), 0.0f);
}

TEST_F(ElementTest, FadeOfNoDurationFinishesOnTheNextUpdate) {
    element->FadeOut(0.0f);
    Run(1, 16.0f);
    EXPECT_FALSE(element->IsVisible());
    element->FadeIn(-1.0f);
    Run(1, 16.0f);
    EXPECT_EQ(element->GetAlpha(), 255u);
    EXPECT_TRUE(element->IsVisible());
}

TEST_F(ElementTest, VisibilityTiesAlphaAndDisabledTogether) {
    element->SetAlpha(100);
    element->SetVisible(false);
    EXPECT_TRUE(element->IsDisabled());
    EXPECT_EQ(element->GetAlpha(), 0u);
    element->SetVisible(true);
    EXPECT_FALSE(element->IsDisabled());
    EXPECT_EQ(element->GetAlpha(), 255u);
    // Disabling a visible element keeps it visible.
    element->SetDisabled(true);
    EXPECT_TRUE(element->IsVisible());
    element->SetAlpha(40);
    element->SetVisible(true); // no change: the alpha stays
    EXPECT_EQ(element->GetAlpha(), 40u);
    EXPECT_TRUE(element->IsDisabled());
}

TEST_F(ElementTest, PulseSwingsBetweenItsLimits) {
    element->StartPulse(1000.0f); // 2 * 95 / 1000 per ms
    EXPECT_TRUE(element->IsPulsing());
    Run(1, 16.0f); // a fresh value of 0 clamps to the minimum and turns upward
    EXPECT_FLOAT_EQ(element->PulseValue(), 160.0f);
    EXPECT_EQ(element->GetAlpha(), 160u);
    EXPECT_GT(element->PulseRate(), 0.0f);
    Run(1, 100.0f);
    EXPECT_NEAR(element->PulseValue(), 179.0f, 1e-3);
    EXPECT_EQ(element->GetAlpha(), 179u);
    Run(1, 500.0f); // overshoots: clamped to the maximum, turning downward
    EXPECT_FLOAT_EQ(element->PulseValue(), 255.0f);
    EXPECT_LT(element->PulseRate(), 0.0f);
    Run(1, 100.0f);
    EXPECT_NEAR(element->PulseValue(), 236.0f, 1e-3);

    element->StartPulse(0.0f);
    EXPECT_FALSE(element->IsPulsing());
    EXPECT_EQ(element->GetAlpha(), 255u);
    EXPECT_FLOAT_EQ(element->PulseValue(), 0.0f);
}

TEST_F(ElementTest, SetPulseClampsAlphaIntoRange) {
    element->SetPulse(-50.0f, -1.0f);
    Run(1, 1.0f); // below the minimum: value = minimum, rate turns positive
    EXPECT_EQ(element->GetAlpha(), 160u);
    element->SetPulse(1000.0f, 0.0f);
    Run(1, 1.0f); // not pulsing: nothing moves
    EXPECT_EQ(element->GetAlpha(), 160u);
}

TEST_F(ElementTest, TintBytesAndTooltipThroughTheProperties) {
    EXPECT_TRUE(element->SetBool(2, 1));
    EXPECT_TRUE(element->SetBool(3, 200));
    EXPECT_TRUE(element->SetBool(4, 10));
    EXPECT_TRUE(element->SetBool(5, 300)); // a byte: 300 keeps 44
    const QxColour tint = element->Tint();
    EXPECT_EQ(tint.alpha, 1);
    EXPECT_EQ(tint.red, 200);
    EXPECT_EQ(tint.blue, 10);
    EXPECT_EQ(tint.green, 44);
    std::int32_t value = -7;
    EXPECT_TRUE(element->GetBool(3, value));
    EXPECT_EQ(value, 200);

    value = -7;
    EXPECT_FALSE(element->GetBool(6, value));
    EXPECT_FALSE(element->GetInt(1, value));
    EXPECT_EQ(value, -7);
    EXPECT_FALSE(element->SetInt(2, 1));

    // The tooltip belongs to the type: every instance sees a change.
    auto other = CreateElement("2DGUIElement", "plain");
    EXPECT_TRUE(element->SetString(1, "Shared"));
    std::string text;
    EXPECT_TRUE(other->GetString(1, text));
    EXPECT_EQ(text, "Shared");
    EXPECT_FALSE(other->SetString(2, "x"));
}

TEST_F(ElementTest, HoverClockRunsOnlyStrictlyInsideAVisibleTippedElement) {
    element->SetRect(100, 100, 50, 20);
    SetMouse(120, 110);
    Run(3, 16.0f);
    EXPECT_FLOAT_EQ(element->HoverTime(), 0.0f); // no tooltip text
    element->SetString(1, "Tip");
    Run(3, 16.0f);
    EXPECT_FLOAT_EQ(element->HoverTime(), 48.0f);
    SetMouse(150, 110); // the right edge is outside
    Run(1, 16.0f);
    EXPECT_FLOAT_EQ(element->HoverTime(), 0.0f);
    SetMouse(149, 119);
    Run(1, 16.0f);
    EXPECT_FLOAT_EQ(element->HoverTime(), 16.0f);
    element->SetVisible(false);
    Run(1, 16.0f);
    EXPECT_FLOAT_EQ(element->HoverTime(), 0.0f);
}

TEST_F(ElementTest, UpdateKeepsTheTypeLoaded) {
    EXPECT_FALSE(element->Type()->IsLoaded());
    element->Update(0.0f);
    EXPECT_TRUE(element->Type()->IsLoaded());
}

} // namespace
