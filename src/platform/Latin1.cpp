#include "platform/Latin1.h"

namespace platform {

std::vector<std::uint32_t> Latin1Characters(const char* utf8) {
    std::vector<std::uint32_t> characters;
    if (utf8 == nullptr) {
        return characters;
    }
    const auto* p = reinterpret_cast<const unsigned char*>(utf8);
    while (*p != 0) {
        std::uint32_t code = 0;
        int extra = 0;
        if (*p < 0x80) {
            code = *p;
        } else if ((*p & 0xE0) == 0xC0) {
            code = *p & 0x1F;
            extra = 1;
        } else if ((*p & 0xF0) == 0xE0) {
            code = *p & 0x0F;
            extra = 2;
        } else if ((*p & 0xF8) == 0xF0) {
            code = *p & 0x07;
            extra = 3;
        } else {
            ++p; // a stray continuation byte
            continue;
        }
        ++p;
        bool valid = true;
        for (int i = 0; i < extra; ++i, ++p) {
            if ((*p & 0xC0) != 0x80) {
                valid = false; // the byte starts the next character: read it again
                break;
            }
            code = (code << 6) | (*p & 0x3F);
        }
        // Overlong forms (such as C0 80 for a zero) would smuggle control characters in.
        const bool overlong = (extra == 1 && code < 0x80) || (extra == 2 && code < 0x800);
        if (valid && !overlong && code >= 32 && code < 256 && code != 127) {
            characters.push_back(code);
        }
    }
    return characters;
}

} // namespace platform
