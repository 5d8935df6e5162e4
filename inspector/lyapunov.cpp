// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "inspector/lyapunov.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

#include "inspector/slopes.h"
#include "orbits/law.h"

namespace inspector {

namespace {

constexpr std::int64_t kBlock = 1 << 15;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::uint64_t bits(double x) { return std::bit_cast<std::uint64_t>(x); }

// One orbit in work. The cycle is looked for as the orbit window does:
// compared with an anchor set anew after the 1st, 2nd, 4th, ... block.
struct Lane {
  int index = 0;  // into p and out
  double p = 0, x = 0;
  SlopeProduct product;
  std::uint64_t anchor = bits(kNaN);
  std::int64_t anchoredAt = 0, metAt = 0, blocks = 0;
};

// One block of steps for the first N lanes, side by side: each step of
// one orbit waits for the one before it, so the processor overlaps the N.
template <bool Normiert, bool Verhulst, int N>
void block(Lane* lanes, std::int64_t counter, std::int64_t end, std::int64_t yellowFrom) {
  double x[N], p[N];
  SlopeProduct product[N];
  for (int i = 0; i < N; ++i) {
    x[i] = lanes[i].x;
    p[i] = lanes[i].p;
    product[i] = lanes[i].product;
  }
  for (std::int64_t k = counter; k < end; ++k) {
    for (int i = 0; i < N; ++i) {
      x[i] = orbits::step<Normiert, Verhulst>(x[i], p[i]);
      if (k >= yellowFrom) product[i].add(orbits::slope<Normiert, Verhulst>(x[i], p[i]));
      if (bits(x[i]) == lanes[i].anchor && !lanes[i].metAt) lanes[i].metAt = k + 1;
    }
  }
  for (int i = 0; i < N; ++i) {
    lanes[i].x = x[i];
    lanes[i].product = product[i];
  }
}

template <bool Normiert, bool Verhulst, int... N>
void blockOf(int active, Lane* lanes, std::int64_t counter, std::int64_t end, std::int64_t yellowFrom,
             std::integer_sequence<int, N...>) {
  ((active == N + 1 ? block<Normiert, Verhulst, N + 1>(lanes, counter, end, yellowFrom) : void()), ...);
}

template <bool Normiert, bool Verhulst>
bool run(const OrbitSettings& s, const double* p, int count, double* out, const std::function<bool()>& keepGoing) {
  const std::int64_t yellowFrom = std::max<std::int64_t>(s.gelbAb, 0);
  const std::int64_t counted = s.bis + 1 - yellowFrom;
  Lane lanes[kExponentLanes];
  int active = 0;
  for (int k = 0; k < count; ++k) {
    out[k] = kNaN;
    if (counted <= 0) continue;
    Lane& lane = lanes[active++];
    lane.index = k;
    lane.p = p[k];
    lane.x = s.startwert;
  }
  const orbits::Law law = s.law();
  // Finishes lane i from its cycle of `period` steps, which X(counter)
  // starts: the counters from there to bis take whole rounds of the cycle
  // and a part of one.
  auto finish = [&](const Lane& lane, std::int64_t counter, std::int64_t period) {
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
    const double rest = n > 0 ? double(n / period) * round.log() + part.log() : 0;
    out[lane.index] = (lane.product.log() + rest) / double(counted);
  };
  for (std::int64_t counter = 0; counter <= s.bis && active > 0;) {
    const std::int64_t end = std::min(counter + kBlock, s.bis + 1);
    blockOf<Normiert, Verhulst>(active, lanes, counter, end, yellowFrom,
                                std::make_integer_sequence<int, kExponentLanes>());
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
    if (active > 0 && !keepGoing()) return false;
  }
  for (int i = 0; i < active; ++i) {
    const Lane& lane = lanes[i];
    if (std::isfinite(lane.x)) out[lane.index] = lane.product.log() / double(counted);
  }
  return true;
}

}  // namespace

bool exponents(const OrbitSettings& s, const double* p, int count, double* out,
               const std::function<bool()>& keepGoing) {
  count = std::clamp(count, 0, kExponentLanes);
  if (s.normiert && s.verhulst) return run<true, true>(s, p, count, out, keepGoing);
  if (s.normiert) return run<true, false>(s, p, count, out, keepGoing);
  if (s.verhulst) return run<false, true>(s, p, count, out, keepGoing);
  return run<false, false>(s, p, count, out, keepGoing);
}

}  // namespace inspector
