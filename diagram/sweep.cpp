// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// "Start": the bifurcation sweep. The p interval is divided into 1000
// columns; in each, an orbit starts at the start value, the chosen growth law
// is iterated bis + 1 times, and the iterates after von are plotted at their
// height X. The event loop runs between columns, so any handler, a second
// sweep included, can run nested in this one at those points. The orbits
// themselves are iterated ahead by worker threads (orbits/columnengine.h);
// this thread takes the columns in order, draws them and serves events.
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <cmath>

#include "app/form1.h"
#include "forms/overlays.h"
#include "forms/picturebox.h"
#include "forms/runtime.h"
#include "orbits/columnengine.h"
#include "support/numbers.h"
#include "support/palette.h"

using support::numberFromText;
using support::paletteColor;
using support::toSingle;

namespace {

constexpr int kRed = 4;
// A wait for a column ends at least this often, for the paced repaints.
constexpr int kFrameMs = 16;

// Counters are whole numbers: "counter > von" holds from floor(von) + 1 on,
// "counter < n" below ceil(n). Far beyond any 32-bit counter is the same as
// never.
constexpr double kNever = 0x1p62;
std::int64_t firstAbove(double von) { return von >= kNever ? std::int64_t(kNever) : std::int64_t(std::floor(von)) + 1; }
std::int64_t countBelow(double n) {
  return n <= 0 ? 0 : n >= kNever ? std::int64_t(kNever) : std::int64_t(std::ceil(n));
}

// Whatever ends a run, nothing it asked for is computed any further.
struct StopAtEnd {
  orbits::ColumnEngine& engine;
  ~StopAtEnd() { engine.stop(); }
};

}  // namespace

void Form1::Command1_Click() {
  // Start of a run. The surface repaints first a frame's time from here, so
  // a sweep of a few milliseconds shows once, at its end.
  picAusgabe->hold();
  if (!yield()) return;
  txtStop->setText(QStringLiteral("0"));
  double von = numberFromText(txtVon->text());
  std::int32_t bis = support::roundToInt32(numberFromText(txtBis->text()));
  if (von < 0) von = 0;
  if (bis <= von) bis = support::roundToInt32(von + 1);
  txtVon->setText(support::qTextFromDouble(von));
  txtBis->setText(support::qTextFromDouble(bis));
  startwert = HScroll1->value() / 100.0;
  links = numberFromText(txtLinks->text());
  rechts = numberFromText(txtRechts->text());
  xMax = numberFromText(txtXMAX->text());
  xMin = numberFromText(txtXMIN->text());
  setzeKoordinaten();
  // The workers start on the first columns while the grid is drawn.
  schritt = (rechts - links) / 1000;
  const std::int64_t gelbAb = firstAbove(von);
  // What the current column draws, from the state as it stands now.
  auto inputs = [&] {
    orbits::ColumnRun run;
    run.settings.startwert = startwert;
    run.settings.steps = std::int64_t{bis} + 1;
    run.settings.vorlaufBis =
        chkVorlauf->checkState() == Qt::Checked ? countBelow(numberFromText(txtVorlauf->text())) : 0;
    run.settings.gelbAb = gelbAb;
    run.settings.normiert = optR->isChecked();
    run.settings.verhulst = optV->isChecked();
    run.settings.thin = int(picAusgabe->penPixels(1));
    run.settings.pen = int(picAusgabe->penPixels(strich));
    run.settings.mapping = picAusgabe->pixelMapping();
    run.links = links;
    run.schritt = schritt;
    return run;
  };
  const StopAtEnd stopAtEnd{*rechenwerk};
  orbits::ColumnRun run = inputs();
  rechenwerk->prepare(run, 0);

  // Grid, and the thick line just above X = 0.
  gitter();
  picAusgabe->setDrawWidth(3);
  picAusgabe->line(toSingle(links), 0.01f, toSingle(rechts), 0.01f, paletteColor(kRed));
  picAusgabe->setDrawWidth(1);

  // Columns. links and schritt are read afresh for each one; a sweep nested
  // in a yield leaves spalte at 1000, so this one then computes the column
  // at the right limit and ends.
  // The marker and the pen are set when someone can see them: before events
  // are processed (a handler may read, move or draw with them, a repaint
  // shows the marker) and at the end, so that after every column they stand
  // as that column leaves them, whatever a mouse move did meanwhile.
  bool owed = false;
  int pen = 1;  // the pen width the last column left
  auto settle = [&] {
    picAusgabe->setDrawWidth(pen);
    const float column = toSingle(p);
    Line1->setX1(column);
    Line1->setX2(column);
    picAusgabe->setChildLeft(txtp, column);
    txtp->setText(support::localeText(p));
    owed = false;
  };
  // Serves the window's events. What a handler does there counts as done
  // just before the column at hand, which is then drawn from the new state.
  auto serve = [&](auto&& process) {
    if (owed) settle();
    picAusgabe->pace();  // the surface and its marker repaint at most about 60 times a second
    process();
    picAusgabe->hold();
    run = inputs();
    return !beendet;
  };
  for (spalte = 0; spalte <= 999; ++spalte) {
    bool paused = false;
    while (txtStop->text() == QLatin1String("1")) {
      if (owed) settle();
      picAusgabe->release();
      rechenwerk->hold();
      forms::waitForEvents();
      if (beendet) return;
      paused = true;
    }
    // The yield before each column; between columns that take microseconds
    // it runs once a millisecond (see forms::eventsDue).
    if (spalte == 0 || paused || forms::eventsDue()) {
      if (!serve([&] { yield(); })) return;
    }
    p = links + spalte * schritt;
    // While the column is computed, the window answers; the marker shows
    // the column in work, and the paced repaints go on.
    orbits::ColumnPixels column;
    while (!(column = rechenwerk->take(run, spalte))) {
      settle();
      if (!serve([] { forms::waitForEventsFor(kFrameMs); })) return;
      p = links + spalte * schritt;
    }
    if (column.x >= 0)
      picAusgabe->drawStrip(column.firstX(), column.strips, column.height, column.rows(), column.stride());
    bestand = column.bestand;
    iteration = std::int64_t{bis} + 1;
    // Every lead-in or orbit point sets the pen back to 1 after itself.
    pen = run.settings.vorlaufBis > 0 || bis >= gelbAb ? 1 : strich;
    owed = true;
  }
  if (owed) settle();

  // End of the run: labels over a strip 1/36 of the width.
  beschriftung(36);
  picAusgabe->release();
}
