// A picture box: a drawing surface with a user coordinate system set by two
// corners, a persistent off-screen image, and the drawing state of a classic
// forms runtime (pen width, text colour, print position). Nothing is redrawn
// on request: what the handlers draw stays in the image, and paintEvent only
// copies it. Positions of child controls can be read and written in the same
// user coordinates.
#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QWidget>
#include <cstdint>

namespace forms {

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

  void setBackColor(QColor color);
  QColor backColor() const { return m_back; }
  void setForeColor(QColor color) { m_fore = color; }
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
  // Points at one horizontal position, written straight into the pixels.
  // A value type, so a loop keeps all of it in registers; pens are given in
  // image pixels (see penPixels). Taking one marks the surface as changed.
  class PointColumn {
   public:
    inline void plot(float y, std::uint32_t rgb, std::ptrdiff_t pen) const;

   private:
    friend class PictureBox;
    std::uint32_t* m_bits = nullptr;
    std::ptrdiff_t m_stride = 0, m_x = -1, m_width = 0;  // m_x < 0: off the surface
    double m_top = 0, m_sy = 0, m_height = 0;
  };
  PointColumn pointColumn(float x) const;
  std::ptrdiff_t penPixels(int drawWidth) const;

  // A point of the current pen width.
  void pset(float x, float y, std::uint32_t rgb) { pointColumn(x).plot(y, rgb, m_penPixels); }
  void line(float x1, float y1, float x2, float y2, std::uint32_t rgb);
  void box(float x1, float y1, float x2, float y2, std::uint32_t rgb, bool filled);
  // Erases all drawing to the background colour; child controls stay.
  void cls();
  // Paints an image at the upper-left corner into the persistent picture.
  void paintPicture(const QImage& picture);

  // For a long loop that draws and yields often: hold() keeps the surface
  // and the controls on it from repainting, pace() lets one repaint through
  // at most about 60 times a second, release() shows everything again. Points
  // never ask for a repaint themselves.
  void hold();
  void pace();
  void release();

  const QImage& image() const { return m_image; }

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

 private:
  void updateMapping();
  void ensureImage();
  bool imagePoint(double ux, double uy, double& cx, double& cy) const;
  static int pixelIndex(double c, int size);

  QImage m_image;
  QColor m_back{Qt::white};
  QColor m_fore{Qt::black};
  double m_left = 0, m_top = 0, m_right = 0, m_bottom = 0;
  bool m_scaleSet = false;
  // user -> image pixels: c = (u - origin) * factor; NaN factors draw nothing.
  double m_sx = 0, m_sy = 0;
  double m_imageW = 0, m_imageH = 0;
  std::uint32_t* m_bits = nullptr;
  std::ptrdiff_t m_stride = 0;  // in pixels
  std::ptrdiff_t m_penPixels = 1;
  int m_drawWidth = 1;
  float m_currentX = 0, m_currentY = 0;
  QElapsedTimer m_sincePaint;
};

void PictureBox::PointColumn::plot(float y, std::uint32_t rgb, std::ptrdiff_t pen) const {
  const double cy = (static_cast<double>(y) - m_top) * m_sy;
  // Written so that NaN fails the test: nothing non-finite reaches a cast.
  if (m_x < 0 || !(cy >= 0.0 && cy <= m_height)) return;
  const std::ptrdiff_t h = static_cast<std::ptrdiff_t>(m_height);
  std::ptrdiff_t iy = static_cast<std::ptrdiff_t>(cy);
  if (iy == h) --iy;  // the far edge belongs to the last pixel
  if (pen == 1) {
    m_bits[iy * m_stride + m_x] = rgb;
    return;
  }
  const std::ptrdiff_t x0 = std::max<std::ptrdiff_t>(0, m_x - (pen - 1) / 2);
  const std::ptrdiff_t y0 = std::max<std::ptrdiff_t>(0, iy - (pen - 1) / 2);
  const std::ptrdiff_t x1 = std::min(m_width, m_x - (pen - 1) / 2 + pen);
  const std::ptrdiff_t y1 = std::min(h, iy - (pen - 1) / 2 + pen);
  for (std::ptrdiff_t j = y0; j < y1; ++j)
    for (std::ptrdiff_t i = x0; i < x1; ++i) m_bits[j * m_stride + i] = rgb;
}

}  // namespace forms
