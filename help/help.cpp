// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The hover help: a mouse move over a control writes its sentence into the
// help line txtHilfe; over the bare window it hides the X readout and the
// horizontal crosshair line and writes "Hilfe". "i" shows the about box.
#include <QAbstractButton>
#include <QLineEdit>
#include <QPushButton>

#include "app/form1.h"
#include "forms/overlays.h"
#include "forms/runtime.h"

namespace {

struct Help {
  const char* control;
  const char* sentence;
};

constexpr Help kHelp[] = {
    {"chkVorlauf", "Den Anfang der Bestandsfolge zeigen"},
    {"txtVon", "Anzahl der Iterationen bevor gezeichnet wird, direkt hier eingeben"},
    {"txtBis", "Gesamtzahl der Iterationen für jedes p direkt hier eingeben"},
    {"Text2", "Startwert für X"},
    {"Command8", "Fenster zur maßstabstreuen Vergrößerung wählen"},
    {"Command11", "abbrechen von Vergrößerungsfenster wählen"},
    {"Command9", "Startfenster wiederherstellen"},
    {"Command10", "voriges Fenster wiederherstellen"},
    {"optV", "Darstellung von Verhulst, variabler Fixpunkt"},
    {"optR", "Iteration Logistisches Wachstum, relative Bestände, Grenzbestand ist 1"},
    {"Command2", "Bildschirm löschen"},
    {"Command5", "Ausführung unterbrechen, mit 'W' weiterrechnen"},
    {"Command6", "Weiterrechnen"},
    {"Command3", "Strichstärke für den Feigenbaum"},
    {"Command4", "Strichstärke für den Feigenbaum"},
    {"txtLinks", "linke Intervallgrenze für p"},
    {"txtRechts", "rechte Intervallgrenze für p"},
};

// What a screen reader says for the controls that have neither a help
// sentence nor a caption that says what they are.
constexpr Help kSpoken[] = {
    {"Command7", "Programmiert von"},
    {"Picture1", "Die beiden Formen der Iteration"},
    {"Picture2", "Eingaben"},
    {"picAusgabe", "Feigenbaum-Diagramm"},
    {"txtStart", "Startwert"},
    {"HScroll1", "Startwert wählen"},
    {"txtXMIN", "X von"},
    {"txtXMAX", "X bis"},
    {"Text3", "X von, bis"},
    {"Text4", "von"},
    {"Text5", "bis"},
    {"txtVorlauf", "Anzahl der ersten Iterationen"},
    {"txtStop", "Pause, 1 hält an"},
    {"Text1", "Strichstärke"},
    {"txtHilfe", "Hilfe"},
    {"txtp", "p unter dem Mauszeiger"},
    {"txtY", "X unter dem Mauszeiger"},
    {"Label2", "p"},
    {"Line1", "Spalte"},
    {"Line2", "Fadenkreuz"},
    {"Line3", "Trennlinie"},
    {"Line4", "Trennlinie"},
    {"shpAuswahl", "Vergrößerungsfenster"},
    {"Shape1", "linkes Ende der p-Achse"},
    {"Shape2", "rechtes Ende der p-Achse"},
};

template <std::size_t N>
QString inTable(const Help (&table)[N], const QString& name) {
  for (const Help& entry : table)
    if (name == QLatin1String(entry.control)) return QString::fromUtf8(entry.sentence);
  return {};
}

}  // namespace

QString Form1::hilfeSatz(const QObject* control) const {
  if (control == Command1)
    return QStringLiteral("Darstellung start, Punkte werden gesetzt ab Iteration ") + txtVon->text();
  return inTable(kHelp, control->objectName());
}

// The Start sentence ends with whatever txtVon shows, as typed.
void Form1::hilfe(QObject* control) {
  if (const QString satz = hilfeSatz(control); !satz.isEmpty()) txtHilfe->setText(satz);
}

// Every control gets a name to be spoken: its help sentence, else a name of
// its own, else its caption.
void Form1::sprechendeNamen() {
  for (QWidget* control : centralWidget()->findChildren<QWidget*>()) {
    QString name = control == Command1 ? QStringLiteral("Start") : hilfeSatz(control);
    if (name.isEmpty()) name = inTable(kSpoken, control->objectName());
    if (name.isEmpty())
      if (auto* button = qobject_cast<QAbstractButton*>(control)) name = button->text();
    control->setAccessibleName(name);
  }
}

void Form1::hilfeFenster() {
  txtY->hide();
  Line2->hide();
  txtHilfe->setText(QStringLiteral("Hilfe"));
}

void Form1::Command7_Click() {
  forms::messageBox(this, QStringLiteral("dem Team von Varnoskel"), QStringLiteral("Programmiert von"));
}
