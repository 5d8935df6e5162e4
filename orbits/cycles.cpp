// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "orbits/cycles.h"

#include <algorithm>
#include <limits>

namespace orbits::lanes {

namespace {
constexpr double kNoAnchor = std::numeric_limits<double>::quiet_NaN();  // equals nothing
}  // namespace

Cycles::Cycles(Lanes& l, const Law& law) : m_l(l), m_law(law) {
  for (int k = 0; k < kLanes; ++k) {
    m_l.anchor[k] = m_finder[k].anchor()[0];
    m_l.met[k] = 0;
  }
}

// The smallest number of steps after which the orbit from `anchor` returns
// to it bit for bit, if it does within `most` steps; 0 otherwise (+0 and -0
// compare equal, but are not the same value).
std::int64_t Cycles::periodFrom(const CycleFinder<1>& finder, std::int64_t most, double p) const {
  double x = finder.anchor()[0];
  for (std::int64_t j = 1; j <= most; ++j) {
    x = m_law.step(x, p);
    if (finder.meets({x})) return j;
  }
  return 0;
}

// The kernels flag a meeting; the step it came at is found from the anchor.
void Cycles::look(std::int64_t counter) {
  for (int k = 0; k < kLanes; ++k) {
    CycleFinder<1>& finder = m_finder[k];
    if (finder.period()) continue;
    std::int64_t metAt = 0;
    if (m_l.met[k]) {
      m_l.met[k] = 0;
      const std::int64_t j = periodFrom(finder, counter - finder.anchoredAt(), m_l.p[k]);
      if (j) metAt = finder.anchoredAt() + j;
    }
    if (finder.look(counter, {m_l.b[k]}, metAt)) {
      m_l.anchor[k] = kNoAnchor;
      --m_unknown;
    } else {
      m_l.anchor[k] = finder.anchor()[0];
    }
  }
}

// A lane finishes in fewer than two periods of steps, one at a time, where
// the kernels take all lanes at once at a fraction of the cost a step.
// A finish asks nobody whether to go on, so it is kept to a few
// milliseconds: a lane whose period is longer goes on in the kernels, which
// ask after every block.
bool Cycles::pays(std::int64_t counter, std::int64_t end) const {
  constexpr std::int64_t kLongestFinished = 1 << 16;
  const std::int64_t left = end - counter;
  std::int64_t steps = 0;
  for (const CycleFinder<1>& finder : m_finder) {
    const std::int64_t period = finder.period();
    if (period > kLongestFinished) return false;
    steps += std::min(left, 2 * period);
  }
  return steps < left * 2;
}

void Cycles::draw(int lane, std::int32_t at, const Plot* plots, int plotCount) const {
  for (int j = 0; j < plotCount; ++j) put(m_l.cells + std::ptrdiff_t{lane} * m_l.laneCells, m_l.stride, at, plots[j]);
}

std::int64_t Cycles::finish(std::int64_t counter, std::int64_t end, const Plot* plots, int plotCount) {
  std::int64_t most = 0;
  for (int k = 0; k < kLanes; ++k) {
    const std::int64_t left = end - counter, period = m_finder[k].period();
    // Whole periods leave the value as it is; the last period is drawn.
    std::int64_t quiet = 0, drawn = left;
    if (left >= 2 * period) {
      quiet = (left - period) % period;
      drawn = period;
    }
    double x = m_l.b[k];
    for (std::int64_t i = 0; i < quiet; ++i) x = m_law.step(x, m_l.p[k]);
    for (std::int64_t i = 0; i < drawn; ++i) {
      x = m_law.step(x, m_l.p[k]);
      if (plotCount > 0) draw(k, cell(m_l, x), plots, plotCount);
    }
    m_l.b[k] = x;
    most = std::max(most, quiet + drawn);
  }
  return most;
}

}  // namespace orbits::lanes
