// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "inspector/orbitwindow.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QPainter>
#include <QShortcut>
#include <cmath>

#include "forms/export.h"
#include "forms/placement.h"
#include "inspector/orbitpicture.h"
#include "orbits/handover.h"
#include "support/numbers.h"

namespace inspector {

namespace {

std::function<void(std::int64_t)>& gate() {
  static std::function<void(std::int64_t)> hook;
  return hook;
}

// The status line gives the share done this often while an orbit is computed;
// an orbit done sooner replaces the picture without showing an empty one.
constexpr int kProgressMs = 100;

// The pool's waitForDone tells that its tasks have ended through a lock of
// Qt's own: one token for the thread sanitizer (see orbits/handover.h).
char tasksDone = 0;

}  // namespace

// Shows the picture as it was last drawn, drawn anew at each new size.
class OrbitWindow::View : public QWidget {
 public:
  explicit View(OrbitWindow* window) : QWidget(window), m_window(window) {
    setMinimumSize(kTallLeast.width(), kWideLeast.height());
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  }
  QSize sizeHint() const override { return kWide; }

 protected:
  void paintEvent(QPaintEvent*) override { QPainter(this).drawImage(QPointF(0, 0), m_window->m_picture); }
  void resizeEvent(QResizeEvent*) override { m_window->arrange(); }

 private:
  OrbitWindow* m_window;
};

OrbitWindow::OrbitWindow(QWidget* owner)
    : QWidget(owner, Qt::Window), m_view(new View(this)), m_neighbour(new QCheckBox(this)), m_status(new QLabel(this)) {
  // The main window keeps the keyboard, so that "B" can be pressed again
  // over another column; a click here gives this window the arrow keys.
  setAttribute(Qt::WA_ShowWithoutActivating);
  m_pool.setMaxThreadCount(1);
  auto* rows = new QVBoxLayout(this);
  rows->addWidget(m_view, 1);
  m_below = new QBoxLayout(QBoxLayout::LeftToRight);
  m_below->addWidget(m_neighbour);
  m_below->addStretch();
  m_status->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  arrangeBelow(false);
  m_below->addWidget(m_status);
  rows->addLayout(m_below);
  connect(m_neighbour, &QCheckBox::toggled, this, &OrbitWindow::redraw);

  const std::pair<QKeySequence, std::function<void()>> keys[] = {
      {QKeySequence(Qt::Key_Left), [this] { step(-10); }},
      {QKeySequence(Qt::Key_Right), [this] { step(10); }},
      {QKeySequence(Qt::SHIFT | Qt::Key_Left), [this] { step(-1); }},
      {QKeySequence(Qt::SHIFT | Qt::Key_Right), [this] { step(1); }},
      {QKeySequence::Copy, [this] { copy(); }},
      {QKeySequence::Save, [this] { save(); }},
      {QKeySequence(Qt::Key_Escape), [this] { close(); }},
  };
  for (const auto& [key, action] : keys) connect(new QShortcut(key, this), &QShortcut::activated, this, action);

  m_progressTimer.setInterval(kProgressMs);
  connect(&m_progressTimer, &QTimer::timeout, this, &OrbitWindow::showProgress);
}

OrbitWindow::~OrbitWindow() {
  ++m_generation;
  m_pool.waitForDone();
  TAKEN_OVER(&tasksDone);
}

support::Restore OrbitWindow::setGate(std::function<void(std::int64_t)> hook) {
  return support::exchangeHook(gate(), std::move(hook));
}

// bahn_p2.5.png, for the orbit on display.
QString OrbitWindow::suggestedName() const {
  return QStringLiteral("bahn_p%1.png").arg(forms::fileNumber(m_shownP.value_or(m_settings.p)));
}

// Only a picture that shows an orbit goes onto a worksheet: after an arrow
// key the old one, under its own p, until the new one is drawn.
void OrbitWindow::copy() {
  if (m_shownP) forms::copyPicture(m_picture);
}

void OrbitWindow::save() {
  if (!m_shownP) return;
  // The dialog lets events through: the picture may change meanwhile.
  const QImage picture = m_picture;
  forms::savePicture(this, picture, suggestedName());
}

void OrbitWindow::request(const OrbitSettings& settings) {
  m_origin = settings.p;
  m_tenths = 0;
  compute(settings);
  if (!isVisible()) {
    if (!m_placed) placeBesideOwner();
    show();
  }
}

// The first time it opens, beside the main window, side by side or one
// panel above the other as the room there allows; after that where the
// user put it.
void OrbitWindow::placeBesideOwner() {
  m_placed = true;
  QWidget* owner = parentWidget();
  const auto* picture = owner ? owner->findChild<const QWidget*>(QStringLiteral("picAusgabe")) : nullptr;
  if (!picture) return;
  // What the window adds around its picture, in either arrangement.
  auto around = [this](bool stacked) {
    arrangeBelow(stacked);
    layout()->activate();
    return sizeHint() - m_view->sizeHint();
  };
  const QSize wide = around(false), tall = around(true);
  const forms::Placement place =
      forms::placeBeside({{kWide + wide, kWideLeast + wide}, {kTall + tall, kTallLeast + tall}}, this, picture);
  arrangeBelow(place.arrangement == 1);
  forms::moveTo(this, place);
}

// The picture at the view's size; the line below it as wide as the picture.
void OrbitWindow::arrange() {
  arrangeBelow(pictureLayout(m_view->size()).stacked);
  redraw();
}

void OrbitWindow::arrangeBelow(bool stacked) {
  m_below->setDirection(stacked ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight);
  m_neighbour->setText(stacked ? QStringLiteral("zweite Bahn (magenta)")
                               : QStringLiteral("zweite Bahn (magenta) ab Startwert + 10⁻⁶"));
}

void OrbitWindow::compute(const OrbitSettings& settings) {
  m_settings = settings;
  m_orbit.reset();
  m_computing = true;
  m_stale = true;
  setWindowTitle(QStringLiteral("Bahn bei p = %1").arg(support::localeText(settings.p)));
  m_status->setText(QStringLiteral("Die Bahn wird berechnet …"));
  if (!isVisible() || m_picture.isNull()) redraw();
  m_progressTimer.start();

  const std::uint64_t generation = ++m_generation;
  m_progress.store(0, std::memory_order_relaxed);
  {
    const std::lock_guard lock(m_mutex);
    m_jobs.push_back({settings, generation});
  }
  // The task carries nothing but `this`, and takes its request under the
  // lock: the pool's thread then reads nothing that was handed over through
  // Qt's locks alone.
  m_pool.start([this] { work(); });
}

// On the pool's one thread, for each request in turn.
void OrbitWindow::work() {
  Job job;
  {
    const std::lock_guard lock(m_mutex);
    job = m_jobs.front();
    m_jobs.pop_front();
  }
  auto orbit = std::make_shared<Orbit>();
  const std::uint64_t generation = job.generation;
  const bool complete = m_generation.load(std::memory_order_relaxed) == generation &&
                        computeOrbit(job.settings, *orbit, [this, generation](std::int64_t counter) {
                          if (auto& hook = gate()) hook(counter);
                          if (m_generation.load(std::memory_order_relaxed) != generation) return false;
                          m_progress.store(counter, std::memory_order_relaxed);
                          return true;
                        });
  {
    const std::lock_guard lock(m_mutex);
    m_results.push_back({generation, complete, std::move(orbit)});
  }
  // By name, as a queued call: nothing is allocated here that the window's
  // thread would free.
  QMetaObject::invokeMethod(this, "delivered", Qt::QueuedConnection);
  HANDED_OVER(&tasksDone);
}

void OrbitWindow::delivered() {
  std::deque<Result> results;
  {
    const std::lock_guard lock(m_mutex);
    results.swap(m_results);
  }
  for (Result& result : results) {
    if (result.complete && result.generation == m_generation.load(std::memory_order_relaxed)) {
      m_orbit = std::move(result.orbit);
      m_computing = false;
      m_progressTimer.stop();
      m_status->clear();
      redraw();
    }
    emit ended(result.complete);
  }
}

void OrbitWindow::step(int tenths) {
  const double p = m_origin + double(m_tenths + tenths) * m_settings.schritt / 10;
  if (!std::isfinite(p) || p == m_settings.p) return;
  m_tenths += tenths;
  OrbitSettings next = m_settings;
  next.p = p;
  compute(next);
}

void OrbitWindow::redraw() {
  m_picture =
      orbitPicture(m_settings, m_orbit.get(), m_neighbour->isChecked(), font(), devicePixelRatioF(), m_view->size());
  m_shownP = m_orbit ? std::optional(m_settings.p) : std::nullopt;
  m_stale = false;
  m_view->update();
}

void OrbitWindow::showProgress() {
  if (!m_computing) return;
  if (m_stale) redraw();
  const double share = double(m_progress.load(std::memory_order_relaxed)) / double(m_settings.bis + 1);
  m_status->setText(QStringLiteral("Die Bahn wird berechnet … %1 %").arg(int(100 * share)));
}

void OrbitWindow::closeEvent(QCloseEvent* event) {
  ++m_generation;  // what is in work stops
  m_computing = false;
  m_progressTimer.stop();
  m_status->clear();
  QWidget::closeEvent(event);
}

}  // namespace inspector
