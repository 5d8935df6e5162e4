// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The one reference every test compares with, written from first principles
// and nowhere else: a step of either growth law, one orbit at a time, and the
// rule that puts a coordinate into a pixel.
#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

#include "support/numbers.h"

namespace oracle {

// One step: the normalised law X (1 + p (1 - X)), or Verhulst's
// X (1 + p) (1 - X), in exactly this order of operations.
inline double step(double x, double p, bool normiert) {
  return normiert ? x * (1 + p * (1 - x)) : x * (1 + p) * (1 - x);
}

// X0, X1, ... Xn of one orbit.
inline std::vector<double> orbit(double p, double x0, int n, bool normiert) {
  std::vector<double> xs{x0};
  for (int k = 0; k < n; ++k) xs.push_back(step(xs.back(), p, normiert));
  return xs;
}

// The pixel of a continuous position c in a picture `size` pixels wide:
// pixel k covers [k, k + 1), the far edge belongs to the last pixel; -1 off
// the picture, NaN included.
inline long cell(double c, int size) {
  if (!(c >= 0 && c <= size)) return -1;
  return std::min(long(c), long(size) - 1);
}

// The pixel of a coordinate u on an axis that runs from `from` at pixel 0 to
// `to` at the far edge; -1 on an axis without a finite, non-zero extent,
// which puts nothing anywhere. Coordinates reach the picture in single
// precision.
inline long pixel(double u, double from, double to, int size) {
  if (!std::isfinite(from) || !std::isfinite(to - from) || to == from) return -1;
  return cell((double(support::toSingle(u)) - from) * (size / (to - from)), size);
}

}  // namespace oracle
