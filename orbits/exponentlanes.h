// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The kernel of the Lyapunov exponent over p: up to eight orbits that differ
// only in p, iterated side by side in one vector with the product of their
// slopes, as the column kernels iterate the diagram's orbits. Each lane's
// step and slope are the scalar law's, operation by operation, so the bits
// are those of one orbit at a time; each step is compared with the lane's
// anchor, for the cycle finder (cyclefinder.h).
#pragma once

#include <cstdint>
#include <limits>

#include "orbits/columns.h"
#include "orbits/law.h"
#include "orbits/slopes.h"

namespace orbits {

constexpr int kExponentLanes = 8;

// One orbit in work.
struct ExponentLane {
  double p = 0, x = 0;
  SlopeProduct product;             // of the slopes taken in so far
  double group = 1, groupFrom = 0;  // the slopes of the open group, and X before its first step
  double anchor = std::numeric_limits<double>::quiet_NaN();  // compared as doubles with every step
  std::int64_t metAt = 0;                                    // the first counter whose step met it, 0 while none did
};

// Counters `counter` ... end - 1 on lanes[0 ... active - 1]: each step's
// slope is taken into the open group from counter yellowFrom on; `pending`
// counts the group's slopes, the same for every lane.
void exponentBlock(ExponentLane* lanes, int active, std::int64_t counter, std::int64_t end, std::int64_t yellowFrom,
                   int& pending, const Law& law, Arithmetic arithmetic);

// Takes a lane's open group of `pending` slopes into its product.
void foldGroup(ExponentLane& lane, int pending, const Law& law);

}  // namespace orbits
