// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Hostile input in every numeric box, followed by every command that reads
// the boxes; windows without extent, reversed ones, and 60 zooms in a row.
// Nothing may crash or hang, every box must hold a number as the program
// writes numbers, and the window must still draw.
#include <QCheckBox>
#include <QRegularExpression>

#include "fixture.h"
#include "forms/overlays.h"

using namespace fixture;

namespace {

const QStringList& hostile() {
  static const QStringList texts = {
      "",
      "abc",
      "-",
      ".",
      "1e999",
      "-1e999",
      "1e-400",
      "nan",
      "inf",
      "2147483648",
      "-2147483649",
      "1,5",
      " 1 2 ",
      "1d2",
      "&H10",
      QString(10000, '9'),
      QString(5000, 'x') + "1",
      QString::fromUtf8("五十 αβγ ١٢٣"),
  };
  return texts;
}

// The form in which the program writes a number into a box.
bool isWrittenNumber(const QString& text) {
  static const QRegularExpression form(QStringLiteral("^[ -](\\d+\\.?\\d*|\\.\\d+)(E[+-]\\d{2,3})?$"));
  return form.match(text).hasMatch();
}

void checkLimitBoxes(const Form1Probe& f, const char* after) {
  for (const QLineEdit* box : {f.txtLinks, f.txtRechts, f.txtXMIN, f.txtXMAX})
    QVERIFY2(isWrittenNumber(box->text()),
             qPrintable(QString("%1 after %2: '%3'").arg(box->objectName(), after, box->text().left(40))));
}

}  // namespace

class TestHostile : public QObject {
  Q_OBJECT

 private slots:
  // The limit boxes and the lead-in count: every command, then "max".
  void hostileLimits_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    for (const char* box : {"txtLinks", "txtRechts", "txtXMIN", "txtXMAX", "txtVorlauf"})
      for (const QString& text : hostile())
        QTest::newRow(qPrintable(QString("%1 %2").arg(box, text.left(12)))) << QString(box) << text;
  }
  void hostileLimits() {
    QFETCH(QString, box);
    QFETCH(QString, text);
    auto form = window();
    Form1Probe& f = *form;
    MessageBoxes boxes;
    f.window.findChild<QLineEdit*>(box)->setText(text);
    f.txtBis->setText("150");
    QVERIFY(sweepToTheEnd(f));
    if (box == "txtLinks") QCOMPARE(f.fenster.links, support::numberFromText(text));
    if (box == "txtXMAX") QCOMPARE(f.fenster.xMax, support::numberFromText(text));
    QVERIFY(std::isfinite(f.fenster.links) && std::isfinite(f.fenster.xMax));
    click(f.Command2);
    moveOn(f, 1, 1);
    click(f.Command8);
    moveOn(f, 1, 1);
    press(f, 1, 1);
    QCOMPARE(f.auswahlAktiv, 0);
    checkLimitBoxes(f, "a selection");
    press(f, 2, 0.5);
    press(f, 2, 0.5, Qt::RightButton);
    QCOMPARE(boxes.seen.size(), 2);
    checkLimitBoxes(f, "a limit press");
    click(f.Command10);
    checkLimitBoxes(f, "zurück");
    QVERIFY(drawsTheStartWindow(f));
  }

  // The iteration counts: what "Start" writes back; runs that would take
  // hours end at their first yield.
  void hostileCounts_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    for (const char* box : {"txtVon", "txtBis"})
      for (const QString& text : hostile())
        QTest::newRow(qPrintable(QString("%1 %2").arg(box, text.left(12)))) << QString(box) << text;
  }
  void hostileCounts() {
    QFETCH(QString, box);
    QFETCH(QString, text);
    auto form = window();
    Form1Probe& f = *form;
    f.window.findChild<QLineEdit*>(box)->setText(text);
    const double read = support::numberFromText(text);
    double von = box == "txtVon" ? read : 100;
    std::int32_t bis = box == "txtBis" ? support::roundToInt32(read) : 200;
    von = std::max(von, 0.0);
    if (bis <= von) bis = support::roundToInt32(von + 1);
    const bool huge = bis > 100000;
    const auto endEarly = atYield(2, [&] {
      if (huge) f.end->trigger();
    });
    click(f.Command1);
    QCOMPARE(f.txtVon->text(), support::qTextFromDouble(von));
    QCOMPARE(f.txtBis->text(), support::qTextFromDouble(bis));
    QVERIFY(isWrittenNumber(f.txtVon->text()) && isWrittenNumber(f.txtBis->text()));
    if (huge) return;
    QCOMPARE(f.spalte, 1000);
    click(f.Command8);
    press(f, 1, 1);
    click(f.Command10);
    QVERIFY(drawsTheStartWindow(f));
  }

  // Windows without extent, reversed ones, orbits that leave the number
  // range, limits at the ends of the double range: the sweep runs to its
  // end, draws only what is finite and on the surface, and the window goes
  // on working.
  void windowsWithoutExtentAndReversed_data() {
    QTest::addColumn<QStringList>("limits");  // links, rechts, xMin, xMax
    QTest::newRow("p up to 10") << QStringList{"0", "10", "0", "1.5"};
    QTest::newRow("double range") << QStringList{"-1e999", "1e999", "-1e999", "1e999"};
    QTest::newRow("far away") << QStringList{"1e300", "2e300", "0", "1e-300"};
    QTest::newRow("p without extent") << QStringList{"2", "2", "0", "1.5"};
    QTest::newRow("X without extent") << QStringList{"0", "3", "1", "1"};
    QTest::newRow("a single point") << QStringList{"1", "1", "1", "1"};
    QTest::newRow("reversed p") << QStringList{"3", "0", "0", "1.5"};
    QTest::newRow("reversed X") << QStringList{"0", "3", "1.5", "0"};
    QTest::newRow("both reversed") << QStringList{"3", "0", "1.5", "0"};
  }
  void windowsWithoutExtentAndReversed() {
    QFETCH(QStringList, limits);
    auto form = window();
    Form1Probe& f = *form;
    MessageBoxes boxes;
    f.txtLinks->setText(limits[0]);
    f.txtRechts->setText(limits[1]);
    f.txtXMIN->setText(limits[2]);
    f.txtXMAX->setText(limits[3]);
    click(f.Command2);
    QVERIFY(sweepToTheEnd(f));
    moveOn(f, 1, 1);
    QVERIFY(isWrittenNumber(f.txtp->text()));
    press(f, 1, 1);
    click(f.Command8);
    press(f, 1, 1);
    checkLimitBoxes(f, "a selection");
    click(f.Command10);
    QVERIFY(drawsTheStartWindow(f));
  }

  // Limits are cut to three and two decimals: zooming on and on ends in a
  // window without extent, which draws nothing and breaks nothing.
  void sixtyZoomsInARow() {
    auto form = window();
    Form1Probe& f = *form;
    for (int zoom = 0; zoom < 60; ++zoom) {
      click(f.Command8);
      mouse(f.picAusgabe, QEvent::MouseButtonPress, QPointF(400, 240), Qt::LeftButton, Qt::LeftButton);
      QCOMPARE(f.auswahlAktiv, 0);
      checkLimitBoxes(f, "a zoom");
    }
    QCOMPARE(f.fenster.rechts - f.fenster.links, 0.0);
    QCOMPARE(f.fenster.xMax - f.fenster.xMin, 0.0);
    mouse(f.picAusgabe, QEvent::MouseMove, QPointF(100, 100));
    QCOMPARE(f.txtp->text(), support::qTextFromSingle(float(f.fenster.links)));  // every pixel reads as the limit
    click(f.Command10);
    QVERIFY(drawsTheStartWindow(f));
  }
};

QTEST_MAIN(TestHostile)
#include "test_hostile.moc"
