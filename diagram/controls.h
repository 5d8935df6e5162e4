// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The small controls of the diagram: pause and resume work through the text
// of txtStop, where exactly "1" holds the sweep before its next column; "1"
// and "2" choose the pen width of the start value and the orbit points,
// which Text1 only shows; the scroll bar chooses the start value, which
// txtStart only shows, in the user's own number form, never read back.
#pragma once

#include <cstdint>

class QLineEdit;
class QScrollBar;

namespace diagram {

class Pause {
 public:
  explicit Pause(QLineEdit* txtStop) : m_txtStop(txtStop) {}
  void halt();    // "S"
  void resume();  // "W"
  bool held() const;

 private:
  QLineEdit* m_txtStop;
};

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

// The scroll bar moved: txtStart shows the start value.
void showStartValue(const QScrollBar* HScroll1, QLineEdit* txtStart);

}  // namespace diagram
