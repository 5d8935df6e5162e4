// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Work for a window on threads of its own, as a render thread does it: the
// window starts a job and goes on answering its user; the job runs as one or
// more tasks side by side on the worker's threads; a newer job, or a cancel,
// stops the one in work at the task's next look at its ticket. Every job
// ends once, in order, on the window's thread, when all its tasks have
// returned: complete, or not. The worker owns the lock, the job's number
// (the generation the tasks compare with) and the progress; the window only
// starts, cancels and shows. Where there are no threads (a page the browser
// gives no shared memory) the tasks run on the window's thread, one after
// the other, and the window is served every few milliseconds while they look
// at their tickets: a newer job started there makes the one below it stop,
// as a thread's would.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QtGlobal>
#if QT_CONFIG(thread)
#include <QThreadPool>
#endif
#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace forms {

class Worker : public QObject {
  Q_OBJECT

  struct Job;

 public:
  // What a task sees of its job.
  class Ticket {
   public:
    // False once a newer job has started or the job was cancelled: the
    // task then returns as soon as it can.
    bool current() const;
    // The job's progress, in whatever unit the window divides by: set, or
    // added to by one of several tasks.
    void reached(std::int64_t done) const;
    void advanced(std::int64_t more) const;
    // Tells the window's thread that the task has a part of its result
    // ready (the signal `published`, queued).
    void publish() const;

   private:
    friend class Worker;
    Ticket(Worker& worker, Job& job) : m_worker(worker), m_job(job) {}
    Worker& m_worker;
    Job& m_job;
  };
  // A task returns true when it has done all of its part.
  using Task = std::function<bool(const Ticket&)>;

  explicit Worker(int threads = 1, QObject* parent = nullptr);
  ~Worker() override;  // cancels, and waits for the tasks to return

  // Starts a job of `tasks` calls of `task` side by side, cancelling the
  // one in work; returns its number. The task is called on the worker's
  // threads: what it writes, the window reads once the job has ended.
  std::uint64_t start(Task task, int tasks = 1);
  // Cancels the job in work, if any; it still ends, incomplete.
  void cancel();
  // The number of the job that counts: the latest started, or none once it
  // is cancelled.
  std::uint64_t latest() const { return m_generation.load(std::memory_order_relaxed); }
  // The progress of the latest job.
  std::int64_t progress() const;
  int threads() const;

 signals:
  // Once for every job, in the order they were started.
  void ended(std::uint64_t job, bool complete);
  void published(std::uint64_t job);

 private:
  void dispatch(int tasks);  // the tasks of the job just started, to the threads
  Q_INVOKABLE void delivered();
  Q_INVOKABLE void announce(qulonglong job);  // a type Qt queues
  void run();

  Q_INVOKABLE void runHere();  // without threads: a task on the window's thread
#if QT_CONFIG(thread)
  QThreadPool m_pool;
#else
  mutable QElapsedTimer m_slice;  // since the window was last served
#endif
  std::atomic<std::uint64_t> m_generation{0};
  mutable std::mutex m_mutex;
  // Under m_mutex: the tasks not yet taken by a thread, the jobs started
  // and not yet ended, in order, and the latest job.
  std::deque<std::shared_ptr<Job>> m_waiting;
  std::deque<std::shared_ptr<Job>> m_started;
  std::shared_ptr<Job> m_latest;

  // The points where work passes between threads through Qt's own locks,
  // one token each for the thread sanitizer (see support/handover.h).
  struct HandOvers {
    char task = 0, done = 0, call = 0;
  } m_handOver;
};

}  // namespace forms
