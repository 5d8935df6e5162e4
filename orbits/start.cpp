// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "orbits/start.h"

#include <cmath>

namespace orbits {

namespace {
constexpr double kNever = 0x1p62;
}  // namespace

std::int64_t firstAbove(double von) { return von >= kNever ? std::int64_t(kNever) : std::int64_t(std::floor(von)) + 1; }

std::int64_t countBelow(double n) {
  return n <= 0 ? 0 : n >= kNever ? std::int64_t(kNever) : std::int64_t(std::ceil(n));
}

}  // namespace orbits
