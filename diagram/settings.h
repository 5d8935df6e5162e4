// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The text boxes are the store of the user's settings: what Start reads is
// read from them here, by one function, into the value of orbits/start.h,
// which the sweep takes, and the lesson windows with the window on display.
#pragma once

#include <cstdint>

#include "orbits/start.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QScrollBar;

namespace diagram {

// The four limit boxes.
struct LimitBoxes {
  QLineEdit *txtLinks = nullptr, *txtRechts = nullptr, *txtXMIN = nullptr, *txtXMAX = nullptr;

  // What they say, each read as a leading number.
  Grenzen read() const;
  // Into them, in the program's number form.
  void write(const Grenzen& grenzen) const;
};

// Every box Start reads.
struct InputBoxes {
  LimitBoxes limits;
  QLineEdit *txtVon = nullptr, *txtBis = nullptr, *txtVorlauf = nullptr;
  QCheckBox* chkVorlauf = nullptr;
  QScrollBar* HScroll1 = nullptr;
  QRadioButton *optR = nullptr, *optV = nullptr;
};

// What Start reads, as it reads it: von at least 0 and bis a 32-bit count
// above it, the first counter drawn yellow, and the number of lead-in points
// (0 unless checked).
orbits::StartSettings readStart(const InputBoxes& boxes);

// The start value X0: the scroll bar's value in hundredths.
double startwert(const QScrollBar* HScroll1);
// The scroll bar moved: txtStart shows the start value in the user's own
// number form; it is never read back.
void showStartValue(const QScrollBar* HScroll1, QLineEdit* txtStart);

}  // namespace diagram
