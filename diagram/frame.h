// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The coordinate system of the drawing surface, the frame drawn into it
// (grid pass and label pass), and "x", which clears the surface and frames
// it anew.
#pragma once

#include "support/grenzen.h"

namespace forms {
class PictureBox;
}

namespace diagram {

struct LimitBoxes;

class Frame {
 public:
  explicit Frame(forms::PictureBox* picAusgabe) : m_surface(picAusgabe) {}

  // p runs from links at the left edge to rechts at the right one, X from
  // xMax at the top to xMin at the bottom.
  void setzeKoordinaten(const Grenzen& fenster);
  // The grid pass: a red line and a tick label at every tenth of X.
  void gitter(const Grenzen& fenster);
  // The label pass, over a strip 1/teiler of the width; a sweep ends with it.
  void beschriftung(const Grenzen& fenster, int teiler);
  // "x": clears the surface and frames it anew with the X limits the boxes
  // show; the p scale stays that of the window on display.
  void x(Grenzen& fenster, const LimitBoxes& boxes);

 private:
  void tickLabel(double t);

  forms::PictureBox* m_surface;
};

}  // namespace diagram
