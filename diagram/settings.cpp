// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "diagram/settings.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <cmath>

#include "support/numbers.h"

namespace diagram {

namespace {

// Counters are whole numbers: "counter > von" holds from floor(von) + 1 on,
// "counter < n" below ceil(n). Far beyond any 32-bit counter is the same as
// never.
constexpr double kNever = 0x1p62;
std::int64_t firstAbove(double von) { return von >= kNever ? std::int64_t(kNever) : std::int64_t(std::floor(von)) + 1; }
std::int64_t countBelow(double n) {
  return n <= 0 ? 0 : n >= kNever ? std::int64_t(kNever) : std::int64_t(std::ceil(n));
}

double number(const QLineEdit* box) { return support::numberFromText(box->text()); }

}  // namespace

Grenzen LimitBoxes::read() const { return {number(txtLinks), number(txtRechts), number(txtXMIN), number(txtXMAX)}; }

void LimitBoxes::write(const Grenzen& grenzen) const {
  txtLinks->setText(support::qTextFromDouble(grenzen.links));
  txtRechts->setText(support::qTextFromDouble(grenzen.rechts));
  txtXMIN->setText(support::qTextFromDouble(grenzen.xMin));
  txtXMAX->setText(support::qTextFromDouble(grenzen.xMax));
}

StartSettings readStart(const InputBoxes& boxes) {
  StartSettings s;
  s.fenster = boxes.limits.read();
  s.von = std::max(number(boxes.txtVon), 0.0);
  s.bis = support::roundToInt32(number(boxes.txtBis));
  if (s.bis <= s.von) s.bis = support::roundToInt32(s.von + 1);
  s.gelbAb = firstAbove(s.von);
  s.vorlaufBis = boxes.chkVorlauf->checkState() == Qt::Checked ? countBelow(number(boxes.txtVorlauf)) : 0;
  s.startwert = startwert(boxes.HScroll1);
  s.normiert = boxes.optR->isChecked();
  s.verhulst = boxes.optV->isChecked();
  return s;
}

double startwert(const QScrollBar* HScroll1) { return HScroll1->value() / 100.0; }

void showStartValue(const QScrollBar* HScroll1, QLineEdit* txtStart) {
  txtStart->setText(support::localeText(startwert(HScroll1)));
}

}  // namespace diagram
