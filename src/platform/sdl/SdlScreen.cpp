// Window and presentation on SDL2: the 16-bit picture goes into a streaming texture
// and is drawn as large as it fits without distortion, centred on black bars.

#include <algorithm>
#include <map>
#include <string>

#include "platform/sdl/SdlWindow.h"

#include "engine/files/QxLog.h"

namespace platform {
namespace sdl {
namespace {

std::map<Uint32, SdlScreenWindow*> g_windows; // main thread only
std::string g_windowFailure;

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

std::unique_ptr<SdlScreenWindow> SdlScreenWindow::Create(const WindowOptions& options) {
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0 && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return Fail("no display");
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
    if (window == nullptr)
        return Fail("no window");
    // No vertical sync by default: waiting for the display would stretch the game's
    // 10 ms frames to the display's 16.7 ms and add a frame of input lag, and the
    // desktop's compositor already shows whole pictures. Players on a desktop without
    // one can ask for it with SDL_RENDER_VSYNC=1. The software renderer is the fallback
    // for machines without a usable GPU driver.
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED);
    if (renderer == nullptr)
        renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    if (renderer == nullptr) {
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
    : m_window(window), m_renderer(renderer), m_owner(owner) {}

SdlScreenWindow::~SdlScreenWindow() {
    g_windows.erase(Id());
    if (m_texture != nullptr)
        SDL_DestroyTexture(m_texture);
    SDL_DestroyRenderer(m_renderer);
    SDL_DestroyWindow(m_window);
}

LetterboxRect SdlScreenWindow::BoxInWindow() const {
    int w = 0, h = 0;
    SDL_GetWindowSize(m_window, &w, &h);
    return FitPicture(w, h, m_pictureWidth, m_pictureHeight);
}

bool SdlScreenWindow::ShowImage(const uint16_t* pixels, int width, int height, int pitch) {
    if (pixels == nullptr || width <= 0 || height <= 0 || pitch < width * 2)
        return false;
    if (m_texture == nullptr || width != m_pictureWidth || height != m_pictureHeight) {
        if (m_texture != nullptr)
            SDL_DestroyTexture(m_texture);
        m_texture = SDL_CreateTexture(m_renderer, SDL_PIXELFORMAT_RGB555,
                                      SDL_TEXTUREACCESS_STREAMING, width, height);
        if (m_texture == nullptr)
            return false;
        m_pictureWidth = width;
        m_pictureHeight = height;
    }
    if (SDL_UpdateTexture(m_texture, nullptr, pixels, pitch) != 0)
        return false;
    Redraw();
    return true;
}

void SdlScreenWindow::Redraw() {
    if (m_texture == nullptr)
        return;
    int w = 0, h = 0;
    SDL_GetRendererOutputSize(m_renderer, &w, &h);
    const LetterboxRect box = FitPicture(w, h, m_pictureWidth, m_pictureHeight);
    const SDL_Rect target{box.x, box.y, box.width, box.height};
    SDL_SetRenderDrawColor(m_renderer, 0, 0, 0, 255);
    SDL_RenderClear(m_renderer);
    SDL_RenderCopy(m_renderer, m_texture, nullptr, &target);
    SDL_RenderPresent(m_renderer);
}

void SdlScreenWindow::ShowCursor(bool show) {
    m_cursorVisible = show;
    SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

void SdlScreenWindow::WindowToPicture(int x, int y, int* px, int* py) const {
    ClientToPicture(BoxInWindow(), m_pictureWidth, m_pictureHeight, x, y, px, py);
}

void SdlScreenWindow::SetMousePosition(int x, int y) {
    int wx = 0, wy = 0;
    PictureToClient(BoxInWindow(), m_pictureWidth, m_pictureHeight, x, y, &wx, &wy);
    SDL_WarpMouseInWindow(m_window, wx, wy);
}

bool SdlScreenWindow::GetMousePosition(int* x, int* y) const {
    if (x == nullptr || y == nullptr)
        return false;
    int wx = 0, wy = 0;
    SDL_GetMouseState(&wx, &wy);
    WindowToPicture(wx, wy, x, y);
    return true;
}

void SdlScreenWindow::Minimise(bool on) {
    if (on)
        SDL_MinimizeWindow(m_window);
    else
        SDL_RestoreWindow(m_window);
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
    if (pixels == nullptr)
        return false;
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
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0 || SDL_GetDesktopDisplayMode(0, &mode) != 0)
        return 32;
    return int(SDL_BITSPERPIXEL(mode.format));
}

namespace {
bool g_highPriority = false;
}

void SetProcessHighPriority(bool on) {
    // Raising the priority needs privileges a player does not have; remember the wish.
    g_highPriority = on;
}

bool IsProcessHighPriority() {
    return g_highPriority;
}

} // namespace platform
