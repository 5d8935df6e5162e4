// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/runtime.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QIcon>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "forms/picturebox.h"

namespace forms {

namespace {
std::function<void()>& hook() {
  static std::function<void()> h;
  return h;
}

// Since the window's events were last processed.
QElapsedTimer& sinceEvents() {
  static QElapsedTimer clock;
  return clock;
}

void process(QEventLoop::ProcessEventsFlags flags) {
  QCoreApplication::processEvents(flags);
  sinceEvents().start();
}
}  // namespace

support::Restore setDoEventsHook(std::function<void()> h) { return support::exchangeHook(hook(), std::move(h)); }

bool eventsDue() { return hook() || !sinceEvents().isValid() || sinceEvents().nsecsElapsed() >= 1'000'000; }

void doEvents() {
  if (auto h = hook()) h();
  process(QEventLoop::AllEvents);
}

void waitForEvents() {
  if (auto h = hook()) {
    h();
    process(QEventLoop::AllEvents);
    return;
  }
  process(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

void waitForEventsFor(int ms) {
  // The timer is an event of its own: it ends the wait if nothing else does.
  static QTimer* timeout = [] {
    auto* timer = new QTimer(QCoreApplication::instance());
    timer->setSingleShot(true);
    return timer;
  }();
  timeout->start(ms);
  process(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

void beforeModal(QWidget* parent) {
  // A surface held by a long loop (see PictureBox::hold) shows what it
  // holds while the dialog is open, however long that is; the loop holds it
  // again when it goes on.
  if (parent)
    for (auto* surface : parent->window()->findChildren<PictureBox*>()) surface->release();
}

void messageBox(QWidget* parent, const QString& text, const QString& title) {
  beforeModal(parent);
  QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
  box.button(QMessageBox::Ok)->setIcon(QIcon());  // no icon, on the button either
  box.exec();
}

}  // namespace forms
