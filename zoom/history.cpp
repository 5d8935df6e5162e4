// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// One step back ("zurück"), the start window without a diagram
// ("Startfenster") and with one ("max"). All three work through the four
// limit boxes, which "x" and "Start" read back.
#include <QLineEdit>

#include "app/form1.h"
#include "support/numbers.h"

using support::qTextFromDouble;

void Form1::fensterSichern() { alt = Grenzen::read(ui); }
void Form1::fensterZurueckholen() { alt.write(ui); }

void Form1::Command10_Click() {
  fensterZurueckholen();
  Command2_Click();
  Command1_Click();
}

// The frame keeps the p scale of the window state until the next "Start".
void Form1::cmdStart_Click() {
  ui.txtLinks->setText(QStringLiteral("0"));
  ui.txtRechts->setText(QStringLiteral("3"));
  ui.txtXMIN->setText(QStringLiteral("0"));
  ui.txtXMAX->setText(qTextFromDouble(1.5));
  Command2_Click();
}

void Form1::Command9_Click() {
  cmdStart_Click();
  Command2_Click();
  Command1_Click();
}
