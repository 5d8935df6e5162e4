// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "help/hover.h"

#include <QAbstractButton>
#include <QEvent>
#include <QLineEdit>

#include "forms/overlays.h"
#include "forms/runtime.h"

namespace help {

HoverHelp::HoverHelp(const Controls& controls, std::vector<Entry> entries, QObject* parent)
    : QObject(parent), m_ui(controls), m_entries(std::move(entries)) {
  m_ui.window->setMouseTracking(true);
  m_ui.window->installEventFilter(this);
  for (const Entry& entry : m_entries) {
    if (entry.sentence.isEmpty()) continue;
    entry.control->setMouseTracking(true);
    entry.control->installEventFilter(this);
  }
  nameControls();
}

QString HoverHelp::sentence(const QObject* control) const {
  for (const Entry& entry : m_entries) {
    if (entry.control != control) continue;
    if (control == m_ui.Command1 && !entry.sentence.isEmpty()) return entry.sentence + m_ui.txtVon->text();
    return entry.sentence;
  }
  return {};
}

bool HoverHelp::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::MouseMove) return false;
  if (watched == m_ui.window) {
    m_ui.txtY->hide();
    m_ui.Line2->hide();
    m_ui.txtHilfe->setText(QStringLiteral("Hilfe"));
  } else if (const QString satz = sentence(watched); !satz.isEmpty()) {
    m_ui.txtHilfe->setText(satz);
  }
  return false;
}

// Every control gets a name to be spoken: a name of its own, else its help
// sentence, else its caption.
void HoverHelp::nameControls() {
  for (const Entry& entry : m_entries) {
    QString name = entry.spoken.isEmpty() ? sentence(entry.control) : entry.spoken;
    if (name.isEmpty())
      if (auto* button = qobject_cast<QAbstractButton*>(entry.control)) name = button->text();
    entry.control->setAccessibleName(name);
  }
}

void about(QWidget* parent) {
  forms::messageBox(parent, QStringLiteral("dem Team von Varnoskel"), QStringLiteral("Programmiert von"));
}

}  // namespace help
