#pragma once
// Frame timer over the platform's high-resolution counter, checked against the
// millisecond tick: a counter reading that disagrees with the tick by 100 seconds or
// more is not trusted.

#include <cstdint>

class QxTimer {
public:
    QxTimer();

    void Reset();
    // Seconds since the last reset; 0 before the first.
    double Elapsed() const;

    bool HighResolution() const { return m_highResolution != 0; }

private:
    std::int64_t m_startCount = 0;
    std::int64_t m_frequency = 0;
    std::uint32_t m_startMilliseconds = 0;
    std::uint8_t m_started = 0;
    std::uint8_t m_highResolution = 0;
};

class QxInputQueue;

// The main loop's idle step: once at least 10 ms have passed since the last frame,
// resets the timer, queues a Tick carrying the elapsed time in tenths of a
// millisecond and answers true (a frame is due). Below 10 ms nothing changes.
bool QueueFrameTick(QxTimer& timer, QxInputQueue& queue);
