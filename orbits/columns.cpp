// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "orbits/columns.h"

#include <bit>
#include <cmath>
#include <cstring>

#include "orbits/cycles.h"
#include "orbits/lanes.h"
#include "orbits/pairlanes.h"
#include "support/bits.h"
#include "support/palette.h"

namespace orbits {

bool operator==(const ColumnSettings& a, const ColumnSettings& b) {
  return support::bitCast<std::uint64_t>(a.startwert) == support::bitCast<std::uint64_t>(b.startwert) &&
         a.bis == b.bis && a.vorlaufBis == b.vorlaufBis && a.gelbAb == b.gelbAb && a.normiert == b.normiert &&
         a.verhulst == b.verhulst && a.thin == b.thin && a.pen == b.pen && a.mapping == b.mapping;
}

namespace lanes {

namespace {
// The sixteen lanes two at a time, as the compiler's generic vectors: on any
// processor they become whatever vector unit it has (SSE2, NEON), or scalar
// code, with each lane's IEEE operations unchanged. Each stage runs over all
// lanes before the next one starts, so the sixteen chains are independent.
using Floats = float __attribute__((vector_size(8)));

struct Plain {
  template <bool Normiert, bool Verhulst, int Plots, bool Thin>
  static void run(Lanes& l, std::int64_t count, const Plot* plots) {
    PairLanes vectors(l);
    auto& [b, p, anchor, met] = vectors;
    const Doubles top = Doubles{} + l.top, sy = Doubles{} + l.sy, height = Doubles{} + l.height;
    const Doubles singleRange = Doubles{} + support::kSingleOverflow, off = Doubles{} - double(l.margin);
    const std::int32_t last = l.last;
    const Targets<Plots, Thin> targets(l, plots);
    std::int32_t offset[kLanes];
    for (int k = 0; k < kLanes; ++k) offset[k] = l.margin + (Plots > 0 && Thin ? targets.offset(k) : 0);
    for (std::int64_t i = 0; i < count; ++i) {
      for (int v = 0; v < kVectors; ++v) {
        advance<Normiert, Verhulst>(b[v], p[v]);
        met[v] |= b[v] == anchor[v];
      }
      if constexpr (Plots > 0) {
        std::int32_t at[kLanes];
        for (int v = 0; v < kVectors; ++v) {
          // Beyond the single range (or NaN) a value would become a
          // non-finite single, which lands nowhere.
          const Masks inRange = (b[v] < singleRange) & (b[v] > -singleRange);
          const Doubles inside = inRange ? b[v] : Doubles{};
          // Written as vector conversions: GCC 12 folds the element-wise
          // double(float(x)) of two lanes into x when it vectorises them.
          const Doubles single = __builtin_convertvector(__builtin_convertvector(inside, Floats), Doubles);
          const Doubles cy = (single - top) * sy;
          const Doubles row = (inRange & (cy >= 0.0) & (cy <= height)) ? cy : off;
          for (int k = 0; k < 2; ++k) at[2 * v + k] = std::min(std::int32_t(row[k]), last) + offset[2 * v + k];
        }
        targets.draw(at);
      }
    }
    vectors.putBack(l);
  }
};
}  // namespace

void plainBlock(Lanes& l, std::int64_t count, bool normiert, bool verhulst, const Plot* plots, int plotCount) {
  dispatch<Plain>(l, count, normiert, verhulst, plots, plotCount);
}

}  // namespace lanes

namespace {

using support::kCyan;
using support::kYellow;
// Steps between two looks at the orbits and at keepGoing: a few microseconds.
constexpr std::int64_t kBlock = 1024;

lanes::Block blockFor(Arithmetic arithmetic) {
#ifdef VARNOSKEL_AVX2
  if (arithmetic == Arithmetic::Fastest && lanes::haveAvx512()) return lanes::avx512Block;
  if (arithmetic != Arithmetic::Plain && lanes::haveAvx2()) return lanes::avx2Block;
#endif
#ifdef VARNOSKEL_WASM_SIMD
  if (arithmetic != Arithmetic::Plain) return lanes::wasmBlock;
#endif
  (void)arithmetic;
  return lanes::plainBlock;
}

// When every lane is stuck (see Law::stuck), the rest of the columns can be
// skipped: the final values are already those of the whole loop.
bool stuck(const ColumnSettings& s, const lanes::Lanes& l) {
  const Law law = s.law();
  for (int k = 0; k < kSideBySide; ++k)
    if (!law.stuck(l.b[k], l.p[k])) return false;
  return true;
}

}  // namespace

const char* fastestArithmetic() {
  const lanes::Block fastest = blockFor(Arithmetic::Fastest);
#ifdef VARNOSKEL_WASM_SIMD
  return fastest == lanes::plainBlock ? "plain" : "WebAssembly SIMD";
#else
  return fastest == lanes::plainBlock ? "plain" : fastest == blockFor(Arithmetic::Avx2) ? "AVX2" : "AVX-512";
#endif
}

bool computeColumns(const ColumnSettings& s, const double* p, int count, ColumnPixels* out,
                    const std::function<bool()>& keepGoing, Arithmetic arithmetic, Repeats repeats) {
  const int strips = std::max(s.thin, s.pen);
  const int height = static_cast<int>(s.mapping.height);
  const int margin = strips;  // room for any pen block above and below, and for points off the picture
  lanes::Lanes l{};
  l.stride = margin + height + margin;
  l.top = s.mapping.top;
  l.sy = s.mapping.sy;
  l.height = s.mapping.height;
  l.last = height - 1;
  l.margin = margin;
  l.laneCells = strips * static_cast<std::int32_t>(l.stride);
  // All lanes draw into one buffer; lanes without a column of their own
  // repeat the first one.
  auto cells = std::make_shared<std::vector<std::uint32_t>>(std::size_t(kSideBySide) * l.laneCells, 0);
  l.cells = cells->data();
  for (int k = 0; k < kSideBySide; ++k) {
    l.b[k] = s.startwert;
    l.p[k] = p[k < count ? k : 0];
  }

  auto plot = [&](int colour, int pen) {
    return lanes::Plot{support::paletteColour(colour), pen, (strips - 1) / 2 - (pen - 1) / 2, (pen - 1) / 2};
  };
  const lanes::Plot cyan = plot(kCyan, s.thin), yellow = plot(kYellow, s.pen);
  // The start value, with the pen of the orbit points.
  const lanes::Plot start = plot(kCyan, s.pen);
  const std::int32_t startCell = lanes::cell(l, s.startwert);
  for (int k = 0; k < kSideBySide; ++k)
    lanes::put(l.cells + std::ptrdiff_t{k} * l.laneCells, l.stride, startCell, start);

  // The counters fall into stretches that draw the same (see Counters).
  const lanes::Block block = blockFor(arithmetic);
  const Counters counters = s.counters();
  const std::int64_t steps = s.steps();
  const std::int64_t lead = std::clamp<std::int64_t>(s.vorlaufBis, 0, steps);
  const std::int64_t gelb = std::clamp<std::int64_t>(s.gelbAb, 0, steps);
  const std::int64_t cuts[] = {0, std::min(lead, gelb), std::max(lead, gelb), steps};
  lanes::Cycles cycles(l, s.law());
  bool settled = false;
  std::int64_t iterated = 0;
  for (int stretch = 0; stretch < 3 && !settled; ++stretch) {
    lanes::Plot plots[2];
    int plotCount = 0;
    if (counters.cyan(cuts[stretch])) plots[plotCount++] = cyan;
    if (counters.yellow(cuts[stretch])) plots[plotCount++] = yellow;
    const std::int64_t end = cuts[stretch + 1];
    for (std::int64_t counter = cuts[stretch]; counter < end;) {
      if (repeats == Repeats::Skipped && cycles.allKnown() && cycles.pays(counter, end)) {
        iterated += cycles.finish(counter, end, plots, plotCount);
        break;
      }
      const std::int64_t n = std::min(kBlock, end - counter);
      block(l, n, s.normiert, s.verhulst, plots, plotCount);
      counter += n;
      iterated += n;
      if ((settled = stuck(s, l))) break;
      if (repeats == Repeats::Skipped) cycles.look(counter);
      if (!keepGoing()) return false;
    }
  }
  for (int k = 0; k < count; ++k) {
    ColumnPixels& column = out[k];
    column.x = s.mapping.column(support::toSingle(p[k]));
    column.strips = strips;
    column.height = height;
    column.margin = margin;
    column.batch = cells;
    column.offset = std::ptrdiff_t{k} * l.laneCells;
    column.bestand = l.b[k];
    column.iterated = iterated;
  }
  return true;
}

}  // namespace orbits
