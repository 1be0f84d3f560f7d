#pragma once
// Widens rows of the 15-bit picture into window pixels, nearest pixel: window column x
// of the scaled box shows picture column x * pictureWidth / boxWidth. Enlarged, every
// picture pixel covers n or n + 1 window pixels, so each is looked up once and written
// n + 1 times, the next one starting where its own share begins; only the last of the
// row is written exactly. The window pixels outside the columns asked for are never
// touched.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform::sdl {

class RowScaler {
public:
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

    // row: the picture row; colours: 15-bit colour to window pixel; target: the window
    // row, at the box's column 0.
    void Scale(const std::uint16_t* row, const std::uint32_t* colours,
               std::uint32_t* target) const {
        if (m_columns.empty()) {
            return;
        }
        if (!m_even) {
            for (std::size_t i = 0; i < m_columns.size(); ++i) {
                target[m_x0 + int(i)] = colours[row[m_columns[i]] & 0x7FFF];
            }
            return;
        }
        switch (m_widest) {
        case 1:
            Widen<1>(row, colours, target);
            break;
        case 2:
            Widen<2>(row, colours, target);
            break;
        case 3:
            Widen<3>(row, colours, target);
            break;
        default:
            Widen<4>(row, colours, target);
            break;
        }
    }

private:
    template <int kWidest>
    void Widen(const std::uint16_t* row, const std::uint32_t* colours,
               std::uint32_t* target) const {
        const std::uint16_t* source = row + m_columns.front();
        std::uint32_t* out = target + m_x0;
        const std::size_t last = m_shares.size() - 1;
        // Every share is at least kWidest - 1 wide and one more follows, so the extra
        // writes land on the next pixel's share, which it then writes itself.
        for (std::size_t i = 0; i < last; ++i) {
            const std::uint32_t colour = colours[source[i] & 0x7FFF];
            for (int k = 0; k < kWidest; ++k) {
                out[k] = colour;
            }
            out += m_shares[i];
        }
        const std::uint32_t colour = colours[source[last] & 0x7FFF];
        for (int k = 0; k < m_shares[last]; ++k) {
            out[k] = colour;
        }
    }

    int m_x0 = 0;
    std::vector<int> m_columns; // picture column of each window column
    std::vector<int> m_shares;  // window columns of each picture column, in order
    int m_widest = 0;
    bool m_even = false; // shares of n and n + 1 only, n >= 1: the fast path applies
};

} // namespace platform::sdl
