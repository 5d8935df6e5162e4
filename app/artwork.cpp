// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/artwork.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

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

// A piece of a formula row: text in a font, lowered for a subscript. A
// piece without text is the gap between an iteration and its fixed point.
struct Piece {
  const char* text;  // UTF-8
  const QFont* font = nullptr;
  double lower = 0;
};

// Writes the label at the left, then the pieces of each group one after the
// other along the baseline; returns where the row ends.
double row(QPainter& painter, double baseline, const char* label, const QFont& labelFont,
           std::initializer_list<std::initializer_list<Piece>> groups) {
  painter.setFont(labelFont);
  painter.drawText(QPointF(8, baseline), QString::fromUtf8(label));
  double x = 96;
  for (const auto& group : groups)
    for (const Piece& piece : group) {
      if (!piece.text) {
        x += 14;
        continue;
      }
      const QString text = QString::fromUtf8(piece.text);
      painter.setFont(*piece.font);
      painter.drawText(QPointF(x, baseline + piece.lower), text);
      x += QFontMetricsF(*piece.font).horizontalAdvance(text);
    }
  return x;
}

}  // namespace

QImage formulaImage(double devicePixelRatio) {
  QImage image(int(std::lround(433 * devicePixelRatio)), int(std::lround(79 * devicePixelRatio)), QImage::Format_RGB32);
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

  // X(n+1) = X · (1 + p ... , and X(fix) = ...
  const std::initializer_list<Piece> step = {{"X", &math},      {"n+1", &sub, 5},    {" = ", &upright}, {"X", &math},
                                             {" · ", &upright}, {"(1 + ", &upright}, {"p", &math}};
  const std::initializer_list<Piece> fix = {{nullptr}, {"X", &math}, {"fix", &sub, 5}, {" = ", &upright}};

  // Upper row: Verhulst's form and its fixed point p / (p + 1), stacked.
  const double barLeft =
      row(painter, 28, "Verhulst:", label,
          {step, {{")", &upright}, {" · ", &upright}, {"(1 − ", &upright}, {"x", &math}, {"),", &upright}}, fix});
  const double barWidth = QFontMetricsF(small).horizontalAdvance(QStringLiteral("p + 1")) + 4;
  painter.setFont(small);
  painter.drawText(QRectF(barLeft, 4, barWidth, 18), Qt::AlignHCenter | Qt::AlignBottom, QStringLiteral("p"));
  painter.drawText(QRectF(barLeft, 24, barWidth, 18), Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("p + 1"));
  painter.drawLine(QPointF(barLeft, 23), QPointF(barLeft + barWidth, 23));

  // Lower row: the normalised form, whose fixed point is 1.
  row(painter, 66, "Normiert:", label,
      {step, {{" · ", &upright}, {"(1 − ", &upright}, {"x", &math}, {")),", &upright}}, fix, {{"1", &upright}}});
  return image;
}
