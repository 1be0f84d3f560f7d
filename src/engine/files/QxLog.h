#pragma once
#include <cstdarg>
#include <cstddef>

// The program's text log: "log.txt" in the settings store's user data folder. Every
// message opens, appends to and closes the file on its own; before the settings
// store exists messages are dropped.

// Size of one formatted line, terminator included.
inline constexpr size_t kLogLineSize = 2048;

#if defined(__GNUC__) || defined(__clang__)
#define QX_PRINTF_FORMAT(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#define QX_PRINTF_FORMAT(fmt, args)
#endif

// Formats one line, cut to fit, and ends it with carriage return and line feed.
void LogPrintf(const char* format, ...) QX_PRINTF_FORMAT(1, 2);
// As LogPrintf, but a line it already wrote to the log in this run is not written
// again: a fault that both threads meet, or every request of one file, is one line.
void LogPrintfOnce(const char* format, ...) QX_PRINTF_FORMAT(1, 2);
// As LogPrintf, for a problem the player must hear of: when the log cannot be
// written, the first such problem of the run goes to standard error instead.
void LogWarning(const char* format, ...) QX_PRINTF_FORMAT(1, 2);
// Writes a ready text unchanged (callers end it with "\n" where they want a break).
void LogString(const char* text);

// The line LogPrintf writes: at most kLogLineSize - 1 characters plus the terminator,
// always ending in "\r\n". Returns the length.
size_t FormatLogLine(char (&line)[kLogLineSize], const char* format, va_list args);
