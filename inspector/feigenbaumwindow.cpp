// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "inspector/feigenbaumwindow.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QVBoxLayout>
#include <cmath>

#include "forms/placement.h"
#include "support/numbers.h"

namespace inspector {

namespace {

const QStringList kHeadings{
    QStringLiteral("n"), QStringLiteral("Periode"), QStringLiteral("p superstabil"), QStringLiteral("p Verdopplung"),
    QStringLiteral("δ"), QStringLiteral("α")};

// The program's own form of a number, without the blank before a positive one.
QString text(double value) { return std::isnan(value) ? QString() : support::qTextFromDouble(value).trimmed(); }

}  // namespace

FeigenbaumWindow::FeigenbaumWindow(QWidget* owner)
    : QWidget(owner, Qt::Window), m_cascade(cascade()), m_table(new QTableWidget(this)), m_note(new QLabel(this)) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  setWindowTitle(QStringLiteral("Feigenbaum-Konstante"));
  auto* rows = new QVBoxLayout(this);
  rows->addWidget(m_table, 1);
  rows->addWidget(m_note);
  m_note->setWordWrap(true);
  m_note->setText(QStringLiteral("δ = (p Verdopplung[n − 1] − p Verdopplung[n − 2]) / (p Verdopplung[n] − "
                                 "p Verdopplung[n − 1]) strebt gegen 4,6692…, α = Breite[n − 1] / Breite[n] "
                                 "der superstabilen Zyklen gegen −2,5029….\n%1")
                      .arg(m_cascade.stop));

  m_table->setColumnCount(int(kHeadings.size()) + 1);
  m_table->setHorizontalHeaderLabels(kHeadings + QStringList{QString()});
  m_table->verticalHeader()->hide();
  m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_table->setRowCount(int(m_cascade.rows.size()));
  for (int i = 0; i < int(m_cascade.rows.size()); ++i) {
    const CascadeRow& r = m_cascade.rows[std::size_t(i)];
    const QString cells[] = {QString::number(r.n), QString::number(std::int64_t(1) << r.n),
                             text(r.superstable),  text(r.doubling),
                             text(r.delta),        text(r.alpha)};
    for (int c = 0; c < int(std::size(cells)); ++c) {
      auto* item = new QTableWidgetItem(cells[c]);
      item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      m_table->setItem(i, c, item);
    }
    auto* show = new QPushButton(QStringLiteral("Fenster"), m_table);
    connect(show, &QPushButton::clicked, this, [this, i] {
      const CascadeWindow w = cascadeWindow(m_cascade, std::size_t(i), m_normiert);
      emit windowChosen(w.links, w.rechts, w.xMin, w.xMax);
    });
    m_table->setCellWidget(i, int(kHeadings.size()), show);
  }
  m_table->resizeColumnsToContents();
  m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  const std::pair<QKeySequence, std::function<void()>> keys[] = {
      {QKeySequence::Copy, [this] { QGuiApplication::clipboard()->setText(tableText()); }},
      {QKeySequence(Qt::Key_Escape), [this] { close(); }},
  };
  for (const auto& [key, action] : keys) {
    auto* shortcut = new QShortcut(key, this);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, action);
  }
}

void FeigenbaumWindow::showFor(bool normiert) {
  m_normiert = normiert;
  if (!isVisible()) {
    if (!m_placed) {
      // The whole table where the room allows, at least the rows of the
      // first doublings.
      m_placed = true;
      const int wide = m_table->horizontalHeader()->length() + m_table->frameWidth() * 2 +
                       m_table->verticalScrollBar()->sizeHint().width() + 2 * layout()->contentsMargins().left();
      const int tall = m_table->verticalHeader()->length() + m_table->horizontalHeader()->height() +
                       m_table->frameWidth() * 2 + m_note->heightForWidth(wide) + 3 * layout()->contentsMargins().top();
      const auto* picture =
          parentWidget() ? parentWidget()->findChild<const QWidget*>(QStringLiteral("picAusgabe")) : nullptr;
      if (picture) forms::moveTo(this, forms::placeBeside({{QSize(wide, tall), QSize(wide, tall / 2)}}, this, picture));
    }
    show();
  }
  raise();
}

QString FeigenbaumWindow::tableText() const {
  QString out = kHeadings.join(QLatin1Char('\t')) + QLatin1Char('\n');
  for (const CascadeRow& r : m_cascade.rows)
    out += QStringList{QString::number(r.n), QString::number(std::int64_t(1) << r.n),
                       text(r.superstable),  text(r.doubling),
                       text(r.delta),        text(r.alpha)}
               .join(QLatin1Char('\t')) +
           QLatin1Char('\n');
  return out;
}

}  // namespace inspector
