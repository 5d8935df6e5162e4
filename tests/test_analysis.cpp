// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The lessons' mathematics alone, without a window: one orbit against the
// one-orbit loop, its period and Lyapunov exponent against values known from
// first principles and the literature, the exponent over p against the
// orbit's, the cascade of period doublings, and that exact cycles are
// skipped at all.
#include <QTest>
#include <bit>
#include <boost/multiprecision/cpp_bin_float.hpp>
#include <cmath>
#include <numbers>
#include <random>

#include "analysis/cascade.h"
#include "analysis/exponents.h"
#include "analysis/orbit.h"
#include "oracle.h"
#include "orbits/slopes.h"
#include "plain.h"
#include "support/bits.h"
#include "support/palette.h"

using analysis::Orbit;
using analysis::OrbitSettings;

namespace {

OrbitSettings settings(double p, bool normiert, double von, std::int64_t bis, std::int64_t lead = 12) {
  OrbitSettings s;
  s.p = p;
  s.normiert = normiert;
  s.verhulst = !normiert;
  s.bis = bis;
  s.gelbAb = std::int64_t(std::floor(von)) + 1;
  s.vorlaufBis = lead;
  s.fenster.xMax = normiert ? 1.5 : 1;
  return s;
}

Orbit computed(const OrbitSettings& s) {
  Orbit o;
  if (!analysis::computeOrbit(s, o, [](std::int64_t) { return true; })) qFatal("not computed");
  return o;
}

// g^q(1/2) for logistic growth x -> r x (1 - x).
double criticalOrbit(double r, int q) {
  double x = 0.5;
  for (int k = 0; k < q; ++k) x = r * x * (1 - x);
  return x;
}

// A superstable r of period q near `guess`: the critical point returns to
// itself after q steps and not before (Newton's method, the derivative by a
// central difference), or NaN.
double superstable(double guess, int q) {
  double r = guess;
  for (int i = 0; i < 60; ++i) {
    const double h = 1e-7 * r;
    const double f = criticalOrbit(r, q) - 0.5;
    const double d = (criticalOrbit(r + h, q) - criticalOrbit(r - h, q)) / (2 * h);
    const double step = f / d;
    r -= step;
    if (std::fabs(step) < 1e-15) break;
  }
  for (int k = 1; k < q; ++k)
    if (q % k == 0 && std::fabs(criticalOrbit(r, k) - 0.5) < 1e-9) return std::nan("");
  return std::fabs(criticalOrbit(r, q) - 0.5) < 1e-9 ? r : std::nan("");
}

// The cascade's rows up to `last`, computed once for the tests that read them.
std::vector<analysis::CascadeRow> cascadeRows(int last) {
  static std::vector<analysis::CascadeRow> rows;
  if (int(rows.size()) <= last) {
    rows.clear();
    if (!analysis::cascade([&](const analysis::CascadeRow& r) { rows.push_back(r); }, [] { return true; }, last))
      qFatal("cascade stopped");
  }
  return {rows.begin(), rows.begin() + last + 1};
}

analysis::CascadeWindow window(const std::vector<analysis::CascadeRow>& rows, std::size_t n, bool normiert) {
  return analysis::cascadeWindow(rows[n], n > 0 ? &rows[n - 1] : nullptr, normiert);
}

// 50 decimal digits, far beyond the 34 the program computes with.
using Wide = boost::multiprecision::cpp_bin_float_50;

// Whether a shown decimal text lies within one unit of its last digit of
// `exact`, with at least `least` significant digits.
bool within(const std::string& text, const Wide& exact, int least) {
  if (text.empty()) return false;
  const auto point = text.find('.');
  const int decimals = point == std::string::npos ? 0 : int(text.size() - point - 1);
  int significant = 0;
  bool leading = true;
  for (char c : text) {
    if (c < '0' || c > '9') continue;
    leading = leading && c == '0';
    if (!leading) ++significant;
  }
  const Wide unit = pow(Wide(10), -decimals);
  return significant >= least && abs(Wide(text) - exact) <= unit;
}

// Logistic growth g(x) = r x (1 - x), here in r.
struct WideSuperstable {
  Wide r, width;
};
WideSuperstable wideSuperstable(Wide r, std::int64_t q) {
  const Wide half("0.5");
  Wide width;
  for (int i = 0; i < 40; ++i) {
    Wide x = half, dx = 0, mid = 0;
    for (std::int64_t k = 0; k < q; ++k) {
      dx = x * (1 - x) + r * (1 - 2 * x) * dx;
      x = r * x * (1 - x);
      if (k + 1 == q / 2) mid = x;
    }
    width = mid - half;
    const Wide step = (x - half) / dx;
    r -= step;
    if (abs(step) < Wide("1e-45")) break;
  }
  return {r, width};
}

// The doubling near a guessed r: a point x of the q-cycle by Newton's method
// on g^q(x) - x, then x and r together until g^q(x) = x and (g^q)'(x) = -1.
Wide wideDoubling(Wide r, std::int64_t q) {
  Wide x0("0.5");
  for (int i = 0; i < 40; ++i) {
    Wide x = x0, m = 1;
    for (std::int64_t k = 0; k < q; ++k) {
      m *= r * (1 - 2 * x);
      x = r * x * (1 - x);
    }
    const Wide step = (x - x0) / (m - 1);
    x0 -= step;
    if (abs(step) < Wide("1e-45")) break;
  }
  for (int i = 0; i < 40; ++i) {
    // d/dx0 (a), d/dr (b) of the orbit, and d2/dx0^2 (c), d2/dx0 dr (e).
    Wide x = x0, a = 1, b = 0, c = 0, e = 0;
    for (std::int64_t k = 0; k < q; ++k) {
      const Wide g1 = r * (1 - 2 * x), g2 = -2 * r, gr = x * (1 - x), grx = 1 - 2 * x;
      e = g2 * a * b + g1 * e + grx * a;
      c = g2 * a * a + g1 * c;
      b = g1 * b + gr;
      a = g1 * a;
      x = r * x * (1 - x);
    }
    const Wide f1 = x - x0, f2 = a + 1, det = (a - 1) * e - b * c;
    const Wide dx = (f1 * e - f2 * b) / det, dr = ((a - 1) * f2 - c * f1) / det;
    x0 -= dx;
    r -= dr;
    if (abs(dr) < Wide("1e-45") && abs(dx) < Wide("1e-45")) break;
  }
  return r;
}

}  // namespace

class TestAnalysis : public QObject {
  Q_OBJECT

 private slots:
  // Both orbits bit for bit as a loop over one orbit iterates them; the
  // colours as the diagram gives them: X0 and the lead-in cyan, from
  // X(floor(von) + 2) on yellow, yellow where both hold.
  void theOrbitIsTheOneOrbitLoop_data() {
    QTest::addColumn<bool>("normiert");
    QTest::addColumn<double>("p");
    QTest::addColumn<double>("von");
    QTest::addColumn<qint64>("bis");
    QTest::addColumn<qint64>("lead");
    QTest::newRow("normiert, defaults") << true << 2.5 << 100.0 << qint64(200) << qint64(12);
    QTest::newRow("normiert, bis beyond what is drawn") << true << 2.7 << 1000.5 << qint64(5000) << qint64(12);
    QTest::newRow("Verhulst, lead-in past von") << false << 2.9 << 5.0 << qint64(300) << qint64(50);
    QTest::newRow("Verhulst, short") << false << 1.2 << 3.0 << qint64(10) << qint64(0);
    QTest::newRow("escapes, p above 3") << true << 3.2 << 0.0 << qint64(3000) << qint64(12);
  }
  void theOrbitIsTheOneOrbitLoop() {
    QFETCH(bool, normiert);
    QFETCH(double, p);
    QFETCH(double, von);
    QFETCH(qint64, bis);
    QFETCH(qint64, lead);
    OrbitSettings s = settings(p, normiert, von, bis, lead);
    s.startwert = 0.37;
    const Orbit o = computed(s);
    const auto xs = oracle::orbit(p, 0.37, int(bis) + 1, normiert);
    const auto ys = oracle::orbit(p, 0.37 + 1e-6, int(bis) + 1, normiert);
    QCOMPARE(o.first, std::max<qint64>(0, bis + 1 - 400));
    QCOMPARE(qint64(o.values.size()), bis + 2 - o.first);
    QCOMPARE(o.neighbour.size(), o.values.size());
    for (std::size_t i = 0; i < o.values.size(); ++i) {
      const auto n = std::size_t(o.first) + i;
      QCOMPARE(support::bitCast<quint64>(o.values[i]), support::bitCast<quint64>(xs[n]));
      QCOMPARE(support::bitCast<quint64>(o.neighbour[i]), support::bitCast<quint64>(ys[n]));
    }
    QCOMPARE(o.escaped, !std::isfinite(xs.back()));
    for (qint64 n = 0; n <= bis + 1; ++n) {
      const int expected = n >= std::floor(von) + 2 ? support::kYellow : n == 0 || n <= lead ? support::kCyan : -1;
      QCOMPARE(s.colour(n), expected);
    }
  }

  // In the normalised form's p (r = 1 + p): a fixed point at 1.9, period 2
  // at 2.2, 4 at 2.5, 3 in the window at 2.835, chaos at 3 with the
  // exponent ln 2. Verhulst's form is the same map in other coordinates.
  void periodsAndExponentsFromTheLiterature_data() {
    QTest::addColumn<bool>("normiert");
    QTest::addColumn<double>("p");
    QTest::addColumn<int>("period");
    for (bool normiert : {true, false}) {
      const char* form = normiert ? "normiert" : "Verhulst";
      QTest::addRow("%s 1.9", form) << normiert << 1.9 << 1;
      QTest::addRow("%s 2.2", form) << normiert << 2.2 << 2;
      QTest::addRow("%s 2.5", form) << normiert << 2.5 << 4;
      QTest::addRow("%s 2.835", form) << normiert << 2.835 << 3;
      QTest::addRow("%s 3", form) << normiert << 3.0 << 0;
    }
  }
  void periodsAndExponentsFromTheLiterature() {
    QFETCH(bool, normiert);
    QFETCH(double, p);
    QFETCH(int, period);
    const OrbitSettings s = settings(p, normiert, 10000, 1000000);
    const Orbit o = computed(s);
    QCOMPARE(o.period, period);
    if (period) {
      QVERIFY2(o.lyapunov < 0, qPrintable(QString::number(o.lyapunov)));
      QVERIFY(o.cycleLog < 0);  // a stable cycle
      // The orbit repeats itself: whole periods are skipped, their exponent
      // taken over the cycle, and it is the mean a plain loop of logarithms
      // gives, summed in long double so that its own rounding stays far
      // below the bound. Two billion steps take no longer than a million.
      double x = s.startwert;
      long double sum = 0;
      for (std::int64_t counter = 0; counter <= s.bis; ++counter) {
        x = s.step(x);
        if (counter >= s.gelbAb) sum += std::log(std::fabs(s.slope(x)));
      }
      const double mean = double(sum / (s.bis + 1 - s.gelbAb));
      QVERIFY2(std::fabs(o.lyapunov - mean) <= 1e-12 * std::fabs(mean), qPrintable(QString::number(o.lyapunov - mean)));
      OrbitSettings giant = s;
      giant.bis = 2000000000;
      const Orbit g = computed(giant);
      QCOMPARE(g.period, period);
      for (std::int64_t more = (giant.bis - s.bis) % period; more > 0; --more) x = s.step(x);
      QCOMPARE(support::bitCast<std::uint64_t>(g.values.back()),
               support::bitCast<std::uint64_t>(x));  // on the same cycle
      QVERIFY2(std::fabs(g.lyapunov - mean) < 1e-6 * std::fabs(mean), qPrintable(QString::number(g.lyapunov - mean)));
    } else {
      // The mean over a million iterates: within 0.01 of ln 2.
      QVERIFY2(std::fabs(o.lyapunov - std::numbers::ln2) < 0.01, qPrintable(QString::number(o.lyapunov)));
      QCOMPARE(o.searched, 64);  // no period up to 64, and settled: chaos
      QVERIFY(!o.unsettled && o.passing == 0);
    }
  }

  // Just below a period doubling, and where a periodic window ends, the
  // orbit swings in towards its cycle with a multiplier near -1 and comes
  // back to itself after twice the period sooner than after the period: the
  // period named is the cycle's, with the note that the orbit still swings
  // in. The true periods: the cycle below each doubling point of logistic
  // growth (r = 1 + p), the windows of period 7, 5, 3 and the cascade of 3.
  void aSwingingOrbitKeepsItsPeriod_data() {
    QTest::addColumn<bool>("normiert");
    QTest::addColumn<double>("p");
    QTest::addColumn<int>("period");
    for (bool normiert : {true, false}) {
      const char* form = normiert ? "normiert" : "Verhulst";
      for (double p : {1.925, 1.93, 1.935}) QTest::addRow("%s %g", form, p) << normiert << p << 1;
      for (double p : {2.4216, 2.4236, 2.425}) QTest::addRow("%s %g", form, p) << normiert << p << 2;
      for (double p : {2.53396, 2.5344, 2.5346}) QTest::addRow("%s %g", form, p) << normiert << p << 4;
      QTest::addRow("%s 2.629346", form) << normiert << 2.629346 << 6;
      QTest::addRow("%s 2.7019576", form) << normiert << 2.7019576 << 7;
      QTest::addRow("%s 2.7403988", form) << normiert << 2.7403988 << 5;
      for (double p : {2.8383248, 2.8392, 2.8401}) QTest::addRow("%s %g", form, p) << normiert << p << 3;
    }
  }
  void aSwingingOrbitKeepsItsPeriod() {
    QFETCH(bool, normiert);
    QFETCH(double, p);
    QFETCH(int, period);
    const Orbit o = computed(settings(p, normiert, 100, 200));
    if (o.period == 0 && !normiert) {
      // Verhulst's coordinates round otherwise: where no period holds within
      // the tolerance yet, the orbit is told to be still on its way.
      QVERIFY(o.unsettled);
      return;
    }
    QCOMPARE(o.period, period);
    QVERIFY(o.cycleLog < 0);
  }

  // The product of slopes keeps its logarithm where the slopes themselves
  // would overflow or underflow when multiplied, four at a time and more:
  // the sum of their logarithms, as a loop of logarithms gives it.
  void slopesNeitherOverflowNorUnderflow() {
    for (double slope : {1e300, -1e300, 1e-300, 3e-310, 0.7, -2.5}) {
      orbits::SlopeProduct product;
      for (int i = 0; i < 11; ++i) product.add(slope);
      const double expected = 11 * std::log(std::fabs(slope));
      QVERIFY2(std::fabs(product.log() - expected) <= 1e-12 * std::fabs(expected), qPrintable(QString::number(slope)));
    }
    orbits::SlopeProduct zero, infinite;
    for (double slope : {2.0, 0.0, 1e300, 1e300}) zero.add(slope);
    for (double slope : {2.0, std::numeric_limits<double>::infinity(), 1e-300, 1e-300}) infinite.add(slope);
    QCOMPARE(zero.log(), -std::numeric_limits<double>::infinity());
    QCOMPARE(infinite.log(), std::numeric_limits<double>::infinity());
  }

  // The cascade against the published parameters of logistic growth (in
  // p = r - 1) and Feigenbaum's constants: the first rows from first
  // principles (the superstable 2-cycle at r = 1 + sqrt 5, its doubling at
  // r = 1 + sqrt 6, each to at least 15 digits), the order of the points,
  // and the last row's ratios within 1e-11 and 1e-10 of the constants.
  void feigenbaumsCascade() {
    const std::vector<analysis::CascadeRow> rows = cascadeRows(analysis::kLastCascadeRow);
    QCOMPARE(int(rows.size()), analysis::kLastCascadeRow + 1);
    QVERIFY(rows.size() >= 19);
    const double superstable[] = {1, 2.236068, 2.498562, 2.554641, 2.566667};
    const double doubling[] = {2, 2.449490, 2.544090, 2.564407, 2.568759};
    for (std::size_t n = 0; n < 5; ++n) {
      QCOMPARE(rows[n].n, int(n));
      QVERIFY2(std::fabs(rows[n].superstable - superstable[n]) < 1e-6, qPrintable(QString::number(n)));
      QVERIFY2(std::fabs(rows[n].doubling - doubling[n]) < 1e-6, qPrintable(QString::number(n)));
    }
    QVERIFY(within(rows[0].superstableText, Wide(1), 15) && within(rows[0].doublingText, Wide(2), 15));
    QVERIFY2(within(rows[1].superstableText, sqrt(Wide(5)), 15), rows[1].superstableText.c_str());
    QVERIFY2(within(rows[1].doublingText, sqrt(Wide(6)), 15), rows[1].doublingText.c_str());
    for (std::size_t n = 1; n < rows.size(); ++n) {
      QVERIFY(rows[n - 1].superstable < rows[n - 1].doubling);
      QVERIFY(rows[n - 1].doubling < rows[n].superstable);
    }
    const analysis::CascadeRow& last = rows.back();
    const Wide delta(last.deltaText), alpha(last.alphaText);
    QVERIFY2(abs(delta - Wide("4.669201609102990671853")) < 1e-11, last.deltaText.c_str());
    QVERIFY2(abs(alpha - Wide("-2.502907875095892822283")) < 1e-10, last.alphaText.c_str());
    // Each row's window holds its doubling point, and the next row's window
    // lies inside it: a class zooms from one doubling to the next.
    for (std::size_t n = 0; n < rows.size(); ++n) {
      const auto w = window(rows, n, true);
      QVERIFY(w.links < rows[n].doubling && rows[n].doubling < w.rechts);
      QVERIFY(w.xMin < w.xMax);
      if (n + 1 < rows.size()) {
        const auto inner = window(rows, n + 1, true);
        QVERIFY(inner.links >= w.links && inner.rechts <= w.rechts);
      }
    }
  }

  // Every digit shown is right: each row's p values, delta and alpha lie
  // within one unit of their last digit shown of the same quantities
  // computed here in 50 digits (logistic growth in r = 1 + p, Newton's
  // method for the superstable r, and for the doubling on a point of the
  // cycle and r together); and the p values show at least 20 digits where
  // 34-digit arithmetic allows that, delta and alpha at least 10.
  void theShownDigitsAreRight() {
    const int last = fixture::rounds(10) < 10 ? 10 : analysis::kLastCascadeRow;  // shorter where the build is slow
    const std::vector<analysis::CascadeRow> rows = cascadeRows(last);
    QCOMPARE(int(rows.size()), last + 1);
    std::vector<Wide> R, D, width;
    for (int n = 0; n <= last; ++n) {
      const std::int64_t q = std::int64_t(1) << n;
      const Wide guessR = n == 0 ? Wide(2) : n == 1 ? Wide(3.2) : R[n - 1] + (R[n - 1] - R[n - 2]) / 4.6692;
      const WideSuperstable s = wideSuperstable(guessR, q);
      R.push_back(s.r);
      width.push_back(s.width);
      const Wide guessD = n == 0 ? Wide(2.9) : n == 1 ? Wide(3.45) : D[n - 1] + (D[n - 1] - D[n - 2]) / 4.6692;
      D.push_back(wideDoubling(guessD, q));
      const analysis::CascadeRow& row = rows[std::size_t(n)];
      const auto where = QStringLiteral("row %1").arg(n).toStdString();
      QVERIFY2(within(row.superstableText, R[n] - 1, 20), (where + " " + row.superstableText).c_str());
      QVERIFY2(within(row.doublingText, D[n] - 1, 20), (where + " " + row.doublingText).c_str());
      if (n < 2) {
        QVERIFY(row.deltaText.empty() && row.alphaText.empty());
        continue;
      }
      const Wide delta = (D[n - 1] - D[n - 2]) / (D[n] - D[n - 1]), alpha = width[n - 1] / width[n];
      QVERIFY2(within(row.deltaText, delta, 10), (where + " delta " + row.deltaText).c_str());
      QVERIFY2(within(row.alphaText, alpha, 10), (where + " alpha " + row.alphaText).c_str());
    }
  }

  // The exponent over p is, column by column, the orbit window's exponent:
  // random columns of both forms, lead-ins and counts, periodic windows
  // (where the lanes finish from the cycle) and escaping orbits among them.
  void theExponentOverPIsTheOrbitWindows() {
    std::mt19937_64 random(20261209);
    std::uniform_real_distribution<double> anyP(0, 3.3), start(0.01, 1.2);
    for (int round = 0; round < 40; ++round) {
      const bool normiert = round % 2 == 0;
      OrbitSettings s = settings(0, normiert, double(random() % 3000), std::int64_t(random() % 60000));
      s.startwert = start(random);
      double p[analysis::kExponentLanes], l[analysis::kExponentLanes];
      const int count = 1 + int(random() % analysis::kExponentLanes);
      for (int k = 0; k < count; ++k) p[k] = round < 10 ? 2.83 + 0.001 * k : anyP(random);
      QVERIFY(analysis::exponents(s, p, count, l, [] { return true; }));
      // The narrower vectors give the same bits.
      for (auto arithmetic : {orbits::Arithmetic::Avx2, orbits::Arithmetic::Plain}) {
        double narrower[analysis::kExponentLanes];
        QVERIFY(analysis::exponents(
            s, p, count, narrower, [] { return true; }, arithmetic));
        for (int k = 0; k < count; ++k)
          QCOMPARE(support::bitCast<quint64>(narrower[k]), support::bitCast<quint64>(l[k]));
      }
      for (int k = 0; k < count; ++k) {
        s.p = p[k];
        const double expected = computed(s).lyapunov;
        const bool same = (std::isnan(expected) && std::isnan(l[k])) || expected == l[k] ||
                          std::fabs(expected - l[k]) <= 1e-12 * std::fabs(expected);
        QVERIFY2(same, qPrintable(QStringLiteral("p %1: %2, orbit window %3").arg(p[k]).arg(l[k]).arg(expected)));
      }
    }
  }

  // With the defaults (von 100, bis 200) the fixed point at 1.9 is already
  // found, and only periods up to 50 can be told from 100 iterates.
  void theDefaultsFindTheFixedPoint() {
    QCOMPARE(computed(settings(1.9, true, 100, 200)).period, 1);
    QCOMPARE(computed(settings(3, true, 100, 200)).searched, 50);
  }

  // Periods from 5 to 64 where a superstable cycle lies (its critical point
  // returns after exactly q steps, found here by Newton's method near a
  // known r): the doubling cascade, the period-3 window's cascade and the
  // windows of 5, 9 and 10, in both forms. A cycle of 128 is longer than the
  // longest period looked for: no period, and the orbit is neither taken
  // for unsettled nor for one that passes near a cycle; its exponent is
  // negative.
  void periodsUpTo64AndBeyond_data() {
    QTest::addColumn<int>("q");
    QTest::addColumn<double>("guess");
    const std::pair<int, double> cycles[] = {{8, 3.55464},     {16, 3.56667}, {32, 3.56924}, {64, 3.569795},
                                             {128, 3.5699135}, {6, 3.84457},  {12, 3.84834}, {24, 3.84920},
                                             {48, 3.849735},   {5, 3.73891},  {9, 3.68722},  {10, 3.74185}};
    for (auto [q, guess] : cycles) QTest::addRow("period %d", q) << q << guess;
  }
  void periodsUpTo64AndBeyond() {
    QFETCH(int, q);
    QFETCH(double, guess);
    const double r = superstable(guess, q);
    QVERIFY2(!std::isnan(r), "no superstable cycle found near the guess");
    for (bool normiert : {true, false}) {
      const Orbit o = computed(settings(r - 1, normiert, 10000, 1000000));
      if (q <= 64) {  // the longest period the orbit window names
        QCOMPARE(o.period, q);
        QVERIFY(o.cycleLog < 0 && !o.settling);
      } else {
        QCOMPARE(o.period, 0);
        QCOMPARE(o.searched, 64);
        QVERIFY(!o.unsettled && o.passing == 0);
        QVERIFY(o.lyapunov < 0);
      }
    }
  }

  // Just below the period-3 window (at r = 1 + sqrt 8 a 3-cycle is born)
  // the orbit lingers for thousands of steps where the cycle will be, with
  // steps that look periodic within the tolerance, and then leaves: no
  // cycle exists, and none is named, whether the iterates shown linger or
  // the orbit lingers later. Inside the window it is a stable 3-cycle.
  void nearThePeriod3Window_data() {
    QTest::addColumn<double>("d");  // r - (1 + sqrt 8)
    QTest::addColumn<double>("von");
    QTest::addColumn<qint64>("bis");
    for (double d : {-1e-8, -1e-9, -1e-10, -1e-11, 1e-8, 1e-6, 1e-4}) {
      QTest::addRow("%g, bis 20000", d) << d << 10000.0 << qint64(20000);
      QTest::addRow("%g, bis 10^6", d) << d << 100.0 << qint64(1000000);
    }
  }
  void nearThePeriod3Window() {
    QFETCH(double, d);
    QFETCH(double, von);
    QFETCH(qint64, bis);
    const Orbit o = computed(settings(std::sqrt(8.0) + d, true, von, bis));
    if (d < 0) {
      QCOMPARE(o.period, 0);
      QCOMPARE(o.passing, 3);
      QVERIFY(!o.unsettled);
    } else {
      QCOMPARE(o.period, 3);
      QVERIFY(o.cycleLog < 0);
      QCOMPARE(o.passing, 0);
    }
  }

  // Exact cycles are skipped at all: an orbit in a periodic window, and
  // eight such orbits side by side for the exponent over p, iterate a small
  // share of their steps; chaotic ones iterate every step. (That the result
  // is the loop's over every step is checked above.)
  void cyclesAreSkipped() {
    const Orbit periodic = computed(settings(2.5, true, 1000, 100000000));
    QVERIFY2(periodic.iterated < 100000000 / 100, qPrintable(QString::number(periodic.iterated)));
    QCOMPARE(periodic.repeats, 4);
    const Orbit chaotic = computed(settings(2.9, true, 100, 1000000));
    QCOMPARE(chaotic.iterated, 1000001);
    QCOMPARE(chaotic.repeats, 0);

    for (double from : {2.2, 2.9}) {
      const OrbitSettings s = settings(0, true, 1000, 1000000);
      double p[analysis::kExponentLanes], l[analysis::kExponentLanes];
      for (int k = 0; k < analysis::kExponentLanes; ++k) p[k] = from + 0.01 * k;
      std::int64_t iterated = 0;
      QVERIFY(analysis::exponents(
          s, p, analysis::kExponentLanes, l, [] { return true; }, orbits::Arithmetic::Fastest, &iterated));
      const std::int64_t all = analysis::kExponentLanes * (s.bis + 1);
      if (from < 2.4)
        QVERIFY2(iterated < all / 100, qPrintable(QString::number(iterated)));
      else
        QCOMPARE(iterated, all);
    }
  }

  // Each row's window holds, in the form's own X, the superstable cycle's
  // point at the critical point (logistic x = 1/2: X = 1/2 in Verhulst's
  // form, X = (1 + p) / (2 p) in the normalised one) and its point nearest
  // to it, the next branch: zooming from row to row keeps the branches in
  // view in either form.
  void theCascadeWindowsHoldTheBranches() {
    const std::vector<analysis::CascadeRow> rows =
        cascadeRows(fixture::rounds(10) < 10 ? 10 : analysis::kLastCascadeRow);
    for (bool normiert : {true, false})
      for (std::size_t n = 1; n < rows.size(); ++n) {
        const analysis::CascadeWindow w = window(rows, n, normiert);
        const double p = rows[n].superstable;
        auto inForm = [&](double x) { return normiert ? x * (1 + p) / p : x; };
        for (double x : {0.5, 0.5 + rows[n].width})
          QVERIFY2(w.xMin < inForm(x) && inForm(x) < w.xMax,
                   qPrintable(QStringLiteral("%1, row %2: X %3 outside %4 ... %5")
                                  .arg(normiert ? "normiert" : "Verhulst")
                                  .arg(n)
                                  .arg(inForm(x))
                                  .arg(w.xMin)
                                  .arg(w.xMax)));
      }
  }
};

QTEST_GUILESS_MAIN(TestAnalysis)
#include "test_analysis.moc"
