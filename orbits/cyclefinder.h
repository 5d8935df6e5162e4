// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Exact cycles of orbits computed in doubles. In every periodic window of the
// diagram such an orbit soon repeats itself bit for bit, and from then on its
// values are known without iterating them. Its state (one value, or the values
// of orbits followed together) is compared at every step with an anchor, a
// state it had; the anchor is set anew after the 1st, 2nd, 4th, 8th, ...
// block of steps (Brent's schedule), so a cycle is found within about twice
// the steps it takes to enter it and go round it once. The period is the
// number of steps from the anchor to its first return.
//
// This is the one place of that rule. The column kernels and the exponent's
// lanes make the comparison itself inside their vector loops, and hand the
// first meeting here.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <limits>

#include "support/bits.h"

namespace orbits {

template <std::size_t N>
class CycleFinder {
 public:
  using State = std::array<double, N>;

  CycleFinder() { m_anchor.fill(std::numeric_limits<double>::quiet_NaN()); }

  // Whether a step's state is the anchor, bit for bit. At first the anchor
  // is a NaN, which no finite orbit meets (and one that is no longer finite
  // is told apart by Law::stuck before it is looked at).
  bool meets(const State& x) const {
    for (std::size_t i = 0; i < N; ++i)
      if (support::bitCast<std::uint64_t>(x[i]) != support::bitCast<std::uint64_t>(m_anchor[i])) return false;
    return true;
  }
  const State& anchor() const { return m_anchor; }
  std::int64_t anchoredAt() const { return m_anchoredAt; }
  // The period, 0 while it is not known.
  std::int64_t period() const { return m_period; }

  // After a block of steps that ended at `counter` in state `x`. `metAt` is
  // the counter of the first step since the anchor was set whose state met
  // it, 0 where none did; it gives the period. Without it the anchor is set
  // anew where the schedule says. Returns the period, 0 while not known.
  std::int64_t look(std::int64_t counter, const State& x, std::int64_t metAt) {
    if (m_period) return m_period;
    if (metAt > m_anchoredAt) return m_period = metAt - m_anchoredAt;
    if (std::has_single_bit(static_cast<std::uint64_t>(++m_blocks))) {
      m_anchor = x;
      m_anchoredAt = counter;
    }
    return 0;
  }

 private:
  State m_anchor;
  std::int64_t m_anchoredAt = 0, m_blocks = 0, m_period = 0;
};

}  // namespace orbits
