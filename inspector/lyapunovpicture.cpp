// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "inspector/lyapunovpicture.h"

#include <QLocale>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "inspector/orbitpicture.h"
#include "support/numbers.h"
#include "support/palette.h"

namespace inspector {

namespace {

constexpr int kStable = support::kLightGreen, kChaotic = support::kYellow;

QString number(double value) { return QLocale().toString(value, 'g', 6); }

}  // namespace

QRectF curvePanel(QSize size) {
  const QSize s = size.expandedTo(kCurveLeast);
  return {56, 36, s.width() - 72.0, s.height() - 36.0 - 64};
}

std::pair<double, double> curveRange(const std::vector<double>& exponents) {
  double lo = 0, hi = 0;
  for (double l : exponents) {
    if (!std::isfinite(l)) continue;
    lo = std::min(lo, l);
    hi = std::max(hi, l);
  }
  // Whole halves, the stable side at most down to -3 and at least -0.5, the
  // chaotic side at least up to 0.5.
  lo = std::floor(std::max(lo, -3.0) * 2) / 2;
  hi = std::ceil(hi * 2) / 2;
  return {std::min(lo, -0.5), std::max(hi, 0.5)};
}

QImage lyapunovPicture(const orbits::Iteration& s, const std::vector<double>& columns,
                       const std::vector<double>& exponents, std::optional<double> marker, const QFont& font,
                       qreal ratio, QSize size, support::Scheme scheme) {
  auto colour = [scheme](int index) {
    return QColor::fromRgb(support::inScheme(scheme, support::paletteColour(index)));
  };
  size = size.expandedTo(kCurveLeast);
  QImage picture(size * ratio, QImage::Format_ARGB32_Premultiplied);
  picture.setDevicePixelRatio(ratio);
  picture.fill(Qt::white);
  QPainter g(&picture);
  g.setFont(font);
  g.setPen(Qt::black);
  const QRectF panel = curvePanel(size);
  g.drawText(QRectF(panel.left(), 2, panel.width(), 32), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap,
             QStringLiteral("Startwert %1     von %2 bis %3     %4")
                 .arg(support::localeText(s.startwert))
                 .arg(std::max<std::int64_t>(s.gelbAb - 1, 0))
                 .arg(s.bis)
                 .arg(lawName(s)));
  g.fillRect(panel, colour(support::kBlue));

  const double left = columns.empty() ? 0 : columns.front(), right = columns.empty() ? 1 : columns.back();
  const std::pair<double, double> range = curveRange(exponents);
  const double lo = range.first, hi = range.second;
  auto xOf = [&](double p) { return panel.left() + (p - left) / (right - left) * panel.width(); };
  auto yOf = [&](double l) {
    const double y = panel.bottom() - (l - lo) / (hi - lo) * panel.height();
    return std::isnan(y) ? y : std::clamp(y, panel.top() - 2, panel.bottom() + 2);  // -inf at the bottom edge
  };
  g.setClipRect(panel);
  g.setPen(QPen(colour(support::kLightGrey), 1));
  g.drawLine(QPointF(panel.left(), yOf(0)), QPointF(panel.right(), yOf(0)));
  if (marker && right > left) {
    g.setPen(QPen(colour(support::kLightMagenta), 1));
    g.drawLine(QPointF(xOf(*marker), panel.top()), QPointF(xOf(*marker), panel.bottom()));
  }
  g.setRenderHint(QPainter::Antialiasing);
  for (std::size_t i = 0; i + 1 < exponents.size() && i + 1 < columns.size() && right > left; ++i) {
    const double a = exponents[i], b = exponents[i + 1];
    if (std::isnan(a) || std::isnan(b)) continue;
    g.setPen(QPen(colour(std::max(a, b) > 0 ? kChaotic : kStable), 1.2));
    g.drawLine(QPointF(xOf(columns[i]), yOf(a)), QPointF(xOf(columns[i + 1]), yOf(b)));
  }
  g.setRenderHint(QPainter::Antialiasing, false);
  g.setClipping(false);
  g.setPen(colour(support::kRed));
  g.drawRect(panel.adjusted(-1, -1, 0, 0));

  g.setPen(Qt::black);
  const QRectF margin(4, 0, panel.left() - 8, 0);
  for (double l : {hi, 0.0, lo})
    g.drawText(margin.adjusted(0, yOf(l) - 10, 0, yOf(l) + 10), Qt::AlignRight | Qt::AlignVCenter, number(l));
  const QRectF under(panel.left(), panel.bottom() + 4, panel.width(), 20);
  if (!columns.empty()) {
    g.drawText(under, Qt::AlignLeft | Qt::AlignTop, support::localeText(left));
    g.drawText(under, Qt::AlignRight | Qt::AlignTop, support::localeText(right));
  }
  g.drawText(under, Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("Lyapunov-Exponent über p"));
  const QRectF key(panel.left(), size.height() - 34, panel.width(), 32);
  const QString text = exponents.empty() ? QStringLiteral("Die Exponenten werden berechnet …")
                                         : QStringLiteral("grün: stabil (negativ)     gelb: chaotisch (positiv)%1")
                                               .arg(marker ? QStringLiteral("     magenta: p der Bahn") : QString());
  g.drawText(key, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, text);
  return picture;
}

}  // namespace inspector
