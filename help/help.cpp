// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The hover help: a mouse move over a control writes its sentence (from the
// layout table) into the help line txtHilfe; over the bare window it hides
// the X readout and the horizontal crosshair line and writes "Hilfe". "i"
// shows the about box.
#include <QAbstractButton>
#include <QLineEdit>
#include <QPushButton>

#include "app/form1.h"
#include "app/layout.h"
#include "forms/overlays.h"
#include "forms/runtime.h"

namespace {
const layout::Row* rowOf(const QObject* control) {
  for (const layout::Row& row : layout::rows())
    if (control->objectName() == QLatin1String(row.name)) return &row;
  return nullptr;
}
}  // namespace

// The Start sentence ends with whatever txtVon shows, as typed.
QString Form1::hilfeSatz(const QObject* control) const {
  const layout::Row* row = rowOf(control);
  if (!row || !row->help) return {};
  QString satz = QString::fromUtf8(row->help);
  if (control == ui.Command1) satz += ui.txtVon->text();
  return satz;
}

void Form1::hilfe(QObject* control) {
  if (const QString satz = hilfeSatz(control); !satz.isEmpty()) ui.txtHilfe->setText(satz);
}

// Every control gets a name to be spoken: a name of its own, else its help
// sentence, else its caption.
void Form1::sprechendeNamen() {
  for (const layout::Row& row : layout::rows()) {
    QWidget* control = layout::widget(ui, row);
    QString name = row.spoken ? QString::fromUtf8(row.spoken) : hilfeSatz(control);
    if (name.isEmpty())
      if (auto* button = qobject_cast<QAbstractButton*>(control)) name = button->text();
    control->setAccessibleName(name);
  }
}

void Form1::hilfeFenster() {
  ui.txtY->hide();
  ui.Line2->hide();
  ui.txtHilfe->setText(QStringLiteral("Hilfe"));
}

void Form1::Command7_Click() {
  forms::messageBox(this, QStringLiteral("dem Team von Varnoskel"), QStringLiteral("Programmiert von"));
}
