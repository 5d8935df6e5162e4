// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The settings a run starts from, and the one home of their defaults: what
// the window's boxes show when it opens, what "Startfenster" writes, and the
// value Start reads from the boxes, which the sweep's columns, the orbit
// window and the exponent over p take alike.
#pragma once

#include <cstdint>

#include "orbits/law.h"
#include "support/grenzen.h"

namespace orbits {

// The start window: p from 0 to 3, X from 0 to 1.5.
constexpr Grenzen kStartFenster{0, 3, 0, 1.5};
// The start value is the scroll bar's value in hundredths, 10 at start.
constexpr int kStartHundertstel = 10;
constexpr double startwertOf(int hundertstel) { return hundertstel / 100.0; }
// von, bis and the number of lead-in points at start.
constexpr double kVon = 100;
constexpr std::int32_t kBis = 200;
constexpr double kVorlauf = 12;

// Counters are whole numbers: "counter > von" holds from floor(von) + 1 on,
// "counter < n" below ceil(n). Far beyond any 32-bit counter is the same as
// never.
std::int64_t firstAbove(double von);
std::int64_t countBelow(double n);

// One orbit of the program, apart from its p: where it starts, how far it
// runs, which of its points are drawn in which colour, and by which law.
// Counter k computes the iterate X(k + 1).
struct Iteration {
  double startwert = startwertOf(kStartHundertstel);
  std::int64_t bis = kBis;                         // counters 0 ... bis
  std::int64_t vorlaufBis = countBelow(kVorlauf);  // cyan lead-in below this counter (0: none)
  std::int64_t gelbAb = firstAbove(kVon);          // yellow from this counter on
  bool normiert = true, verhulst = false;

  std::int64_t steps() const { return bis + 1; }
  Law law() const { return {normiert, verhulst}; }
  Counters counters() const { return {vorlaufBis, gelbAb}; }
};

// What Start reads: the window of the four limit boxes, von (at least 0;
// gelbAb follows from it) and the iteration, bis a 32-bit count above von.
struct StartSettings : Iteration {
  Grenzen fenster = kStartFenster;
  double von = kVon;
};

}  // namespace orbits
