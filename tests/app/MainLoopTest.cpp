// The message loop's pacing over the manual clock, the window procedure, and the
// headless message queue's translation of key presses.

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/QxGame.h"
#include "app/QxGlobals.h"
#include "app/QxInputQueue.h"
#include "app/QxMainLoop.h"
#include "app/QxTimer.h"
#include "engine/screen/QxWin32Screen2D.h"
#include "platform/MessagePump.h"
#include "platform/headless/Headless.h"
#include "platform/headless/HeadlessMessages.h"

namespace {

namespace headless = platform::headless;

// A game that records what each frame received and quits (or posts a quit message)
// after a given number of frames.
class RecordingGame : public QxGame {
public:
    int Init() override { return 1; }

    void Frame(QxInputQueue& queue) override {
        std::vector<QxInputEvent> events;
        QxInputEvent event;
        while (queue.Take(event)) {
            events.push_back(event);
        }
        frames.push_back(events);
        if (static_cast<int>(frames.size()) == stopAfter) {
            if (quitCode >= 0) {
                platform::PostQuit(quitCode);
            } else {
                RequestQuit();
            }
        }
    }

    void RequestScene(const std::string&, const std::string&, int) override {}

    void SetInactive(bool inactive) { m_inactive = inactive ? 1 : 0; }

    // The Tick values of one frame.
    std::vector<std::uint32_t> Ticks(std::size_t frame) const {
        std::vector<std::uint32_t> ticks;
        for (const QxInputEvent& e : frames.at(frame)) {
            if (e.kind == QxInputKind::Tick) {
                ticks.push_back(e.value);
            }
        }
        return ticks;
    }

    std::vector<std::vector<QxInputEvent>> frames;
    int stopAfter = 1;
    int quitCode = -1; // >= 0: post a quit message with this code instead
};

class MainLoopTest : public testing::Test {
protected:
    void SetUp() override {
        headless::UseManualClock(true);
        headless::SetManualFrequency(1000000);
        headless::SetManualTick(5000);
        headless::SetManualCounter(0);
        headless::ClearWindowMessages();
        headless::ClearIdleSteps();
        platform::SetWindowProcedure(&QxWindowProcedure);
        queue_.Clear();
        g_inputQueue.Clear();
    }

    void TearDown() override {
        headless::ClearWindowMessages();
        headless::ClearIdleSteps();
        headless::UseManualClock(false);
        platform::SetWindowProcedure(nullptr);
        g_inputQueue.Clear();
        g_game = nullptr;
    }

    int Run(RecordingGame& game) {
        QxTimer timer;
        timer.Reset();
        return RunMessageLoop(game, timer, queue_);
    }

    QxInputQueue queue_;
};

TEST_F(MainLoopTest, TooEarlyPassRunsNoFrameAndKeepsTheTime) {
    RecordingGame game;
    game.stopAfter = 2;
    // 9.9 ms: no frame and no reset, so the next frame carries all 16.67 ms (166).
    headless::QueueIdleSteps({9900, 6770, 10000});
    Run(game);
    ASSERT_EQ(game.frames.size(), 2u);
    EXPECT_EQ(game.Ticks(0), (std::vector<std::uint32_t>{166}));
    EXPECT_EQ(game.Ticks(1), (std::vector<std::uint32_t>{100}));
}

TEST_F(MainLoopTest, QuitMessageEndsTheLoopWithItsCode) {
    RecordingGame game;
    game.stopAfter = 2;
    game.quitCode = 3;
    headless::SetRepeatingIdleStep(10000);
    EXPECT_EQ(Run(game), 3);
    EXPECT_TRUE(game.IsQuitRequested());
    EXPECT_EQ(game.frames.size(), 2u);

    // A quit waiting before the first pass runs no frame.
    RecordingGame early;
    platform::PostQuit(4);
    EXPECT_EQ(Run(early), 4);
    EXPECT_TRUE(early.frames.empty());
}

TEST_F(MainLoopTest, PassWithMessagesRunsNoFrame) {
    QxWin32Screen2D screen;
    RecordingGame game;
    game.stopAfter = 1;
    // The messages wait before the first pass; the frame comes in a later, idle pass
    // and the loop queued their events into the global queue, not the frame's own.
    headless::PostMouseMove(&screen, 5, 6);
    headless::PostLeftButton(&screen, true);
    headless::SetRepeatingIdleStep(10000);
    Run(game);
    ASSERT_EQ(game.frames.size(), 1u);
    ASSERT_EQ(g_inputQueue.Size(), 2u);
    EXPECT_EQ(g_inputQueue.Front().kind, QxInputKind::MouseMove);
}

TEST_F(MainLoopTest, InactiveGameSleepsAMillisecondPerIdlePassAndStillGetsFrames) {
    RecordingGame game;
    game.SetInactive(true);
    game.stopAfter = 3;
    // No idle steps: only the 1 ms sleeps move the manual clock.
    Run(game);
    ASSERT_EQ(game.frames.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(game.Ticks(i), (std::vector<std::uint32_t>{100})) << i;
    }
}

// ---- window procedure -------------------------------------------------------------------

class WindowProcedureTest : public MainLoopTest {};

TEST_F(WindowProcedureTest, RepaintCopiesAllCloseQuitsAndTheRestGoesToTheDefault) {
    RecordingGame game;
    g_game = &game;
    QxWin32Screen2D screen;
    EXPECT_FALSE(QxWindowProcedure(&screen, 0x0112 /* a system command */, 0, 0));
    EXPECT_FALSE(QxWindowProcedure(nullptr, 256, 38, 0));
    EXPECT_TRUE(g_inputQueue.Empty());
    QxDisplayMode mode;
    mode.width = 64;
    mode.height = 48;
    mode.format.bitsPerPixel = 16;
    ASSERT_TRUE(screen.CreateScreen(&mode, "test"));
    screen.ClearDirty();
    EXPECT_TRUE(QxWindowProcedure(&screen, platform::kMessagePaint, 0, 0));
    ASSERT_EQ(screen.GetDirtyList().size(), 1u);
    EXPECT_EQ(screen.GetDirtyList()[0], (QxRect{0, 64, 0, 48}));
    EXPECT_FALSE(game.IsQuitRequested());
    EXPECT_TRUE(QxWindowProcedure(&screen, platform::kMessageClose, 0, 0));
    EXPECT_TRUE(game.IsQuitRequested());
    EXPECT_FALSE(screen.IsCreated());
    EXPECT_EQ(screen.Window(), nullptr);
}

// Every message waiting is dispatched in one pass, translated as the desktop does.
std::vector<QxInputEvent> DispatchAll() {
    platform::WindowMessage message;
    while (platform::PeekWindowMessage() && platform::GetWindowMessage(message)) {
        platform::TranslateAndDispatch(message);
    }
    std::vector<QxInputEvent> events;
    QxInputEvent event;
    while (g_inputQueue.Take(event)) {
        events.push_back(event);
    }
    return events;
}

TEST_F(WindowProcedureTest, KeyPressesBecomeKeysOrCharactersNeverBoth) {
    QxWin32Screen2D screen;
    headless::PostKeyPress(&screen, 16); // Shift
    headless::PostKeyPress(&screen, 65); // A, with Shift held
    headless::PostKeyRelease(&screen, 65);
    headless::PostKeyRelease(&screen, 16);
    headless::PostKeyPress(&screen, 65);    // a
    headless::PostKeyPress(&screen, 13);    // Enter
    headless::PostKeyPress(&screen, 118);   // F7
    headless::PostCharacter(&screen, 0xE9); // a high character keeps its sign
    const std::vector<QxInputEvent> events = DispatchAll();
    const std::vector<std::pair<QxInputKind, std::int32_t>> expected = {
        {QxInputKind::KeyDown, 261}, {QxInputKind::KeyDown, 65}, {QxInputKind::KeyUp, 261},
        {QxInputKind::KeyDown, 97},  {QxInputKind::KeyDown, 13}, {QxInputKind::KeyDown, 274},
        {QxInputKind::KeyDown, -23},
    };
    ASSERT_EQ(events.size(), expected.size());
    for (std::size_t i = 0; i < events.size(); ++i) {
        EXPECT_EQ(events[i].kind, expected[i].first) << i;
        EXPECT_EQ(events[i].Code(), expected[i].second) << i;
    }
}

} // namespace
