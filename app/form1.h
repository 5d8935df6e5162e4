// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The one window of the program. Its controls carry the names of the layout
// (app/controls.h); its private members are the state that all handlers
// share and the pieces that do the work, each in the folder of its
// subsystem, none of which knows this class:
//   diagram/  the frame and "x", the sweep "Start", pause, pen width, scroll bar
//   zoom/     "Fenster"/"X" selection, p limits by mouse, readout, history
//   help/     hover help line and the about box
//   inspector/  the lesson windows that "B", "L" and "F" open
// Each event handler is one line that hands the event to its piece; the
// keys beyond the layout are in app/keys.cpp.
#pragma once

#include <QMainWindow>
#include <memory>

#include "app/controls.h"
#include "diagram/frame.h"
#include "diagram/pause.h"
#include "diagram/pen.h"
#include "diagram/sweep.h"
#include "help/hover.h"
#include "zoom/zoom.h"

namespace orbits {
class ColumnEngine;
}
namespace inspector {
class OrbitWindow;
class LyapunovWindow;
class FeigenbaumWindow;
}  // namespace inspector
namespace analysis {
struct OrbitSettings;
}

struct Form1Probe;

class Form1 : public QMainWindow {
  Q_OBJECT

 public:
  explicit Form1(QWidget* parent = nullptr);
  ~Form1() override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  friend struct Form1Probe;  // the tests' one way in, read-only

  Ui::Form1 ui;  // first: every piece below takes its controls from it

  Grenzen fenster;  // the window on display
  // True once the program has been told to end; every yield checks it.
  bool beendet = false;

  diagram::Frame frame;
  diagram::PenWidth pen;
  diagram::Pause pause;
  // Computes the sweep's columns ahead on worker threads.
  std::unique_ptr<orbits::ColumnEngine> rechenwerk;
  diagram::Sweep sweep;
  zoom::Zoom zoom;
  help::HoverHelp hilfe;

  diagram::InputBoxes inputBoxes() const;

  // Event handlers.
  void Form_Load();
  void end_Click();
  void Command1_Click();   // "Start": the sweep
  void Command2_Click();   // "x": clear and frame
  void Command3_Click();   // "1"
  void Command4_Click();   // "2"
  void Command5_Click();   // "S"
  void Command6_Click();   // "W"
  void Command7_Click();   // "i": about box
  void Command8_Click();   // "Fenster"
  void Command9_Click();   // "max"
  void Command10_Click();  // "zurück"
  void Command11_Click();  // "X"
  void cmdStart_Click();   // "Startfenster"
  void HScroll1_Change();
  void picAusgabe_MouseDown(int button, int shift, float x, float y);
  void picAusgabe_MouseMove(int button, int shift, float x, float y);

  void connectEvents();

  // Keys (app/keys.cpp). They work wherever the focus is in the window,
  // except in a text box for the keys it types and copies with.
  inspector::OrbitWindow* bahnFenster = nullptr;             // made at the first "B"; a window of its own
  inspector::LyapunovWindow* lyapunovFenster = nullptr;      // made at the first "L"
  inspector::FeigenbaumWindow* feigenbaumFenster = nullptr;  // made at the first "F"
  void tastenVerbinden();
  void bahnZeigen();
  void lyapunovZeigen();
  void feigenbaumZeigen();
  void bildKopieren();
  void bildSpeichern();
  void druckbildSpeichern();
  double markerSpalte() const;
  analysis::OrbitSettings bahnEinstellungen(double bahnP) const;
};
