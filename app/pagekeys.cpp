// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/pagekeys.h"

#include <QApplication>
#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

#include "inspector/orbitwindow.h"

namespace {

QKeySequence sequence(PageKey key) {
  switch (key) {
    case PageKey::Bahn: return QKeySequence(Qt::Key_B);
    case PageKey::Lyapunov: return QKeySequence(Qt::Key_L);
    case PageKey::Feigenbaum: return QKeySequence(Qt::Key_F);
    case PageKey::Kopieren: return QKeySequence(QKeySequence::Copy);
    case PageKey::Speichern: return QKeySequence(QKeySequence::Save);
    case PageKey::Druckbild: return QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S);
    case PageKey::Links: return QKeySequence(Qt::Key_Left);
    case PageKey::Rechts: return QKeySequence(Qt::Key_Right);
    case PageKey::Schliessen: return QKeySequence(Qt::Key_Escape);
  }
  return {};
}

// The window the key goes to.
QWidget* target(QWidget* main, PageKey key) {
  switch (key) {
    case PageKey::Bahn:
    case PageKey::Lyapunov:
    case PageKey::Feigenbaum: return main;
    case PageKey::Links:
    case PageKey::Rechts: {
      auto* orbit = main->findChild<inspector::OrbitWindow*>();
      return orbit && orbit->isVisible() ? orbit : nullptr;
    }
    default: {
      QWidget* active = QApplication::activeWindow();
      return active && active->isVisible() && (active == main || active->parentWidget() == main) ? active : main;
    }
  }
}

}  // namespace

bool pressPageKey(QWidget* main, PageKey key) {
  QWidget* window = target(main, key);
  if (!window) return false;
  const QKeySequence wanted = sequence(key);
  for (QShortcut* shortcut : window->findChildren<QShortcut*>()) {
    const auto* owner = qobject_cast<QWidget*>(shortcut->parent());
    if (shortcut->key() != wanted || !shortcut->isEnabled() || !owner || owner->window() != window) continue;
    emit shortcut->activated();
    return true;
  }
  return false;
}
