// Window and presentation on Win32: one overlapped (or, full screen, frameless)
// window per screen, its own device context, and the picture stretched into the
// largest 4:3 rectangle of the client area with black bars beside it. The program is
// DPI-aware (its manifest says so): sizes here are the screen's own pixels.

#include <algorithm>
#include <atomic>

#include "engine/files/QxLog.h"
#include "platform/win32/Win32Window.h"

namespace platform {
namespace win32 {
namespace {

HINSTANCE g_instance = nullptr;
std::atomic<bool> g_creationFailed{false};
std::atomic<bool> g_failureMessageBox{true};

// A 16-bit top-down picture with the screen's channel masks.
struct PictureInfo {
    BITMAPINFOHEADER header;
    DWORD masks[3];
};

PictureInfo MakePictureInfo(int width, int height) {
    PictureInfo info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = -height; // rows top-down
    info.header.biPlanes = 1;
    info.header.biBitCount = 16;
    info.header.biCompression = BI_BITFIELDS;
    info.masks[0] = 0x7C00;
    info.masks[1] = 0x03E0;
    info.masks[2] = 0x001F;
    return info;
}

BOOL CALLBACK TakeFirstIcon(HMODULE module, LPCSTR, LPSTR name, LONG_PTR found) {
    *reinterpret_cast<HICON*>(found) = LoadIconA(module, name);
    return FALSE; // the first icon group is the program's
}

HICON ProgramIcon() {
    HICON icon = nullptr;
    EnumResourceNamesA(g_instance, RT_GROUP_ICON, &TakeFirstIcon, LONG_PTR(&icon));
    return icon;
}

LPARAM PicturePosition(Win32ScreenWindow& window, LPARAM position) {
    const int x = short(LOWORD(position));
    const int y = short(HIWORD(position));
    int px = x, py = y;
    window.ClientToPicturePosition(x, y, &px, &py);
    return LPARAM(DWORD(WORD(short(px))) | (DWORD(WORD(short(py))) << 16));
}

LRESULT CALLBACK WindowMessageProcedure(HWND handle, UINT message, WPARAM first, LPARAM second) {
    Win32ScreenWindow* window = WindowOf(handle);
    const WindowProcedure procedure = CurrentWindowProcedure();
    if (window == nullptr || procedure == nullptr) {
        return DefWindowProcA(handle, message, first, second);
    }
    void* owner = window->Owner();
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // the picture and its bars cover the whole client area
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(handle, &paint);
        EndPaint(handle, &paint);
        window->Repaint();
        break;
    }
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        // The game sees positions on its 640 x 480 picture, wherever that sits.
        second = PicturePosition(*window, second);
        break;
    case WM_DPICHANGED:
        // Moved to a screen of another scale: the window takes the place Windows
        // suggests for it there. Full screen, it keeps covering the screen it is on.
        if ((GetWindowLongPtrA(handle, GWL_STYLE) & WS_POPUP) == 0 && second != 0) {
            const RECT& place = *reinterpret_cast<const RECT*>(second);
            SetWindowPos(handle, nullptr, place.left, place.top, place.right - place.left,
                         place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
        }
        return 0;
    case WM_MOUSEWHEEL:
        // The turn is in the first parameter and goes to the game as it is; the second
        // holds a screen position, which the game does not use (it has the last move's).
        break;
    default:
        break;
    }
    // Closing may destroy the window: nothing here touches it afterwards.
    if (procedure(owner, message, std::uint64_t(first), std::uint64_t(second))) {
        return 1;
    }
    return DefWindowProcA(handle, message, first, second);
}

// How many screen pixels a side of a picture pixel gets in a new window: the screen's
// scale in whole steps (a 200 % screen gives 2, 150 % still 1: uneven pixel sizes
// would show as stripes), reduced until the window fits the desktop's work area.
int WindowScale(int clientWidth, int clientHeight) {
    HDC screen = GetDC(nullptr);
    if (screen == nullptr) {
        return 1;
    }
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    RECT work{};
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) {
        return 1;
    }
    int scale = std::max(1, dpi / USER_DEFAULT_SCREEN_DPI);
    for (; scale > 1; --scale) {
        RECT outer{0, 0, clientWidth * scale, clientHeight * scale};
        AdjustWindowRectEx(&outer, WS_OVERLAPPEDWINDOW, FALSE, 0);
        if (outer.right - outer.left <= work.right - work.left &&
            outer.bottom - outer.top <= work.bottom - work.top) {
            break;
        }
    }
    return scale;
}

void ReportFailure(const char* step, DWORD code) {
    // Without a desktop to show it on (wine without an X display), the call fails
    // without an error code.
    const std::string why = code != 0 ? SystemErrorText(code) : "no desktop to show it on";
    const std::string reason =
        std::string("Rondelix cannot open its window: ") + step + " failed (" + why + ").";
    LogPrintf("%s", reason.c_str());
    g_creationFailed = true;
    if (g_failureMessageBox) {
        MessageBoxA(nullptr, reason.c_str(), "Rondelix", MB_OK | MB_ICONERROR | MB_TOPMOST);
    }
}

} // namespace

void SetInstance(HINSTANCE instance) {
    g_instance = instance;
}

HINSTANCE Instance() {
    return g_instance != nullptr ? g_instance : GetModuleHandleA(nullptr);
}

void SetFailureMessageBox(bool on) {
    g_failureMessageBox = on;
}

bool WindowCreationFailed() {
    return g_creationFailed;
}

std::string SystemErrorText(DWORD code) {
    char text[512] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, text, sizeof(text), nullptr);
    std::string message(text, length);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                                message.back() == ' ' || message.back() == '.')) {
        message.pop_back();
    }
    return "code " + std::to_string(code) + (message.empty() ? "" : ": " + message);
}

Win32ScreenWindow* WindowOf(HWND handle) {
    if (handle == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<Win32ScreenWindow*>(GetWindowLongPtrA(handle, GWLP_USERDATA));
}

HWND HandleOf(void* window) {
    auto* screenWindow = static_cast<ScreenWindow*>(window);
    auto* own = dynamic_cast<Win32ScreenWindow*>(screenWindow);
    return own != nullptr ? own->Handle() : nullptr;
}

std::unique_ptr<Win32ScreenWindow> Win32ScreenWindow::Create(const WindowOptions& options) {
    HINSTANCE instance = Instance();
    const std::string className = options.title.empty() ? std::string("Rondelix") : options.title;
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS | CS_OWNDC;
    windowClass.lpfnWndProc = &WindowMessageProcedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = ProgramIcon();
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = className.c_str();
    if (RegisterClassExA(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        ReportFailure("RegisterClassExA", GetLastError());
        return nullptr;
    }

    const int width = std::max(1, options.width);
    const int height = std::max(1, options.height);
    HWND handle = CreateWindowExA(0, className.c_str(), className.c_str(), WS_OVERLAPPEDWINDOW, 0,
                                  0, width, height, nullptr, nullptr, instance, nullptr);
    if (handle == nullptr) {
        ReportFailure("CreateWindowExA", GetLastError());
        return nullptr;
    }
    HDC dc = GetDC(handle);
    if (dc == nullptr) {
        ReportFailure("GetDC", GetLastError());
        DestroyWindow(handle);
        return nullptr;
    }
    auto window = std::unique_ptr<Win32ScreenWindow>(new Win32ScreenWindow(handle, options.owner));
    window->m_dc = dc;
    window->m_pictureWidth = width;
    window->m_pictureHeight = height;
    SetWindowLongPtrA(handle, GWLP_USERDATA, LONG_PTR(window.get()));

    const int desktopWidth = GetSystemMetrics(SM_CXSCREEN);
    const int desktopHeight = GetSystemMetrics(SM_CYSCREEN);
    if (options.fullScreen) {
        // No frame at all, covering the whole primary screen, task bar included:
        // placed rather than maximised, which would stop at the task bar.
        SetWindowLongPtrA(handle, GWL_STYLE, LONG_PTR(WS_POPUP));
        SetWindowPos(handle, HWND_TOP, 0, 0, desktopWidth, desktopHeight, SWP_FRAMECHANGED);
        ShowWindow(handle, SW_SHOW);
    } else {
        RECT outer{0, 0, width, height};
        if (options.sizeIsClient) {
            const int scale = WindowScale(width, height);
            outer = RECT{0, 0, width * scale, height * scale};
            AdjustWindowRectEx(&outer, WS_OVERLAPPEDWINDOW, FALSE, 0);
        }
        const int outerWidth = outer.right - outer.left;
        const int outerHeight = outer.bottom - outer.top;
        SetWindowPos(handle, nullptr, std::max(0, (desktopWidth - outerWidth) / 2),
                     std::max(0, (desktopHeight - outerHeight) / 2), outerWidth, outerHeight,
                     SWP_NOZORDER);
        ShowWindow(handle, SW_SHOWNORMAL);
    }
    UpdateWindow(handle);
    SetForegroundWindow(handle);
    SoundWindowMade(handle);
    return window;
}

Win32ScreenWindow::Win32ScreenWindow(HWND window, void* owner)
    : LetterboxedWindow(owner), m_window(window), m_dc(nullptr) {}

Win32ScreenWindow::~Win32ScreenWindow() {
    // The cursor's visibility is a count for the whole thread: give back what was taken.
    if (!m_cursorVisible) {
        ::ShowCursor(TRUE);
    }
    SetWindowLongPtrA(m_window, GWLP_USERDATA, 0);
    SoundWindowGone(m_window);
    DestroyWindow(m_window);
}

// The whole picture is kept and stretched: GDI scales it in one call, and the copy of
// a 640 x 480 picture costs little next to that.
bool Win32ScreenWindow::ShowImage(const uint16_t* pixels, int width, int height, int pitch,
                                  const PictureArea& /*changed*/) {
    // A device-independent bitmap's rows start on 4-byte boundaries.
    if (pixels == nullptr || width <= 0 || height <= 0 || pitch < width * 2 || pitch % 4 != 0) {
        return false;
    }
    m_pictureWidth = width;
    m_pictureHeight = height;
    m_picturePitch = pitch;
    m_picture.assign(pixels, pixels + size_t(pitch / 2) * size_t(height));
    return Draw();
}

void Win32ScreenWindow::Repaint() {
    m_paintedBox = LetterboxRect{};
    if (!m_picture.empty()) {
        Draw();
    }
}

bool Win32ScreenWindow::Draw() {
    const int clientWidth = ClientWidth();
    const int clientHeight = ClientHeight();
    const LetterboxRect box =
        FitPicture(clientWidth, clientHeight, m_pictureWidth, m_pictureHeight);
    if (box.width <= 0 || box.height <= 0) {
        return true; // minimised: nothing to show
    }
    if (box.x != m_paintedBox.x || box.y != m_paintedBox.y || box.width != m_paintedBox.width ||
        box.height != m_paintedBox.height) {
        PatBlt(m_dc, 0, 0, clientWidth, box.y, BLACKNESS);
        PatBlt(m_dc, 0, box.y + box.height, clientWidth, clientHeight - box.y - box.height,
               BLACKNESS);
        PatBlt(m_dc, 0, box.y, box.x, box.height, BLACKNESS);
        PatBlt(m_dc, box.x + box.width, box.y, clientWidth - box.x - box.width, box.height,
               BLACKNESS);
        m_paintedBox = box;
    }
    const PictureInfo info = MakePictureInfo(m_picturePitch / 2, m_pictureHeight);
    // Whole pixels only: a picture twice the size shows each pixel as a 2 x 2 block.
    SetStretchBltMode(m_dc, COLORONCOLOR);
    const int lines = StretchDIBits(
        m_dc, box.x, box.y, box.width, box.height, 0, 0, m_pictureWidth, m_pictureHeight,
        m_picture.data(), reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS, SRCCOPY);
    return lines != 0 && lines != int(GDI_ERROR);
}

void Win32ScreenWindow::ShowCursor(bool show) {
    if (show == m_cursorVisible) {
        return; // the platform counts calls; one state, one call
    }
    m_cursorVisible = show;
    ::ShowCursor(show ? TRUE : FALSE);
}

void Win32ScreenWindow::SetMousePosition(int x, int y) {
    int cx = 0, cy = 0;
    PictureToClientPosition(x, y, &cx, &cy);
    POINT point{cx, cy};
    ClientToScreen(m_window, &point);
    SetCursorPos(point.x, point.y);
}

bool Win32ScreenWindow::GetMousePosition(int* x, int* y) const {
    if (x == nullptr || y == nullptr) {
        return false;
    }
    POINT point{};
    if (!GetCursorPos(&point) || !ScreenToClient(m_window, &point)) {
        return false;
    }
    ClientToPicturePosition(point.x, point.y, x, y);
    return true;
}

void Win32ScreenWindow::Minimise(bool on) {
    ShowWindow(m_window, on ? SW_MINIMIZE : SW_SHOWNOACTIVATE);
}

bool Win32ScreenWindow::IsMinimised() const {
    return IsIconic(m_window) != FALSE;
}

int Win32ScreenWindow::ClientWidth() const {
    RECT client{};
    GetClientRect(m_window, &client);
    return client.right - client.left;
}

int Win32ScreenWindow::ClientHeight() const {
    RECT client{};
    GetClientRect(m_window, &client);
    return client.bottom - client.top;
}

void Win32ScreenWindow::SetClientSize(int width, int height) {
    RECT outer{0, 0, std::max(1, width), std::max(1, height)};
    AdjustWindowRectEx(&outer, DWORD(GetWindowLongPtrA(m_window, GWL_STYLE)), FALSE,
                       DWORD(GetWindowLongPtrA(m_window, GWL_EXSTYLE)));
    SetWindowPos(m_window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Win32ScreenWindow::CaptureClient(std::vector<uint16_t>* pixels) const {
    if (pixels == nullptr) {
        return false;
    }
    const int width = ClientWidth();
    const int height = ClientHeight();
    if (width <= 0 || height <= 0) {
        return false;
    }
    const int rowPixels = (width + 1) & ~1; // rows of whole 4-byte units
    PictureInfo info = MakePictureInfo(rowPixels, height);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(m_dc, reinterpret_cast<const BITMAPINFO*>(&info),
                                      DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr) {
        return false;
    }
    HDC memory = CreateCompatibleDC(m_dc);
    HGDIOBJ old = SelectObject(memory, bitmap);
    const bool copied = BitBlt(memory, 0, 0, width, height, m_dc, 0, 0, SRCCOPY) != FALSE;
    GdiFlush();
    if (copied) {
        pixels->assign(size_t(width) * size_t(height), 0);
        const auto* source = static_cast<const uint16_t*>(bits);
        for (int y = 0; y < height; ++y) {
            std::copy_n(source + size_t(y) * size_t(rowPixels), width,
                        pixels->data() + size_t(y) * size_t(width));
        }
    }
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bitmap);
    return copied;
}

} // namespace win32

std::unique_ptr<ScreenWindow> CreateScreenWindow(const WindowOptions& options) {
    return win32::Win32ScreenWindow::Create(options);
}

int DesktopBitsPerPixel() {
    HDC desktop = GetDC(nullptr);
    if (desktop == nullptr) {
        return 32;
    }
    const int bits = GetDeviceCaps(desktop, BITSPIXEL) * GetDeviceCaps(desktop, PLANES);
    ReleaseDC(nullptr, desktop);
    return bits;
}

void SetProcessHighPriority(bool on) {
    SetPriorityClass(GetCurrentProcess(), on ? HIGH_PRIORITY_CLASS : NORMAL_PRIORITY_CLASS);
}

bool IsProcessHighPriority() {
    return GetPriorityClass(GetCurrentProcess()) == HIGH_PRIORITY_CLASS;
}

} // namespace platform
