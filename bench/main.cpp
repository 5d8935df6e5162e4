// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Figures of the sweep, measured on the real, repainting window (run it
// headless with QT_QPA_PLATFORM=offscreen). Every figure is measured several
// times and printed as minimum, median and maximum; speed-ups are against the
// bare iteration of the same orbits, one at a time, measured in the same run.
// The figures also go to bench.json beside the build, one object
// {"min", "median", "max"} per figure.
//   varnoskel_bench [JSON]     all figures (JSON: where to write them)
//   varnoskel_bench --peak N   one sweep with bis = N, then its peak memory
#include <sys/resource.h>

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "analysis/cascade.h"
#include "app/form1.h"
#include "app/toolkit.h"
#include "diagram/printpicture.h"
#include "forms/picturebox.h"
#include "forms/runtime.h"
#include "inspector/lyapunovwindow.h"
#include "inspector/orbitwindow.h"
#include "orbits/columnengine.h"
#include "orbits/columns.h"
#include "probe.h"
#include "support/numbers.h"

namespace {

using Clock = std::chrono::steady_clock;

double seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

double cpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  auto s = [](timeval t) { return double(t.tv_sec) + t.tv_usec / 1e6; };
  return s(usage.ru_utime) + s(usage.ru_stime);
}

// One figure over its runs.
struct Figure {
  const char* key;
  std::vector<double> runs;

  double min() const { return *std::min_element(runs.begin(), runs.end()); }
  double max() const { return *std::max_element(runs.begin(), runs.end()); }
  double median() const {
    std::vector<double> v = runs;
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
  }
};

std::vector<Figure> figures;

void report(const char* key, const char* what, const char* unit, std::vector<double> runs) {
  figures.push_back({key, std::move(runs)});
  const Figure& f = figures.back();
  std::printf("%-48s %9.2f %9.2f %9.2f  %s\n", what, f.min(), f.median(), f.max(), unit);
}

void writeJson(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return;
  std::string json = "{\n";
  for (std::size_t i = 0; i < figures.size(); ++i) {
    char line[256];
    std::snprintf(line, sizeof line, "  \"%s\": {\"min\": %.4g, \"median\": %.4g, \"max\": %.4g}%s\n", figures[i].key,
                  figures[i].min(), figures[i].median(), figures[i].max(), i + 1 < figures.size() ? "," : "");
    json += line;
  }
  json += "}\n";
  file.write(json.data(), qint64(json.size()));
}

using Window = Grenzen;
constexpr Window kStartWindow = orbits::kStartFenster;
// Deep in the period-doubling cascade, as after a few zooms.
constexpr Window kCascade{2.44, 2.58, .9, 1.35};
// The chaotic bands, where little repeats.
constexpr Window kChaos{2.6, 3, 0, 1.5};

double sweep(Form1Probe& form, const Window& w, const char* von, const char* bis) {
  form.txtLinks->setText(support::qTextFromDouble(w.links));
  form.txtRechts->setText(support::qTextFromDouble(w.rechts));
  form.txtXMIN->setText(support::qTextFromDouble(w.xMin));
  form.txtXMAX->setText(support::qTextFromDouble(w.xMax));
  form.txtVon->setText(QString::fromLatin1(von));
  form.txtBis->setText(QString::fromLatin1(bis));
  form.Command2->click();
  const auto start = Clock::now();
  form.Command1->click();
  return seconds(start);
}

// The same 1000 orbits, the same number of steps, one after the other, and
// nothing else: the speed of the bare recurrence.
double bareIteration(const Form1Probe& form, int bis) {
  const auto start = Clock::now();
  const double schritt = (form.fenster.rechts - form.fenster.links) / orbits::kColumns;
  double sink = 0;
  for (int spalte = 0; spalte < orbits::kColumns; ++spalte) {
    const double p = form.fenster.links + spalte * schritt;
    double bestand = form.startwert;
    for (int iteration = 0; iteration <= bis; ++iteration) bestand = orbits::step<true, false>(bestand, p);
    sink += bestand;
  }
  volatile double keep = sink;
  (void)keep;
  return seconds(start);
}

// Sweep and bare iteration in turns: the speed-up is bare / sweep.
std::vector<double> speedUps(Form1Probe& form, const Window& w, const char* von, int bis, int runs) {
  std::vector<double> ratio;
  for (int i = 0; i < runs; ++i) {
    const double swept = sweep(form, w, von, QByteArray::number(bis).constData());
    ratio.push_back(bareIteration(form, bis) / swept);
  }
  return ratio;
}

// The column kernel alone on this thread, without the window or the workers:
// the 1000 columns of the last sweep (von 0, points at every step), in
// batches side by side, every step iterated (none of the repeats skipped),
// against the bare iteration of the same orbits.
std::vector<double> kernelPerCore(const Form1Probe& form, int bis, orbits::Arithmetic arithmetic, int runs) {
  orbits::ColumnSettings s;
  s.startwert = form.startwert;
  s.bis = bis;
  s.vorlaufBis = 12;
  s.gelbAb = 1;
  s.mapping = form.picAusgabe->pixelMapping();
  const double schritt = (form.fenster.rechts - form.fenster.links) / orbits::kColumns;
  std::vector<double> ratio;
  for (int i = 0; i < runs; ++i) {
    const auto start = Clock::now();
    for (int from = 0; from < orbits::kColumns; from += orbits::kSideBySide) {
      const int count = std::min(orbits::kSideBySide, orbits::kColumns - from);
      double p[orbits::kSideBySide];
      for (int k = 0; k < count; ++k) p[k] = form.fenster.links + (from + k) * schritt;
      orbits::ColumnPixels columns[orbits::kSideBySide];
      orbits::computeColumns(
          s, p, count, columns, [] { return true; }, arithmetic, orbits::Repeats::Iterated);
    }
    const double kernel = seconds(start);
    ratio.push_back(bareIteration(form, bis) / kernel);
  }
  return ratio;
}

// "S" at the third yield of a heavy sweep (before column 1, so it waits
// before column 2, with the workers well ahead), then two seconds of the
// pause. Precise timers: coarse ones may swap the resume and the quit.
double pausedCpuShare(Form1Probe& form) {
  form.txtVon->setText(QStringLiteral("0"));
  form.txtBis->setText(QStringLiteral("200000"));
  int yields = 0;
  std::optional<support::Restore> third;
  third.emplace(forms::setDoEventsHook([&] {
    if (++yields == 3) {
      form.Command5->click();
      third.reset();  // from here on the pause sleeps as it does for a user
    }
  }));
  double cpuBefore = 0, cpuAfter = 0;
  int spalteWhilePaused = -1;
  QTimer::singleShot(0, Qt::PreciseTimer, &form.window, [&] { form.Command1->click(); });
  QTimer::singleShot(500, Qt::PreciseTimer, &form.window, [&] { cpuBefore = cpuSeconds(); });
  QTimer::singleShot(2500, Qt::PreciseTimer, &form.window, [&] {
    cpuAfter = cpuSeconds();
    spalteWhilePaused = form.spalte;
    form.Command6->click();
  });
  QEventLoop loop;
  QTimer::singleShot(2600, Qt::PreciseTimer, &loop, &QEventLoop::quit);
  loop.exec();
  if (spalteWhilePaused != 2) std::printf("(the sweep was not paused where expected: column %d)\n", spalteWhilePaused);
  return (cpuAfter - cpuBefore) / 2.0;
}

// The orbit window at a chaotic p, von 100, bis 10^6: from the request to
// the picture drawn and on screen. And the bare iteration of the same orbit.
constexpr std::int64_t kOrbitBis = 1000000;
analysis::OrbitSettings orbitSettings() {
  analysis::OrbitSettings s;
  s.p = 2.9;
  s.bis = kOrbitBis;
  return s;
}

double orbitWindowMs(inspector::OrbitWindow& window) {
  QEventLoop loop;
  QObject::connect(&window, &inspector::OrbitWindow::ended, &loop, &QEventLoop::quit);
  const auto start = Clock::now();
  window.request(orbitSettings());
  loop.exec();
  window.repaint();
  return seconds(start) * 1e3;
}

double bareOrbitMs() {
  const auto start = Clock::now();
  const analysis::OrbitSettings s = orbitSettings();
  double bestand = s.startwert;
  for (std::int64_t iteration = 0; iteration <= s.bis; ++iteration) bestand = orbits::step<true, false>(bestand, s.p);
  volatile double keep = bestand;
  (void)keep;
  return seconds(start) * 1e3;
}

// "L" with the heavy settings on the start window: from the key to the
// curve drawn and on screen.
double lyapunovWindowMs(Form1Probe& form) {
  for (QShortcut* key : form.window.findChildren<QShortcut*>(Qt::FindDirectChildrenOnly)) {
    if (key->key() != QKeySequence(Qt::Key_L)) continue;
    const auto start = Clock::now();
    emit key->activated();
    auto* window = form.window.findChild<inspector::LyapunovWindow*>();
    if (window->computing()) {
      QEventLoop loop;
      QObject::connect(window, &inspector::LyapunovWindow::ended, &loop, &QEventLoop::quit);
      loop.exec();
    }
    window->repaint();
    return seconds(start) * 1e3;
  }
  return 0;
}

// The diagram at print size, 3000 pixels wide, in the start window with the
// sweep's settings (von, bis; the defaults' lead-in): from the start to the
// picture complete.
double printPictureMs(Form1Probe& form, int von, int bis) {
  diagram::PrintRequest request;
  request.fenster = kStartWindow;
  request.iteration.bis = bis;
  request.iteration.gelbAb = orbits::firstAbove(von);
  diagram::PrintPicture picture(request, form.picAusgabe->size(), form.picAusgabe->font());
  QEventLoop loop;
  QObject::connect(&picture, &diagram::PrintPicture::finished, &loop, &QEventLoop::quit);
  const auto start = Clock::now();
  picture.start();
  loop.exec();
  return seconds(start) * 1e3;
}

// The cascade's whole table, on this thread.
double cascadeMs() {
  const auto start = Clock::now();
  analysis::cascade([](const analysis::CascadeRow&) {}, [] { return true; });
  return seconds(start) * 1e3;
}

double peakMiB(const QString& self, const char* bis) {
  QProcess child;
  child.start(self, {QStringLiteral("--peak"), QString::fromLatin1(bis)});
  child.waitForFinished(-1);
  return child.readAllStandardOutput().trimmed().toLong() / 1024.0;
}

template <class F>
std::vector<double> repeat(int runs, F measure) {
  std::vector<double> v;
  for (int i = 0; i < runs; ++i) v.push_back(measure());
  return v;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  setUpToolkit();
  Form1Probe form(std::make_unique<Form1>());
  form.window.show();

  if (argc == 3 && QByteArray(argv[1]) == "--peak") {
    sweep(form, kStartWindow, "0", argv[2]);
    // The high-water mark of this process's own memory. getrusage's maximum
    // would also count the parent's resident size at the fork.
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 1;
    for (const QByteArray& line : status.readAll().split('\n'))
      if (line.startsWith("VmHWM:")) std::printf("%ld\n", line.mid(6).trimmed().split(' ').front().toLong());
    return 0;
  }

  // The bare recurrence of the start window's orbits, for the browser's
  // bench (packaging/web/bench.py): seconds.
  if (argc == 3 && QByteArray(argv[1]) == "--bare") {
    std::printf("%.6f\n", bareIteration(form, QByteArray(argv[2]).toInt()));
    return 0;
  }
  // The portable kernel on one thread against the bare recurrence, for the
  // same bench: bare / kernel.
  if (argc == 3 && QByteArray(argv[1]) == "--kernel-plain") {
    sweep(form, kStartWindow, "0", "2");
    const std::vector<double> ratio = kernelPerCore(form, QByteArray(argv[2]).toInt(), orbits::Arithmetic::Plain, 1);
    std::printf("%.6f\n", ratio.front());
    return 0;
  }

  std::printf("worker threads: %d, arithmetic: %s, %d orbits side by side\n", form.rechenwerk.workers(),
              orbits::fastestArithmetic(), orbits::kSideBySide);
  std::printf("%-48s %9s %9s %9s\n", "", "min", "median", "max");
  sweep(form, kStartWindow, "100", "200");  // the workers start
  report("default_sweep_ms", "default sweep (von 100, bis 200)", "ms",
         repeat(15, [&] { return sweep(form, kStartWindow, "100", "200") * 1e3; }));
  report("heavy_speedup", "heavy sweep (von 0, bis 200000), bare / sweep", "",
         speedUps(form, kStartWindow, "0", 200000, 5));
  // The exponent over p for the same settings, against the sweep itself.
  report("heavy_sweep_ms", "heavy sweep, its own time", "ms",
         repeat(5, [&] { return sweep(form, kStartWindow, "0", "200000") * 1e3; }));
  report("lyapunov_window_ms", "exponent over p, heavy settings, key to curve", "ms",
         repeat(5, [&] { return lyapunovWindowMs(form); }));
  report("print_picture_ms", "print picture, 3000 wide, defaults", "ms",
         repeat(5, [&] { return printPictureMs(form, 100, 200); }));
  report("print_picture_heavy_ms", "print picture, 3000 wide, heavy settings", "ms",
         repeat(5, [&] { return printPictureMs(form, 0, 200000); }));
  report("cascade_ms", "Feigenbaum's table, all rows, one thread", "ms", repeat(3, cascadeMs));
  if (auto* lyapunov = form.window.findChild<inspector::LyapunovWindow*>()) lyapunov->close();
  report("deep_speedup", "deep sweep (p 2.44-2.58, X .9-1.35), bare / sweep", "",
         speedUps(form, kCascade, "10000", 1000000, 5));
  report("chaos_speedup", "chaotic sweep (p 2.6-3, von 0, bis 200000), bare / sweep", "",
         speedUps(form, kChaos, "0", 200000, 5));
  form.rechenwerk.setArithmetic(orbits::Arithmetic::Avx2);
  report("chaos_speedup_avx2", "the same, the workers held to AVX2", "", speedUps(form, kChaos, "0", 200000, 5));
  form.rechenwerk.setArithmetic(orbits::Arithmetic::Fastest);
  // The kernel on the start window, every step drawn.
  sweep(form, kStartWindow, "0", "2");
  report("kernel_avx512_per_core", "kernel alone, one thread, fastest: bare / kernel", "",
         kernelPerCore(form, 50000, orbits::Arithmetic::Fastest, 5));
  report("kernel_avx2_per_core", "kernel alone, one thread, AVX2: bare / kernel", "",
         kernelPerCore(form, 50000, orbits::Arithmetic::Avx2, 5));
  report("kernel_plain_per_core", "kernel alone, one thread, plain: bare / kernel", "",
         kernelPerCore(form, 50000, orbits::Arithmetic::Plain, 5));
  std::printf("(the fastest kernel here: %s)\n", orbits::fastestArithmetic());

  inspector::OrbitWindow orbitWindow(&form.window, form.picAusgabe);
  orbitWindowMs(orbitWindow);  // its worker starts
  report("orbit_window_ms", "orbit window (von 100, bis 1e6), computed, drawn", "ms",
         repeat(15, [&] { return orbitWindowMs(orbitWindow); }));
  report("orbit_bare_ms", "the same orbit, bare iteration", "ms", repeat(15, bareOrbitMs));
  orbitWindow.close();

  sweep(form, kStartWindow, "100", "200");
  report("paused_cpu_percent", "paused heavy sweep, share of one core", "%",
         repeat(3, [&] { return pausedCpuShare(form) * 100; }));

  const QString self = QCoreApplication::applicationFilePath();
  report("peak_mib_small", "peak memory, sweep with bis 2000", "MiB", repeat(3, [&] { return peakMiB(self, "2000"); }));
  report("peak_mib_large", "peak memory, sweep with bis 2000000", "MiB",
         repeat(3, [&] { return peakMiB(self, "2000000"); }));

  const QString json = argc == 2 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("bench.json");
  writeJson(json);
  std::printf("written to %s\n", qPrintable(json));
  return 0;
}
