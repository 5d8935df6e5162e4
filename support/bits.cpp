// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/bits.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace support {

// libc++ marks what it has: the floating-point conversions came in version 14.
#if defined(_LIBCPP_VERSION) && _LIBCPP_VERSION < 14000
#define VARNOSKEL_OWN_CHARCONV 1
#endif

char* writeGeneral(char* first, char* last, double value, int precision) {
#ifdef VARNOSKEL_OWN_CHARCONV
  // printf's %g is what to_chars' general form is defined by; emscripten's
  // C library writes it in the C locale.
  const int n = std::snprintf(first, std::size_t(last - first), "%.*g", precision, value);
  return n < 0 || first + n > last ? last : first + n;
#else
  return std::to_chars(first, last, value, std::chars_format::general, precision).ptr;
#endif
}

bool readDecimal(const char* first, const char* last, double& value) {
#ifdef VARNOSKEL_OWN_CHARCONV
  const std::string text(first, last);
  char* end = nullptr;
  errno = 0;
  const double read = std::strtod(text.c_str(), &end);
  if (errno == ERANGE && (read == 0 || std::abs(read) == HUGE_VAL)) return false;
  value = read;
  return true;
#else
  return std::from_chars(first, last, value).ec != std::errc::result_out_of_range;
#endif
}

}  // namespace support
