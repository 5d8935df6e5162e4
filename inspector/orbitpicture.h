// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The orbit window's picture, the same on screen and on a worksheet: a line
// naming the orbit, the cobweb of the growth law at the left (its graph over
// the diagram's X range, the diagonal, the staircase of the orbit), the time
// series X(n) over n at the right, and the line of figures below them.
#pragma once

#include <QFont>
#include <QImage>
#include <QRectF>
#include <QString>

#include "inspector/orbit.h"

namespace inspector {

// Logical pixels of the picture and of its two panels.
constexpr int kPictureWidth = 900, kPictureHeight = 480;
const QRectF kCobweb{64, 36, 380, 380};
const QRectF kSeries{508, 36, 376, 380};

// The line naming the orbit, and the line of figures ("Periode 4 ...").
QString heading(const OrbitSettings& settings);
QString figures(const Orbit& orbit);

// Where the picture puts X(n): a point of a panel, NaN where no finite
// position exists (no extent, or a value beyond the range of doubles).
QPointF cobwebPoint(const OrbitSettings& settings, double x, double y);
QPointF seriesPoint(const OrbitSettings& settings, const Orbit& orbit, std::int64_t n, double x);

// The picture at the given device pixel ratio. `orbit` is null while it is
// computed; then the graph and the diagonal stand alone and the figures line
// says so. `neighbour` adds the orbit from the start value + 10^-6.
QImage orbitPicture(const OrbitSettings& settings, const Orbit* orbit, bool neighbour, const QFont& font, qreal ratio);

}  // namespace inspector
