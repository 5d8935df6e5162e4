// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/orbit.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "orbits/cyclefinder.h"
#include "orbits/law.h"
#include "orbits/slopes.h"
#include "support/palette.h"

namespace analysis {

using orbits::SlopeProduct;

namespace {

// Steps between two looks at keepGoing: a fraction of a millisecond.
constexpr std::int64_t kBlock = 1 << 15;
// A period must hold over at least this many iterates, so that a chaotic
// orbit passing close to an unstable cycle is not taken for it.
constexpr int kLeastSpan = 16;

// Both orbits, once they repeat themselves together bit for bit (the pair is
// one state of the cycle finder), draw nothing new: whole periods of the
// pair are then skipped up to where the shown iterates begin (and, before
// it, up to where the exponent starts to count), the exponent taking each
// skipped period's sum of ln |f'|.
template <bool Normiert, bool Verhulst>
bool iterate(const OrbitSettings& s, Orbit& out, const std::function<bool(std::int64_t)>& keepGoing) {
  double a = s.startwert, b = s.startwert + kNeighbour;
  const std::int64_t last = s.last();
  const std::int64_t yellowFrom = std::max<std::int64_t>(s.gelbAb, 0);
  SlopeProduct product;
  double skipped = 0;  // the sum of ln |f'| over the periods skipped
  orbits::CycleFinder<2> cycle;
  std::int64_t metAt = 0;
  if (out.first == 0) {
    out.values.push_back(a);
    out.neighbour.push_back(b);
  }
  // Whole periods from `counter`, ending no later than `upTo`.
  auto skip = [&](std::int64_t& counter, std::int64_t period, std::int64_t upTo) {
    const std::int64_t periods = (upTo - counter) / period;
    if (periods <= 0) return;
    if (counter >= yellowFrom) {
      SlopeProduct one;
      double x = a;
      for (std::int64_t j = 0; j < period; ++j) {
        x = orbits::step<Normiert, Verhulst>(x, s.p);
        one.add(orbits::slope<Normiert, Verhulst>(x, s.p));
      }
      skipped += double(periods) * one.log();
      out.iterated += period;
    }
    counter += periods * period;
  };
  for (std::int64_t counter = 0; counter < s.bis + 1;) {
    const std::int64_t end = std::min(counter + kBlock, s.bis + 1);
    out.iterated += end - counter;
    for (; counter < end; ++counter) {
      a = orbits::step<Normiert, Verhulst>(a, s.p);
      b = orbits::step<Normiert, Verhulst>(b, s.p);
      if (counter >= yellowFrom) product.add(orbits::slope<Normiert, Verhulst>(a, s.p));
      if (counter + 1 >= out.first) {
        out.values.push_back(a);
        out.neighbour.push_back(b);
      }
      if (!metAt && cycle.meets({a, b})) metAt = counter + 1;
    }
    if (s.law().stuck(a, s.p) && s.law().stuck(b, s.p)) {
      // The rest of the orbit repeats these values.
      const auto missing = std::size_t(last - std::max(out.first - 1, counter));
      out.values.insert(out.values.end(), missing, a);
      out.neighbour.insert(out.neighbour.end(), missing, b);
      break;
    }
    if (const std::int64_t period = cycle.look(counter, {a, b}, metAt)) {
      out.repeats = period;
      // The shown iterates are pushed from counter out.first - 1 on.
      const std::int64_t target = std::max(counter, out.first - 1);
      skip(counter, period, counter < yellowFrom ? std::min(target, yellowFrom) : target);
    }
    if (!keepGoing(counter)) return false;
  }
  const std::int64_t counted = s.bis + 1 - yellowFrom;
  out.lyapunov = counted > 0 ? (product.log() + skipped) / double(counted) : std::numeric_limits<double>::quiet_NaN();
  return true;
}

bool near(double a, double b) { return std::fabs(a - b) <= kPeriodTolerance * std::max(1.0, std::fabs(a)); }

// The smallest q up to kLongestPeriod for which the last max(q, kLeastSpan)
// of the `count` values y repeat those q steps before within the tolerance;
// `searched` tells how far the count allowed to look.
int repeatingPeriod(const double* y, std::int64_t count, int& searched) {
  searched = 0;
  for (int q = 1; q <= kLongestPeriod; ++q) {
    const int span = std::max(q, kLeastSpan);
    if (count < q + span) break;
    searched = q;
    bool holds = true;
    for (std::int64_t j = count - span; j < count && holds; ++j) holds = near(y[j], y[j - q]);
    if (holds) return q;
  }
  return 0;
}

// An orbit still swinging in towards a cycle of d steps, with a multiplier
// near -1, comes back to itself after 2d steps sooner than after d: its
// lag-d differences shrink step by step and by at least half over the
// iterates shown, where those of a cycle of its own stay as they are.
bool shrinking(const double* y, std::int64_t count, std::int64_t d) {
  const std::int64_t from = std::max<std::int64_t>(d, count - 4 * std::max<std::int64_t>(d, kLeastSpan));
  if (count - from < 2 * d) return false;
  double first = 0, last = 0;
  for (std::int64_t j = from; j < count; ++j) {
    const double e = std::fabs(y[j] - y[j - d]);
    if (j >= from + d && !(e < std::fabs(y[j - d] - y[j - 2 * d]))) return false;
    if (j < from + d) first = std::max(first, e);
    if (j >= count - d) last = std::max(last, e);
  }
  return last <= first / 2;
}

// ln |f'| summed over the last `period` values: the cycle's multiplier.
template <typename Slope>
double cycleLog(const double* y, std::int64_t count, int period, Slope slope) {
  SlopeProduct product;
  for (std::int64_t j = count - period; j < count; ++j) product.add(slope(y[j]));
  return product.log();
}

// Steps the orbit is followed beyond bis to tell a chaotic orbit from one
// that has not settled yet, and a cycle from an orbit that only passes near
// one: a few milliseconds.
constexpr std::int64_t kLookAhead = 1 << 20;

// Whether the orbit keeps repeating itself every q steps within the
// tolerance for kLookAhead steps beyond the `count` values y. Near a cycle
// that is about to be born (just before a periodic window opens) the orbit
// lingers for thousands of steps close to where the cycle will be, with
// steps that look periodic, and then leaves.
template <typename Step>
bool keepsPeriod(const double* y, std::int64_t count, int q, Step step) {
  std::vector<double> ring(y + count - q, y + count);  // the last q values
  double x = y[count - 1];
  for (std::int64_t n = 0; n < kLookAhead; ++n) {
    x = step(x);
    double& before = ring[std::size_t(n % q)];
    if (!near(x, before)) return false;
    before = x;
  }
  return true;
}

void findPeriod(const OrbitSettings& s, Orbit& out) {
  const std::int64_t from = std::max(out.first, std::max<std::int64_t>(s.gelbAb, 0) + 1);
  const std::int64_t count = s.last() + 1 - from;
  out.period = 0;
  out.searched = 0;
  out.cycleLog = std::numeric_limits<double>::quiet_NaN();
  if (count <= 0) return;  // no yellow iterate shown
  const double* y = out.values.data() + (from - out.first);
  const int q = repeatingPeriod(y, count, out.searched);
  // A period holds if the orbit repeats itself bit for bit, and so stays on
  // its cycle, or if it keeps repeating within the tolerance after bis.
  if (q && !out.repeats && !keepsPeriod(y, count, q, [&](double x) { return s.step(x); })) {
    out.passing = q;
    return;
  }
  if (q) {
    out.period = q;
    for (int d = 1; d < q; ++d) {
      if (q % d == 0 && shrinking(y, count, d)) {
        out.period = d;
        out.settling = true;
        break;
      }
    }
    out.cycleLog = cycleLog(y, count, out.period, [&](double x) { return s.slope(x); });
    return;
  }
  // No period among the iterates shown: the orbit goes on, and if it then
  // repeats itself for good, or leaves the double range, it had not
  // settled; if it repeats itself only for a while, it passes near a cycle.
  std::vector<double> ahead(std::size_t(2 * kLongestPeriod));
  double x = out.values.back();
  for (std::int64_t n = 0; n < kLookAhead && std::isfinite(x); ++n) x = s.step(x);
  for (double& a : ahead) a = x = s.step(x);
  int searched = 0;
  const auto most = std::int64_t(ahead.size());
  if (!std::isfinite(x)) {
    out.unsettled = true;
  } else if (const int later = repeatingPeriod(ahead.data(), most, searched)) {
    if (keepsPeriod(ahead.data(), most, later, [&](double v) { return s.step(v); }))
      out.unsettled = true;
    else
      out.passing = later;
  }
}

}  // namespace

int OrbitSettings::colour(std::int64_t n) const {
  return n == 0 ? support::kCyan : orbits::Counters{vorlaufBis, gelbAb}.colour(n - 1);
}

bool computeOrbit(const OrbitSettings& s, Orbit& out, const std::function<bool(std::int64_t)>& keepGoing) {
  out = Orbit{};
  out.first = std::max<std::int64_t>(0, s.last() - kShown);
  out.values.reserve(std::size_t(s.last() - out.first + 1));
  out.neighbour.reserve(out.values.capacity());
  bool done = false;
  if (s.normiert && s.verhulst)
    done = iterate<true, true>(s, out, keepGoing);
  else if (s.normiert)
    done = iterate<true, false>(s, out, keepGoing);
  else if (s.verhulst)
    done = iterate<false, true>(s, out, keepGoing);
  else
    done = iterate<false, false>(s, out, keepGoing);
  if (!done) return false;
  out.escaped = !std::all_of(out.values.begin(), out.values.end(), [](double x) { return std::isfinite(x); });
  if (out.escaped) out.lyapunov = std::numeric_limits<double>::quiet_NaN();
  findPeriod(s, out);
  return true;
}

}  // namespace analysis
