// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// "Start": the bifurcation sweep, one run of it. The p interval is divided
// into orbits::kColumns columns; in each, an orbit starts at the start value,
// the chosen growth law is iterated bis + 1 times, and the iterates after
// von are plotted at their height X. The event loop runs between columns, so
// any handler, a second sweep included, can run nested in this one at those
// points. The orbits themselves are iterated ahead by worker threads
// (orbits/columnengine.h); this thread takes the columns in order, draws
// them and serves events.
#pragma once

#include <cstdint>
#include <functional>

#include "orbits/columnengine.h"

class Form1;
namespace Ui {
struct Form1;
}

class Sweep {
 public:
  explicit Sweep(Form1& form);
  ~Sweep();  // whatever ends a run, nothing it asked for is computed further
  Sweep(const Sweep&) = delete;
  Sweep& operator=(const Sweep&) = delete;

  void run();

  // What a run reads from the boxes, as it reads them (without writing them
  // back): von at least 0 and bis a 32-bit count above it, the first counter
  // drawn yellow, and the number of lead-in points (0 unless checked).
  struct Counts {
    double von = 0;
    std::int32_t bis = 0;
    std::int64_t gelbAb = 0;
  };
  static Counts counts(const Ui::Form1& ui);
  static std::int64_t leadIn(const Ui::Form1& ui);

  // For tests: called on the window's thread before each column is taken,
  // with its number, while set.
  static void setBeforeColumnHook(std::function<void(std::int32_t)> hook);

 private:
  bool begin();
  orbits::ColumnRun inputs() const;
  bool waitWhilePaused(bool& paused);
  enum class Serve { Yield, WaitForColumn };
  bool serveEvents(Serve how);
  bool waitForColumn(orbits::ColumnPixels& column);
  void drawColumn(const orbits::ColumnPixels& column);
  void settleMarker();

  Form1& f;
  Ui::Form1& ui;
  std::int32_t bis = 0;
  std::int64_t gelbAb = 0;
  orbits::ColumnRun current;  // what the column at hand draws, from the state as it stands now
  // The marker and the pen are set when someone can see them: before events
  // are processed and at the end. `owed` says a column has moved on since.
  bool owed = false;
  int pen = 1;  // the pen width the last column left
};
