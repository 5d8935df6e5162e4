// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The growth law, written once for everything that iterates it: the
// diagram's column kernels, the exponent's lanes, one orbit of the orbit
// window and the cascade of period doublings. One step of the normalised law
// X (1 + p (1 - X)) or of Verhulst's X (1 + p) (1 - X), in exactly this order
// of operations (with both chosen, the one after the other), its derivative,
// the rule that tells an orbit stuck for good, and which colour the diagram
// gives the point of each counter.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>

#include "support/bits.h"
#include "support/palette.h"

namespace orbits {

// One step of the law, in place, for a double, a vector of doubles (the
// kernels' lanes, with the same IEEE operations in each lane) or a wider
// number type. (In place: a vector returned by value would cross calls
// otherwise with and without AVX, which GCC warns of.)
template <bool Normiert, bool Verhulst, typename T>
[[gnu::always_inline]] inline void advance(T& bestand, const T& p) {
  if constexpr (Normiert) bestand = bestand * (1 + p * (1 - bestand));
  if constexpr (Verhulst) bestand = bestand * (1 + p) * (1 - bestand);
}

// The derivative of the step at `bestand` into `d`, by the chain rule where
// both laws apply.
template <bool Normiert, bool Verhulst, typename T>
[[gnu::always_inline]] inline void slopeAt(const T& at, const T& p, T& d) {
  d = T{} + 1;
  if constexpr (Normiert) d = 1 + p - 2 * p * at;
  if constexpr (Normiert && Verhulst) {
    T next = at;
    advance<true, false>(next, p);
    d = d * ((1 + p) * (1 - 2 * next));
  } else if constexpr (Verhulst) {
    d = d * ((1 + p) * (1 - 2 * at));
  }
}

// The same for a number.
template <bool Normiert, bool Verhulst, typename T>
T step(T bestand, const T& p) {
  advance<Normiert, Verhulst>(bestand, p);
  return bestand;
}
template <bool Normiert, bool Verhulst, typename T>
T slope(const T& bestand, const T& p) {
  T d;
  slopeAt<Normiert, Verhulst>(bestand, p, d);
  return d;
}

// The growth form chosen by the two option buttons; neither leaves X as it is.
struct Law {
  bool normiert = true, verhulst = false;

  double step(double bestand, double p) const {
    if (normiert) bestand = orbits::step<true, false>(bestand, p);
    if (verhulst) bestand = orbits::step<false, true>(bestand, p);
    return bestand;
  }
  double slope(double bestand, double p) const {
    if (normiert && verhulst) return orbits::slope<true, true>(bestand, p);
    if (normiert) return orbits::slope<true, false>(bestand, p);
    if (verhulst) return orbits::slope<false, true>(bestand, p);
    return 1;
  }
  // An orbit that has left the double range never returns and draws nothing
  // more. Once its value is also one that the law maps onto itself (bit for
  // bit: -inf, +inf or NaN, within a step or two), every further step leaves
  // it there, and the rest of the orbit need not be iterated.
  bool stuck(double bestand, double p) const {
    return !std::isfinite(bestand) &&
           support::bitCast<std::uint64_t>(step(bestand, p)) == support::bitCast<std::uint64_t>(bestand);
  }
};

// What the point of counter k (the iterate X(k + 1)) draws: a cyan lead-in
// point below vorlaufBis, a yellow orbit point from gelbAb on; where both
// hold, cyan first and yellow over it.
struct Counters {
  std::int64_t vorlaufBis = 0, gelbAb = 0;

  bool cyan(std::int64_t k) const { return k < vorlaufBis; }
  bool yellow(std::int64_t k) const { return k >= gelbAb; }
  // The palette colour that stays, -1 where nothing is drawn.
  int colour(std::int64_t k) const { return yellow(k) ? support::kYellow : cyan(k) ? support::kCyan : -1; }
};

}  // namespace orbits
