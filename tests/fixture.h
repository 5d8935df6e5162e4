// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Shared test helpers: a fresh window per test, real mouse events in pixels,
// the pixel rule of the drawing surface, and a closer for message boxes.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <functional>
#include <memory>
#include <set>

#include "app/form1.h"
#include "app/toolkit.h"
#include "forms/picturebox.h"
#include "forms/runtime.h"
#include "oracle.h"
#include "plain.h"
#include "probe.h"
#include "support/numbers.h"
#include "support/palette.h"

namespace fixture {

// A fresh window. The hooks a test has set stay as they are.
inline std::unique_ptr<Form1Probe> window() {
  setUpToolkit();
  auto form = std::make_unique<Form1Probe>(std::make_unique<Form1>());
  form->window.show();
  return form;
}

inline void click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

// A mouse event at a position in widget pixels (fractions allowed), sent to
// the widget as the window system would.
inline void mouse(QWidget* widget, QEvent::Type type, QPointF position, Qt::MouseButton button = Qt::NoButton,
                  Qt::MouseButtons buttons = Qt::NoButton) {
  QMouseEvent event(type, position, widget->mapToGlobal(position), button, buttons, Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

// The widget pixel of a point (p, X) on the drawing surface: the surface
// spans the window from links to rechts and from xMax down to xMin.
inline QPointF at(const Form1Probe& f, double p, double x) {
  const auto* s = f.picAusgabe;
  return {(p - s->scaleLeft()) / (s->scaleRight() - s->scaleLeft()) * s->width(),
          (x - s->scaleTop()) / (s->scaleBottom() - s->scaleTop()) * s->height()};
}

inline void moveOn(Form1Probe& f, double p, double x) { mouse(f.picAusgabe, QEvent::MouseMove, at(f, p, x)); }

inline void press(Form1Probe& f, double p, double x, Qt::MouseButton button = Qt::LeftButton) {
  mouse(f.picAusgabe, QEvent::MouseButtonPress, at(f, p, x), button, button);
  mouse(f.picAusgabe, QEvent::MouseButtonRelease, at(f, p, x), button, Qt::NoButton);
}

// The image pixel that a coordinate falls in (the oracle's rule).
inline int pixel(double u, double from, double to, int size) { return int(oracle::pixel(u, from, to, size)); }
inline int column(const Form1Probe& f, double p) {
  return pixel(p, f.fenster.links, f.fenster.rechts, f.picAusgabe->image().width());
}
inline int row(const Form1Probe& f, double x) {
  return pixel(x, f.fenster.xMax, f.fenster.xMin, f.picAusgabe->image().height());
}

inline QRgb at(const Form1Probe& f, int col, int row) { return f.picAusgabe->image().pixel(col, row); }
inline std::set<int> rowsOf(const Form1Probe& f, int col, QRgb colour) {
  std::set<int> rows;
  for (int y = 0; y < f.picAusgabe->image().height(); ++y)
    if (at(f, col, y) == colour) rows.insert(y);
  return rows;
}

// "Start", run to its end: true once the sweep has drawn every column.
inline bool sweepToTheEnd(Form1Probe& f) {
  click(f.Command1);
  return f.spalte == support::kColumns;
}

// The default settings, then "max": true when the start window's diagram
// stands in the start window, the fixed point X = 1 at p = 1.5 and chaos at
// p = 2.9.
inline bool drawsTheStartWindow(Form1Probe& f) {
  f.txtVon->setText("100");
  f.txtBis->setText("200");
  f.txtVorlauf->setText("12");
  f.txtStop->setText("0");
  f.optR->setChecked(true);
  click(f.Command3);
  click(f.Command9);
  const QRgb yellow = rgb(support::kYellow);
  return f.spalte == support::kColumns && f.fenster == Grenzen{0, 3, 0, 1.5} &&
         rowsOf(f, column(f, 1.5), yellow) == std::set<int>{row(f, 1.0)} &&
         rowsOf(f, column(f, 2.9), yellow).size() > 50;
}

// Closes every message box that opens while it lives, and keeps its title,
// text and buttons.
struct MessageBoxes {
  struct Seen {
    QString title, text;
    int buttons;
    QMessageBox::Icon icon;
    bool buttonIcon;  // a glyph on the OK button
  };
  QList<Seen> seen;
  std::function<void()> whileOpen;  // runs while a box is open, before it is closed
  QTimer timer;

  MessageBoxes() {
    timer.setInterval(1);
    QObject::connect(&timer, &QTimer::timeout, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        seen.append({box->windowTitle(), box->text(), int(box->buttons().size()), box->icon(),
                     !box->button(QMessageBox::Ok)->icon().isNull()});
        if (whileOpen) whileOpen();
        box->button(QMessageBox::Ok)->click();
      }
    });
    timer.start();
  }
};

// Runs `action` at the n-th yield of the program (counting from 1), while
// the guard lives.
inline support::Restore atYield(int n, std::function<void()> action) {
  auto count = std::make_shared<int>(0);
  return forms::setDoEventsHook([count, n, action] {
    if (++*count == n) action();
  });
}

}  // namespace fixture
