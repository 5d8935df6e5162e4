// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The window's life: its pieces made and its events wired, start-up, the
// handlers that hand each event to its piece, and the end.
#include "app/form1.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "app/layout.h"
#include "forms/overlays.h"
#include "forms/picturebox.h"
#include "forms/runtime.h"
#include "orbits/columnengine.h"

namespace {

// The help sentences and spoken names, as the layout table gives them.
std::vector<help::HoverHelp::Entry> helpEntries(const Ui::Form1& ui) {
  std::vector<help::HoverHelp::Entry> entries;
  for (const layout::Row& row : layout::rows())
    entries.push_back({layout::widget(ui, row), QString::fromUtf8(row.help ? row.help : ""),
                       QString::fromUtf8(row.spoken ? row.spoken : "")});
  return entries;
}

}  // namespace

Form1::Form1(QWidget* parent)
    : QMainWindow(parent),
      ui(createControls(*this)),
      frame(ui.picAusgabe),
      pen(ui.Text1),
      pause(ui.txtStop),
      rechenwerk(std::make_unique<orbits::ColumnEngine>()),
      sweep({ui.picAusgabe, ui.Line1, ui.txtp, inputBoxes()}, {fenster, pen, pause, frame, *rechenwerk, beendet}),
      zoom({inputBoxes().limits, ui.shpAuswahl, {ui.picAusgabe, ui.Line1, ui.Line2, ui.txtp, ui.txtY, ui.txtHilfe}},
           fenster, this, {[this] { Command2_Click(); }, [this] { Command1_Click(); }}),
      hilfe({centralWidget(), ui.txtHilfe, ui.txtY, ui.Line2, ui.Command1, ui.txtVon}, helpEntries(ui), this) {
  connectEvents();
  tastenVerbinden();
  Form_Load();
}

Form1::~Form1() = default;

diagram::InputBoxes Form1::inputBoxes() const {
  return {{ui.txtLinks, ui.txtRechts, ui.txtXMIN, ui.txtXMAX},
          ui.txtVon,
          ui.txtBis,
          ui.txtVorlauf,
          ui.chkVorlauf,
          ui.HScroll1,
          ui.optR,
          ui.optV};
}

void Form1::connectEvents() {
  const std::pair<QPushButton*, void (Form1::*)()> clicks[] = {
      {ui.Command1, &Form1::Command1_Click},   {ui.Command2, &Form1::Command2_Click},
      {ui.Command3, &Form1::Command3_Click},   {ui.Command4, &Form1::Command4_Click},
      {ui.Command5, &Form1::Command5_Click},   {ui.Command6, &Form1::Command6_Click},
      {ui.Command7, &Form1::Command7_Click},   {ui.Command8, &Form1::Command8_Click},
      {ui.Command9, &Form1::Command9_Click},   {ui.Command10, &Form1::Command10_Click},
      {ui.Command11, &Form1::Command11_Click},
  };
  for (auto [button, handler] : clicks) connect(button, &QPushButton::clicked, this, handler);
  connect(ui.cmdStart, &QAction::triggered, this, &Form1::cmdStart_Click);
  connect(ui.end, &QAction::triggered, this, &Form1::end_Click);
  // The two option buttons are one stop of the keyboard: Tab and Shift+Tab
  // land on the selected one, the arrow keys move between them.
  auto oneStop = [this] {
    for (QRadioButton* option : {ui.optR, ui.optV})
      option->setFocusPolicy(option->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
  };
  connect(ui.optR, &QRadioButton::toggled, this, oneStop);
  oneStop();
  // Tracking keeps the value changing while the thumb is dragged.
  connect(ui.HScroll1, &QScrollBar::valueChanged, this, &Form1::HScroll1_Change);
  connect(ui.picAusgabe, &forms::PictureBox::mouseDown, this, &Form1::picAusgabe_MouseDown);
  connect(ui.picAusgabe, &forms::PictureBox::mouseMove, this, &Form1::picAusgabe_MouseMove);

  // Mouse moves: a control without tracking swallows them, so they never
  // reach the control behind it; one with tracking must not pass them on.
  for (QWidget* w : centralWidget()->findChildren<QWidget*>()) w->setAttribute(Qt::WA_NoMousePropagation);
  ui.picAusgabe->setMouseTracking(true);
}

void Form1::Form_Load() {
  fenster = inputBoxes().limits.read();
  frame.setzeKoordinaten(fenster);
  ui.Line1->setX1(fenster.links);
  ui.Line1->setX2(fenster.links);
  ui.picAusgabe->setChildLeft(ui.txtp, fenster.links);
  pen.reset();
  frame.gitter(fenster);
  frame.beschriftung(fenster, 40);
  zoom.startUp();
}

// "Programm beenden": ends at once. A sweep running or paused further down
// the stack sees the flag at its next yield and returns without drawing.
void Form1::end_Click() {
  beendet = true;
  hide();
  forms::endProgram();
}

// Closing from the title bar ends the program the same way.
void Form1::closeEvent(QCloseEvent* event) {
  beendet = true;
  forms::endProgram();
  event->accept();
}

void Form1::Command1_Click() { sweep.run(); }
void Form1::Command2_Click() {
  frame.x(fenster, inputBoxes().limits);
  sweep.cleared();
}
void Form1::Command3_Click() { pen.choose(1); }
void Form1::Command4_Click() { pen.choose(2); }
void Form1::Command5_Click() { pause.halt(); }
void Form1::Command6_Click() { pause.resume(); }
void Form1::Command7_Click() { help::about(this); }
void Form1::Command8_Click() { zoom.fenster(); }
void Form1::Command9_Click() { zoom.max(); }
void Form1::Command10_Click() { zoom.zurueck(); }
void Form1::Command11_Click() { zoom.abbrechen(); }
void Form1::cmdStart_Click() { zoom.startfenster(); }
void Form1::HScroll1_Change() { diagram::showStartValue(ui.HScroll1, ui.txtStart); }
void Form1::picAusgabe_MouseDown(int button, int /*shift*/, float x, float y) { zoom.mouseDown(button, x, y); }
void Form1::picAusgabe_MouseMove(int /*button*/, int /*shift*/, float x, float y) { zoom.mouseMove(x, y); }
