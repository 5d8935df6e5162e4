// Figures of the sweep, measured on the real window (run it headless with
// QT_QPA_PLATFORM=offscreen). Each time is the median of several runs.
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
#include <vector>

#include "app/form1.h"
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

double sweep(Form1& form, const char* von, const char* bis) {
  form.txtVon->setText(QString::fromLatin1(von));
  form.txtBis->setText(QString::fromLatin1(bis));
  const auto start = Clock::now();
  form.Command1->click();
  return seconds(start);
}

// The same 1000 orbits, the same number of steps, and nothing else.
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

// "S" at the third yield of a sweep (before column 1, so it waits before
// column 2), then two seconds of the pause.
double pausedCpuShare(Form1& form) {
  form.txtVon->setText(QStringLiteral("100"));
  form.txtBis->setText(QStringLiteral("200"));
  int yields = 0;
  forms::setDoEventsHook([&] {
    if (++yields == 3) {
      form.Command5->click();
      forms::setDoEventsHook(nullptr);  // from here on the pause sleeps as it does for a user
    }
  });
  double cpuBefore = 0, cpuAfter = 0;
  int spalteWhilePaused = -1;
  QTimer::singleShot(0, &form, [&] { form.Command1->click(); });
  QTimer::singleShot(500, &form, [&] { cpuBefore = cpuSeconds(); });
  QTimer::singleShot(2500, &form, [&] {
    cpuAfter = cpuSeconds();
    spalteWhilePaused = form.spalte;
    form.Command6->click();
  });
  QTimer::singleShot(2600, &form, [] { QCoreApplication::quit(); });
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
  QApplication::setStyle(QStringLiteral("Fusion"));
  Form1 form;
  form.show();

  if (argc == 3 && QByteArray(argv[1]) == "--peak") {
    sweep(form, "0", argv[2]);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%ld\n", usage.ru_maxrss);
    return 0;
  }

  std::vector<double> defaults;
  for (int i = 0; i < 9; ++i) defaults.push_back(sweep(form, "100", "200"));
  std::printf("default sweep (von 100, bis 200):     %8.1f ms\n", median(defaults) * 1e3);

  std::vector<double> heavy, bare, ratio;
  for (int i = 0; i < 3; ++i) {
    heavy.push_back(sweep(form, "0", "200000"));
    bare.push_back(bareIteration(form, 200000));
    ratio.push_back(bare.back() / heavy.back());
  }
  std::printf("heavy sweep (von 0, bis 200000):      %8.1f ms\n", median(heavy) * 1e3);
  std::printf("bare iteration of the same orbits:    %8.1f ms\n", median(bare) * 1e3);
  std::printf("sweep efficiency (bare / sweep):      %8.2f\n", median(ratio));

  std::printf("paused sweep, share of one core:      %8.2f %%\n", pausedCpuShare(form) * 100);

  const QString self = QCoreApplication::applicationFilePath();
  const long small = peakKiB(self, "2000"), large = peakKiB(self, "2000000");
  std::printf("peak memory, sweep with bis 2000:     %8.1f MiB\n", small / 1024.0);
  std::printf("peak memory, sweep with bis 2000000:  %8.1f MiB\n", large / 1024.0);
  std::printf("difference:                           %8.1f MiB\n", (large - small) / 1024.0);
  return 0;
}
