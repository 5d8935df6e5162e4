// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Cutting to n decimals: floor(v * 10^n) / 10^n, towards minus infinity, so
// -0.123 cut to two decimals is -0.13.
#pragma once

#include <cmath>

namespace zoom {

inline double cut(double value, int decimals) {
  const double scale = std::pow(10.0, decimals);
  return std::floor(value * scale) / scale;
}

}  // namespace zoom
