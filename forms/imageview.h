// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// A widget that shows a picture drawn elsewhere, at the widget's size: it
// only blits, and says when its size changes or the pointer moves over it,
// so that its owner draws the picture anew or reads out where it points.
#pragma once

#include <QImage>
#include <QPointF>
#include <QWidget>

namespace forms {

class ImageView : public QWidget {
  Q_OBJECT

 public:
  // The size it would like, and the least it takes.
  ImageView(QSize preferred, QSize least, QWidget* parent);

  void setPicture(const QImage& picture);
  const QImage& picture() const { return m_picture; }
  QSize sizeHint() const override { return m_preferred; }

 signals:
  void resized();
  void pointerMoved(QPointF at);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  QSize m_preferred;
  QImage m_picture;
};

}  // namespace forms
