#pragma once
// The program's one random generator: a 32-bit Mersenne Twister (MT19937) seeded
// word by word with the multiplier 69069. Used before any seeding it seeds itself
// with 4357. Safe to call from the main and the loading thread at once.
//
// random(n) overloads the C library's random() by its argument: random(4) is ours,
// random() with no argument would be the C library's and must not be used.

#include <cstdint>

// Reseeds the generator (the game object does this once, with the time in seconds).
void SeedRandom(std::uint32_t seed);

// The next raw 32-bit output.
std::uint32_t RandomUInt32();

// The next output modulo n: 0 to n - 1. Answers 0 (drawing nothing) when n <= 0.
std::int32_t random(std::int32_t n);

// A value uniform in -r to r (drawn from one output).
float RandomFloat(float r);
