#pragma once
// XInput pads as key messages (see Gamepad), posted to the game's window while it has
// the focus, so they travel the same road as the keyboard's.

namespace platform::win32 {

// Reads the pads when a frame's time has passed since the last read and posts what
// changed. Cheap to call on every pass of the message loop.
void PollGamepads();

} // namespace platform::win32
