// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The coordinate system of the drawing surface, the frame drawn into it (grid
// pass and label pass), and "x", which clears the surface and frames it anew.
#include <QLineEdit>

#include "app/form1.h"
#include "forms/picturebox.h"
#include "support/numbers.h"
#include "support/palette.h"

using support::paletteColor;
using support::toSingle;

using support::kLightBlue;
using support::kLightCyan;
using support::kRed;

// p runs from links at the left edge to rechts at the right one, X from xMax
// at the top to xMin at the bottom.
void Form1::setzeKoordinaten() { ui.picAusgabe->setScale(fenster.links, fenster.xMax, fenster.rechts, fenster.xMin); }

// The tick label: a blank in place of a plus sign and at most 15 significant
// digits, so the counter's addition error never shows.
void Form1::tickLabel(double t) { ui.picAusgabe->print(support::qTextFromDouble(t)); }

// The ticks come from adding 0.1 to a double: the sixteenth sum is
// 1.5000000000000002, so the last tick is at 1.4 and none is at 1.5.
void Form1::gitter() {
  for (lauf = 0; lauf <= 1.5; lauf += 0.1) {
    ui.picAusgabe->setForeColor(QColor::fromRgb(paletteColor(kLightBlue)));
    ui.picAusgabe->setCurrentX(0);  // p = 0, which is the left edge only while links is 0
    ui.picAusgabe->setCurrentY(toSingle(lauf));
    tickLabel(lauf);
    ui.picAusgabe->line(toSingle(fenster.links), toSingle(lauf), toSingle(fenster.rechts), toSingle(lauf),
                        paletteColor(kRed));
  }
}

// The strip is 1/teiler of the width and spans X from 0 to 1.5 whatever the
// X range; it is filled, and the labels are printed over it.
void Form1::beschriftung(int teiler) {
  ui.picAusgabe->setForeColor(QColor::fromRgb(paletteColor(kLightCyan)));
  ui.picAusgabe->box(toSingle(fenster.links), 0, toSingle(fenster.links + (fenster.rechts - fenster.links) / teiler),
                     1.5f, paletteColor(kRed), true);
  for (lauf = 0; lauf <= 1.5; lauf += 0.1) {
    ui.picAusgabe->setCurrentX(toSingle(fenster.links));
    ui.picAusgabe->setCurrentY(toSingle(lauf));
    tickLabel(lauf);
  }
  ui.picAusgabe->setCurrentY(1.49f);
  ui.picAusgabe->print(QStringLiteral("  X"));
}

// "x": the p scale stays the one of start-up or the last sweep; only the X
// limits are read again.
void Form1::Command2_Click() {
  ui.picAusgabe->cls();
  const Grenzen gezeigt = Grenzen::read(ui);
  fenster.xMax = gezeigt.xMax;
  fenster.xMin = gezeigt.xMin;
  setzeKoordinaten();
  gitter();
  beschriftung(40);
}
