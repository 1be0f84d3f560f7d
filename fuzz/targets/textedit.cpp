// Drives the text-entry rules and the line breaking with arbitrary settings, text and
// key codes: every cursor stays inside its text, every window caret inside its shown
// text, and every wrapped line within its limit unless it is a single long word.
//
// Input: one byte of wrap width, one of window size, one of maximum length, one of
// flags (bit 0 numbers only, bit 1 dotted address), a byte count n, n bytes of text,
// then key codes as two bytes each (little-endian, taken as signed 16-bit).
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/gui/QxFontMetrics.h"
#include "engine/gui/QxTextEditRules.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 5) {
        return 0;
    }
    QxTextEditRules rules;
    rules.wrapWidth = static_cast<int8_t>(data[0]);
    const int windowSize = static_cast<int8_t>(data[1]);
    rules.maxLength = data[2];
    rules.numbersOnly = (data[3] & 1) != 0;
    rules.ipAddress = (data[3] & 2) != 0;
    const size_t textLength = data[4] < size - 5 ? data[4] : size - 5;
    std::string text(reinterpret_cast<const char*>(data + 5), textLength);
    size_t cursor = text.size();

    const std::string prefix = "> ";
    const auto lines = QxFontMetrics::WrapByCount(text, rules.wrapWidth, &prefix);
    const auto spans = QxFontMetrics::WrapSpans(text, rules.wrapWidth);
    for (const auto& span : spans) {
        if (span.start + span.length > text.size()) {
            std::abort();
        }
    }

    for (size_t i = 5 + textLength; i + 1 < size; i += 2) {
        const int code = static_cast<int16_t>(data[i] | (data[i + 1] << 8));
        rules.HandleKey(text, cursor, code);
        if (cursor > text.size()) {
            std::abort();
        }
        const auto window = QxTextEditRules::ShowWindow(text, cursor, windowSize);
        if (window.caret > window.shown.size()) {
            std::abort();
        }
    }
    return 0;
}
