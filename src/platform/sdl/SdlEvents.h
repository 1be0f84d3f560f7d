#pragma once
// SDL2 events as the desktop's window messages. Pure functions of the event and of
// what the binding knows about its windows, so they can be checked without a display.

#include <cstdint>
#include <vector>

#include <SDL.h>

#include "platform/MessagePump.h"

namespace platform::sdl {

// What the conversion needs to know about the program's windows.
struct SdlEventContext {
    // The owner of the window with that SDL id (null when it is not one of ours).
    void* (*ownerOf)(Uint32 windowId) = nullptr;
    // A window position in picture pixels; false when the window is unknown.
    bool (*toPicture)(Uint32 windowId, int x, int y, int* px, int* py) = nullptr;
    // Some window's owner for system-wide events (null: the program has no window).
    void* anyOwner = nullptr;
    // The event type the binding registered for PostQuit.
    Uint32 quitEventType = 0;
};

// Desktop virtual-key code of the keys the game reads as keys; 0 for the rest.
std::uint32_t VirtualKeyOf(SDL_Keycode key);

// The control character the desktop types for Enter, Escape, Backspace and Tab; 0 for
// every other key.
std::uint32_t ControlCharacterOf(SDL_Keycode key);

// The messages one event stands for, in order (none for events the game ignores).
std::vector<WindowMessage> ConvertEvent(const SDL_Event& event, const SdlEventContext& context);

} // namespace platform::sdl
