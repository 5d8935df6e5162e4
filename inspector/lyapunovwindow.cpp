// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "inspector/lyapunovwindow.h"

#include <QBoxLayout>
#include <QLocale>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <cmath>

#include "analysis/exponents.h"
#include "forms/export.h"
#include "inspector/lyapunovpicture.h"
#include "support/numbers.h"

namespace inspector {

// One request: the columns, taken by the tasks eight at a time, and their
// exponents, each written by the task that took its group.
struct LyapunovWindow::Job {
  orbits::Iteration settings;
  std::vector<double> columns;
  std::vector<double> exponents;
  std::atomic<int> next{0};  // the next group to take
  int groups() const { return int((columns.size() + analysis::kExponentLanes - 1) / analysis::kExponentLanes); }

  // One task: groups until none is left.
  bool work(const forms::Worker::Ticket& ticket) {
    auto current = [&] { return ticket.current(); };
    for (int group; current() && (group = next.fetch_add(1)) < groups();) {
      const int from = group * analysis::kExponentLanes;
      const int count = std::min<int>(analysis::kExponentLanes, int(columns.size()) - from);
      if (!analysis::exponents(settings, columns.data() + from, count, exponents.data() + from, current)) return false;
      ticket.advanced(count);
    }
    return current();
  }
};

LyapunovWindow::LyapunovWindow(QWidget* owner, const QWidget* keepFree, std::function<std::optional<double>()> marker)
    : LessonWindow(owner, keepFree, QThread::idealThreadCount()),
      m_marker(std::move(marker)),
      m_view(new forms::ImageView(kCurveSize, kCurveLeast, this)) {
  setWindowTitle(QStringLiteral("Lyapunov-Exponent über p"));
  auto* rows = new QVBoxLayout(this);
  rows->addWidget(m_view, 1);
  rows->addWidget(status());
  connect(m_view, &forms::ImageView::resized, this, &LyapunovWindow::redraw);
  connect(m_view, &forms::ImageView::pointerMoved, this, &LyapunovWindow::pointAt);
}

// lyapunov_p0-3.png
QString LyapunovWindow::suggestedName() const {
  if (m_shownColumns.empty()) return QStringLiteral("lyapunov.png");
  return QStringLiteral("lyapunov_p%1-%2.png")
      .arg(forms::fileNumber(m_shownColumns.front()), forms::fileNumber(m_shownColumns.back()));
}

void LyapunovWindow::request(const orbits::Iteration& settings, std::vector<double> columns) {
  auto job = std::make_shared<Job>();
  job->settings = settings;
  job->exponents.assign(columns.size(), 0);
  job->columns = std::move(columns);
  m_job = job;
  m_settings = settings;
  m_shown.clear();
  m_shownColumns.clear();
  const int tasks = std::max(1, std::min(worker().threads(), job->groups()));
  compute([job](const forms::Worker::Ticket& ticket) { return job->work(ticket); }, tasks,
          QStringLiteral("Die Exponenten werden berechnet …"), std::int64_t(job->columns.size()));
  open();
  redraw();
}

void LyapunovWindow::finished() {
  m_shown = m_job->exponents;
  m_shownColumns = m_job->columns;
  redraw();
}

QImage LyapunovWindow::printPicture(const PrintOptions& options) const {
  if (m_shown.empty()) return {};
  const QSize size = m_view->size().expandedTo(kCurveLeast);
  const std::optional<double> marker = m_marker ? m_marker() : std::nullopt;
  return lyapunovPicture(m_settings, m_shownColumns, m_shown, marker, font(), double(options.width) / size.width(),
                         size, options.scheme);
}

void LyapunovWindow::redraw() {
  const std::optional<double> marker = m_marker ? m_marker() : std::nullopt;
  m_view->setPicture(
      lyapunovPicture(m_settings, m_shownColumns, m_shown, marker, font(), devicePixelRatioF(), m_view->size()));
}

// The column under the pointer, read out below the picture.
void LyapunovWindow::pointAt(QPointF at) {
  if (m_shown.empty() || computing()) return;
  const QRectF panel = curvePanel(m_view->size());
  const double share = (at.x() - panel.left()) / panel.width();
  if (!(share >= 0 && share <= 1)) return;
  const auto i = std::size_t(std::lround(share * double(m_shown.size() - 1)));
  const double l = m_shown[i];
  const QString exponent = std::isnan(l)   ? QStringLiteral("keiner (die Bahn verlässt den Zahlbereich)")
                           : std::isinf(l) ? QString(l < 0 ? QStringLiteral("−∞") : QStringLiteral("+∞"))
                                           : QLocale().toString(l, 'f', 4).replace(QLatin1Char('-'), QChar(0x2212));
  status()->setText(
      QStringLiteral("p = %1     Lyapunov-Exponent %2").arg(support::localeText(m_shownColumns[i]), exponent));
}

}  // namespace inspector
