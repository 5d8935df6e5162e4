// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The controls of the window under their layout names, held as a
// designer-made form holds them: one struct, filled once from the layout
// table (app/layout.cpp) by createControls and never changed after.
#pragma once

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMainWindow;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace forms {
class LineShape;
class PictureBox;
class RectShape;
}  // namespace forms

namespace Ui {

struct Form1 {
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
  // The menu bar's two commands.
  QAction *cmdStart = nullptr, *end = nullptr;
};

}  // namespace Ui

// Makes the window's controls, its menu and its central widget from the
// layout table, and returns them.
Ui::Form1 createControls(QMainWindow& window);
