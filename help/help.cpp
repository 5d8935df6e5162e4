// The hover help: a mouse move over a control writes its sentence into the
// help line txtHilfe; over the bare window it hides the X readout and the
// horizontal crosshair line and writes "Hilfe". "i" shows the about box.
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

}  // namespace

// The Start sentence ends with whatever txtVon shows, as typed.
void Form1::hilfe(QObject* control) {
  if (control == Command1) {
    txtHilfe->setText(QStringLiteral("Darstellung start, Punkte werden gesetzt ab Iteration ") + txtVon->text());
    return;
  }
  const QString name = control->objectName();
  for (const Help& help : kHelp)
    if (name == QLatin1String(help.control)) txtHilfe->setText(QString::fromUtf8(help.sentence));
}

void Form1::hilfeFenster() {
  txtY->hide();
  Line2->hide();
  txtHilfe->setText(QStringLiteral("Hilfe"));
}

void Form1::Command7_Click() {
  forms::messageBox(this, QStringLiteral("dem Team von Varnoskel"), QStringLiteral("Programmiert von"));
}
