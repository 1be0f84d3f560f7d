#pragma once
// SDL2's game controllers as key messages (see Gamepad): every controller plugged in,
// at start or later, is opened and read; one pulled out lets go of its keys.

#include <map>
#include <vector>

#include <SDL.h>

#include "platform/Gamepad.h"
#include "platform/MessagePump.h"

namespace platform::sdl {

class SdlGamepads {
public:
    SdlGamepads() = default;
    SdlGamepads(const SdlGamepads&) = delete;
    SdlGamepads& operator=(const SdlGamepads&) = delete;
    ~SdlGamepads();

    // Opens SDL's game-controller subsystem; the controllers already plugged in then
    // arrive as added devices. Without one (no joystick support on this system) the
    // game goes on without pads; that is logged once. False then.
    bool Start();
    // Closes every controller and the subsystem.
    void Stop();

    // For a controller event, adds its key messages for `window` and answers true;
    // false for every other event.
    bool Convert(const SDL_Event& event, void* window, std::vector<WindowMessage>& out);

    // Controllers open now.
    std::size_t Count() const { return m_pads.size(); }

private:
    struct Pad {
        SDL_GameController* controller = nullptr;
        GamepadKeys keys;
    };
    std::map<SDL_JoystickID, Pad> m_pads;
    bool m_started = false;
};

} // namespace platform::sdl
