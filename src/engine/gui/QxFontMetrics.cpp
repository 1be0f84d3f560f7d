#include "engine/gui/QxFontMetrics.h"

#include <cstdlib>
#include <limits>

namespace {

constexpr size_t kNoSpace = std::numeric_limits<size_t>::max();

// Walks the text once and hands every finished line to `emit` as the positions
// of its characters in the text, with a flag telling whether the line continues
// the one before it (and so carries the continuation prefix).
template <typename Emit>
void WrapPositions(const std::string& text, int count, size_t prefixLength, Emit&& emit) {
    const size_t limit = count > 0 ? static_cast<size_t>(count) : kNoSpace;
    std::vector<size_t> line;
    size_t lastSpace = kNoSpace;
    size_t lineStart = 0;
    bool continuation = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            emit(line, continuation, lineStart);
            line.clear();
            lastSpace = kNoSpace;
            lineStart = i + 1;
            continuation = false;
            continue;
        }
        if (c == '\n') {
            continue;
        }
        // An empty line cannot be broken any further; breaking it would only
        // emit empty lines when the prefix alone fills the limit.
        if (!line.empty() && prefixLength + line.size() >= limit) {
            if (lastSpace == kNoSpace) {
                emit(line, continuation, lineStart);
                line.clear();
            } else {
                const auto cut = line.begin() + static_cast<std::ptrdiff_t>(lastSpace + 1);
                std::vector<size_t> head(line.begin(), cut);
                emit(head, continuation, lineStart);
                line.erase(line.begin(), cut);
            }
            lineStart = line.empty() ? i : line.front();
            lastSpace = kNoSpace;
            continuation = true;
        }
        if (c == ' ') {
            lastSpace = line.size();
        }
        line.push_back(i);
    }
    if (!line.empty()) {
        emit(line, continuation, lineStart);
    }
}

} // namespace

void QxFontMetrics::Build(const std::string& chars) {
    glyphIndex.fill(0);
    const size_t count = chars.size() < 256 ? chars.size() : 256;
    for (size_t i = 0; i < count; ++i) {
        glyphIndex[static_cast<uint8_t>(chars[i])] = static_cast<uint8_t>(i);
    }
    advance.fill(static_cast<uint8_t>(offsetX + charWidth));
}

bool QxFontMetrics::ApplyWidthEntry(const std::string& entry) {
    size_t pos = 0;
    while (pos < entry.size() && static_cast<uint8_t>(entry[pos]) < 32) {
        ++pos;
    }
    if (pos >= entry.size()) {
        return false;
    }
    const uint8_t character = static_cast<uint8_t>(entry[pos]);
    const size_t comma = entry.find(',', pos + 1);
    int width = 0;
    if (comma != std::string::npos) {
        const std::string number = entry.substr(comma + 1, 100);
        width = std::atoi(number.c_str());
    }
    advance[character] = static_cast<uint8_t>(width);
    return true;
}

uint8_t QxFontMetrics::MapChar(char c) const {
    if (noLowercase && c >= 'a' && c <= 'z') {
        return static_cast<uint8_t>(c - 'a' + 'A');
    }
    return static_cast<uint8_t>(c);
}

uint32_t QxFontMetrics::TextWidth(const std::string& text, bool countTrailingSpaces) const {
    uint32_t width = 0;
    for (char c : text) {
        width += advance[MapChar(c)];
    }
    if (!countTrailingSpaces) {
        for (size_t i = text.size(); i > 0 && text[i - 1] == ' '; --i) {
            width -= advance[MapChar(' ')];
        }
    }
    return width;
}

std::string QxFontMetrics::FitPrefix(const std::string& text, int maxWidth) const {
    int64_t width = 0;
    size_t length = 0;
    while (length < text.size()) {
        const int64_t next = width + advance[MapChar(text[length])];
        if (next >= maxWidth) {
            break;
        }
        width = next;
        ++length;
    }
    return text.substr(0, length);
}

std::vector<std::string> QxFontMetrics::WrapByCount(const std::string& text, int count,
                                                    const std::string* prefix) {
    const bool usePrefix =
        prefix != nullptr && !prefix->empty() && (count <= 0 || prefix->size() < size_t(count));
    std::vector<std::string> lines;
    WrapPositions(text, count, usePrefix ? prefix->size() : 0,
                  [&](const std::vector<size_t>& positions, bool continuation, size_t) {
                      std::string line = usePrefix && continuation ? *prefix : std::string();
                      for (size_t p : positions) {
                          line += text[p];
                      }
                      lines.push_back(std::move(line));
                  });
    return lines;
}

std::vector<QxFontMetrics::LineSpan> QxFontMetrics::WrapSpans(const std::string& text, int count) {
    std::vector<LineSpan> spans;
    WrapPositions(text, count, 0,
                  [&](const std::vector<size_t>& positions, bool, size_t lineStart) {
                      LineSpan span;
                      span.start = positions.empty() ? lineStart : positions.front();
                      span.length = positions.size();
                      spans.push_back(span);
                  });
    return spans;
}
