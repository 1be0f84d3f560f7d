#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "app/PyxGame.h"
#include "app/QxGlobals.h"
#include "app/QxMain.h"
#include "engine/screen/QxWin32Screen2D.h"
#include "game/editor/PyxSetImport.h"
#include "platform/MessagePump.h"
#include "platform/headless/HeadlessMessages.h"
#include "platform/headless/HeadlessSound.h"

namespace {

// Nobody can close a window that nobody sees: after a second of frames the program
// closes it itself, as a player would, and shuts down.
constexpr unsigned kFramesBeforeClosing = 100;

} // namespace

// The process always reports success, whatever the main function answered. A level
// set may be named, as on the desktop.
int main(int argc, char** argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        std::error_code ec;
        const std::filesystem::path absolute = std::filesystem::absolute(argv[i], ec);
        arguments.push_back(ec ? std::string(argv[i]) : absolute.string());
    }
    QxMainHooks hooks;
    hooks.afterConstruction = [&arguments] { PyxOpenSetFromCommandLine(arguments); };
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
