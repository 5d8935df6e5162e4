// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/imageview.h"

#include <QMouseEvent>
#include <QPainter>

namespace forms {

ImageView::ImageView(QSize preferred, QSize least, QWidget* parent) : QWidget(parent), m_preferred(preferred) {
  setMinimumSize(least);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  setMouseTracking(true);
}

void ImageView::setPicture(const QImage& picture) {
  m_picture = picture;
  update();
}

void ImageView::paintEvent(QPaintEvent*) { QPainter(this).drawImage(QPointF(0, 0), m_picture); }

void ImageView::resizeEvent(QResizeEvent*) { emit resized(); }

void ImageView::mouseMoveEvent(QMouseEvent* event) { emit pointerMoved(event->position()); }

}  // namespace forms
