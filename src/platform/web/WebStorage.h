#pragma once
// The player's files in the browser: a folder whose files are kept in IndexedDB, read
// back before the game starts (the page does that) and written out after every save,
// so settings, scores and the log survive a reload and a browser restart. When the
// browser refuses storage (private mode, no quota) the game still runs; nothing is
// kept, and it says so once.

#include <string>

namespace platform::web {

// The folder the binding keeps the player's files in.
std::string StorageFolder();

// True when the browser gave the page no storage that outlives it.
bool IsStorageRefused();

// Has the folder written out to the browser's storage soon. Saves come in bursts (a
// file, then its rename into place), so the page waits a moment and writes once.
// Logs, once, that an earlier write-out failed.
void RequestStorageSync();

} // namespace platform::web
