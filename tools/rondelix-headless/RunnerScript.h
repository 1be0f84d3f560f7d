#pragma once
// The two input files of the headless runner.
//
// An input script says what the player does, as window messages posted before a frame:
// one command per line, "FRAME COMMAND ARGUMENTS", with "#" starting a comment:
//     move X Y      the mouse moves to X, Y (client pixels)
//     down / up     the left button is pressed / released
//     key CODE      a key is pressed (it also types its character, as on the desktop)
//     keyup CODE    a key is released
//     char C        a character is typed without a key (a character, or its code)
//     wheel N       the mouse wheel turns N notches (positive up, negative down)
//     activate 0|1  the program loses / regains the focus
//     close         the user closes the window
// CODE is a key name (Up, Down, Left, Right, Control, Shift, F1 to F12, PageUp,
// PageDown, Home, End, Enter, Escape, Space, Backspace, Tab, a letter or a digit), a
// game key code (256 to 283) or a desktop virtual key number.
//
// A recording holds the seed, the frame time, the level option and every input event
// that every frame took, ticks included, so a replay feeds the game exactly the same.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "app/QxInputEvent.h"

struct ScriptMessage {
    std::uint32_t message = 0;
    std::uint64_t first = 0;
    std::uint64_t second = 0;
};

class InputScript {
public:
    // False with a message naming the file and line that could not be read.
    bool Load(const std::string& path, std::string& error);
    bool Parse(const std::string& text, std::string& error);

    // The messages to post before the frame (null: none).
    const std::vector<ScriptMessage>* MessagesFor(std::uint64_t frame) const;
    std::uint64_t LastFrame() const;

private:
    std::map<std::uint64_t, std::vector<ScriptMessage>> m_frames;
};

// The virtual key of a key name or number; 0 when there is none.
std::uint32_t VirtualKeyOf(const std::string& code);

struct Recording {
    std::uint32_t seed = 0;
    float frameMs = 10.0f;
    std::string level;
    std::uint64_t frames = 0;
    std::map<std::uint64_t, std::vector<QxInputEvent>> events;

    bool Load(const std::string& path, std::string& error);
    bool Save(const std::string& path) const;
};
