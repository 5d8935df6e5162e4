// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The diagram as drawn now, at print size: the window on display with the
// settings of the last sweep that drew it, computed afresh with a column of
// orbits for every pixel column of the picture, and the frame, grid and
// labels as on the screen, in proportion (the same frame drawn on a picture
// box of the screen's logical size at a larger pixel ratio). The columns are
// computed on threads of its own and drawn in order on the window's thread
// as they come, a bounded number ahead.
#pragma once

#include <QFont>
#include <QImage>
#include <QObject>
#include <QSize>
#include <atomic>
#include <memory>

#include "forms/worker.h"
#include "orbits/start.h"
#include "support/palette.h"

namespace forms {
class PictureBox;
}

namespace diagram {

struct PrintRequest {
  Grenzen fenster;              // the window on display
  orbits::Iteration iteration;  // as the last column drawn was computed
  int strich = 1;               // its pen width
  bool columns = true;          // false: the frame alone, as after "x"
  int width = 3000;             // pixels across
  support::Scheme scheme = support::Scheme::Screen;
};

class PrintPicture : public QObject {
  Q_OBJECT

 public:
  // `screen`: the diagram's picture size in logical pixels, and its font.
  PrintPicture(const PrintRequest& request, QSize screen, const QFont& font);
  ~PrintPicture() override;

  void start();
  void cancel();
  // The picture, once finished complete.
  const QImage& image() const;
  int columns() const { return m_request.width; }

 signals:
  void progressed(int drawn);
  void finished(bool complete);

 private:
  struct Job;
  void drawReady();

  PrintRequest m_request;
  std::unique_ptr<forms::PictureBox> m_box;
  forms::Worker m_worker;
  std::shared_ptr<Job> m_job;
};

}  // namespace diagram
