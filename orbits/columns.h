// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// What one column of the diagram draws, computed away from the window: the
// start value, then the orbit from it at one p, iterated bis + 1 times, with
// its lead-in and orbit points, as pixels of the picture. Up to kSideBySide
// columns are computed side by side. The cells equal those a loop over one orbit
// at a time would draw: the same doubles in the same order of operations.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "orbits/start.h"
#include "support/pixelmapping.h"

namespace orbits {

using support::kColumns;
// Orbits computed side by side in one batch.
constexpr int kSideBySide = 16;

// Everything a column's pixels depend on, apart from its p: the iteration,
// the pens and the pixel rule.
struct ColumnSettings : Iteration {
  int thin = 1, pen = 1;  // lead-in points; start value and orbit points (image pixels)
  support::PixelMapping mapping;

  // Bitwise for the doubles, so that NaN settings equal themselves.
  friend bool operator==(const ColumnSettings& a, const ColumnSettings& b);
};

// For every image pixel a column touches, the colour of the last point that
// landed there, 0 where none did. The cells are strips, one per pixel column
// from firstX() on; each strip has `margin` cells above and below its
// `height` picture rows. The columns computed side by side share one buffer,
// which lives as long as any of them.
struct ColumnPixels {
  std::ptrdiff_t x = -1;  // the column's own pixel column, -1 off the picture
  int strips = 1;
  int height = 0;
  int margin = 1;
  std::shared_ptr<const std::vector<std::uint32_t>> batch;  // empty: not computed
  std::ptrdiff_t offset = 0;                                // where this column's cells begin in it
  double bestand = 0;                                       // the orbit value the column ended with
  // The steps its batch iterated, the skipped ones left out: where every
  // orbit of the batch repeats itself, a small share of settings.steps.
  std::int64_t iterated = 0;

  explicit operator bool() const { return batch != nullptr; }
  std::ptrdiff_t stride() const { return margin + height + margin; }
  std::ptrdiff_t firstX() const { return x - (strips - 1) / 2; }
  std::span<const std::uint32_t> cells() const { return {batch->data() + offset, std::size_t(strips * stride())}; }
  const std::uint32_t* rows() const { return cells().data() + margin; }  // row 0 of the first strip
};

// Fastest: the widest vectors the processor has; Avx2: at most AVX2's;
// Plain: without vector instructions.
enum class Arithmetic { Fastest, Avx2, Plain };
// What Fastest is on this processor: "AVX-512", "AVX2" or "plain".
const char* fastestArithmetic();

// Skipped: the steps of orbits that repeat themselves bit for bit are not
// iterated (see cycles.h); Iterated: every step is, to measure the kernels.
enum class Repeats { Skipped, Iterated };

// Computes the columns at p[0] ... p[count - 1] (count at most kSideBySide).
// keepGoing is asked every few thousand steps; when it says no, the columns
// are left unfinished and false is returned.
bool computeColumns(const ColumnSettings& settings, const double* p, int count, ColumnPixels* out,
                    const std::function<bool()>& keepGoing, Arithmetic arithmetic = Arithmetic::Fastest,
                    Repeats repeats = Repeats::Skipped);

}  // namespace orbits
