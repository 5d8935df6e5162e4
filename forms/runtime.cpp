// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/runtime.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QIcon>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cstdio>

#ifdef Q_OS_WASM
#include <emscripten.h>

// Whether the program is suspended in a wait (emscripten's asyncify keeps
// the suspended stack while the browser runs).
EM_JS(int, suspendedInWait, (), { return Asyncify.currData ? 1 : 0; });
#endif

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

#ifdef Q_OS_WASM
// Two things the page does otherwise than a desktop, mended for every
// window at once:
// - A wait for events suspends the program and hands the thread to the
//   browser, which then calls Qt with each event at once, beside the
//   suspended wait. A handler there cannot wait in turn (one suspension at a
//   time): a sweep started there would spin and keep the page from drawing
//   until it ended. So the window's input and the shortcuts that come while
//   the program waits are posted again, and handled when the wait returns, as
//   the desktop handles them.
// - Qt shows every window full-screen in a page; the program's windows keep
//   their size, the main window and the lesson windows beside it.
class PageFilter : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::WindowStateChange) {
      auto* widget = qobject_cast<QWidget*>(watched);
      if (widget && widget->isWindow() && widget->windowState().testFlag(Qt::WindowFullScreen))
        widget->setWindowState(widget->windowState() & ~Qt::WindowFullScreen);
      return false;
    }
    if (!suspendedInWait()) return false;
    const bool input = event->spontaneous() && event->isInputEvent() && qobject_cast<QWindow*>(watched);
    if (!input && event->type() != QEvent::Shortcut) return false;
    QCoreApplication::postEvent(watched, event->clone());
    return true;
  }
};
#endif
}  // namespace

void endProgram() {
  QCoreApplication::quit();
#ifdef Q_OS_WASM
  // The page stays: it says that the program has ended and how to start it
  // again (index.html).
  EM_ASM(window.dispatchEvent(new Event("varnoskel-ended")););
#endif
}

void reportTime(const char* what, double ms) {
#ifdef Q_OS_WASM
  std::printf("Varnoskel: %s %.3f ms\n", what, ms);
  std::fflush(stdout);
  // And on the page itself, where a test reads it in any browser.
  EM_ASM({ (window.varnoskelZeiten = window.varnoskelZeiten || []).push([ UTF8ToString($0), $1 ]); }, what, ms);
#else
  (void)what, (void)ms;
#endif
}

void setUpPage() {
#ifdef Q_OS_WASM
  static auto* filter = new PageFilter(QCoreApplication::instance());
  QCoreApplication::instance()->installEventFilter(filter);
#endif
}

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
    // In the page a timer that fires during the wait does not end it; an
    // event posted then does.
    QObject::connect(timer, &QTimer::timeout, timer, [timer] {
      QMetaObject::invokeMethod(
          timer, [] {}, Qt::QueuedConnection);
    });
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
#ifdef Q_OS_WASM
  // In the page, a loop of the box's own would have to suspend the program,
  // and it may be suspended already (a sweep waiting for its column): the
  // loop would then spin and the page freeze. The box is modal to the
  // window and goes when closed; the caller goes on at once.
  auto* box = new QMessageBox(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
  box->button(QMessageBox::Ok)->setIcon(QIcon());
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->open();
#else
  QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
  box.button(QMessageBox::Ok)->setIcon(QIcon());  // no icon, on the button either
  box.exec();
#endif
}

}  // namespace forms
