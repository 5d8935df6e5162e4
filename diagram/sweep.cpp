// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "diagram/sweep.h"

#include <QElapsedTimer>
#include <QLineEdit>

#include "diagram/frame.h"
#include "diagram/pause.h"
#include "diagram/pen.h"
#include "forms/overlays.h"
#include "forms/picturebox.h"
#include "forms/runtime.h"
#include "orbits/columnengine.h"
#include "support/numbers.h"
#include "support/palette.h"

namespace diagram {

using support::kColumns;
using support::toSingle;

namespace {

std::function<void(std::int32_t)>& beforeColumn() {
  static std::function<void(std::int32_t)> hook;
  return hook;
}

}  // namespace

// One run of the sweep, with what it read at its start; the record it
// writes is the sweep's, shared with any run nested in this one.
class Sweep::Run {
 public:
  explicit Run(Sweep& sweep) : ui(sweep.m_ui), w(sweep.m_window), r(sweep.m_record) {}
  ~Run() { w.engine.stop(); }  // whatever ends a run, nothing it asked for is computed further
  Run(const Run&) = delete;
  Run& operator=(const Run&) = delete;

  void run();

 private:
  bool yield();
  bool begin();
  orbits::ColumnRun inputs() const;
  bool waitWhilePaused(bool& paused);
  enum class Serve { Yield, WaitForColumn };
  bool serveEvents(Serve how);
  bool waitForColumn(orbits::ColumnPixels& column);
  void drawColumn(const orbits::ColumnPixels& column);
  void settleMarker();

  const Controls& ui;
  const Window& w;
  Record& r;
  orbits::Iteration started;  // as the run read it at its start
  orbits::ColumnRun current;  // what the column at hand draws, from the state as it stands now
  // The marker and the pen are set when someone can see them: before events
  // are processed and at the end. `owed` says a column has moved on since.
  bool owed = false;
  int pen = 1;  // the pen width the last column left
};

Sweep::Sweep(const Controls& controls, const Window& window) : m_ui(controls), m_window(window) {
  // Where the engine computes the columns on this thread (no threads), the
  // window is served meanwhile, the surface repainted at most once a frame;
  // "S" holds the computation there, as it holds the workers elsewhere.
  m_window.engine.setYield([this] {
    forms::PictureBox* surface = m_ui.picAusgabe;
    surface->pace();
    forms::waitForEventsFor(0);
    while (m_window.pause.held() && !m_window.beendet) {
      surface->release();
      forms::waitForEvents();
    }
    surface->hold();
  });
}

void Sweep::run() { Run(*this).run(); }

support::Restore Sweep::setBeforeColumnHook(std::function<void(std::int32_t)> hook) {
  return support::exchangeHook(beforeColumn(), std::move(hook));
}

void Sweep::Run::run() {
  QElapsedTimer took;
  took.start();
  if (!begin()) return;
  // links and the column width are read afresh for each column; a sweep
  // nested in a yield leaves spalte at kColumns, so this one then computes
  // the column at the right limit and ends.
  for (r.spalte = 0; r.spalte < kColumns; ++r.spalte) {
    bool paused = false;
    if (!waitWhilePaused(paused)) return;
    if (auto& hook = beforeColumn()) hook(r.spalte);
    // The yield before each column; between columns that take microseconds
    // it runs once a millisecond (see forms::eventsDue), and always before
    // the last, so that a click during a sweep is handled inside it.
    if (r.spalte == 0 || r.spalte == kColumns - 1 || paused || forms::eventsDue()) {
      if (!serveEvents(Serve::Yield)) return;
    }
    r.p = w.fenster.spalteP(r.spalte);
    orbits::ColumnPixels column;
    if (!waitForColumn(column)) return;
    drawColumn(column);
  }
  if (owed) settleMarker();
  forms::reportTime("Start", double(took.nsecsElapsed()) / 1e6);

  // End of the run: labels over a strip 1/36 of the width.
  w.frame.beschriftung(w.fenster, 36);
  ui.picAusgabe->release();
}

// Lets the toolkit process pending events; false once the program is ending.
bool Sweep::Run::yield() {
  if (w.beendet) return false;
  forms::doEvents();
  return !w.beendet;
}

// Reads the inputs, sets the workers on the first columns and draws the grid
// meanwhile. False if the program ends in the first yield.
bool Sweep::Run::begin() {
  // The surface repaints first a frame's time from here, so a sweep of a few
  // milliseconds shows once, at its end.
  ui.picAusgabe->hold();
  if (!yield()) return false;
  w.pause.resume();
  const orbits::StartSettings read = readStart(ui.inputs);
  started = read;
  ui.inputs.txtVon->setText(support::qTextFromDouble(read.von));
  ui.inputs.txtBis->setText(support::qTextFromDouble(double(read.bis)));
  r.startwert = read.startwert;
  w.fenster = read.fenster;
  w.frame.setzeKoordinaten(w.fenster);
  current = inputs();
  w.engine.prepare(current, 0);

  // Grid, and the thick line just above X = 0.
  w.frame.gitter(w.fenster);
  w.frame.grundlinie(w.fenster);
  r.drawn = false;
  return true;
}

// The start value and the counts stay as the run read them; the lead-in, the
// growth form, the pen and the window on display are taken as they stand.
orbits::ColumnRun Sweep::Run::inputs() const {
  const orbits::StartSettings now = readStart(ui.inputs);
  orbits::ColumnRun run;
  static_cast<orbits::Iteration&>(run.settings) = started;
  run.settings.vorlaufBis = now.vorlaufBis;
  run.settings.normiert = now.normiert;
  run.settings.verhulst = now.verhulst;
  run.settings.thin = int(ui.picAusgabe->penPixels(1));
  run.settings.pen = int(ui.picAusgabe->penPixels(w.pen.strich()));
  run.settings.mapping = ui.picAusgabe->pixelMapping();
  run.links = w.fenster.links;
  run.schritt = w.fenster.schritt();
  return run;
}

// While the pause holds, the workers stand still and the window sleeps until
// an event comes. False once the program ends.
bool Sweep::Run::waitWhilePaused(bool& paused) {
  while (w.pause.held()) {
    if (owed) settleMarker();
    ui.picAusgabe->release();
    w.engine.hold();
    forms::waitForEvents();
    if (w.beendet) return false;
    paused = true;
  }
  return true;
}

// What a handler does here counts as done just before the column at hand,
// which is then drawn from the new state. False once the program ends.
bool Sweep::Run::serveEvents(Serve how) {
  if (owed) settleMarker();
  ui.picAusgabe->pace();  // the surface and its marker repaint at most once a frame
  if (how == Serve::Yield)
    yield();
  else  // ends at least once a frame, for the paced repaints; at once where the engine computes here
    forms::waitForEventsFor(orbits::ColumnEngine::computesHere() ? 0 : forms::kFrameMs);
  ui.picAusgabe->hold();
  current = inputs();
  return !w.beendet;
}

// While the column is computed, the window answers; the marker shows the
// column in work, and the paced repaints go on.
bool Sweep::Run::waitForColumn(orbits::ColumnPixels& column) {
  while (!(column = w.engine.take(current, r.spalte))) {
    settleMarker();
    if (!serveEvents(Serve::WaitForColumn)) return false;
    r.p = w.fenster.spalteP(r.spalte);
  }
  return true;
}

void Sweep::Run::drawColumn(const orbits::ColumnPixels& column) {
  if (column.x >= 0)
    ui.picAusgabe->drawStrip(column.firstX(), column.strips, column.height, column.rows(), column.stride());
  r.bestand = column.bestand;
  r.drawn = true;
  r.iteration = current.settings;
  r.strich = w.pen.strich();
  // Every lead-in or orbit point sets the pen back to 1 after itself.
  pen = current.settings.vorlaufBis > 0 || started.bis >= started.gelbAb ? 1 : w.pen.strich();
  owed = true;
}

void Sweep::Run::settleMarker() {
  ui.picAusgabe->setDrawWidth(pen);
  const float column = toSingle(r.p);
  ui.Line1->setX1(column);
  ui.Line1->setX2(column);
  ui.picAusgabe->setChildLeft(ui.txtp, column);
  ui.txtp->setText(support::localeText(r.p));
  owed = false;
}

}  // namespace diagram
