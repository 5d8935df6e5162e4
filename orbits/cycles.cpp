// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "orbits/cycles.h"

#include <bit>
#include <limits>

#include "support/bits.h"

namespace orbits::lanes {

namespace {
constexpr double kNoAnchor = std::numeric_limits<double>::quiet_NaN();  // equals nothing
bool same(double a, double b) { return support::bitCast<std::uint64_t>(a) == support::bitCast<std::uint64_t>(b); }
}  // namespace

Cycles::Cycles(Lanes& l, const Law& law) : m_l(l), m_law(law) {
  for (int k = 0; k < kLanes; ++k) {
    m_l.anchor[k] = kNoAnchor;
    m_l.met[k] = 0;
  }
}

// The smallest number of steps after which the orbit from `anchor` returns
// to it bit for bit, if it does within `most` steps; 0 otherwise (+0 and -0
// compare equal, but are not the same value).
std::int64_t Cycles::periodFrom(double anchor, std::int64_t most, double p) const {
  double x = anchor;
  for (std::int64_t j = 1; j <= most; ++j) {
    x = m_law.step(x, p);
    if (same(x, anchor)) return j;
  }
  return 0;
}

void Cycles::look(std::int64_t counter) {
  ++m_blocks;
  const bool reanchor = std::has_single_bit(static_cast<std::uint64_t>(m_blocks));
  for (int k = 0; k < kLanes; ++k) {
    if (m_period[k]) continue;
    if (m_l.met[k]) {
      m_l.met[k] = 0;
      if ((m_period[k] = periodFrom(m_l.anchor[k], counter - m_anchoredAt[k], m_l.p[k]))) {
        m_l.anchor[k] = kNoAnchor;
        --m_unknown;
        continue;
      }
    }
    if (reanchor) {
      m_l.anchor[k] = m_l.b[k];
      m_anchoredAt[k] = counter;
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
  for (std::int64_t period : m_period) {
    if (period > kLongestFinished) return false;
    steps += std::min(left, 2 * period);
  }
  return steps < left * 2;
}

void Cycles::draw(int lane, std::int32_t at, const Plot* plots, int plotCount) const {
  for (int j = 0; j < plotCount; ++j) put(m_l.cells + std::ptrdiff_t{lane} * m_l.laneCells, m_l.stride, at, plots[j]);
}

void Cycles::finish(std::int64_t counter, std::int64_t end, const Plot* plots, int plotCount) {
  for (int k = 0; k < kLanes; ++k) {
    const std::int64_t left = end - counter, period = m_period[k];
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
  }
}

}  // namespace orbits::lanes
