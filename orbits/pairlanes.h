// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The sixteen lanes as eight vectors of two doubles in the compiler's
// generic vectors, as the portable kernel (columns.cpp) and the page's
// kernel (lanes_wasm.cpp) hold them while they iterate: taken from the lanes
// before a block, the orbits and their cycle marks put back after it.
#pragma once

#include <cstdint>
#include <cstring>

#include "orbits/lanes.h"

namespace orbits::lanes {

using Doubles = double __attribute__((vector_size(16)));
using Masks = std::int64_t __attribute__((vector_size(16)));
constexpr int kVectors = kLanes / 2;

struct PairLanes {
  Doubles b[kVectors], p[kVectors], anchor[kVectors];
  Masks met[kVectors];

  explicit PairLanes(const Lanes& l) {
    std::memcpy(b, l.b, sizeof b);
    std::memcpy(p, l.p, sizeof p);
    std::memcpy(anchor, l.anchor, sizeof anchor);
    std::memcpy(met, l.met, sizeof met);
  }
  void putBack(Lanes& l) const {
    std::memcpy(l.b, b, sizeof b);
    std::memcpy(l.met, met, sizeof met);
  }
};

}  // namespace orbits::lanes
