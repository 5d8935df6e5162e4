// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// One orbit at one p, as the orbit window shows it: the last few hundred
// iterates of the orbit from the start value and of a neighbour orbit from
// the start value + 10^-6, the period the orbit settled on and its Lyapunov
// exponent. No widgets: the window computes it on a worker thread.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "orbits/start.h"

namespace analysis {

// Iterates shown at most: the last kShown steps and the iterate before them.
constexpr std::int64_t kShown = 400;
// The longest period looked for.
constexpr int kLongestPeriod = 64;
// Two iterates count as equal when they differ by at most this, relative
// to their size where it is above 1.
constexpr double kPeriodTolerance = 1e-7;
// How far the neighbour orbit starts from the start value.
constexpr double kNeighbour = 1e-6;

// What the main window had set when the orbit was asked for: what Start
// would read, with the window on display (its X range gives both axes of the
// cobweb, its column width the arrow keys' step), and the orbit's p. The
// counters are the diagram's: counter k draws X(k + 1).
struct OrbitSettings : orbits::StartSettings {
  double p = 0;

  std::int64_t last() const { return bis + 1; }  // the index of the last iterate
  // The colour the diagram gives X(n): the palette's cyan or yellow, or -1
  // for the iterates the diagram does not draw.
  int colour(std::int64_t n) const;
  // One step of the growth law, and its derivative.
  double step(double x) const { return law().step(x, p); }
  double slope(double x) const { return law().slope(x, p); }
};

struct Orbit {
  std::int64_t first = 0;      // the index of values[0]
  std::vector<double> values;  // X(first) ... X(last)
  std::vector<double> neighbour;
  // The smallest period up to `searched` over the yellow iterates shown,
  // 0 where none holds; `searched` is less than kLongestPeriod where too
  // few yellow iterates are shown for the longer ones.
  int period = 0, searched = 0;
  // The orbit still swings in towards its cycle of `period` steps: over the
  // iterates shown a multiple of it repeats within the tolerance, the
  // period itself not yet.
  bool settling = false;
  // ln |f'| summed over one round of the cycle found: the log of its
  // multiplier, below 0 for a stable cycle. NaN without a period.
  double cycleLog = 0;
  // The iterates shown repeat `passing` steps within the tolerance, but the
  // orbit leaves that pattern again after bis: it only passes near a cycle
  // (intermittency, just before a periodic window opens). period is then 0.
  int passing = 0;
  // The orbit and its neighbour repeat themselves bit for bit every this
  // many steps from before bis on; 0 where they do not.
  std::int64_t repeats = 0;
  // No period among the iterates shown, but the orbit runs on into one, or
  // out of the double range, after bis: it has not settled yet.
  bool unsettled = false;
  // The mean of ln |f'(X(n))| over the yellow iterates; -inf where one of
  // them has a zero derivative, +inf where one is beyond the double range.
  double lyapunov = 0;
  bool escaped = false;  // the orbit left the double range
  // The steps of both orbits iterated: fewer than bis + 1 where whole
  // periods were skipped.
  std::int64_t iterated = 0;
};

// Iterates both orbits. keepGoing(counter) is asked every few ten thousand
// steps; when it says no, the work stops and false is returned.
bool computeOrbit(const OrbitSettings& settings, Orbit& out,
                  const std::function<bool(std::int64_t counter)>& keepGoing);

}  // namespace analysis
