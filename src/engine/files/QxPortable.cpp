#include "engine/files/QxPortable.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::to_chars_result Put(char* first, char* last, const std::string& text) {
    if (static_cast<std::size_t>(last - first) < text.size()) {
        return {last, std::errc::value_too_large};
    }
    std::memcpy(first, text.data(), text.size());
    return {first + text.size(), std::errc()};
}

bool StartsWithNoCase(const char* first, const char* last, const char* word) {
    for (; *word != '\0'; ++word, ++first) {
        if (first == last || std::tolower(static_cast<unsigned char>(*first)) != *word) {
            return false;
        }
    }
    return true;
}

// The length of the longest prefix that reads as a number in the general format, 0 when
// there is none.
std::size_t NumberLength(const char* first, const char* last) {
    const char* p = first;
    if (p != last && *p == '-') {
        ++p;
    }
    if (StartsWithNoCase(p, last, "infinity")) {
        return std::size_t(p + 8 - first);
    }
    if (StartsWithNoCase(p, last, "inf")) {
        return std::size_t(p + 3 - first);
    }
    if (StartsWithNoCase(p, last, "nan")) {
        const char* q = p + 3;
        if (q != last && *q == '(') {
            const char* r = q + 1;
            while (r != last && (std::isalnum(static_cast<unsigned char>(*r)) || *r == '_')) {
                ++r;
            }
            if (r != last && *r == ')') {
                q = r + 1;
            }
        }
        return std::size_t(q - first);
    }
    const char* digits = p;
    while (p != last && std::isdigit(static_cast<unsigned char>(*p))) {
        ++p;
    }
    bool any = p != digits;
    if (p != last && *p == '.') {
        const char* fraction = ++p;
        while (p != last && std::isdigit(static_cast<unsigned char>(*p))) {
            ++p;
        }
        any = any || p != fraction;
    }
    if (!any) {
        return 0;
    }
    if (p != last && (*p == 'e' || *p == 'E')) {
        const char* q = p + 1;
        if (q != last && (*q == '+' || *q == '-')) {
            ++q;
        }
        const char* exponent = q;
        while (q != last && std::isdigit(static_cast<unsigned char>(*q))) {
            ++q;
        }
        if (q != exponent) {
            p = q;
        }
    }
    return std::size_t(p - first);
}

template <typename Float>
std::from_chars_result ReadFloat(const char* first, const char* last, Float& value) {
    const std::size_t length = NumberLength(first, last);
    if (length == 0) {
        return {first, std::errc::invalid_argument};
    }
    const std::string text(first, length);
    errno = 0;
    char* end = nullptr;
    const Float read = std::is_same_v<Float, float> ? Float(std::strtof(text.c_str(), &end))
                                                    : Float(std::strtod(text.c_str(), &end));
    if (errno == ERANGE) {
        return {first + length, std::errc::result_out_of_range};
    }
    value = read;
    return {first + length, std::errc()};
}

} // namespace

namespace qx::portable {

std::to_chars_result FloatToChars(char* first, char* last, float value) {
    const std::string sign = std::signbit(value) ? "-" : "";
    if (std::isnan(value)) {
        return Put(first, last, sign + "nan");
    }
    if (std::isinf(value)) {
        return Put(first, last, sign + "inf");
    }
    if (value == 0.0f) {
        return Put(first, last, sign + "0");
    }
    // The fewest significant digits that read back as the value; printf rounds to the
    // nearest, which is the closest such text.
    char buffer[64];
    for (int precision = 0; precision < 9; ++precision) {
        std::snprintf(buffer, sizeof buffer, "%.*e", precision, double(std::fabs(value)));
        if (std::strtof(buffer, nullptr) == std::fabs(value)) {
            break;
        }
    }
    const char* e = std::strchr(buffer, 'e');
    std::string digits;
    for (const char* p = buffer; p != e; ++p) {
        if (*p != '.') {
            digits += *p;
        }
    }
    const int exponent = std::atoi(e + 1);
    const int count = int(digits.size());
    std::string scientific = digits.substr(0, 1);
    if (count > 1) {
        scientific += "." + digits.substr(1);
    }
    char tail[16];
    std::snprintf(tail, sizeof tail, "e%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    scientific += tail;
    // Fixed notation shows every digit left of the point, exactly as printf does.
    std::snprintf(buffer, sizeof buffer, "%.*f", std::max(0, count - 1 - exponent),
                  double(std::fabs(value)));
    const std::string fixed = buffer;
    return Put(first, last, sign + (scientific.size() < fixed.size() ? scientific : fixed));
}

std::from_chars_result FromChars(const char* first, const char* last, float& value) {
    return ReadFloat(first, last, value);
}

std::from_chars_result FromChars(const char* first, const char* last, double& value) {
    return ReadFloat(first, last, value);
}

} // namespace qx::portable
