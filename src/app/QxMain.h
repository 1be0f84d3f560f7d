#pragma once

// The program's main function: builds the services, runs the loop, shuts down.
// Returns the exit code; the platform entry point decides what to do with it.
int RondelixMain();
