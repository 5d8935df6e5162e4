// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "inspector/feigenbaumwindow.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <mutex>

namespace inspector {

namespace {

const QStringList kHeadings{
    QStringLiteral("n"), QStringLiteral("Periode"), QStringLiteral("p superstabil"), QStringLiteral("p Verdopplung"),
    QStringLiteral("δ"), QStringLiteral("α")};
constexpr int kButton = 6;  // the column of "Fenster"

QStringList cells(const analysis::CascadeRow& r) {
  return {QString::number(r.n),
          QString::number(std::int64_t(1) << r.n),
          QString::fromStdString(r.superstableText),
          QString::fromStdString(r.doublingText),
          QString::fromStdString(r.deltaText),
          QString::fromStdString(r.alphaText)};
}

const QString kNote = QStringLiteral(
    "δ = (p Verdopplung[n − 1] − p Verdopplung[n − 2]) / (p Verdopplung[n] − p Verdopplung[n − 1]) strebt gegen "
    "4,6692…, α = Breite[n − 1] / Breite[n] der superstabilen Zyklen gegen −2,5029….");
// Where the table ends, and why each number has the digits it has.
QString endNote() {
  return QStringLiteral(
             "Die Tabelle endet bei Periode %1 (n = %2): jede weitere Zeile braucht doppelt so viele "
             "Rechenschritte wie die vorige. Gerechnet wird mit 34 Dezimalstellen; jede Zahl steht mit den "
             "Ziffern da, für die ihre Fehlerschranke bürgt (höchstens %3).")
      .arg(std::int64_t(1) << analysis::kLastCascadeRow)
      .arg(analysis::kLastCascadeRow)
      .arg(analysis::kMostDigits);
}

}  // namespace

// The rows the worker has found, under its lock, until the window takes them.
struct FeigenbaumWindow::Job {
  std::mutex mutex;
  std::vector<analysis::CascadeRow> found;
};

FeigenbaumWindow::FeigenbaumWindow(QWidget* owner, const QWidget* keepFree)
    : LessonWindow(owner, keepFree, 1), m_table(new QTableWidget(this)), m_note(new QLabel(this)) {
  setWindowTitle(QStringLiteral("Feigenbaum-Konstante"));
  auto* rows = new QVBoxLayout(this);
  rows->addWidget(m_table, 1);
  rows->addWidget(m_note);
  rows->addWidget(status());
  m_note->setWordWrap(true);
  m_note->setText(kNote);

  m_table->setColumnCount(int(kHeadings.size()) + 1);
  m_table->setHorizontalHeaderLabels(kHeadings + QStringList{QString()});
  m_table->verticalHeader()->hide();
  m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_table->setRowCount(analysis::kLastCascadeRow + 1);
  // The columns as wide as their widest number will be, so that the table
  // keeps its shape while it fills.
  const QFontMetrics metrics(m_table->font());
  const int number = metrics.horizontalAdvance(QStringLiteral("-2.5699456718704381592")) + 12;
  const int widths[] = {metrics.horizontalAdvance(QStringLiteral("n 20")) + 12,
                        metrics.horizontalAdvance(QStringLiteral("Periode 2")) + 12,
                        number,
                        number,
                        number,
                        number};
  for (int c = 0; c < int(std::size(widths)); ++c) m_table->setColumnWidth(c, widths[c]);
  for (int i = 0; i <= analysis::kLastCascadeRow; ++i) {
    auto* show = new QPushButton(QStringLiteral("Fenster"), m_table);
    show->setEnabled(false);
    connect(show, &QPushButton::clicked, this, [this, i] {
      const std::size_t n = std::size_t(i);
      if (n >= m_rows.size()) return;
      const analysis::CascadeWindow w =
          analysis::cascadeWindow(m_rows[n], n > 0 ? &m_rows[n - 1] : nullptr, m_normiert);
      emit windowChosen(w.links, w.rechts, w.xMin, w.xMax);
    });
    m_table->setCellWidget(i, kButton, show);
  }
  m_table->resizeColumnToContents(kButton);
  m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void FeigenbaumWindow::copy() { QGuiApplication::clipboard()->setText(tableText()); }

void FeigenbaumWindow::showFor(bool normiert) {
  m_normiert = normiert;
  if (!m_complete && !computing()) {
    // Afresh: a table left incomplete by a close is computed again.
    for (int i = 0; i < m_table->rowCount(); ++i) {
      for (int c = 0; c < kButton; ++c) delete m_table->takeItem(i, c);
      m_table->cellWidget(i, kButton)->setEnabled(false);
    }
    m_rows.clear();
    auto job = std::make_shared<Job>();
    m_job = job;
    const std::int64_t total = std::int64_t(2) << analysis::kLastCascadeRow;
    compute(
        [job, total](const forms::Worker::Ticket& ticket) {
          return analysis::cascade(
              [&](const analysis::CascadeRow& row) {
                {
                  const std::lock_guard lock(job->mutex);
                  job->found.push_back(row);
                }
                ticket.reached(std::min(total, std::int64_t(2) << row.n));
                ticket.publish();
              },
              [&] { return ticket.current(); });
        },
        1, QStringLiteral("Die Kaskade wird berechnet …"), total);
  }
  open();
  raise();
}

void FeigenbaumWindow::published() {
  std::vector<analysis::CascadeRow> found;
  {
    const std::lock_guard lock(m_job->mutex);
    found.swap(m_job->found);
  }
  for (const analysis::CascadeRow& row : found) showRow(row);
}

void FeigenbaumWindow::finished() {
  published();  // rows whose announcement is still on its way
  m_complete = true;
  m_note->setText(kNote + QLatin1Char('\n') + endNote());
}

void FeigenbaumWindow::showRow(const analysis::CascadeRow& row) {
  if (row.n != int(m_rows.size())) return;  // one of a cancelled table's, late
  m_rows.push_back(row);
  const QStringList texts = cells(row);
  for (int c = 0; c < texts.size(); ++c) {
    auto* item = new QTableWidgetItem(texts[c]);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_table->setItem(row.n, c, item);
  }
  m_table->cellWidget(row.n, kButton)->setEnabled(true);
}

// The whole table where the room allows, at least the rows of the first
// doublings.
void FeigenbaumWindow::place() {
  m_note->setText(kNote + QLatin1Char('\n') + endNote());  // the room the note will take
  const int wide = m_table->horizontalHeader()->length() + m_table->frameWidth() * 2 +
                   m_table->verticalScrollBar()->sizeHint().width() + 2 * layout()->contentsMargins().left();
  const int tall = m_table->verticalHeader()->length() + m_table->horizontalHeader()->height() +
                   m_table->frameWidth() * 2 + m_note->heightForWidth(wide) + status()->sizeHint().height() +
                   4 * layout()->contentsMargins().top();
  m_note->setText(m_complete ? kNote + QLatin1Char('\n') + endNote() : kNote);
  placeBeside({{QSize(wide, tall), QSize(wide, tall / 2)}});
}

QString FeigenbaumWindow::tableText() const {
  QString out = kHeadings.join(QLatin1Char('\t')) + QLatin1Char('\n');
  for (const analysis::CascadeRow& r : m_rows) out += cells(r).join(QLatin1Char('\t')) + QLatin1Char('\n');
  return out;
}

}  // namespace inspector
