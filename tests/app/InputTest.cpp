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

TEST(InputQueue, FirstInFirstOutAndSafeWhenEmpty) {
    QxInputQueue queue;
    EXPECT_EQ(static_cast<std::uint32_t>(queue.Front().kind), 0u);
    queue.Pop(); // nothing to pop: no harm
    QxInputEvent event;
    EXPECT_FALSE(queue.Take(event));

    queue.Push(QxInputEvent::Make(QxInputKind::Tick, 0));
    queue.Push(QxInputEvent::Make(QxInputKind::KeyDown, QxKey::Up));
    queue.Push(QxInputEvent::Make(QxInputKind::LeftDown));
    EXPECT_EQ(queue.Size(), 3u);
    EXPECT_EQ(queue.Front().kind, QxInputKind::Tick);
    queue.Pop();
    EXPECT_EQ(queue.Front().kind, QxInputKind::KeyDown);
    EXPECT_EQ(queue.Front().Code(), 256);
    queue.Push(QxInputEvent::Make(QxInputKind::Tick, 166));
    queue.Pop();
    queue.Pop();
    EXPECT_EQ(queue.Front().value, 166u);
    queue.Clear();
    EXPECT_TRUE(queue.Empty());
}

TEST(WindowMessages, TypedCharacterBytesAreSignExtended) {
    QxInputQueue queue;
    EXPECT_TRUE(TranslateInputMessage(queue, Msg::Char, 0xE9, 0));
    EXPECT_TRUE(TranslateInputMessage(queue, Msg::Char, 'a', 0));
    EXPECT_TRUE(TranslateInputMessage(queue, Msg::Char, 0x1E9, 0)); // only the byte counts
    auto events = Drain(queue);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].kind, QxInputKind::KeyDown);
    EXPECT_EQ(events[0].Code(), -23);
    EXPECT_EQ(events[1].Code(), 97);
    EXPECT_EQ(events[2].Code(), -23);
}

TEST(WindowMessages, ShiftGivesItsKeyCodeAndNoCharacter) {
    QxInputQueue queue;
    EXPECT_TRUE(TranslateInputMessage(queue, Msg::KeyDown, QxVirtualKey::Shift, 0));
    EXPECT_TRUE(TranslateInputMessage(queue, Msg::KeyUp, QxVirtualKey::Shift, 0));
    auto events = Drain(queue);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].kind, QxInputKind::KeyDown);
    EXPECT_EQ(events[0].Code(), 261);
    EXPECT_EQ(events[1].kind, QxInputKind::KeyUp);
    EXPECT_EQ(events[1].Code(), 261);
}

TEST(WindowMessages, EnterAndLettersArriveOnlyAsCharacters) {
    QxInputQueue queue;
    // Enter (13) and the A key (65): the key messages are swallowed without an event.
    EXPECT_TRUE(TranslateInputMessage(queue, Msg::KeyDown, 13, 0));
    EXPECT_TRUE(TranslateInputMessage(queue, Msg::KeyDown, 65, 0));
    EXPECT_TRUE(TranslateInputMessage(queue, Msg::KeyUp, 13, 0));
    EXPECT_TRUE(queue.Empty());
    EXPECT_TRUE(TranslateInputMessage(queue, Msg::Char, 13, 0));
    auto events = Drain(queue);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].Code(), 13);
}

TEST(WindowMessages, KeyTableCoversArrowsControlShiftPagingAndFunctionKeysOnly) {
    EXPECT_EQ(KeyCodeFromVirtualKey(38), QxKey::Up);
    EXPECT_EQ(KeyCodeFromVirtualKey(40), QxKey::Down);
    EXPECT_EQ(KeyCodeFromVirtualKey(39), QxKey::Right);
    EXPECT_EQ(KeyCodeFromVirtualKey(37), QxKey::Left);
    EXPECT_EQ(KeyCodeFromVirtualKey(17), 260);
    EXPECT_EQ(KeyCodeFromVirtualKey(112), 268);
    EXPECT_EQ(KeyCodeFromVirtualKey(118), 274); // F7, the full-screen key
    EXPECT_EQ(KeyCodeFromVirtualKey(123), 279);
    // Page Up, Page Down, End and Home came later: after F12, nothing renumbered.
    EXPECT_EQ(KeyCodeFromVirtualKey(33), QxKey::PageUp);
    EXPECT_EQ(KeyCodeFromVirtualKey(34), 281);
    EXPECT_EQ(KeyCodeFromVirtualKey(35), QxKey::End);
    EXPECT_EQ(KeyCodeFromVirtualKey(36), 282);
    for (std::uint32_t vk : {0u, 8u, 13u, 18u, 27u, 32u, 41u, 111u, 124u, 0x10026u}) {
        EXPECT_EQ(KeyCodeFromVirtualKey(vk), 0) << vk;
    }
    EXPECT_TRUE(QxKey::IsKeyCode(256));
    EXPECT_TRUE(QxKey::IsKeyCode(279));
    EXPECT_FALSE(QxKey::IsKeyCode(255));
    EXPECT_FALSE(QxKey::IsKeyCode(-23));
}

TEST(WindowMessages, MousePositionWordGivesSignedHalves) {
    QxInputQueue queue;
    EXPECT_TRUE(TranslateInputMessage(queue, Msg::MouseMove, 0, 0x0010FFFBu));
    EXPECT_TRUE(TranslateInputMessage(queue, Msg::MouseMove, 0, 0xFFFE0280u));
    auto events = Drain(queue);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].kind, QxInputKind::MouseMove);
    EXPECT_EQ(events[0].MouseX(), -5);
    EXPECT_EQ(events[0].MouseY(), 16);
    EXPECT_EQ(events[1].MouseX(), 640);
    EXPECT_EQ(events[1].MouseY(), -2);
}

TEST(WindowMessages, WheelTurnsArriveSignedAsTheThirteenthKind) {
    QxInputQueue queue;
    EXPECT_TRUE(TranslateInputMessage(queue, Msg::MouseWheel, 0x00780000u, 0x01000100u));
    EXPECT_TRUE(TranslateInputMessage(queue, Msg::MouseWheel, 0xFE200008u, 0));
    auto events = Drain(queue);
    ASSERT_EQ(events.size(), 2u);
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
    auto events = Drain(queue);
    std::vector<QxInputKind> kinds;
    for (const QxInputEvent& event : events) {
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
