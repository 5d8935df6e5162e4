// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// "Lyapunov-Exponent über p": the exponent of each column of the diagram's
// window, as the orbit window computes it for one, drawn over the same p
// axis: the zero line, the stable parts (below it) and the chaotic ones
// (above it) in two colours, the p of the orbit window marked, the pointer's
// p and exponent read out below. Computed on the worker's threads, the
// columns in groups of eight; a newer request, or closing the window,
// cancels the work.
//
// Keys: Ctrl+C copies the picture, Ctrl+S saves it; Esc closes.
#pragma once

#include <QImage>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "forms/imageview.h"
#include "inspector/lessonwindow.h"
#include "orbits/start.h"

namespace inspector {

class LyapunovWindow : public LessonWindow {
  Q_OBJECT

 public:
  // `marker` gives the p to mark (the orbit window's), if any.
  LyapunovWindow(QWidget* owner, const QWidget* keepFree, std::function<std::optional<double>()> marker);

  // The exponents for these settings at each p of `columns`, from the left.
  void request(const orbits::Iteration& settings, std::vector<double> columns);
  // The exponents of the columns on display; empty while none are.
  const std::vector<double>& shownExponents() const { return m_shown; }
  const std::vector<double>& shownColumns() const { return m_shownColumns; }
  const QImage& picture() const { return m_view->picture(); }
  QString suggestedName() const override;
  // Draws anew, for a moved marker.
  void redraw();

 protected:
  void finished() override;
  QImage shownPicture() const override { return m_shown.empty() ? QImage() : picture(); }
  QImage printPicture(const PrintOptions& options) const override;

 private:
  struct Job;
  void pointAt(QPointF at);

  std::function<std::optional<double>()> m_marker;
  std::shared_ptr<Job> m_job;  // the latest request
  orbits::Iteration m_settings;
  std::vector<double> m_shown, m_shownColumns;
  forms::ImageView* m_view;
};

}  // namespace inspector
