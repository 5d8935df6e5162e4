// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The limits the mouse and the menu write into the four limit boxes, as pure
// functions of the press point and the windows: no controls, no window.
#pragma once

#include <QString>

#include "support/grenzen.h"

namespace zoom {

// Cutting to n decimals: floor(v * 10^n) / 10^n, towards minus infinity, so
// -0.123 cut to two decimals is -0.13.
double cut(double value, int decimals);

// The four texts of a window, as they go into the limit boxes.
struct LimitTexts {
  QString links, rechts, xMin, xMax;
};

// The window a press at (x, y) takes while a zoom selection is open: half as
// wide as the window on display, half as high as the one the boxes show,
// starting at the press point, the p limits cut to three decimals and the X
// limits to two. A window that would end right of p = 3 is shifted to end
// there, keeping its width; its left limit then carries the single-precision
// rounding of the press point.
LimitTexts halfWindow(float x, float y, const Grenzen& fenster, const Grenzen& gezeigt);

// A p limit set by a press at x: cut to three decimals, in single precision.
QString limitText(float x);

// The start window as "Startfenster" writes it: its whole numbers plain, and
// 1.5 in the program's number form.
LimitTexts startTexts();

}  // namespace zoom
