// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/grenzen.h"

#include <QLineEdit>

#include "app/controls.h"
#include "support/numbers.h"

using support::numberFromText;
using support::qTextFromDouble;

Grenzen Grenzen::read(const Ui::Form1& ui) {
  return {numberFromText(ui.txtLinks->text()), numberFromText(ui.txtRechts->text()), numberFromText(ui.txtXMIN->text()),
          numberFromText(ui.txtXMAX->text())};
}

void Grenzen::write(Ui::Form1& ui) const {
  ui.txtLinks->setText(qTextFromDouble(links));
  ui.txtRechts->setText(qTextFromDouble(rechts));
  ui.txtXMIN->setText(qTextFromDouble(xMin));
  ui.txtXMAX->setText(qTextFromDouble(xMax));
}
