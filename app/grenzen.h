// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The four limits of a diagram window: p from links to rechts, X from xMin
// to xMax. The window holds them twice, the window on display and the one
// saved for "zurück"; the four text boxes show them to the user.
#pragma once

#include "orbits/columns.h"

namespace Ui {
struct Form1;
}

struct Grenzen {
  double links = 0, rechts = 0, xMin = 0, xMax = 0;

  // What the four boxes say, each read as a leading number.
  static Grenzen read(const Ui::Form1& ui);
  // Into the four boxes, in the program's number form.
  void write(Ui::Form1& ui) const;
  // The width of one of the diagram's columns.
  double schritt() const { return (rechts - links) / orbits::kColumns; }
};
