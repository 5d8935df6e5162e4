// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "inspector/orbitpicture.h"

#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <limits>

#include "support/numbers.h"
#include "support/palette.h"

namespace inspector {

namespace {

constexpr int kBackground = support::kBlue;
constexpr int kFrame = support::kRed;
constexpr int kDiagonal = support::kLightGrey;
constexpr int kGraph = support::kLightGreen;
constexpr int kNeighbour = support::kLightMagenta;
constexpr int kUndrawn = support::kGrey;  // iterates the diagram leaves out
constexpr double kFar = 1e5;              // pixels beyond any panel, for lines that leave it

QColor colour(int index, support::Scheme scheme) {
  return QColor::fromRgb(support::inScheme(scheme, support::paletteColour(index)));
}
QColor colourOf(const OrbitSettings& s, std::int64_t n, support::Scheme scheme) {
  const int c = s.colour(n);
  return colour(c < 0 ? kUndrawn : c, scheme);
}

QString number(double value) { return QLocale().toString(value, 'g', 6); }

// The X range of both panels, lower end first; false without a finite extent.
bool range(const OrbitSettings& s, double& lo, double& hi) {
  lo = std::min(s.fenster.xMin, s.fenster.xMax);
  hi = std::max(s.fenster.xMin, s.fenster.xMax);
  return std::isfinite(lo) && std::isfinite(hi - lo) && hi > lo;
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The pixel at which X lies on an axis of the panel that starts at `from`
// and runs `extent` pixels (negative: upwards) over the X range.
double along(const OrbitSettings& s, double from, double extent, double x) {
  double lo = 0, hi = 0;
  if (!range(s, lo, hi)) return kNaN;
  const double at = from + (x - lo) / (hi - lo) * extent;
  return std::isfinite(at) ? std::clamp(at, -kFar, kFar) : kNaN;
}
double rowOf(const OrbitSettings& s, const QRectF& panel, double x) {
  return along(s, panel.bottom(), -panel.height(), x);
}

bool finite(QPointF point) { return std::isfinite(point.x()) && std::isfinite(point.y()); }

void line(QPainter& g, QPointF a, QPointF b) {
  if (finite(a) && finite(b)) g.drawLine(a, b);
}

// The staircase: up or down from the diagonal to the graph, across to the
// diagonal, for every step shown.
void staircase(QPainter& g, support::Scheme scheme, const OrbitSettings& s, const PictureLayout& l, const Orbit& o,
               const std::vector<double>& values, bool coloured, const QColor& pen) {
  for (std::size_t i = 0; i + 1 < values.size(); ++i) {
    const double x = values[i], y = values[i + 1];
    g.setPen(QPen(coloured ? colourOf(s, o.first + std::int64_t(i) + 1, scheme) : pen, 1));
    line(g, cobwebPoint(s, l, x, x), cobwebPoint(s, l, x, y));
    line(g, cobwebPoint(s, l, x, y), cobwebPoint(s, l, y, y));
  }
}

void cobweb(QPainter& g, support::Scheme scheme, const OrbitSettings& s, const PictureLayout& l, const Orbit* o,
            bool neighbour) {
  double lo = 0, hi = 0;
  if (!range(s, lo, hi)) return;
  g.setPen(QPen(colour(kDiagonal, scheme), 1));
  line(g, cobwebPoint(s, l, lo, lo), cobwebPoint(s, l, hi, hi));
  // The graph, sampled twice per pixel.
  QPainterPath graph;
  const int samples = int(2 * l.cobweb.width());
  bool open = false;
  for (int i = 0; i <= samples; ++i) {
    const double x = lo + (hi - lo) * i / samples;
    const QPointF point = cobwebPoint(s, l, x, s.step(x));
    if (!finite(point)) {
      open = false;
      continue;
    }
    if (open)
      graph.lineTo(point);
    else
      graph.moveTo(point);
    open = true;
  }
  g.setPen(QPen(colour(kGraph, scheme), 1.5));
  g.drawPath(graph);
  if (!o) return;
  if (neighbour) staircase(g, scheme, s, l, *o, o->neighbour, false, colour(kNeighbour, scheme));
  staircase(g, scheme, s, l, *o, o->values, true, {});
}

void series(QPainter& g, support::Scheme scheme, const OrbitSettings& s, const PictureLayout& l, const Orbit& o,
            bool neighbour) {
  auto trace = [&](const std::vector<double>& values, const QColor& pen) {
    g.setPen(QPen(pen, 1));
    for (std::size_t i = 0; i + 1 < values.size(); ++i)
      line(g, seriesPoint(s, l, o, o.first + std::int64_t(i), values[i]),
           seriesPoint(s, l, o, o.first + std::int64_t(i) + 1, values[i + 1]));
  };
  if (neighbour) trace(o.neighbour, colour(kNeighbour, scheme));
  trace(o.values, colour(kUndrawn, scheme));
  g.setPen(Qt::NoPen);
  for (std::size_t i = 0; i < o.values.size(); ++i) {
    const auto n = o.first + std::int64_t(i);
    const QPointF point = seriesPoint(s, l, o, n, o.values[i]);
    if (finite(point)) g.fillRect(QRectF(point.x() - 1.5, point.y() - 1.5, 3, 3), colourOf(s, n, scheme));
  }
}

void labels(QPainter& g, const OrbitSettings& s, const PictureLayout& l, const Orbit* o) {
  double lo = 0, hi = 0;
  const bool ranged = range(s, lo, hi);
  for (const QRectF& panel : {l.cobweb, l.series}) {
    if (!ranged) break;
    const QRectF margin(4, 0, panel.left() - 8, 0);
    g.drawText(margin.adjusted(0, panel.top() - 10, 0, panel.top() + 10), Qt::AlignRight | Qt::AlignVCenter,
               number(hi));
    g.drawText(margin.adjusted(0, panel.bottom() - 10, 0, panel.bottom() + 10), Qt::AlignRight | Qt::AlignVCenter,
               number(lo));
  }
  const QRectF underCobweb(l.cobweb.left(), l.cobweb.bottom() + 4, l.cobweb.width(), 20);
  if (ranged) {
    g.drawText(underCobweb, Qt::AlignLeft | Qt::AlignTop, number(lo));
    g.drawText(underCobweb, Qt::AlignRight | Qt::AlignTop, number(hi));
  }
  g.drawText(underCobweb, Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("X(n + 1) über X(n)"));
  const QRectF underSeries(l.series.left(), l.series.bottom() + 4, l.series.width(), 20);
  if (o && !o->values.empty()) {
    g.drawText(underSeries, Qt::AlignLeft | Qt::AlignTop, QStringLiteral("n = %1").arg(o->first));
    g.drawText(underSeries, Qt::AlignRight | Qt::AlignTop,
               QString::number(o->first + std::int64_t(o->values.size()) - 1));
  }
  g.drawText(underSeries, Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("X(n) über n"));
}

}  // namespace

QString lawName(const orbits::Iteration& s) {
  // The option buttons choose exactly one law.
  return s.verhulst ? QStringLiteral("Verhulst: X · (1 + p) · (1 − X)")
                    : QStringLiteral("normiert: X · (1 + p · (1 − X))");
}

QString heading(const OrbitSettings& s) {
  return QStringLiteral("p = %1     Startwert %2     %3")
      .arg(support::localeText(s.p), support::localeText(s.startwert), lawName(s));
}

QString figures(const Orbit& o) {
  if (o.escaped) return QStringLiteral("Die Bahn verlässt den Zahlbereich: keine Periode, kein Lyapunov-Exponent");
  QString period = o.settling       ? QStringLiteral("Periode %1 (schwingt noch ein)").arg(o.period)
                   : o.period > 0   ? QStringLiteral("Periode %1").arg(o.period)
                   : o.passing > 0  ? QStringLiteral("nur zeitweise Periode %1").arg(o.passing)
                   : o.searched > 0 ? QStringLiteral("keine Periode bis %1").arg(o.searched)
                                    : QStringLiteral("zu wenige Schritte nach von für eine Periode");
  const double l = o.lyapunov;
  if (std::isnan(l)) return period;
  const QString exponent = std::isinf(l) ? QString(l < 0 ? QStringLiteral("−∞") : QStringLiteral("+∞"))
                                         : QLocale().toString(l, 'f', 4).replace(QLatin1Char('-'), QChar(0x2212));
  // A cycle is stable or not by its multiplier, whatever the mean over a
  // stretch that may still hold some of the way in; chaos is said only of
  // an orbit that has settled without a period.
  const double m = o.cycleLog;
  const QString sense = o.period > 0    ? (m < 0   ? QStringLiteral("stabiler Zyklus")
                                           : m > 0 ? QStringLiteral("instabiler Zyklus")
                                                   : QStringLiteral("neutraler Zyklus"))
                        : o.passing > 0 ? QStringLiteral("Intermittenz: die Bahn verlässt den Zyklus wieder")
                        : o.unsettled   ? QStringLiteral("noch nicht eingeschwungen – größeres von wählen")
                        : l < 0         ? QStringLiteral("negativ: stabil")
                        : l > 0         ? QStringLiteral("positiv: chaotisch")
                                        : QStringLiteral("null: neutral");
  return QStringLiteral("%1     Lyapunov-Exponent %2 (%3)").arg(period, exponent, sense);
}

PictureLayout pictureLayout(QSize size) {
  PictureLayout l;
  l.size = size.expandedTo(QSize(kTallLeast.width(), kWideLeast.height()));
  const double w = l.size.width(), h = l.size.height();
  // Side by side where the picture is wider than tall, with room for the
  // labels left of and below each panel and two lines above and below.
  l.stacked = w < 1.2 * h;
  if (!l.stacked) {
    const double side = std::max(1.0, std::min(h - 100, (w - 144) / 2));
    l.cobweb = QRectF(64, 36, side, side);
    l.series = QRectF(l.cobweb.right() + 64, 36, std::max(1.0, w - 16 - (l.cobweb.right() + 64)), side);
    l.heading = QRectF(64, 2, w - 80, 32);
    l.figures = QRectF(64, h - 36, w - 80, 34);
  } else {
    const double side = std::max(1.0, std::min(w - 72, (h - 180) / 2));
    l.cobweb = QRectF(56, 52, side, side);
    l.series = QRectF(56, l.cobweb.bottom() + 36, std::max(1.0, w - 72), side);
    l.heading = QRectF(8, 4, w - 16, 44);
    l.figures = QRectF(8, h - 64, w - 16, 60);
  }
  return l;
}

QPointF cobwebPoint(const OrbitSettings& s, const PictureLayout& l, double x, double y) {
  return {along(s, l.cobweb.left(), l.cobweb.width(), x), rowOf(s, l.cobweb, y)};
}

QPointF seriesPoint(const OrbitSettings& s, const PictureLayout& l, const Orbit& o, std::int64_t n, double x) {
  const double count = double(std::max<std::size_t>(o.values.size(), 1));
  return {l.series.left() + (double(n - o.first) + 0.5) / count * l.series.width(), rowOf(s, l.series, x)};
}

QImage orbitPicture(const OrbitSettings& s, const Orbit* o, bool neighbour, const QFont& font, qreal ratio, QSize size,
                    support::Scheme scheme) {
  const PictureLayout l = pictureLayout(size);
  QImage picture(l.size * ratio, QImage::Format_ARGB32_Premultiplied);
  picture.setDevicePixelRatio(ratio);
  picture.fill(Qt::white);
  QPainter g(&picture);
  g.setFont(font);
  g.setPen(Qt::black);
  const int wrap = Qt::TextWordWrap;  // two lines where the picture is narrow
  g.drawText(l.heading, Qt::AlignLeft | Qt::AlignVCenter | wrap, heading(s));
  for (const QRectF& panel : {l.cobweb, l.series}) g.fillRect(panel, colour(kBackground, scheme));

  g.setRenderHint(QPainter::Antialiasing);
  g.setClipRect(l.cobweb);
  cobweb(g, scheme, s, l, o, neighbour);
  if (o) {
    g.setClipRect(l.series);
    series(g, scheme, s, l, *o, neighbour);
  }
  g.setClipping(false);
  g.setRenderHint(QPainter::Antialiasing, false);

  g.setPen(colour(kFrame, scheme));
  g.setBrush(Qt::NoBrush);
  for (const QRectF& panel : {l.cobweb, l.series}) g.drawRect(panel.adjusted(-1, -1, 0, 0));
  g.setPen(Qt::black);
  labels(g, s, l, o);
  g.drawText(l.figures, Qt::AlignLeft | Qt::AlignVCenter | wrap,
             o ? figures(*o) : QStringLiteral("Die Bahn wird berechnet …"));
  return picture;
}

}  // namespace inspector
