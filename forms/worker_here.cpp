// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The worker where there are no threads: each task runs on the window's
// thread from a queued call, and its looks at the ticket serve the window
// every few milliseconds (see worker.h).
#include "forms/worker.h"

#if !QT_CONFIG(thread)

namespace forms {

Worker::Worker(int, QObject* parent) : QObject(parent) {}

Worker::~Worker() { cancel(); }

int Worker::threads() const { return 1; }

void Worker::dispatch(int tasks) {
  for (int i = 0; i < tasks; ++i) QMetaObject::invokeMethod(this, "runHere", Qt::QueuedConnection);
}

void Worker::runHere() {
  m_slice.start();
  run();
}

}  // namespace forms

#endif
