// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Line and rectangle "controls": drawn above their container's picture and
// under the windowed controls on it, transparent for the mouse (the pointer
// over them counts as over the container), placed in the user coordinates of
// a PictureBox or, without one, in twips of their parent widget.
#pragma once

#include <QColor>
#include <QWidget>

namespace forms {

class PictureBox;

class LineShape : public QWidget {
  Q_OBJECT

 public:
  // Endpoints in the container's coordinates as they stand now.
  LineShape(QWidget* parent, PictureBox* container, double x1, double y1, double x2, double y2, QColor colour);

  double x1() const;
  double y1() const;
  double x2() const;
  double y2() const;
  void setX1(double u);
  void setY1(double u);
  void setX2(double u);
  void setY2(double u);
  QColor colour() const { return m_colour; }
  // Endpoints in the parent's pixels, as drawn.
  QPointF p1() const { return m_a; }
  QPointF p2() const { return m_b; }

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  double toPxX(double u) const;
  double toPxY(double u) const;
  double toUX(double px) const;
  double toUY(double py) const;
  void place();

  PictureBox* m_container;
  QPointF m_a, m_b;
  QColor m_colour;
};

class RectShape : public QWidget {
  Q_OBJECT

 public:
  RectShape(QWidget* parent, PictureBox* container, QColor outline, QColor fill = QColor());

  double left() const;
  double top() const;
  void setLeft(double u);
  void setTop(double u);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  PictureBox* m_container;
  QColor m_outline, m_fill;
};

}  // namespace forms
