#pragma once
// The SDL2 window of the desktop binding, visible to the message pump so that it can
// map mouse positions into the picture and address messages to the window's owner.

#include <chrono>
#include <string>
#include <vector>

#include <SDL.h>

#include "platform/LetterboxedWindow.h"
#include "platform/sdl/SdlRefreshGate.h"
#include "platform/sdl/SdlRowScaler.h"

namespace platform::sdl {

// The answer of the waits below when no picture waits.
inline constexpr std::chrono::microseconds kNoPictureWaits{1000000};
// A picture due this little before a newer one is left for the newer one to show.
inline constexpr std::chrono::microseconds kNewerPictureSoon{3000};

class SdlScreenWindow final : public LetterboxedWindow {
public:
    // Null when SDL cannot make the window; the reason is in SDL_GetError().
    static std::unique_ptr<SdlScreenWindow> Create(const WindowOptions& options);
    ~SdlScreenWindow() override;

    bool ShowImage(const uint16_t* pixels, int width, int height, int pitch,
                   const PictureArea& changed) override;
    void ShowCursor(bool show) override;
    void SetMousePosition(int x, int y) override;
    bool GetMousePosition(int* x, int* y) const override;
    void Minimise(bool on) override;
    bool IsMinimised() const override;
    int ClientWidth() const override;
    int ClientHeight() const override;
    void SetClientSize(int width, int height) override;
    bool CaptureClient(std::vector<uint16_t>* pixels) const override;

    Uint32 Id() const { return SDL_GetWindowID(m_window); }
    // Shows the last picture again, after the window was exposed or resized.
    void Redraw();
    // Shows a picture that waited for the display's next period once that has come,
    // unless a newer picture follows within kNewerPictureSoon of that (newer: the time
    // until it does); answers the time until one that still waits is due
    // (kNoPictureWaits: none, or left for the newer one).
    std::chrono::microseconds ShowWaitingPicture(std::chrono::microseconds newer);
    SDL_Window* Handle() const { return m_window; }

private:
    SdlScreenWindow(SDL_Window* window, SDL_Renderer* renderer, void* owner);
    // Without a renderer (the machine draws OpenGL in software, which costs more than
    // the picture itself) the picture is scaled straight into the window's surface,
    // only where it changed.
    // changed: the part of the picture that changed; null redraws all, bars included.
    bool ShowOnSurface(const SDL_Rect* changed);
    // Shows the part of the picture that changed since it was last shown.
    bool ShowChanged();
    bool PrepareSurface(SDL_Surface* surface);

    SDL_Window* m_window;
    SDL_Renderer* m_renderer; // null: the window's surface is drawn directly
    SDL_Texture* m_texture = nullptr;
    std::vector<uint16_t> m_picture; // the last picture shown, rows packed
    std::vector<uint32_t> m_colours; // 15-bit colour to surface pixel
    RowScaler m_rows;                // the changed columns of a picture row, scaled
    RefreshGate m_gate;
    // What changed in the picture since it was last shown: left, top, right, bottom
    // (inclusive); right below left when nothing did.
    SDL_Rect m_waiting{0, 0, -1, -1};
    Uint32 m_coloursFormat = 0;
    int m_surfaceWidth = 0, m_surfaceHeight = 0;
};

// The window with that SDL id, or null.
SdlScreenWindow* FindWindow(Uint32 id);
// Some window of the program, or null when it has none.
SdlScreenWindow* AnyWindow();
// ShowWaitingPicture for every window: the time until the next is due.
std::chrono::microseconds ShowWaitingPictures(std::chrono::microseconds newer);
// Why the last window could not be made; empty while every window could.
std::string WindowFailure();

} // namespace platform::sdl
