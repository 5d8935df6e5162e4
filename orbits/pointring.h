// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// What the vector kernels (lanes_avx2.cpp, lanes_avx512.cpp, lanes_wasm.cpp)
// share: the point writes of lanes whose pens are one pixel.
#pragma once

#include <cstddef>
#include <cstdint>

#include "orbits/lanes.h"

namespace orbits::lanes {

// Where every pen is one pixel, all points of one kernel call have the same
// colour, so the order of their writes does not matter. A step's cells go
// into this ring as whole vectors, and they are written a few steps later,
// each lane's cell taken from the ring by a plain load. Moving each cell
// from its vector into a general register instead costs more than the step's
// arithmetic: the transfers out of the vector unit are few a cycle.
class PointRing {
 public:
  // The cells of step `i`, to be filled with kLanes offsets.
  std::int32_t* slot(std::int64_t i) { return m_cell + index(i); }
  // Before step `i`: writes the points of step i - kLag, whose vector
  // stores are done by then, so that the loads need not wait for them.
  void writeDue(std::uint32_t* cells, std::int64_t i, std::uint32_t colour) const {
    if (i >= kLag) write(cells, i - kLag, colour);
  }
  // After the last step, `count`: the points not written yet.
  void writeRest(std::uint32_t* cells, std::int64_t count, std::uint32_t colour) const {
    for (std::int64_t i = count < kLag ? 0 : count - kLag; i < count; ++i) write(cells, i, colour);
  }

 private:
  static constexpr int kSteps = 8, kLag = 4;
  static std::size_t index(std::int64_t i) { return std::size_t(i) % kSteps * kLanes; }
  void write(std::uint32_t* cells, std::int64_t i, std::uint32_t colour) const {
    const std::int32_t* cell = m_cell + index(i);
    for (int k = 0; k < kLanes; ++k) cells[cell[k]] = colour;
  }
  alignas(32) std::int32_t m_cell[kSteps * kLanes];
};

}  // namespace orbits::lanes
