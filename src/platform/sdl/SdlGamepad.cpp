// Controller events only say that something changed; each one is answered by reading the
// whole controller, so the keys follow what the pad shows now even when events were
// merged or dropped.

#include "platform/sdl/SdlGamepad.h"

#include "engine/files/QxLog.h"

namespace platform::sdl {
namespace {

GamepadState Read(SDL_GameController* controller) {
    auto button = [controller](SDL_GameControllerButton which) {
        return SDL_GameControllerGetButton(controller, which) != 0;
    };
    GamepadState state;
    state.up = button(SDL_CONTROLLER_BUTTON_DPAD_UP);
    state.down = button(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    state.left = button(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    state.right = button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    state.a = button(SDL_CONTROLLER_BUTTON_A);
    state.b = button(SDL_CONTROLLER_BUTTON_B);
    state.start = button(SDL_CONTROLLER_BUTTON_START);
    state.stickX = SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTX);
    state.stickY = SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTY);
    return state;
}

void Append(std::vector<WindowMessage>& out, const std::vector<WindowMessage>& messages) {
    out.insert(out.end(), messages.begin(), messages.end());
}

} // namespace

SdlGamepads::~SdlGamepads() {
    Stop();
}

bool SdlGamepads::Start() {
    if (m_started) {
        return true;
    }
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        static bool logged = false;
        if (!logged) {
            LogPrintf("Gamepads - none: %s", SDL_GetError());
        }
        logged = true;
        return false;
    }
    m_started = true;
    return true;
}

void SdlGamepads::Stop() {
    if (!m_started) {
        return;
    }
    for (auto& [id, pad] : m_pads) {
        SDL_GameControllerClose(pad.controller);
    }
    m_pads.clear();
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    m_started = false;
}

bool SdlGamepads::Convert(const SDL_Event& event, void* window, std::vector<WindowMessage>& out) {
    switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED: {
        SDL_GameController* controller = SDL_GameControllerOpen(event.cdevice.which);
        if (controller == nullptr) {
            return true;
        }
        const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
        // An already open controller may be announced again; SDL counts the opens.
        if (m_pads.count(id) != 0) {
            SDL_GameControllerClose(controller);
        } else {
            m_pads[id].controller = controller;
        }
        return true;
    }
    case SDL_CONTROLLERDEVICEREMOVED: {
        const auto it = m_pads.find(event.cdevice.which);
        if (it != m_pads.end()) {
            Append(out, it->second.keys.Release(window));
            SDL_GameControllerClose(it->second.controller);
            m_pads.erase(it);
        }
        return true;
    }
    case SDL_CONTROLLERAXISMOTION:
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP: {
        const SDL_JoystickID id =
            event.type == SDL_CONTROLLERAXISMOTION ? event.caxis.which : event.cbutton.which;
        const auto it = m_pads.find(id);
        if (it != m_pads.end()) {
            Append(out, it->second.keys.Update(Read(it->second.controller), window));
        }
        return true;
    }
    default:
        return false;
    }
}

} // namespace platform::sdl
