// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// "Lyapunov-Exponent über p": the exponent of each column of the diagram's
// window, as the orbit window computes it for one, drawn over the same p
// axis: the zero line, the stable parts (below it) and the chaotic ones
// (above it) in two colours, the p of the orbit window marked, the pointer's
// p and exponent read out below. Computed on worker threads, the columns in
// groups of eight; a newer request, or closing the window, cancels the work.
//
// Keys: Ctrl+C copies the picture, Ctrl+S saves it; Esc closes.
#pragma once

#include <QImage>
#include <QLabel>
#include <QThreadPool>
#include <QTimer>
#include <QWidget>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "inspector/orbit.h"

namespace inspector {

class LyapunovWindow : public QWidget {
  Q_OBJECT

 public:
  // `marker` gives the p to mark (the orbit window's), if any.
  LyapunovWindow(QWidget* owner, std::function<std::optional<double>()> marker);
  ~LyapunovWindow() override;

  // The exponents for these settings at each p of `columns`, from the left.
  void request(const OrbitSettings& settings, std::vector<double> columns);
  bool computing() const { return m_computing; }
  // The exponents of the columns on display; empty while none are.
  const std::vector<double>& shownExponents() const { return m_shown; }
  const std::vector<double>& shownColumns() const { return m_shownColumns; }
  const QImage& picture() const { return m_picture; }
  QString suggestedName() const;
  // Draws anew, for a moved marker.
  void redraw();

 signals:
  // Every request ends once: complete (and drawn), or cancelled.
  void ended(bool complete);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private slots:
  void delivered();

 private:
  struct Job;
  void work();
  void showProgress();
  void pointAt(double x);
  void placeBesideOwner();

  std::function<std::optional<double>()> m_marker;
  QThreadPool m_pool;
  std::mutex m_mutex;
  std::shared_ptr<Job> m_job;  // under m_mutex: the request in work
  std::atomic<std::uint64_t> m_generation{0};
  OrbitSettings m_settings;
  std::vector<double> m_shown, m_shownColumns;
  bool m_computing = false, m_placed = false;
  QImage m_picture;
  class View;
  View* m_view;
  QLabel* m_status;
  QTimer m_progressTimer;
};

}  // namespace inspector
