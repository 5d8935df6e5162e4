// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "orbits/columnengine.h"

#include <QCoreApplication>
#include <QThread>
#include <algorithm>
#include <bit>

#include "support/bits.h"
#include "support/handover.h"

namespace orbits {

namespace {
// Columns in hand or in work ahead of the one asked for are bounded by the
// memory of their cells, whatever bis is: a few MiB hold a whole sweep of
// thin points, so the window's thread never waits for a cheap column, and a
// sweep with thick pens on a scaled desktop still keeps hundreds ahead.
constexpr std::size_t kAheadBytes = std::size_t{4} << 20;

std::int32_t aheadFor(const ColumnRun& run, int workers) {
  const std::size_t strips = std::max(run.settings.thin, run.settings.pen);
  const std::size_t cells = strips * (std::size_t(run.settings.mapping.height) + 2 * strips);
  // A column's cells, its handle, and some room for the allocator's own.
  const std::size_t column = sizeof(ColumnPixels) + 64 + cells * sizeof(std::uint32_t);
  // Enough for every worker to have two batches, but never more than a sweep
  // has: with many workers (a 32-thread desktop) the least would pass it.
  const std::size_t least = std::size_t(2) * kSideBySide * std::max(1, workers);
  return std::int32_t(std::min(std::max(kAheadBytes / column, least), std::size_t(kColumns)));
}

bool same(double a, double b) { return support::bitCast<std::uint64_t>(a) == support::bitCast<std::uint64_t>(b); }
}  // namespace

bool operator==(const ColumnRun& a, const ColumnRun& b) {
  return a.settings == b.settings && same(a.links, b.links) && same(a.schritt, b.schritt);
}

#if QT_CONFIG(thread)
ColumnEngine::ColumnEngine(int workers, QObject* parent) : QObject(parent) {
  m_pool.setMaxThreadCount(workers > 0 ? workers : QThread::idealThreadCount());
}

ColumnEngine::~ColumnEngine() {
  stop();
  m_pool.waitForDone();
  TAKEN_OVER(&m_handOver.done);
}

int ColumnEngine::workers() const { return m_pool.maxThreadCount(); }

// Threads serve the window by themselves; the engine without them keeps
// the function (by value there, so the same signature here).
void ColumnEngine::setYield(std::function<void()> /*yield*/) {}  // NOLINT(performance-unnecessary-value-param)
#endif

support::Restore ColumnEngine::setGate(std::function<void(std::int32_t)> gate) {
  std::lock_guard lock(m_mutex);
  return support::Restore([this, previous = std::exchange(m_gate, std::move(gate))] {
    std::lock_guard relock(m_mutex);
    m_gate = previous;
  });
}

void ColumnEngine::setArithmetic(Arithmetic arithmetic) {
  std::lock_guard lock(m_mutex);
  m_arithmetic = arithmetic;
}

std::int32_t ColumnEngine::waitingFor() const {
  std::lock_guard lock(m_mutex);
  return m_waiting ? m_wanted : -1;
}

ColumnPixels ColumnEngine::take(const ColumnRun& run, std::int32_t spalte) {
  ColumnPixels column;
  bool wasHeld;
  {
    std::lock_guard lock(m_mutex);
    wasHeld = aim(run, spalte);
    if (m_ready[spalte]) {
      column = std::move(m_ready[spalte]);
      m_ready[spalte] = {};
      m_wanted = spalte + 1;
    } else {
      m_waiting = true;
    }
  }
  if (wasHeld) m_wake.notify_all();
  startWorkers();
  if (computesHere() && !column) {  // computed just now, unless a handler meanwhile asked for others
    std::lock_guard lock(m_mutex);
    if (std::size_t(spalte) < m_ready.size() && m_ready[spalte] && spalte == m_wanted) {
      column = std::move(m_ready[spalte]);
      m_ready[spalte] = {};
      m_wanted = spalte + 1;
    }
  }
  return column;
}

void ColumnEngine::prepare(const ColumnRun& run, std::int32_t spalte) {
  bool wasHeld;
  {
    std::lock_guard lock(m_mutex);
    wasHeld = aim(run, spalte);
  }
  if (wasHeld) m_wake.notify_all();
  startWorkers();
}

bool ColumnEngine::aim(const ColumnRun& run, std::int32_t spalte) {
  const bool wasHeld = m_held.exchange(false);
  // Other inputs, or a column that is not next in line: start afresh.
  if (!m_active || !(run == m_run) || spalte < m_wanted || spalte > m_next) restart(run, spalte);
  m_run.last = std::max(run.last, spalte);
  if (m_ready.size() <= std::size_t(m_run.last)) m_ready.resize(std::size_t(m_run.last) + 1);
  for (std::int32_t gone = m_wanted; gone < spalte; ++gone) m_ready[gone] = {};
  m_wanted = spalte;
  return wasHeld;
}

void ColumnEngine::hold() {
  std::lock_guard lock(m_mutex);
  m_held = true;
}

void ColumnEngine::stop() {
  {
    std::lock_guard lock(m_mutex);
    ++m_generation;
    m_active = false;
    m_held = false;
    m_waiting = false;
    m_ready.clear();
  }
  m_wake.notify_all();
}

void ColumnEngine::restart(const ColumnRun& run, std::int32_t spalte) {
  ++m_generation;
  m_active = true;
  m_run = run;
  m_ready.clear();
  m_wanted = m_next = spalte;
  m_ahead = computesHere() ? kSideBySide : aheadFor(run, workers());
}

bool ColumnEngine::hasWork() const {
  return m_active && !m_held && m_next <= m_run.last && m_next < m_wanted + m_ahead;
}

#if QT_CONFIG(thread)
void ColumnEngine::startWorkers() {
  int starting = 0;
  {
    std::lock_guard lock(m_mutex);
    // Called again once less than half the lookahead is in hand or in work.
    if (!hasWork() || m_next - m_wanted >= m_ahead / 2) return;
    starting = m_pool.maxThreadCount() - m_busy;
    m_busy += starting;
  }
  for (int i = 0; i < starting; ++i) {
    HANDED_OVER(&m_handOver.task);
    m_pool.start([this] {
      TAKEN_OVER(&m_handOver.task);
      work();
      HANDED_OVER(&m_handOver.done);
    });
  }
}

// A worker takes the next few columns as long as any are wanted, computes
// them side by side, and hands them over if its inputs are still current.
void ColumnEngine::work() {
  for (;;) {
    std::uint64_t generation;
    ColumnSettings settings;
    std::function<void(std::int32_t)> gate;
    Arithmetic arithmetic;
    std::int32_t from;
    int count;
    double p[kSideBySide];
    {
      std::lock_guard lock(m_mutex);
      if (!hasWork()) {
        --m_busy;
        return;
      }
      from = m_next;
      count = std::min({kSideBySide, m_run.last - from + 1, m_wanted + m_ahead - from});
      m_next += count;
      generation = m_generation;
      settings = m_run.settings;
      gate = m_gate;
      arithmetic = m_arithmetic;
      for (int k = 0; k < count; ++k) p[k] = m_run.links + (from + k) * m_run.schritt;
    }
    if (gate) gate(from);
    ColumnPixels columns[kSideBySide];
    const bool done = computeColumns(
        settings, p, count, columns, [&] { return keepGoing(generation); }, arithmetic);
    bool wake = false;
    {
      std::lock_guard lock(m_mutex);
      if (done && generation == m_generation) {
        for (int k = 0; k < count; ++k) m_ready[from + k] = std::move(columns[k]);
        wake = std::exchange(m_waiting, false);
      }
    }
    // A queued call wakes the window's thread from its wait; it travels
    // through Qt's event queue.
    if (wake) {
      HANDED_OVER(&m_handOver.wake);
      QMetaObject::invokeMethod(this, "woken", Qt::QueuedConnection);
    }
  }
}

void ColumnEngine::woken() { TAKEN_OVER(&m_handOver.wake); }

#endif

bool ColumnEngine::keepGoing(std::uint64_t generation) {
  if (m_generation.load(std::memory_order_relaxed) != generation) return false;
  if (!m_held.load(std::memory_order_relaxed)) return true;
  std::unique_lock lock(m_mutex);
  m_wake.wait(lock, [&] { return !m_held || m_generation != generation; });
  return m_generation == generation;
}

}  // namespace orbits
