#include "engine/files/QxLog.h"

#include <atomic>
#include <cstdio>
#include <mutex>
#include <set>
#include <string>

#include "app/QxGlobals.h"
#include "app/QxSettingsManager.h"

namespace {

enum class Appended { Written, Dropped, Failed };

// True the first time this line goes to this log in the run.
bool FirstTimeIn(const std::string& path, const char* text, size_t length) {
    static std::mutex lock;
    static std::set<std::string> written;
    const std::lock_guard guard(lock);
    return written.insert(path + '\n' + std::string(text, length)).second;
}

// Dropped: no settings store yet, or a line that `once` keeps from repeating.
Appended AppendToLog(const char* text, size_t length, bool once, std::string* logPath = nullptr) {
    if (!g_settingsManager || !text) {
        return Appended::Dropped;
    }
    try {
        const std::string path = g_settingsManager->UserDataFolder("") + "log.txt";
        if (logPath) {
            *logPath = path;
        }
        if (once && !FirstTimeIn(path, text, length)) {
            return Appended::Dropped;
        }
        // Binary append: the line ends exactly as given, on every platform.
        std::FILE* file = std::fopen(path.c_str(), "ab");
        if (!file) {
            return Appended::Failed;
        }
        bool written = std::fwrite(text, 1, length, file) == length;
        written = std::fclose(file) == 0 && written;
        return written ? Appended::Written : Appended::Failed;
    } catch (...) {
        // The log is the last resort for reporting; a failure here has nowhere to go.
        return Appended::Failed;
    }
}

} // namespace

size_t FormatLogLine(char (&line)[kLogLineSize], const char* format, va_list args) {
    // Room is kept for the line end and the terminator, so output cut to fit still
    // ends as a line.
    constexpr size_t kTextRoom = kLogLineSize - 2;
    int written = format ? std::vsnprintf(line, kTextRoom, format, args) : 0;
    size_t length = 0;
    if (written > 0) {
        length =
            static_cast<size_t>(written) < kTextRoom ? static_cast<size_t>(written) : kTextRoom - 1;
    }
    line[length++] = '\r';
    line[length++] = '\n';
    line[length] = '\0';
    return length;
}

void LogPrintf(const char* format, ...) {
    char line[kLogLineSize];
    va_list args;
    va_start(args, format);
    const size_t length = FormatLogLine(line, format, args);
    va_end(args);
    AppendToLog(line, length, false);
}

void LogPrintfOnce(const char* format, ...) {
    char line[kLogLineSize];
    va_list args;
    va_start(args, format);
    const size_t length = FormatLogLine(line, format, args);
    va_end(args);
    AppendToLog(line, length, true);
}

void LogWarning(const char* format, ...) {
    char line[kLogLineSize];
    va_list args;
    va_start(args, format);
    const size_t length = FormatLogLine(line, format, args);
    va_end(args);
    std::string path;
    if (AppendToLog(line, length, false, &path) != Appended::Failed) {
        return;
    }
    // With the home folder read-only or full the log cannot say it either; standard
    // error is the last place left. Once: the first problem explains the rest.
    static std::atomic<bool> told{false};
    if (told.exchange(true)) {
        return;
    }
    std::fprintf(stderr, "%.*s (the log %s cannot be written either)\n",
                 static_cast<int>(length - 2), line, path.c_str());
}

void LogString(const char* text) {
    if (!text) {
        return;
    }
    AppendToLog(text, std::char_traits<char>::length(text), false);
}
