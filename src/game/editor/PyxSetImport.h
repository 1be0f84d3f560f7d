#pragma once
// A shared level set the player names outside the game (on the command line, or by
// opening the file from the desktop) is copied into their level folder, where the list
// of sets finds it. Only the copy is ever read as a set afterwards, so the player may
// delete or move the file they opened. Nothing but that one copy (and its temporary
// file, gone after the rename) is written, always inside the level folder, under a
// name made only of letters, digits and '-'.

#include <string>
#include <vector>

struct PyxSetImport {
    bool Done() const { return error.empty(); }

    std::string path;    // where the set lies in the level folder
    bool copied = false; // false when the same bytes already lay there
    std::string error;   // why it was not taken; empty when it was
};

// Copies the archive file at source into folder (ending in a separator) as
// "<safe stem>.qxa", or "<safe stem>-2.qxa" and so on when another file has that name,
// never replacing one. Nothing is copied when a ".qxa" of the folder already holds the
// same bytes. Refused, with a log line: a name not ending in ".qxa", a missing,
// unreadable or too large file (over kPyxMaxSharedSetBytes), one that is not an archive,
// and a whole archive without a set list (the game's own data, say). A set that is
// damaged in any other way is copied: the list of sets shows it with its reason.
PyxSetImport PyxImportSharedSet(const std::string& source, const std::string& folder);

// Start-up with the arguments after the program's name (absolute paths, as the folder
// the program was started in is left): the first names a set, which is imported into
// the player's level folder, and after loading the game opens the player's sets instead
// of the main menu. A set that cannot be imported, and every further argument, are
// logged and the game starts as usual. Called once the settings store names the user's
// data folder and before the game object's Init starts the loading thread.
void PyxOpenSetFromCommandLine(const std::vector<std::string>& arguments);
