// The game's window in the browser: the page's one canvas, 640 x 480, which the page's
// style scales to the browser window at its 4:3 shape. The game's thread converts each
// picture to the canvas's RGBA; the browser's thread puts the latest one on the canvas
// once per display frame, so neither waits for the other. Full screen is the browser's
// own, asked for when the game makes its window full screen (F7 or the setting).

#include <algorithm>
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

// The picture, shared by the two threads: the game's thread copies the bands of rows
// that changed, the browser's thread sends the bands not yet shown.
struct SharedPicture {
    std::mutex lock;
    std::vector<std::uint16_t> pixels; // rows packed
    int width = 0;
    int height = 0;
    std::uint32_t unshown = 0; // a bit a band (WebPixels)
};
SharedPicture g_shared;

class WebScreenWindow;
// The window made last: a full-screen switch makes the new window before the old one
// goes, and both have the same owner. The game's thread only.
WebScreenWindow* g_current = nullptr;

// Draws the bands of the RGB555 picture named by mask on the page's canvas, through the
// table of canvas colours, resizing the canvas to the picture when needed.
EM_JS(void, web_put_bands,
      (const std::uint16_t* pixels, int width, int height, std::uint32_t mask, int bandRows,
       const std::uint32_t* colours),
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
              Module.rondelixWords = new Uint32Array(Module.rondelixImage.data.buffer);
          }
          const words = Module.rondelixWords;
          const source = HEAPU16;
          const table = HEAPU32;
          const base = pixels >> 1;
          const colourBase = colours >> 2;
          for (let band = 0; band < 32; ++band) {
              if ((mask & (1 << band)) == 0) {
                  continue;
              }
              let last = band;
              while (last + 1 < 32 && (mask & (1 << (last + 1))) != 0) {
                  ++last;
              }
              const top = band * bandRows;
              const bottom = Math.min(height, (last + 1) * bandRows);
              for (let i = top * width, end = bottom * width; i < end; ++i) {
                  words[i] = table[colourBase + (source[base + i] & 0x7FFF)];
              }
              Module.rondelixContext.putImageData(Module.rondelixImage, 0, 0, 0, top, width,
                                                  bottom - top);
              band = last;
          }
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

    // The page takes bands of rows that changed, found by its own comparison, which
    // also leaves the window's copy as the page will show it.
    bool ShowImage(const uint16_t* pixels, int width, int height, int pitch,
                   const PictureArea& /*changed*/) override {
        if (pixels == nullptr || width <= 0 || height <= 0 || pitch < width * 2 ||
            height > web::kMaxBands * web::kBandRows) {
            return false;
        }
        // The comparison runs on the window's own copy, outside the lock, so the page's
        // thread, which must not wait, finds the shared picture free nearly always.
        std::uint32_t changed = 0;
        const std::size_t size = std::size_t(width) * std::size_t(height);
        if (width != m_pictureWidth || height != m_pictureHeight || m_picture.size() != size) {
            m_pictureWidth = width;
            m_pictureHeight = height;
            m_picture.assign(size, 0);
            web::CopyChangedBands(pixels, width, height, pitch, m_picture);
            changed = height == web::kMaxBands * web::kBandRows
                          ? ~0u
                          : (1u << ((height + web::kBandRows - 1) / web::kBandRows)) - 1;
        } else {
            changed = web::CopyChangedBands(pixels, width, height, pitch, m_picture);
        }
        if (changed == 0) {
            return true;
        }
        std::lock_guard lock(g_shared.lock);
        if (g_shared.width != width || g_shared.height != height) {
            g_shared.pixels.assign(size, 0);
            g_shared.width = width;
            g_shared.height = height;
        }
        for (int band = 0; band < web::kMaxBands; ++band) {
            if ((changed & (1u << band)) != 0) {
                const std::size_t from = std::size_t(band) * web::kBandRows * std::size_t(width);
                const std::size_t count =
                    std::min(size, from + web::kBandRows * std::size_t(width)) - from;
                std::memcpy(g_shared.pixels.data() + from, m_picture.data() + from, count * 2);
            }
        }
        g_shared.unshown |= changed;
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
    // The browser's thread cannot sleep on a lock, only spin: when the game's thread is
    // copying a picture, this display frame shows the one before.
    std::unique_lock lock(g_shared.lock, std::try_to_lock);
    if (!lock.owns_lock() || g_shared.unshown == 0) {
        return;
    }
    web_put_bands(g_shared.pixels.data(), g_shared.width, g_shared.height, g_shared.unshown,
                  kBandRows, CanvasColours());
    g_shared.unshown = 0;
}

} // namespace web

std::unique_ptr<ScreenWindow> CreateScreenWindow(const WindowOptions& options) {
    return std::make_unique<WebScreenWindow>(options);
}

int DesktopBitsPerPixel() {
    return 32;
}

} // namespace platform
