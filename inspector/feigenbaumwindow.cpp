// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "inspector/feigenbaumwindow.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <cmath>

#include "support/numbers.h"

namespace inspector {

namespace {

const QStringList kHeadings{
    QStringLiteral("n"), QStringLiteral("Periode"), QStringLiteral("p superstabil"), QStringLiteral("p Verdopplung"),
    QStringLiteral("δ"), QStringLiteral("α")};

// The program's own form of a number, without the blank before a positive one.
QString text(double value) { return std::isnan(value) ? QString() : support::qTextFromDouble(value).trimmed(); }

// Why the table ends where it does.
QString stopText(const analysis::Cascade::Stop& stop) {
  return QStringLiteral(
             "Ab Periode %1 (n = %2) liegen die Punkte so dicht beieinander (Abstand %3), dass die "
             "Rundung der Gleitkommazahlen (%4) sie nicht mehr sicher trennt.")
      .arg(std::int64_t(1) << stop.n)
      .arg(stop.n)
      .arg(stop.apart, 0, 'g', 2)
      .arg(stop.rounding, 0, 'g', 2);
}

}  // namespace

FeigenbaumWindow::FeigenbaumWindow(QWidget* owner, const QWidget* keepFree)
    : LessonWindow(owner, keepFree, 1),
      m_cascade(analysis::cascade()),
      m_table(new QTableWidget(this)),
      m_note(new QLabel(this)) {
  setWindowTitle(QStringLiteral("Feigenbaum-Konstante"));
  auto* rows = new QVBoxLayout(this);
  rows->addWidget(m_table, 1);
  rows->addWidget(m_note);
  m_note->setWordWrap(true);
  m_note->setText(QStringLiteral("δ = (p Verdopplung[n − 1] − p Verdopplung[n − 2]) / (p Verdopplung[n] − "
                                 "p Verdopplung[n − 1]) strebt gegen 4,6692…, α = Breite[n − 1] / Breite[n] "
                                 "der superstabilen Zyklen gegen −2,5029….\n%1")
                      .arg(stopText(m_cascade.stop)));

  m_table->setColumnCount(int(kHeadings.size()) + 1);
  m_table->setHorizontalHeaderLabels(kHeadings + QStringList{QString()});
  m_table->verticalHeader()->hide();
  m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_table->setRowCount(int(m_cascade.rows.size()));
  for (int i = 0; i < int(m_cascade.rows.size()); ++i) {
    const analysis::CascadeRow& r = m_cascade.rows[std::size_t(i)];
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
      const analysis::CascadeWindow w = analysis::cascadeWindow(m_cascade, std::size_t(i), m_normiert);
      emit windowChosen(w.links, w.rechts, w.xMin, w.xMax);
    });
    m_table->setCellWidget(i, int(kHeadings.size()), show);
  }
  m_table->resizeColumnsToContents();
  m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void FeigenbaumWindow::copy() { QGuiApplication::clipboard()->setText(tableText()); }

void FeigenbaumWindow::showFor(bool normiert) {
  m_normiert = normiert;
  open();
  raise();
}

// The whole table where the room allows, at least the rows of the first
// doublings.
void FeigenbaumWindow::place() {
  const int wide = m_table->horizontalHeader()->length() + m_table->frameWidth() * 2 +
                   m_table->verticalScrollBar()->sizeHint().width() + 2 * layout()->contentsMargins().left();
  const int tall = m_table->verticalHeader()->length() + m_table->horizontalHeader()->height() +
                   m_table->frameWidth() * 2 + m_note->heightForWidth(wide) + 3 * layout()->contentsMargins().top();
  placeBeside({{QSize(wide, tall), QSize(wide, tall / 2)}});
}

QString FeigenbaumWindow::tableText() const {
  QString out = kHeadings.join(QLatin1Char('\t')) + QLatin1Char('\n');
  for (const analysis::CascadeRow& r : m_cascade.rows)
    out += QStringList{QString::number(r.n), QString::number(std::int64_t(1) << r.n),
                       text(r.superstable),  text(r.doubling),
                       text(r.delta),        text(r.alpha)}
               .join(QLatin1Char('\t')) +
           QLatin1Char('\n');
  return out;
}

}  // namespace inspector
