// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The three number conversions of the program and the safe narrowing to
// single precision. Every number a handler reads from a text box goes through
// numberFromText; every number it writes back goes through textFromDouble or
// textFromSingle, so that what is written reads back. localeText is for texts
// that are only ever looked at.
#pragma once

#include <QLocale>
#include <QString>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace support {

// Reads the number at the start of the text. Blanks, tabs and line feeds are
// ignored wherever they stand; an optional sign, digits, an optional "." with
// digits and an optional exponent (E or D, sign, digits) are read up to the
// first character that cannot continue the number. Text without a number
// reads as 0. Magnitudes beyond the double range read as the largest finite
// double of that sign; magnitudes below the smallest one read as 0.
double numberFromText(std::string_view text);
double numberFromText(const QString& text);
inline double numberFromText(const char* text) { return numberFromText(std::string_view(text)); }

// Writes a double with at most 15 significant digits: a blank before a value
// that is not negative, "." as the point, no zero before the point, trailing
// zeros dropped, exponent form ("1E-05", "1E+15") for very small and very
// large magnitudes. Infinities are written as the largest finite double,
// NaN as 0: the text always reads back as a number.
std::string textFromDouble(double value);
// The same for a single-precision value, with at most 7 significant digits.
// Seven digits do not always lead back to the same single (1.00000006E+28
// is written as 1E+28, and the single nearest to that is 9.99999944E+27),
// but they always lead back to a value that writes the same text.
std::string textFromSingle(float value);
// Either form: at most `digits` significant digits of the value.
std::string textWithDigits(double value, int digits);
QString qTextFromDouble(double value);
QString qTextFromSingle(float value);

// The shortest decimal form with at most 15 significant digits, no blank in
// front, a zero before the decimal separator of the given locale.
QString localeText(double value, const QLocale& locale = QLocale());

// Rounds to single precision as IEEE 754 does (magnitudes past the float
// range become infinities), without the undefined behaviour of a plain cast.
// Inline: the sweep calls it for every point.
// Halfway between FLT_MAX and 2^128: from here on, rounding gives infinity.
constexpr double kSingleOverflow = 0x1.ffffffp127;
inline float toSingle(double value) {
  if (std::fabs(value) < kSingleOverflow || std::isnan(value)) return static_cast<float>(value);
  return value > 0 ? std::numeric_limits<float>::infinity() : -std::numeric_limits<float>::infinity();
}

// Rounds to the nearest integer, ties to even, and saturates to the 32-bit
// range; NaN gives 0.
std::int32_t roundToInt32(double value);

}  // namespace support
