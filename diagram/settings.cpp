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

double number(const QLineEdit* box) { return support::numberFromText(box->text()); }

}  // namespace

Grenzen LimitBoxes::read() const { return {number(txtLinks), number(txtRechts), number(txtXMIN), number(txtXMAX)}; }

void LimitBoxes::write(const Grenzen& grenzen) const {
  txtLinks->setText(support::qTextFromDouble(grenzen.links));
  txtRechts->setText(support::qTextFromDouble(grenzen.rechts));
  txtXMIN->setText(support::qTextFromDouble(grenzen.xMin));
  txtXMAX->setText(support::qTextFromDouble(grenzen.xMax));
}

orbits::StartSettings readStart(const InputBoxes& boxes) {
  orbits::StartSettings s;
  s.fenster = boxes.limits.read();
  s.von = std::max(number(boxes.txtVon), 0.0);
  s.bis = support::roundToInt32(number(boxes.txtBis));
  if (double(s.bis) <= s.von) s.bis = support::roundToInt32(s.von + 1);
  s.gelbAb = orbits::firstAbove(s.von);
  s.vorlaufBis = boxes.chkVorlauf->checkState() == Qt::Checked ? orbits::countBelow(number(boxes.txtVorlauf)) : 0;
  s.startwert = startwert(boxes.HScroll1);
  s.normiert = boxes.optR->isChecked();
  s.verhulst = boxes.optV->isChecked();
  return s;
}

double startwert(const QScrollBar* HScroll1) { return orbits::startwertOf(HScroll1->value()); }

void showStartValue(const QScrollBar* HScroll1, QLineEdit* txtStart) {
  txtStart->setText(support::localeText(startwert(HScroll1)));
}

}  // namespace diagram
