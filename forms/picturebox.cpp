// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/picturebox.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTouchEvent>
#include <cmath>
#include <limits>

#include "forms/runtime.h"
#include "support/numbers.h"

namespace forms {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

int buttonCode(Qt::MouseButtons buttons) {
  return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
         (buttons & Qt::MiddleButton ? 4 : 0);
}

int shiftCode(Qt::KeyboardModifiers modifiers) {
  return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
         (modifiers & Qt::AltModifier ? 4 : 0);
}

// Clips the segment to the rectangle [lo, hi] x [lo2, hi2] (Liang-Barsky).
// False when nothing of it is inside or when a coordinate is not finite.
bool clip(double& x1, double& y1, double& x2, double& y2, double xlo, double xhi, double ylo, double yhi) {
  if (!(std::isfinite(x1) && std::isfinite(y1) && std::isfinite(x2) && std::isfinite(y2))) return false;
  const double dx = x2 - x1, dy = y2 - y1;
  if (!std::isfinite(dx) || !std::isfinite(dy)) return false;
  double t0 = 0, t1 = 1;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x1 - xlo, xhi - x1, y1 - ylo, yhi - y1};
  for (int k = 0; k < 4; ++k) {
    if (p[k] == 0) {
      if (q[k] < 0) return false;
      continue;
    }
    const double t = q[k] / p[k];
    if (p[k] < 0) {
      if (t > t1) return false;
      t0 = std::max(t0, t);
    } else {
      if (t < t0) return false;
      t1 = std::min(t1, t);
    }
  }
  const double ox = x1, oy = y1;
  x1 = ox + t0 * dx;
  y1 = oy + t0 * dy;
  x2 = ox + t1 * dx;
  y2 = oy + t1 * dy;
  return true;
}

// The pixel of a position clipped to a small margin around the image: the
// points' rule, which lines and boxes share.
int pixelOf(double c, int size) { return int(support::PixelMapping::cell(c, size)); }

}  // namespace

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_AcceptTouchEvents);
  m_hold.setSingleShot(true);
  connect(&m_hold, &QTimer::timeout, this, [this] {
    if (m_touch && !m_touch->moved) m_touch->held = true;
  });
  ensureImage();
}

void PictureBox::setPixelRatio(double ratio) {
  m_ratio = ratio;
  ensureImage();
}

double PictureBox::ratio() const { return m_ratio > 0 ? m_ratio : devicePixelRatioF(); }

void PictureBox::setScale(double left, double top, double right, double bottom) {
  m_left = left;
  m_top = top;
  m_right = right;
  m_bottom = bottom;
  m_scaleSet = true;
  ensureImage();
}

void PictureBox::updateMapping() {
  if (!m_scaleSet) {  // twips, until a coordinate system is set
    m_left = m_top = 0;
    m_right = width() * double(kTwipsPerPixel);
    m_bottom = height() * double(kTwipsPerPixel);
  }
  const double imageW = m_image.width(), imageH = m_image.height();
  const double spanX = m_right - m_left, spanY = m_bottom - m_top;
  const bool usable = std::isfinite(m_left) && std::isfinite(m_top) && std::isfinite(spanX) && std::isfinite(spanY) &&
                      spanX != 0 && spanY != 0 && !m_image.isNull();
  m_map = {m_left, usable ? imageW / spanX : kNaN, imageW, m_top, usable ? imageH / spanY : kNaN, imageH};
}

// The image follows the widget's size; a widget that was never shown has had
// no resize event yet, so drawing makes sure of it first.
void PictureBox::ensureImage() {
  const double dpr = ratio();
  const QSize wanted(std::max(1, int(std::lround(width() * dpr))), std::max(1, int(std::lround(height() * dpr))));
  if (m_image.size() != wanted) {
    QImage grown(wanted, QImage::Format_RGB32);
    grown.fill(m_back);
    if (!m_image.isNull()) QPainter(&grown).drawImage(0, 0, m_image);
    m_image = grown;
    setDrawWidth(m_drawWidth);
  }
  updateMapping();
}

// Child controls are placed in widget pixels, whatever the image's size.
double PictureBox::toPixelX(double u) const {
  const double right = m_scaleSet ? m_right : width() * double(kTwipsPerPixel);
  if (right == m_left) return kNaN;
  const double c = (u - m_left) * (width() / (right - m_left));
  return std::isfinite(c) ? c : kNaN;
}

double PictureBox::toPixelY(double u) const {
  const double bottom = m_scaleSet ? m_bottom : height() * double(kTwipsPerPixel);
  if (bottom == m_top) return kNaN;
  const double c = (u - m_top) * (height() / (bottom - m_top));
  return std::isfinite(c) ? c : kNaN;
}

// Interpolated between the two edges so that limits near the ends of the
// double range still give finite positions.
double PictureBox::toUserX(double px) const {
  const double right = m_scaleSet ? m_right : width() * double(kTwipsPerPixel);
  const double t = width() > 0 ? px / width() : 0;
  return t == 0 ? m_left : m_left * (1 - t) + right * t;
}

double PictureBox::toUserY(double py) const {
  const double bottom = m_scaleSet ? m_bottom : height() * double(kTwipsPerPixel);
  const double t = height() > 0 ? py / height() : 0;
  return t == 0 ? m_top : m_top * (1 - t) + bottom * t;
}

void PictureBox::setChildLeft(QWidget* child, double u) {
  if (const double px = toPixelX(u); std::isfinite(px))
    child->move(static_cast<int>(std::lround(std::clamp(px, -1e6, 1e6))), child->y());
}

void PictureBox::setChildTop(QWidget* child, double u) {
  if (const double py = toPixelY(u); std::isfinite(py))
    child->move(child->x(), static_cast<int>(std::lround(std::clamp(py, -1e6, 1e6))));
}

void PictureBox::setBackColor(QColor colour) {
  m_back = colour;
  ensureImage();
  m_image.fill(colour);
  update();
}

void PictureBox::setDrawWidth(int pixels) {
  m_drawWidth = std::max(1, pixels);
  m_penPixels = penPixels(m_drawWidth);
}

std::ptrdiff_t PictureBox::penPixels(int drawWidth) const {
  return std::max<std::ptrdiff_t>(1, std::lround(std::max(1, drawWidth) * ratio()));
}

bool PictureBox::imagePoint(double ux, double uy, double& cx, double& cy) const {
  cx = m_map.x(ux);
  cy = m_map.y(uy);
  return std::isfinite(cx) && std::isfinite(cy);
}

void PictureBox::drawStrip(std::ptrdiff_t x0, int count, int height, const std::uint32_t* cells,
                           std::ptrdiff_t stride) {
  if (height != m_image.height()) return;
  const std::ptrdiff_t from = std::max<std::ptrdiff_t>(0, x0),
                       to = std::min<std::ptrdiff_t>(m_image.width(), x0 + count);
  auto* bits = reinterpret_cast<std::uint32_t*>(m_image.bits());
  const std::ptrdiff_t line = m_image.bytesPerLine() / 4;
  for (std::ptrdiff_t x = from; x < to; ++x) {
    const std::uint32_t* column = cells + (x - x0) * stride;
    for (int y = 0; y < height; ++y)
      if (column[y]) bits[y * line + x] = column[y];
  }
}

void PictureBox::print(const QString& text) {
  ensureImage();
  const QFontMetricsF metrics(font());
  double cx, cy;
  if (imagePoint(m_currentX, m_currentY, cx, cy) && std::fabs(cx) < 1e6 && std::fabs(cy) < 1e6) {
    QPainter painter(&m_image);
    const double dpr = ratio();
    painter.scale(dpr, dpr);
    painter.setFont(font());
    painter.setPen(m_fore);
    painter.drawText(QPointF(std::floor(cx) / dpr, std::floor(cy) / dpr + metrics.ascent()), text);
    update();
  }
  // One text line lower, at the left edge.
  const double lineUser = metrics.lineSpacing() * ratio() / m_map.sy;
  m_currentX = support::toSingle(m_left);
  if (std::isfinite(lineUser)) m_currentY = support::toSingle(m_currentY + lineUser);
}

void PictureBox::line(float x1, float y1, float x2, float y2, std::uint32_t rgb) {
  ensureImage();
  double ax, ay, bx, by;
  if (!imagePoint(x1, y1, ax, ay) || !imagePoint(x2, y2, bx, by)) return;
  const double margin = double(m_penPixels);
  if (!clip(ax, ay, bx, by, -margin, m_map.width + margin, -margin, m_map.height + margin)) return;
  const int w = m_image.width(), h = m_image.height();
  QPainter painter(&m_image);
  QPen pen{QColor::fromRgb(rgb)};
  pen.setWidth(int(m_penPixels));
  painter.setPen(pen);
  painter.drawLine(QPoint(pixelOf(ax, w), pixelOf(ay, h)), QPoint(pixelOf(bx, w), pixelOf(by, h)));
  update();
}

void PictureBox::box(float x1, float y1, float x2, float y2, std::uint32_t rgb, bool filled) {
  ensureImage();
  double ax, ay, bx, by;
  if (!imagePoint(x1, y1, ax, ay) || !imagePoint(x2, y2, bx, by)) return;
  const double margin = double(m_penPixels);
  auto bound = [&](double c, double size) { return std::clamp(c, -margin, size + margin); };
  const double left = bound(std::min(ax, bx), m_map.width), right = bound(std::max(ax, bx), m_map.width);
  const double top = bound(std::min(ay, by), m_map.height), bottom = bound(std::max(ay, by), m_map.height);
  QPainter painter(&m_image);
  const QColor colour = QColor::fromRgb(rgb);
  if (filled) {
    // The pixels whose centres the area covers (at least one): a box from
    // 0 to 20 is 20 pixels wide.
    const int l = int(std::ceil(left - 0.5)), t = int(std::ceil(top - 0.5));
    const int r = std::max(l, int(std::ceil(right - 0.5)) - 1), b = std::max(t, int(std::ceil(bottom - 0.5)) - 1);
    painter.fillRect(QRect(QPoint(l, t), QPoint(r, b)), colour);
  } else {
    const int w = m_image.width(), h = m_image.height();
    QPen pen{colour};
    pen.setWidth(int(m_penPixels));
    painter.setPen(pen);
    painter.drawRect(QRect(QPoint(pixelOf(left, w), pixelOf(top, h)), QPoint(pixelOf(right, w), pixelOf(bottom, h)))
                         .adjusted(0, 0, -1, -1));
  }
  update();
}

void PictureBox::cls() {
  ensureImage();
  m_image.fill(m_back);
  m_currentX = support::toSingle(m_left);
  m_currentY = support::toSingle(m_top);
  update();
}

void PictureBox::paintPicture(const QImage& picture) {
  ensureImage();
  QPainter painter(&m_image);
  // The picture's own pixel ratio against the surface's: a picture made for
  // a scaled desktop lands pixel for pixel.
  const double scale = ratio() / picture.devicePixelRatio();
  painter.drawImage(QRectF(0, 0, picture.width() * scale, picture.height() * scale), picture);
  update();
}

void PictureBox::hold() {
  if (updatesEnabled()) m_sincePaint.start();  // the next paced repaint is a frame from now
  setUpdatesEnabled(false);
}

// The repaint happens here and now, before the loop processes events: it
// shows the surface as the loop left it, whatever a handler then does, on
// every platform (the order in which an event loop serves timers, input and
// repaints is the platform's own).
void PictureBox::pace() {
  if (m_sincePaint.isValid() && m_sincePaint.elapsed() < kFrameMs) return;
  m_sincePaint.start();
  setUpdatesEnabled(true);
  repaint();
  setUpdatesEnabled(false);
}

void PictureBox::release() { setUpdatesEnabled(true); }

// Only the exposed part: a moving marker or crosshair exposes a thin strip.
void PictureBox::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect target = event->rect();
  const double dpr = m_image.width() / std::max(1.0, double(width()));
  if (dpr == 1.0) {
    painter.drawImage(target.topLeft(), m_image, target);
    return;
  }
  const QRectF source(target.x() * dpr, target.y() * dpr, target.width() * dpr, target.height() * dpr);
  painter.drawImage(QRectF(target), m_image, source);
}

void PictureBox::resizeEvent(QResizeEvent*) { ensureImage(); }

void PictureBox::leaveEvent(QEvent*) { m_pointer.reset(); }

std::optional<double> PictureBox::pointerX() const {
  if (!m_pointer) return std::nullopt;
  return toUserX(*m_pointer);
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
  m_pointer = event->position().x();
  emit mouseDown(buttonCode(event->button()), shiftCode(event->modifiers()),
                 support::toSingle(toUserX(event->position().x())), support::toSingle(toUserY(event->position().y())));
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
  m_pointer = event->position().x();
  emit mouseMove(buttonCode(event->buttons()), shiftCode(event->modifiers()),
                 support::toSingle(toUserX(event->position().x())), support::toSingle(toUserY(event->position().y())));
}

bool PictureBox::event(QEvent* event) {
  const auto type = event->type();
  if (type != QEvent::TouchBegin && type != QEvent::TouchUpdate && type != QEvent::TouchEnd &&
      type != QEvent::TouchCancel)
    return QWidget::event(event);
  auto* touch = static_cast<QTouchEvent*>(event);
  event->accept();
  if (type == QEvent::TouchCancel || touch->points().isEmpty()) {
    m_touch.reset();
    m_hold.stop();
    return true;
  }
  const QPointF at = touch->points().constFirst().position();
  if (type == QEvent::TouchBegin) {
    m_touch = Touch{at};
    m_hold.start(kHoldMs);
  }
  if (!m_touch) return true;
  Touch& t = *m_touch;
  if ((at - t.from).manhattanLength() > QApplication::startDragDistance()) {
    if (t.held)
      t.movedHeld = true;
    else
      t.moved = true;
    if (!t.held) m_hold.stop();
  }
  m_pointer = at.x();
  auto user = [this](QPointF p) {
    return std::pair{support::toSingle(toUserX(p.x())), support::toSingle(toUserY(p.y()))};
  };
  if (type != QEvent::TouchEnd) {
    const auto [x, y] = user(at);
    emit mouseMove(t.held ? buttonCode(Qt::LeftButton) : 0, 0, x, y);
    return true;
  }
  m_hold.stop();
  const Touch ended = t;
  m_touch.reset();
  if (!ended.moved && !ended.held) {  // a tap
    const auto [x, y] = user(ended.from);
    emit mouseDown(buttonCode(Qt::LeftButton), 0, x, y);
  } else if (ended.held && !ended.movedHeld) {  // held still: the right button
    const auto [x, y] = user(ended.from);
    emit mouseDown(buttonCode(Qt::RightButton), 0, x, y);
  } else if (ended.held) {  // held, then moved: pressed where it lifts
    const auto [x, y] = user(at);
    emit mouseDown(buttonCode(Qt::LeftButton), 0, x, y);
  }
  return true;
}

}  // namespace forms
