// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "diagram/sweep.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <cmath>

#include "app/form1.h"
#include "forms/overlays.h"
#include "forms/picturebox.h"
#include "forms/runtime.h"
#include "support/numbers.h"
#include "support/palette.h"

using support::numberFromText;
using support::paletteColor;
using support::toSingle;

namespace {

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

std::function<void(std::int32_t)>& beforeColumn() {
  static std::function<void(std::int32_t)> hook;
  return hook;
}

}  // namespace

void Form1::Command1_Click() { Sweep(*this).run(); }

void Sweep::setBeforeColumnHook(std::function<void(std::int32_t)> hook) { beforeColumn() = std::move(hook); }

Sweep::Sweep(Form1& form) : f(form), ui(form.ui) {}

Sweep::~Sweep() { f.rechenwerk->stop(); }

void Sweep::run() {
  if (!begin()) return;
  // links and schritt are read afresh for each column; a sweep nested in a
  // yield leaves spalte at kColumns, so this one then computes the column
  // at the right limit and ends.
  for (f.spalte = 0; f.spalte < orbits::kColumns; ++f.spalte) {
    bool paused = false;
    if (!waitWhilePaused(paused)) return;
    if (auto& hook = beforeColumn()) hook(f.spalte);
    // The yield before each column; between columns that take microseconds
    // it runs once a millisecond (see forms::eventsDue), and always before
    // the last, so that a click during a sweep is handled inside it.
    if (f.spalte == 0 || f.spalte == orbits::kColumns - 1 || paused || forms::eventsDue()) {
      if (!serveEvents(Serve::Yield)) return;
    }
    f.p = f.fenster.links + f.spalte * f.schritt;
    orbits::ColumnPixels column;
    if (!waitForColumn(column)) return;
    drawColumn(column);
  }
  if (owed) settleMarker();

  // End of the run: labels over a strip 1/36 of the width.
  f.beschriftung(36);
  ui.picAusgabe->release();
}

// Reads the inputs, sets the workers on the first columns and draws the grid
// meanwhile. False if the program ends in the first yield.
bool Sweep::begin() {
  // The surface repaints first a frame's time from here, so a sweep of a few
  // milliseconds shows once, at its end.
  ui.picAusgabe->hold();
  if (!f.yield()) return false;
  ui.txtStop->setText(QStringLiteral("0"));
  const Counts read = counts(ui);
  bis = read.bis;
  gelbAb = read.gelbAb;
  ui.txtVon->setText(support::qTextFromDouble(read.von));
  ui.txtBis->setText(support::qTextFromDouble(bis));
  f.startwert = ui.HScroll1->value() / 100.0;
  f.fenster = Grenzen::read(ui);
  f.setzeKoordinaten();
  f.schritt = f.fenster.schritt();
  current = inputs();
  f.rechenwerk->prepare(current, 0);

  // Grid, and the thick line just above X = 0.
  f.gitter();
  ui.picAusgabe->setDrawWidth(3);
  ui.picAusgabe->line(toSingle(f.fenster.links), 0.01f, toSingle(f.fenster.rechts), 0.01f, paletteColor(support::kRed));
  ui.picAusgabe->setDrawWidth(1);
  return true;
}

Sweep::Counts Sweep::counts(const Ui::Form1& ui) {
  Counts read;
  read.von = std::max(numberFromText(ui.txtVon->text()), 0.0);
  read.bis = support::roundToInt32(numberFromText(ui.txtBis->text()));
  if (read.bis <= read.von) read.bis = support::roundToInt32(read.von + 1);
  read.gelbAb = firstAbove(read.von);
  return read;
}

std::int64_t Sweep::leadIn(const Ui::Form1& ui) {
  return ui.chkVorlauf->checkState() == Qt::Checked ? countBelow(numberFromText(ui.txtVorlauf->text())) : 0;
}

orbits::ColumnRun Sweep::inputs() const {
  orbits::ColumnRun run;
  run.settings.startwert = f.startwert;
  run.settings.steps = std::int64_t{bis} + 1;
  run.settings.vorlaufBis = leadIn(ui);
  run.settings.gelbAb = gelbAb;
  run.settings.normiert = ui.optR->isChecked();
  run.settings.verhulst = ui.optV->isChecked();
  run.settings.thin = int(ui.picAusgabe->penPixels(1));
  run.settings.pen = int(ui.picAusgabe->penPixels(f.strich));
  run.settings.mapping = ui.picAusgabe->pixelMapping();
  run.links = f.fenster.links;
  run.schritt = f.schritt;
  return run;
}

// While the pause holds, the workers stand still and the window sleeps until
// an event comes. False once the program ends.
bool Sweep::waitWhilePaused(bool& paused) {
  while (f.angehalten()) {
    if (owed) settleMarker();
    ui.picAusgabe->release();
    f.rechenwerk->hold();
    forms::waitForEvents();
    if (f.beendet) return false;
    paused = true;
  }
  return true;
}

// What a handler does here counts as done just before the column at hand,
// which is then drawn from the new state. False once the program ends.
bool Sweep::serveEvents(Serve how) {
  if (owed) settleMarker();
  ui.picAusgabe->pace();  // the surface and its marker repaint at most about 60 times a second
  if (how == Serve::Yield)
    f.yield();
  else
    forms::waitForEventsFor(kFrameMs);
  ui.picAusgabe->hold();
  current = inputs();
  return !f.beendet;
}

// While the column is computed, the window answers; the marker shows the
// column in work, and the paced repaints go on.
bool Sweep::waitForColumn(orbits::ColumnPixels& column) {
  while (!(column = f.rechenwerk->take(current, f.spalte))) {
    settleMarker();
    if (!serveEvents(Serve::WaitForColumn)) return false;
    f.p = f.fenster.links + f.spalte * f.schritt;
  }
  return true;
}

void Sweep::drawColumn(const orbits::ColumnPixels& column) {
  if (column.x >= 0)
    ui.picAusgabe->drawStrip(column.firstX(), column.strips, column.height, column.rows(), column.stride());
  f.bestand = column.bestand;
  f.iteration = std::int64_t{bis} + 1;
  // Every lead-in or orbit point sets the pen back to 1 after itself.
  pen = current.settings.vorlaufBis > 0 || bis >= gelbAb ? 1 : f.strich;
  owed = true;
}

void Sweep::settleMarker() {
  ui.picAusgabe->setDrawWidth(pen);
  const float column = toSingle(f.p);
  ui.Line1->setX1(column);
  ui.Line1->setX2(column);
  ui.picAusgabe->setChildLeft(ui.txtp, column);
  ui.txtp->setText(support::localeText(f.p));
  owed = false;
}
