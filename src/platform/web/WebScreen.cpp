// The game's window in the browser: the page's one canvas, 640 x 480, which the page's
// style scales to the browser window at its 4:3 shape. The game's thread converts each
// picture to the canvas's RGBA; the browser's thread puts the latest one on the canvas
// once per display frame, so neither waits for the other. Full screen is the browser's
// own, asked for when the game makes its window full screen (F7 or the setting).

#include <cstring>
#include <mutex>
#include <vector>

#include <emscripten/emscripten.h>

#include "app/QxScreenSize.h"
#include "platform/LetterboxedWindow.h"
#include "platform/web/WebPixels.h"
#include "platform/web/WebRuntime.h"

namespace platform {
namespace {

// The canvas's picture, shared by the two threads: the game's thread converts the rows
// that changed, the browser's thread sends the rows not yet shown.
struct PendingPicture {
    std::mutex lock;
    std::vector<std::uint8_t> rgba;
    int width = 0;
    int height = 0;
    web::RowRange unshown;
};
PendingPicture g_pending;

class WebScreenWindow;
// The window made last: a full-screen switch makes the new window before the old one
// goes, and both have the same owner. The game's thread only.
WebScreenWindow* g_current = nullptr;

// Draws rows [top, bottom) of an RGBA picture on the page's canvas, resizing the canvas
// to the picture when needed.
EM_JS(void, web_put_picture, (const std::uint8_t* rgba, int width, int height, int top, int bottom),
      {
          const canvas = Module["canvas"];
          if (!canvas) {
              return;
          }
          if (canvas.width != width || canvas.height != height) {
              canvas.width = width;
              canvas.height = height;
              Module.rondelixImage = null;
          }
          if (!Module.rondelixImage) {
              Module.rondelixContext = canvas.getContext("2d", {alpha : false});
              Module.rondelixImage = Module.rondelixContext.createImageData(width, height);
          }
          const from = top * width * 4;
          Module.rondelixImage.data.set(HEAPU8.subarray(rgba + from, rgba + bottom * width * 4),
                                        from);
          Module.rondelixContext.putImageData(Module.rondelixImage, 0, 0, 0, top, width,
                                              bottom - top);
          // A measurement (scripts/measure-web) collects when pictures were shown.
          if (Module.rondelixPresented) {
              Module.rondelixPresented.push(performance.now());
          }
          if (Module.onFirstPicture) {
              const first = Module.onFirstPicture;
              Module.onFirstPicture = null;
              first();
          }
      });

class WebScreenWindow final : public LetterboxedWindow {
public:
    explicit WebScreenWindow(const WindowOptions& options) : LetterboxedWindow(options.owner) {
        g_current = this;
        web::SetWindowOwner(options.owner);
        // The browser leaves full screen on its own (Escape); asking again or leaving
        // when it is not full screen does nothing.
        MAIN_THREAD_ASYNC_EM_ASM(
            {
                if (Module.setFullScreen) {
                    Module.setFullScreen($0 != 0);
                }
            },
            options.fullScreen ? 1 : 0);
    }

    ~WebScreenWindow() override {
        if (g_current == this) {
            g_current = nullptr;
            web::SetWindowOwner(nullptr);
        }
    }

    bool ShowImage(const uint16_t* pixels, int width, int height, int pitch) override {
        if (pixels == nullptr || width <= 0 || height <= 0 || pitch < width * 2) {
            return false;
        }
        const std::size_t size = std::size_t(width) * std::size_t(height);
        const bool resized =
            width != m_pictureWidth || height != m_pictureHeight || m_picture.size() != size;
        const web::RowRange rows = resized
                                       ? web::RowRange{0, height}
                                       : web::ChangedRows(m_picture, pixels, width, height, pitch);
        if (rows.Empty()) {
            return true;
        }
        m_pictureWidth = width;
        m_pictureHeight = height;
        m_picture.resize(size);
        for (int y = rows.top; y < rows.bottom; ++y) {
            std::memcpy(m_picture.data() + std::size_t(y) * std::size_t(width),
                        reinterpret_cast<const std::uint8_t*>(pixels) + std::ptrdiff_t(y) * pitch,
                        std::size_t(width) * 2);
        }
        std::lock_guard lock(g_pending.lock);
        if (g_pending.width != width || g_pending.height != height) {
            g_pending.rgba.assign(size * 4, 0);
            g_pending.width = width;
            g_pending.height = height;
            g_pending.unshown = {};
        }
        web::ToRgbaRows(pixels, width, pitch, rows, g_pending.rgba.data());
        g_pending.unshown = g_pending.unshown.Union(rows);
        return true;
    }

    void ShowCursor(bool show) override {
        m_cursorVisible = show;
        MAIN_THREAD_ASYNC_EM_ASM(
            {
                if (Module["canvas"]) {
                    Module["canvas"].style.cursor = $0 ? "default" : "none";
                }
            },
            show ? 1 : 0);
    }

    // A page cannot move the player's mouse.
    void SetMousePosition(int, int) override {}
    bool GetMousePosition(int* x, int* y) const override {
        web::LastMousePosition(x, y);
        return true;
    }
    void Minimise(bool) override {}
    bool IsMinimised() const override { return web::IsPageHidden(); }
    // The canvas holds the picture pixel for pixel; the page's style does the scaling.
    int ClientWidth() const override { return m_pictureWidth; }
    int ClientHeight() const override { return m_pictureHeight; }
    void SetClientSize(int, int) override {}

    bool CaptureClient(std::vector<uint16_t>* pixels) const override {
        if (pixels == nullptr) {
            return false;
        }
        *pixels = m_picture;
        pixels->resize(std::size_t(m_pictureWidth) * std::size_t(m_pictureHeight));
        return true;
    }

private:
    std::vector<uint16_t> m_picture; // the last picture shown, rows packed
};

} // namespace

namespace web {

void PresentLatestPicture() {
    std::lock_guard lock(g_pending.lock);
    if (g_pending.unshown.Empty()) {
        return;
    }
    web_put_picture(g_pending.rgba.data(), g_pending.width, g_pending.height, g_pending.unshown.top,
                    g_pending.unshown.bottom);
    g_pending.unshown = {};
}

} // namespace web

std::unique_ptr<ScreenWindow> CreateScreenWindow(const WindowOptions& options) {
    return std::make_unique<WebScreenWindow>(options);
}

int DesktopBitsPerPixel() {
    return 32;
}

} // namespace platform
