#pragma once
// Waiting for the display's input without SDL's event wait, which asks the X server,
// the joysticks and the hot-plug monitors for news before and after every wait: at 100
// frames a second those questions cost more than the menu's picture. Here the wait only
// watches the display connection; the queue is read once afterwards.

#include <chrono>

#include <SDL.h>

namespace platform::sdl {

enum class DisplayWait {
    Input,      // the display has something to read (or a signal came): pump now
    TimedOut,   // nothing arrived in the time given
    Unsupported // not a display connection this can watch: wait SDL's way instead
};

// Waits up to `timeout` for input on the connection of the window's display. Events
// Xlib has already read (while a picture was sent, say) count as input at once.
DisplayWait WaitForDisplayInput(SDL_Window* window, std::chrono::microseconds timeout);

} // namespace platform::sdl
