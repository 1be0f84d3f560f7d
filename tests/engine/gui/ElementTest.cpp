// The GUI element base: fades and the visibility rules.

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

    // Fades of no duration finish on the next update.
    element->FadeOut(0.0f);
    Run(1, 16.0f);
    EXPECT_FALSE(element->IsVisible());
    element->FadeIn(0.0f);
    Run(1, 16.0f);
    EXPECT_EQ(element->GetAlpha(), 255u);
}

TEST_F(ElementTest, VisibilityTiesAlphaAndDisabledTogether) {
    element->SetAlpha(100);
    element->SetVisible(false);
    EXPECT_TRUE(element->IsDisabled());
    EXPECT_EQ(element->GetAlpha(), 0u);
    element->SetVisible(true);
    EXPECT_FALSE(element->IsDisabled());
    EXPECT_EQ(element->GetAlpha(), 255u);
}

// A pulse swings the alpha between 160 and 255 over its period, turning at either end;
// a period of 0 stops it at full alpha.
TEST_F(ElementTest, APulseSwingsTheAlphaBetweenItsBoundsUntilStopped) {
    element->StartPulse(190.0f); // 1 alpha unit per ms
    EXPECT_TRUE(element->IsPulsing());
    Run(1, 10.0f);
    EXPECT_EQ(element->GetAlpha(), 160u) << "from 0 up to the bottom at once";
    element->SetPulse(200.0f, -1.0f);
    Run(4, 10.0f);
    EXPECT_EQ(element->GetAlpha(), 160u);
    Run(1, 10.0f);
    EXPECT_EQ(element->GetAlpha(), 170u) << "turned at the bottom";
    element->SetPulse(250.0f, 1.0f);
    Run(2, 10.0f);
    EXPECT_EQ(element->GetAlpha(), 245u) << "turned at the top";
    element->StartPulse(0.0f);
    EXPECT_FALSE(element->IsPulsing());
    EXPECT_EQ(element->GetAlpha(), 255u);
}

} // namespace
