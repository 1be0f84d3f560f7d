#pragma once
#include <cstddef>
#include <string>

// The editing rules of a one-line (or wrapped) text entry, apart from the element
// that draws it: key handling with its character filters, and the window of
// characters shown around the cursor of a long entry.
struct QxTextEditRules {
    // Which characters typing may insert.
    bool numbersOnly = false;
    bool ipAddress = false;
    // Lines are WrapWidth characters long when 1 or more (arrow up and down move
    // between them); below 1 the text is one line.
    int wrapWidth = -1;
    size_t maxLength = 256;

    // Applies one key code (a character byte, sign-extended or not, or a key code
    // from 256 up) to text and cursor; characters 32 to 255 are typed. False only
    // when a printable character is refused by the filters; every other code counts
    // as handled, even when nothing changes.
    bool HandleKey(std::string& text, size_t& cursor, int code) const;

    // What a window of `windowSize` characters shows of `text` with the cursor at
    // `cursor`: the text itself when it fits, else a part marked with "... " at a
    // cut start and " ..." at a cut end. `caret` is the cursor's index in `shown`.
    struct Window {
        std::string shown;
        size_t caret = 0;
    };
    static Window ShowWindow(const std::string& text, size_t cursor, int windowSize);

    // The group of an address that the cursor is in: the characters between the
    // last dot before the cursor and the first dot at or after it.
    static size_t GroupLengthAt(const std::string& text, size_t cursor);
};
