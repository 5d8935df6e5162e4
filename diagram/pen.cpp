// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "diagram/pen.h"

#include <QLineEdit>

namespace diagram {

void PenWidth::choose(std::int16_t strich) {
  m_strich = strich;
  m_Text1->setText(QString::number(strich));
}

}  // namespace diagram
