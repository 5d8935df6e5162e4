// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/exponents.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "orbits/cyclefinder.h"
#include "orbits/slopes.h"

namespace analysis {

namespace {

// The cycle is looked for after every block, as for one orbit but with
// shorter blocks, so that an orbit settling within a few thousand steps
// leaves its place soon; keepGoing is asked every kAsk blocks.
constexpr std::int64_t kBlock = 1 << 10;
constexpr int kAsk = 32;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// An orbit in work beside the others: where its exponent goes, its cycle.
struct Place {
  int index = 0;  // into p and out
  orbits::CycleFinder<1> cycle;
};

}  // namespace

bool exponents(const orbits::Iteration& s, const double* p, int count, double* out,
               const std::function<bool()>& keepGoing, orbits::Arithmetic arithmetic, std::int64_t* iterated) {
  count = std::clamp(count, 0, kExponentLanes);
  const orbits::Law law = s.law();
  const std::int64_t yellowFrom = std::max<std::int64_t>(s.gelbAb, 0);
  const std::int64_t counted = s.bis + 1 - yellowFrom;
  orbits::ExponentLane lanes[kExponentLanes];
  Place places[kExponentLanes];
  int active = 0, pending = 0, blocks = 0;
  std::int64_t steps = 0;
  for (int k = 0; k < count; ++k) {
    out[k] = kNaN;
    if (counted <= 0) continue;
    places[active] = {k, {}};
    orbits::ExponentLane& lane = lanes[active++];
    lane.p = p[k];
    lane.x = lane.groupFrom = s.startwert;
  }
  // Finishes a lane from its cycle of `period` steps, which X(counter)
  // starts: the counters from there to bis take whole rounds of the cycle
  // and a part of one.
  auto finish = [&](orbits::ExponentLane lane, int index, std::int64_t counter, std::int64_t period) {
    orbits::foldGroup(lane, pending, law);  // the open group
    const std::int64_t from = std::max(counter, yellowFrom);
    const std::int64_t n = s.bis + 1 - from;
    double x = lane.x;
    for (std::int64_t j = (from - counter) % period; j > 0; --j) x = law.step(x, lane.p);
    orbits::SlopeProduct round, part;
    for (std::int64_t j = 0; j < period; ++j) {
      x = law.step(x, lane.p);
      const double d = law.slope(x, lane.p);
      round.add(d);
      if (j < n % period) part.add(d);
    }
    steps += (from - counter) % period + period;
    const std::int64_t rounds = n / period;  // whole rounds of the cycle
    const double rest = n > 0 ? double(rounds) * round.log() + part.log() : 0;
    out[index] = (lane.product.log() + rest) / double(counted);
  };
  for (std::int64_t counter = 0; counter <= s.bis && active > 0;) {
    const std::int64_t end = std::min(counter + kBlock, s.bis + 1);
    for (int i = 0; i < active; ++i) lanes[i].anchor = places[i].cycle.anchor()[0];
    orbits::exponentBlock(lanes, active, counter, end, yellowFrom, pending, law, arithmetic);
    steps += (end - counter) * active;
    counter = end;
    for (int i = 0; i < active;) {
      orbits::ExponentLane& lane = lanes[i];
      bool done = law.stuck(lane.x, lane.p);  // left the double range: NaN
      if (!done) {
        if (const std::int64_t period = places[i].cycle.look(counter, {lane.x}, lane.metAt)) {
          finish(lane, places[i].index, counter, period);
          done = true;
        }
      }
      if (done) {
        // Its place to the last one in work.
        lanes[i] = lanes[--active];
        places[i] = places[active];
      } else {
        ++i;
      }
    }
    if (active > 0 && ++blocks % kAsk == 0 && !keepGoing()) return false;
  }
  for (int i = 0; i < active; ++i) {
    orbits::ExponentLane& lane = lanes[i];
    orbits::foldGroup(lane, pending, law);
    if (std::isfinite(lane.x)) out[places[i].index] = lane.product.log() / double(counted);
  }
  if (iterated) *iterated = steps;
  return true;
}

}  // namespace analysis
