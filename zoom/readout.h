// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The cursor readout on the drawing surface: the column marker Line1 and the
// horizontal crosshair Line2 follow the pointer, txtp and txtY beside them
// say p and X, and the help line says both and what a press does.
#pragma once

#include "support/grenzen.h"

class QLineEdit;
namespace forms {
class LineShape;
class PictureBox;
}  // namespace forms

namespace zoom {

class Readout {
 public:
  struct Controls {
    forms::PictureBox* picAusgabe = nullptr;
    forms::LineShape *Line1 = nullptr, *Line2 = nullptr;
    QLineEdit *txtp = nullptr, *txtY = nullptr, *txtHilfe = nullptr;
  };
  explicit Readout(const Controls& controls) : m_ui(controls) {}

  // The pointer at (x, y) over the window on display.
  void show(float x, float y, const Grenzen& fenster);

 private:
  Controls m_ui;
};

}  // namespace zoom
