#include "orbits/columnengine.h"

#include <QCoreApplication>
#include <QThread>
#include <algorithm>
#include <bit>

namespace orbits {

namespace {
// Columns in hand or in work ahead of the one asked for: memory stays a few
// hundred kilobytes whatever bis is.
constexpr std::int32_t kAhead = 32;
// The workers are called again once fewer than this many are ahead.
constexpr std::int32_t kLowWater = kAhead / 2;
constexpr int kFrameMs = 16;

bool same(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }
}  // namespace

bool operator==(const ColumnRun& a, const ColumnRun& b) {
  return a.settings == b.settings && same(a.links, b.links) && same(a.schritt, b.schritt);
}

ColumnEngine::ColumnEngine(QObject* parent) : QObject(parent) {
  m_pool.setMaxThreadCount(QThread::idealThreadCount());
  m_frame.setSingleShot(true);
  m_frame.setInterval(kFrameMs);
}

ColumnEngine::~ColumnEngine() {
  stop();
  m_pool.waitForDone();
}

std::unique_ptr<ColumnPixels> ColumnEngine::take(const ColumnRun& run, std::int32_t spalte) {
  std::unique_ptr<ColumnPixels> column;
  {
    std::lock_guard lock(m_mutex);
    m_held = false;
    // Other inputs, or a column that is not next in line: start afresh.
    if (!m_active || !(run == m_run) || spalte < m_wanted || spalte > m_next) restart(run, spalte);
    m_run.last = std::max(run.last, spalte);
    m_ready.erase(m_ready.begin(), m_ready.lower_bound(spalte));
    m_wanted = spalte;
    if (auto ready = m_ready.find(spalte); ready != m_ready.end()) {
      column = std::move(ready->second);
      m_ready.erase(ready);
      m_wanted = spalte + 1;
    } else {
      m_waiting = true;
    }
  }
  m_wake.notify_all();
  startWorkers();
  return column;
}

void ColumnEngine::waitForColumn() {
  m_frame.start();
  QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
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
}

bool ColumnEngine::hasWork() const { return m_active && !m_held && m_next <= m_run.last && m_next < m_wanted + kAhead; }

void ColumnEngine::startWorkers() {
  int starting = 0;
  {
    std::lock_guard lock(m_mutex);
    if (!hasWork() || m_next - m_wanted >= kLowWater) return;
    starting = m_pool.maxThreadCount() - m_busy;
    m_busy += starting;
  }
  for (int i = 0; i < starting; ++i) m_pool.start([this] { work(); });
}

// A worker takes the next few columns as long as any are wanted, computes
// them side by side, and hands them over if its inputs are still current.
void ColumnEngine::work() {
  for (;;) {
    std::uint64_t generation;
    ColumnSettings settings;
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
      count = std::min({kSideBySide, m_run.last - from + 1, m_wanted + kAhead - from});
      m_next += count;
      generation = m_generation;
      settings = m_run.settings;
      for (int k = 0; k < count; ++k) p[k] = m_run.links + (from + k) * m_run.schritt;
    }
    ColumnPixels columns[kSideBySide];
    const bool done = computeColumns(settings, p, count, columns, [&] { return keepGoing(generation); });
    bool wake = false;
    {
      std::lock_guard lock(m_mutex);
      if (done && generation == m_generation) {
        for (int k = 0; k < count; ++k) m_ready[from + k] = std::make_unique<ColumnPixels>(std::move(columns[k]));
        wake = std::exchange(m_waiting, false);
      }
    }
    // A queued call wakes the window's thread from its wait.
    if (wake)
      QMetaObject::invokeMethod(
          this, [] {}, Qt::QueuedConnection);
  }
}

bool ColumnEngine::keepGoing(std::uint64_t generation) {
  if (m_generation.load(std::memory_order_relaxed) != generation) return false;
  if (!m_held.load(std::memory_order_relaxed)) return true;
  std::unique_lock lock(m_mutex);
  m_wake.wait(lock, [&] { return !m_held || m_generation != generation; });
  return m_generation == generation;
}

}  // namespace orbits
