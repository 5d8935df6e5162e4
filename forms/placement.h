// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Where a window of the lesson (the orbit window, the exponent over p) opens:
// beside the main window, inside the screen's available area, at the size
// the room there allows, so that "B" can be pressed over any column of the
// picture without moving a window first. Where there is no room beside the
// main window it may cover the controls, and where there is none beside the
// picture either, it covers as little of the picture as it can.
#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>
#include <vector>

class QWidget;

namespace forms {

// One way of laying out the window's content: the client size it would like
// and the least at which it stays legible.
struct Arrangement {
  QSize preferred, minimum;
};

struct Placement {
  QRect client;     // the window's content, in screen coordinates
  int arrangement;  // the index of the arrangement chosen
};

// The choice itself, a pure function of the rectangles (screen coordinates;
// `frame` is what the window manager adds around a client area).
Placement place(const std::vector<Arrangement>& arrangements, const QRect& available, const QRect& mainFrame,
                const QRect& keepFree, const QMargins& frame);

// The same for a real window that belongs to the main window: `keepFree` is
// a widget of the main window (the picture). The main window's other windows
// that are open count as part of it, so that a second window of the lesson
// opens beside the first, where there is room, rather than over it.
Placement placeBeside(const std::vector<Arrangement>& arrangements, const QWidget* window, const QWidget* keepFree);

// Resizes and moves a window not yet shown to a placement of its client area.
void moveTo(QWidget* window, const Placement& placement);

}  // namespace forms
