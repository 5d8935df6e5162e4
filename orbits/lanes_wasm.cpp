// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The sixteen lanes as eight WebAssembly vectors of two doubles, for the
// page. The law is the portable kernel's (the compiler's vectors); what
// differs is the way to the cells: the rounding to single precision, the
// row and its bounds as whole-vector conversions (the IEEE ones of the plain
// loop), four lanes' cells stored at once, and where every pen is one pixel
// the points written a few steps later from a ring, as the x86 kernels do.
// Taking each lane out of its vector one at a time was what bound the
// portable kernel in the page.
#include "orbits/lanes.h"

#ifdef VARNOSKEL_WASM_SIMD

#include <wasm_simd128.h>

#include <cstring>

#include "orbits/pairlanes.h"
#include "orbits/pointring.h"

namespace orbits::lanes {

namespace {

struct Wasm {
  template <bool Normiert, bool Verhulst, int Plots, bool Thin>
  static void run(Lanes& l, std::int64_t count, const Plot* plots) {
    PairLanes vectors(l);
    auto& [b, p, anchor, met] = vectors;
    const v128_t top = wasm_f64x2_splat(l.top), sy = wasm_f64x2_splat(l.sy), height = wasm_f64x2_splat(l.height);
    const v128_t zero = wasm_f64x2_splat(0.0);
    // Off the picture a lane goes to row -margin, so to cell 0 of the margin.
    const v128_t off = wasm_f64x2_splat(-double(l.margin));
    const v128_t last = wasm_i32x4_splat(l.last);
    const Targets<Plots, Thin> targets(l, plots);
    // Each four lanes' offsets: the margin, and where every pen is one pixel
    // the lane's own place.
    v128_t offset[kLanes / 4];
    for (int q = 0; q < kLanes / 4; ++q) {
      std::int32_t lane[4];
      for (int j = 0; j < 4; ++j) lane[j] = l.margin + (Plots > 0 && Thin ? targets.offset(4 * q + j) : 0);
      offset[q] = wasm_v128_load(lane);
    }
    alignas(16) std::int32_t at[kLanes];
    std::uint32_t* const cells = l.cells;
    const std::uint32_t colour = targets.plot[targets.kLast].colour;
    PointRing ring;
    for (std::int64_t i = 0; i < count; ++i) {
      if constexpr (Plots > 0 && Thin) ring.writeDue(cells, i, colour);
      for (int v = 0; v < kVectors; ++v) {
        advance<Normiert, Verhulst>(b[v], p[v]);
        met[v] |= b[v] == anchor[v];
      }
      if constexpr (Plots > 0) {
        std::int32_t* const slot = Thin ? ring.slot(i) : at;
        for (int q = 0; q < kLanes / 4; ++q) {
          v128_t rows[2];
          for (int h = 0; h < 2; ++h) {
            v128_t x;
            std::memcpy(&x, &b[2 * q + h], sizeof x);
            // Beyond the single range the rounding gives an infinity, which
            // like NaN fails both comparisons and lands nowhere.
            const v128_t single = wasm_f64x2_promote_low_f32x4(wasm_f32x4_demote_f64x2_zero(x));
            const v128_t cy = wasm_f64x2_mul(wasm_f64x2_sub(single, top), sy);
            const v128_t on = wasm_v128_and(wasm_f64x2_ge(cy, zero), wasm_f64x2_le(cy, height));
            rows[h] = wasm_i32x4_trunc_sat_f64x2_zero(wasm_v128_bitselect(cy, off, on));
          }
          const v128_t four = wasm_i32x4_shuffle(rows[0], rows[1], 0, 1, 4, 5);
          wasm_v128_store(slot + 4 * q, wasm_i32x4_add(wasm_i32x4_min(four, last), offset[q]));
        }
        if constexpr (!Thin) targets.draw(at);
      }
    }
    if constexpr (Plots > 0 && Thin) ring.writeRest(cells, count, colour);
    vectors.putBack(l);
  }
};

}  // namespace

void wasmBlock(Lanes& l, std::int64_t count, bool normiert, bool verhulst, const Plot* plots, int plotCount) {
  dispatch<Wasm>(l, count, normiert, verhulst, plots, plotCount);
}

}  // namespace orbits::lanes

#endif
