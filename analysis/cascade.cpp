// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/cascade.h"

#include <algorithm>
#include <boost/multiprecision/cpp_bin_float.hpp>
#include <cmath>
#include <limits>
#include <vector>

#include "orbits/law.h"

namespace analysis {

namespace {

using Number = boost::multiprecision::cpp_bin_float_quad;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kDelta = 4.669201609102990;  // for the first guesses only

// The law in Verhulst's form, whose critical point is X = 1/2.
void grow(Number& x, const Number& p) { orbits::advance<false, true>(x, p); }
Number slope(const Number& x, const Number& p) {
  Number d;
  orbits::slopeAt<false, true>(x, p, d);
  return d;
}

// Newton's method until its steps, already small, stop halving: from there
// on they are rounding, and the last two of them bound the error left. (Far
// from the root a step may not halve while the other unknown settles.)
struct Solved {
  Number value, error;
  bool stopped = false;  // keepGoing said no
};
template <typename Step>
Solved newton(Number value, Step& next, const std::function<bool()>& keepGoing) {
  Number before = std::numeric_limits<double>::infinity(), last = before;
  for (int i = 0; i < 100; ++i) {
    const Number s = abs(next(value));
    if (!keepGoing()) return {value, 0, true};
    if (!(s < before / 2) && s < 1e-20 * abs(value)) {
      last = s;
      break;
    }
    value -= next.step;
    before = last = s;
    if (s == 0) break;
  }
  return {value, 4 * std::max(before, last), false};
}

// X(q) - 1/2 of the orbit from X = 1/2 and its derivative in p, iterated
// together, and X(q / 2): the cycle's point nearest the critical point when
// q is the cycle's period.
struct Superstable {
  Number step;  // the Newton step last taken
  Number half, halfSlope;
  std::int64_t q;
  const std::function<bool()>& keepGoing;
  Number operator()(const Number& p) {
    Number x = Number(1) / 2, dx = 0;
    const Number onePlusP = 1 + p;
    for (std::int64_t k = 0; k < q; ++k) {
      // d/dp of X (1 + p) (1 - X) is the new X over 1 + p.
      const Number g = slope(x, p);
      grow(x, p);
      dx = g * dx + x / onePlusP;
      if (k + 1 == q / 2) half = x, halfSlope = dx;
      if ((k & 0xffff) == 0xffff && !keepGoing()) return step = 0;
    }
    return step = (x - Number(1) / 2) / dx;
  }
};

// A point x of the 2^n cycle at a fixed p, by Newton's method on
// g^q(x) - x, whose derivative, the multiplier less 1, stays far from 0
// while the cycle is stable or just beyond.
struct CyclePoint {
  Number step;
  Number p;
  std::int64_t q;
  const std::function<bool()>& keepGoing;
  Number operator()(const Number& x0) {
    Number x = x0, a = 1;
    for (std::int64_t k = 0; k < q; ++k) {
      a *= slope(x, p);
      grow(x, p);
      if ((k & 0xffff) == 0xffff && !keepGoing()) return step = 0;
    }
    return step = (x - x0) / (a - 1);
  }
};

// The doubling point: a point x0 of the cycle and p together, where
// g^q(x0) = x0 and the multiplier (g^q)'(x0) = -1. Newton's method on both,
// with the derivatives of the orbit in x0 (a), in p (b), and the second ones
// in x0 (c) and in x0 and p (e), iterated along the orbit.
struct Doubling {
  Number step;  // in p
  Number x0;
  std::int64_t q;
  const std::function<bool()>& keepGoing;
  Number operator()(const Number& p) {
    const Number onePlusP = 1 + p, curvature = -2 * onePlusP;  // g''
    Number x = x0, a = 1, b = 0, c = 0, e = 0;
    for (std::int64_t k = 0; k < q; ++k) {
      const Number g = slope(x, p), gp = g / onePlusP;  // g' and d/dp of g'
      e = curvature * a * b + g * e + gp * a;
      c = curvature * a * a + g * c;
      grow(x, p);
      b = g * b + x / onePlusP;
      a *= g;
      if ((k & 0xffff) == 0xffff && !keepGoing()) return step = 0;
    }
    const Number f1 = x - x0, f2 = a + 1;
    const Number j11 = a - 1, j12 = b, j21 = c, j22 = e;
    const Number det = j11 * j22 - j12 * j21;
    x0 -= (f1 * j22 - f2 * j12) / det;
    return step = (j11 * f2 - j21 * f1) / det;
  }
};

// The text of a value with error bound `error`: rounded to the power of ten
// at least twice the bound, so that it lies within one unit of its last
// digit of the true value, and to at most kMostDigits significant digits.
std::string knownDigits(const Number& value, const Number& error) {
  if (value == 0 || !boost::multiprecision::isfinite(value)) return {};
  const int lead = int(boost::multiprecision::floor(boost::multiprecision::log10(abs(value))).convert_to<double>());
  const Number unit = 2 * error;
  int place = unit > 0 ? int(boost::multiprecision::ceil(boost::multiprecision::log10(unit)).convert_to<double>())
                       : std::numeric_limits<int>::min() / 2;
  place = std::max(place, lead - kMostDigits + 1);
  if (place > lead) return {};  // not even the first digit is known
  return value.str(std::max(0, -place), std::ios_base::fixed);
}

double toDouble(const Number& x) { return x.convert_to<double>(); }

}  // namespace

bool cascade(const std::function<void(const CascadeRow&)>& row, const std::function<bool()>& keepGoing, int last) {
  std::vector<Number> superstable, doubling, width, superstableError, doublingError, widthError;
  for (int n = 0; n <= last; ++n) {
    const std::int64_t q = std::int64_t(1) << n;
    // The superstable p: 1 (r = 2), 1 + sqrt 5 - 1 = sqrt 5, then each
    // distance about delta times the one before.
    const Number guess = n == 0   ? Number(1)
                         : n == 1 ? Number(2.2)
                                  : superstable[n - 1] + (superstable[n - 1] - superstable[n - 2]) / kDelta;
    Superstable s{0, 0, 0, q, keepGoing};
    const Solved sp = newton(guess, s, keepGoing);
    if (sp.stopped) return false;
    superstable.push_back(sp.value);
    superstableError.push_back(sp.error);
    s(sp.value);  // the half-way point at the root
    // The width moves with p as the half-way point does; its rounding is
    // that of the root's own orbit.
    width.push_back(n > 0 ? s.half - Number(1) / 2 : Number(0));
    widthError.push_back(abs(s.halfSlope) * sp.error + sp.error);

    // The doubling: 2 (r = 3) and sqrt 6 guessed, later ones extrapolated;
    // first a point of the cycle at the guess, then both together.
    Number p = n == 0   ? Number(1.9)
               : n == 1 ? Number(2.45)
                        : doubling[n - 1] + (doubling[n - 1] - doubling[n - 2]) / kDelta;
    CyclePoint point{0, p, q, keepGoing};
    const Solved x0 = newton(Number(1) / 2, point, keepGoing);
    if (x0.stopped) return false;
    Doubling d{0, x0.value, q, keepGoing};
    const Solved dp = newton(p, d, keepGoing);
    if (dp.stopped) return false;
    doubling.push_back(dp.value);
    doublingError.push_back(dp.error);

    CascadeRow r;
    r.n = n;
    r.superstable = toDouble(superstable[n]);
    r.doubling = toDouble(doubling[n]);
    r.superstableText = knownDigits(superstable[n], superstableError[n]);
    r.doublingText = knownDigits(doubling[n], doublingError[n]);
    r.width = n > 0 ? toDouble(width[n]) : kNaN;
    r.delta = r.alpha = kNaN;
    if (n >= 2) {
      const Number a = doubling[n - 1] - doubling[n - 2], b = doubling[n] - doubling[n - 1];
      const Number delta = a / b;
      const Number deltaError =
          abs(delta) * ((doublingError[n - 1] + doublingError[n - 2]) / abs(a) +
                        (doublingError[n] + doublingError[n - 1]) / abs(b) + std::numeric_limits<Number>::epsilon());
      const Number alpha = width[n - 1] / width[n];
      const Number alphaError = abs(alpha) * (widthError[n - 1] / abs(width[n - 1]) + widthError[n] / abs(width[n]) +
                                              std::numeric_limits<Number>::epsilon());
      r.delta = toDouble(delta);
      r.alpha = toDouble(alpha);
      r.deltaText = knownDigits(delta, deltaError);
      r.alphaText = knownDigits(alpha, alphaError);
    }
    row(r);
  }
  return true;
}

CascadeWindow cascadeWindow(const CascadeRow& here, const CascadeRow* before, bool normiert) {
  // From the doubling before to half that distance beyond this one: the
  // rest of the cascade lies inside (it ends about 0.27 of the distance
  // beyond), and so does the next row's window, delta times narrower.
  const double links = before ? before->doubling : here.superstable - (here.doubling - here.superstable);
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
