// The page's events as the desktop's window messages, on the browser's thread: keys
// (the keys the game uses are kept from the browser, so arrows do not scroll the page
// and the browser's own shortcuts still work), the mouse over the scaled canvas, the
// wheel, focus and the tab's visibility (a hidden tab pauses the game as a focus loss
// does), and the gamepads, read once per display frame as the desktop reads them.

#include <array>
#include <atomic>
#include <cstring>

#include <emscripten/emscripten.h>
#include <emscripten/html5.h>
#include <emscripten/threading.h>

#include "app/QxScreenSize.h"
#include "platform/Gamepad.h"
#include "platform/web/WebEvents.h"
#include "platform/web/WebGamepad.h"
#include "platform/web/WebMouse.h"
#include "platform/web/WebRuntime.h"

namespace platform::web {
namespace {

constexpr pthread_t kBrowserThread = EM_CALLBACK_THREAD_CONTEXT_MAIN_BROWSER_THREAD;
constexpr std::size_t kPads = 4;

std::atomic<int> g_mouseX{0};
std::atomic<int> g_mouseY{0};
std::array<GamepadKeys, kPads> g_pads; // the browser's thread only
std::array<bool, kPads> g_padConnected{};
bool g_running = false; // the browser's thread only

// Where the canvas shows on the page now.
EM_JS(void, web_canvas_rect, (double* rect), {
    const canvas = Module["canvas"];
    const box =
        canvas ? canvas.getBoundingClientRect() : {left : 0, top : 0, width : 0, height : 0};
    HEAPF64[rect >> 3] = box.left;
    HEAPF64[(rect >> 3) + 1] = box.top;
    HEAPF64[(rect >> 3) + 2] = box.width;
    HEAPF64[(rect >> 3) + 3] = box.height;
});

void PostAll(const std::vector<WindowMessage>& messages) {
    for (const WindowMessage& message : messages) {
        Post(message);
    }
}

EM_BOOL OnKey(int eventType, const EmscriptenKeyboardEvent* event, void*) {
    KeyEvent key;
    key.key = event->key;
    key.keyCode = static_cast<std::uint32_t>(event->keyCode);
    key.down = eventType == EMSCRIPTEN_EVENT_KEYDOWN;
    key.shortcut = event->ctrlKey || event->altKey || event->metaKey;
    const KeyHandling handling = HandleKey(WindowOwner(), key);
    PostAll(handling.messages);
    return handling.keepFromBrowser ? EM_TRUE : EM_FALSE;
}

std::uint64_t PositionWord(int x, int y) {
    return std::uint32_t(std::uint16_t(x)) | (std::uint32_t(std::uint16_t(y)) << 16);
}

// The event's position in picture pixels.
void PictureOf(const EmscriptenMouseEvent& event, int* x, int* y) {
    double rect[4] = {};
    web_canvas_rect(rect);
    PagePointToPicture(CanvasRect{rect[0], rect[1], rect[2], rect[3]}, kScreenWidth, kScreenHeight,
                       double(event.clientX), double(event.clientY), x, y);
}

EM_BOOL OnMouse(int eventType, const EmscriptenMouseEvent* event, void*) {
    int x = 0, y = 0;
    PictureOf(*event, &x, &y);
    g_mouseX = x;
    g_mouseY = y;
    const std::uint64_t at = PositionWord(x, y);
    if (eventType == EMSCRIPTEN_EVENT_MOUSEMOVE) {
        Post({WindowOwner(), InputMessage::MouseMove, 0, at});
        return EM_FALSE;
    }
    const bool down = eventType == EMSCRIPTEN_EVENT_MOUSEDOWN;
    std::uint32_t message = 0;
    switch (event->button) {
    case 0:
        message = down ? InputMessage::LeftButtonDown : InputMessage::LeftButtonUp;
        break;
    case 1:
        message = down ? InputMessage::MiddleButtonDown : InputMessage::MiddleButtonUp;
        break;
    case 2:
        message = down ? InputMessage::RightButtonDown : InputMessage::RightButtonUp;
        break;
    default:
        return EM_FALSE;
    }
    Post({WindowOwner(), message, 0, at});
    // Pressing on the canvas must not select the page's text or start a drag.
    return down ? EM_TRUE : EM_FALSE;
}

EM_BOOL OnWheel(int, const EmscriptenWheelEvent* event, void*) {
    const std::int32_t turn = WheelTurn(event->deltaY, WheelUnit(event->deltaMode));
    if (turn == 0) {
        return EM_FALSE;
    }
    Post({WindowOwner(), InputMessage::MouseWheel,
          std::uint64_t(std::uint16_t(std::int16_t(turn))) << 16, 0});
    return EM_TRUE; // the wheel over the game turns the game's lists, not the page
}

void PostActive(bool active) {
    Post({WindowOwner(), InputMessage::ActivateApp, active ? 1u : 0u, 0});
}

EM_BOOL OnFocus(int eventType, const EmscriptenFocusEvent*, void*) {
    PostActive(eventType == EMSCRIPTEN_EVENT_FOCUS);
    return EM_FALSE;
}

EM_BOOL OnVisibility(int, const EmscriptenVisibilityChangeEvent* event, void*) {
    SetPageHidden(event->hidden != 0);
    PostActive(event->hidden == 0);
    return EM_FALSE;
}

void ReadGamepads() {
    if (emscripten_sample_gamepad_data() != EMSCRIPTEN_RESULT_SUCCESS) {
        return;
    }
    const int count = emscripten_get_num_gamepads();
    for (std::size_t i = 0; i < kPads; ++i) {
        EmscriptenGamepadEvent pad{};
        const bool connected =
            int(i) < count &&
            emscripten_get_gamepad_status(int(i), &pad) == EMSCRIPTEN_RESULT_SUCCESS &&
            pad.connected != 0;
        if (connected) {
            PostAll(g_pads[i].Update(
                StandardPadState(pad.digitalButton, pad.numButtons, pad.axis, pad.numAxes),
                WindowOwner()));
        } else if (g_padConnected[i]) {
            PostAll(g_pads[i].Release(WindowOwner()));
        }
        g_padConnected[i] = connected;
    }
}

EM_BOOL OnDisplayFrame(double, void*) {
    if (!g_running) {
        return EM_FALSE;
    }
    PresentLatestPicture();
    ReadGamepads();
    return EM_TRUE;
}

void Register(bool on) {
    const char* page = EMSCRIPTEN_EVENT_TARGET_WINDOW;
    auto key = on ? &OnKey : nullptr;
    auto mouse = on ? &OnMouse : nullptr;
    auto focus = on ? &OnFocus : nullptr;
    emscripten_set_keydown_callback_on_thread(page, nullptr, EM_TRUE, key, kBrowserThread);
    emscripten_set_keyup_callback_on_thread(page, nullptr, EM_TRUE, key, kBrowserThread);
    // Presses on the canvas only (the page's own links stay clickable); moves and
    // releases anywhere, so a drag that leaves the canvas still ends.
    emscripten_set_mousedown_callback_on_thread("#canvas", nullptr, EM_TRUE, mouse, kBrowserThread);
    emscripten_set_mouseup_callback_on_thread(page, nullptr, EM_TRUE, mouse, kBrowserThread);
    emscripten_set_mousemove_callback_on_thread(page, nullptr, EM_TRUE, mouse, kBrowserThread);
    emscripten_set_wheel_callback_on_thread("#canvas", nullptr, EM_TRUE, on ? &OnWheel : nullptr,
                                            kBrowserThread);
    emscripten_set_focus_callback_on_thread(page, nullptr, EM_TRUE, focus, kBrowserThread);
    emscripten_set_blur_callback_on_thread(page, nullptr, EM_TRUE, focus, kBrowserThread);
    emscripten_set_visibilitychange_callback_on_thread(
        nullptr, EM_TRUE, on ? &OnVisibility : nullptr, kBrowserThread);
}

void Start() {
    Register(true);
    SetPageHidden(EM_ASM_INT({ return document.hidden ? 1 : 0; }) != 0);
    if (!g_running) {
        g_running = true;
        emscripten_request_animation_frame_loop(&OnDisplayFrame, nullptr);
    }
}

void Stop() {
    Register(false);
    g_running = false;
    // The last picture stays on the canvas.
    PresentLatestPicture();
}

} // namespace

void LastMousePosition(int* x, int* y) {
    *x = g_mouseX;
    *y = g_mouseY;
}

void StartPageInput() {
    emscripten_sync_run_in_main_runtime_thread(EM_FUNC_SIG_V, &Start);
}

void StopPageInput() {
    emscripten_sync_run_in_main_runtime_thread(EM_FUNC_SIG_V, &Stop);
}

} // namespace platform::web
