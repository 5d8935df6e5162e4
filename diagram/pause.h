// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Pause and resume work through the text of txtStop: exactly "1" holds the
// sweep before its next column, whoever wrote it ("S", or the user typing).
#pragma once

class QLineEdit;

namespace diagram {

class Pause {
 public:
  explicit Pause(QLineEdit* txtStop) : m_txtStop(txtStop) {}
  void halt();    // "S"
  void resume();  // "W", and every Start
  bool held() const;

 private:
  QLineEdit* m_txtStop;
};

}  // namespace diagram
