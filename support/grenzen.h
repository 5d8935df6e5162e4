// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The four limits of a diagram window: p from links to rechts, X from xMin
// to xMax. The window holds them twice, the window on display and the one
// saved for "zurück"; the four limit boxes show them to the user.
#pragma once

#include <cstdint>

namespace support {

// The diagram's columns: the p interval is divided into this many.
constexpr std::int32_t kColumns = 1000;

struct Grenzen {
  double links = 0, rechts = 0, xMin = 0, xMax = 0;

  // The width of one of the diagram's columns.
  double schritt() const { return (rechts - links) / kColumns; }
  // The p of column `spalte`, as the sweep computes it.
  double spalteP(std::int32_t spalte) const { return links + spalte * schritt(); }

  friend bool operator==(const Grenzen&, const Grenzen&) = default;
};

}  // namespace support

using support::Grenzen;
