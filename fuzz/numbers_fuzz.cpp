// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Fuzz target for the number conversions: for any bytes, reading then
// writing is stable (the text written reads back to a value that writes the
// same text), with the digits of double and of single precision, and nothing
// crashes.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "support/numbers.h"

using namespace support;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const double value = numberFromText(bytes);

  const std::string text = textFromDouble(value);
  if (textFromDouble(numberFromText(text)) != text) std::abort();

  const std::string single = textFromSingle(toSingle(value));
  if (textWithDigits(numberFromText(single), 7) != single) std::abort();

  (void)roundToInt32(value);
  (void)localeText(value, QLocale::c());
  return 0;
}
