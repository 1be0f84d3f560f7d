// Window and presentation on SDL2: the 16-bit picture goes into a streaming texture
// and is drawn as large as it fits without distortion, centred on black bars.

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "platform/sdl/SdlWindow.h"

#include "engine/files/QxLog.h"
#include "engine/screen/QxPixelFormat.h"

namespace platform {
namespace sdl {
namespace {

std::map<Uint32, SdlScreenWindow*> g_windows; // main thread only
std::string g_windowFailure;

// True for SDL's own software renderer and for OpenGL drawn by the CPU (Mesa's
// llvmpipe or softpipe, as under a virtual X server): both scale and upload the whole
// picture on the processor every frame, which costs far more than the game itself.
bool DrawsInSoftware(SDL_Renderer* renderer) {
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer, &info) != 0) {
        return false;
    }
    if ((info.flags & SDL_RENDERER_SOFTWARE) != 0) {
        return true;
    }
    if (info.name == nullptr || std::strncmp(info.name, "opengl", 6) != 0) {
        return false;
    }
    using GetString = const unsigned char* (*)(unsigned int);
    auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    const unsigned char* name = getString != nullptr ? getString(0x1F01) : nullptr; // GL_RENDERER
    if (name == nullptr) {
        return false;
    }
    std::string text(reinterpret_cast<const char*>(name));
    for (char& c : text) {
        c = char(std::tolower(static_cast<unsigned char>(c)));
    }
    for (const char* soft : {"llvmpipe", "softpipe", "software", "swrast"}) {
        if (text.find(soft) != std::string::npos) {
            return true;
        }
    }
    return false;
}

std::unique_ptr<SdlScreenWindow> Fail(const char* what) {
    g_windowFailure = std::string(what) + ": " + SDL_GetError();
    LogPrintf("Window - %s", g_windowFailure.c_str());
    return nullptr;
}

} // namespace

SdlScreenWindow* FindWindow(Uint32 id) {
    const auto it = g_windows.find(id);
    return it == g_windows.end() ? nullptr : it->second;
}

std::string WindowFailure() {
    return g_windowFailure;
}

SdlScreenWindow* AnyWindow() {
    return g_windows.empty() ? nullptr : g_windows.begin()->second;
}

std::chrono::microseconds ShowWaitingPictures(std::chrono::microseconds newer) {
    std::chrono::microseconds soonest = kNoPictureWaits;
    for (const auto& [id, window] : g_windows) {
        soonest = std::min(soonest, window->ShowWaitingPicture(newer));
    }
    return soonest;
}

std::unique_ptr<SdlScreenWindow> SdlScreenWindow::Create(const WindowOptions& options) {
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0 && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        return Fail("no display");
    }
    Uint32 flags = SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
    int x = SDL_WINDOWPOS_CENTERED, y = SDL_WINDOWPOS_CENTERED;
    int width = std::max(1, options.width), height = std::max(1, options.height);
    SDL_Rect desktop{};
    if (options.fullScreen) {
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_BORDERLESS;
        // Made at the desktop's size as well: a window manager makes the window full
        // screen either way, and without one (a bare X server) only the window's own
        // size makes it cover the desktop.
        if (SDL_GetDisplayBounds(0, &desktop) == 0 && desktop.w > 0 && desktop.h > 0) {
            x = desktop.x;
            y = desktop.y;
            width = desktop.w;
            height = desktop.h;
        }
    }
    SDL_Window* window = SDL_CreateWindow(options.title.c_str(), x, y, width, height, flags);
    if (window == nullptr) {
        return Fail("no window");
    }
    // No vertical sync by default: waiting for the display would stretch the game's
    // 10 ms frames to the display's 16.7 ms and add a frame of input lag, and the
    // desktop's compositor already shows whole pictures. Players on a desktop without
    // one can ask for it with SDL_RENDER_VSYNC=1. The software renderer is the fallback
    // for machines without a usable GPU driver.
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED);
    if (renderer == nullptr) {
        renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    }
    if (renderer != nullptr && DrawsInSoftware(renderer) &&
        std::getenv("RONDELIX_RENDERER") == nullptr) {
        SDL_DestroyRenderer(renderer);
        renderer = nullptr;
        // The window's own surface, shown through the X server's shared memory rather
        // than through yet another software-drawn texture.
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        if (SDL_GetWindowSurface(window) == nullptr) {
            SDL_DestroyWindow(window);
            return Fail("no window surface");
        }
    } else if (renderer == nullptr) {
        SDL_DestroyWindow(window);
        return Fail("no renderer");
    }
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    auto created =
        std::unique_ptr<SdlScreenWindow>(new SdlScreenWindow(window, renderer, options.owner));
    g_windows[created->Id()] = created.get();
    g_windowFailure.clear();
    SDL_StartTextInput();
    return created;
}

SdlScreenWindow::SdlScreenWindow(SDL_Window* window, SDL_Renderer* renderer, void* owner)
    : LetterboxedWindow(owner), m_window(window), m_renderer(renderer) {
    SDL_DisplayMode mode{};
    const int hz = SDL_GetWindowDisplayMode(window, &mode) == 0 ? mode.refresh_rate : 0;
    m_gate.SetRate(hz, SDL_GetPerformanceFrequency());
}

SdlScreenWindow::~SdlScreenWindow() {
    g_windows.erase(Id());
    if (m_texture != nullptr) {
        SDL_DestroyTexture(m_texture);
    }
    if (m_renderer != nullptr) {
        SDL_DestroyRenderer(m_renderer);
    }
    SDL_DestroyWindow(m_window);
}

bool SdlScreenWindow::ShowImage(const uint16_t* pixels, int width, int height, int pitch,
                                const PictureArea& changed) {
    if (pixels == nullptr || width <= 0 || height <= 0 || pitch < width * 2) {
        return false;
    }
    const bool resized = width != m_pictureWidth || height != m_pictureHeight ||
                         (m_renderer == nullptr ? m_picture.size() != size_t(width) * size_t(height)
                                                : m_texture == nullptr);
    // The caller vouches that nothing outside `changed` differs from its last picture;
    // a new size has nothing to compare with, so all of it is new.
    SDL_Rect part{0, 0, width, height};
    if (!resized) {
        const int left = std::max(0, changed.left), top = std::max(0, changed.top);
        const int right = std::min(width, changed.right), bottom = std::min(height, changed.bottom);
        if (left >= right || top >= bottom) {
            return true; // the same picture again
        }
        part = SDL_Rect{left, top, right - left, bottom - top};
    }
    const auto* first = reinterpret_cast<const uint16_t*>(reinterpret_cast<const char*>(pixels) +
                                                          size_t(part.y) * size_t(pitch)) +
                        part.x;
    if (m_renderer == nullptr) {
        m_pictureWidth = width;
        m_pictureHeight = height;
        m_picture.resize(size_t(width) * size_t(height));
        for (int y = 0; y < part.h; ++y) {
            std::memcpy(&m_picture[size_t(part.y + y) * size_t(width) + size_t(part.x)],
                        reinterpret_cast<const char*>(first) + size_t(y) * size_t(pitch),
                        size_t(part.w) * 2);
        }
        if (resized) {
            m_waiting = SDL_Rect{0, 0, -1, -1};
            m_gate.Shown(SDL_GetPerformanceCounter());
            return ShowOnSurface(nullptr);
        }
        // A picture held back leaves its changes waiting; the next one adds its own, so
        // the window gets every pixel that differs from what it shows.
        const int right = part.x + part.w - 1, bottom = part.y + part.h - 1;
        if (m_waiting.w < m_waiting.x) {
            m_waiting = SDL_Rect{part.x, part.y, right, bottom};
        } else {
            m_waiting.x = std::min(m_waiting.x, part.x);
            m_waiting.y = std::min(m_waiting.y, part.y);
            m_waiting.w = std::max(m_waiting.w, right);
            m_waiting.h = std::max(m_waiting.h, bottom);
        }
        if (!m_gate.Offer(SDL_GetPerformanceCounter())) {
            return true; // shown when the display's next period begins
        }
        return ShowChanged();
    }
    if (resized) {
        if (m_texture != nullptr) {
            SDL_DestroyTexture(m_texture);
        }
        m_texture = SDL_CreateTexture(m_renderer, SDL_PIXELFORMAT_RGB555,
                                      SDL_TEXTUREACCESS_STREAMING, width, height);
        if (m_texture == nullptr) {
            return false;
        }
        m_pictureWidth = width;
        m_pictureHeight = height;
    }
    if (SDL_UpdateTexture(m_texture, &part, first, pitch) != 0) {
        return false;
    }
    Redraw();
    return true;
}

bool SdlScreenWindow::ShowChanged() {
    const SDL_Rect box{m_waiting.x, m_waiting.y, m_waiting.w - m_waiting.x + 1,
                       m_waiting.h - m_waiting.y + 1};
    m_waiting = SDL_Rect{0, 0, -1, -1};
    return ShowOnSurface(&box);
}

std::chrono::microseconds SdlScreenWindow::ShowWaitingPicture(std::chrono::microseconds newer) {
    const Uint64 now = SDL_GetPerformanceCounter();
    const std::uint64_t ticks = m_gate.UntilDue(now);
    if (ticks == UINT64_MAX) {
        return kNoPictureWaits;
    }
    // Rounded up, so that the wait does not end just before the period does.
    const std::uint64_t frequency = std::max<std::uint64_t>(1, SDL_GetPerformanceFrequency());
    const auto due = std::chrono::microseconds(std::min<std::uint64_t>(
        (ticks * 1000000 + frequency - 1) / frequency, std::uint64_t(kNoPictureWaits.count())));
    // The newer picture carries this one's changes too; showing both costs a picture
    // and, just before a frame, makes that frame late.
    if (newer - due <= kNewerPictureSoon) {
        return kNoPictureWaits;
    }
    if (due.count() == 0 && m_gate.TakeDue(now)) {
        ShowChanged();
        return kNoPictureWaits;
    }
    return due;
}

void SdlScreenWindow::Redraw() {
    if (m_renderer == nullptr) {
        if (!m_picture.empty()) {
            m_waiting = SDL_Rect{0, 0, -1, -1};
            m_gate.Shown(SDL_GetPerformanceCounter());
            ShowOnSurface(nullptr);
        }
        return;
    }
    if (m_texture == nullptr) {
        return;
    }
    int w = 0, h = 0;
    SDL_GetRendererOutputSize(m_renderer, &w, &h);
    const LetterboxRect box = FitPicture(w, h, m_pictureWidth, m_pictureHeight);
    const SDL_Rect target{box.x, box.y, box.width, box.height};
    SDL_SetRenderDrawColor(m_renderer, 0, 0, 0, 255);
    SDL_RenderClear(m_renderer);
    SDL_RenderCopy(m_renderer, m_texture, nullptr, &target);
    SDL_RenderPresent(m_renderer);
}

bool SdlScreenWindow::PrepareSurface(SDL_Surface* surface) {
    if (surface->format->BytesPerPixel != 4) {
        return false;
    }
    if (m_coloursFormat != surface->format->format || m_colours.empty()) {
        m_colours.resize(32768);
        for (uint32_t c = 0; c < 32768; ++c) {
            m_colours[c] = SDL_MapRGB(surface->format, QxWiden5((c >> 10) & 31),
                                      QxWiden5((c >> 5) & 31), QxWiden5(c & 31));
        }
        m_coloursFormat = surface->format->format;
    }
    return true;
}

bool SdlScreenWindow::ShowOnSurface(const SDL_Rect* changed) {
    SDL_Surface* surface = SDL_GetWindowSurface(m_window);
    if (surface == nullptr || !PrepareSurface(surface)) {
        return false;
    }
    const bool newSize = surface->w != m_surfaceWidth || surface->h != m_surfaceHeight;
    m_surfaceWidth = surface->w;
    m_surfaceHeight = surface->h;
    const LetterboxRect box = FitPicture(surface->w, surface->h, m_pictureWidth, m_pictureHeight);
    if (box.width <= 0 || box.height <= 0) {
        return false;
    }
    if (changed == nullptr || newSize) {
        SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
        changed = nullptr;
    }
    // The window pixels whose source pixel lies in the changed box (nearest pixel, so
    // each window pixel reads the picture pixel under its centre).
    const SDL_Rect all{0, 0, m_pictureWidth, m_pictureHeight};
    const SDL_Rect& part = changed != nullptr ? *changed : all;
    auto firstAt = [](int source, int boxSize, int pictureSize) {
        return int((int64_t(source) * boxSize + pictureSize - 1) / pictureSize);
    };
    const int x0 = firstAt(part.x, box.width, m_pictureWidth);
    const int x1 = firstAt(part.x + part.w, box.width, m_pictureWidth);
    const int y0 = firstAt(part.y, box.height, m_pictureHeight);
    const int y1 = firstAt(part.y + part.h, box.height, m_pictureHeight);
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) {
        return false;
    }
    m_rows.Prepare(x0, x1, m_pictureWidth, box.width);
    int lastSource = -1;
    const uint32_t* last = nullptr;
    for (int y = y0; y < y1; ++y) {
        const int sy = int(int64_t(y) * m_pictureHeight / box.height);
        auto* target = reinterpret_cast<uint32_t*>(static_cast<char*>(surface->pixels) +
                                                   size_t(box.y + y) * size_t(surface->pitch)) +
                       box.x;
        if (sy == lastSource) {
            // Enlarged, a picture row covers two window rows now and then: the second
            // is a copy of the first.
            std::memcpy(target + x0, last + x0, size_t(x1 - x0) * 4);
            continue;
        }
        m_rows.Scale(&m_picture[size_t(sy) * size_t(m_pictureWidth)], m_colours.data(), target);
        lastSource = sy;
        last = target;
    }
    if (SDL_MUSTLOCK(surface)) {
        SDL_UnlockSurface(surface);
    }
    if (changed == nullptr) {
        return SDL_UpdateWindowSurface(m_window) == 0;
    }
    const SDL_Rect update{box.x + x0, box.y + y0, x1 - x0, y1 - y0};
    return update.w <= 0 || update.h <= 0 ||
           SDL_UpdateWindowSurfaceRects(m_window, &update, 1) == 0;
}

void SdlScreenWindow::ShowCursor(bool show) {
    m_cursorVisible = show;
    SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

void SdlScreenWindow::SetMousePosition(int x, int y) {
    int wx = 0, wy = 0;
    PictureToClientPosition(x, y, &wx, &wy);
    SDL_WarpMouseInWindow(m_window, wx, wy);
}

bool SdlScreenWindow::GetMousePosition(int* x, int* y) const {
    if (x == nullptr || y == nullptr) {
        return false;
    }
    int wx = 0, wy = 0;
    SDL_GetMouseState(&wx, &wy);
    ClientToPicturePosition(wx, wy, x, y);
    return true;
}

void SdlScreenWindow::Minimise(bool on) {
    if (on) {
        SDL_MinimizeWindow(m_window);
    } else {
        SDL_RestoreWindow(m_window);
    }
}

bool SdlScreenWindow::IsMinimised() const {
    return (SDL_GetWindowFlags(m_window) & SDL_WINDOW_MINIMIZED) != 0;
}

int SdlScreenWindow::ClientWidth() const {
    int w = 0;
    SDL_GetWindowSize(m_window, &w, nullptr);
    return w;
}

int SdlScreenWindow::ClientHeight() const {
    int h = 0;
    SDL_GetWindowSize(m_window, nullptr, &h);
    return h;
}

void SdlScreenWindow::SetClientSize(int width, int height) {
    SDL_SetWindowSize(m_window, std::max(1, width), std::max(1, height));
}

bool SdlScreenWindow::CaptureClient(std::vector<uint16_t>* pixels) const {
    if (pixels == nullptr) {
        return false;
    }
    if (m_renderer == nullptr) {
        SDL_Surface* surface = SDL_GetWindowSurface(m_window);
        if (surface == nullptr || surface->format->BytesPerPixel != 4) {
            return false;
        }
        pixels->resize(size_t(surface->w) * size_t(surface->h));
        for (int y = 0; y < surface->h; ++y) {
            const auto* row = reinterpret_cast<const uint32_t*>(
                static_cast<const char*>(surface->pixels) + size_t(y) * size_t(surface->pitch));
            for (int x = 0; x < surface->w; ++x) {
                Uint8 r = 0, g = 0, b = 0;
                SDL_GetRGB(row[x], surface->format, &r, &g, &b);
                (*pixels)[size_t(y) * size_t(surface->w) + size_t(x)] =
                    uint16_t(((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3));
            }
        }
        return true;
    }
    int w = 0, h = 0;
    SDL_GetRendererOutputSize(m_renderer, &w, &h);
    pixels->assign(size_t(w) * size_t(h), 0);
    return SDL_RenderReadPixels(m_renderer, nullptr, SDL_PIXELFORMAT_RGB555, pixels->data(),
                                w * 2) == 0;
}

} // namespace sdl

std::unique_ptr<ScreenWindow> CreateScreenWindow(const WindowOptions& options) {
    return sdl::SdlScreenWindow::Create(options);
}

int DesktopBitsPerPixel() {
    SDL_DisplayMode mode;
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0 || SDL_GetDesktopDisplayMode(0, &mode) != 0) {
        return 32;
    }
    return int(SDL_BITSPERPIXEL(mode.format));
}

} // namespace platform
