// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Where user coordinates land in a picture's pixels. The continuous position
// is c = (u - origin) * scale; pixel k covers [k, k + 1) of it, and the far
// edge belongs to the last pixel. A mapping without extent has NaN scales and
// puts nothing anywhere. A plain value: a worker thread can take a copy.
#pragma once

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>

#include "support/bits.h"

namespace support {

struct PixelMapping {
  static constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

  double left = 0, sx = kNone, width = 0;  // horizontal: origin, pixels per unit, pixels
  double top = 0, sy = kNone, height = 0;  // vertical

  double x(double u) const { return (u - left) * sx; }
  double y(double u) const { return (u - top) * sy; }

  // The pixel of a finite continuous position, on the picture or off it
  // (lines and boxes reach a little beyond its edges).
  static std::ptrdiff_t cell(double c, double size) {
    return c == size ? static_cast<std::ptrdiff_t>(size) - 1 : static_cast<std::ptrdiff_t>(std::floor(c));
  }
  // The pixel column or row of a coordinate, -1 off the picture. Written so
  // that NaN fails the test: nothing non-finite reaches an integer cast.
  static std::ptrdiff_t pixel(double c, double size) {
    if (!(c >= 0.0 && c <= size)) return -1;
    return cell(c, size);
  }
  std::ptrdiff_t column(float u) const { return pixel(x(u), width); }
  std::ptrdiff_t row(float u) const { return pixel(y(u), height); }

  // Bitwise, so that two mappings without extent (NaN scales) compare equal.
  friend bool operator==(const PixelMapping& a, const PixelMapping& b) {
    auto same = [](double u, double v) {
      return support::bitCast<std::uint64_t>(u) == support::bitCast<std::uint64_t>(v);
    };
    return same(a.left, b.left) && same(a.sx, b.sx) && same(a.width, b.width) && same(a.top, b.top) &&
           same(a.sy, b.sy) && same(a.height, b.height);
  }
};

}  // namespace support
