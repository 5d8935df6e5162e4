// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The controls of the window as one table: name, container, design text,
// place and size in twips, colours, font, keyboard order, the sentence of
// the help line and the name a screen reader speaks. A loop turns the rows
// into widgets (app/layout.cpp); the hover help, the spoken names and the
// tests iterate the same rows.
#pragma once

#include <QRgb>
#include <QString>
#include <variant>
#include <vector>

#include "app/controls.h"
#include "support/palette.h"

class QWidget;

namespace layout {

using Member = std::variant<forms::PictureBox * Ui::Form1::*, QRadioButton * Ui::Form1::*, QLineEdit * Ui::Form1::*,
                            QScrollBar * Ui::Form1::*, QPushButton * Ui::Form1::*, QCheckBox * Ui::Form1::*,
                            QLabel * Ui::Form1::*, forms::LineShape * Ui::Form1::*, forms::RectShape * Ui::Form1::*>;

enum class In { W, P1, P2, PA };  // the window or one of the three picture boxes

enum Flag : unsigned {
  ReadOnly = 1,  // the user cannot type into it
  Flat = 2,      // a plain single-line frame
  NoBorder = 4,
  Center = 8,
  Right = 16,
  Selected = 32,  // option button selected, check box checked
  Hidden = 64,
  Bold = 128,
  Caption = 256,  // a fixed caption: no inner margin, and room for its whole text
};

// Colours: 0 is the toolkit's default for the kind of control; kWindowBack
// and kWindowText are the desktop's colours for the background and the text
// of a window (white and black on a default desktop), as the theme has them
// when the window is made.
constexpr QRgb kDefault = 0;
constexpr QRgb kWindowText = 1;
constexpr QRgb kWindowBack = 2;
using support::kBlack, support::kLavender, support::kLightYellow, support::kNavy, support::kOrange, support::kPaleCyan,
    support::kPaleYellow, support::kSalmon, support::kViolet, support::kWhite;
constexpr QRgb kPaletteRed = support::paletteColour(support::kRed);

// Font: a size in points of "Times New Roman", 0 for the window's default
// font, -1 for a control without text.
struct Row {
  Member member;
  const char* name;
  In in;
  QString text;                  // the design text; a null string for none
  int left, top, width, height;  // twips; for a line the end points x1, y1, x2, y2
  QRgb back, fore;
  double points;
  unsigned flags;
  int tab;  // -1: not in the keyboard order
  // The sentence a mouse move over the control writes into the help line
  // (nullptr: none), and what a screen reader says for it where neither
  // that sentence nor its caption says it (nullptr: one of those).
  const char* help;
  const char* spoken;
};

const std::vector<Row>& rows();

// The control a row made.
QWidget* widget(const Ui::Form1& ui, const Row& row);

}  // namespace layout
