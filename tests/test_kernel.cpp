// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The column kernels and the engine on their own, without a window: each
// column's cells against the loop over one orbit at a time, every point
// drawn as it comes.
#include <QCoreApplication>
#include <QTest>
#include <limits>
#include <random>

#include "oracle.h"
#include "orbits/columnengine.h"
#include "orbits/columns.h"
#include "orbits/law.h"
#include "plain.h"
#include "support/bits.h"

using namespace fixture;

namespace {

// One column's picture rows, as the loop over one orbit draws them: strip s
// holds pixel column firstX + s, a pen is a square block around its point,
// clipped to the picture.
struct OneOrbit {
  int strips;
  std::vector<std::vector<std::uint32_t>> rows;
  double bestand;

  OneOrbit(const orbits::ColumnSettings& s, double p) : strips(std::max(s.thin, s.pen)) {
    const int height = int(s.mapping.height);
    rows.assign(strips, std::vector<std::uint32_t>(height, 0));
    auto point = [&](double x, int pen, std::uint32_t colour) {
      const long cell = oracle::cell((double(support::toSingle(x)) - s.mapping.top) * s.mapping.sy, height);
      if (cell < 0) return;
      const int row = int(cell), left = (strips - 1) / 2 - (pen - 1) / 2;
      for (int i = left; i < left + pen; ++i)
        for (int j = row - (pen - 1) / 2; j < row - (pen - 1) / 2 + pen; ++j)
          if (j >= 0 && j < height) rows[i][j] = colour;
    };
    point(s.startwert, s.pen, rgb(support::kCyan));
    bestand = s.startwert;
    for (std::int64_t iteration = 0; iteration < s.steps(); ++iteration) {
      if (s.normiert) bestand = oracle::step(bestand, p, true);
      if (s.verhulst) bestand = oracle::step(bestand, p, false);
      if (iteration < s.vorlaufBis) point(bestand, s.thin, rgb(support::kCyan));
      if (iteration >= s.gelbAb) point(bestand, s.pen, rgb(support::kYellow));
    }
  }
};

// Every arithmetic's columns against one orbit at a time: the same picture
// rows and, bit for bit, the same final value.
void check(const orbits::ColumnSettings& s, const double* p, int count, const QString& what) {
  for (auto arithmetic : {orbits::Arithmetic::Plain, orbits::Arithmetic::Avx2, orbits::Arithmetic::Fastest}) {
    orbits::ColumnPixels columns[orbits::kSideBySide];
    QVERIFY(orbits::computeColumns(
        s, p, count, columns, [] { return true; }, arithmetic));
    for (int k = 0; k < count; ++k) {
      const OneOrbit expected(s, p[k]);
      const orbits::ColumnPixels& c = columns[k];
      QCOMPARE(c.x, s.mapping.column(support::toSingle(p[k])));
      QCOMPARE(c.strips, expected.strips);
      for (int strip = 0; strip < c.strips; ++strip)
        QVERIFY2(std::equal(expected.rows[strip].begin(), expected.rows[strip].end(), c.rows() + strip * c.stride()),
                 qPrintable(QString("%1, column %2 of %3, p %4").arg(what).arg(k).arg(count).arg(p[k])));
      QCOMPARE(support::bitCast<std::uint64_t>(c.bestand), support::bitCast<std::uint64_t>(expected.bestand));
    }
  }
}

}  // namespace

class TestKernel : public QObject {
  Q_OBJECT

 private slots:
  // The growth law the kernels and the orbit window share: each form's step
  // is the oracle's to the bit, the two forms chosen together are the one
  // after the other, and the derivative is the slope of the step, which a
  // central difference of long doubles measures independently.
  void theLawIsTheOracles() {
    std::mt19937_64 random(11);
    auto uniform = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(random); };
    for (int round = 0; round < 3000; ++round) {
      const double x = uniform(-0.5, 1.6), p = uniform(-1, 3.5);
      for (const orbits::Law law : {orbits::Law{true, false}, orbits::Law{false, true}, orbits::Law{true, true}}) {
        double expected = x;
        if (law.normiert) expected = oracle::step(expected, p, true);
        if (law.verhulst) expected = oracle::step(expected, p, false);
        QCOMPARE(support::bitCast<std::uint64_t>(law.step(x, p)), support::bitCast<std::uint64_t>(expected));
        auto f = [&](long double u) {
          if (law.normiert) u = u * (1 + p * (1 - u));
          if (law.verhulst) u = u * (1 + p) * (1 - u);
          return u;
        };
        const long double h = 1e-6L;
        const double slope = double((f(x + h) - f(x - h)) / (2 * h));
        QVERIFY2(std::fabs(law.slope(x, p) - slope) <= 1e-6 * std::max(1.0, std::fabs(slope)),
                 qPrintable(QString("x %1, p %2, %3 %4").arg(x).arg(p).arg(law.normiert).arg(law.verhulst)));
      }
    }
  }

  // Every arithmetic against one orbit at a time, every point drawn as it
  // comes, for any number of columns side by side (a last batch of fewer
  // columns than lanes among them), both pens, and growth parameters that
  // make the orbit leave the double range, infinities and NaN included:
  // the same picture rows and, bit for bit, the same final value.
  void kernelsEqualTheOneOrbitLoop() {
    std::mt19937_64 random(7);
    auto uniform = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(random); };
    const double wild[] = {3.5,
                           40,
                           -7,
                           1e300,
                           -1e300,
                           std::numeric_limits<double>::infinity(),
                           -std::numeric_limits<double>::infinity(),
                           std::numeric_limits<double>::quiet_NaN(),
                           0};
    for (int round = 0, n = rounds(300); round < n; ++round) {
      orbits::ColumnSettings s;
      // Every third window ends at the fixed point X = 1, where points fall on the lower edge.
      const bool edge = round % 3 == 0;
      const double links = uniform(-1, 4), rechts = links + uniform(-1, 8), top = edge ? 1.5 : uniform(0, 2);
      const double bottom = edge ? 1 : uniform(-.5, 2.5), height = 480;
      s.mapping = {links, 800 / (rechts - links), 800, top, height / (bottom - top), height};
      s.startwert = int(uniform(1, 99)) / 100.0;
      s.bis = std::int64_t(uniform(2, round % 10 == 0 ? 9000 : 3000)) - 1;
      s.vorlaufBis = std::int64_t(uniform(0, 3000));
      s.gelbAb = std::int64_t(uniform(1, 3000));
      s.normiert = random() % 2;
      s.verhulst = !s.normiert || random() % 8 == 0;
      s.thin = 1 + int(random() % 2);
      s.pen = s.thin * (1 + int(random() % 2));
      // Every eleventh round the stretches are a few steps each, with
      // one-pixel pens, so that the kernels are called for fewer steps than
      // they keep points back before writing them.
      if (round % 11 == 5) {
        s.thin = s.pen = 1;
        s.bis = std::int64_t(uniform(2, 20)) - 1;
        s.vorlaufBis = std::int64_t(uniform(0, 9));
        s.gelbAb = std::int64_t(uniform(1, 9));
      }
      // Every seventh round every orbit runs wild, with stretches of a step or two at the start.
      const bool allWild = round % 7 == 0;
      if (allWild) {
        s.vorlaufBis = 1 + std::int64_t(random() % 2);
        s.gelbAb = 1 + std::int64_t(random() % 3);
      }
      double p[orbits::kSideBySide];
      for (double& one : p)
        one = allWild             ? wild[3 + random() % 5]  // beyond the double range within a step or two
              : random() % 6 == 0 ? wild[random() % std::size(wild)]
                                  : uniform(std::min(links, rechts), std::max(links, rechts));
      const int count = 1 + int(random() % orbits::kSideBySide);
      check(s, p, count, QString("round %1").arg(round));
      if (QTest::currentTestFailed()) return;
    }

    // Near the single-precision limit of the pixel rule: with p = 0 the
    // normalised orbit stays at its start value, so every step draws it.
    const double flt = std::numeric_limits<float>::max();
    const double near[] = {flt,
                           -flt,
                           std::nextafter(support::kSingleOverflow, 0.0),
                           support::kSingleOverflow,
                           3e38,
                           1e38,
                           std::nextafter(flt, 0.0),
                           std::nextafter(flt, 4e38)};
    const std::pair<double, double> windows[] = {{3.5e38, -3.5e38}, {flt, flt * (1 - 1e-6)}, {flt * (1 + 1e-7), 3e38}};
    for (auto [top, bottom] : windows)
      for (double start : near) {
        orbits::ColumnSettings s;
        s.mapping = {0, 800 / 3.0, 800, top, 480 / (bottom - top), 480};
        s.startwert = start;
        s.bis = 39;
        s.vorlaufBis = 5;
        s.gelbAb = 20;
        double p[orbits::kSideBySide] = {};
        check(s, p, 3, QString("start %1 in %2 ... %3").arg(start).arg(top).arg(bottom));
        if (QTest::currentTestFailed()) return;
      }
  }

  // Long columns in periodic windows, whose orbits repeat themselves bit
  // for bit, so that most of each stretch is finished a lane at a time from
  // the cycle: cycles met before von and only after it, before the end of
  // the lead-in and after it, bis shorter than a cycle, slow settling at a
  // period doubling, both laws and all pens. The cells and the final values
  // are the loop's over every step.
  void cyclesDrawWhatTheWholeLoopDraws_data() {
    QTest::addColumn<bool>("normiert");
    QTest::addColumn<double>("from");  // the batch's p: from, from + 0.001, ...
    QTest::addColumn<qint64>("steps");
    QTest::addColumn<qint64>("lead");
    QTest::addColumn<qint64>("yellow");
    QTest::newRow("fixed points, defaults") << true << 1.5 << qint64(201) << qint64(12) << qint64(101);
    QTest::newRow("period 2 and 4, long") << true << 2.2 << qint64(300001) << qint64(12) << qint64(10001);
    QTest::newRow("period 4, lead-in past von") << true << 2.5 << qint64(200001) << qint64(150000) << qint64(100);
    QTest::newRow("period 3 window, yellow from 0") << true << 2.83 << qint64(100001) << qint64(0) << qint64(0);
    QTest::newRow("at a doubling, slow") << true << 1.995 << qint64(200001) << qint64(5) << qint64(50000);
    QTest::newRow("cascade") << true << 2.54 << qint64(400001) << qint64(12) << qint64(10001);
    QTest::newRow("Verhulst, cascade") << false << 2.5 << qint64(300001) << qint64(300001) << qint64(10001);
    QTest::newRow("bis shorter than a cycle") << true << 2.56 << qint64(9) << qint64(3) << qint64(4);
    QTest::newRow("mixed with chaos") << true << 2.62 << qint64(60001) << qint64(12) << qint64(3000);
  }
  void cyclesDrawWhatTheWholeLoopDraws() {
    QFETCH(bool, normiert);
    QFETCH(double, from);
    QFETCH(qint64, steps);
    QFETCH(qint64, lead);
    QFETCH(qint64, yellow);
    for (int thin : {1, 2})
      for (int pen : {thin, 2 * thin}) {
        orbits::ColumnSettings s;
        s.mapping = {0, 800 / 3.0, 800, 1.5, 480 / -1.5, 480};
        s.normiert = normiert;
        s.verhulst = !normiert;
        s.bis = steps - 1;
        s.vorlaufBis = lead;
        s.gelbAb = yellow;
        s.thin = thin;
        s.pen = pen;
        double p[orbits::kSideBySide];
        for (int k = 0; k < orbits::kSideBySide; ++k) p[k] = from + 0.001 * k;
        check(s, p, orbits::kSideBySide, QString("pens %1 and %2").arg(thin).arg(pen));
        if (QTest::currentTestFailed()) return;
      }
  }

  // The skipping happens at all: a batch of periodic columns iterates a
  // small share of its steps, a batch with a chaotic column every one of
  // them (its other orbits go on iterating with it).
  void periodicColumnsSkipMostSteps() {
    orbits::ColumnSettings s;
    s.mapping = {0, 800 / 3.0, 800, 1.5, 480 / -1.5, 480};
    s.bis = 1000000;
    s.gelbAb = 1000;
    double p[orbits::kSideBySide];
    for (double chaotic : {0.0, 2.9}) {
      for (int k = 0; k < orbits::kSideBySide; ++k) p[k] = 2.2 + 0.01 * k;
      if (chaotic) p[7] = chaotic;
      orbits::ColumnPixels columns[orbits::kSideBySide];
      QVERIFY(orbits::computeColumns(s, p, orbits::kSideBySide, columns, [] { return true; }));
      if (chaotic)
        QCOMPARE(columns[0].iterated, s.steps());
      else
        QVERIFY2(columns[0].iterated < s.steps() / 100, qPrintable(QString::number(columns[0].iterated)));
    }
  }

  // Many workers (a desktop with 32 threads and more): the lookahead stays
  // within a sweep, and every column equals the one-orbit loop's. Built with
  // the standard library's own checks (make sanitize), a lookahead bounded
  // the wrong way round ends the program here.
  void manyWorkers() {
    orbits::ColumnEngine engine(64);
    QCOMPARE(engine.workers(), 64);
    orbits::ColumnRun run;
    run.settings.bis = 299;
    run.settings.gelbAb = 100;
    run.settings.vorlaufBis = 12;
    run.settings.mapping = {0, 800 / 3.0, 800, 1.5, 480 / -1.5, 480};
    run.links = 0;
    run.schritt = 3.0 / orbits::kColumns;
    for (std::int32_t spalte = 0; spalte < orbits::kColumns; ++spalte) {
      orbits::ColumnPixels column;
      while (!(column = engine.take(run, spalte))) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
      const OneOrbit expected(run.settings, run.links + spalte * run.schritt);
      QVERIFY(std::equal(expected.rows[0].begin(), expected.rows[0].end(), column.rows()));
      QCOMPARE(support::bitCast<std::uint64_t>(column.bestand), support::bitCast<std::uint64_t>(expected.bestand));
    }
  }
};

QTEST_GUILESS_MAIN(TestKernel)
#include "test_kernel.moc"
