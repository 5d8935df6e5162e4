// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The orbit window's picture, the same on screen and on a worksheet: a line
// naming the orbit, the cobweb of the growth law (its graph over the
// diagram's X range, the diagonal, the staircase of the orbit), the time
// series X(n) over n, and the line of figures below them. The two panels
// stand side by side, or one above the other in a narrow window.
#pragma once

#include <QFont>
#include <QImage>
#include <QRectF>
#include <QString>

#include "analysis/orbit.h"
#include "support/palette.h"

namespace inspector {

using analysis::Orbit;
using analysis::OrbitSettings;

// Logical pixels of the picture, as the window would like it and as small
// as it stays legible: side by side, and one panel above the other.
constexpr QSize kWide{900, 480}, kWideLeast{480, 240};
constexpr QSize kTall{440, 860}, kTallLeast{220, 520};

// Where the picture of a size puts its parts.
struct PictureLayout {
  QSize size;
  QRectF cobweb, series;    // the two panels
  QRectF heading, figures;  // the lines above and below them
  bool stacked = false;     // the series below the cobweb
};
PictureLayout pictureLayout(QSize size = kWide);

// The growth law's name and formula.
QString lawName(const orbits::Iteration& settings);
// The line naming the orbit, and the line of figures ("Periode 4 ...").
QString heading(const OrbitSettings& settings);
QString figures(const Orbit& orbit);

// Where the picture puts X(n): a point of a panel, NaN where no finite
// position exists (no extent, or a value beyond the range of doubles).
QPointF cobwebPoint(const OrbitSettings& settings, const PictureLayout& layout, double x, double y);
QPointF seriesPoint(const OrbitSettings& settings, const PictureLayout& layout, const Orbit& orbit, std::int64_t n,
                    double x);

// The picture of a size at the given device pixel ratio (for the printer:
// the same at a larger ratio, perhaps in the printer's colours). `orbit` is
// null while it is computed; then the graph and the diagonal stand alone
// and the figures line says so. `neighbour` adds the orbit from the start
// value + 10^-6.
QImage orbitPicture(const OrbitSettings& settings, const Orbit* orbit, bool neighbour, const QFont& font, qreal ratio,
                    QSize size = kWide, support::Scheme scheme = support::Scheme::Screen);

}  // namespace inspector
