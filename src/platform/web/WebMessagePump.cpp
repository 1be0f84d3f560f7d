// The game thread's message queue in the browser: the page's handlers post the
// desktop's window messages from the browser's thread, and the game's loop takes them
// as on every other binding.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include "platform/web/WebRuntime.h"

namespace platform {
namespace {

std::mutex g_lock;
std::condition_variable g_arrived;
std::deque<WindowMessage> g_messages;
std::atomic<bool> g_hidden{false};
std::atomic<void*> g_owner{nullptr};
WindowProcedure g_procedure = nullptr; // the game's thread only
std::thread::id g_gameThread;

} // namespace

namespace web {

void Post(const WindowMessage& message) {
    {
        std::lock_guard lock(g_lock);
        g_messages.push_back(message);
    }
    g_arrived.notify_all();
}

void SetPageHidden(bool hidden) {
    {
        std::lock_guard lock(g_lock);
        g_hidden = hidden;
    }
    g_arrived.notify_all();
}

bool IsPageHidden() {
    return g_hidden;
}

void IdleSleep(unsigned milliseconds) {
    std::unique_lock lock(g_lock);
    if (std::this_thread::get_id() == g_gameThread && g_hidden) {
        g_arrived.wait(lock, [] { return !g_hidden || !g_messages.empty(); });
        return;
    }
    lock.unlock();
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void SetWindowOwner(void* owner) {
    g_owner = owner;
}

void* WindowOwner() {
    return g_owner;
}

} // namespace web

void SetWindowProcedure(WindowProcedure procedure) {
    g_procedure = procedure;
    g_gameThread = std::this_thread::get_id();
    if (procedure != nullptr) {
        web::StartPageInput();
    } else {
        web::StopPageInput();
    }
}

bool PeekWindowMessage() {
    std::lock_guard lock(g_lock);
    return !g_messages.empty();
}

bool GetWindowMessage(WindowMessage& message) {
    std::unique_lock lock(g_lock);
    g_arrived.wait(lock, [] { return !g_messages.empty(); });
    message = g_messages.front();
    g_messages.pop_front();
    return message.message != kMessageQuit;
}

void TranslateAndDispatch(const WindowMessage& message) {
    if (g_procedure != nullptr) {
        g_procedure(message.window, message.message, message.first, message.second);
    }
}

void PostQuit(int exitCode) {
    web::Post({nullptr, kMessageQuit, static_cast<std::uint64_t>(exitCode), 0});
}

void WaitForMessageOrTimeout(std::chrono::microseconds timeout) {
    std::unique_lock lock(g_lock);
    g_arrived.wait_for(lock, timeout, [] { return !g_messages.empty(); });
}

} // namespace platform
