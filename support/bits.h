// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The parts of the standard library the program uses that the browser
// build's libc++ (emscripten's, version 13) lacks, in one place: the bits
// of a double (std::bit_cast), and doubles written and read in the shortest
// C-locale forms (the floating-point std::to_chars and std::from_chars).
// Elsewhere they are the standard's own.
#pragma once

#include <bit>
#include <charconv>
#include <cstring>
#include <type_traits>

namespace support {

template <class To, class From>
constexpr To bitCast(const From& from) noexcept {
  static_assert(sizeof(To) == sizeof(From) && std::is_trivially_copyable_v<To> && std::is_trivially_copyable_v<From>);
#if defined(__cpp_lib_bit_cast)
  return std::bit_cast<To>(from);
#else
  To to;
  std::memcpy(&to, &from, sizeof to);
  return to;
#endif
}

// to_chars(first, last, value, chars_format::general, precision): %.*g.
char* writeGeneral(char* first, char* last, double value, int precision);
// from_chars(first, last, value) for a plain decimal number; false where it
// is beyond the double range (value then unchanged).
bool readDecimal(const char* first, const char* last, double& value);

}  // namespace support
