#include "app/QxRandom.h"

#include <array>
#include <mutex>

namespace {

constexpr int kWords = 624;
constexpr int kShift = 397;
constexpr std::uint32_t kMatrix = 0x9908B0DFu;
constexpr std::uint32_t kUpper = 0x80000000u;
constexpr std::uint32_t kLower = 0x7FFFFFFFu;

struct Twister {
    std::array<std::uint32_t, kWords> words{};
    int index = kWords + 1; // kWords + 1: never seeded

    void Seed(std::uint32_t seed) {
        words[0] = seed;
        for (int i = 1; i < kWords; ++i) {
            words[i] = words[i - 1] * 69069u;
        }
        index = kWords;
    }

    void Twist() {
        for (int i = 0; i < kWords; ++i) {
            std::uint32_t y = (words[i] & kUpper) | (words[(i + 1) % kWords] & kLower);
            words[i] = words[(i + kShift) % kWords] ^ (y >> 1) ^ ((y & 1u) ? kMatrix : 0u);
        }
        index = 0;
    }

    std::uint32_t Next() {
        if (index > kWords) {
            Seed(4357u);
        }
        if (index == kWords) {
            Twist();
        }
        std::uint32_t y = words[index++];
        y ^= y >> 11;
        y ^= (y << 7) & 0x9D2C5680u;
        y ^= (y << 15) & 0xEFC60000u;
        y ^= y >> 18;
        return y;
    }
};

// The loading thread draws while types load and the main thread draws for effects on
// the loading screen; the lock keeps the shared state whole.
std::mutex g_lock;
Twister g_twister;

} // namespace

void SeedRandom(std::uint32_t seed) {
    std::lock_guard lock(g_lock);
    g_twister.Seed(seed);
}

std::uint32_t RandomUInt32() {
    std::lock_guard lock(g_lock);
    return g_twister.Next();
}

std::int32_t random(std::int32_t n) {
    if (n <= 0) {
        return 0;
    }
    return static_cast<std::int32_t>(RandomUInt32() % static_cast<std::uint32_t>(n));
}

float RandomFloat(float r) {
    double unit = static_cast<double>(RandomUInt32()) / 4294967295.0; // 0 to 1 inclusive
    return static_cast<float>((unit * 2.0 - 1.0) * static_cast<double>(r));
}
