#include "orbits/columns.h"

#include <bit>
#include <cmath>

#include "orbits/lanes.h"
#include "support/palette.h"

namespace orbits {

bool operator==(const ColumnSettings& a, const ColumnSettings& b) {
  return std::bit_cast<std::uint64_t>(a.startwert) == std::bit_cast<std::uint64_t>(b.startwert) && a.steps == b.steps &&
         a.vorlaufBis == b.vorlaufBis && a.gelbAb == b.gelbAb && a.normiert == b.normiert && a.verhulst == b.verhulst &&
         a.thin == b.thin && a.pen == b.pen && a.mapping == b.mapping;
}

namespace lanes {

namespace {
struct Plain {
  template <bool Normiert, bool Verhulst, int Plots, bool Thin>
  static void run(Lanes& l, std::int64_t count, const Plot* plots) {
    double b[kLanes];
    std::copy(l.b, l.b + kLanes, b);
    for (std::int64_t i = 0; i < count; ++i)
      for (int k = 0; k < kLanes; ++k) {
        b[k] = step<Normiert, Verhulst>(b[k], l.p[k]);
        if constexpr (Plots > 0) {
          const std::int32_t at = cell(l, b[k]);
          for (int j = 0; j < Plots; ++j) put<Thin>(l, k, at, plots[j]);
        }
      }
    std::copy(b, b + kLanes, l.b);
  }
};
}  // namespace

void plainBlock(Lanes& l, std::int64_t count, bool normiert, bool verhulst, const Plot* plots, int plotCount) {
  dispatch<Plain>(l, count, normiert, verhulst, plots, plotCount);
}

}  // namespace lanes

namespace {

constexpr int kCyan = 3, kYellow = 14;
// Steps between two looks at the orbits and at keepGoing: a few microseconds.
constexpr std::int64_t kBlock = 1024;

lanes::Block blockFor(Arithmetic arithmetic) {
#ifdef VARNOSKEL_AVX2
  if (arithmetic == Arithmetic::Fastest && lanes::haveAvx2()) return lanes::avx2Block;
#endif
  (void)arithmetic;
  return lanes::plainBlock;
}

}  // namespace

const char* fastestArithmetic() { return blockFor(Arithmetic::Fastest) == lanes::plainBlock ? "plain" : "AVX2"; }

bool computeColumns(const ColumnSettings& s, const double* p, int count, ColumnPixels* out,
                    const std::function<bool()>& keepGoing, Arithmetic arithmetic) {
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
  // Lanes without a column of their own repeat the first one into scratch cells.
  std::vector<std::uint32_t> scratch(count < kSideBySide ? strips * l.stride : 0);
  for (int k = 0; k < kSideBySide; ++k) {
    l.b[k] = s.startwert;
    l.p[k] = p[k < count ? k : 0];
    if (k >= count) {
      l.cells[k] = scratch.data();
      continue;
    }
    ColumnPixels& column = out[k];
    column.x = s.mapping.column(support::toSingle(p[k]));
    column.strips = strips;
    column.height = height;
    column.margin = margin;
    column.cells.assign(strips * l.stride, 0);
    l.cells[k] = column.cells.data();
  }

  auto plot = [&](int colour, int pen) {
    return lanes::Plot{support::paletteColor(colour), pen, (strips - 1) / 2 - (pen - 1) / 2, (pen - 1) / 2};
  };
  const lanes::Plot cyan = plot(kCyan, s.thin), yellow = plot(kYellow, s.pen);
  // The start value, with the pen of the orbit points.
  const lanes::Plot start = plot(kCyan, s.pen);
  const std::int32_t startCell = lanes::cell(l, s.startwert);
  for (int k = 0; k < kSideBySide; ++k) lanes::put(l.cells[k], l.stride, startCell, start);

  // The counters fall into stretches that draw the same: cyan below the
  // lead-in count, yellow from gelbAb on (cyan first where both hold).
  const lanes::Block block = blockFor(arithmetic);
  const std::int64_t lead = std::clamp<std::int64_t>(s.vorlaufBis, 0, s.steps);
  const std::int64_t gelb = std::clamp<std::int64_t>(s.gelbAb, 0, s.steps);
  const std::int64_t cuts[] = {0, std::min(lead, gelb), std::max(lead, gelb), s.steps};
  bool finite = true;
  for (int stretch = 0; stretch < 3 && finite; ++stretch) {
    lanes::Plot plots[2];
    int plotCount = 0;
    if (cuts[stretch] < lead) plots[plotCount++] = cyan;
    if (cuts[stretch] >= gelb) plots[plotCount++] = yellow;
    for (std::int64_t counter = cuts[stretch]; counter < cuts[stretch + 1];) {
      const std::int64_t n = std::min(kBlock, cuts[stretch + 1] - counter);
      block(l, n, s.normiert, s.verhulst, plots, plotCount);
      counter += n;
      // An orbit that has left the double range never returns and can draw
      // nothing more: once all have, the rest of the columns is skipped.
      if (std::none_of(l.b, l.b + kSideBySide, [](double b) { return std::isfinite(b); })) {
        finite = false;
        break;
      }
      if (!keepGoing()) return false;
    }
  }
  for (int k = 0; k < count; ++k) out[k].bestand = l.b[k];
  return true;
}

}  // namespace orbits
