// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Exact cycles of the lanes' orbits. In every periodic window of the diagram
// an orbit computed in doubles soon repeats itself bit for bit, and from then
// on it draws nothing new. Each lane keeps an anchor, a value of its orbit,
// and the kernels compare every step with it; the anchors are set anew after
// the 1st, 2nd, 4th, 8th, ... block of a column (Brent's schedule), so any
// cycle is found within about twice the steps it takes to enter it and go
// round it once. Once every lane's period is known, the rest of a stretch of
// counters that draw the same is not iterated: each lane goes on from the
// value the loop would have a period before the stretch's end, found in
// fewer than a period of steps, and draws that last period, which puts into
// every cell the colour the whole stretch would have left there last.
#pragma once

#include <cstdint>

#include "orbits/lanes.h"

namespace orbits::lanes {

class Cycles {
 public:
  explicit Cycles(Lanes& l, const Law& law);

  // After a block that ended at `counter`: the periods of lanes that met
  // their anchors, and new anchors where the schedule says.
  void look(std::int64_t counter);
  bool allKnown() const { return m_unknown == 0; }
  // With every period known: whether finishing the stretch up to `end` lane
  // by lane costs less than iterating it, and the finish itself, which
  // draws `plots` and leaves every lane at the value it has at `end`.
  bool pays(std::int64_t counter, std::int64_t end) const;
  void finish(std::int64_t counter, std::int64_t end, const Plot* plots, int plotCount);

 private:
  std::int64_t periodFrom(double anchor, std::int64_t most, double p) const;
  void draw(int lane, std::int32_t at, const Plot* plots, int plotCount) const;

  Lanes& m_l;
  Law m_law;
  std::int64_t m_blocks = 0;
  std::int64_t m_anchoredAt[kLanes] = {};
  std::int64_t m_period[kLanes] = {};  // 0 while unknown
  int m_unknown = kLanes;
};

}  // namespace orbits::lanes
