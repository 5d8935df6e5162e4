// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The column engine where there are no threads (a page the browser gives no
// shared memory): the batch of the column asked for is computed in take(),
// on the window's thread, with the window served every few milliseconds.
#include <QElapsedTimer>

#include "orbits/columnengine.h"

#if !QT_CONFIG(thread)

namespace orbits {

namespace {
// Computing between two turns of the window: it answers within a frame.
constexpr qint64 kSliceNs = 8'000'000;
}  // namespace

ColumnEngine::ColumnEngine(int, QObject* parent) : QObject(parent) {}

ColumnEngine::~ColumnEngine() { stop(); }

int ColumnEngine::workers() const { return 1; }

void ColumnEngine::setYield(std::function<void()> yield) { m_yield = std::move(yield); }

// take() and prepare() call this; only a column asked for is computed.
void ColumnEngine::startWorkers() {
  if (m_waiting) computeHere();
}

// The batch from the column asked for. While it is computed the window is
// served; whatever a handler then asks of the engine starts anew (the
// generation) or computes a batch of its own (m_here), and this one stops.
void ColumnEngine::computeHere() {
  const std::uint64_t generation = m_generation, here = ++m_here;
  const ColumnSettings settings = m_run.settings;
  const std::int32_t from = m_wanted;
  const int count = std::min(kSideBySide, m_run.last - from + 1);
  if (count <= 0) return;
  m_next = from + count;
  double p[kSideBySide];
  for (int k = 0; k < count; ++k) p[k] = m_run.links + (from + k) * m_run.schritt;
  QElapsedTimer slice;
  slice.start();

  auto current = [&] { return m_generation == generation && m_here == here; };
  ColumnPixels columns[kSideBySide];
  const bool done = computeColumns(
      settings, p, count, columns,
      [&] {
        if (slice.nsecsElapsed() >= kSliceNs) {
          if (m_yield) m_yield();
          slice.start();
        }
        return current();
      },
      m_arithmetic);
  if (!done || !current()) return;
  for (int k = 0; k < count; ++k) m_ready[std::size_t(from + k)] = std::move(columns[k]);
  m_waiting = false;
}

void ColumnEngine::woken() {}

}  // namespace orbits

#endif
