#pragma once
// The time between frame starts, measured when a file is named for it and summed up
// there when the game ends: the way to check frame pacing (and, with the process's CPU
// time, the cost of waiting between frames) on a real desktop. Entry points attach it
// when RONDELIX_FRAME_LOG names a file; the game itself never reads it.

#include <cstdint>
#include <string>
#include <vector>

#include "app/QxMain.h"

namespace platform {

class FrameLog {
public:
    explicit FrameLog(const char* path) : m_path(path != nullptr ? path : "") {}

    // Hooks the loop's frames and the shutdown; nothing without a file name.
    void Attach(QxMainHooks& hooks);

    // "frames N mean M ms p1 .. p50 .. p90 .. p99 .. max .." and a line of buckets.
    static std::string Summary(std::vector<double> intervals);

private:
    void Frame();
    void Write() const;

    std::string m_path;
    std::int64_t m_frequency = 0;
    std::int64_t m_last = 0;
    std::vector<double> m_intervals; // milliseconds
};

} // namespace platform
