// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The picture of the exponent over p, the same on screen and on a worksheet:
// a heading, the panel with the zero line and the curve (stable parts green,
// chaotic ones yellow), the p of the orbit window as a magenta line, the
// axes' ends, and a line that tells the colours apart.
#pragma once

#include <QFont>
#include <QImage>
#include <QRectF>
#include <optional>
#include <vector>

#include "orbits/start.h"
#include "support/palette.h"

namespace inspector {

constexpr QSize kCurveSize{900, 420}, kCurveLeast{480, 240};

// The panel of a picture of this size.
QRectF curvePanel(QSize size);
// The exponents' range the panel shows, lower end first: the finite values
// with 0 among them, at most down to -3 (the superstable points go to -inf).
std::pair<double, double> curveRange(const std::vector<double>& exponents);

QImage lyapunovPicture(const orbits::Iteration& settings, const std::vector<double>& columns,
                       const std::vector<double>& exponents, std::optional<double> marker, const QFont& font,
                       qreal ratio, QSize size, support::Scheme scheme = support::Scheme::Screen);

}  // namespace inspector
