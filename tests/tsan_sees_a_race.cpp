// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Built only under the thread sanitizer: a deliberate unlocked access from a
// worker of the column engine to a counter the window's thread also writes.
// The sanitizer must report it; the test passes on that report alone. So
// the engine's hand-over annotations are shown to order nothing they should
// not, and to hide no such access.
#include <QCoreApplication>
#include <cstdio>

#include "orbits/columnengine.h"

namespace {
int unlocked = 0;  // deliberately without a lock
}

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  orbits::ColumnEngine engine(2);
  const auto gate = engine.setGate([](std::int32_t) { ++unlocked; });
  orbits::ColumnRun run;
  run.settings.bis = 1999;
  run.settings.mapping = {0, 800 / 3.0, 800, 1.5, 480 / -1.5, 480};
  run.schritt = 3.0 / orbits::kColumns;
  for (std::int32_t spalte = 0; spalte < orbits::kColumns; ++spalte) {
    while (!engine.take(run, spalte)) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    ++unlocked;
  }
  std::printf("no race was reported (%d)\n", unlocked);
  return 0;
}
