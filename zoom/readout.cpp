// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "zoom/readout.h"

#include <QLineEdit>
#include <cmath>

#include "forms/overlays.h"
#include "forms/picturebox.h"
#include "support/numbers.h"
#include "zoom/cuts.h"

namespace zoom {

using support::qTextFromSingle;

// txtp stands a hundredth of the window's width right of the pointer; X is
// shown cut to three decimals.
void Readout::show(float x, float y, const Grenzen& fenster) {
  m_ui.txtY->show();
  m_ui.Line2->show();
  m_ui.txtp->setText(qTextFromSingle(x));
  m_ui.Line1->setX1(x);
  m_ui.Line1->setX2(x);
  m_ui.picAusgabe->setChildLeft(m_ui.txtp, x + std::fabs(fenster.rechts - fenster.links) / 100);
  m_ui.txtY->setText(qTextFromSingle(support::toSingle(cut(y, 3))));
  m_ui.Line2->setY1(y);
  m_ui.Line2->setY2(y);
  m_ui.picAusgabe->setChildTop(m_ui.txtY, y);
  m_ui.txtHilfe->setText(QStringLiteral("p = ") + qTextFromSingle(x) + QStringLiteral("  X = ") + qTextFromSingle(y) +
                         QStringLiteral("  Mausklick links/rechts = linke/rechte Intervallgrenze setzen"));
}

}  // namespace zoom
