// The window messages the game turns into input events (the desktop's own dispatch of
// key presses is in MainLoopTest).

#include <gtest/gtest.h>

#include "app/QxInputQueue.h"
#include "app/QxWindowMessages.h"

namespace {

using Msg = QxWindowMessage;

std::vector<QxInputEvent> Drain(QxInputQueue& queue) {
    std::vector<QxInputEvent> events;
    QxInputEvent event;
    while (queue.Take(event)) {
        events.push_back(event);
    }
    return events;
}

TEST(WindowMessages, PositionsAndWheelTurnsArriveSigned) {
    QxInputQueue queue;
    EXPECT_TRUE(TranslateInputMessage(queue, Msg::MouseWheel, 0x00780000u, 0x01000100u));
    EXPECT_TRUE(TranslateInputMessage(queue, Msg::MouseWheel, 0xFE200008u, 0));
    EXPECT_TRUE(TranslateInputMessage(queue, Msg::MouseMove, 0, 0xFFFEFFFBu));
    auto events = Drain(queue);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[2].MouseX(), -5);
    EXPECT_EQ(events[2].MouseY(), -2);
    EXPECT_EQ(static_cast<std::uint32_t>(events[0].kind), 13u);
    EXPECT_EQ(events[0].WheelTurn(), 120);
    EXPECT_EQ(events[1].WheelTurn(), -480);
    EXPECT_EQ(events[1].value, 0xFFFFFE20u); // as a recording stores it
}

TEST(WindowMessages, ButtonsActivationAndOtherMessages) {
    QxInputQueue queue;
    for (std::uint32_t message : {513u, 514u, 516u, 517u, 519u, 520u}) {
        EXPECT_TRUE(TranslateInputMessage(queue, message, 0, 0x00050005u));
    }
    EXPECT_TRUE(TranslateInputMessage(queue, Msg::ActivateApp, 0x10000, 0)); // low word 0
    EXPECT_TRUE(TranslateInputMessage(queue, Msg::ActivateApp, 1, 0));
    std::vector<QxInputKind> kinds;
    for (const QxInputEvent& event : Drain(queue)) {
        kinds.push_back(event.kind);
        EXPECT_EQ(event.value, 0u);
    }
    EXPECT_EQ(kinds, (std::vector<QxInputKind>{QxInputKind::LeftDown, QxInputKind::LeftUp,
                                               QxInputKind::RightDown, QxInputKind::RightUp,
                                               QxInputKind::MiddleDown, QxInputKind::MiddleUp,
                                               QxInputKind::Deactivated, QxInputKind::Activated}));

    // Paint, close, double clicks and system keys keep their default handling.
    for (std::uint32_t message : {15u, 16u, 260u, 261u, 515u, 518u, 521u}) {
        EXPECT_FALSE(TranslateInputMessage(queue, message, 0, 0)) << message;
    }
    EXPECT_TRUE(queue.Empty());
}

} // namespace
