#pragma once
// The program's main function: builds the services, runs the loop, shuts down.
// Returns the exit code; the platform entry point decides what to do with it.

#include <functional>
#include <string>
#include <vector>

#include "app/QxMainLoop.h"

// Optional observers for tools that drive the whole program (the headless runner);
// the game itself runs with none.
struct QxMainHooks {
    // Folders searched before "Resources/" and the working folder (each ends in a
    // separator).
    std::vector<std::string> firstFolders;
    // Every service is built and published; the game object's Init comes next.
    std::function<void()> afterConstruction;
    // Init has run; the loop comes next.
    std::function<void()> afterInit;
    QxLoopHooks loop;
    // The loop has ended with this exit code; the shutdown comes next.
    std::function<void(int exitCode)> beforeShutdown;
};

int RondelixMain();
int RondelixMain(const QxMainHooks& hooks);
