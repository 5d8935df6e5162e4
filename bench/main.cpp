// Figures of the sweep, measured on the real, repainting window (run it
// headless with QT_QPA_PLATFORM=offscreen). Each figure is the median of
// several runs; speed-ups are against the bare iteration of the same orbits,
// one at a time, measured in the same run.
//   varnoskel_bench            all figures
//   varnoskel_bench --peak N   one sweep with bis = N, then its peak memory
#include <sys/resource.h>

#include <QApplication>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/form1.h"
#include "app/toolkit.h"
#include "orbits/columnengine.h"
#include "orbits/columns.h"
#include "forms/runtime.h"

namespace {

using Clock = std::chrono::steady_clock;

double seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

double cpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  auto s = [](timeval t) { return double(t.tv_sec) + t.tv_usec / 1e6; };
  return s(usage.ru_utime) + s(usage.ru_stime);
}

struct Window {
  const char *links, *rechts, *xMin, *xMax;
};
constexpr Window kStartWindow{"0", "3", "0", "1.5"};
// Deep in the period-doubling cascade, as after a few zooms.
constexpr Window kCascade{"2.44", "2.58", ".9", "1.35"};

double sweep(Form1& form, const Window& w, const char* von, const char* bis) {
  form.txtLinks->setText(QString::fromLatin1(w.links));
  form.txtRechts->setText(QString::fromLatin1(w.rechts));
  form.txtXMIN->setText(QString::fromLatin1(w.xMin));
  form.txtXMAX->setText(QString::fromLatin1(w.xMax));
  form.txtVon->setText(QString::fromLatin1(von));
  form.txtBis->setText(QString::fromLatin1(bis));
  form.Command2->click();
  const auto start = Clock::now();
  form.Command1->click();
  return seconds(start);
}

// The same 1000 orbits, the same number of steps, one after the other, and
// nothing else: the speed of the bare recurrence.
double bareIteration(const Form1& form, int bis) {
  const auto start = Clock::now();
  const double schritt = (form.rechts - form.links) / 1000;
  double sink = 0;
  for (int spalte = 0; spalte <= 999; ++spalte) {
    const double p = form.links + spalte * schritt;
    double bestand = form.startwert;
    for (int iteration = 0; iteration <= bis; ++iteration) bestand = bestand * (1 + p * (1 - bestand));
    sink += bestand;
  }
  volatile double keep = sink;
  (void)keep;
  return seconds(start);
}

// Sweep and bare iteration in turns; prints the medians and their ratio.
void speedUp(Form1& form, const char* name, const Window& w, const char* von, int bis, int runs) {
  std::vector<double> swept, bare, ratio;
  for (int i = 0; i < runs; ++i) {
    swept.push_back(sweep(form, w, von, QByteArray::number(bis).constData()));
    bare.push_back(bareIteration(form, bis));
    ratio.push_back(bare.back() / swept.back());
  }
  std::printf("%s\n", name);
  std::printf("  %-42s %8.1f ms\n", "sweep in the window:", median(swept) * 1e3);
  std::printf("  %-42s %8.1f ms\n", "bare iteration of the same orbits:", median(bare) * 1e3);
  std::printf("  %-42s %8.2f\n", "speed-up (bare / sweep):", median(ratio));
}

// "S" at the third yield of a heavy sweep (before column 1, so it waits
// before column 2, with the workers well ahead), then two seconds of the
// pause. Precise timers: coarse ones may swap the resume and the quit.
double pausedCpuShare(Form1& form) {
  form.txtVon->setText(QStringLiteral("0"));
  form.txtBis->setText(QStringLiteral("200000"));
  int yields = 0;
  forms::setDoEventsHook([&] {
    if (++yields == 3) {
      form.Command5->click();
      forms::setDoEventsHook(nullptr);  // from here on the pause sleeps as it does for a user
    }
  });
  double cpuBefore = 0, cpuAfter = 0;
  int spalteWhilePaused = -1;
  QTimer::singleShot(0, Qt::PreciseTimer, &form, [&] { form.Command1->click(); });
  QTimer::singleShot(500, Qt::PreciseTimer, &form, [&] { cpuBefore = cpuSeconds(); });
  QTimer::singleShot(2500, Qt::PreciseTimer, &form, [&] {
    cpuAfter = cpuSeconds();
    spalteWhilePaused = form.spalte;
    form.Command6->click();
  });
  QTimer::singleShot(2600, Qt::PreciseTimer, &form, [] { QCoreApplication::quit(); });
  QCoreApplication::exec();
  if (spalteWhilePaused != 2) std::printf("(the sweep was not paused where expected: column %d)\n", spalteWhilePaused);
  return (cpuAfter - cpuBefore) / 2.0;
}

long peakKiB(const QString& self, const char* bis) {
  QProcess child;
  child.start(self, {QStringLiteral("--peak"), QString::fromLatin1(bis)});
  child.waitForFinished(-1);
  return child.readAllStandardOutput().trimmed().toLong();
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  setUpToolkit();
  Form1 form;
  form.show();

  if (argc == 3 && QByteArray(argv[1]) == "--peak") {
    sweep(form, kStartWindow, "0", argv[2]);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%ld\n", usage.ru_maxrss);
    return 0;
  }

  std::printf("worker threads: %d, arithmetic: %s\n", form.rechenwerk->workers(), orbits::fastestArithmetic());
  std::vector<double> defaults;
  for (int i = 0; i < 9; ++i) defaults.push_back(sweep(form, kStartWindow, "100", "200"));
  std::printf("%-44s %8.1f ms\n", "default sweep (von 100, bis 200):", median(defaults) * 1e3);
  speedUp(form, "heavy sweep: start window, von 0, bis 200000", kStartWindow, "0", 200000, 5);
  speedUp(form, "deep sweep: p 2.44 to 2.58, X .9 to 1.35, von 10000, bis 1000000", kCascade, "10000", 1000000, 3);

  sweep(form, kStartWindow, "100", "200");
  std::printf("%-44s %8.2f %%\n", "paused heavy sweep, share of one core:", pausedCpuShare(form) * 100);

  const QString self = QCoreApplication::applicationFilePath();
  const long small = peakKiB(self, "2000"), large = peakKiB(self, "2000000");
  std::printf("%-44s %8.1f MiB\n", "peak memory, sweep with bis 2000:", small / 1024.0);
  std::printf("%-44s %8.1f MiB\n", "peak memory, sweep with bis 2000000:", large / 1024.0);
  std::printf("%-44s %8.1f MiB\n", "difference:", (large - small) / 1024.0);
  return 0;
}
