#pragma once
// The message loop that paces the frames, and the window procedure that turns the
// window's messages into input events.

#include <cstdint>
#include <functional>

class QxGame;
class QxInputQueue;
class QxTimer;

// Optional observers of the loop, for tools that drive the game (the headless
// runner); the game itself runs with none.
struct QxLoopHooks {
    // Just before each frame, with the events the frame will consume (frames count
    // from 1). The hook may change the queue.
    std::function<void(std::uint64_t frame, QxInputQueue& queue)> beforeFrame;
    // Just after each frame.
    std::function<void(std::uint64_t frame)> afterFrame;
};

// Runs until the game's quit flag is set. Whenever no message waits and at least 10 ms
// have passed, queues a Tick and runs one frame; while the game is inactive every idle
// pass sleeps 1 ms. Answers the exit code of the quit message, or 0 when the loop
// ended through the quit flag.
int RunMessageLoop(QxGame& game, QxTimer& timer, QxInputQueue& queue,
                   const QxLoopHooks* hooks = nullptr);

// The window procedure: the window's owner is the screen (null before the screen has
// attached itself, and then nothing is handled). Repaint clears the screen, close asks
// the game to quit and destroys the screen, input messages become events in the global
// input queue. True when the message was handled.
bool QxWindowProcedure(void* window, std::uint32_t message, std::uint64_t first,
                       std::uint64_t second);
