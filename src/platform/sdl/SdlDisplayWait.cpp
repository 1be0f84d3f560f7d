#include "platform/sdl/SdlDisplayWait.h"

#include <poll.h>

#include <SDL_syswm.h>

namespace platform::sdl {

DisplayWait WaitForDisplayInput(SDL_Window* window, std::chrono::microseconds timeout) {
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window == nullptr || SDL_GetWindowWMInfo(window, &info) != SDL_TRUE ||
        info.subsystem != SDL_SYSWM_X11 || info.info.x11.display == nullptr) {
        return DisplayWait::Unsupported;
    }
    Display* display = info.info.x11.display;
    // Both are fields of the connection, read without a call into Xlib (which the
    // program does not link; SDL loads it).
    if (QLength(display) > 0) {
        return DisplayWait::Input;
    }
    if (timeout.count() <= 0) {
        return DisplayWait::TimedOut;
    }
    pollfd watched{ConnectionNumber(display), POLLIN, 0};
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(timeout);
    const timespec time{static_cast<time_t>(seconds.count()),
                        static_cast<long>((timeout - seconds).count() * 1000)};
    // An interrupted wait (a signal SDL turns into a quit event) counts as input too.
    return ppoll(&watched, 1, &time, nullptr) == 0 ? DisplayWait::TimedOut : DisplayWait::Input;
#else
    (void)window;
    (void)timeout;
    return DisplayWait::Unsupported;
#endif
}

} // namespace platform::sdl
