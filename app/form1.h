// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The one window of the program. Its controls carry the names of the layout,
// its members are the state that all handlers share, and its member functions
// are the event handlers, defined in the folder of their subsystem:
//   app/      start-up, exit, the layout table
//   diagram/  frame and "x", the sweep "Start", pause and pen width, scroll bar
//   zoom/     "Fenster"/"X" selection, p limits by mouse, readout, history
//   help/     hover help line and the about box
#pragma once

#include <QMainWindow>
#include <cstdint>
#include <memory>
#include <variant>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace orbits {
class ColumnEngine;
}

namespace forms {
class LineShape;
class PictureBox;
class RectShape;
}  // namespace forms

class Form1 : public QMainWindow {
  Q_OBJECT

 public:
  explicit Form1(QWidget* parent = nullptr);
  ~Form1() override;

  // ---- Controls (see app/layout.cpp for their design values) ----
  forms::PictureBox *Picture1 = nullptr, *Picture2 = nullptr, *picAusgabe = nullptr;
  QRadioButton *optV = nullptr, *optR = nullptr;
  QLineEdit *Text1 = nullptr, *Text2 = nullptr, *Text3 = nullptr, *Text4 = nullptr, *Text5 = nullptr;
  QLineEdit *txtStart = nullptr, *txtXMIN = nullptr, *txtXMAX = nullptr, *txtVon = nullptr, *txtBis = nullptr;
  QLineEdit *txtVorlauf = nullptr, *txtStop = nullptr, *txtY = nullptr, *txtp = nullptr;
  QLineEdit *txtLinks = nullptr, *txtHilfe = nullptr, *txtRechts = nullptr;
  QScrollBar* HScroll1 = nullptr;
  QPushButton *Command1 = nullptr, *Command2 = nullptr, *Command3 = nullptr, *Command4 = nullptr;
  QPushButton *Command5 = nullptr, *Command6 = nullptr, *Command7 = nullptr, *Command8 = nullptr;
  QPushButton *Command9 = nullptr, *Command10 = nullptr, *Command11 = nullptr;
  QCheckBox* chkVorlauf = nullptr;
  QLabel* Label2 = nullptr;
  forms::LineShape *Line1 = nullptr, *Line2 = nullptr, *Line3 = nullptr, *Line4 = nullptr;
  forms::RectShape *shpAuswahl = nullptr, *Shape1 = nullptr, *Shape2 = nullptr;
  QAction *cmdStart = nullptr, *end = nullptr;

  // ---- Window state shared by the handlers ----
  double links = 0, rechts = 0, xMin = 0, xMax = 0;              // the window on display
  double altLinks = 0, altRechts = 0, altXMin = 0, altXMax = 0;  // the saved window ("zurück")
  std::int16_t strich = 0;                                       // pen width of the plotted points
  std::int32_t auswahlAktiv = 0;                                 // 1 while a zoom selection is open
  double lauf = 0;                                               // tick counter of the frame

  // ---- The sweep's own members; they keep their values after a run ----
  double startwert = 0, schritt = 0, p = 0, bestand = 0;
  std::int32_t spalte = 0;
  std::int64_t iteration = 0;  // 64 bits: the loop runs up to and past a 32-bit "bis"

  // True once the program has been told to end; every yield checks it.
  bool beendet = false;

  // Computes the sweep's columns ahead on worker threads.
  std::unique_ptr<orbits::ColumnEngine> rechenwerk;

  // ---- Event handlers ----
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

  // The label pass of the frame, over a strip 1/teiler of the width
  // (diagram/frame.cpp); a sweep ends with it.
  void beschriftung(int teiler);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Layout (app/layout.cpp).
  void createControls();
  void connectEvents();

  // Frame (diagram/frame.cpp).
  void setzeKoordinaten();
  void gitter();
  void tickLabel(double t);

  // Yield to the event loop; false once the program is ending.
  bool yield();

  // Zoom (zoom/).
  void fensterNehmen(float x, float y);
  void grenzeSetzen(int button, float x);
  void anzeige(float x, float y);

  // Help (help/help.cpp).
  void hilfe(QObject* control);
  QString hilfeSatz(const QObject* control) const;  // the sentence, or empty
  void sprechendeNamen();
  void hilfeFenster();
};
