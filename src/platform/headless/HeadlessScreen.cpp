// Headless screen binding: the "window" is a block of memory the size of the client
// area, into which every shown picture is stretched, so tests and the headless runner
// can look at exactly what a player would see.

#include <algorithm>
#include <atomic>

#include "platform/ScreenBinding.h"

namespace platform {
namespace {

std::atomic<bool> g_highPriority{false};

class HeadlessScreenWindow final : public ScreenWindow {
public:
    explicit HeadlessScreenWindow(const WindowOptions& options)
        : m_owner(options.owner), m_width(std::max(1, options.width)),
          m_height(std::max(1, options.height)) {
        m_client.assign(static_cast<size_t>(m_width) * static_cast<size_t>(m_height), 0);
    }

    // The whole picture every time, so that what tests capture never depends on the
    // area they were told had changed.
    bool ShowImage(const uint16_t* pixels, int width, int height, int pitch,
                   const PictureArea& /*changed*/) override {
        if (pixels == nullptr || width <= 0 || height <= 0 || pitch < width * 2) {
            return false;
        }
        // Nearest neighbour, client pixel (x, y) from picture pixel
        // (x * width / client width, y * height / client height).
        for (int y = 0; y < m_height; ++y) {
            const int sy = static_cast<int>(int64_t(y) * height / m_height);
            const auto* row = reinterpret_cast<const uint16_t*>(
                reinterpret_cast<const uint8_t*>(pixels) + ptrdiff_t(sy) * pitch);
            uint16_t* out = m_client.data() + ptrdiff_t(y) * m_width;
            if (width == m_width) {
                std::copy_n(row, m_width, out);
                continue;
            }
            for (int x = 0; x < m_width; ++x) {
                out[x] = row[int64_t(x) * width / m_width];
            }
        }
        return true;
    }

    void ShowCursor(bool show) override { m_cursorVisible = show; }
    bool IsCursorVisible() const override { return m_cursorVisible; }

    void SetMousePosition(int x, int y) override {
        m_mouseX = x;
        m_mouseY = y;
    }
    bool GetMousePosition(int* x, int* y) const override {
        if (x == nullptr || y == nullptr) {
            return false;
        }
        *x = m_mouseX;
        *y = m_mouseY;
        return true;
    }

    void Minimise(bool on) override { m_minimised = on; }
    bool IsMinimised() const override { return m_minimised; }

    int ClientWidth() const override { return m_width; }
    int ClientHeight() const override { return m_height; }
    void SetClientSize(int width, int height) override {
        m_width = std::max(1, width);
        m_height = std::max(1, height);
        m_client.assign(static_cast<size_t>(m_width) * static_cast<size_t>(m_height), 0);
    }

    bool CaptureClient(std::vector<uint16_t>* pixels) const override {
        if (pixels == nullptr) {
            return false;
        }
        *pixels = m_client;
        return true;
    }

    void* Owner() const override { return m_owner; }

private:
    void* m_owner;
    int m_width;
    int m_height;
    std::vector<uint16_t> m_client;
    bool m_cursorVisible = true;
    bool m_minimised = false;
    int m_mouseX = 0;
    int m_mouseY = 0;
};

} // namespace

std::unique_ptr<ScreenWindow> CreateScreenWindow(const WindowOptions& options) {
    return std::make_unique<HeadlessScreenWindow>(options);
}

int DesktopBitsPerPixel() {
    return 32;
}

void SetProcessHighPriority(bool on) {
    g_highPriority = on;
}
bool IsProcessHighPriority() {
    return g_highPriority;
}

} // namespace platform
