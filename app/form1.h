// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The one window of the program. Its controls carry the names of the layout
// (app/controls.h), its private members are the state that all handlers
// share, and its member functions are the event handlers, defined in the
// folder of their subsystem:
//   app/      start-up, exit, the layout table
//   diagram/  frame and "x", the sweep "Start", pause and pen width, scroll bar
//   zoom/     "Fenster"/"X" selection, p limits by mouse, readout, history
//   help/     hover help line and the about box
//   app/keys.cpp  the keys beyond the layout: "B" opens the orbit window
//             (inspector/), Ctrl+C and Ctrl+S take the diagram's picture
#pragma once

#include <QMainWindow>
#include <cstdint>
#include <memory>

#include "app/controls.h"
#include "app/grenzen.h"

namespace orbits {
class ColumnEngine;
}
namespace inspector {
class OrbitWindow;
struct OrbitSettings;
}  // namespace inspector

class Sweep;
struct Form1Probe;

class Form1 : public QMainWindow {
  Q_OBJECT

 public:
  explicit Form1(QWidget* parent = nullptr);
  ~Form1() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  friend class Sweep;        // "Start" (diagram/sweep.cpp)
  friend struct Form1Probe;  // the tests' one way in

  Ui::Form1 ui;

  Grenzen fenster;                // the window on display
  Grenzen alt;                    // the saved window ("zurück")
  std::int16_t strich = 0;        // pen width of the plotted points
  std::int32_t auswahlAktiv = 0;  // 1 while a zoom selection is open
  double lauf = 0;                // tick counter of the frame

  // The sweep's own members; they keep their values after a run.
  double startwert = 0, schritt = 0, p = 0, bestand = 0;
  std::int32_t spalte = 0;
  std::int64_t iteration = 0;  // 64 bits: the loop runs up to and past a 32-bit "bis"

  // True once the program has been told to end; every yield checks it.
  bool beendet = false;

  // Computes the sweep's columns ahead on worker threads.
  std::unique_ptr<orbits::ColumnEngine> rechenwerk;

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

  // Layout (app/layout.cpp).
  void createControls();
  void connectEvents();

  // Frame (diagram/frame.cpp).
  void setzeKoordinaten();
  void gitter();
  void tickLabel(double t);
  // The label pass, over a strip 1/teiler of the width; a sweep ends with it.
  void beschriftung(int teiler);

  // Pause (diagram/pause.cpp): whether the sweep is held before its next column.
  bool angehalten() const;

  // Yield to the event loop; false once the program is ending.
  bool yield();

  // Zoom (zoom/). The window history: what the four boxes show is saved for
  // "zurück", and written back into them.
  void fensterSichern();
  void fensterZurueckholen();
  void fensterNehmen(float x, float y);
  void grenzeSetzen(int button, float x);
  void anzeige(float x, float y);

  // Keys (app/keys.cpp). They work wherever the focus is in the window,
  // except in a text box for the keys it types and copies with.
  inspector::OrbitWindow* bahnFenster = nullptr;  // made at the first "B"; a window of its own
  void tastenVerbinden();
  void bahnZeigen();
  void bildKopieren();
  void bildSpeichern();
  double markerSpalte() const;
  inspector::OrbitSettings bahnEinstellungen(double bahnP) const;

  // Help (help/help.cpp).
  void hilfe(QObject* control);
  QString hilfeSatz(const QObject* control) const;  // the sentence, or empty
  void sprechendeNamen();
  void hilfeFenster();
};
