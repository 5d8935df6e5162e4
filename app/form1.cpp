// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The window's life: controls and events wired, start-up, and the end.
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

Form1::Form1(QWidget* parent) : QMainWindow(parent), rechenwerk(std::make_unique<orbits::ColumnEngine>()) {
  createControls();
  connectEvents();
  tastenVerbinden();
  sprechendeNamen();
  Form_Load();
}

Form1::~Form1() = default;

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
  centralWidget()->setMouseTracking(true);
  centralWidget()->installEventFilter(this);
  // The controls that explain themselves in the help line.
  for (const layout::Row& row : layout::rows()) {
    if (!row.help) continue;
    QWidget* control = layout::widget(ui, row);
    control->setMouseTracking(true);
    control->installEventFilter(this);
  }
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseMove) {
    if (watched == centralWidget())
      hilfeFenster();
    else
      hilfe(watched);
  }
  return QMainWindow::eventFilter(watched, event);
}

void Form1::Form_Load() {
  fenster = Grenzen::read(ui);
  setzeKoordinaten();
  ui.Line1->setX1(fenster.links);
  ui.Line1->setX2(fenster.links);
  ui.picAusgabe->setChildLeft(ui.txtp, fenster.links);
  strich = 1;
  gitter();
  beschriftung(40);
  alt = {0, 3, 0, 1.5};
}

// "Programm beenden": ends at once. A sweep running or paused further down
// the stack sees the flag at its next yield and returns without drawing.
void Form1::end_Click() {
  beendet = true;
  hide();
  QCoreApplication::quit();
}

// Closing from the title bar ends the program the same way.
void Form1::closeEvent(QCloseEvent* event) {
  beendet = true;
  QCoreApplication::quit();
  event->accept();
}

bool Form1::yield() {
  if (beendet) return false;
  forms::doEvents();
  return !beendet;
}
