#include "engine/gui/QxTextEditRules.h"

#include <algorithm>
#include <cstdint>

#include "app/QxInputEvent.h"
#include "engine/gui/QxFontMetrics.h"

namespace {

constexpr int kBackspace = 8;

bool IsDigit(int code) {
    return code >= '0' && code <= '9';
}

// The line (of the wrapped layout) that holds the cursor: the last line that
// starts at or before it.
size_t LineOf(const std::vector<QxFontMetrics::LineSpan>& spans, size_t cursor) {
    size_t line = 0;
    for (size_t i = 0; i < spans.size(); ++i) {
        if (spans[i].start <= cursor) {
            line = i;
        }
    }
    return line;
}

} // namespace

size_t QxTextEditRules::GroupLengthAt(const std::string& text, size_t cursor) {
    cursor = std::min(cursor, text.size());
    size_t begin = cursor;
    while (begin > 0 && text[begin - 1] != '.') {
        --begin;
    }
    size_t end = cursor;
    while (end < text.size() && text[end] != '.') {
        ++end;
    }
    return end - begin;
}

bool QxTextEditRules::HandleKey(std::string& text, size_t& cursor, int code) const {
    cursor = std::min(cursor, text.size());
    // Characters reach the game as sign-extended bytes (the input events and the
    // recordings keep them so): "\xD6" arrives as -42 and "\xFF" as -1.
    if (code >= -128 && code < 0) {
        code += 256;
    }
    switch (code) {
    case kBackspace:
        if (!text.empty() && cursor == text.size()) {
            text.pop_back();
        } else if (cursor > 0) {
            text.erase(cursor - 1, 1);
        }
        if (cursor > 0) {
            --cursor;
        }
        return true;
    case QxKey::Left:
        if (cursor > 0) {
            --cursor;
        }
        return true;
    case QxKey::Right:
        if (cursor < text.size()) {
            ++cursor;
        }
        return true;
    case QxKey::Up:
    case QxKey::Down: {
        if (wrapWidth < 1) {
            return true;
        }
        const auto spans = QxFontMetrics::WrapSpans(text, wrapWidth);
        if (spans.empty()) {
            return true;
        }
        const size_t line = LineOf(spans, cursor);
        const size_t column = cursor - std::min(cursor, spans[line].start);
        if (code == QxKey::Up && line > 0) {
            const auto& above = spans[line - 1];
            const size_t last = above.length > 0 ? above.length - 1 : 0;
            cursor = above.start + std::min(column, last);
        } else if (code == QxKey::Down && line + 1 < spans.size()) {
            const auto& below = spans[line + 1];
            cursor = below.start + std::min(column, below.length);
        }
        cursor = std::min(cursor, text.size());
        return true;
    }
    default:
        break;
    }
    if (code < 32 || code > 255) {
        return true;
    }
    if (ipAddress) {
        if (code != '.' && !IsDigit(code)) {
            return false;
        }
        if (code == '.') {
            const auto dots = std::count(text.begin(), text.end(), '.');
            if (dots >= 3 || GroupLengthAt(text, cursor) == 0) {
                return false;
            }
        } else if (GroupLengthAt(text, cursor) >= 3) {
            return false;
        }
    }
    if (numbersOnly && !IsDigit(code)) {
        return false;
    }
    if (text.size() >= maxLength) {
        return true;
    }
    text.insert(text.begin() + static_cast<std::ptrdiff_t>(cursor), static_cast<char>(code));
    ++cursor;
    return true;
}

QxTextEditRules::Window QxTextEditRules::ShowWindow(const std::string& text, size_t cursor,
                                                    int windowSize) {
    Window window;
    const int64_t length = static_cast<int64_t>(text.size());
    const int64_t at = std::min<int64_t>(static_cast<int64_t>(cursor), length);
    const int64_t size = windowSize;
    if (size <= 0 || length <= size) {
        window.shown = text;
        window.caret = static_cast<size_t>(at);
        return window;
    }
    const int64_t half = size / 2;
    int64_t first = 0;
    bool cutStart = false;
    if (length - at < half) {
        first = std::min(length, length - size + 4);
        window.shown = "... " + text.substr(static_cast<size_t>(first));
        cutStart = true;
    } else if (at < half) {
        window.shown = text.substr(0, static_cast<size_t>(std::max<int64_t>(size - 4, 0))) + " ...";
    } else {
        first = std::min(length, at - half + 4);
        const auto count = static_cast<size_t>(std::max<int64_t>(size - 8, 0));
        window.shown = "... " + text.substr(static_cast<size_t>(first), count) + " ...";
        cutStart = true;
    }
    int64_t caret = cutStart ? at - first + 4 : at;
    caret = std::clamp<int64_t>(caret, 0, static_cast<int64_t>(window.shown.size()));
    window.caret = static_cast<size_t>(caret);
    return window;
}
