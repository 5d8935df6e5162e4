// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "inspector/lessonwindow.h"

#include <QCloseEvent>
#include <QHideEvent>
#include <QLayout>
#include <QShortcut>
#include <functional>

#include "forms/export.h"

namespace inspector {

namespace {
// The status line gives the share done this often while a request is in work;
// a request done sooner shows its result without a status first.
constexpr int kProgressMs = 100;
}  // namespace

LessonWindow::LessonWindow(QWidget* owner, const QWidget* keepFree, int threads)
    : QWidget(owner, Qt::Window), m_worker(threads), m_keepFree(keepFree), m_status(new QLabel(this)) {
  // The main window keeps the keyboard, so that its keys can be pressed
  // again at once; a click here gives this window its own.
  setAttribute(Qt::WA_ShowWithoutActivating);
  const std::pair<QKeySequence, std::function<void()>> keys[] = {
      {QKeySequence::Copy, [this] { copy(); }},
      {QKeySequence::Save, [this] { save(); }},
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), [this] { savePrintPicture(); }},
      {QKeySequence(Qt::Key_Escape), [this] { close(); }},
  };
  for (const auto& [key, action] : keys) connect(new QShortcut(key, this), &QShortcut::activated, this, action);
  m_progressTimer.setInterval(kProgressMs);
  connect(&m_progressTimer, &QTimer::timeout, this, &LessonWindow::showProgress);
  connect(&m_worker, &forms::Worker::ended, this, &LessonWindow::jobEnded);
  connect(&m_worker, &forms::Worker::published, this, [this](std::uint64_t job) {
    if (m_computing && job == m_worker.latest()) published();
  });
}

void LessonWindow::compute(forms::Worker::Task task, int tasks, const QString& busy, std::int64_t total) {
  m_busy = busy;
  m_total = std::max<std::int64_t>(total, 1);
  m_computing = true;
  m_status->setText(busy);
  m_progressTimer.start();
  m_worker.start(std::move(task), tasks);
}

void LessonWindow::jobEnded(std::uint64_t job, bool complete) {
  if (complete && m_computing && job == m_worker.latest()) {
    m_computing = false;
    m_progressTimer.stop();
    m_status->clear();
    finished();
  }
  emit ended(complete);
}

void LessonWindow::showProgress() {
  if (!m_computing) return;
  progressShown();
  const double share = double(m_worker.progress()) / double(m_total);
  m_status->setText(QStringLiteral("%1 %2 %").arg(m_busy).arg(int(100 * std::clamp(share, 0.0, 1.0))));
}

// Only a picture on display goes onto a worksheet.
void LessonWindow::copy() {
  const QImage picture = shownPicture();
  if (!picture.isNull()) forms::copyPicture(picture);
}

void LessonWindow::save() {
  // The dialog lets events through: the picture may change meanwhile.
  const QImage picture = shownPicture();
  if (!picture.isNull()) forms::savePicture(this, picture, suggestedName());
}

// The options asked for, the picture drawn at that size, and saved.
void LessonWindow::savePrintPicture() {
  if (shownPicture().isNull()) return;
  askPrintOptions(this, [this](const PrintOptions& options) {
    const QImage picture = printPicture(options);
    if (!picture.isNull()) forms::savePicture(this, picture, printName(suggestedName(), options.width));
  });
}

void LessonWindow::open() {
  if (!isVisible()) {
    if (!m_placed) {
      m_placed = true;
      place();
    }
    show();
  }
}

void LessonWindow::place() {
  layout()->activate();
  placeBeside({{sizeHint(), minimumSizeHint()}});
}

int LessonWindow::placeBeside(const std::vector<forms::Arrangement>& arrangements) {
  if (!m_keepFree) return 0;
  const forms::Placement place = forms::placeBeside(arrangements, this, m_keepFree);
  forms::moveTo(this, place);
  return place.arrangement;
}

void LessonWindow::closeEvent(QCloseEvent* event) {
  m_worker.cancel();  // what is in work stops
  m_computing = false;
  m_progressTimer.stop();
  m_status->clear();
  QWidget::closeEvent(event);
}

// Once it is hidden (closed, not minimised), so that what depends on it
// being open sees it closed.
void LessonWindow::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  if (!event->spontaneous()) emit closed();
}

}  // namespace inspector
