// Desktop entry: finds the game's data, opens SDL and runs the program.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include <SDL.h>

#include "app/QxMain.h"
#include "platform/DataFolder.h"
#include "platform/Platform.h"
#include "platform/sdl/SdlWindow.h"

namespace fs = std::filesystem;

namespace {

// The game reads its data from the working folder; started from anywhere else, it
// moves to where its data was installed.
void FindData(const char* argv0) {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        exe = fs::absolute(argv0, ec);
    const fs::path folder = platform::FindDataFolder(fs::current_path(ec), exe);
    if (!folder.empty())
        fs::current_path(folder, ec);
}

// With RONDELIX_FRAME_LOG naming a file, the time between frame starts is measured
// and summed up there when the game ends: the way to check the frame pacing (and,
// with the process's CPU time, the cost of waiting) on a real desktop.
class FrameLog {
public:
    explicit FrameLog(const char* path) : m_path(path != nullptr ? path : "") {}

    void Attach(QxMainHooks& hooks) {
        if (m_path.empty())
            return;
        platform::HighResolutionFrequency(m_frequency);
        hooks.loop.beforeFrame = [this](std::uint64_t, QxInputQueue&) { Frame(); };
        hooks.beforeShutdown = [this](int) { Write(); };
    }

private:
    void Frame() {
        const std::int64_t now = platform::HighResolutionCounter();
        if (m_last != 0 && m_frequency > 0)
            m_intervals.push_back(double(now - m_last) * 1000.0 / double(m_frequency));
        m_last = now;
    }

    void Write() {
        std::FILE* out = std::fopen(m_path.c_str(), "w");
        if (out == nullptr || m_intervals.empty()) {
            if (out != nullptr)
                std::fclose(out);
            return;
        }
        std::vector<double> sorted = m_intervals;
        std::sort(sorted.begin(), sorted.end());
        auto at = [&sorted](double share) {
            return sorted[std::min(sorted.size() - 1, size_t(share * double(sorted.size())))];
        };
        double sum = 0;
        for (double v : sorted)
            sum += v;
        std::fprintf(out, "frames %zu mean %.3f ms p1 %.3f p50 %.3f p90 %.3f p99 %.3f max %.3f\n",
                     sorted.size(), sum / double(sorted.size()), at(0.01), at(0.5), at(0.9),
                     at(0.99), sorted.back());
        int buckets[7] = {};
        for (double v : sorted)
            ++buckets[v < 10   ? 0
                      : v < 11 ? 1
                      : v < 12 ? 2
                      : v < 15 ? 3
                      : v < 20 ? 4
                      : v < 50 ? 5
                               : 6];
        std::fprintf(out,
                     "<10 ms %d | 10-11 ms %d | 11-12 ms %d | 12-15 ms %d | 15-20 ms %d | "
                     "20-50 ms %d | >=50 ms %d\n",
                     buckets[0], buckets[1], buckets[2], buckets[3], buckets[4], buckets[5],
                     buckets[6]);
        std::fclose(out);
    }

    std::string m_path;
    std::int64_t m_frequency = 0;
    std::int64_t m_last = 0;
    std::vector<double> m_intervals;
};

} // namespace

int main(int, char** argv) {
    FindData(argv[0]);
    // Video starts with the window, so that a missing display is reported by the game
    // (in its log) as well as here.
    if (SDL_Init(SDL_INIT_EVENTS) != 0) {
        std::fprintf(stderr, "Rondelix cannot start SDL: %s\n", SDL_GetError());
        return 1;
    }
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    QxMainHooks hooks;
    FrameLog frameLog(std::getenv("RONDELIX_FRAME_LOG"));
    frameLog.Attach(hooks);
    const int exitCode = RondelixMain(hooks);
    const std::string failure = platform::sdl::WindowFailure();
    SDL_Quit();
    if (!failure.empty()) {
        std::fprintf(stderr, "Rondelix cannot open a window: %s\n", failure.c_str());
        return 1;
    }
    return exitCode;
}
