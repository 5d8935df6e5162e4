// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Feigenbaum's constants measured on the growth law. Both forms are logistic
// growth: Verhulst's X (1 + p) (1 - X) is x -> r x (1 - x) with r = 1 + p,
// and the normalised form is the same in other coordinates, so their
// cascades share the same p. For each period 2^n: the superstable cycle,
// through the critical point X = 1/2 (Newton's method in p), and the period
// doubling, where the multiplier of the 2^n cycle reaches -1 (Newton's method
// on a point of the cycle and p together). Their distances shrink by
// delta = 4.6692..., the cycles' widths at the critical point by
// alpha = -2.5029...
//
// Computed in binary floating point of 113 bits (Boost.Multiprecision's
// software floats, the same bits on every platform), and each value shown
// with the digits its own error bound vouches for: the Newton step at the
// level where rounding stops it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace analysis {

// The rows run from n = 0 to this one: each further row takes twice the
// steps of the one before it, and the table is the same wherever it is
// computed.
constexpr int kLastCascadeRow = 18;
// The most significant digits a value is shown with.
constexpr int kMostDigits = 20;

struct CascadeRow {
  int n = 0;  // the period is 2^n
  // The values as doubles, for the windows a row offers; NaN where a row
  // has none (delta and alpha below n = 2, the width at n = 0).
  double superstable = 0;  // p of the superstable 2^n cycle
  double doubling = 0;     // p where the 2^n cycle doubles
  double delta = 0;        // (d[n-1] - d[n-2]) / (d[n] - d[n-1]) of the doublings
  double alpha = 0;        // width[n-1] / width[n] of the superstable cycles
  double width = 0;        // the superstable cycle's point nearest 1/2, less 1/2 (x = X in Verhulst's form)
  // The same as decimal texts with the digits that are right, "." as the
  // decimal point; empty where there is no value.
  std::string superstableText, doublingText, deltaText, alphaText;
};

// Computes the rows n = 0 ... last one after the other and hands each to
// `row` as soon as it is known. keepGoing is asked many times a second;
// when it says no, the work stops and false is returned.
bool cascade(const std::function<void(const CascadeRow&)>& row, const std::function<bool()>& keepGoing,
             int last = kLastCascadeRow);

// The window around a row's doubling point for the main window: p from the
// doubling before it to half that distance beyond it, so that each row's
// window holds the next one's; X around the branches through the critical
// point, in the form's own coordinates. `before` is the row before it (n - 1),
// null for row 0.
struct CascadeWindow {
  double links, rechts, xMin, xMax;
};
CascadeWindow cascadeWindow(const CascadeRow& row, const CascadeRow* before, bool normiert);

}  // namespace analysis
