// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "help/hover.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include "forms/overlays.h"
#include "forms/picturebox.h"
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
  m_hold.setSingleShot(true);
  m_hold.setInterval(forms::PictureBox::kHoldMs);
  connect(&m_hold, &QTimer::timeout, this, [this] {
    if (!m_pressed) return;
    m_held = true;
    m_ui.txtHilfe->setText(sentence(m_pressed));
    // Lifted now, the button does not click.
    if (auto* button = qobject_cast<QAbstractButton*>(m_pressed.data())) button->setDown(false);
  });
}

// The mouse events Qt makes of a finger on a control: held, the sentence,
// and the release that would trigger the control is swallowed. A press
// soon after a tap at the same place comes as a double click (in the page
// even seconds later, as long as the finger came down there again), which
// presses a button as well.
bool HoverHelp::touched(QWidget* control, QEvent* event) {
  const auto type = event->type();
  const bool press = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
  if (!press && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease) return false;
  auto* mouse = static_cast<QMouseEvent*>(event);
  if (mouse->source() != Qt::MouseEventSynthesizedByQt) return false;
  if (press) {
    m_pressed = control;
    m_pressedAt = mouse->globalPosition();
    m_held = false;
    m_hold.start();
    return false;
  }
  if (control != m_pressed) return false;
  if (type == QEvent::MouseMove) {
    if (!m_held && (mouse->globalPosition() - m_pressedAt).manhattanLength() > QApplication::startDragDistance())
      m_hold.stop();
    return m_held;
  }
  m_hold.stop();
  m_pressed = nullptr;
  return std::exchange(m_held, false);
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
  if (watched != m_ui.window && touched(static_cast<QWidget*>(watched), event)) return true;
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
