#pragma once
// The player's files in the browser: a folder whose files are kept in IndexedDB, read
// back when the page starts and written out after every save, so settings, scores and
// the log survive a reload and a browser restart. When the browser refuses storage
// (private mode, no quota) the game still runs; nothing is kept, and it says so once.

#include <string>

namespace platform::web {

// The folder the binding keeps the player's files in.
std::string StorageFolder();

} // namespace platform::web
