// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// "Feigenbaum-Konstante": the cascade of period doublings as a table, one
// row per period 2^n: the p of the superstable cycle and of the doubling,
// Feigenbaum's delta from the doublings' distances and alpha from the
// cycles' widths, converging row by row, each number with the digits that
// are right. The rows are computed on the window's worker and fill the table
// one by one; closing the window stops the work. Each row's "Fenster" puts a
// window around its doubling into the main window, so that a class zooms
// from one doubling to the next; Ctrl+C copies the table as tab-separated
// text for a worksheet. Esc closes.
#pragma once

#include <QLabel>
#include <QTableWidget>
#include <memory>
#include <vector>

#include "analysis/cascade.h"
#include "inspector/lessonwindow.h"

namespace inspector {

class FeigenbaumWindow : public LessonWindow {
  Q_OBJECT

 public:
  FeigenbaumWindow(QWidget* owner, const QWidget* keepFree);

  // Opens it for the form shown (the X of the windows it offers), and
  // computes the rows not yet in the table.
  void showFor(bool normiert);
  // The rows in the table so far.
  const std::vector<analysis::CascadeRow>& shownRows() const { return m_rows; }
  bool complete() const { return m_complete; }
  // The table as text: a line of headings, a line per row, tab-separated,
  // the numbers with the digits shown.
  QString tableText() const;
  QTableWidget* table() const { return m_table; }

 signals:
  // "Fenster" of a row: the limit boxes to set, and the window to draw.
  void windowChosen(double links, double rechts, double xMin, double xMax);

 protected:
  void finished() override;
  void published() override;
  void copy() override;
  void place() override;

 private:
  struct Job;
  void showRow(const analysis::CascadeRow& row);

  std::shared_ptr<Job> m_job;  // the rows in work
  std::vector<analysis::CascadeRow> m_rows;
  bool m_normiert = true, m_complete = false;
  QTableWidget* m_table;
  QLabel* m_note;
};

}  // namespace inspector
