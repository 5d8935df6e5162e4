// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QApplication>
#include <QScreen>
#include <algorithm>
#include <cstdint>

#include "app/form1.h"
#include "app/pagekeys.h"
#include "app/toolkit.h"

#ifdef Q_OS_WASM
#include <emscripten.h>
#include <unistd.h>

namespace {
QWidget* mainWindow = nullptr;
}

// A button of the page (index.html): the key, handled with the window's
// events, also while the program waits.
extern "C" EMSCRIPTEN_KEEPALIVE void varnoskel_taste(int key) {
  QMetaObject::invokeMethod(
      qApp,
      [key] {
        if (mainWindow) pressPageKey(mainWindow, PageKey(key));
      },
      Qt::QueuedConnection);
}

// The top of the heap: the most memory the program has used (its checks
// read it).
extern "C" EMSCRIPTEN_KEEPALIVE double varnoskel_speicher() {
  return double(reinterpret_cast<std::uintptr_t>(sbrk(0)));
}
#endif

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QGuiApplication::setDesktopFileName(QStringLiteral("org.varnoskel.Varnoskel"));
  setUpToolkit();
  Form1 form;
  form.show();
#ifdef Q_OS_WASM
  mainWindow = &form;
  // What the window's start left for deletion goes now: in the page, the
  // loop below never returns, no later loop would delete it, and Qt's nested
  // loops (the scroll bar's menu) would count it as pending forever and spin
  // instead of waiting.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  // The page's window manager puts a window at the top left; the program's
  // goes to the middle of the page, where there is room.
  const QRect page = form.screen()->availableGeometry();
  QRect frame = form.frameGeometry();
  frame.moveCenter(page.center());
  form.move(std::max(frame.left(), page.left()), std::max(frame.top(), page.top()));
#endif
  return app.exec();
}
