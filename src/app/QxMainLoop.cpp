#include "app/QxMainLoop.h"

#include <cmath>

#include "app/QxGame.h"
#include "app/QxGlobals.h"
#include "app/QxInputQueue.h"
#include "app/QxTimer.h"
#include "app/QxWindowMessages.h"
#include "engine/screen/QxWin32Screen2D.h"
#include "platform/MessagePump.h"
#include "platform/Platform.h"

namespace {

constexpr double kFrameMilliseconds = 10.0;

} // namespace

int RunMessageLoop(QxGame& game, QxTimer& timer, QxInputQueue& queue, const QxLoopHooks* hooks) {
    int exitCode = 0;
    std::uint64_t frames = 0;
    while (!game.IsQuitRequested()) {
        if (!platform::PeekWindowMessage()) {
            const bool due = QueueFrameTick(timer, queue);
            if (due) {
                ++frames;
                if (hooks != nullptr && hooks->beforeFrame) {
                    hooks->beforeFrame(frames, queue);
                }
                game.Frame(queue);
                if (hooks != nullptr && hooks->afterFrame) {
                    hooks->afterFrame(frames);
                }
            }
            if (game.IsInactive()) {
                platform::SleepMilliseconds(1);
            } else if (!due) {
                // Rather than spinning until the frame is due, wait for it or for a
                // message, whichever comes first.
                // In microseconds, rounded up: a wait in whole milliseconds ended up to
                // one late and left the frames 10.5 ms apart.
                const double left = (kFrameMilliseconds - timer.Elapsed() * 1000.0) * 1000.0;
                platform::WaitForMessageOrTimeout(std::chrono::microseconds(
                    left > 0.0 ? static_cast<std::int64_t>(std::ceil(left)) : 0));
            }
            continue;
        }
        // No frame runs in a pass that handled messages.
        while (platform::PeekWindowMessage()) {
            platform::WindowMessage message;
            if (!platform::GetWindowMessage(message)) {
                exitCode = static_cast<int>(static_cast<std::int64_t>(message.first));
                game.RequestQuit();
                break;
            }
            platform::TranslateAndDispatch(message);
        }
    }
    return exitCode;
}

bool QxWindowProcedure(void* window, std::uint32_t message, std::uint64_t first,
                       std::uint64_t second) {
    auto* screen = static_cast<QxWin32Screen2D*>(window);
    if (screen == nullptr) {
        return false;
    }
    switch (message) {
    case platform::kMessagePaint:
        screen->OnWindowRepaint();
        return true;
    case platform::kMessageClose:
        if (g_game != nullptr) {
            g_game->RequestQuit();
        }
        screen->DestroyScreen();
        return true;
    default:
        return TranslateInputMessage(g_inputQueue, message, first, second);
    }
}
