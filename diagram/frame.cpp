// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "diagram/frame.h"

#include "diagram/settings.h"
#include "forms/picturebox.h"
#include "support/numbers.h"
#include "support/palette.h"

namespace diagram {

using support::toSingle;

void Frame::setzeKoordinaten(const Grenzen& fenster) {
  m_surface->setScale(fenster.links, fenster.xMax, fenster.rechts, fenster.xMin);
}

// The tick label: a blank in place of a plus sign and at most 15 significant
// digits, so the counter's addition error never shows.
void Frame::tickLabel(double t) { m_surface->print(support::qTextFromDouble(t)); }

// The ticks come from adding 0.1 to a double: the sixteenth sum is
// 1.5000000000000002, so the last tick is at 1.4 and none is at 1.5.
void Frame::gitter(const Grenzen& fenster) {
  for (double lauf = 0; lauf <= 1.5; lauf += 0.1) {
    m_surface->setForeColor(QColor::fromRgb(colour(support::kLightBlue)));
    m_surface->setCurrentX(0);  // p = 0, which is the left edge only while links is 0
    m_surface->setCurrentY(toSingle(lauf));
    tickLabel(lauf);
    m_surface->line(toSingle(fenster.links), toSingle(lauf), toSingle(fenster.rechts), toSingle(lauf),
                    colour(support::kRed));
  }
}

void Frame::grundlinie(const Grenzen& fenster) {
  m_surface->setDrawWidth(3);
  m_surface->line(toSingle(fenster.links), 0.01f, toSingle(fenster.rechts), 0.01f, colour(support::kRed));
  m_surface->setDrawWidth(1);
}

// The strip is 1/teiler of the width and spans X from 0 to 1.5 whatever the
// X range; it is filled, and the labels are printed over it.
void Frame::beschriftung(const Grenzen& fenster, int teiler) {
  m_surface->setForeColor(QColor::fromRgb(colour(support::kLightCyan)));
  m_surface->box(toSingle(fenster.links), 0, toSingle(fenster.links + (fenster.rechts - fenster.links) / teiler), 1.5f,
                 colour(support::kRed), true);
  for (double lauf = 0; lauf <= 1.5; lauf += 0.1) {
    m_surface->setCurrentX(toSingle(fenster.links));
    m_surface->setCurrentY(toSingle(lauf));
    tickLabel(lauf);
  }
  m_surface->setCurrentY(1.49f);
  m_surface->print(QStringLiteral("  X"));
}

void Frame::x(Grenzen& fenster, const LimitBoxes& boxes) {
  m_surface->cls();
  const Grenzen gezeigt = boxes.read();
  fenster.xMax = gezeigt.xMax;
  fenster.xMin = gezeigt.xMin;
  setzeKoordinaten(fenster);
  gitter(fenster);
  beschriftung(fenster, 40);
}

}  // namespace diagram
