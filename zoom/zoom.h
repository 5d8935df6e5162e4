// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The zoom and the limits by mouse, working through the four limit boxes:
// "Fenster" opens a selection and the next press on the surface takes a
// window half as wide and half as high and draws it; "X" cancels; outside a
// selection a left or right press sets a p limit, confirmed in a message
// box, drawn from the next "Start". "zurück" draws the saved window again,
// "Startfenster" puts the start window into the boxes and frames it, "max"
// draws it. Every move over the surface shows the cursor readout.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>

#include "diagram/settings.h"
#include "zoom/cuts.h"
#include "zoom/history.h"
#include "zoom/readout.h"

class QWidget;
namespace forms {
class RectShape;
}

namespace zoom {

class Zoom {
 public:
  struct Controls {
    diagram::LimitBoxes limits;
    forms::RectShape* shpAuswahl = nullptr;
    Readout::Controls readout;
  };
  // The clicks of "x" and "Start", which these commands perform.
  struct Performs {
    std::function<void()> x, start;
  };

  // The window on display is the owner's; the zoom only reads it.
  Zoom(const Controls& controls, const Grenzen& fenster, QWidget* messageParent, Performs performs);

  void fenster();       // "Fenster"
  void abbrechen();     // "X"
  void zurueck();       // "zurück"
  void startfenster();  // "Startfenster"
  void max();           // "max"
  void mouseMove(float x, float y);
  void mouseDown(int button, float x, float y);

  // At start-up: the start window is the saved one.
  void startUp() { m_history.save(orbits::kStartFenster); }
  const History& history() const { return m_history; }
  // 1 while a selection is open.
  const std::int32_t& auswahlAktiv() const { return m_auswahlAktiv; }

 private:
  void write(const LimitTexts& texts);
  void take(float x, float y);
  void setLimit(int button, float x);

  Controls m_ui;
  const Grenzen& m_fenster;
  QWidget* m_parent;
  Performs m_performs;
  History m_history;
  Readout m_readout;
  std::int32_t m_auswahlAktiv = 0;
};

}  // namespace zoom
