// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The coordinate system of the drawing surface, the frame drawn into it
// (grid pass and label pass), and "x", which clears the surface and frames
// it anew.
#pragma once

#include "support/grenzen.h"
#include "support/palette.h"

namespace forms {
class PictureBox;
}

namespace diagram {

struct LimitBoxes;

class Frame {
 public:
  // In the screen's colours, or the printer's (see support/palette.h).
  explicit Frame(forms::PictureBox* picAusgabe, support::Scheme scheme = support::Scheme::Screen)
      : m_surface(picAusgabe), m_scheme(scheme) {}

  // p runs from links at the left edge to rechts at the right one, X from
  // xMax at the top to xMin at the bottom.
  void setzeKoordinaten(const Grenzen& fenster);
  // The grid pass: a red line and a tick label at every tenth of X.
  void gitter(const Grenzen& fenster);
  // The thick red line just above X = 0, which a sweep draws after the grid.
  void grundlinie(const Grenzen& fenster);
  // The label pass, over a strip 1/teiler of the width; a sweep ends with it.
  void beschriftung(const Grenzen& fenster, int teiler);
  // "x": clears the surface and frames it anew with the X limits the boxes
  // show; the p scale stays that of the window on display.
  void x(Grenzen& fenster, const LimitBoxes& boxes);

 private:
  void tickLabel(double t);
  std::uint32_t colour(int index) const { return support::inScheme(m_scheme, support::paletteColour(index)); }

  forms::PictureBox* m_surface;
  support::Scheme m_scheme;
};

}  // namespace diagram
