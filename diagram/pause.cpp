// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "diagram/pause.h"

#include <QLineEdit>

namespace diagram {

void Pause::halt() { m_txtStop->setText(QStringLiteral("1")); }
void Pause::resume() { m_txtStop->setText(QStringLiteral("0")); }
bool Pause::held() const { return m_txtStop->text() == QLatin1String("1"); }

}  // namespace diagram
