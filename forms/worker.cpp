// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/worker.h"

#include "forms/runtime.h"
#include "support/handover.h"

namespace forms {

struct Worker::Job {
  std::uint64_t number = 0;
  Task task;
  int tasks = 1;
  std::atomic<std::int64_t> progress{0};
  // Under the worker's lock.
  int returned = 0;
  bool complete = true;
};

#if QT_CONFIG(thread)
bool Worker::Ticket::current() const { return m_worker.m_generation.load(std::memory_order_relaxed) == m_job.number; }
#else
// Without threads, a look at the ticket serves the window every few
// milliseconds; a newer job may start and run there.
bool Worker::Ticket::current() const {
  constexpr qint64 kSliceNs = 8'000'000;
  if (!m_worker.m_slice.isValid() || m_worker.m_slice.nsecsElapsed() >= kSliceNs) {
    waitForEventsFor(0);
    m_worker.m_slice.start();
  }
  return m_worker.m_generation.load(std::memory_order_relaxed) == m_job.number;
}
#endif

void Worker::Ticket::reached(std::int64_t done) const { m_job.progress.store(done, std::memory_order_relaxed); }

void Worker::Ticket::advanced(std::int64_t more) const { m_job.progress.fetch_add(more, std::memory_order_relaxed); }

void Worker::Ticket::publish() const {
  HANDED_OVER(&m_worker.m_handOver.call);
  QMetaObject::invokeMethod(&m_worker, "announce", Qt::QueuedConnection, Q_ARG(qulonglong, m_job.number));
}

std::uint64_t Worker::start(Task task, int tasks) {
  auto job = std::make_shared<Job>();
  job->task = std::move(task);
  job->tasks = std::max(1, tasks);
  {
    const std::lock_guard lock(m_mutex);
    job->number = m_generation.load(std::memory_order_relaxed) + 1;
    m_generation.store(job->number, std::memory_order_relaxed);  // what is in work stops
    for (int i = 0; i < job->tasks; ++i) m_waiting.push_back(job);
    m_started.push_back(job);
    m_latest = job;
  }
  dispatch(job->tasks);
  return job->number;
}

#if QT_CONFIG(thread)
Worker::Worker(int threads, QObject* parent) : QObject(parent) { m_pool.setMaxThreadCount(std::max(1, threads)); }

Worker::~Worker() {
  cancel();
  m_pool.waitForDone();
  TAKEN_OVER(&m_handOver.done);
}

int Worker::threads() const { return m_pool.maxThreadCount(); }

void Worker::runHere() { run(); }

// A pool's task carries nothing but `this`: it takes its job under the
// lock, so nothing reaches its thread through Qt's locks alone.
void Worker::dispatch(int tasks) {
  for (int i = 0; i < tasks; ++i) {
    HANDED_OVER(&m_handOver.task);
    m_pool.start([this] {
      TAKEN_OVER(&m_handOver.task);
      run();
      HANDED_OVER(&m_handOver.done);
    });
  }
}
#endif

void Worker::cancel() {
  const std::lock_guard lock(m_mutex);
  if (m_latest && m_generation.load(std::memory_order_relaxed) == m_latest->number)
    m_generation.store(m_latest->number + 1, std::memory_order_relaxed);
}

std::int64_t Worker::progress() const {
  const std::lock_guard lock(m_mutex);
  return m_latest ? m_latest->progress.load(std::memory_order_relaxed) : 0;
}

// On a thread of the pool: one task of the oldest job waiting.
void Worker::run() {
  std::shared_ptr<Job> job;
  {
    const std::lock_guard lock(m_mutex);
    job = std::move(m_waiting.front());
    m_waiting.pop_front();
  }
  const Ticket ticket(*this, *job);
  const bool done = ticket.current() && job->task(ticket);
  {
    // The job's last holder is the window's thread, which ends it.
    const std::lock_guard lock(m_mutex);
    job->complete = job->complete && done;
    ++job->returned;
    job.reset();
  }
  HANDED_OVER(&m_handOver.call);
  QMetaObject::invokeMethod(this, "delivered", Qt::QueuedConnection);
}

// On the window's thread: the jobs whose tasks have all returned, in order.
void Worker::delivered() {
  TAKEN_OVER(&m_handOver.call);
  for (;;) {
    std::shared_ptr<Job> job;
    {
      const std::lock_guard lock(m_mutex);
      if (m_started.empty() || m_started.front()->returned < m_started.front()->tasks) return;
      job = std::move(m_started.front());
      m_started.pop_front();
    }
    emit ended(job->number, job->complete);
  }
}

void Worker::announce(qulonglong job) {
  TAKEN_OVER(&m_handOver.call);
  emit published(job);
}

}  // namespace forms
