#include "app/artwork.h"

#include <QPainter>
#include <QPainterPath>

QImage smileyImage(int size) {
  QImage image(size, size, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / 32.0, size / 32.0);
  painter.setPen(QPen(Qt::black, 1.2));
  painter.setBrush(QColor(255, 255, 0));
  painter.drawEllipse(QRectF(1.5, 1.5, 29, 29));
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::black);
  painter.drawEllipse(QRectF(9.5, 9, 4, 5.5));
  painter.drawEllipse(QRectF(18.5, 9, 4, 5.5));
  QPainterPath smile;
  smile.moveTo(8.5, 19);
  smile.quadTo(16, 28, 23.5, 19);
  painter.setPen(QPen(Qt::black, 2.2, Qt::SolidLine, Qt::RoundCap));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(smile);
  return image;
}

QIcon smileyIcon() {
  QIcon icon;
  for (int size : {16, 32, 64}) icon.addPixmap(QPixmap::fromImage(smileyImage(size)));
  return icon;
}

namespace {

// Draws text pieces one after the other along a baseline; a piece may be
// lowered as a subscript. Returns the x after the last piece.
struct Writer {
  QPainter& painter;
  double x;
  double baseline;

  void put(const QString& text, const QFont& font, double lower = 0) {
    painter.setFont(font);
    painter.drawText(QPointF(x, baseline + lower), text);
    x += QFontMetricsF(font).horizontalAdvance(text);
  }
};

}  // namespace

QImage formulaImage(double devicePixelRatio) {
  QImage image(int(433 * devicePixelRatio + 0.5), int(79 * devicePixelRatio + 0.5), QImage::Format_RGB32);
  image.setDevicePixelRatio(devicePixelRatio);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setPen(Qt::black);

  QFont label(QStringLiteral("Liberation Sans"));
  label.setPixelSize(15);
  QFont math(QStringLiteral("Liberation Serif"));
  math.setPixelSize(18);
  math.setItalic(true);
  QFont upright = math;
  upright.setItalic(false);
  QFont sub = math;
  sub.setPixelSize(12);
  QFont small = math;
  small.setPixelSize(14);

  const QString dot = QString::fromUtf8(" \u00b7 ");
  const QString minus = QString::fromUtf8(" \u2212 ");

  // Upper row: Verhulst's form and its fixed point p / (p + 1).
  Writer top{painter, 8, 28};
  top.put(QStringLiteral("Verhulst:"), label);
  top.x = 96;
  top.put(QStringLiteral("X"), math);
  top.put(QStringLiteral("n+1"), sub, 5);
  top.put(QStringLiteral(" = "), upright);
  top.put(QStringLiteral("X"), math);
  top.put(dot, upright);
  top.put(QStringLiteral("(1 + "), upright);
  top.put(QStringLiteral("p"), math);
  top.put(QStringLiteral(")"), upright);
  top.put(dot, upright);
  top.put(QStringLiteral("(1") + minus, upright);
  top.put(QStringLiteral("x"), math);
  top.put(QStringLiteral("),"), upright);
  top.x += 14;
  top.put(QStringLiteral("X"), math);
  top.put(QStringLiteral("fix"), sub, 5);
  top.put(QStringLiteral(" = "), upright);
  const double barLeft = top.x, barWidth = QFontMetricsF(small).horizontalAdvance(QStringLiteral("p + 1")) + 4;
  painter.setFont(small);
  painter.drawText(QRectF(barLeft, 4, barWidth, 18), Qt::AlignHCenter | Qt::AlignBottom, QStringLiteral("p"));
  painter.drawText(QRectF(barLeft, 24, barWidth, 18), Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("p + 1"));
  painter.drawLine(QPointF(barLeft, 23), QPointF(barLeft + barWidth, 23));

  // Lower row: the normalised form, whose fixed point is 1.
  Writer bottom{painter, 8, 66};
  bottom.put(QStringLiteral("Normiert:"), label);
  bottom.x = 96;
  bottom.put(QStringLiteral("X"), math);
  bottom.put(QStringLiteral("n+1"), sub, 5);
  bottom.put(QStringLiteral(" = "), upright);
  bottom.put(QStringLiteral("X"), math);
  bottom.put(dot, upright);
  bottom.put(QStringLiteral("(1 + "), upright);
  bottom.put(QStringLiteral("p"), math);
  bottom.put(dot, upright);
  bottom.put(QStringLiteral("(1") + minus, upright);
  bottom.put(QStringLiteral("x"), math);
  bottom.put(QStringLiteral(")),"), upright);
  bottom.x += 14;
  bottom.put(QStringLiteral("X"), math);
  bottom.put(QStringLiteral("fix"), sub, 5);
  bottom.put(QStringLiteral(" = 1"), upright);
  return image;
}
