// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// A picture box: a drawing surface with a user coordinate system set by two
// corners, a persistent off-screen image, and the drawing state of a classic
// forms runtime (pen width, text colour, print position). Nothing is redrawn
// on request: what the handlers draw stays in the image, and paintEvent only
// copies it. Positions of child controls can be read and written in the same
// user coordinates.
#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QPointF>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <optional>

#include "support/pixelmapping.h"

namespace forms {

// A long loop repaints the surface at most once a frame of this many
// milliseconds: about 60 times a second.
constexpr int kFrameMs = 16;

class PictureBox : public QWidget {
  Q_OBJECT

 public:
  explicit PictureBox(QWidget* parent = nullptr);

  // The user coordinate system: (left, top) is the upper-left corner of the
  // surface and (right, bottom) the lower-right one. Until it is set, the
  // surface counts in twips from its upper-left corner. A system without
  // extent (left = right or top = bottom) or with a non-finite corner keeps
  // its values but draws nothing.
  void setScale(double left, double top, double right, double bottom);
  double scaleLeft() const { return m_left; }
  double scaleTop() const { return m_top; }
  double scaleRight() const { return m_right; }
  double scaleBottom() const { return m_bottom; }

  // Between user coordinates and widget pixels (continuous, logical pixels).
  // toPixel gives NaN where no finite position exists.
  double toPixelX(double u) const;
  double toPixelY(double u) const;
  double toUserX(double px) const;
  double toUserY(double py) const;

  // Child controls placed in user coordinates keep their physical place when
  // the coordinate system changes; only these accessors go through it.
  void setChildLeft(QWidget* child, double u);
  void setChildTop(QWidget* child, double u);
  double childLeft(const QWidget* child) const { return toUserX(child->x()); }
  double childTop(const QWidget* child) const { return toUserY(child->y()); }

  // The image's pixels per widget pixel: the screen's by default; a box
  // that is never shown may draw the same picture at another size (a
  // picture for the printer).
  void setPixelRatio(double ratio);
  double ratio() const;

  void setBackColor(QColor colour);
  QColor backColor() const { return m_back; }
  void setForeColor(QColor colour) { m_fore = colour; }
  QColor foreColor() const { return m_fore; }
  void setDrawWidth(int pixels);
  int drawWidth() const { return m_drawWidth; }
  void setCurrentX(float u) { m_currentX = u; }
  void setCurrentY(float u) { m_currentY = u; }
  float currentX() const { return m_currentX; }
  float currentY() const { return m_currentY; }

  // Prints the text with its upper-left corner at the print position, then
  // moves the position to the left edge, one text line lower.
  void print(const QString& text);
  // The pixel mapping of the image as it stands, and the image pixels of a
  // pen of the given width (more than one on a scaled desktop).
  const support::PixelMapping& pixelMapping() const { return m_map; }
  std::ptrdiff_t penPixels(int drawWidth) const;

  // Draws pixel columns x0 ... x0 + count - 1 straight into the image: column
  // i has `height` colours from the top row down at cells + i * stride, and 0
  // leaves a pixel as it is. Columns off the image are left out; a strip made
  // for another image height draws nothing. Asks for no repaint (see hold).
  void drawStrip(std::ptrdiff_t x0, int count, int height, const std::uint32_t* cells, std::ptrdiff_t stride);

  void line(float x1, float y1, float x2, float y2, std::uint32_t rgb);
  void box(float x1, float y1, float x2, float y2, std::uint32_t rgb, bool filled);
  // Erases all drawing to the background colour; child controls stay.
  void cls();
  // Paints an image at the upper-left corner into the persistent picture.
  void paintPicture(const QImage& picture);

  // For a long loop that draws and yields often: hold() keeps the surface
  // and the controls on it from repainting, pace() repaints them at once,
  // at most about 60 times a second (the first a frame after the hold
  // began), and holds them again; release() shows everything again.
  // Points never ask for a repaint themselves.
  void hold();
  void pace();
  void release();

  const QImage& image() const { return m_image; }

  // The horizontal user coordinate of the pointer while it is over the box
  // (or over a control on it), as the last mouse move left it.
  std::optional<double> pointerX() const;

 signals:
  // button: 1 left, 2 right, 4 middle (a bit mask for moves); shift: 1 Shift,
  // 2 Ctrl, 4 Alt; x and y in user coordinates, single precision.
  void mouseDown(int button, int shift, float x, float y);
  void mouseMove(int button, int shift, float x, float y);

 protected:
  void paintEvent(QPaintEvent*) override;
  void resizeEvent(QResizeEvent*) override;
  void mousePressEvent(QMouseEvent*) override;
  void mouseMoveEvent(QMouseEvent*) override;
  void leaveEvent(QEvent*) override;
  // The second press of a double-click is a double-click, not a mouse down.
  void mouseDoubleClickEvent(QMouseEvent*) override {}
  // A finger is a pointer that hovers while it touches: it moves the
  // readout as the mouse does, and a tap (a touch that hardly moved) is a
  // left click where it began. A finger held still for kHoldMs is a pressed
  // button: lifted there, it is a right click; moved on and lifted, a left
  // click where it lifts (so a zoom window follows it first, as it follows
  // the mouse).
  bool event(QEvent* event) override;

 public:
  static constexpr int kHoldMs = 500;
  // For tests: a finger is down and held.
  bool fingerHeld() const { return m_touch && m_touch->held; }

 private:
  void updateMapping();
  void ensureImage();
  bool imagePoint(double ux, double uy, double& cx, double& cy) const;

  QImage m_image;
  QColor m_back{Qt::white};
  QColor m_fore{Qt::black};
  double m_ratio = 0;  // 0: the screen's
  double m_left = 0, m_top = 0, m_right = 0, m_bottom = 0;
  bool m_scaleSet = false;
  support::PixelMapping m_map;  // user coordinates to image pixels
  std::ptrdiff_t m_penPixels = 1;
  int m_drawWidth = 1;
  float m_currentX = 0, m_currentY = 0;
  QElapsedTimer m_sincePaint;
  std::optional<double> m_pointer;  // widget pixels
  // A finger on the surface: where it began, whether it has moved away
  // from there, whether it was held still long enough, and moved since.
  struct Touch {
    QPointF from;
    bool moved = false, held = false, movedHeld = false;
  };
  std::optional<Touch> m_touch;
  QTimer m_hold;
};

}  // namespace forms
