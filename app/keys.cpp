// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The window's keys beyond its layout, as shortcuts of the window: a text
// box with the focus keeps every key it types with, and Ctrl+C for its own
// text, because it claims those keys before a shortcut sees them.
//   B       the orbit window, for the p under the pointer when the pointer
//           is over the picture, else for the column of the marker
//   L       the Lyapunov exponent over p, for the window shown and the
//           settings Start would read
//   F       Feigenbaum's constants from the cascade of period doublings
//   Ctrl+C  the diagram's picture to the clipboard
//   Ctrl+S  the diagram's picture saved as PNG
//   Ctrl+Shift+S  the diagram drawn anew at print size and saved (printing.cpp)
// The picture is the surface as drawn: frame, labels and points, without the
// controls that lie on it.
#include <QShortcut>
#include <cmath>

#include "app/form1.h"
#include "forms/export.h"
#include "forms/overlays.h"
#include "forms/picturebox.h"
#include "inspector/feigenbaumwindow.h"
#include "inspector/lyapunovwindow.h"
#include "inspector/orbitwindow.h"

void Form1::tastenVerbinden() {
  const std::pair<QKeySequence, void (Form1::*)()> keys[] = {
      {QKeySequence(Qt::Key_B), &Form1::bahnZeigen},
      {QKeySequence(Qt::Key_L), &Form1::lyapunovZeigen},
      {QKeySequence(Qt::Key_F), &Form1::feigenbaumZeigen},
      {QKeySequence::Copy, &Form1::bildKopieren},
      {QKeySequence::Save, &Form1::bildSpeichern},
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), &Form1::druckbildSpeichern},
  };
  for (const auto& [key, handler] : keys) connect(new QShortcut(key, this), &QShortcut::activated, this, handler);
}

void Form1::bahnZeigen() {
  const std::optional<double> pointer = ui.picAusgabe->pointerX();
  const double at = pointer ? *pointer : markerSpalte();
  if (!bahnFenster) {
    bahnFenster = new inspector::OrbitWindow(this, ui.picAusgabe);
    // The exponent over p marks the orbit's p while the orbit window is open.
    auto mark = [this] {
      if (lyapunovFenster && !lyapunovFenster->computing()) lyapunovFenster->redraw();
    };
    connect(bahnFenster, &inspector::OrbitWindow::ended, this, mark);
    connect(bahnFenster, &inspector::OrbitWindow::closed, this, mark);
  }
  bahnFenster->request(bahnEinstellungen(at));
}

void Form1::lyapunovZeigen() {
  if (!lyapunovFenster) {
    lyapunovFenster = new inspector::LyapunovWindow(this, ui.picAusgabe, [this]() -> std::optional<double> {
      if (bahnFenster && bahnFenster->isVisible()) return bahnFenster->settings().p;
      return std::nullopt;
    });
  }
  std::vector<double> columns(static_cast<std::size_t>(support::kColumns));
  for (std::int32_t k = 0; k < support::kColumns; ++k) columns[std::size_t(k)] = fenster.spalteP(k);
  lyapunovFenster->request(diagram::readStart(inputBoxes()), std::move(columns));
}

void Form1::feigenbaumZeigen() {
  if (!feigenbaumFenster) {
    feigenbaumFenster = new inspector::FeigenbaumWindow(this, ui.picAusgabe);
    // "Fenster" of a row: the limit boxes as if typed, then drawn.
    connect(feigenbaumFenster, &inspector::FeigenbaumWindow::windowChosen, this,
            [this](double links, double rechts, double xMin, double xMax) {
              inputBoxes().limits.write({links, rechts, xMin, xMax});
              Command1_Click();  // "Start"
            });
  }
  feigenbaumFenster->showFor(diagram::readStart(inputBoxes()).normiert);
}

// The column nearest to the marker, in the window on display (the marker
// stands at a pixel, and the columns lie closer together than pixels).
double Form1::markerSpalte() const {
  const double at = ui.Line1->x1();
  const double k = std::round((at - fenster.links) / fenster.schritt());
  if (std::isfinite(k) && k >= 0 && k <= support::kColumns) return fenster.links + k * fenster.schritt();
  return at;
}

// What Start would read now, without writing anything back, in the window
// on display (its X range and column width).
analysis::OrbitSettings Form1::bahnEinstellungen(double bahnP) const {
  analysis::OrbitSettings s{diagram::readStart(inputBoxes()), bahnP};
  s.fenster = fenster;
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
