// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/numbers.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "support/bits.h"

namespace support {

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Collects the leading number of the text, blanks removed and D turned into
// E, in the form that std::from_chars reads. Also returns the decimal
// exponent of the first significant digit, which tells an overflow from an
// underflow when the value is out of range.
struct Scan {
  std::string chars;
  bool negative = false;
  long long leadExponent = 0;
  bool anyDigit = false;
};

Scan scan(std::string_view text) {
  Scan s;
  std::size_t i = 0;
  auto skip = [&] {
    while (i < text.size() && isSpace(text[i])) ++i;
  };
  auto peek = [&]() -> char {
    skip();
    return i < text.size() ? text[i] : '\0';
  };

  if (peek() == '+' || peek() == '-') {
    s.negative = text[i] == '-';
    ++i;
  }
  long long intDigits = 0;        // significant digits before the point
  long long zerosAfterPoint = 0;  // zeros between the point and the first significant digit
  bool significant = false;
  while (isDigit(peek())) {
    char c = text[i++];
    s.anyDigit = true;
    if (c != '0' || significant) {
      significant = true;
      ++intDigits;
      s.chars += c;
    }
  }
  if (peek() == '.') {
    ++i;
    std::string fraction;
    while (isDigit(peek())) {
      char c = text[i++];
      s.anyDigit = true;
      if (!significant && c == '0') ++zerosAfterPoint;
      if (c != '0') significant = true;
      fraction += c;
    }
    if (!fraction.empty()) {
      s.chars += '.';
      s.chars += fraction;
    }
  }
  if (!s.anyDigit) return s;
  if (s.chars.empty() || s.chars[0] == '.') s.chars.insert(s.chars.begin(), '0');

  // The exponent counts only when digits follow the letter (and its sign).
  std::size_t mark = i;
  char e = peek();
  long long exponent = 0;
  if (e == 'E' || e == 'e' || e == 'D' || e == 'd') {
    ++i;
    bool expNegative = false;
    if (peek() == '+' || peek() == '-') {
      expNegative = text[i] == '-';
      ++i;
    }
    bool expDigits = false;
    std::string digits;
    while (isDigit(peek())) {
      char c = text[i++];
      expDigits = true;
      if (exponent < 100000000) exponent = exponent * 10 + (c - '0');
      digits += c;
    }
    if (expDigits) {
      if (expNegative) exponent = -exponent;
      s.chars += 'e';
      s.chars += std::to_string(exponent);
    } else {
      i = mark;
      exponent = 0;
    }
  }
  s.leadExponent = exponent + (intDigits > 0 ? intDigits - 1 : -(zerosAfterPoint + 1));
  return s;
}

// Turns printf-style "%.*G" output into the program's text form.
std::string shape(std::string digits, bool negative) {
  if (auto e = digits.find('e'); e != std::string::npos) digits[e] = 'E';
  if (digits.rfind("0.", 0) == 0) digits.erase(0, 1);
  digits.insert(digits.begin(), negative ? '-' : ' ');
  return digits;
}

// Infinities are written as the largest finite value of their precision.
template <typename T>
std::string writeNumber(T value, int digits) {
  if (std::isinf(value)) value = std::copysign(std::numeric_limits<T>::max(), value);
  return textWithDigits(value, digits);
}

}  // namespace

std::string textWithDigits(double value, int digits) {
  if (std::isnan(value)) return " 0";
  if (std::isinf(value)) value = std::copysign(std::numeric_limits<double>::max(), value);
  if (value == 0) return " 0";
  char buffer[64];
  char* end = writeGeneral(buffer, buffer + sizeof buffer, std::fabs(value), digits);
  return shape(std::string(buffer, end), std::signbit(value));
}

double numberFromText(std::string_view text) {
  Scan s = scan(text);
  if (!s.anyDigit) return 0.0;
  double value = 0.0;
  if (!readDecimal(s.chars.data(), s.chars.data() + s.chars.size(), value))
    value = s.leadExponent > 0 ? std::numeric_limits<double>::max() : 0.0;
  return s.negative ? -value : value;
}

double numberFromText(const QString& text) { return numberFromText(text.toStdString()); }

std::string textFromDouble(double value) { return writeNumber(value, 15); }
std::string textFromSingle(float value) { return writeNumber(value, 7); }
QString qTextFromDouble(double value) { return QString::fromStdString(textFromDouble(value)); }
QString qTextFromSingle(float value) { return QString::fromStdString(textFromSingle(value)); }

QString localeText(double value, const QLocale& locale) {
  if (!std::isfinite(value)) value = std::isnan(value) ? 0.0 : std::copysign(std::numeric_limits<double>::max(), value);
  char buffer[64];
  char* end = writeGeneral(buffer, buffer + sizeof buffer, std::fabs(value), 15);
  QString text = QString::fromLatin1(buffer, end - buffer);
  text.replace(QLatin1Char('e'), QLatin1Char('E'));
  text.replace(QLatin1Char('.'), locale.decimalPoint());
  if (std::signbit(value) && value != 0) text.prepend(locale.negativeSign());
  return text;
}

std::int32_t roundToInt32(double value) {
  if (std::isnan(value)) return 0;
  double r = std::nearbyint(value);  // the default rounding mode: ties to even
  if (r >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
  if (r <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(r);
}

}  // namespace support
