// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "inspector/lyapunov.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "inspector/slopes.h"
#include "orbits/lanes.h"
#include "orbits/law.h"
#include "support/bits.h"

namespace inspector {

namespace {

// The cycle is looked for after every block, as in the orbit window but
// with shorter blocks, so that an orbit settling within a few thousand steps
// leaves its place soon; keepGoing is asked every kAsk blocks.
constexpr std::int64_t kBlock = 1 << 10;
constexpr int kAsk = 32;
// The slopes are multiplied four at a time before the product is split into
// mantissa and power of two: four slopes overflow or underflow only where
// the orbit runs far out, and such a group is taken again slope by slope.
constexpr int kGroup = 16;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::uint64_t bits(double x) { return support::bitCast<std::uint64_t>(x); }

// One orbit in work. The cycle is looked for as the orbit window does:
// compared with an anchor set anew after the 1st, 2nd, 4th, ... block.
struct Lane {
  int index = 0;  // into p and out
  double p = 0, x = 0;
  SlopeProduct product;
  double group = 1, groupFrom = 0;  // the slopes of the group so far, and X before its first step
  std::uint64_t anchor = bits(kNaN);
  std::int64_t anchoredAt = 0, metAt = 0, blocks = 0;
};

// Takes a group of n slopes into the lane's product.
template <bool Normiert, bool Verhulst>
void fold(Lane& lane, int n) {
  const auto field = int(bits(lane.group) >> 52 & 0x7ff);
  if (field != 0 && field != 0x7ff) [[likely]] {
    lane.product.mantissa *= SlopeProduct::split(lane.group, lane.product.exponent);
    lane.product.mantissa = SlopeProduct::split(lane.product.mantissa, lane.product.exponent);
  } else {
    double x = lane.groupFrom;
    for (int j = 0; j < n; ++j) {
      x = orbits::step<Normiert, Verhulst>(x, lane.p);
      lane.product.add(orbits::slope<Normiert, Verhulst>(x, lane.p));
    }
  }
  lane.group = 1;
  lane.groupFrom = lane.x;
}

// Eight lanes as vectors of the compiler's own: one code for every
// processor, compiled below for the widest vectors each has. The arithmetic
// is the scalar law's, operation by operation, so the bits are the same.
using Doubles = double __attribute__((vector_size(kExponentLanes * sizeof(double))));
using Words = std::int64_t __attribute__((vector_size(kExponentLanes * sizeof(double))));

// The anchor is compared as a double: equal doubles differ in their bits
// only as 0 and -0, on which the law and its slope agree, and a NaN, which
// never equals itself, is caught by the stuck rule.
struct Pack {
  Doubles x, p, group, groupFrom, mantissa, anchor, metAt;
  Words exponent;
};

constexpr std::int64_t kMantissaBits = 0x000fffffffffffff, kHalf = 0x3fe0000000000000;

// Splits v into [0.5, 1) and a power of two added to `power`, lane by lane,
// for normal numbers. (A cast between vectors of one size keeps the bits.)
[[gnu::always_inline]] inline void splitLanes(Doubles& v, Words& power) {
  const Words b = (Words)v;
  power += ((b >> 52) & 0x7ff) - 1022;
  v = (Doubles)((b & kMantissaBits) | kHalf);
}

// The lanes' state is held in locals for the block, where the compiler
// keeps it in registers (through the reference it could not).
template <bool Normiert, bool Verhulst>
[[gnu::always_inline]] inline void steps(Pack& v, std::int64_t counter, std::int64_t end, std::int64_t yellowFrom,
                                         int& pendingSlopes) {
  Doubles x = v.x, group = v.group, groupFrom = v.groupFrom;
  const Doubles p = v.p, onePlusP = 1.0 + v.p, twoP = 2.0 * v.p;
  Doubles metAt = v.metAt;
  const Doubles anchor = v.anchor, never = Doubles{} + std::numeric_limits<double>::infinity();
  int pending = pendingSlopes;
  for (std::int64_t k = counter; k < end; ++k) {
    if constexpr (Normiert) x = x * (1.0 + p * (1.0 - x));
    if constexpr (Verhulst) x = x * onePlusP * (1.0 - x);
    // The first step that meets the anchor: the least of the steps that do.
    const Doubles met = x == anchor ? Doubles{} + double(k + 1) : never;
    metAt = met < metAt ? met : metAt;
    if (k < yellowFrom) {
      groupFrom = x;
      continue;
    }
    // The slope at the new X, as orbits::slope computes it.
    Doubles d = Doubles{} + 1.0, at = x;
    if constexpr (Normiert) {
      d = onePlusP - twoP * at;
      at = at * (1.0 + p * (1.0 - at));
    }
    if constexpr (Verhulst) d = d * (onePlusP * (1.0 - 2.0 * at));
    group = group * d;
    if (++pending < kGroup) continue;
    pending = 0;
    // A group beyond the normal numbers is taken again slope by slope.
    const Words field = ((Words)group >> 52) & 0x7ff;
    const Words odd = (field == 0) | (field == 0x7ff);
    Words anyOdd = odd;
    for (int i = 0; i < kExponentLanes; ++i) anyOdd[0] |= odd[i];
    if (anyOdd[0]) [[unlikely]] {
      for (int i = 0; i < kExponentLanes; ++i) {
        if (!odd[i]) continue;
        SlopeProduct product{v.mantissa[i], v.exponent[i], 0};
        double y = groupFrom[i];
        for (int j = 0; j < kGroup; ++j) {
          y = orbits::step<Normiert, Verhulst>(y, p[i]);
          product.add(orbits::slope<Normiert, Verhulst>(y, p[i]));
        }
        v.mantissa[i] = SlopeProduct::split(product.mantissa, product.exponent);
        v.exponent[i] = product.exponent;
        group[i] = 1;
      }
    }
    splitLanes(group, v.exponent);
    v.mantissa = v.mantissa * group;
    splitLanes(v.mantissa, v.exponent);
    group = Doubles{} + 1.0;
    groupFrom = x;
  }
  v.x = x, v.group = group, v.groupFrom = groupFrom, v.metAt = metAt;
  pendingSlopes = pending;
}

#ifdef VARNOSKEL_AVX2
template <bool Normiert, bool Verhulst>
__attribute__((target("avx512f,avx512dq,avx512vl,avx2"))) void stepsAvx512(Pack& v, std::int64_t counter,
                                                                           std::int64_t end, std::int64_t yellowFrom,
                                                                           int& pending) {
  steps<Normiert, Verhulst>(v, counter, end, yellowFrom, pending);
}
template <bool Normiert, bool Verhulst>
__attribute__((target("avx2"))) void stepsAvx2(Pack& v, std::int64_t counter, std::int64_t end, std::int64_t yellowFrom,
                                               int& pending) {
  steps<Normiert, Verhulst>(v, counter, end, yellowFrom, pending);
}
#endif
template <bool Normiert, bool Verhulst>
void stepsPlain(Pack& v, std::int64_t counter, std::int64_t end, std::int64_t yellowFrom, int& pending) {
  steps<Normiert, Verhulst>(v, counter, end, yellowFrom, pending);
}

// One block of steps for the lanes in work, side by side; the places of
// lanes already done hold an orbit at 0 that stays there.
template <bool Normiert, bool Verhulst>
void block(Lane* lanes, int active, std::int64_t counter, std::int64_t end, std::int64_t yellowFrom, int& pending,
           orbits::Arithmetic arithmetic) {
  Pack v{};
  v.group = v.mantissa = Doubles{} + 1.0;
  v.anchor = Doubles{} + kNaN;
  v.metAt = Doubles{} + std::numeric_limits<double>::infinity();
  for (int i = 0; i < active; ++i) {
    const Lane& l = lanes[i];
    v.x[i] = l.x, v.p[i] = l.p, v.group[i] = l.group, v.groupFrom[i] = l.groupFrom;
    v.mantissa[i] = l.product.mantissa, v.exponent[i] = l.product.exponent;
    v.anchor[i] = support::bitCast<double>(l.anchor);
    v.metAt[i] = l.metAt ? double(l.metAt) : std::numeric_limits<double>::infinity();
  }
#ifdef VARNOSKEL_AVX2
  if (arithmetic == orbits::Arithmetic::Fastest && orbits::lanes::haveAvx512())
    stepsAvx512<Normiert, Verhulst>(v, counter, end, yellowFrom, pending);
  else if (arithmetic != orbits::Arithmetic::Plain && orbits::lanes::haveAvx2())
    stepsAvx2<Normiert, Verhulst>(v, counter, end, yellowFrom, pending);
  else
#endif
    stepsPlain<Normiert, Verhulst>(v, counter, end, yellowFrom, pending);
  (void)arithmetic;
  for (int i = 0; i < active; ++i) {
    Lane& l = lanes[i];
    l.x = v.x[i], l.group = v.group[i], l.groupFrom = v.groupFrom[i];
    l.product.mantissa = v.mantissa[i], l.product.exponent = v.exponent[i];
    l.metAt = std::isfinite(v.metAt[i]) ? std::int64_t(v.metAt[i]) : 0;
  }
}

template <bool Normiert, bool Verhulst>
bool run(const OrbitSettings& s, const double* p, int count, double* out, const std::function<bool()>& keepGoing,
         orbits::Arithmetic arithmetic) {
  const std::int64_t yellowFrom = std::max<std::int64_t>(s.gelbAb, 0);
  const std::int64_t counted = s.bis + 1 - yellowFrom;
  Lane lanes[kExponentLanes];
  int active = 0, pending = 0, blocks = 0;
  for (int k = 0; k < count; ++k) {
    out[k] = kNaN;
    if (counted <= 0) continue;
    Lane& lane = lanes[active++];
    lane.index = k;
    lane.p = p[k];
    lane.x = lane.groupFrom = s.startwert;
  }
  const orbits::Law law = s.law();
  // Finishes lane i from its cycle of `period` steps, which X(counter)
  // starts: the counters from there to bis take whole rounds of the cycle
  // and a part of one.
  auto finish = [&](Lane lane, std::int64_t counter, std::int64_t period) {
    fold<Normiert, Verhulst>(lane, pending);  // the open group
    const std::int64_t from = std::max(counter, yellowFrom);
    const std::int64_t n = s.bis + 1 - from;
    double x = lane.x;
    for (std::int64_t j = (from - counter) % period; j > 0; --j) x = orbits::step<Normiert, Verhulst>(x, lane.p);
    SlopeProduct round, part;
    for (std::int64_t j = 0; j < period; ++j) {
      x = orbits::step<Normiert, Verhulst>(x, lane.p);
      const double d = orbits::slope<Normiert, Verhulst>(x, lane.p);
      round.add(d);
      if (j < n % period) part.add(d);
    }
    const std::int64_t rounds = n / period;  // whole rounds of the cycle
    const double rest = n > 0 ? double(rounds) * round.log() + part.log() : 0;
    out[lane.index] = (lane.product.log() + rest) / double(counted);
  };
  for (std::int64_t counter = 0; counter <= s.bis && active > 0;) {
    const std::int64_t end = std::min(counter + kBlock, s.bis + 1);
    block<Normiert, Verhulst>(lanes, active, counter, end, yellowFrom, pending, arithmetic);
    counter = end;
    for (int i = 0; i < active;) {
      Lane& lane = lanes[i];
      bool done = false;
      if (law.stuck(lane.x, lane.p)) {
        done = true;  // left the double range: NaN
      } else if (lane.metAt) {
        finish(lane, counter, lane.metAt - lane.anchoredAt);
        done = true;
      } else if (std::has_single_bit(static_cast<std::uint64_t>(++lane.blocks))) {
        lane.anchor = bits(lane.x);
        lane.anchoredAt = counter;
      }
      if (done)
        lanes[i] = lanes[--active];  // its place to the last one in work
      else
        ++i;
    }
    if (active > 0 && ++blocks % kAsk == 0 && !keepGoing()) return false;
  }
  for (int i = 0; i < active; ++i) {
    Lane& lane = lanes[i];
    fold<Normiert, Verhulst>(lane, pending);
    if (std::isfinite(lane.x)) out[lane.index] = lane.product.log() / double(counted);
  }
  return true;
}

}  // namespace

bool exponents(const OrbitSettings& s, const double* p, int count, double* out, const std::function<bool()>& keepGoing,
               orbits::Arithmetic arithmetic) {
  count = std::clamp(count, 0, kExponentLanes);
  if (s.normiert && s.verhulst) return run<true, true>(s, p, count, out, keepGoing, arithmetic);
  if (s.normiert) return run<true, false>(s, p, count, out, keepGoing, arithmetic);
  if (s.verhulst) return run<false, true>(s, p, count, out, keepGoing, arithmetic);
  return run<false, false>(s, p, count, out, keepGoing, arithmetic);
}

}  // namespace inspector
