// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The orbit window, "Bahn bei p = ...": the picture of one orbit (see
// orbitpicture.h), a check box for the neighbour orbit, and the status line.
// The orbit is iterated on the window's worker, one request after the other;
// a newer request, or closing the window, cancels the one in work within a
// fraction of a millisecond.
//
// Keys: Left and Right step p by one column of the diagram, with Shift by a
// tenth of one; Ctrl+C copies the picture, Ctrl+S saves it; Esc closes.
#pragma once

#include <QBoxLayout>
#include <QCheckBox>
#include <QImage>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "analysis/orbit.h"
#include "forms/imageview.h"
#include "inspector/lessonwindow.h"
#include "support/restore.h"

namespace inspector {

class OrbitWindow : public LessonWindow {
  Q_OBJECT

 public:
  OrbitWindow(QWidget* owner, const QWidget* keepFree);

  // Shows the orbit for these settings and starts computing it; a request
  // still in work is cancelled.
  void request(const analysis::OrbitSettings& settings);
  const analysis::OrbitSettings& settings() const { return m_settings; }
  // The picture as the window shows it, at the screen's pixel ratio.
  const QImage& picture() const { return m_view->picture(); }
  // The p of the orbit the picture shows; none while it shows none.
  std::optional<double> shownP() const { return m_shownP; }
  QString suggestedName() const override;

  // For tests: called on the worker before every block of steps, with the
  // counter reached, while the guard lives. Set and restored while no orbit
  // is in work.
  static support::Restore setGate(std::function<void(std::int64_t counter)> gate);

 protected:
  void finished() override;
  void progressShown() override;
  QImage shownPicture() const override { return m_shownP ? picture() : QImage(); }
  QImage printPicture(const PrintOptions& options) const override;
  void place() override;

 private:
  void compute(const analysis::OrbitSettings& settings);
  void step(int tenths);
  void redraw();
  void arrange();
  void arrangeBelow(bool stacked);

  analysis::OrbitSettings m_settings;
  // The arrow keys count tenths of a column from the p asked for, so that
  // ten of them land on the next column.
  double m_origin = 0;
  std::int64_t m_tenths = 0;
  std::shared_ptr<analysis::Orbit> m_computed;     // the latest request's, once complete
  std::shared_ptr<const analysis::Orbit> m_orbit;  // of m_settings once computed
  bool m_stale = true;                             // the picture shows another orbit than m_settings
  std::optional<double> m_shownP;
  forms::ImageView* m_view;
  QCheckBox* m_neighbour;
  QBoxLayout* m_below;  // the check box and the status line
};

}  // namespace inspector
