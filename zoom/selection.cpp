// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// "Fenster" opens a zoom selection; the next press on the surface takes a
// window half as wide and half as high, starting at the press point, and
// draws it. "X" cancels.
#include <QLineEdit>

#include "app/form1.h"
#include "forms/overlays.h"
#include "support/numbers.h"
#include "zoom/cut.h"

using support::qTextFromDouble;
using support::qTextFromSingle;
using support::toSingle;

// The saved window is what the boxes show, typed limits included.
void Form1::Command8_Click() {
  auswahlAktiv = 1;
  ui.shpAuswahl->show();
  fensterSichern();
}

void Form1::Command11_Click() {
  auswahlAktiv = 0;
  ui.shpAuswahl->hide();
}

// The p limits get three decimals, the X limits two. A window that would end
// right of p = 3 is shifted to end there, keeping its width; the left limit
// then carries the single-precision rounding of the press point.
void Form1::fensterNehmen(float x, float y) {
  const Grenzen gezeigt = Grenzen::read(ui);
  const double oben = gezeigt.xMax;
  const double unten = gezeigt.xMin;
  const float neuLinks = toSingle(zoom::cut(x, 3));
  const double neuRechts = zoom::cut(x + (fenster.rechts - fenster.links) / 2, 3);
  if (neuRechts > 3) {
    ui.txtLinks->setText(qTextFromDouble(neuLinks - (neuRechts - 3)));
    ui.txtRechts->setText(qTextFromDouble(3));
  } else {
    ui.txtLinks->setText(qTextFromSingle(neuLinks));
    ui.txtRechts->setText(qTextFromDouble(neuRechts));
  }
  ui.txtXMAX->setText(qTextFromSingle(toSingle(zoom::cut(y, 2))));
  ui.txtXMIN->setText(qTextFromDouble(zoom::cut(y - (oben - unten) / 2, 2)));
  auswahlAktiv = 0;
  ui.shpAuswahl->hide();
  Command2_Click();
  Command1_Click();
}
