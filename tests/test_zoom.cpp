// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Zoom selection, p limits by mouse and the cursor readout, and the window
// history, driven by real mouse events on the drawing surface.
#include <QCheckBox>
#include <QMenuBar>

#include "fixture.h"
#include "forms/overlays.h"

using namespace fixture;

namespace {
const QString kHint = QStringLiteral("  Mausklick links/rechts = linke/rechte Intervallgrenze setzen");

bool hasYellow(const Form1Probe& f) {
  const QImage& image = f.picAusgabe->image();
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) == rgb(support::kYellow)) return true;
  return false;
}
}  // namespace

class TestZoom : public QObject {
  Q_OBJECT

 private slots:
  void pressTakesHalfTheWindowAndDrawsIt() {
    auto form = window();
    Form1Probe& f = *form;
    MessageBoxes boxes;
    click(f.Command8);
    QCOMPARE(f.auswahlAktiv, 1);
    QVERIFY(f.shpAuswahl->isVisible());
    moveOn(f, 2, 1.2);
    QVERIFY(std::fabs(f.shpAuswahl->left() - 2) < 0.004);  // the corner follows, to the pixel
    QVERIFY(std::fabs(f.shpAuswahl->top() - 1.2) < 0.004);
    QCOMPARE(f.shpAuswahl->size(), QSize(400, 250));  // its size never changes
    press(f, 2, 1.2);
    // The right limit would be 3.5: the window is shifted to end at 3.
    QCOMPARE(f.txtLinks->text(), QStringLiteral(" 1.5"));
    QCOMPARE(f.txtRechts->text(), QStringLiteral(" 3"));
    QCOMPARE(f.txtXMAX->text(), QStringLiteral(" 1.2"));
    QCOMPARE(f.txtXMIN->text(), QStringLiteral(" .45"));
    QCOMPARE(f.auswahlAktiv, 0);
    QVERIFY(f.shpAuswahl->isHidden());
    QVERIFY(boxes.seen.isEmpty());
    // Drawn: the sweep read the new window.
    QCOMPARE(f.spalte, 1000);
    QCOMPARE(f.fenster.links, 1.5);
    QCOMPARE(f.fenster.xMin, 0.45);
    QVERIFY(hasYellow(f));
    // Saved is what "Fenster" saw, nothing more.
    QCOMPARE(f.alt.links, 0.0);
    QCOMPARE(f.alt.rechts, 3.0);
    QCOMPARE(f.alt.xMax, 1.5);
  }

  // The second press of a double-click is a double-click, which the picture
  // does not take: one zoom, no limit set in the new window, no message box.
  void doubleClickZoomsOnce() {
    auto form = window();
    Form1Probe& f = *form;
    MessageBoxes boxes;
    click(f.Command8);
    const QPointF spot = at(f, 2.0, 1.2);
    mouse(f.picAusgabe, QEvent::MouseButtonPress, spot, Qt::LeftButton, Qt::LeftButton);
    mouse(f.picAusgabe, QEvent::MouseButtonRelease, spot, Qt::LeftButton, Qt::NoButton);
    mouse(f.picAusgabe, QEvent::MouseButtonDblClick, spot, Qt::LeftButton, Qt::LeftButton);
    mouse(f.picAusgabe, QEvent::MouseButtonRelease, spot, Qt::LeftButton, Qt::NoButton);
    QVERIFY(boxes.seen.isEmpty());
    QCOMPARE(f.txtLinks->text(), QStringLiteral(" 1.5"));
    QCOMPARE(f.txtRechts->text(), QStringLiteral(" 3"));
    QCOMPARE(f.alt.links, 0.0);  // still the window "Fenster" saw
    QCOMPARE(f.alt.xMax, 1.5);
  }

  // The crosshair runs under the X readout: where they cross, the box's
  // own frame shows.
  void crosshairRunsUnderTheReadout() {
    auto form = window();
    Form1Probe& f = *form;
    moveOn(f, 1.5, 0.75);  // the middle row of the surface, a whole pixel
    QCOMPARE(f.Line2->p1().y(), double(f.txtY->y()));
    const QImage shot = f.picAusgabe->grab().toImage();
    const QPoint cross = f.txtY->pos() + QPoint(f.txtY->width() - 4, 0);  // the line starts a little right of the edge
    QVERIFY(cross.x() > f.Line2->p1().x());
    const QPoint frame = cross * shot.devicePixelRatio();
    QCOMPARE(shot.pixelColor(frame), f.txtY->palette().color(QPalette::Text));
    QVERIFY(shot.pixelColor(frame) != f.Line2->colour());
  }

  void limitsAreCutToThreeAndTwoDecimals() {
    auto form = window();
    Form1Probe& f = *form;
    click(f.Command8);
    press(f, 1.2345678, 1.2);
    QCOMPARE(f.txtLinks->text(), QStringLiteral(" 1.234"));
    QCOMPARE(f.txtRechts->text(), QStringLiteral(" 2.734"));
  }

  // A shifted window keeps the single-precision rounding of its left limit.
  void shiftedLeftLimitShowsSinglePrecision() {
    auto form = window();
    Form1Probe& f = *form;
    f.txtLinks->setText("1.6");
    f.txtRechts->setText("3.11");  // half width 0.755: 2.345 + 0.755 = 3.1
    click(f.Command1);
    click(f.Command8);
    press(f, 2.345, 1);
    QCOMPARE(f.txtLinks->text(), QStringLiteral(" 2.24500002861023"));
    QCOMPARE(f.txtRechts->text(), QStringLiteral(" 3"));
  }

  void cutGoesTowardsMinusInfinity() {
    auto form = window();
    Form1Probe& f = *form;
    f.txtXMIN->setText("-.5");
    click(f.Command2);
    click(f.Command8);
    press(f, 1, -0.123);
    QCOMPARE(f.txtXMAX->text(), QStringLiteral("-.13"));
  }

  void anyButtonTakesTheWindow() {
    for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
      auto form = window();
      Form1Probe& f = *form;
      MessageBoxes boxes;
      click(f.Command8);
      press(f, 1, 1, button);
      QCOMPARE(f.txtLinks->text(), QStringLiteral(" 1"));
      QCOMPARE(f.txtRechts->text(), QStringLiteral(" 2.5"));
      QCOMPARE(f.auswahlAktiv, 0);
      QVERIFY(boxes.seen.isEmpty());
    }
  }

  void cancelLeavesEverythingAsItWas() {
    auto form = window();
    Form1Probe& f = *form;
    f.txtLinks->setText("1");
    click(f.Command8);
    f.txtLinks->setText("2");
    click(f.Command8);  // the second copy wins
    const QImage before = f.picAusgabe->image().copy();
    click(f.Command11);
    QCOMPARE(f.auswahlAktiv, 0);
    QVERIFY(f.shpAuswahl->isHidden());
    QCOMPARE(f.txtLinks->text(), QStringLiteral("2"));
    QVERIFY(f.picAusgabe->image() == before);
    click(f.Command10);
    QCOMPARE(f.txtLinks->text(), QStringLiteral(" 2"));
    QCOMPARE(f.fenster.links, 2.0);
  }

  void readoutFollowsTheCursor() {
    auto form = window();
    Form1Probe& f = *form;
    moveOn(f, 2.5, 0.75);
    QCOMPARE(f.txtp->text(), QStringLiteral(" 2.5"));
    QCOMPARE(f.txtY->text(), QStringLiteral(" .75"));
    QCOMPARE(f.txtHilfe->text(), QStringLiteral("p =  2.5  X =  .75") + kHint);
    QVERIFY(std::fabs(f.Line1->x1() - 2.5) < 1e-9 && std::fabs(f.Line1->x2() - 2.5) < 1e-9);
    QVERIFY(std::fabs(f.Line2->y1() - 0.75) < 1e-9);
    // txtp one hundredth of the p width right of the cursor, txtY level with it.
    QVERIFY(std::fabs(f.picAusgabe->childLeft(f.txtp) - 2.53) < 0.004);
    QVERIFY(std::fabs(f.picAusgabe->childTop(f.txtY) - 0.75) < 0.004);
    QVERIFY(f.txtY->isVisible() && f.Line2->isVisible());

    moveOn(f, 1, 0.1234567);
    QCOMPARE(f.txtY->text(), QStringLiteral(" .123"));
    QCOMPARE(f.txtHilfe->text(), QStringLiteral("p =  1  X =  .1234567") + kHint);
  }

  // On a touch screen (a tablet in the browser) the finger is the pointer:
  // moving it shows what the mouse shows there, and only a tap clicks.
  void aFingerHoversAndATapClicks() {
    static QPointingDevice* const finger = QTest::createTouchDevice();
    const QPoint from(200, 100), to(520, 300);
    auto mouseForm = window();
    Form1Probe& m = *mouseForm;
    QString readout, links;
    {
      MessageBoxes boxes;
      mouse(m.picAusgabe, QEvent::MouseMove, to);
      readout = m.txtHilfe->text();
      mouse(m.picAusgabe, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
      links = m.txtLinks->text();
    }
    mouseForm.reset();

    auto form = window();
    Form1Probe& f = *form;
    MessageBoxes boxes;
    QTest::touchEvent(f.picAusgabe, finger).press(0, from);
    QTest::touchEvent(f.picAusgabe, finger).move(0, to);
    QCOMPARE(f.txtHilfe->text(), readout);
    QVERIFY(f.txtY->isVisible() && f.Line2->isVisible());
    QTest::touchEvent(f.picAusgabe, finger).release(0, to);
    QCOMPARE(boxes.seen.size(), 0);  // a finger that moved sets no limit
    QTest::touchEvent(f.picAusgabe, finger).press(0, from);
    QTest::touchEvent(f.picAusgabe, finger).release(0, from + QPoint(2, 1));
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(boxes.seen[0].title, QStringLiteral("Intervall für p"));
    QCOMPARE(f.txtLinks->text(), links);
  }

  // A finger held still for half a second is a pressed button: lifted
  // there, it sets the right limit as a right click does; moved on and
  // lifted, it presses where it lifts, so a zoom window follows the finger
  // first and is taken where the finger leaves it, as the mouse takes it.
  // The comparison: the same with the mouse, in a window of its own.
  void aHeldFingerIsAPressedButton() {
    static QPointingDevice* const finger = QTest::createTouchDevice();
    const QPoint here(300, 120), there(480, 260);
    QString rechts, zoomed;
    {
      auto mouseForm = window();
      Form1Probe& m = *mouseForm;
      MessageBoxes boxes;
      mouse(m.picAusgabe, QEvent::MouseButtonPress, here, Qt::RightButton, Qt::RightButton);
      rechts = m.txtRechts->text();
      click(m.Command8);
      mouse(m.picAusgabe, QEvent::MouseMove, there);
      mouse(m.picAusgabe, QEvent::MouseButtonPress, there, Qt::LeftButton, Qt::LeftButton);
      QVERIFY(sweepToTheEnd(m));
      zoomed = m.txtLinks->text() + m.txtRechts->text() + m.txtXMIN->text() + m.txtXMAX->text();
    }
    auto form = window();
    Form1Probe& f = *form;
    MessageBoxes boxes;
    QTest::touchEvent(f.picAusgabe, finger).press(0, here);
    QTRY_VERIFY(f.picAusgabe->fingerHeld());
    QTest::touchEvent(f.picAusgabe, finger).release(0, here + QPoint(1, 1));
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(f.txtRechts->text(), rechts);

    click(f.Command8);
    QTest::touchEvent(f.picAusgabe, finger).press(0, here);
    QTRY_VERIFY(f.picAusgabe->fingerHeld());
    QTest::touchEvent(f.picAusgabe, finger).move(0, there);
    QVERIFY(f.shpAuswahl->isVisible());
    QCOMPARE(f.shpAuswahl->pos(), there);  // the window follows the finger
    QTest::touchEvent(f.picAusgabe, finger).release(0, there);
    QVERIFY(sweepToTheEnd(f));
    QCOMPARE(f.txtLinks->text() + f.txtRechts->text() + f.txtXMIN->text() + f.txtXMAX->text(), zoomed);
  }

  void leftPressSetsTheLeftLimit() {
    auto form = window();
    Form1Probe& f = *form;
    MessageBoxes boxes;
    f.txtXMAX->setText(" 1.2");
    press(f, 3.5699456, 1);
    QCOMPARE(f.txtLinks->text(), QStringLiteral(" 3.569"));
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(boxes.seen[0].title, QStringLiteral("Intervall für p"));
    QCOMPARE(boxes.seen[0].text, QStringLiteral("linke Intervallgrenze  3.569946"));
    QCOMPARE(boxes.seen[0].buttons, 1);
    QCOMPARE(boxes.seen[0].icon, QMessageBox::NoIcon);
    QCOMPARE(f.alt.links, 0.0);
    QCOMPARE(f.alt.xMax, 1.2);
    QCOMPARE(f.fenster.links, 0.0);  // not drawn until the next "Start"

    press(f, 2, 1, Qt::RightButton);
    QCOMPARE(f.txtRechts->text(), QStringLiteral(" 2"));
    QCOMPARE(boxes.seen.size(), 2);
    QCOMPARE(boxes.seen[1].text, QStringLiteral("rechte Intervallgrenze  2"));
    QCOMPARE(f.alt.rechts, 3.0);
  }

  void leftLimitBelowZeroIsCutDown() {
    auto form = window();
    Form1Probe& f = *form;
    MessageBoxes boxes;
    f.txtLinks->setText("-1");
    click(f.Command1);
    press(f, -0.0004, 1);
    QCOMPARE(f.txtLinks->text(), QStringLiteral("-.001"));
  }

  void middlePressOnlySavesTheXLimits() {
    auto form = window();
    Form1Probe& f = *form;
    MessageBoxes boxes;
    f.txtXMAX->setText(" 1.2");
    f.txtLinks->setText("2");
    press(f, 1, 1, Qt::MiddleButton);
    QVERIFY(boxes.seen.isEmpty());
    QCOMPARE(f.txtLinks->text(), QStringLiteral("2"));
    QCOMPARE(f.alt.xMax, 1.2);
    QCOMPARE(f.alt.links, 0.0);
  }

  void backRightAfterStartUp() {
    auto form = window();
    Form1Probe& f = *form;
    click(f.Command10);
    QCOMPARE(f.txtLinks->text(), QStringLiteral(" 0"));
    QCOMPARE(f.txtRechts->text(), QStringLiteral(" 3"));
    QCOMPARE(f.txtXMIN->text(), QStringLiteral(" 0"));
    QCOMPARE(f.txtXMAX->text(), QStringLiteral(" 1.5"));
    QCOMPARE(f.spalte, 1000);
    const QImage first = f.picAusgabe->image().copy();
    click(f.Command10);
    QVERIFY(f.picAusgabe->image() == first);  // never further back than one step
  }

  void backAfterALimitPressAndAfterAZoom() {
    auto form = window();
    Form1Probe& f = *form;
    MessageBoxes boxes;
    press(f, 1, 1);
    QCOMPARE(f.txtLinks->text(), QStringLiteral(" 1"));
    click(f.Command10);
    QCOMPARE(f.txtLinks->text(), QStringLiteral(" 0"));
    QCOMPARE(f.txtRechts->text(), QStringLiteral(" 3"));

    click(f.Command8);
    press(f, 1, 1.2);
    QCOMPARE(f.fenster.links, 1.0);
    click(f.Command8);
    press(f, 1.5, 1.1);
    QCOMPARE(f.fenster.links, 1.5);
    click(f.Command10);  // back to the window shown when "Fenster" was pressed
    QCOMPARE(f.fenster.links, 1.0);
    QCOMPARE(f.fenster.rechts, 2.5);
    QCOMPARE(f.fenster.xMax, 1.2);
  }

  void startWindowWithoutAndWithDiagram() {
    auto form = window();
    Form1Probe& f = *form;
    click(f.Command8);
    press(f, 1, 1.2);
    QVERIFY(hasYellow(f));
    QTest::mouseClick(f.window.menuBar(), Qt::LeftButton, {}, f.window.menuBar()->actionGeometry(f.cmdStart).center());
    QCOMPARE(f.txtLinks->text(), QStringLiteral("0"));
    QCOMPARE(f.txtRechts->text(), QStringLiteral("3"));
    QCOMPARE(f.txtXMIN->text(), QStringLiteral("0"));
    QCOMPARE(f.txtXMAX->text(), QStringLiteral(" 1.5"));
    QVERIFY(!hasYellow(f));
    QCOMPARE(f.fenster.xMax, 1.5);
    QCOMPARE(f.fenster.links, 1.0);  // the p scale changes only at the next "Start"

    click(f.Command9);
    auto fresh = window();
    click(fresh->Command1);
    QVERIFY(f.picAusgabe->image() == fresh->picAusgabe->image());
  }

  // A press that takes a window during a sweep runs a whole sweep in it; the
  // outer sweep then draws the column at the new right limit and ends.
  void zoomDuringASweep() {
    auto form = window();
    Form1Probe& f = *form;
    click(f.Command8);
    const auto atTheYield = atYield(100, [&] { press(f, 2, 1.2); });
    click(f.Command1);
    QCOMPARE(f.fenster.links, 1.5);
    QCOMPARE(f.spalte, 1001);
    QCOMPARE(f.p, 3.0);
  }

  void messageBoxHoldsTheSweep() {
    auto form = window();
    Form1Probe& f = *form;
    int spalteAtPress = -1, spalteWhileOpen = -2;
    MessageBoxes boxes;
    boxes.whileOpen = [&] { spalteWhileOpen = f.spalte; };
    const auto atTheYield = atYield(50, [&] {
      spalteAtPress = f.spalte;
      press(f, 1, 1);
    });
    click(f.Command1);
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(spalteWhileOpen, spalteAtPress);
    QCOMPARE(f.spalte, 1000);
    QCOMPARE(f.fenster.links, 0.0);  // the running sweep keeps the interval it read
  }
};

QTEST_MAIN(TestZoom)
#include "test_zoom.moc"
