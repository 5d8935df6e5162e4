// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The hover help line and the about box.
#include <QCheckBox>
#include <QLabel>
#include <QMenuBar>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>

#include "fixture.h"
#include "forms/overlays.h"
#include "help/hover.h"

using namespace fixture;

namespace {
void moveOver(QWidget* w) { mouse(w, QEvent::MouseMove, QPointF(w->width() / 2.0, w->height() / 2.0)); }
}  // namespace

class TestHelp : public QObject {
  Q_OBJECT

 private slots:
  void everyControlExplainsItself() {
    auto form = window();
    Form1Probe& f = *form;
    const std::pair<QWidget*, const char*> sentences[] = {
        {f.chkVorlauf, "Den Anfang der Bestandsfolge zeigen"},
        {f.txtVon, "Anzahl der Iterationen bevor gezeichnet wird, direkt hier eingeben"},
        {f.txtBis, "Gesamtzahl der Iterationen für jedes p direkt hier eingeben"},
        {f.Text2, "Startwert für X"},
        {f.Command8, "Fenster zur maßstabstreuen Vergrößerung wählen"},
        {f.Command11, "abbrechen von Vergrößerungsfenster wählen"},
        {f.Command9, "Startfenster wiederherstellen"},
        {f.Command10, "voriges Fenster wiederherstellen"},
        {f.optV, "Darstellung von Verhulst, variabler Fixpunkt"},
        {f.optR, "Iteration Logistisches Wachstum, relative Bestände, Grenzbestand ist 1"},
        {f.Command2, "Bildschirm löschen"},
        {f.Command5, "Ausführung unterbrechen, mit 'W' weiterrechnen"},
        {f.Command6, "Weiterrechnen"},
        {f.Command3, "Strichstärke für den Feigenbaum"},
        {f.Command4, "Strichstärke für den Feigenbaum"},
        {f.txtLinks, "linke Intervallgrenze für p"},
        {f.txtRechts, "rechte Intervallgrenze für p"},
    };
    QCOMPARE(f.txtHilfe->text(), QStringLiteral("Hilfe"));
    for (const auto& [control, sentence] : sentences) {
      f.txtHilfe->setText(QStringLiteral("before"));
      moveOver(control);
      QCOMPARE(f.txtHilfe->text(), QString::fromUtf8(sentence));
      // The control keeps the move to itself: its container is not told.
      QCOMPARE(f.txtY->isVisible(), true);
    }
  }

  void startSentenceEndsWithTxtVonAsTyped() {
    auto form = window();
    Form1Probe& f = *form;
    const QString start = QStringLiteral("Darstellung start, Punkte werden gesetzt ab Iteration ");
    moveOver(f.Command1);
    QCOMPARE(f.txtHilfe->text(), start + "100");
    click(f.Command1);  // writes " 100" back
    moveOver(f.Command1);
    QCOMPARE(f.txtHilfe->text(), start + " 100");
    f.txtVon->clear();
    moveOver(f.Command1);
    QCOMPARE(f.txtHilfe->text(), start);
    f.txtVon->setText("abc");
    moveOver(f.Command1);
    QCOMPARE(f.txtHilfe->text(), start + "abc");
  }

  void bareWindowHidesTheReadout() {
    auto form = window();
    Form1Probe& f = *form;
    moveOn(f, 1, 1);
    QVERIFY(f.txtHilfe->text().startsWith("p = "));
    mouse(f.window.centralWidget(), QEvent::MouseMove, QPointF(5, 300));
    QVERIFY(f.txtY->isHidden());
    QVERIFY(f.Line2->isHidden());
    QVERIFY(f.Line1->isVisible() && f.txtp->isVisible());
    QCOMPARE(f.txtHilfe->text(), QStringLiteral("Hilfe"));
    moveOn(f, 1, 1);
    QVERIFY(f.txtY->isVisible() && f.Line2->isVisible());
  }

  // Lines and shapes take no mouse events: the pointer over them is over
  // what lies behind them.
  void linesAndShapesCountAsWhatIsBehind() {
    auto form = window();
    Form1Probe& f = *form;
    for (forms::RectShape* shape : {f.Shape1, f.Shape2}) {
      const QPoint inside = shape->geometry().topLeft() + QPoint(2, 2);
      QCOMPARE(f.window.centralWidget()->childAt(inside), nullptr);
    }
    click(f.Command8);
    moveOn(f, 1, 1);
    for (QWidget* overlay :
         {static_cast<QWidget*>(f.Line1), static_cast<QWidget*>(f.Line2), static_cast<QWidget*>(f.shpAuswahl)})
      QCOMPARE(f.picAusgabe->childAt(overlay->geometry().center()) == overlay, false);
    QCOMPARE(f.Picture2->childAt(f.Line3->geometry().center()), nullptr);
  }

  void silentControlsLeaveTheLine() {
    auto form = window();
    Form1Probe& f = *form;
    moveOn(f, 2.5, 0.75);
    const QString readout = f.txtHilfe->text();
    for (QWidget* w :
         {static_cast<QWidget*>(f.Command7), static_cast<QWidget*>(f.txtStart), static_cast<QWidget*>(f.HScroll1),
          static_cast<QWidget*>(f.txtXMIN), static_cast<QWidget*>(f.txtXMAX), static_cast<QWidget*>(f.Text3),
          static_cast<QWidget*>(f.Text4), static_cast<QWidget*>(f.Text5), static_cast<QWidget*>(f.txtVorlauf),
          static_cast<QWidget*>(f.txtStop), static_cast<QWidget*>(f.Text1), static_cast<QWidget*>(f.txtHilfe),
          static_cast<QWidget*>(f.txtp), static_cast<QWidget*>(f.txtY), static_cast<QWidget*>(f.Label2),
          static_cast<QWidget*>(f.Picture1), static_cast<QWidget*>(f.Picture2),
          static_cast<QWidget*>(f.window.menuBar())}) {
      moveOver(w);
      QVERIFY2(f.txtHilfe->text() == readout, qPrintable(w->objectName()));
      QVERIFY2(f.txtY->isVisible(), qPrintable(w->objectName()));
    }
  }

  // A finger has no hover: held on a control, it writes the control's
  // sentence, and lifted then it triggers nothing; a tap triggers it. "Start"
  // and "2" (the pen width) as the examples, a button of each kind.
  void aHeldFingerExplainsATapTriggers() {
    static QPointingDevice* const finger = QTest::createTouchDevice();
    auto form = window();
    Form1Probe& f = *form;
    for (QPushButton* button : {f.Command1, f.Command4}) {
      f.txtHilfe->setText(QStringLiteral("Hilfe"));
      const QPoint middle = button->rect().center();
      QTest::touchEvent(button->window(), finger).press(0, button->mapTo(button->window(), middle));
      const auto* hilfe = form->window.findChild<help::HoverHelp*>();
      QTRY_VERIFY(hilfe->fingerHeld());
      QCOMPARE(f.txtHilfe->text(), hilfe->sentence(button));
      QTest::touchEvent(button->window(), finger).release(0, button->mapTo(button->window(), middle));
    }
    QCOMPARE(f.spalte, 0);    // no sweep ran
    QCOMPARE(f.strich(), 1);  // the pen width unchanged
    QTest::touchEvent(f.Command4->window(), finger).press(0, f.Command4->mapTo(f.Command4->window(), QPoint(4, 4)));
    QTest::touchEvent(f.Command4->window(), finger).release(0, f.Command4->mapTo(f.Command4->window(), QPoint(4, 4)));
    QTRY_COMPARE(f.strich(), 2);  // a tap is a click

    // The second press of a double tap comes as a double click (in the page
    // also a press after a tap at the same place): held, it explains as well
    // and triggers nothing.
    QSignalSpy clicks(f.Command4, &QAbstractButton::clicked);
    const auto fingerMouse = [&](QEvent::Type type) {
      const QPointF at(4, 4);
      const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
      QMouseEvent event(type, at, at, f.Command4->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier,
                        Qt::MouseEventSynthesizedByQt, finger);
      QApplication::sendEvent(f.Command4, &event);
    };
    fingerMouse(QEvent::MouseButtonPress);
    fingerMouse(QEvent::MouseButtonRelease);
    f.txtHilfe->setText(QStringLiteral("Hilfe"));
    fingerMouse(QEvent::MouseButtonDblClick);
    const auto* hilfe = form->window.findChild<help::HoverHelp*>();
    QTRY_VERIFY(hilfe->fingerHeld());
    QCOMPARE(f.txtHilfe->text(), hilfe->sentence(f.Command4));
    fingerMouse(QEvent::MouseButtonRelease);
    QCOMPARE(clicks.size(), 1);
  }

  void aboutBox() {
    auto form = window();
    MessageBoxes boxes;
    click(form->Command7);
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(boxes.seen[0].title, QStringLiteral("Programmiert von"));
    QCOMPARE(boxes.seen[0].buttons, 1);
    QCOMPARE(boxes.seen[0].icon, QMessageBox::NoIcon);
    QVERIFY(!boxes.seen[0].buttonIcon);
    QVERIFY(!boxes.seen[0].text.isEmpty());
  }

  // The about box opened inside a sweep holds it until it is closed; the
  // columns drawn so far show while it is open, even when the last paced
  // repaint was only a moment ago.
  void aboutBoxDuringASweep() {
    auto form = window();
    MessageBoxes boxes;
    int atOpen = -1;
    bool shown = false;
    boxes.whileOpen = [&] {
      atOpen = form->spalte;
      shown = form->picAusgabe->updatesEnabled();
    };
    const auto atTheYield = atYield(30, [&] { click(form->Command7); });
    click(form->Command1);
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(atOpen, 28);  // yield k + 2 comes before column k
    QVERIFY(shown);
    QCOMPARE(form->spalte, 1000);
  }
};

QTEST_MAIN(TestHelp)
#include "test_help.moc"
