// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The frame, the sweep, pause and pen width, and the start-value scroll bar,
// checked on the pixels of the drawing surface against orbits computed here.
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <bit>
#include <limits>
#include <vector>

#include "fixture.h"
#include "forms/export.h"
#include "forms/overlays.h"
#include "orbits/columns.h"

using namespace fixture;

namespace {

using support::kCyan;
using support::kLightCyan;
using support::kRed;
using support::kYellow;

// The ticks of the frame: 0, 0.1, ... by repeated addition, 15 of them.
std::vector<double> ticks() {
  std::vector<double> t;
  for (double lauf = 0; lauf <= 1.5; lauf += 0.1) t.push_back(lauf);
  return t;
}

using oracle::orbit;

// The p of column `spalte` of the window on display.
double columnP(const Form1Probe& f, int spalte) {
  return f.fenster.links + spalte * ((f.fenster.rechts - f.fenster.links) / orbits::kColumns);
}

std::set<int> rowsFor(const Form1Probe& f, const std::vector<double>& xs, std::size_t from, std::size_t to) {
  std::set<int> rows;
  for (std::size_t k = from; k <= to; ++k) rows.insert(row(f, xs[k]));
  return rows;
}

// The points of a sweep of `columns` columns over the window, each drawn as
// a block of `pen` pixels (`thin` for the lead-in) centred on its pixel, in
// the colour drawn last: the one-orbit loop, column after column.
std::vector<std::uint32_t> sweepPoints(const Grenzen& w, int columns, int height, int thin, int pen, int vorlauf,
                                       int gelbAb, int bis) {
  std::vector<std::uint32_t> points(std::size_t(columns) * std::size_t(height), 0);
  auto block = [&](long x, long y, int size, std::uint32_t colour) {
    if (x < 0 || y < 0) return;
    for (long i = x - (size - 1) / 2; i < x - (size - 1) / 2 + size; ++i)
      for (long j = y - (size - 1) / 2; j < y - (size - 1) / 2 + size; ++j)
        if (i >= 0 && i < columns && j >= 0 && j < height)
          points[std::size_t(j) * std::size_t(columns) + std::size_t(i)] = colour;
  };
  for (int k = 0; k < columns; ++k) {
    const double p = w.links + k * ((w.rechts - w.links) / columns);
    const long x = oracle::pixel(p, w.links, w.rechts, columns);
    const std::vector<double> xs = orbit(p, 0.1, bis + 1, true);
    auto row = [&](double v) { return oracle::pixel(v, w.xMax, w.xMin, height); };
    block(x, row(xs[0]), pen, rgb(kCyan));
    for (int c = 0; c <= bis; ++c) {
      if (c < vorlauf) block(x, row(xs[std::size_t(c) + 1]), thin, rgb(kCyan));
      if (c >= gelbAb) block(x, row(xs[std::size_t(c) + 1]), pen, rgb(kYellow));
    }
  }
  return points;
}

}  // namespace

class TestDiagram : public QObject {
  Q_OBJECT

 private slots:
  void frameOfTheStartWindow() {
    auto form = window();
    const Form1Probe& f = *form;
    const QImage& image = f.picAusgabe->image();
    QCOMPARE(image.size(), QSize(800, 480));
    QCOMPARE(ticks().size(), std::size_t(15));
    std::set<int> gridRows;
    for (double t : ticks()) gridRows.insert(row(f, t));
    QVERIFY(gridRows.count(479));  // X = 0, on the bottom edge
    // Red rows across the width exactly at the ticks: none at X = 1.5.
    for (int y = 0; y < image.height(); ++y) QCOMPARE(at(f, 400, y) == rgb(kRed), gridRows.count(y) == 1);
    QVERIFY(at(f, 400, row(f, 1.5)) != rgb(kRed));

    // The label strip is 1/40 of the width, red, from X = 0 to 1.5.
    const int free = row(f, 0.05);
    QCOMPARE(at(f, 0, free), rgb(kRed));
    QCOMPARE(at(f, 800 / 40 - 1, free), rgb(kRed));
    QVERIFY(at(f, 800 / 40, free) != rgb(kRed));

    // A light-cyan label at the left edge for every tick above 0 (its glyphs
    // are smoothed into the red strip at their edges).
    auto lightCyan = [](QRgb c) { return qRed(c) < 100 && qGreen(c) > 200 && qBlue(c) > 200; };
    QVERIFY(lightCyan(rgb(kLightCyan)));
    for (double t : ticks()) {
      if (t == 0) continue;
      bool found = false;
      for (int y = row(f, t); y < row(f, t) + 12 && !found; ++y)
        for (int x = 0; x < 20 && !found; ++x) found = lightCyan(at(f, x, y));
      QVERIFY2(found, qPrintable(QString::number(t)));
    }
  }

  // The diagram in the colours of the classic 16-colour palette: the orbit
  // points yellow (255, 255, 0), the start value and the lead-in cyan
  // (0, 128, 128), the grid and the label strip red (128, 0, 0), the
  // strip's labels light cyan (0, 255, 255). At p = 1.5 the orbit runs from
  // 0.1 through 0.235 up to the fixed point 1.
  void theDiagramsColours() {
    auto form = window();
    Form1Probe& f = *form;
    click(f.Command1);
    const int c = column(f, 1.5);
    QCOMPARE(at(f, c, row(f, 1.0)), 0xFFFFFF00u);
    QCOMPARE(at(f, c, row(f, 0.1)), 0xFF008080u);
    QCOMPARE(at(f, c, row(f, 0.235)), 0xFF008080u);
    QCOMPARE(at(f, c, row(f, 1.4)), 0xFF800000u);
    QCOMPARE(at(f, 0, row(f, 0.05)), 0xFF800000u);
    int lightCyan = 0;
    for (int y = 0; y < 480; ++y)
      for (int x = 0; x < 800 / 36; ++x) lightCyan += at(f, x, y) == 0xFF00FFFFu;
    QVERIFY(lightCyan > 0);
  }

  // Ctrl+Shift+S after a sweep: the width and the colours asked for, then
  // the diagram drawn anew 3000 pixels wide with a column of orbits for
  // every pixel column, and saved. Its points are those of the one-orbit
  // loop at p = links + k (rechts - links) / 3000, with the pen of a screen
  // at its own size (1 or 2 pixels), in the screen's colours or the
  // printer's (yellow black, cyan grey, the ground white); no point's colour
  // is anywhere else right of the label strip. The frame is in proportion.
  void thePrintPicture_data() {
    QTest::addColumn<bool>("printer");
    QTest::addColumn<int>("strich");
    QTest::newRow("screen") << false << 1;
    QTest::newRow("printer, pen 2") << true << 2;
  }
  void thePrintPicture() {
    QFETCH(bool, printer);
    QFETCH(int, strich);
    auto form = window();
    Form1Probe& f = *form;
    click(strich == 2 ? f.Command4 : f.Command3);
    click(f.Command1);
    QTemporaryDir folder;
    QString suggested;
    const auto names = forms::setFileNameHook([&](const QString& name) {
      suggested = name;
      return folder.filePath(name);
    });
    f.Command1->setFocus();
    QTest::keyClick(f.Command1, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    QDialog* options = nullptr;
    QTRY_VERIFY((options = f.window.findChild<QDialog*>()) && options->isVisible());
    QCOMPARE(options->findChild<QSpinBox*>("width")->value(), 3000);
    click(options->findChild<QRadioButton*>(printer ? "printer" : "screen"));
    click(options->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok));
    QTRY_VERIFY_WITH_TIMEOUT(!suggested.isEmpty(), 120000);
    QCOMPARE(suggested, QStringLiteral("feigenbaum_p0-3_x0-1.5_3000px.png"));
    const QImage picture = QImage(folder.filePath(suggested)).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(picture.size(), QSize(3000, 1800));

    const std::vector<std::uint32_t> points = sweepPoints(f.fenster, 3000, 1800, 1, strich, 12, 101, 200);
    auto printed = [&](std::uint32_t c) {
      if (!printer) return c;
      return c == rgb(kYellow) ? 0xFF000000u : c == rgb(kCyan) ? 0xFF909090u : c;
    };
    const std::uint32_t yellow = printed(rgb(kYellow)), cyan = printed(rgb(kCyan));
    int checked = 0;
    for (int y = 0; y < 1800; ++y)
      for (int x = 3000 / 36 + 8; x < 3000; ++x) {
        const std::uint32_t expected = points[std::size_t(y) * 3000 + std::size_t(x)];
        const QRgb seen = picture.pixel(x, y);
        if (expected) {
          ++checked;
          if (seen != printed(expected)) QFAIL(qPrintable(QStringLiteral("pixel %1, %2").arg(x).arg(y)));
        } else if (seen == yellow || seen == cyan) {
          QFAIL(qPrintable(QStringLiteral("a point at %1, %2 where the loop has none").arg(x).arg(y)));
        }
      }
    QVERIFY(checked > 20000);
    // The ground, and a grid line at X = 1.4 in proportion: 3000 / 800 = 3.75
    // times the screen's pixel, so 4 rows thick.
    QCOMPARE(picture.pixel(1000, 100), printer ? 0xFFFFFFFFu : 0xFF000040u);
    const int grid = int(oracle::pixel(1.4, 1.5, 0, 1800));
    int thick = 0;
    for (int y = grid - 6; y <= grid + 6; ++y) thick += picture.pixel(1500, y) == (printer ? 0xFFC0C0C0u : 0xFF800000u);
    QCOMPARE(thick, 4);
  }

  void xReframesWithNewXLimitsAndTheOldPScale() {
    auto form = window();
    Form1Probe& f = *form;
    f.txtXMAX->setText(" 1");
    f.txtXMIN->setText(" .5");
    f.txtLinks->setText("2");  // typed, not yet drawn: the p scale stays
    click(f.Command2);
    QCOMPARE(f.fenster.xMax, 1.0);
    QCOMPARE(f.fenster.xMin, 0.5);
    QCOMPARE(f.fenster.links, 0.0);
    std::set<int> gridRows;
    for (double t : ticks())
      if (t >= 0.5 && t <= 1) gridRows.insert(row(f, t));
    // Ticks reach the surface in single precision: 0.6 lies a little above
    // 0.6 and falls into row 383, not 384.
    QCOMPARE(gridRows, (std::set<int>{479, 383, 288, 191, 96, 0}));
    for (int y = 0; y < 480; ++y) QCOMPARE(at(f, 400, y) == rgb(kRed), gridRows.count(y) == 1);
    QCOMPARE(at(f, 19, row(f, 0.55)), rgb(kRed));  // strip 1/40 of the unchanged p width
    QVERIFY(at(f, 20, row(f, 0.55)) != rgb(kRed));
  }

  // p = 1.5, normalised: the orbit settles on the fixed point X = 1.
  void fixedPointColumns() {
    for (bool normiert : {true, false}) {
      auto form = window();
      Form1Probe& f = *form;
      if (!normiert) click(f.optV);
      QVERIFY(sweepToTheEnd(f));
      const double p = columnP(f, 500);
      QCOMPARE(p, 1.5);
      const int col = column(f, p);
      const double fix = normiert ? 1.0 : p / (p + 1);
      // Columns 500 and 501 share this pixel column; both settle on `fix`.
      QCOMPARE(rowsOf(f, col, rgb(kYellow)), std::set<int>{row(f, fix)});
    }
  }

  // A column alone in its pixel column, at normalised p = 2.3: a 2-cycle.
  void periodTwoColumn() {
    auto form = window();
    Form1Probe& f = *form;
    f.txtLinks->setText("1.796");
    f.txtRechts->setText("2.796");
    click(f.Command1);
    const double p = columnP(f, 504);
    QVERIFY(std::fabs(p - 2.3) < 1e-12);
    const int col = column(f, p);
    QVERIFY(column(f, columnP(f, 503)) != col && column(f, columnP(f, 505)) != col);

    // The 2-cycle of X -> X (1 + p (1 - X)): with r = 1 + p and y = X p / r
    // it is the logistic y -> r y (1 - y), whose 2-cycle is
    // y = (r + 1 +- sqrt((r + 1)(r - 3))) / (2 r).
    const double r = 1 + p;
    std::set<int> cycle;
    for (double sign : {1.0, -1.0})
      cycle.insert(row(f, (r + 1 + sign * std::sqrt((r + 1) * (r - 3))) / (2 * r) * r / p));
    QCOMPARE(cycle.size(), std::size_t(2));
    QCOMPARE(rowsOf(f, col, rgb(kYellow)), cycle);

    // Lead-in points X0 ... X12 are cyan where nothing yellow covers them.
    const auto xs = orbit(p, 0.1, 12, true);
    std::set<int> leadIn = rowsFor(f, xs, 0, 12);
    for (int y : cycle) leadIn.erase(y);
    QCOMPARE(rowsOf(f, col, rgb(kCyan)), leadIn);
  }

  void withoutLeadInOnlyTheStartValueIsCyan() {
    auto form = window();
    Form1Probe& f = *form;
    f.txtLinks->setText("1.796");
    f.txtRechts->setText("2.796");
    click(f.chkVorlauf);
    QVERIFY(!f.chkVorlauf->isChecked());
    click(f.Command1);
    const double p = columnP(f, 504);
    const int col = column(f, p);
    QCOMPARE(rowsOf(f, col, rgb(kCyan)), std::set<int>{row(f, 0.1)});
    const auto xs = orbit(p, 0.1, 201, true);
    QCOMPARE(rowsOf(f, col, rgb(kYellow)), rowsFor(f, xs, 102, 201));
  }

  // Yellow from counter von + 1 on: X(floor(von) + 2) ... X(bis + 1).
  void yellowPointsFollowVonAndBis() {
    auto form = window();
    Form1Probe& f = *form;
    f.txtLinks->setText("1.796");
    f.txtRechts->setText("2.796");
    f.txtVon->setText("2.5");
    f.txtBis->setText("2");
    click(f.chkVorlauf);
    click(f.Command1);
    QCOMPARE(f.txtBis->text(), QStringLiteral(" 4"));
    const double p = columnP(f, 504);
    const auto xs = orbit(p, 0.1, 5, true);
    QCOMPARE(rowsOf(f, column(f, p), rgb(kYellow)), rowsFor(f, xs, 4, 5));
  }

  // clang-format off
  void vonAndBisAreCorrectedAndWrittenBack_data() {
    QTest::addColumn<QString>("von");
    QTest::addColumn<QString>("bis");
    QTest::addColumn<QString>("vonAfter");
    QTest::addColumn<QString>("bisAfter");
    QTest::newRow("defaults") << "100" << "200" << " 100" << " 200";
    QTest::newRow("negative von") << "-5" << "200" << " 0" << " 200";
    QTest::newRow("bis below von") << "100" << "50" << " 100" << " 101";
    QTest::newRow("von + 1 rounds to even") << "2.5" << "2" << " 2.5" << " 4";
    QTest::newRow("bis 200.5") << "100" << "200.5" << " 100" << " 200";
    QTest::newRow("bis 201.5") << "100" << "201.5" << " 100" << " 202";
    QTest::newRow("empty von") << "" << "3" << " 0" << " 3";
    QTest::newRow("bis beyond 32 bits") << "0" << "2147483648" << " 0" << " 2147483647";
  }
  // clang-format on

  void vonAndBisAreCorrectedAndWrittenBack() {
    QFETCH(QString, von);
    QFETCH(QString, bis);
    QFETCH(QString, vonAfter);
    QFETCH(QString, bisAfter);
    auto form = window();
    form->txtVon->setText(von);
    form->txtBis->setText(bis);
    // Huge runs are cut short: the program ends at the first column.
    const auto atTheYield = atYield(2, [&] { form->end->trigger(); });
    click(form->Command1);
    QCOMPARE(form->txtVon->text(), vonAfter);
    QCOMPARE(form->txtBis->text(), bisAfter);
  }

  void markerAndReadoutTravelWithTheSweep() {
    auto form = window();
    Form1Probe& f = *form;
    double seenMarker = -1;
    QString seenText;
    const auto atTheYield = atYield(502, [&] {  // the yield before column 500, after column 499 was drawn
      seenMarker = f.Line1->x1();
      seenText = f.txtp->text();
    });
    click(f.Command1);
    QCOMPARE(float(seenMarker), float(columnP(f, 499)));
    QCOMPARE(seenText, support::localeText(columnP(f, 499)));
    QCOMPARE(f.txtp->text(), support::localeText(columnP(f, 999)));  // the last column: 2.997
  }

  // A second sweep inside the first: the first then draws the column at
  // links + 1000 schritt, the right limit, and its label pass.
  void sweepNestedInASweep() {
    auto form = window();
    Form1Probe& f = *form;
    f.txtLinks->setText("0");
    f.txtRechts->setText("2.5");
    const auto atTheYield = atYield(50, [&] { click(f.Command1); });
    click(f.Command1);
    QCOMPARE(f.spalte, 1001);
    QCOMPARE(f.p, 2.5);
    const int col = column(f, 2.5);  // the right edge: the last pixel column
    QCOMPARE(col, 799);
    const auto xs = orbit(2.5, 0.1, 201, true);
    const std::set<int> yellow = rowsOf(f, col, rgb(kYellow));
    for (int y : rowsFor(f, xs, 102, 201)) QVERIFY(yellow.count(y));
    // The label pass: a strip 1/36 of the width.
    QCOMPARE(at(f, 21, row(f, 0.05)), rgb(kRed));
    QVERIFY(at(f, 22, row(f, 0.05)) != rgb(kRed));
  }

  void pauseAndResume() {
    // The picture of an undisturbed run.
    auto plain = window();
    click(plain->Command1);
    const QImage reference = plain->picAusgabe->image();

    auto form = window();
    Form1Probe& f = *form;
    int yields = 0, spalteAtPause = -1, spalteBeforeResume = -2;
    bool unchangedWhilePaused = false;
    QImage atPause;
    const auto yieldHook = forms::setDoEventsHook([&] {
      ++yields;
      if (yields == 300) click(f.Command5);  // "S"
      if (yields == 310) {
        spalteAtPause = f.spalte;
        atPause = f.picAusgabe->image().copy();
      }
      if (yields == 400) {
        spalteBeforeResume = f.spalte;
        unchangedWhilePaused = f.picAusgabe->image() == atPause;
        click(f.Command6);  // "W"
      }
    });
    click(f.Command1);
    QCOMPARE(f.txtStop->text(), QStringLiteral("0"));
    // Yield 1 starts the run and yield k + 2 precedes column k: "S" came at
    // column 298, which was finished, and the sweep waited before 299.
    QCOMPARE(spalteAtPause, 299);
    QCOMPARE(spalteBeforeResume, spalteAtPause);  // nothing computed or drawn while paused
    QVERIFY(unchangedWhilePaused);
    QCOMPARE(f.spalte, 1000);
    QVERIFY(f.picAusgabe->image() == reference);
  }

  void typingOneIntoTxtStopPauses() {
    auto form = window();
    Form1Probe& f = *form;
    int yields = 0, held = -1, resumedAt = -2;
    const auto yieldHook = forms::setDoEventsHook([&] {
      ++yields;
      if (yields == 100) {
        f.txtStop->selectAll();
        QTest::keyClicks(f.txtStop, "1");
        held = f.spalte;
      }
      if (yields == 150) {
        resumedAt = f.spalte;
        f.txtStop->clear();
      }
    });
    click(f.Command1);
    QCOMPARE(resumedAt, held + 1);  // the column in progress was finished
    QCOMPARE(f.spalte, 1000);
    QVERIFY(yields > 150);
  }

  void pauseBeforeStartHasNoEffect() {
    auto form = window();
    click(form->Command5);
    QCOMPARE(form->txtStop->text(), QStringLiteral("1"));
    QVERIFY(sweepToTheEnd(*form));
    QCOMPARE(form->txtStop->text(), QStringLiteral("0"));
  }

  // "2" in the middle of a run: from the next column on, start value and
  // orbit points are 2 pixels wide; lead-in points stay 1 pixel wide.
  void penWidthFromTheNextColumn() {
    auto form = window();
    Form1Probe& f = *form;
    const auto atTheYield = atYield(600, [&] { click(f.Command4); });  // before column 598
    click(f.Command1);
    QCOMPARE(f.strich(), std::int16_t(2));
    QCOMPARE(f.Text1->text(), QStringLiteral("2"));
    // Column 300 (p = 0.9): one-pixel fixed point X = 1 in its own pixel column.
    const int thin = column(f, columnP(f, 300));
    QCOMPARE(at(f, thin, row(f, 1.0)), rgb(kYellow));
    QVERIFY(at(f, thin + 1, row(f, 1.0)) != rgb(kYellow) || column(f, columnP(f, 301)) == thin + 1);
    QVERIFY(at(f, thin, row(f, 1.0) + 1) != rgb(kYellow));
    // Column 700 (p = 2.1, a 2-cycle): two pixels wide and high.
    const int wide = column(f, columnP(f, 700));
    const int y = row(f, orbit(columnP(f, 700), 0.1, 201, true)[201]);
    QCOMPARE(at(f, wide, y), rgb(kYellow));
    QCOMPARE(at(f, wide, y + 1), rgb(kYellow));
    // The start value X0 = 0.1: two pixels wide, cyan.
    QCOMPARE(at(f, wide, row(f, 0.1) + 1), rgb(kCyan));
    // Typing into Text1 does not change the width.
    QTest::keyClicks(f.Text1, "7");
    QCOMPARE(f.strich(), std::int16_t(2));
  }

  void scrollBarShowsTheStartValue() {
    auto form = window();
    Form1Probe& f = *form;
    f.HScroll1->setValue(1);
    QCOMPARE(f.txtStart->text(), support::localeText(0.01));
    f.HScroll1->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(f.HScroll1->value(), 2);
    f.HScroll1->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(f.HScroll1->value(), 3);
    f.HScroll1->setValue(0);
    QCOMPARE(f.HScroll1->value(), 1);  // the value 0 cannot be chosen
    // A click in the trough steps by one; a middle click does not jump there.
    const QPoint trough(f.HScroll1->width() - 20, f.HScroll1->height() / 2);
    QTest::mouseClick(f.HScroll1, Qt::LeftButton, {}, trough);
    QCOMPARE(f.HScroll1->value(), 2);
    QTest::mouseClick(f.HScroll1, Qt::MiddleButton, {}, trough);
    QCOMPARE(f.HScroll1->value(), 2);
    // Dragging: the text follows the thumb while it moves.
    f.HScroll1->setSliderDown(true);
    f.HScroll1->setSliderPosition(25);
    QCOMPARE(f.txtStart->text(), support::localeText(0.25));
    f.HScroll1->setSliderDown(false);
    click(f.Command1);
    QCOMPARE(f.startwert, 0.25);
    const int col = column(f, columnP(f, 504));
    QCOMPARE(at(f, col, row(f, 0.25)), rgb(kCyan));
  }

  // p beyond the double range: the orbit leaves it at once, and the sweep
  // ends on the value the loop over one orbit ends with, bit for bit, after
  // the stretches of lead-in, of nothing and of orbit points.
  void infiniteGrowthEndsAsTheOneOrbitLoop() {
    auto form = window();
    Form1Probe& f = *form;
    f.txtLinks->setText("-1e999");
    f.txtRechts->setText("1e999");
    f.txtVorlauf->setText("1");
    click(f.Command1);
    const double links = -std::numeric_limits<double>::max(), rechts = std::numeric_limits<double>::max();
    const double p = links + 999 * ((rechts - links) / orbits::kColumns);
    double bestand = 0.1;
    for (int iteration = 0; iteration <= 200; ++iteration) bestand = oracle::step(bestand, p, true);
    QCOMPARE(f.spalte, 1000);
    QCOMPARE(std::bit_cast<std::uint64_t>(f.bestand), std::bit_cast<std::uint64_t>(bestand));
  }

  void divergingOrbitSkipsTheRestOfItsColumn() {
    auto form = window();
    Form1Probe& f = *form;
    f.txtLinks->setText("9");
    f.txtRechts->setText("10");
    click(f.Command1);
    QVERIFY(!std::isfinite(f.bestand));
  }
};

QTEST_MAIN(TestDiagram)
#include "test_diagram.moc"
