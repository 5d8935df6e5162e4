// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "orbits/exponentlanes.h"

#include <cmath>

#include "orbits/lanes.h"
#include "support/bits.h"

namespace orbits {

namespace {

// The slopes are multiplied sixteen at a time before the product is split
// into mantissa and power of two: sixteen slopes overflow or underflow only
// where the orbit runs far out, and such a group is taken again slope by
// slope.
constexpr int kGroup = 16;

std::uint64_t bits(double x) { return support::bitCast<std::uint64_t>(x); }

// The lanes as vectors of the compiler's own: one code for every processor,
// compiled below for the widest vectors each has.
using Doubles = double __attribute__((vector_size(kExponentLanes * sizeof(double))));
using Words = std::int64_t __attribute__((vector_size(kExponentLanes * sizeof(double))));

// The anchor is compared as a double: equal doubles differ in their bits
// only as 0 and -0, which an orbit cannot change between (the law keeps the
// sign of a zero), and a NaN, which never equals itself, is caught by the
// stuck rule.
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
  const Doubles p = v.p;
  Doubles metAt = v.metAt;
  const Doubles anchor = v.anchor, never = Doubles{} + std::numeric_limits<double>::infinity();
  int pending = pendingSlopes;
  for (std::int64_t k = counter; k < end; ++k) {
    advance<Normiert, Verhulst>(x, p);
    // The first step that meets the anchor: the least of the steps that do.
    const Doubles met = x == anchor ? Doubles{} + double(k + 1) : never;
    metAt = met < metAt ? met : metAt;
    if (k < yellowFrom) {
      groupFrom = x;
      continue;
    }
    Doubles d;
    slopeAt<Normiert, Verhulst>(x, p, d);
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
          y = step<Normiert, Verhulst>(y, double(p[i]));
          product.add(slope<Normiert, Verhulst>(y, double(p[i])));
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

template <bool Normiert, bool Verhulst>
void run(Pack& v, std::int64_t counter, std::int64_t end, std::int64_t yellowFrom, int& pending,
         Arithmetic arithmetic) {
#ifdef VARNOSKEL_AVX2
  if (arithmetic == Arithmetic::Fastest && lanes::haveAvx512())
    return stepsAvx512<Normiert, Verhulst>(v, counter, end, yellowFrom, pending);
  if (arithmetic != Arithmetic::Plain && lanes::haveAvx2())
    return stepsAvx2<Normiert, Verhulst>(v, counter, end, yellowFrom, pending);
#endif
  (void)arithmetic;
  stepsPlain<Normiert, Verhulst>(v, counter, end, yellowFrom, pending);
}

}  // namespace

// The places of lanes not in work hold an orbit at 0 that stays there.
void exponentBlock(ExponentLane* lanes, int active, std::int64_t counter, std::int64_t end, std::int64_t yellowFrom,
                   int& pending, const Law& law, Arithmetic arithmetic) {
  Pack v{};
  v.group = v.mantissa = Doubles{} + 1.0;
  v.anchor = Doubles{} + std::numeric_limits<double>::quiet_NaN();
  v.metAt = Doubles{} + std::numeric_limits<double>::infinity();
  for (int i = 0; i < active; ++i) {
    const ExponentLane& l = lanes[i];
    v.x[i] = l.x, v.p[i] = l.p, v.group[i] = l.group, v.groupFrom[i] = l.groupFrom;
    v.mantissa[i] = l.product.mantissa, v.exponent[i] = l.product.exponent;
    v.anchor[i] = l.anchor;
    v.metAt[i] = l.metAt ? double(l.metAt) : std::numeric_limits<double>::infinity();
  }
  if (law.normiert && law.verhulst)
    run<true, true>(v, counter, end, yellowFrom, pending, arithmetic);
  else if (law.normiert)
    run<true, false>(v, counter, end, yellowFrom, pending, arithmetic);
  else if (law.verhulst)
    run<false, true>(v, counter, end, yellowFrom, pending, arithmetic);
  else
    run<false, false>(v, counter, end, yellowFrom, pending, arithmetic);
  for (int i = 0; i < active; ++i) {
    ExponentLane& l = lanes[i];
    l.x = v.x[i], l.group = v.group[i], l.groupFrom = v.groupFrom[i];
    l.product.mantissa = v.mantissa[i], l.product.exponent = v.exponent[i];
    l.metAt = std::isfinite(v.metAt[i]) ? std::int64_t(v.metAt[i]) : 0;
  }
}

void foldGroup(ExponentLane& lane, int pending, const Law& law) {
  const auto field = int(bits(lane.group) >> 52 & 0x7ff);
  if (field != 0 && field != 0x7ff) [[likely]] {
    lane.product.mantissa *= SlopeProduct::split(lane.group, lane.product.exponent);
    lane.product.mantissa = SlopeProduct::split(lane.product.mantissa, lane.product.exponent);
  } else {
    double x = lane.groupFrom;
    for (int j = 0; j < pending; ++j) {
      x = law.step(x, lane.p);
      lane.product.add(law.slope(x, lane.p));
    }
  }
  lane.group = 1;
  lane.groupFrom = lane.x;
}

}  // namespace orbits
