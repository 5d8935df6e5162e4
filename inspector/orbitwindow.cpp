// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "inspector/orbitwindow.h"

#include <QBoxLayout>
#include <QShortcut>
#include <cmath>

#include "forms/export.h"
#include "inspector/orbitpicture.h"
#include "support/numbers.h"

namespace inspector {

namespace {

std::function<void(std::int64_t)>& gate() {
  static std::function<void(std::int64_t)> hook;
  return hook;
}

}  // namespace

OrbitWindow::OrbitWindow(QWidget* owner, const QWidget* keepFree)
    : LessonWindow(owner, keepFree, 1),
      m_view(new forms::ImageView(kWide, QSize(kTallLeast.width(), kWideLeast.height()), this)),
      m_neighbour(new QCheckBox(this)) {
  auto* rows = new QVBoxLayout(this);
  rows->addWidget(m_view, 1);
  m_below = new QBoxLayout(QBoxLayout::LeftToRight);
  m_below->addWidget(m_neighbour);
  m_below->addStretch();
  status()->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  arrangeBelow(false);
  m_below->addWidget(status());
  rows->addLayout(m_below);
  connect(m_neighbour, &QCheckBox::toggled, this, &OrbitWindow::redraw);
  connect(m_view, &forms::ImageView::resized, this, &OrbitWindow::arrange);

  const std::pair<QKeySequence, int> keys[] = {
      {QKeySequence(Qt::Key_Left), -10},
      {QKeySequence(Qt::Key_Right), 10},
      {QKeySequence(Qt::SHIFT | Qt::Key_Left), -1},
      {QKeySequence(Qt::SHIFT | Qt::Key_Right), 1},
  };
  for (const auto& [key, tenths] : keys)
    connect(new QShortcut(key, this), &QShortcut::activated, this, [this, tenths = tenths] { step(tenths); });
}

support::Restore OrbitWindow::setGate(std::function<void(std::int64_t)> hook) {
  return support::exchangeHook(gate(), std::move(hook));
}

// bahn_p2.5.png, for the orbit on display.
QString OrbitWindow::suggestedName() const {
  return QStringLiteral("bahn_p%1.png").arg(forms::fileNumber(m_shownP.value_or(m_settings.p)));
}

void OrbitWindow::request(const analysis::OrbitSettings& settings) {
  m_origin = settings.p;
  m_tenths = 0;
  compute(settings);
  open();
}

// Side by side or one panel above the other, as the room beside the main
// window allows.
void OrbitWindow::place() {
  // What the window adds around its picture, in either arrangement.
  auto around = [this](bool stacked) {
    arrangeBelow(stacked);
    layout()->activate();
    return sizeHint() - m_view->sizeHint();
  };
  const QSize wide = around(false), tall = around(true);
  arrangeBelow(placeBeside({{kWide + wide, kWideLeast + wide}, {kTall + tall, kTallLeast + tall}}) == 1);
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

void OrbitWindow::compute(const analysis::OrbitSettings& settings) {
  m_settings = settings;
  m_orbit.reset();
  m_stale = true;
  setWindowTitle(QStringLiteral("Bahn bei p = %1").arg(support::localeText(settings.p)));
  if (!isVisible() || picture().isNull()) redraw();
  auto orbit = std::make_shared<analysis::Orbit>();
  m_computed = orbit;
  LessonWindow::compute(
      [settings, orbit](const forms::Worker::Ticket& ticket) {
        return analysis::computeOrbit(settings, *orbit, [&](std::int64_t counter) {
          if (auto& hook = gate()) hook(counter);
          if (!ticket.current()) return false;
          ticket.reached(counter);
          return true;
        });
      },
      1, QStringLiteral("Die Bahn wird berechnet …"), settings.bis + 1);
}

void OrbitWindow::finished() {
  m_orbit = std::move(m_computed);
  redraw();
}

// An orbit done sooner than the first progress replaces the picture without
// showing an empty one.
void OrbitWindow::progressShown() {
  if (m_stale) redraw();
}

void OrbitWindow::step(int tenths) {
  const double p = m_origin + double(m_tenths + tenths) * m_settings.fenster.schritt() / 10;
  if (!std::isfinite(p) || p == m_settings.p) return;
  m_tenths += tenths;
  analysis::OrbitSettings next = m_settings;
  next.p = p;
  compute(next);
}

// The picture as laid out on screen, at a ratio that makes it as wide as asked.
QImage OrbitWindow::printPicture(const PrintOptions& options) const {
  if (!m_shownP || !m_orbit) return {};
  const QSize size = pictureLayout(m_view->size()).size;
  return orbitPicture(m_settings, m_orbit.get(), m_neighbour->isChecked(), font(), double(options.width) / size.width(),
                      size, options.scheme);
}

void OrbitWindow::redraw() {
  m_view->setPicture(
      orbitPicture(m_settings, m_orbit.get(), m_neighbour->isChecked(), font(), devicePixelRatioF(), m_view->size()));
  m_shownP = m_orbit ? std::optional(m_settings.p) : std::nullopt;
  m_stale = false;
}

}  // namespace inspector
