// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Feigenbaum's constants measured on the growth law. Both forms are logistic
// growth x -> r x (1 - x) with r = 1 + p (the normalised form in other
// coordinates), so their cascades share the same p: the superstable cycles
// of period 2^n, through the critical point x = 1/2 (Newton's method in r),
// and the period doublings between them, where the multiplier of the 2^n
// cycle reaches -1 (the cycle followed from the superstable one, the point
// bracketed and refined by the secant rule). Their distances shrink by
// delta = 4.6692..., the cycles' widths at the critical point by alpha =
// -2.5029...
#pragma once

#include <cstdint>
#include <vector>

namespace analysis {

struct CascadeRow {
  int n = 0;               // the period is 2^n
  double superstable = 0;  // p of the superstable 2^n cycle
  double doubling = 0;     // p where the 2^n cycle doubles
  double delta = 0;        // (d[n-1] - d[n-2]) / (d[n] - d[n-1]) of the doublings; NaN below n = 2
  double alpha = 0;        // width[n-1] / width[n] of the superstable cycles; NaN below n = 2
  double width = 0;        // the superstable cycle's point nearest 1/2 minus 1/2 (logistic x); NaN at n = 0
};

struct Cascade {
  std::vector<CascadeRow> rows;
  // Why there are no more rows: from the superstable cycle of period 2^n on,
  // its distance from the one before is within a thousand times the
  // rounding error of either.
  struct Stop {
    int n = 0;
    double apart = 0, rounding = 0;
  } stop;
};

// The cascade as far as double precision tells its points apart reliably.
Cascade cascade();

// The window around row n's doubling point for the main window: p from the
// doubling before it to half that distance beyond it, so that each row's
// window holds the next one's; X around the branches through the critical
// point, in the form's own coordinates.
struct CascadeWindow {
  double links, rechts, xMin, xMax;
};
CascadeWindow cascadeWindow(const Cascade& c, std::size_t row, bool normiert);

}  // namespace analysis
