// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The pen width of the start value and the orbit points, chosen by "1" and
// "2"; Text1 only shows it. A running sweep takes it from its next column.
#pragma once

#include <cstdint>

class QLineEdit;

namespace diagram {

class PenWidth {
 public:
  explicit PenWidth(QLineEdit* Text1) : m_Text1(Text1) {}
  // "1" and "2".
  void choose(std::int16_t strich);
  // Start-up: 1, which Text1 already shows.
  void reset() { m_strich = 1; }
  std::int16_t strich() const { return m_strich; }

 private:
  QLineEdit* m_Text1;
  std::int16_t m_strich = 0;
};

}  // namespace diagram
