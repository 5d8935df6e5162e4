// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The window's keys beyond its layout, as shortcuts of the window: a text
// box with the focus keeps every key it types with, and Ctrl+C for its own
// text, because it claims those keys before a shortcut sees them.
//   B       the orbit window, for the p under the pointer when the pointer
//           is over the picture, else for the column of the marker
//   Ctrl+C  the diagram's picture to the clipboard
//   Ctrl+S  the diagram's picture saved as PNG
// The picture is the surface as drawn: frame, labels and points, without the
// controls that lie on it.
#include <QShortcut>
#include <cmath>

#include "app/form1.h"
#include "forms/export.h"
#include "forms/overlays.h"
#include "forms/picturebox.h"
#include "inspector/orbitwindow.h"

void Form1::tastenVerbinden() {
  const std::pair<QKeySequence, void (Form1::*)()> keys[] = {
      {QKeySequence(Qt::Key_B), &Form1::bahnZeigen},
      {QKeySequence::Copy, &Form1::bildKopieren},
      {QKeySequence::Save, &Form1::bildSpeichern},
  };
  for (const auto& [key, handler] : keys) connect(new QShortcut(key, this), &QShortcut::activated, this, handler);
}

void Form1::bahnZeigen() {
  const std::optional<double> pointer = ui.picAusgabe->pointerX();
  const double at = pointer ? *pointer : markerSpalte();
  if (!bahnFenster) bahnFenster = new inspector::OrbitWindow(this);
  bahnFenster->request(bahnEinstellungen(at));
}

// The column nearest to the marker, in the window on display (the marker
// stands at a pixel, and the columns lie closer together than pixels).
double Form1::markerSpalte() const {
  const double at = ui.Line1->x1();
  const double k = std::round((at - fenster.links) / fenster.schritt());
  if (std::isfinite(k) && k >= 0 && k <= support::kColumns) return fenster.links + k * fenster.schritt();
  return at;
}

// What Start would read now, without writing anything back; the X range
// and the column width are those of the window on display.
inspector::OrbitSettings Form1::bahnEinstellungen(double bahnP) const {
  const diagram::StartSettings start = diagram::readStart(inputBoxes());
  inspector::OrbitSettings s;
  s.p = bahnP;
  s.startwert = start.startwert;
  s.bis = start.bis;
  s.gelbAb = start.gelbAb;
  s.vorlaufBis = start.vorlaufBis;
  s.normiert = start.normiert;
  s.verhulst = start.verhulst;
  s.xMin = fenster.xMin;
  s.xMax = fenster.xMax;
  s.schritt = fenster.schritt();
  return s;
}

void Form1::bildKopieren() { forms::copyPicture(ui.picAusgabe->image()); }

void Form1::bildSpeichern() {
  // The name says the window shown: feigenbaum_p2.44-2.58_x0.9-1.35.png
  using forms::fileNumber;
  forms::savePicture(this, ui.picAusgabe->image(),
                     QStringLiteral("feigenbaum_p%1-%2_x%3-%4.png")
                         .arg(fileNumber(fenster.links), fileNumber(fenster.rechts), fileNumber(fenster.xMin),
                              fileNumber(fenster.xMax)));
}
