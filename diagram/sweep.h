// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// "Start": the bifurcation sweep. The p interval is divided into kColumns
// columns; in each, an orbit starts at the start value, the chosen growth law
// is iterated bis + 1 times, and the iterates after von are plotted at their
// height X. The event loop runs between columns, so any handler, a second
// sweep included, can run nested in this one at those points. The orbits
// themselves are iterated ahead by worker threads (orbits/columnengine.h);
// this thread takes the columns in order, draws them and serves events.
#pragma once

#include <cstdint>
#include <functional>

#include "diagram/settings.h"
#include "support/restore.h"

namespace forms {
class LineShape;
class PictureBox;
}  // namespace forms
namespace orbits {
class ColumnEngine;
}

namespace diagram {

class Frame;
class Pause;
class PenWidth;

class Sweep {
 public:
  // The controls the sweep reads and moves.
  struct Controls {
    forms::PictureBox* picAusgabe = nullptr;
    forms::LineShape* Line1 = nullptr;  // the column marker
    QLineEdit* txtp = nullptr;          // the marker's p
    InputBoxes inputs;
  };
  // What it shares with the window it draws in: the window on display,
  // which it sets at its start and whose p limits later columns follow, the
  // pen width and the pause, the frame, the engine, and the flag that the
  // program is ending.
  struct Window {
    Grenzen& fenster;
    const PenWidth& pen;
    Pause& pause;
    Frame& frame;
    orbits::ColumnEngine& engine;
    const bool& beendet;
  };
  // Where the last run stands, written only by the sweep: its start value,
  // the column in hand (kColumns once finished), its p, and the orbit value
  // the last column drawn ended with. A sweep nested in another leaves it
  // at the end, and the outer one then ends too. And what the last column
  // drawn was computed with (its iteration and pen), for a picture drawn
  // anew at another size; `drawn` until a new run or "x" clears the picture.
  struct Record {
    double startwert = 0;
    std::int32_t spalte = 0;
    double p = 0;
    double bestand = 0;
    bool drawn = false;
    orbits::Iteration iteration;
    std::int16_t strich = 1;
  };

  Sweep(const Controls& controls, const Window& window);

  void run();
  const Record& record() const { return m_record; }
  // "x" has cleared the picture.
  void cleared() { m_record.drawn = false; }

  // For tests: called on the window's thread before each column is taken,
  // with its number, while the guard lives.
  static support::Restore setBeforeColumnHook(std::function<void(std::int32_t)> hook);

 private:
  class Run;

  Controls m_ui;
  Window m_window;
  Record m_record;
};

}  // namespace diagram
