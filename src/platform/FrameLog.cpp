#include "platform/FrameLog.h"

#include <algorithm>
#include <cstdio>

#include "platform/Platform.h"

namespace platform {

void FrameLog::Attach(QxMainHooks& hooks) {
    if (m_path.empty()) {
        return;
    }
    HighResolutionFrequency(m_frequency);
    hooks.loop.beforeFrame = [this](std::uint64_t, QxInputQueue&) { Frame(); };
    hooks.beforeShutdown = [this](int) { Write(); };
}

void FrameLog::Frame() {
    const std::int64_t now = HighResolutionCounter();
    if (m_last != 0 && m_frequency > 0) {
        m_intervals.push_back(double(now - m_last) * 1000.0 / double(m_frequency));
    }
    m_last = now;
}

std::string FrameLog::Summary(std::vector<double> intervals) {
    if (intervals.empty()) {
        return "frames 0\n";
    }
    std::sort(intervals.begin(), intervals.end());
    auto at = [&intervals](double share) {
        return intervals[std::min(intervals.size() - 1, size_t(share * double(intervals.size())))];
    };
    double sum = 0;
    for (double v : intervals) {
        sum += v;
    }
    char line[256];
    std::snprintf(line, sizeof(line),
                  "frames %zu mean %.3f ms p1 %.3f p50 %.3f p90 %.3f p99 %.3f max %.3f\n",
                  intervals.size(), sum / double(intervals.size()), at(0.01), at(0.5), at(0.9),
                  at(0.99), intervals.back());
    std::string text = line;
    int buckets[7] = {};
    for (double v : intervals) {
        ++buckets[v < 10 ? 0 : v < 11 ? 1 : v < 12 ? 2 : v < 15 ? 3 : v < 20 ? 4 : v < 50 ? 5 : 6];
    }
    std::snprintf(line, sizeof(line),
                  "<10 ms %d | 10-11 ms %d | 11-12 ms %d | 12-15 ms %d | 15-20 ms %d | "
                  "20-50 ms %d | >=50 ms %d\n",
                  buckets[0], buckets[1], buckets[2], buckets[3], buckets[4], buckets[5],
                  buckets[6]);
    return text + line;
}

void FrameLog::Write() const {
    std::FILE* out = std::fopen(m_path.c_str(), "w");
    if (out == nullptr) {
        return;
    }
    const std::string text = Summary(m_intervals);
    std::fputs(text.c_str(), out);
    std::fclose(out);
}

} // namespace platform
