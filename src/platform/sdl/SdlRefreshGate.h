#pragma once
// Which of the game's 100 pictures a second a slower display can show. A display that
// refreshes 60 times a second shows at most one picture in each of its periods, the
// latest; the others cost the scaling and the copy to the window for nothing. The gate
// lets the first picture of a period through and holds the later ones back until the
// next period begins, when the latest of them goes out: one picture per period, never
// one lost for good. Counter ticks come from the caller, so it works without a display.

#include <cstdint>

namespace platform::sdl {

class RefreshGate {
public:
    // hz: the display's refresh rate; 0 or less (unknown) counts as 60. At 100 Hz and
    // more every picture of the game's 10 ms frames can be seen, so all go through.
    void SetRate(int hz, std::uint64_t ticksPerSecond) {
        const int rate = hz > 0 ? hz : 60;
        m_period = rate >= 100 ? 0 : ticksPerSecond / std::uint64_t(rate);
        m_slot = UINT64_MAX;
        m_waiting = false;
    }

    // A new picture at `now`: true when it is to be shown now, false when it waits.
    bool Offer(std::uint64_t now) {
        if (m_period == 0 || now / m_period != m_slot) {
            Pass(now);
            return true;
        }
        m_waiting = true;
        return false;
    }

    // True (once) when a waiting picture's period has come: it is to be shown now.
    bool TakeDue(std::uint64_t now) {
        if (!m_waiting || now / m_period == m_slot) {
            return false;
        }
        Pass(now);
        return true;
    }

    // Ticks until a waiting picture is due; 0 when it is due now, UINT64_MAX when none.
    std::uint64_t UntilDue(std::uint64_t now) const {
        if (!m_waiting) {
            return UINT64_MAX;
        }
        const std::uint64_t next = (m_slot + 1) * m_period;
        return next > now ? next - now : 0;
    }

    // Everything was shown another way (a redraw of the whole window).
    void Shown(std::uint64_t now) {
        if (m_period != 0) {
            Pass(now);
        }
    }

    bool Waiting() const { return m_waiting; }

private:
    void Pass(std::uint64_t now) {
        m_slot = m_period != 0 ? now / m_period : 0;
        m_waiting = false;
    }

    std::uint64_t m_period = 0; // ticks; 0: no gate
    std::uint64_t m_slot = UINT64_MAX;
    bool m_waiting = false;
};

} // namespace platform::sdl
