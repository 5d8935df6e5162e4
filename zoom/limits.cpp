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

using support::numberFromText;
using support::qTextFromSingle;
using support::toSingle;

void Form1::anzeige(float x, float y) {
  txtY->show();
  Line2->show();
  txtp->setText(qTextFromSingle(x));
  Line1->setX1(x);
  Line1->setX2(x);
  picAusgabe->setChildLeft(txtp, x + std::fabs(rechts - links) / 100);
  txtY->setText(qTextFromSingle(toSingle(zoom::cut(y, 3))));
  Line2->setY1(y);
  Line2->setY2(y);
  picAusgabe->setChildTop(txtY, y);
  txtHilfe->setText(QStringLiteral("p = ") + qTextFromSingle(x) + QStringLiteral("  X = ") + qTextFromSingle(y) +
                    QStringLiteral("  Mausklick links/rechts = linke/rechte Intervallgrenze setzen"));
}

// Every button saves the X limits; only the limit that changes saves its old
// value. The picture is not redrawn: the new limit counts from the next
// "Start".
void Form1::grenzeSetzen(int button, float x) {
  altXMax = numberFromText(txtXMAX->text());
  altXMin = numberFromText(txtXMIN->text());
  const QString title = QStringLiteral("Intervall für p");
  if (button == 1) {
    altLinks = numberFromText(txtLinks->text());
    txtLinks->setText(qTextFromSingle(toSingle(zoom::cut(x, 3))));
    forms::messageBox(this, QStringLiteral("linke Intervallgrenze ") + qTextFromSingle(x), title);
  }
  if (button == 2) {
    altRechts = numberFromText(txtRechts->text());
    txtRechts->setText(qTextFromSingle(toSingle(zoom::cut(x, 3))));
    forms::messageBox(this, QStringLiteral("rechte Intervallgrenze ") + qTextFromSingle(x), title);
  }
}
