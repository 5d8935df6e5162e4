// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Pause and resume work through the text of txtStop: exactly "1" holds the
// sweep before its next column. "1" and "2" choose the pen width of the
// start-value and orbit points; Text1 only shows it.
#include <QLineEdit>

#include "app/form1.h"

bool Form1::angehalten() const { return ui.txtStop->text() == QLatin1String("1"); }

void Form1::Command5_Click() { ui.txtStop->setText(QStringLiteral("1")); }
void Form1::Command6_Click() { ui.txtStop->setText(QStringLiteral("0")); }

void Form1::Command3_Click() {
  strich = 1;
  ui.Text1->setText(QStringLiteral("1"));
}

void Form1::Command4_Click() {
  strich = 2;
  ui.Text1->setText(QStringLiteral("2"));
}
