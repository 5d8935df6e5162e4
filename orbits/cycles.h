// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Exact cycles of the lanes' orbits, which draw nothing new once they repeat
// themselves (see cyclefinder.h). The kernels compare every step with each
// lane's anchor and flag a meeting; here each lane's finder takes it. Once
// every lane's period is known, the rest of a stretch of counters that draw
// the same is not iterated: each lane goes on from the value the loop would
// have a period before the stretch's end, found in fewer than a period of
// steps, and draws that last period, which puts into every cell the colour
// the whole stretch would have left there last.
#pragma once

#include <cstdint>

#include "orbits/cyclefinder.h"
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
  // draws `plots`, leaves every lane at the value it has at `end` and
  // returns the most steps a lane took for it.
  bool pays(std::int64_t counter, std::int64_t end) const;
  std::int64_t finish(std::int64_t counter, std::int64_t end, const Plot* plots, int plotCount);

 private:
  std::int64_t periodFrom(const CycleFinder<1>& finder, std::int64_t most, double p) const;
  void draw(int lane, std::int32_t at, const Plot* plots, int plotCount) const;

  Lanes& m_l;
  Law m_law;
  CycleFinder<1> m_finder[kLanes];
  int m_unknown = kLanes;
};

}  // namespace orbits::lanes
