// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "diagram/printpicture.h"

#include <QThread>
#include <QTimer>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "diagram/frame.h"
#include "forms/picturebox.h"
#include "orbits/columns.h"
#include "support/numbers.h"

namespace diagram {

namespace {
// Batches of columns the threads may compute ahead of the one drawn: their
// cells are the memory a picture of 12000 pixels takes beyond its image.
constexpr int kAhead = 8;
}  // namespace

struct PrintPicture::Job {
  orbits::ColumnSettings settings;
  double links = 0, schritt = 0;  // column k lies at p = links + k * schritt
  int columns = 0, batches = 0;
  std::atomic<int> next{0};  // the next batch to compute
  std::mutex mutex;
  std::condition_variable room;
  // Under the mutex: the batches drawn, and those computed and not yet drawn.
  int drawn = 0;
  std::vector<std::vector<orbits::ColumnPixels>> ready;

  // One task: the next batches, never more than kAhead beyond the one drawn.
  bool work(const forms::Worker::Ticket& ticket) {
    for (;;) {
      const int batch = next.fetch_add(1);
      if (batch >= batches) return ticket.current();
      {
        std::unique_lock lock(mutex);
        while (batch >= drawn + kAhead) {
          if (!ticket.current()) return false;
          room.wait_for(lock, std::chrono::milliseconds(20));
        }
      }
      const int from = batch * orbits::kSideBySide, count = std::min(orbits::kSideBySide, columns - from);
      double p[orbits::kSideBySide];
      for (int k = 0; k < count; ++k) p[k] = links + (from + k) * schritt;
      std::vector<orbits::ColumnPixels> out(static_cast<std::size_t>(count));
      if (!orbits::computeColumns(settings, p, count, out.data(), [&] { return ticket.current(); })) return false;
      {
        const std::lock_guard lock(mutex);
        ready[std::size_t(batch)] = std::move(out);
      }
      ticket.advanced(count);
      ticket.publish();
    }
  }
};

PrintPicture::PrintPicture(const PrintRequest& request, QSize screen, const QFont& font)
    : m_request(request), m_box(std::make_unique<forms::PictureBox>()), m_worker(QThread::idealThreadCount()) {
  m_box->setAttribute(Qt::WA_DontShowOnScreen);
  m_box->setFont(font);
  m_box->resize(screen);
  m_box->setPixelRatio(double(request.width) / screen.width());
  m_box->setBackColor(QColor::fromRgb(support::inScheme(request.scheme, support::kNavy)));
  connect(&m_worker, &forms::Worker::published, this, &PrintPicture::drawReady);
  connect(&m_worker, &forms::Worker::ended, this, [this](std::uint64_t, bool complete) {
    drawReady();
    if (complete) Frame(m_box.get(), m_request.scheme).beschriftung(m_request.fenster, 36);
    emit finished(complete);
  });
}

PrintPicture::~PrintPicture() = default;

void PrintPicture::start() {
  const Grenzen& w = m_request.fenster;
  Frame frame(m_box.get(), m_request.scheme);
  frame.setzeKoordinaten(w);
  frame.gitter(w);
  frame.grundlinie(w);
  auto job = std::make_shared<Job>();
  static_cast<orbits::Iteration&>(job->settings) = m_request.iteration;
  // The points with the pen of a screen at its own size, 1 or 2 pixels: a
  // column for every pixel column shows the finest detail, and one-pixel
  // points keep the kernels on their fastest path.
  job->settings.thin = 1;
  job->settings.pen = std::max(1, m_request.strich);
  job->settings.mapping = m_box->pixelMapping();
  job->columns = m_request.columns ? m_box->image().width() : 0;
  job->batches = (job->columns + orbits::kSideBySide - 1) / orbits::kSideBySide;
  job->links = w.links;
  if (job->columns > 0) job->schritt = (w.rechts - w.links) / job->columns;
  job->ready.resize(std::size_t(job->batches));
  m_job = job;
  const int tasks = std::max(1, std::min(m_worker.threads(), job->batches));
  m_worker.start([job](const forms::Worker::Ticket& ticket) { return job->work(ticket); }, tasks);
}

void PrintPicture::cancel() { m_worker.cancel(); }

const QImage& PrintPicture::image() const { return m_box->image(); }

// The batches computed, in order; in the printer's colours where asked.
void PrintPicture::drawReady() {
  if (!m_job) return;
  Job& job = *m_job;
  std::vector<std::uint32_t> mapped;
  for (;;) {
    std::vector<orbits::ColumnPixels> batch;
    {
      const std::lock_guard lock(job.mutex);
      if (job.drawn >= job.batches || job.ready[std::size_t(job.drawn)].empty()) break;
      batch.swap(job.ready[std::size_t(job.drawn)]);
    }
    for (const orbits::ColumnPixels& c : batch) {
      if (c.x < 0) continue;
      const std::uint32_t* cells = c.rows();
      if (m_request.scheme != support::Scheme::Screen) {
        const std::span<const std::uint32_t> all = c.cells();
        mapped.resize(all.size());
        for (std::size_t i = 0; i < all.size(); ++i)
          mapped[i] = all[i] ? support::inScheme(m_request.scheme, all[i]) : 0;
        cells = mapped.data() + c.margin;
      }
      m_box->drawStrip(c.firstX(), c.strips, c.height, cells, c.stride());
    }
    {
      const std::lock_guard lock(job.mutex);
      ++job.drawn;
    }
    job.room.notify_all();
  }
  emit progressed(std::min(job.columns, [&] {
    const std::lock_guard lock(job.mutex);
    return job.drawn * orbits::kSideBySide;
  }()));
}

}  // namespace diagram
