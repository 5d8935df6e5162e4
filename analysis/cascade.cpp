// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/cascade.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace analysis {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kDelta = 4.669201609102990;  // for the first guesses only
// A point counts as told apart from its neighbour while their distance is at
// least this many times the rounding error of either: delta then keeps
// three digits.
constexpr double kApart = 1000;
constexpr int kMostRows = 40;

// g^q(1/2) - 1/2 and its derivative in r, iterating the orbit and its
// derivative together.
std::pair<double, double> superstableResidual(double r, std::int64_t q) {
  double x = 0.5, dx = 0;
  for (std::int64_t k = 0; k < q; ++k) {
    dx = x * (1 - x) + r * (1 - 2 * x) * dx;
    x = r * x * (1 - x);
  }
  return {x - 0.5, dx};
}

// Newton's method from a guess; the error left, as the last residual over
// the derivative: the level at which rounding hides the root.
double superstable(double guess, std::int64_t q, double& error) {
  double r = guess;
  error = std::numeric_limits<double>::infinity();
  for (int i = 0; i < 60; ++i) {
    const auto [f, d] = superstableResidual(r, q);
    const double step = f / d;
    if (!std::isfinite(step)) break;
    r -= step;
    error = std::fabs(step);
    if (error <= 4 * std::numeric_limits<double>::epsilon() * r) break;
  }
  const auto [f, d] = superstableResidual(r, q);
  error = std::max(error, std::fabs(f / d));
  return r;
}

// The point of the 2^n cycle near x (Newton's method on g^q(x) - x, whose
// derivative, the multiplier less 1, stays far from 0 while the multiplier
// is negative), and the cycle's multiplier.
double cycleMultiplier(double r, std::int64_t q, double& x) {
  double mu = 1;
  for (int i = 0; i < 8; ++i) {
    double y = x;
    double m = 1;
    int e2 = 0;
    for (std::int64_t k = 0; k < q; ++k) {
      int e = 0;
      m = std::frexp(m * r * (1 - 2 * y), &e);
      e2 += e;
      y = r * y * (1 - y);
    }
    mu = std::ldexp(m, e2);
    const double step = (y - x) / (mu - 1);
    if (!std::isfinite(step)) break;
    x -= step;
    if (std::fabs(step) <= 4 * std::numeric_limits<double>::epsilon()) break;
  }
  return mu;
}

// Where the 2^n cycle's multiplier reaches -1, between its superstable
// point (multiplier 0) and the next one: the cycle followed in small steps
// of r from x = 1/2, then the secant rule on the bracket.
double doubling(double from, double to, std::int64_t q) {
  double x = 0.5, a = from, fa = 1;  // multiplier + 1 at the superstable point
  double b = to, fb = kNaN, xb = x;
  constexpr int kSteps = 16;
  for (int i = 1; i <= kSteps; ++i) {
    const double r = from + (to - from) * i / kSteps;
    double y = x;
    const double f = cycleMultiplier(r, q, y) + 1;
    if (!(f > 0)) {
      b = r;
      fb = f;
      xb = y;
      break;
    }
    a = r;
    fa = f;
    x = y;
  }
  if (std::isnan(fb)) return kNaN;
  // Illinois' variant of the false position: the bracket always holds.
  int side = 0;
  for (int i = 0; i < 100 && b - a > 2 * std::numeric_limits<double>::epsilon() * b; ++i) {
    const double r = b - fb * (b - a) / (fb - fa);
    if (!(r > a && r < b)) break;
    double y = fa > 0 ? x : xb;
    const double f = cycleMultiplier(r, q, y) + 1;
    if (f > 0) {
      a = r, fa = f, x = y;
      if (side == 1) fb /= 2;
      side = 1;
    } else {
      b = r, fb = f, xb = y;
      if (side == -1) fa /= 2;
      side = -1;
    }
    if (f == 0) return r;
  }
  return (a + b) / 2;
}

}  // namespace

Cascade cascade() {
  Cascade c;
  // The superstable parameters first, in r: R0 = 2, R1 = 1 + sqrt 5.
  std::vector<double> R, error;
  for (int n = 0; n < kMostRows; ++n) {
    const std::int64_t q = std::int64_t(1) << n;
    const double guess = n == 0   ? 2
                         : n == 1 ? 3.2
                                  : R[std::size_t(n - 1)] + (R[std::size_t(n - 1)] - R[std::size_t(n - 2)]) / kDelta;
    double e = 0;
    const double r = superstable(guess, q, e);
    if (n > 0) {
      const double apart = r - R.back();
      if (!(apart > kApart * std::max(e, error.back()))) {
        c.stop = {n, apart, std::max(e, error.back())};
        break;
      }
    }
    R.push_back(r);
    error.push_back(e);
  }
  // The doublings between them; the last superstable point has none after it.
  for (std::size_t n = 0; n + 1 < R.size(); ++n) {
    CascadeRow row;
    row.n = int(n);
    row.superstable = R[n] - 1;
    row.doubling = doubling(R[n], R[n + 1], std::int64_t(1) << n) - 1;
    if (n > 0) {
      double x = 0.5;
      for (std::int64_t k = 0; k < (std::int64_t(1) << (n - 1)); ++k) x = R[n] * x * (1 - x);
      row.width = x - 0.5;
    } else {
      row.width = kNaN;
    }
    row.delta = row.alpha = kNaN;
    if (n >= 2) {
      const CascadeRow& a = c.rows[n - 2];
      const CascadeRow& b = c.rows[n - 1];
      row.delta = (b.doubling - a.doubling) / (row.doubling - b.doubling);
      row.alpha = b.width / row.width;
    }
    c.rows.push_back(row);
  }
  return c;
}

CascadeWindow cascadeWindow(const Cascade& c, std::size_t row, bool normiert) {
  const CascadeRow& here = c.rows.at(row);
  // From the doubling before to half that distance beyond this one: the
  // rest of the cascade lies inside (it ends about 0.27 of the distance
  // beyond), and so does the next row's window, delta times narrower.
  const double links = row > 0 ? c.rows[row - 1].doubling : here.superstable - (here.doubling - here.superstable);
  const double rechts = here.doubling + (here.doubling - links) / 2;
  // The branches through the critical point, with room on both sides.
  const double half = std::isnan(here.width) ? 0.45 : std::min(0.45, 2.5 * std::fabs(here.width));
  double lo = 0.5 - half, hi = 0.5 + half;
  if (normiert) {
    // X = x (1 + p) / p, at the doubling point.
    const double scale = (1 + here.doubling) / here.doubling;
    lo *= scale;
    hi *= scale;
  }
  return {links, rechts, lo, hi};
}

}  // namespace analysis
