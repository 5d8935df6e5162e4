// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The part of a column's work that runs at every step: sixteen orbits
// iterated side by side, and the cells their points land in. One orbit is a
// chain of dependent operations that leaves the processor mostly waiting;
// sixteen independent chains keep its floating-point units busy. There are
// four implementations of the same arithmetic, portable C++ (columns.cpp),
// four AVX2 vectors (lanes_avx2.cpp), two AVX-512 vectors (lanes_avx512.cpp)
// and, in the page, eight WebAssembly vectors (lanes_wasm.cpp): each lane sees
// the same doubles in the same order of operations as a loop over one orbit
// (the law of law.h), so all of them give the same cells.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "orbits/columns.h"
#include "orbits/law.h"
#include "support/numbers.h"

// Only on 64-bit x86: there the plain arithmetic is SSE2's doubles too. On
// 32-bit x86 it may be the x87 unit's extended precision, which the vectors
// would not match.
#if (defined(__GNUC__) || defined(__clang__)) && defined(__x86_64__)
#define VARNOSKEL_AVX2 1
#endif
// In the page, where the program is built for WebAssembly's vectors.
#if defined(__wasm_simd128__)
#define VARNOSKEL_WASM_SIMD 1
#endif

namespace orbits::lanes {

constexpr int kLanes = kSideBySide;

// A point drawn after every step: its colour and its pen block. A column's
// cells are a few strips (pixel columns) side by side, wide enough for the
// widest pen; every strip has a margin of cells above and below the picture.
struct Plot {
  std::uint32_t colour;
  int pen;    // side of the block, in pixels
  int strip;  // the block's first strip
  int up;     // rows of the block above the point
};

struct Lanes {
  double b[kLanes];  // orbit values
  double p[kLanes];  // growth parameters
  // Each step's value is compared with the lane's anchor, bit for bit as
  // doubles compare; `met` is set nonzero once one equals it, and is never
  // cleared by a kernel. An orbit that meets a value it had is periodic
  // from there on.
  double anchor[kLanes];
  std::int64_t met[kLanes];
  std::uint32_t* cells;       // all lanes' cells, lane k from k * laneCells on
  std::int32_t laneCells;     // cells of one lane: its strips, one after the other
  std::ptrdiff_t stride;      // cells from one strip to the next
  double top, sy, height;     // the vertical pixel mapping
  std::int32_t last, margin;  // the last picture row; the cell of row 0
};

// The cell of a value's pixel row, or 0, a cell of the margin, when the value
// lands off the picture. Values reach the picture in single precision; one
// beyond the single range (or NaN) would be a non-finite single, which lands
// nowhere. The kernels compute the same, several lanes at a time.
inline std::int32_t cell(const Lanes& l, double bestand) {
  if (!(std::fabs(bestand) < support::kSingleOverflow)) return 0;
  const double cy = (static_cast<double>(static_cast<float>(bestand)) - l.top) * l.sy;
  if (!(cy >= 0.0 && cy <= l.height)) return 0;
  return std::min(static_cast<std::int32_t>(cy), l.last) + l.margin;
}

// A point's pen block. A point off the picture fills cells of the top margin,
// which are never drawn; a block that overhangs the picture spills into the
// margins.
inline void put(std::uint32_t* cells, std::ptrdiff_t stride, std::int32_t at, const Plot& plot) {
  std::uint32_t* corner = cells + plot.strip * stride + (at ? at - plot.up : 0);
  for (int i = 0; i < plot.pen; ++i, corner += stride)
    for (int j = 0; j < plot.pen; ++j) corner[j] = plot.colour;
}

// Where the points of a step go, held in locals so that the point writes need
// not read them back after every store. Where every pen is one pixel, all
// points of a step land in the same cell of the one strip, and the last
// colour drawn is the one that stays: one write per lane, at the lane's
// offset plus the cell.
template <int Plots, bool Thin>
struct Targets {
  std::uint32_t* cells;
  std::int32_t laneCells;
  std::ptrdiff_t stride;
  Plot plot[std::max(Plots, 1)];
  static constexpr int kLast = Plots > 0 ? Plots - 1 : 0;  // the plot drawn last

  Targets(const Lanes& l, const Plot* plots) : cells(l.cells), laneCells(l.laneCells), stride(l.stride) {
    std::copy(plots, plots + Plots, plot);
  }
  // What a lane adds to its cell where every pen is one pixel.
  std::int32_t offset(int lane) const { return lane * laneCells + plot[kLast].strip * std::int32_t(stride); }

  // The cells given: lane offsets added where every pen is one pixel.
  void draw(const std::int32_t* at) const {
    if constexpr (Thin) {
      const std::uint32_t colour = plot[kLast].colour;
      for (int k = 0; k < kLanes; ++k) cells[at[k]] = colour;
    } else {
      for (int j = 0; j < Plots; ++j)
        for (int k = 0; k < kLanes; ++k) put(cells + std::ptrdiff_t{k} * laneCells, stride, at[k], plot[j]);
    }
  }
};

// Runs `count` steps on all lanes and draws `plotCount` (0, 1 or 2) points
// after each, in the order given.
using Block = void (*)(Lanes& l, std::int64_t count, bool normiert, bool verhulst, const Plot* plots, int plotCount);

// Calls Kernel::run<Normiert, Verhulst, Plots, Thin> for the case at hand;
// Thin when every pen is one pixel.
template <class Kernel>
void dispatch(Lanes& l, std::int64_t count, bool normiert, bool verhulst, const Plot* plots, int plotCount) {
  const bool thin = std::all_of(plots, plots + plotCount, [](const Plot& p) { return p.pen == 1; });
  auto run = [&]<bool N, bool V>() {
    if (plotCount == 0) return Kernel::template run<N, V, 0, true>(l, count, plots);
    if (plotCount == 1)
      return thin ? Kernel::template run<N, V, 1, true>(l, count, plots)
                  : Kernel::template run<N, V, 1, false>(l, count, plots);
    return thin ? Kernel::template run<N, V, 2, true>(l, count, plots)
                : Kernel::template run<N, V, 2, false>(l, count, plots);
  };
  if (normiert && verhulst) return run.template operator()<true, true>();
  if (normiert) return run.template operator()<true, false>();
  if (verhulst) return run.template operator()<false, true>();
  return run.template operator()<false, false>();
}

void plainBlock(Lanes& l, std::int64_t count, bool normiert, bool verhulst, const Plot* plots, int plotCount);
#ifdef VARNOSKEL_AVX2
// Only where the processor has AVX2 (see haveAvx2).
void avx2Block(Lanes& l, std::int64_t count, bool normiert, bool verhulst, const Plot* plots, int plotCount);
bool haveAvx2();
// Only where the processor has AVX-512F, DQ and VL (see haveAvx512).
void avx512Block(Lanes& l, std::int64_t count, bool normiert, bool verhulst, const Plot* plots, int plotCount);
bool haveAvx512();
#endif
#ifdef VARNOSKEL_WASM_SIMD
void wasmBlock(Lanes& l, std::int64_t count, bool normiert, bool verhulst, const Plot* plots, int plotCount);
#endif

}  // namespace orbits::lanes
