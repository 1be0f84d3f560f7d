#pragma once
// What the game-play rules ask of the game object: scene requests, quitting, the
// full-screen key switch. The rules reach it through GameServices(); the program
// leaves the built-in link to the game object in place, tests put a recorder in.

#include <cstdint>
#include <memory>
#include <string>

class QxHighScore;

class PyxGameServices {
public:
    PyxGameServices() = default;
    PyxGameServices(const PyxGameServices&) = delete;
    PyxGameServices& operator=(const PyxGameServices&) = delete;
    virtual ~PyxGameServices() = default;

    // Records a scene change for the next frame; two empty names change nothing but
    // play the transition (-1 picks one at random).
    virtual void RequestScene(const std::string& className, const std::string& typeName,
                              std::int32_t transition) = 0;
    virtual void RequestQuit() = 0;
    virtual bool QuitRequested() = 0;
    // Whether the full-screen key may switch the display mode now.
    virtual void SetFullScreenKeyAllowed(bool allowed) = 0;
    // The finished game's entry for the high-score menu, with the two lines it shows,
    // and the table it goes into: a file of its own, or the game's table when empty.
    virtual void HandOverHighScore(std::unique_ptr<QxHighScore> entry, const std::string& first,
                                   const std::string& second, const std::string& tableFile) = 0;
};

// The services in use: the one set by SetGameServices, else the link to the game
// object. Never null.
PyxGameServices& GameServices();
// Replaces the services (null goes back to the game object). Not owned.
void SetGameServices(PyxGameServices* services);
