#pragma once
// What the browser binding's parts share. The game runs on a thread of its own (its
// loop sleeps and waits as on the desktop); the page's events, the picture's
// presentation and the gamepads belong to the browser's thread, which hands events
// over through this queue.

#include "platform/MessagePump.h"

namespace platform::web {

// Queues a message for the game's thread; any thread may post.
void Post(const WindowMessage& message);

// The tab is hidden (another tab, a minimised window): the game's idle sleeps last
// until it shows again or a message comes, so a hidden game takes no processor time.
void SetPageHidden(bool hidden);
bool IsPageHidden();
// Sleeps for the time, or while the page is hidden, until a message comes or the page
// shows. Only the game's thread waits for the page; other threads just sleep.
void IdleSleep(unsigned milliseconds);

// The owner that window messages are addressed to (the screen); null while the game
// has no window.
void SetWindowOwner(void* owner);
void* WindowOwner();

// The mouse's last position over the page, in picture pixels.
void LastMousePosition(int* x, int* y);

// Puts the game's latest picture on the canvas, when it has a new one; the browser's
// thread calls it once per display frame.
void PresentLatestPicture();

// The page's event handlers on the browser's thread: keys, mouse, wheel, focus and
// visibility, and the presentation loop that also reads the gamepads.
void StartPageInput();
void StopPageInput();

} // namespace platform::web
