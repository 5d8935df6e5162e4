// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/overlays.h"

#include <QPainter>
#include <cmath>

#include "forms/picturebox.h"
#include "forms/runtime.h"

namespace forms {

namespace {
// Far outside every surface, still exact in an int.
double bounded(double px) { return std::clamp(px, -1e6, 1e6); }

// Lines and shapes are not windows: they lie on their container's own layer,
// above its drawing and under every windowed control on it, among themselves
// in the order they were made.
void underTheControls(QWidget* shape) {
  for (QObject* sibling : shape->parentWidget()->children()) {  // bottom first
    auto* widget = qobject_cast<QWidget*>(sibling);
    if (widget && widget != shape && !qobject_cast<LineShape*>(widget) && !qobject_cast<RectShape*>(widget)) {
      shape->stackUnder(widget);
      return;
    }
  }
}
}  // namespace

LineShape::LineShape(QWidget* parent, PictureBox* container, double x1, double y1, double x2, double y2, QColor colour)
    : QWidget(parent), m_container(container), m_colour(colour) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  underTheControls(this);
  m_a = QPointF(toPxX(x1), toPxY(y1));
  m_b = QPointF(toPxX(x2), toPxY(y2));
  place();
}

double LineShape::toPxX(double u) const { return m_container ? m_container->toPixelX(u) : u / kTwipsPerPixel; }
double LineShape::toPxY(double u) const { return m_container ? m_container->toPixelY(u) : u / kTwipsPerPixel; }
double LineShape::toUX(double px) const { return m_container ? m_container->toUserX(px) : px * kTwipsPerPixel; }
double LineShape::toUY(double py) const { return m_container ? m_container->toUserY(py) : py * kTwipsPerPixel; }

double LineShape::x1() const { return toUX(m_a.x()); }
double LineShape::y1() const { return toUY(m_a.y()); }
double LineShape::x2() const { return toUX(m_b.x()); }
double LineShape::y2() const { return toUY(m_b.y()); }

// A position that has no finite pixel (a window without extent) leaves the
// line where it is.
void LineShape::setX1(double u) {
  if (const double px = toPxX(u); std::isfinite(px)) m_a.setX(bounded(px)), place();
}
void LineShape::setY1(double u) {
  if (const double py = toPxY(u); std::isfinite(py)) m_a.setY(bounded(py)), place();
}
void LineShape::setX2(double u) {
  if (const double px = toPxX(u); std::isfinite(px)) m_b.setX(bounded(px)), place();
}
void LineShape::setY2(double u) {
  if (const double py = toPxY(u); std::isfinite(py)) m_b.setY(bounded(py)), place();
}

void LineShape::place() {
  // The widget covers the line's bounding box, one pixel to spare, and only
  // as much of it as can lie on the parent.
  const QRectF box = QRectF(m_a, m_b).normalized().adjusted(-1, -1, 2, 2);
  const QRect within = box.toAlignedRect().intersected(parentWidget()->rect().adjusted(-2, -2, 2, 2));
  setGeometry(within.isEmpty() ? QRect(-10, -10, 1, 1) : within);
  update();
}

// A line one pixel wide through the middle of the pixels of its ends, so
// that on a scaled desktop it covers every device pixel of those pixels and
// no more.
void LineShape::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QPen pen(m_colour, 1);
  pen.setCapStyle(Qt::SquareCap);
  painter.setPen(pen);
  const QPointF origin = pos() - QPointF(0.5, 0.5);
  painter.drawLine(QPointF(std::floor(m_a.x()), std::floor(m_a.y())) - origin,
                   QPointF(std::floor(m_b.x()), std::floor(m_b.y())) - origin);
}

RectShape::RectShape(QWidget* parent, PictureBox* container, QColor outline, QColor fill)
    : QWidget(parent), m_container(container), m_outline(outline), m_fill(fill) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  underTheControls(this);
}

double RectShape::left() const { return m_container ? m_container->childLeft(this) : x() * kTwipsPerPixel; }
double RectShape::top() const { return m_container ? m_container->childTop(this) : y() * kTwipsPerPixel; }

void RectShape::setLeft(double u) {
  if (m_container) m_container->setChildLeft(this, u);
}
void RectShape::setTop(double u) {
  if (m_container) m_container->setChildTop(this, u);
}

void RectShape::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (m_fill.isValid()) painter.fillRect(rect(), m_fill);
  painter.setPen(m_outline);
  painter.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));  // on its edge pixels, whatever the scale
}

}  // namespace forms
