// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Columns computed ahead on worker threads from Qt's pool, while the window's
// thread draws them one by one and serves its events. The sweep asks for one
// column at a time, with the inputs it would use for it now; a column
// computed ahead is handed over only when it was computed from exactly those
// inputs. Any other request drops everything ahead (the workers notice within
// microseconds) and starts afresh from the column asked for.
#pragma once

#include <QObject>
#include <QtGlobal>
#if QT_CONFIG(thread)
#include <QThreadPool>
#endif
#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "orbits/columns.h"
#include "support/restore.h"

namespace orbits {

// The columns of a run: column s lies at p = links + s * schritt.
struct ColumnRun {
  ColumnSettings settings;
  double links = 0, schritt = 0;
  std::int32_t last = kColumns - 1;  // computed ahead up to here

  friend bool operator==(const ColumnRun& a, const ColumnRun& b);  // bitwise; `last` aside
};

class ColumnEngine : public QObject {
  Q_OBJECT

 public:
  // With `workers` threads of its own pool; 0: one per core.
  explicit ColumnEngine(int workers = 0, QObject* parent = nullptr);
  ~ColumnEngine() override;  // stops the workers and waits for them

  // Column `spalte` of the run, if it is ready; otherwise nothing, and the
  // workers are on it and on the columns after it. When it is ready, an
  // event is posted to this object, so a wait for events ends.
  ColumnPixels take(const ColumnRun& run, std::int32_t spalte);
  // Sets the workers on column `spalte` of the run and the columns after it,
  // as take would, without taking anything.
  void prepare(const ColumnRun& run, std::int32_t spalte);
  // Held, the workers stand still where they are and compute nothing more;
  // nothing is lost. The next take lets them go on.
  void hold();
  // Drops every column in hand or in work.
  void stop();

  int workers() const;
  // Without threads (a page the browser gives no shared memory), take()
  // computes the batch of the column asked for itself, on the window's
  // thread, and calls `yield` every few milliseconds meanwhile, so that the
  // window answers; a handler served there that asks for columns makes the
  // batch below it stale. With threads it is never called.
  void setYield(std::function<void()> yield);
  // Whether take() computes the columns itself: a wait for one need not wait.
  static constexpr bool computesHere() {
#if QT_CONFIG(thread)
    return false;
#else
    return true;
#endif
  }
  // The kernels the workers use from their next batch on (to compare them).
  void setArithmetic(Arithmetic arithmetic);

  // For tests: a worker calls the gate before it computes the columns from
  // `from` on, on its own thread, and goes on when the gate returns; so a
  // test can hold a column back for as long as it likes. Until the guard
  // goes, and the engine must outlive it.
  support::Restore setGate(std::function<void(std::int32_t from)> gate);
  // For tests: the column the window's thread waits for, -1 if it waits for
  // none. The wait lasts until that column is ready.
  std::int32_t waitingFor() const;

 private:
  // What the queued call from a worker runs on the window's thread: nothing
  // but the end of its wait for events.
  Q_INVOKABLE void woken();

  bool hasWork() const;  // with m_mutex held
  // With m_mutex held: lets held workers go, and points them at `spalte` of
  // the run, afresh where it is not what they work on. True if they were held.
  bool aim(const ColumnRun& run, std::int32_t spalte);
  void restart(const ColumnRun& run, std::int32_t spalte);
  void startWorkers();
  void work();
  bool keepGoing(std::uint64_t generation);

#if QT_CONFIG(thread)
  QThreadPool m_pool;
#else
  void computeHere();
  std::function<void()> m_yield;
  std::uint64_t m_here = 0;  // the batch computed here, counted: a nested one stops the one below
#endif

  mutable std::mutex m_mutex;
  std::condition_variable m_wake;  // a held worker waits here
  std::atomic<std::uint64_t> m_generation{0};
  std::atomic<bool> m_held{false};
  bool m_active = false;
  ColumnRun m_run;
  std::int32_t m_wanted = 0;          // the column the sweep asks for next; earlier ones are gone
  std::int32_t m_next = 0;            // the next column to hand to a worker
  std::int32_t m_ahead = 0;           // how many columns may be in hand or in work
  std::vector<ColumnPixels> m_ready;  // by column; those before m_wanted are gone
  int m_busy = 0;                     // workers running
  bool m_waiting = false;             // the window's thread waits for a column
  std::function<void(std::int32_t)> m_gate;
  Arithmetic m_arithmetic = Arithmetic::Fastest;

  // The points where work passes between threads through Qt's own locks,
  // one token each for the thread sanitizer (see handover.h).
  struct HandOvers {
    char task = 0;  // the window's thread starts a task on a worker
    char done = 0;  // a worker's task ends; the pool's waitForDone sees it
    char wake = 0;  // a worker wakes the window's thread through its event queue
  } m_handOver;
};

}  // namespace orbits
