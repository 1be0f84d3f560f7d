#include "app/PyxGame.h"
#include "app/QxGlobals.h"
#include "app/QxMain.h"
#include "engine/screen/QxWin32Screen2D.h"
#include "platform/MessagePump.h"
#include "platform/headless/HeadlessMessages.h"
#include "platform/headless/HeadlessSound.h"

namespace {

// Nobody can close a window that nobody sees: after a second of frames the program
// closes it itself, as a player would, and shuts down.
constexpr unsigned kFramesBeforeClosing = 100;

} // namespace

// The process always reports success, whatever the main function answered.
int main() {
    QxMainHooks hooks;
    hooks.loop.afterFrame = [](std::uint64_t frame) {
        // The headless sound service plays only as far as it is told.
        if (PyxGame* game = ThePyxGame()) {
            platform::headless::AdvanceSound(game->FrameTime());
        }
        if (frame == kFramesBeforeClosing) {
            platform::headless::PostWindowMessage(dynamic_cast<QxWin32Screen2D*>(g_screen),
                                                  platform::kMessageClose);
        }
    };
    RondelixMain(hooks);
    return 0;
}
