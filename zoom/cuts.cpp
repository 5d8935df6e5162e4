// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "zoom/cuts.h"

#include <cmath>

#include "orbits/start.h"
#include "support/numbers.h"

namespace zoom {

using support::qTextFromDouble;
using support::qTextFromSingle;
using support::toSingle;

double cut(double value, int decimals) {
  const double scale = std::pow(10.0, decimals);
  return std::floor(value * scale) / scale;
}

LimitTexts halfWindow(float x, float y, const Grenzen& fenster, const Grenzen& gezeigt) {
  LimitTexts t;
  const float neuLinks = toSingle(cut(x, 3));
  const double neuRechts = cut(x + (fenster.rechts - fenster.links) / 2, 3);
  if (neuRechts > 3) {
    t.links = qTextFromDouble(neuLinks - (neuRechts - 3));
    t.rechts = qTextFromDouble(3);
  } else {
    t.links = qTextFromSingle(neuLinks);
    t.rechts = qTextFromDouble(neuRechts);
  }
  t.xMax = qTextFromSingle(toSingle(cut(y, 2)));
  t.xMin = qTextFromDouble(cut(y - (gezeigt.xMax - gezeigt.xMin) / 2, 2));
  return t;
}

QString limitText(float x) { return qTextFromSingle(toSingle(cut(x, 3))); }

LimitTexts startTexts() {
  const Grenzen& s = orbits::kStartFenster;
  return {QString::number(s.links), QString::number(s.rechts), QString::number(s.xMin), qTextFromDouble(s.xMax)};
}

}  // namespace zoom
