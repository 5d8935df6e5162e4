// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "zoom/zoom.h"

#include <QLineEdit>

#include "forms/overlays.h"
#include "forms/picturebox.h"
#include "forms/runtime.h"
#include "support/numbers.h"

namespace zoom {

using support::qTextFromSingle;

Zoom::Zoom(const Controls& controls, const Grenzen& fenster, QWidget* messageParent, Performs performs)
    : m_ui(controls),
      m_fenster(fenster),
      m_parent(messageParent),
      m_performs(std::move(performs)),
      m_readout(controls.readout) {}

void Zoom::write(const LimitTexts& texts) {
  m_ui.limits.txtLinks->setText(texts.links);
  m_ui.limits.txtRechts->setText(texts.rechts);
  m_ui.limits.txtXMIN->setText(texts.xMin);
  m_ui.limits.txtXMAX->setText(texts.xMax);
}

// The saved window is what the boxes show, typed limits included.
void Zoom::fenster() {
  m_auswahlAktiv = 1;
  m_ui.shpAuswahl->show();
  m_history.save(m_ui.limits.read());
}

void Zoom::abbrechen() {
  m_auswahlAktiv = 0;
  m_ui.shpAuswahl->hide();
}

void Zoom::zurueck() {
  m_ui.limits.write(m_history.saved());
  m_performs.x();
  m_performs.start();
}

// The frame keeps the p scale of the window on display until the next
// "Start".
void Zoom::startfenster() {
  write(startTexts());
  m_performs.x();
}

void Zoom::max() {
  startfenster();
  m_performs.x();
  m_performs.start();
}

// Every move shows the cursor readout first and then, while a selection is
// open, moves its rectangle.
void Zoom::mouseMove(float x, float y) {
  m_readout.show(x, y, m_fenster);
  if (m_auswahlAktiv == 1) {
    m_ui.shpAuswahl->setLeft(x);
    m_ui.shpAuswahl->setTop(y);
  }
}

// A press takes the window while a selection is open, and sets a p limit
// otherwise.
void Zoom::mouseDown(int button, float x, float y) {
  if (m_auswahlAktiv == 1)
    take(x, y);
  else
    setLimit(button, x);
}

void Zoom::take(float x, float y) {
  write(halfWindow(x, y, m_fenster, m_ui.limits.read()));
  m_auswahlAktiv = 0;
  m_ui.shpAuswahl->hide();
  m_performs.x();
  m_performs.start();
}

// The picture is not redrawn: the new limit counts from the next "Start".
void Zoom::setLimit(int button, float x) {
  m_history.saveBeforeLimit(m_ui.limits.read(), button);
  const QString title = QStringLiteral("Intervall für p");
  if (button == 1) {
    m_ui.limits.txtLinks->setText(limitText(x));
    forms::messageBox(m_parent, QStringLiteral("linke Intervallgrenze ") + qTextFromSingle(x), title);
  }
  if (button == 2) {
    m_ui.limits.txtRechts->setText(limitText(x));
    forms::messageBox(m_parent, QStringLiteral("rechte Intervallgrenze ") + qTextFromSingle(x), title);
  }
}

}  // namespace zoom
