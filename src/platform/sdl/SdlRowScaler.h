#pragma once
// Widens rows of the 15-bit picture into window pixels, nearest pixel: window column x
// of the scaled box shows picture column x * pictureWidth / boxWidth. Enlarged, every
// picture pixel covers n or n + 1 window pixels, so each is converted once and written
// n + 1 times, the next one starting where its own share begins; only the last of the
// row is written exactly. The window pixels outside the columns asked for are never
// touched. Windows of 8-8-8 pixels (nearly all) have their colours worked out a row at
// a time, which the compiler does several pixels at once, rather than looked up in a
// table too large for the nearest cache.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/screen/QxPixelFormat.h"

namespace platform::sdl {

// The 15-bit pixel as an 8-8-8 one (blue lowest), with `top` in the highest byte.
constexpr std::uint32_t Widen555To888(std::uint16_t pixel, std::uint32_t top) {
    return top | std::uint32_t(QxWiden5((pixel >> 10) & 31)) << 16 |
           std::uint32_t(QxWiden5((pixel >> 5) & 31)) << 8 | QxWiden5(pixel & 31);
}

class RowScaler {
public:
    // True when `colours` (32768 window pixels) is Widen555To888 with a fixed top byte,
    // which it then answers.
    static bool Is888(const std::vector<std::uint32_t>& colours, std::uint32_t* top) {
        if (colours.size() != 32768) {
            return false;
        }
        const std::uint32_t high = colours[0] & 0xFF000000u;
        for (std::uint32_t c = 0; c < 32768; ++c) {
            if (colours[c] != Widen555To888(std::uint16_t(c), high)) {
                return false;
            }
        }
        *top = high;
        return true;
    }

    // The window columns x0 <= x < x1 of a box boxWidth wide showing a picture
    // pictureWidth wide.
    void Prepare(int x0, int x1, int pictureWidth, int boxWidth) {
        m_x0 = x0;
        m_columns.clear();
        m_shares.clear();
        for (int x = x0; x < x1; ++x) {
            const int source = int(std::int64_t(x) * pictureWidth / boxWidth);
            m_columns.push_back(source);
            if (x == x0 || source != m_columns[m_columns.size() - 2]) {
                m_shares.push_back(0);
            }
            ++m_shares.back();
        }
        m_widest = 0;
        bool even = m_columns.empty() ||
                    m_shares.size() == std::size_t(m_columns.back() - m_columns.front() + 1);
        for (const int share : m_shares) {
            m_widest = std::max(m_widest, share);
        }
        for (const int share : m_shares) {
            even = even && share + 1 >= m_widest;
        }
        m_even = even && m_widest <= 4;
    }

    // row: the picture row; colours: 15-bit colour to window pixel, or null for
    // Widen555To888 with the top byte `top`; target: the window row, at the box's
    // column 0.
    void Scale(const std::uint16_t* row, const std::uint32_t* colours, std::uint32_t top,
               std::uint32_t* target) {
        if (m_columns.empty()) {
            return;
        }
        if (!m_even) {
            for (std::size_t i = 0; i < m_columns.size(); ++i) {
                const std::uint16_t pixel = row[m_columns[i]];
                target[m_x0 + int(i)] =
                    colours != nullptr ? colours[pixel & 0x7FFF] : Widen555To888(pixel, top);
            }
            return;
        }
        const std::uint16_t* source = row + m_columns.front();
        m_converted.resize(m_shares.size());
        if (colours != nullptr) {
            for (std::size_t i = 0; i < m_converted.size(); ++i) {
                m_converted[i] = colours[source[i] & 0x7FFF];
            }
        } else {
            for (std::size_t i = 0; i < m_converted.size(); ++i) {
                m_converted[i] = Widen555To888(source[i], top);
            }
        }
        switch (m_widest) {
        case 1:
            std::copy(m_converted.begin(), m_converted.end(), target + m_x0);
            break;
        case 2:
            Widen<2>(target);
            break;
        case 3:
            Widen<3>(target);
            break;
        default:
            Widen<4>(target);
            break;
        }
    }

private:
    template <int kWidest> void Widen(std::uint32_t* target) const {
        std::uint32_t* out = target + m_x0;
        const std::size_t last = m_shares.size() - 1;
        // Every share is at least kWidest - 1 wide and one more follows, so the extra
        // writes land on the next pixel's share, which it then writes itself.
        for (std::size_t i = 0; i < last; ++i) {
            for (int k = 0; k < kWidest; ++k) {
                out[k] = m_converted[i];
            }
            out += m_shares[i];
        }
        for (int k = 0; k < m_shares[last]; ++k) {
            out[k] = m_converted[last];
        }
    }

    int m_x0 = 0;
    std::vector<int> m_columns; // picture column of each window column
    std::vector<int> m_shares;  // window columns of each picture column, in order
    int m_widest = 0;
    bool m_even = false; // shares of n and n + 1 only, n >= 1: the fast path applies
    std::vector<std::uint32_t> m_converted; // the row's pixels in window form
};

} // namespace platform::sdl
