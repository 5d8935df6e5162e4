// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "diagram/controls.h"

#include <QLineEdit>

#include "diagram/settings.h"
#include "support/numbers.h"

namespace diagram {

void Pause::halt() { m_txtStop->setText(QStringLiteral("1")); }
void Pause::resume() { m_txtStop->setText(QStringLiteral("0")); }
bool Pause::held() const { return m_txtStop->text() == QLatin1String("1"); }

void PenWidth::choose(std::int16_t strich) {
  m_strich = strich;
  m_Text1->setText(QString::number(strich));
}

void showStartValue(const QScrollBar* HScroll1, QLineEdit* txtStart) {
  txtStart->setText(support::localeText(startwert(HScroll1)));
}

}  // namespace diagram
