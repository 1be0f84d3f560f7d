#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct QxSurface;

// The runs of a surface's pixels that are not the colour key 0, row by row, so that
// keyed drawing moves whole runs instead of testing every pixel. Only the screen makes
// them, from a surface in its table, each time that surface's pixels may have changed.
//
// A stamp of the pixel buffer, the size and the lock count tells whether the runs still
// belong to the pixels beside them: a copied or resized record, or a locked one, has
// none, and is drawn pixel by pixel as before.
class QxKeySpans {
public:
    struct Run {
        uint16_t start;
        uint16_t length;
    };

    QxKeySpans() = default;
    // A copy's pixels may be changed apart from the original's, so it starts without.
    QxKeySpans(const QxKeySpans&) {}
    QxKeySpans& operator=(const QxKeySpans& other) {
        if (this != &other) {
            Clear();
        }
        return *this;
    }
    QxKeySpans(QxKeySpans&&) = default;
    QxKeySpans& operator=(QxKeySpans&&) = default;

    // Reads the runs of every row; false (and none kept) for a surface too wide for
    // 16-bit positions or whose pixels do not cover its size.
    bool Build(const QxSurface& surface);
    void Clear() {
        m_rowStart.clear();
        m_runs.clear();
        m_pixels = nullptr;
    }
    // True when the runs were made from these very pixels and nobody holds a lock.
    bool Fit(const QxSurface& surface) const;

    const Run* RowBegin(int y) const { return m_runs.data() + m_rowStart[size_t(y)]; }
    const Run* RowEnd(int y) const { return m_runs.data() + m_rowStart[size_t(y) + 1]; }
    size_t RunCount() const { return m_runs.size(); }

private:
    std::vector<uint32_t> m_rowStart; // height + 1 indices into m_runs
    std::vector<Run> m_runs;
    const uint16_t* m_pixels = nullptr;
    int m_width = 0;
    int m_height = 0;
};

// A picture already in the back buffer's 16-bit format. Rows are top-down with no
// padding. The origin is a hot spot subtracted from the drawing position.
//
// Once a surface is in the screen's table its pixels change only through
// LockSurface/UnlockSurface or EditSurface, which remake its key spans; the table
// hands out read-only records.
struct QxSurface {
    int width = 0;
    int height = 0;
    std::vector<uint16_t> pixels; // width * height
    int originX = 0;
    int originY = 0;
    std::string name;
    int lockCount = 0;
    QxKeySpans spans;

    // Sizes the surface (negative sizes count as 0) and zeroes its pixels.
    void Resize(int w, int h) {
        width = w > 0 ? w : 0;
        height = h > 0 ? h : 0;
        pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
        spans.Clear();
    }
    uint16_t* Row(int y) { return pixels.data() + static_cast<size_t>(y) * width; }
    const uint16_t* Row(int y) const { return pixels.data() + static_cast<size_t>(y) * width; }
};

inline bool QxKeySpans::Build(const QxSurface& s) {
    Clear();
    if (s.width <= 0 || s.height <= 0 || s.width > 0xFFFF ||
        s.pixels.size() < static_cast<size_t>(s.width) * static_cast<size_t>(s.height)) {
        return false;
    }
    m_rowStart.reserve(size_t(s.height) + 1);
    m_rowStart.push_back(0);
    for (int y = 0; y < s.height; ++y) {
        const uint16_t* row = s.Row(y);
        int x = 0;
        while (x < s.width) {
            while (x < s.width && row[x] == 0) {
                ++x;
            }
            const int start = x;
            while (x < s.width && row[x] != 0) {
                ++x;
            }
            if (x > start) {
                m_runs.push_back(Run{uint16_t(start), uint16_t(x - start)});
            }
        }
        m_rowStart.push_back(static_cast<uint32_t>(m_runs.size()));
    }
    m_pixels = s.pixels.data();
    m_width = s.width;
    m_height = s.height;
    return true;
}

inline bool QxKeySpans::Fit(const QxSurface& s) const {
    return m_pixels != nullptr && m_pixels == s.pixels.data() && m_width == s.width &&
           m_height == s.height && s.lockCount == 0;
}

// What a lock hands out: the back buffer's or a surface's pixels.
struct QxSurfaceDesc {
    int bytesPerPixel = 0;
    int width = 0;
    int height = 0;
    int pitch = 0; // bytes from one row to the next
    uint8_t* pixels = nullptr;
};
