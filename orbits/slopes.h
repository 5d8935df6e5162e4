// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The sum of ln |f'| along an orbit, for the Lyapunov exponent of one orbit
// and of the exponent over p.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "support/bits.h"

namespace orbits {

// The product of |f'| along the orbit, kept as a mantissa and a power of two
// so that it neither overflows nor underflows; a logarithm per step would
// cost more than the step. Each slope is split before it is multiplied in,
// so four factors in [0.5, 1) stay far inside the range of doubles whatever
// the slopes; a zero slope makes the product 0, an infinite one infinite.
struct SlopeProduct {
  double mantissa = 1;
  std::int64_t exponent = 0;
  int pending = 0;

  // |value| as a factor in [0.5, 1) and a power of two, read off the bits
  // where it is a normal number (frexp is a call, and this is every step).
  static double split(double value, std::int64_t& power) {
    const auto bits = support::bitCast<std::uint64_t>(value);
    const auto field = int(bits >> 52 & 0x7ff);
    if (field != 0 && field != 0x7ff) [[likely]] {
      power += field - 1022;
      return support::bitCast<double>((bits & 0x000fffffffffffffu) | 0x3fe0000000000000u);
    }
    int e = 0;
    const double m = std::fabs(std::frexp(value, &e));  // 0, a subnormal, infinity or NaN
    if (std::isfinite(m)) power += e;
    return m;
  }

  void add(double slope) {
    mantissa *= split(slope, exponent);
    if (++pending == 4) {
      mantissa = split(mantissa, exponent);
      pending = 0;
    }
  }
  double log() const {
    if (!std::isfinite(mantissa) || mantissa == 0) return std::log(mantissa);
    return double(exponent) * std::numbers::ln2 + std::log(mantissa);
  }
};

}  // namespace orbits
