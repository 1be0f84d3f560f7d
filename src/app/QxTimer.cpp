#include "app/QxTimer.h"

#include <algorithm>
#include <cmath>

#include "app/QxInputQueue.h"
#include "platform/Platform.h"

QxTimer::QxTimer() {
    std::int64_t frequency = 0;
    m_highResolution = platform::HighResolutionFrequency(frequency) && frequency > 0 ? 1 : 0;
    m_frequency = m_highResolution ? frequency : 0;
    m_started = 0;
    Reset();
}

void QxTimer::Reset() {
    m_startMilliseconds = platform::TickMilliseconds();
    if (m_highResolution) {
        m_startCount = platform::HighResolutionCounter();
    }
    m_started = 1;
}

double QxTimer::Elapsed() const {
    if (!m_started) {
        return 0.0;
    }
    std::uint32_t now = platform::TickMilliseconds();
    // The wrapped reading keeps the long-standing one-millisecond shortfall.
    std::uint32_t ms =
        now >= m_startMilliseconds ? now - m_startMilliseconds : now - m_startMilliseconds - 1u;
    double secondsMs = static_cast<double>(ms) * 0.001;
    if (!m_highResolution) {
        return secondsMs;
    }
    double secondsHr = static_cast<double>(platform::HighResolutionCounter() - m_startCount) /
                       static_cast<double>(m_frequency);
    return std::fabs(secondsHr - secondsMs) < 100.0 ? secondsHr : secondsMs;
}

bool QueueFrameTick(QxTimer& timer, QxInputQueue& queue) {
    double milliseconds = timer.Elapsed() * 1000.0;
    if (milliseconds < 10.0) {
        return false;
    }
    timer.Reset();
    // A pause of days would not fit the 32-bit tick; it saturates instead of wrapping.
    double tenths = std::min(milliseconds * 10.0, 4294967295.0);
    queue.Push(QxInputEvent::Make(QxInputKind::Tick, static_cast<std::uint32_t>(tenths)));
    return true;
}
