// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The start value X0 is the scroll bar's value in hundredths; txtStart only
// shows it, in the user's own number form, and is never read back.
#include <QLineEdit>
#include <QScrollBar>

#include "app/form1.h"
#include "support/numbers.h"

void Form1::HScroll1_Change() { ui.txtStart->setText(support::localeText(ui.HScroll1->value() / 100.0)); }
