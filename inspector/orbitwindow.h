// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The orbit window, "Bahn bei p = ...": the picture of one orbit (see
// orbitpicture.h), a check box for the neighbour orbit, and a line that says
// while the orbit is computed. The orbit is iterated on a worker thread of
// the window's own pool; a newer request, or closing the window, cancels the
// one in work within a fraction of a millisecond.
//
// Keys: Left and Right step p by one column of the diagram, with Shift by a
// tenth of one; Ctrl+C copies the picture, Ctrl+S saves it; Esc closes.
#pragma once

#include <QBoxLayout>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QThreadPool>
#include <QTimer>
#include <QWidget>
#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

#include "inspector/orbit.h"
#include "support/restore.h"

namespace inspector {

class OrbitWindow : public QWidget {
  Q_OBJECT

 public:
  // A window of its own that belongs to `owner`.
  explicit OrbitWindow(QWidget* owner);
  ~OrbitWindow() override;

  // Shows the orbit for these settings and starts computing it; a request
  // still in work is cancelled.
  void request(const OrbitSettings& settings);
  const OrbitSettings& settings() const { return m_settings; }
  bool computing() const { return m_computing; }
  // The picture as the window shows it, at the screen's pixel ratio.
  const QImage& picture() const { return m_picture; }
  // The p of the orbit the picture shows; none while it shows none.
  std::optional<double> shownP() const { return m_shownP; }
  QString suggestedName() const;

  // For tests: called on the worker before every block of steps, with the
  // counter reached, while the guard lives. Set and restored while no orbit
  // is in work.
  static support::Restore setGate(std::function<void(std::int64_t counter)> gate);

 signals:
  // Every request ends once, in order: complete (and then drawn, if it is
  // still the latest), or cancelled.
  void ended(bool complete);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private slots:
  void delivered();  // takes the orbits the worker has finished

 private:
  void compute(const OrbitSettings& settings);
  void work();
  void step(int tenths);
  void redraw();
  void showProgress();
  void placeBesideOwner();
  void arrange();
  void arrangeBelow(bool stacked);
  void copy();
  void save();

  QThreadPool m_pool;  // one thread, which takes the requests in turn
  struct Job {
    OrbitSettings settings;
    std::uint64_t generation = 0;
  };
  std::mutex m_mutex;
  struct Result {
    std::uint64_t generation = 0;
    bool complete = false;
    std::shared_ptr<const Orbit> orbit;
  };
  // Under m_mutex: requests not yet taken by the pool's thread, and its
  // results not yet taken by the window's.
  std::deque<Job> m_jobs;
  std::deque<Result> m_results;
  std::atomic<std::uint64_t> m_generation{0};  // the request in work; older ones stop
  std::atomic<std::int64_t> m_progress{0};     // steps done by the request in work
  OrbitSettings m_settings;
  // The arrow keys count tenths of a column from the p asked for, so that
  // ten of them land on the next column.
  double m_origin = 0;
  std::int64_t m_tenths = 0;
  bool m_stale = true;                   // the picture shows another orbit than m_settings
  std::shared_ptr<const Orbit> m_orbit;  // of m_settings once computed
  bool m_computing = false;
  QImage m_picture;
  std::optional<double> m_shownP;
  class View;
  View* m_view;
  QCheckBox* m_neighbour;
  QBoxLayout* m_below;    // the check box and the status line
  bool m_placed = false;  // once opened beside the main window
  QLabel* m_status;
  QTimer m_progressTimer;  // the status line while a long orbit is computed
};

}  // namespace inspector
