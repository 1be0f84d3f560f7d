#pragma once
// The few standard-library pieces that older C++ libraries lack (the browser build's
// has no std::bit_cast, no make_unique_for_overwrite and no floating-point to_chars or
// from_chars), in one place: the standard ones where the library has them, portable
// equivalents elsewhere. The portable text conversions are compiled everywhere, so the
// tests can hold them to the standard ones.

#include <bit>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <type_traits>

namespace qx {

template <typename To, typename From> To BitCast(const From& from) {
    static_assert(sizeof(To) == sizeof(From) && std::is_trivially_copyable_v<To> &&
                  std::is_trivially_copyable_v<From>);
#if defined(__cpp_lib_bit_cast)
    return std::bit_cast<To>(from);
#else
    To to;
    std::memcpy(&to, &from, sizeof to);
    return to;
#endif
}

// Storage the caller fills before reading.
inline std::unique_ptr<std::uint8_t[]> MakeUninitialisedBytes(std::size_t size) {
#if defined(__cpp_lib_smart_ptr_for_overwrite)
    return std::make_unique_for_overwrite<std::uint8_t[]>(size);
#else
    return std::unique_ptr<std::uint8_t[]>(new std::uint8_t[size]);
#endif
}

namespace portable {
// As std::to_chars(first, last, value): the shortest text that reads back as the value,
// fixed or scientific, whichever is shorter (fixed on a tie).
std::to_chars_result FloatToChars(char* first, char* last, float value);
// As std::from_chars(first, last, value) in the general format: no leading '+' or
// blanks, no hexadecimal; out of range leaves the value alone.
std::from_chars_result FromChars(const char* first, const char* last, float& value);
std::from_chars_result FromChars(const char* first, const char* last, double& value);
} // namespace portable

#if defined(__cpp_lib_to_chars)
inline std::to_chars_result FloatToChars(char* first, char* last, float value) {
    return std::to_chars(first, last, value);
}
template <typename Float>
std::from_chars_result FloatFromChars(const char* first, const char* last, Float& value) {
    return std::from_chars(first, last, value);
}
#else
inline std::to_chars_result FloatToChars(char* first, char* last, float value) {
    return portable::FloatToChars(first, last, value);
}
template <typename Float>
std::from_chars_result FloatFromChars(const char* first, const char* last, Float& value) {
    return portable::FromChars(first, last, value);
}
#endif

} // namespace qx
