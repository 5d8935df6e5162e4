// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "inspector/lyapunovwindow.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
#include <algorithm>
#include <cmath>

#include "forms/export.h"
#include "forms/placement.h"
#include "inspector/lyapunov.h"
#include "inspector/lyapunovpicture.h"
#include "orbits/handover.h"
#include "support/numbers.h"

namespace inspector {

namespace {

constexpr int kProgressMs = 100;
char tasksDone = 0;  // see orbits/handover.h

}  // namespace

// One request: the columns, taken by the workers eight at a time, and their
// exponents, each written by the worker that took its group.
struct LyapunovWindow::Job {
  OrbitSettings settings;
  std::vector<double> columns;
  std::vector<double> exponents;
  std::uint64_t generation = 0;
  std::atomic<int> next{0};  // the next group to take
  std::atomic<int> done{0};  // columns finished; all of them publish the exponents
  int groups() const { return int((columns.size() + kExponentLanes - 1) / kExponentLanes); }
};

class LyapunovWindow::View : public QWidget {
 public:
  explicit View(LyapunovWindow* window) : QWidget(window), m_window(window) {
    setMinimumSize(kCurveLeast);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMouseTracking(true);
  }
  QSize sizeHint() const override { return kCurveSize; }

 protected:
  void paintEvent(QPaintEvent*) override { QPainter(this).drawImage(QPointF(0, 0), m_window->m_picture); }
  void resizeEvent(QResizeEvent*) override { m_window->redraw(); }
  void mouseMoveEvent(QMouseEvent* event) override { m_window->pointAt(event->position().x()); }

 private:
  LyapunovWindow* m_window;
};

LyapunovWindow::LyapunovWindow(QWidget* owner, std::function<std::optional<double>()> marker)
    : QWidget(owner, Qt::Window), m_marker(std::move(marker)), m_view(new View(this)), m_status(new QLabel(this)) {
  setAttribute(Qt::WA_ShowWithoutActivating);  // "B" and "L" stay with the main window
  setWindowTitle(QStringLiteral("Lyapunov-Exponent über p"));
  auto* rows = new QVBoxLayout(this);
  rows->addWidget(m_view, 1);
  rows->addWidget(m_status);
  const std::pair<QKeySequence, std::function<void()>> keys[] = {
      {QKeySequence::Copy,
       [this] {
         if (!m_shown.empty()) forms::copyPicture(m_picture);
       }},
      {QKeySequence::Save,
       [this] {
         if (m_shown.empty()) return;
         const QImage picture = m_picture;  // the dialog lets events through
         forms::savePicture(this, picture, suggestedName());
       }},
      {QKeySequence(Qt::Key_Escape), [this] { close(); }},
  };
  for (const auto& [key, action] : keys) connect(new QShortcut(key, this), &QShortcut::activated, this, action);
  m_progressTimer.setInterval(kProgressMs);
  connect(&m_progressTimer, &QTimer::timeout, this, &LyapunovWindow::showProgress);
}

LyapunovWindow::~LyapunovWindow() {
  ++m_generation;
  m_pool.waitForDone();
  TAKEN_OVER(&tasksDone);
}

// lyapunov_p0-3.png
QString LyapunovWindow::suggestedName() const {
  if (m_shownColumns.empty()) return QStringLiteral("lyapunov.png");
  return QStringLiteral("lyapunov_p%1-%2.png")
      .arg(forms::fileNumber(m_shownColumns.front()), forms::fileNumber(m_shownColumns.back()));
}

void LyapunovWindow::request(const OrbitSettings& settings, std::vector<double> columns) {
  auto job = std::make_shared<Job>();
  job->settings = settings;
  job->exponents.assign(columns.size(), 0);
  job->columns = std::move(columns);
  job->generation = ++m_generation;
  {
    const std::lock_guard lock(m_mutex);
    m_job = job;
  }
  if (m_computing) emit ended(false);  // the one in work stops
  m_settings = settings;
  m_computing = true;
  m_shown.clear();
  m_shownColumns.clear();
  m_status->setText(QStringLiteral("Die Exponenten werden berechnet …"));
  m_progressTimer.start();
  // As many tasks as threads; each takes groups until none is left. A task
  // carries nothing but `this` and finds its request under the lock.
  const int tasks = std::max(1, std::min(m_pool.maxThreadCount(), job->groups()));
  for (int i = 0; i < tasks; ++i) m_pool.start([this] { work(); });
  if (!isVisible()) {
    if (!m_placed) placeBesideOwner();
    show();
  }
  redraw();
}

void LyapunovWindow::work() {
  std::shared_ptr<Job> job;
  {
    const std::lock_guard lock(m_mutex);
    job = m_job;
  }
  auto current = [&] { return m_generation.load(std::memory_order_relaxed) == job->generation; };
  bool finishedLast = false;
  for (int group; current() && (group = job->next.fetch_add(1)) < job->groups();) {
    const int from = group * kExponentLanes;
    const int count = std::min<int>(kExponentLanes, int(job->columns.size()) - from);
    if (!exponents(job->settings, job->columns.data() + from, count, job->exponents.data() + from, current)) break;
    finishedLast = job->done.fetch_add(count, std::memory_order_acq_rel) + count == int(job->columns.size());
  }
  if (finishedLast || !current()) QMetaObject::invokeMethod(this, "delivered", Qt::QueuedConnection);
  HANDED_OVER(&tasksDone);
}

void LyapunovWindow::delivered() {
  std::shared_ptr<Job> job;
  {
    const std::lock_guard lock(m_mutex);
    job = m_job;
  }
  // Only the latest request, once all its columns are done.
  if (!m_computing || !job || job->generation != m_generation.load() ||
      job->done.load(std::memory_order_acquire) != int(job->columns.size()))
    return;
  m_shown = job->exponents;
  m_shownColumns = job->columns;
  m_computing = false;
  m_progressTimer.stop();
  m_status->clear();
  redraw();
  emit ended(true);
}

void LyapunovWindow::redraw() {
  const std::optional<double> marker = m_marker ? m_marker() : std::nullopt;
  m_picture = lyapunovPicture(m_settings, m_shownColumns, m_shown, marker, font(), devicePixelRatioF(), m_view->size());
  m_view->update();
}

void LyapunovWindow::showProgress() {
  if (!m_computing) return;
  std::shared_ptr<Job> job;
  {
    const std::lock_guard lock(m_mutex);
    job = m_job;
  }
  const double share = job && !job->columns.empty() ? double(job->done.load()) / double(job->columns.size()) : 0;
  m_status->setText(QStringLiteral("Die Exponenten werden berechnet … %1 %").arg(int(100 * share)));
}

// The column under the pointer, read out below the picture.
void LyapunovWindow::pointAt(double x) {
  if (m_shown.empty() || m_computing) return;
  const QRectF panel = curvePanel(m_view->size());
  const double share = (x - panel.left()) / panel.width();
  if (!(share >= 0 && share <= 1)) return;
  const auto i = std::size_t(std::lround(share * double(m_shown.size() - 1)));
  const double l = m_shown[i];
  const QString exponent = std::isnan(l)   ? QStringLiteral("keiner (die Bahn verlässt den Zahlbereich)")
                           : std::isinf(l) ? QString(l < 0 ? QStringLiteral("−∞") : QStringLiteral("+∞"))
                                           : QLocale().toString(l, 'f', 4).replace(QLatin1Char('-'), QChar(0x2212));
  m_status->setText(
      QStringLiteral("p = %1     Lyapunov-Exponent %2").arg(support::localeText(m_shownColumns[i]), exponent));
}

void LyapunovWindow::placeBesideOwner() {
  m_placed = true;
  QWidget* owner = parentWidget();
  const auto* picture = owner ? owner->findChild<const QWidget*>(QStringLiteral("picAusgabe")) : nullptr;
  if (!picture) return;
  layout()->activate();
  const QSize around = sizeHint() - m_view->sizeHint();
  forms::moveTo(this, forms::placeBeside({{kCurveSize + around, kCurveLeast + around}}, this, picture));
}

void LyapunovWindow::closeEvent(QCloseEvent* event) {
  if (m_computing) {
    ++m_generation;  // what is in work stops
    m_computing = false;
    m_progressTimer.stop();
    m_status->clear();
    emit ended(false);
  }
  QWidget::closeEvent(event);
}

}  // namespace inspector
