#include "engine/files/QxLog.h"

#include <cstdio>
#include <string>

#include "app/QxGlobals.h"
#include "app/QxSettingsManager.h"

namespace {

void AppendToLog(const char* text, size_t length) {
    if (!g_settingsManager || !text)
        return;
    try {
        const std::string path = g_settingsManager->UserDataFolder("") + "log.txt";
        // Binary append: the line ends exactly as given, on every platform.
        std::FILE* file = std::fopen(path.c_str(), "ab");
        if (!file)
            return;
        std::fwrite(text, 1, length, file);
        std::fclose(file);
    } catch (...) {
        // The log is the last resort for reporting; a failure here has nowhere to go.
    }
}

} // namespace

size_t FormatLogLine(char (&line)[kLogLineSize], const char* format, va_list args) {
    // Room is kept for the line end and the terminator, so output cut to fit still
    // ends as a line.
    constexpr size_t kTextRoom = kLogLineSize - 2;
    int written = format ? std::vsnprintf(line, kTextRoom, format, args) : 0;
    size_t length = 0;
    if (written > 0)
        length =
            static_cast<size_t>(written) < kTextRoom ? static_cast<size_t>(written) : kTextRoom - 1;
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
    AppendToLog(line, length);
}

void LogString(const char* text) {
    if (!text)
        return;
    AppendToLog(text, std::char_traits<char>::length(text));
}
