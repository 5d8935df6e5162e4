// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The frame the lesson windows share: a window of its own that belongs to the
// main window and leaves it the keyboard, a worker on threads of its own for
// what it computes (a newer request, or closing the window, cancels the one
// in work), a status line that says how far that is, the keys Ctrl+C, Ctrl+S,
// Ctrl+Shift+S (the picture at print size) and Esc, and its place beside the
// main window the first time it opens.
// Each window on it says only what it computes and how it shows it.
#pragma once

#include <QImage>
#include <QLabel>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <vector>

#include "forms/placement.h"
#include "forms/worker.h"
#include "inspector/printoptions.h"

namespace inspector {

class LessonWindow : public QWidget {
  Q_OBJECT

 public:
  // A window of `owner`'s that leaves `keepFree`, a widget of the owner (the
  // diagram's picture), free where there is room; `threads` for its worker.
  LessonWindow(QWidget* owner, const QWidget* keepFree, int threads);

  // True from a request until its result is taken, or the window closes.
  bool computing() const { return m_computing; }

 signals:
  // Every request ends once, in order: complete, or cancelled.
  void ended(bool complete);
  // The window was closed (and is hidden).
  void closed();

 protected:
  // Starts `tasks` calls of `task` on the worker, cancelling the request in
  // work. The status line says `busy` and the share of `total` the tasks
  // have reached or advanced by, every tenth of a second.
  void compute(forms::Worker::Task task, int tasks, const QString& busy, std::int64_t total);
  // The latest request has ended complete: the window takes its result.
  virtual void finished() = 0;
  // A task of the latest request has published a part of its result.
  virtual void published() {}
  // Once a tenth of a second while a request is in work.
  virtual void progressShown() {}

  // What Ctrl+C and Ctrl+S take: the picture on display, null while there
  // is none, and the name the save dialog suggests for it.
  virtual QImage shownPicture() const { return {}; }
  virtual QString suggestedName() const { return {}; }
  virtual void copy();
  virtual void save();
  // The picture on display drawn anew at print size (null where there is
  // none), which Ctrl+Shift+S saves.
  virtual QImage printPicture(const PrintOptions&) const { return {}; }
  void savePrintPicture();

  // Shows it; the first time beside the main window, as place() says.
  void open();
  // The first placement, by default at the window's own size hint.
  virtual void place();
  // Places the window, not yet shown, beside the main window in the first
  // of the arrangements of its client area that the room there takes;
  // returns the arrangement's index (0 where there is nothing to go beside).
  int placeBeside(const std::vector<forms::Arrangement>& arrangements);

  QLabel* status() const { return m_status; }
  forms::Worker& worker() { return m_worker; }

  void closeEvent(QCloseEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void jobEnded(std::uint64_t job, bool complete);
  void showProgress();

  forms::Worker m_worker;
  const QWidget* m_keepFree;
  QLabel* m_status;
  QTimer m_progressTimer;
  QString m_busy;
  std::int64_t m_total = 1;
  bool m_computing = false, m_placed = false;
};

}  // namespace inspector
