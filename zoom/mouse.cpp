// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The two mouse handlers of the drawing surface, shared by the zoom
// selection and the p limits: every move shows the cursor readout first and
// then, while a selection is open, moves its rectangle; a press takes the
// window while a selection is open and sets a p limit otherwise.
#include "app/form1.h"
#include "forms/overlays.h"

void Form1::picAusgabe_MouseMove(int /*button*/, int /*shift*/, float x, float y) {
  anzeige(x, y);
  if (auswahlAktiv == 1) {
    ui.shpAuswahl->setLeft(x);
    ui.shpAuswahl->setTop(y);
  }
}

void Form1::picAusgabe_MouseDown(int button, int /*shift*/, float x, float y) {
  if (auswahlAktiv == 1)
    fensterNehmen(x, y);
  else
    grenzeSetzen(button, x);
}
