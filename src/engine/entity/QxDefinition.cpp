#include "engine/entity/QxDefinition.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <climits>
#include <limits>
#include <memory>

#include "app/QxGlobals.h"
#include "engine/entity/QxEntityRegistry.h"
#include "engine/files/QxFile.h"
#include "engine/files/QxLog.h"
#include "engine/files/QxPortable.h"
#include "engine/screen/QxColour.h"
#include "engine/screen/QxRect.h"

namespace {

bool IsLineEnd(char c) {
    return c == '\r' || c == '\n' || c == '\0';
}

// Characters that end a line, start a comment or open or close a block.
bool IsStateChar(char c) {
    return c == '\r' || c == '\n' || c == '\0' || c == '#' || c == '{' || c == '}';
}

bool IsWordChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool IsNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

char ToLower(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (ToLower(a[i]) != ToLower(b[i])) {
            return false;
        }
    }
    return true;
}

// Moves `i` past leading blanks and an optional sign; true when the sign was '-'.
bool SkipBlanksAndSign(std::string_view s, std::size_t& i) {
    while (i < s.size() && IsBlank(s[i])) {
        ++i;
    }
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    return negative;
}

// Leading blanks, an optional sign, digits up to the first other character; nothing
// convertible gives 0. Numbers beyond the 32-bit range stop at its ends.
std::int32_t ParseInt(std::string_view s) {
    std::size_t i = 0;
    const bool negative = SkipBlanksAndSign(s, i);
    std::int64_t value = 0;
    constexpr std::int64_t kLimit = std::int64_t(INT32_MAX) + 1;
    for (; i < s.size() && IsDigit(s[i]); ++i) {
        value = std::min<std::int64_t>(value * 10 + (s[i] - '0'), kLimit);
    }
    if (negative) {
        return std::int32_t(-value);
    }
    return std::int32_t(std::min<std::int64_t>(value, INT32_MAX));
}

// Leading blanks, then a decimal number: sign, digits, fraction, exponent. Anything
// else ends it; nothing convertible gives 0. Values beyond the float range stop at
// its largest finite value.
float ParseFloat(std::string_view s) {
    std::size_t i = 0;
    const bool negative = SkipBlanksAndSign(s, i);
    const std::size_t start = i;
    std::size_t digits = 0;
    for (; i < s.size() && IsDigit(s[i]); ++i) {
        ++digits;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        for (; i < s.size() && IsDigit(s[i]); ++i) {
            ++digits;
        }
    }
    if (digits == 0) {
        return 0.0f;
    }
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            ++j;
        }
        if (j < s.size() && IsDigit(s[j])) {
            while (j < s.size() && IsDigit(s[j])) {
                ++j;
            }
            i = j;
        }
    }
    double value = 0.0;
    const auto result = qx::FloatFromChars(s.data() + start, s.data() + i, value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large or too small for a double: the exponent's sign tells which.
        const std::string_view number = s.substr(start, i - start);
        const std::size_t e = number.find_first_of("eE");
        const bool tiny =
            e != std::string_view::npos && e + 1 < number.size() && number[e + 1] == '-';
        value = tiny ? 0.0 : double(FLT_MAX);
    } else if (result.ec != std::errc()) {
        value = 0.0;
    }
    value = std::min(value, double(FLT_MAX));
    return float(negative ? -value : value);
}

// Calls piece(text, index) for each comma-separated piece of the value, up to count
// pieces. A piece starts at its first character and runs to the next comma after it,
// so an empty piece is joined to the one after it.
template <typename Piece> void ForEachPiece(std::string_view value, int count, Piece&& piece) {
    std::size_t p = 0;
    for (int index = 0; index < count && p < value.size(); ++index) {
        std::size_t q = value.find(',', p + 1);
        if (q == std::string_view::npos) {
            q = value.size();
        }
        const std::size_t length = std::min(q - p, QxDefinition::kMaxNumberLength);
        piece(value.substr(p, length), index);
        p = q + 1;
    }
}

// Follows the braces outside comments from `from`, counting in `depth`, to the "}" that
// brings the depth down to `stop`; its position, or the text's length when there is none.
std::uint32_t ScanToDepth(std::string_view text, std::uint32_t from, std::int64_t& depth,
                          std::int64_t stop) {
    bool comment = false;
    for (std::uint32_t i = from; i < text.size(); ++i) {
        const char c = text[i];
        if (IsLineEnd(c)) {
            comment = false;
        } else if (comment) {
            continue;
        } else if (c == '#') {
            comment = true;
        } else if (c == '{') {
            ++depth;
        } else if (c == '}' && --depth == stop) {
            return i;
        }
    }
    return std::uint32_t(text.size());
}

} // namespace

bool QxDefinition::ReadFromFile(QxFile& file) {
    const std::uint32_t size = file.GetSize();
    std::string bytes(size, '\0');
    const bool positioned = size && file.Seek(QxFile::kSeekStart, 0);
    const std::uint32_t read = positioned ? file.ReadBytes(size, bytes.data()) : 0;
    // A short read keeps what arrived rather than trusting the stated size.
    bytes.resize(std::min(read, size));
    return ReadFromMemory(bytes.data(), bytes.size());
}

bool QxDefinition::ReadFromMemory(const void* bytes, std::size_t length) {
    ForgetKey();
    if (length >= std::numeric_limits<std::uint32_t>::max() || (!bytes && length)) {
        m_text.clear();
        m_length = 0;
        return false;
    }
    m_text.assign(static_cast<const char*>(bytes), length);
    m_length = std::uint32_t(length);
    return true;
}

void QxDefinition::ForgetKey() {
    m_keyPos = m_lineEnd = m_valueStart = m_valueLength = 0;
    m_current = false;
}

bool QxDefinition::FindKey(std::string_view key) {
    ForgetKey();
    if (m_length == 0 || key.empty()) {
        return false;
    }

    char pattern[kMaxKeyLength + 1];
    std::size_t patternLength = std::min(key.size(), kMaxKeyLength);
    for (std::size_t i = 0; i < patternLength; ++i) {
        pattern[i] = ToLower(key[i]);
    }
    if (pattern[patternLength - 1] != ' ') {
        pattern[patternLength++] = ' ';
    }

    const char* text = m_text.data();
    std::int64_t depth = 0;
    bool comment = false;
    int word = 0; // 0 before the first word, 1 inside it, 2 after it
    std::size_t matched = 0;

    for (std::uint32_t i = 0; i < m_length; ++i) {
        // Most of the text lies where no key can start (values, comments, blocks):
        // run to the next character that changes the state.
        if (comment) {
            while (i < m_length && !IsLineEnd(text[i])) {
                ++i;
            }
        } else if (depth > 0 || word == 2 || (word == 1 && matched == 0)) {
            while (i < m_length && !IsStateChar(text[i])) {
                ++i;
            }
        }
        if (i >= m_length) {
            break;
        }
        const char c = text[i];
        if (IsLineEnd(c)) {
            comment = false;
            word = 0;
            matched = 0;
            continue;
        }
        if (comment) {
            continue;
        }
        if (c == '#') {
            comment = true;
            matched = 0;
            continue;
        }
        if (c == '{' || c == '}') {
            depth += c == '{' ? 1 : -1;
            if (depth < 0) {
                return false;
            }
            word = 0;
            matched = 0;
            continue;
        }
        if (depth > 0) {
            continue;
        }

        const bool mayMatch = matched == 0 ? word == 0 : word == 1;
        if (mayMatch && ToLower(c) == pattern[matched]) {
            if (++matched == patternLength) {
                m_keyPos = i + 1 - std::uint32_t(patternLength);
                std::uint32_t v = i + 1;
                while (v < m_length && (text[v] == ' ' || text[v] == '=' || text[v] == '\t')) {
                    ++v;
                }
                std::uint32_t end = v;
                while (end < m_length && !IsLineEnd(text[end])) {
                    ++end;
                }
                m_valueStart = v;
                m_lineEnd = end;
                m_valueLength = end - v;
                m_current = true;
                return true;
            }
        } else {
            matched = 0;
        }
        if (IsWordChar(c)) {
            if (word == 0) {
                word = 1;
            }
        } else if ((c == ' ' || c == '\t') && word == 1) {
            word = 2;
        }
    }
    return false;
}

std::string_view QxDefinition::Value() const {
    if (!m_current) {
        return {};
    }
    return std::string_view(m_text.data() + m_valueStart, m_valueLength);
}

std::string_view QxDefinition::CurrentKeyName() const {
    if (!m_current) {
        return {};
    }
    std::uint32_t end = m_keyPos;
    while (end < m_length && m_text[end] != ' ') {
        ++end;
    }
    return std::string_view(m_text.data() + m_keyPos, end - m_keyPos);
}

bool QxDefinition::ReadString(std::string& out) {
    out.clear();
    if (!m_current) {
        return false;
    }
    const char* p = m_text.data() + m_valueStart;
    const char* end = p + m_valueLength;
    if (p < end && *p == '"') {
        ++p;
        end = std::find(p, end, '"');
    }
    out.reserve(std::size_t(end - p));
    for (; p < end; ++p) {
        const char c = *p;
        if (c == '\t') {
            continue;
        }
        if (c == '\\' && p + 1 < end) {
            if (p[1] == '\\') {
                out += '\\';
                ++p;
                continue;
            }
            if (p[1] == 'n') {
                out += "\r\n";
                ++p;
                continue;
            }
        }
        out += c;
    }
    return true;
}

bool QxDefinition::ReadInts(std::int32_t* out, int count) {
    if (!m_current) {
        return false;
    }
    if (out) {
        ForEachPiece(Value(), count,
                     [out](std::string_view piece, int index) { out[index] = ParseInt(piece); });
    }
    return true;
}

bool QxDefinition::ReadFloats(float* out, int count) {
    if (!m_current) {
        return false;
    }
    if (out) {
        ForEachPiece(Value(), count,
                     [out](std::string_view piece, int index) { out[index] = ParseFloat(piece); });
    }
    return true;
}

bool QxDefinition::ReadColor(std::uint32_t& out) {
    std::int32_t rgba[4] = {0, 0, 0, 0};
    if (!ReadInts(rgba)) {
        return false;
    }
    // Unsigned arithmetic: a component outside 0..255 spills into its neighbour
    // instead of overflowing.
    out = (std::uint32_t(rgba[3]) << 24) + (std::uint32_t(rgba[0]) << 16) +
          (std::uint32_t(rgba[1]) << 8) + std::uint32_t(rgba[2]);
    return true;
}

bool QxDefinition::ReadCharAndInt(QxCharAndInt& out) {
    const std::string_view value = Value();
    std::size_t i = 0;
    while (i < value.size() && std::uint8_t(value[i]) <= 31) {
        ++i;
    }
    if (i == value.size()) {
        return false;
    }
    out.character = std::uint8_t(value[i]);
    const std::size_t comma = value.find(',', i + 1);
    if (comma != std::string_view::npos) {
        out.number = ParseInt(value.substr(comma + 1));
    }
    return true;
}

bool QxDefinition::ReadEnum(std::int32_t& value, const QxEnumEntry* table, int count) {
    std::string text;
    if (!ReadString(text) || !table) {
        return false;
    }
    for (int i = 0; i < count; ++i) {
        if (table[i].name && EqualsNoCase(text, table[i].name)) {
            value = table[i].value;
            return true;
        }
    }
    return false;
}

bool QxDefinition::ReadEntityRef(QxEntityRef& out) {
    if (!m_current) {
        return false;
    }
    const char* text = m_text.data();
    QxEntityRef ref;
    bool inType = false;
    for (std::uint32_t i = m_valueStart; i < m_lineEnd; ++i) {
        const char c = text[i];
        if (c == '@' && !inType && ref.className.empty()) {
            return ReadInlineRef(i, out);
        }
        if (c == ',') {
            if (inType || ref.className.empty()) {
                return false;
            }
            inType = true;
        } else if (IsNameChar(c)) {
            (inType ? ref.typeName : ref.className) += c;
        }
    }
    if (ref.className.empty() || ref.typeName.empty()) {
        return false;
    }
    out = std::move(ref);
    return true;
}

bool QxDefinition::ReadKey(std::string_view key, std::string& field) {
    return FindKey(key) && ReadString(field);
}

bool QxDefinition::ReadKey(std::string_view key, std::int32_t& field) {
    return FindKey(key) && ReadInts(&field, 1);
}

bool QxDefinition::ReadKey(std::string_view key, float& field) {
    return FindKey(key) && ReadFloats(&field, 1);
}

bool QxDefinition::ReadKey(std::string_view key, bool& field) {
    std::int32_t value = field ? 1 : 0;
    if (!ReadKey(key, value)) {
        return false;
    }
    field = value != 0;
    return true;
}

bool QxDefinition::ReadKey(std::string_view key, QxEntityRef& field) {
    if (!FindKey(key)) {
        return false;
    }
    // A malformed reference leaves the field as it is but the key was there.
    ReadEntityRef(field);
    return true;
}

bool QxDefinition::ReadKey(std::string_view key, QxPoint& field) {
    std::int32_t values[2] = {field.x, field.y};
    if (!ReadKey(key, values)) {
        return false;
    }
    field = QxPoint{values[0], values[1]};
    return true;
}

bool QxDefinition::ReadKey(std::string_view key, QxColour& field) {
    std::uint32_t argb = 0;
    if (!FindKey(key) || !ReadColor(argb)) {
        return false;
    }
    field = QxColour(std::uint8_t(argb >> 16), std::uint8_t(argb >> 8), std::uint8_t(argb),
                     std::uint8_t(argb >> 24));
    return true;
}

// The block may open on the key line after the at sign or on a later line; only
// blanks, line ends and comments may stand between. A "}" first, or any other text on
// a later line, means this at sign has no block.
bool QxDefinition::ReadInlineRef(std::uint32_t from, QxEntityRef& out) {
    const char* text = m_text.data();
    const std::string key(CurrentKeyName());
    std::uint32_t open = from + 1;
    bool comment = false;
    bool laterLine = false;
    for (; open < m_length; ++open) {
        const char c = text[open];
        if (IsLineEnd(c)) {
            comment = false;
            laterLine = true;
        } else if (comment) {
            continue;
        } else if (c == '#') {
            comment = true;
        } else if (c == '{') {
            break;
        } else if (c == '}' || (laterLine && !IsBlank(c))) {
            open = m_length;
            break;
        }
    }
    if (open >= m_length) {
        LogString((key + " - inline definition without a block.\n").c_str());
        return false;
    }

    std::int64_t depth = 1;
    const std::uint32_t close = ScanToDepth(Text(), open + 1, depth, 0);
    if (close >= m_length) {
        LogString((key + " - inline definition never closed.\n").c_str());
        return false;
    }
    if (m_depth >= kMaxInlineDepth) {
        LogString((key + " - inline definitions nested deeper than " +
                   std::to_string(kMaxInlineDepth) + ".\n")
                      .c_str());
        return false;
    }

    QxEntityRegistry* registry = m_registry ? m_registry : g_registry;
    QxEntityRef ref;
    if (registry) {
        QxDefinition inner(std::string_view(text + open + 1, close - open - 1));
        inner.m_depth = m_depth + 1;
        inner.m_registry = m_registry;
        if (QxEntityBaseType* type = registry->DefineType(inner, true)) {
            ref = {type->ClassName(), type->TypeName()};
        }
    }
    out = std::move(ref);
    return true;
}

const char* QxDefinition::CheckBlocks() const {
    std::int64_t depth = 0;
    if (ScanToDepth(Text(), 0, depth, -1) < m_length) {
        return "\"}\" without \"{\"";
    }
    return depth > 0 ? "block never closed" : nullptr;
}
