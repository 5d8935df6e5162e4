// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The cursor readout on the drawing surface, and a p limit set by a left or
// right press, confirmed in a message box.
#include <QLineEdit>

#include "app/form1.h"
#include "forms/overlays.h"
#include "forms/picturebox.h"
#include "forms/runtime.h"
#include "support/numbers.h"
#include "zoom/cut.h"

using support::qTextFromSingle;
using support::toSingle;

void Form1::anzeige(float x, float y) {
  ui.txtY->show();
  ui.Line2->show();
  ui.txtp->setText(qTextFromSingle(x));
  ui.Line1->setX1(x);
  ui.Line1->setX2(x);
  ui.picAusgabe->setChildLeft(ui.txtp, x + std::fabs(fenster.rechts - fenster.links) / 100);
  ui.txtY->setText(qTextFromSingle(toSingle(zoom::cut(y, 3))));
  ui.Line2->setY1(y);
  ui.Line2->setY2(y);
  ui.picAusgabe->setChildTop(ui.txtY, y);
  ui.txtHilfe->setText(QStringLiteral("p = ") + qTextFromSingle(x) + QStringLiteral("  X = ") + qTextFromSingle(y) +
                       QStringLiteral("  Mausklick links/rechts = linke/rechte Intervallgrenze setzen"));
}

// Every button saves the X limits; only the limit that changes saves its old
// value. The picture is not redrawn: the new limit counts from the next
// "Start".
void Form1::grenzeSetzen(int button, float x) {
  const Grenzen gezeigt = Grenzen::read(ui);
  alt.xMax = gezeigt.xMax;
  alt.xMin = gezeigt.xMin;
  const QString title = QStringLiteral("Intervall für p");
  if (button == 1) {
    alt.links = gezeigt.links;
    ui.txtLinks->setText(qTextFromSingle(toSingle(zoom::cut(x, 3))));
    forms::messageBox(this, QStringLiteral("linke Intervallgrenze ") + qTextFromSingle(x), title);
  }
  if (button == 2) {
    alt.rechts = gezeigt.rechts;
    ui.txtRechts->setText(qTextFromSingle(toSingle(zoom::cut(x, 3))));
    forms::messageBox(this, QStringLiteral("rechte Intervallgrenze ") + qTextFromSingle(x), title);
  }
}
