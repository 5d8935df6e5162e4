// The sweep's columns, computed ahead on worker threads, against a plain loop
// written here: one orbit at a time, every point drawn as it comes. And a
// window that answers the window system in the middle of a giant column.
#include <qpa/qwindowsysteminterface.h>

#include <QCheckBox>
#include <QElapsedTimer>
#include <QRadioButton>
#include <QScrollBar>
#include <bit>
#include <limits>
#include <random>

#include "fixture.h"
#include "orbits/columns.h"

using namespace fixture;

namespace {

// What the columns are drawn with; a handler may change it at a boundary.
struct Look {
  bool normiert = true, vorlauf = true;
  QString vorlaufText = "12";
  int strich = 1;
};

// The sequential sweep's points, drawn one by one into `image`. Pixel k
// covers [k, k + 1) of (u - origin) * (pixels / span), the far edge belongs
// to the last pixel, and a pen is a square block around its point.
struct Reference {
  QImage& image;
  const Form1& f;
  double dpr;

  static long index(float u, double from, double to, int size) {
    const double span = to - from;
    if (!std::isfinite(from) || !std::isfinite(span) || span == 0) return -1;
    const double c = (double(u) - from) * (size / span);
    return c >= 0 && c <= size ? std::min(long(c), long(size) - 1) : -1;
  }
  void point(float x, double y, int pen, QRgb colour) {
    const long px = index(x, f.links, f.rechts, image.width());
    const long py = index(support::toSingle(y), f.xMax, f.xMin, image.height());
    if (px < 0 || py < 0) return;
    const long left = px - (pen - 1) / 2, top = py - (pen - 1) / 2;
    for (long j = std::max(0L, top); j < std::min<long>(image.height(), top + pen); ++j)
      for (long i = std::max(0L, left); i < std::min<long>(image.width(), left + pen); ++i)
        image.setPixel(int(i), int(j), colour);
  }
  void columns(int from, int to, const Look& look, double von, std::int64_t bis) {
    const double schritt = (f.rechts - f.links) / 1000, vorlauf = support::numberFromText(look.vorlaufText);
    const int thin = std::max(1L, std::lround(dpr)), pen = std::max(1L, std::lround(look.strich * dpr));
    for (int spalte = from; spalte < to; ++spalte) {
      const double p = f.links + spalte * schritt;
      const float x = support::toSingle(p);
      point(x, f.startwert, pen, rgb(3));
      double bestand = f.startwert;
      for (std::int64_t iteration = 0; iteration <= bis; ++iteration) {
        bestand = look.normiert ? bestand * (1 + p * (1 - bestand)) : bestand * (1 + p) * (1 - bestand);
        if (look.vorlauf && iteration < vorlauf) point(x, bestand, thin, rgb(3));
        if (iteration > von) point(x, bestand, pen, rgb(14));
      }
    }
  }
};

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
    auto point = [&](double x, int pen, QRgb colour) {
      const double c = (double(support::toSingle(x)) - s.mapping.top) * s.mapping.sy;
      if (!(c >= 0 && c <= height)) return;
      const int row = std::min(int(c), height - 1), left = (strips - 1) / 2 - (pen - 1) / 2;
      for (int i = left; i < left + pen; ++i)
        for (int j = row - (pen - 1) / 2; j < row - (pen - 1) / 2 + pen; ++j)
          if (j >= 0 && j < height) rows[i][j] = colour;
    };
    point(s.startwert, s.pen, rgb(3));
    bestand = s.startwert;
    for (std::int64_t iteration = 0; iteration < s.steps; ++iteration) {
      if (s.normiert) bestand = bestand * (1 + p * (1 - bestand));
      if (s.verhulst) bestand = bestand * (1 + p) * (1 - bestand);
      if (iteration < s.vorlaufBis) point(bestand, s.thin, rgb(3));
      if (iteration >= s.gelbAb) point(bestand, s.pen, rgb(14));
    }
  }
};

void setLook(Form1& f, const Look& look) {
  click(look.normiert ? static_cast<QAbstractButton*>(f.optR) : f.optV);
  f.chkVorlauf->setChecked(look.vorlauf);
  f.txtVorlauf->setText(look.vorlaufText);
  click(look.strich == 1 ? f.Command3 : f.Command4);
}

}  // namespace

class TestColumns : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { forms::setDoEventsHook(nullptr); }

  // Seeded random windows, counts and looks, with a change of look by a
  // handler at a random column boundary: the window's picture equals the
  // plain loop's, pixel for pixel.
  void sweepEqualsThePlainLoop() {
    std::mt19937_64 random(20261208);
    auto pick = [&](const QStringList& from) { return from[int(random() % from.size())]; };
    const QStringList windows[] = {
        {"0", "3", "0", "1.5"},      {"2.44", "2.58", ".9", "1.35"}, {"1.5", "3", ".45", "1.2"},
        {"0", "10", "-1", "2"},      {"3", "0", "1.5", "0"},         {"2", "2", "0", "1.5"},
        {"0", "3", "1", "1"},        {"-1e999", "1e999", "0", "1"},  {"2.9", "3.1", "-1e6", "1e6"},
        {"-.5", "4", "-.25", "1.6"}, {"0", "2", "1", "1.5"}};  // the last: the fixed point X = 1 on the lower edge
    const QStringList vons = {"0", "-5", "2.5", "10", "100", "", "250"};
    const QStringList biss = {"1", "3", "50", "200", "301", "2"};
    const QStringList vorlaufs = {"12", "0", "1", "2.5", "400", "-3", "abc"};
    for (int round = 0, n = rounds(150); round < n; ++round) {
      auto form = window();
      Form1& f = *form;
      const QStringList& w = windows[random() % std::size(windows)];
      f.txtLinks->setText(w[0]);
      f.txtRechts->setText(w[1]);
      f.txtXMIN->setText(w[2]);
      f.txtXMAX->setText(w[3]);
      f.txtVon->setText(pick(vons));
      f.txtBis->setText(pick(biss));
      f.HScroll1->setValue(1 + int(random() % 99));
      Look before{random() % 2 == 0, random() % 2 == 0, pick(vorlaufs), 1 + int(random() % 2)}, after = before;
      switch (random() % 4) {
        case 0: after.strich = 3 - before.strich; break;
        case 1: after.normiert = !before.normiert; break;
        case 2: after.vorlauf = !before.vorlauf; break;
        default: after.vorlaufText = pick(vorlaufs);
      }
      setLook(f, before);
      click(f.Command2);
      const int boundary = int(random() % 999);
      QImage picture;
      int yields = 0;
      // Yield k + 2 comes before column k; the end before column 999 keeps
      // the label pass off the picture.
      forms::setDoEventsHook([&] {
        ++yields;
        if (yields == 2) picture = f.picAusgabe->image().copy();
        if (yields == boundary + 2) setLook(f, after);
        if (yields == 1001) f.end->trigger();
      });
      click(f.Command1);
      QCOMPARE(f.spalte, 999);
      const double von = support::numberFromText(f.txtVon->text());
      const auto bis = std::int64_t(support::numberFromText(f.txtBis->text()));
      Reference reference{picture, f, f.picAusgabe->devicePixelRatioF()};
      reference.columns(0, boundary, before, von, bis);
      reference.columns(boundary, 999, after, von, bis);
      QVERIFY2(f.picAusgabe->image() == picture, qPrintable(QString("round %1: %2, von %3, bis %4, change at %5")
                                                                .arg(round)
                                                                .arg(w.join(' '), f.txtVon->text(), f.txtBis->text())
                                                                .arg(boundary)));
    }
  }

  // Both arithmetics against one orbit at a time, every point drawn as it
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
      s.steps = std::int64_t(uniform(2, round % 10 == 0 ? 9000 : 3000));
      s.vorlaufBis = std::int64_t(uniform(0, 3000));
      s.gelbAb = std::int64_t(uniform(1, 3000));
      s.normiert = random() % 2;
      s.verhulst = !s.normiert || random() % 8 == 0;
      s.thin = 1 + int(random() % 2);
      s.pen = s.thin * (1 + int(random() % 2));
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
                                  : uniform(links, rechts);
      const int count = 1 + int(random() % orbits::kSideBySide);
      for (auto arithmetic : {orbits::Arithmetic::Plain, orbits::Arithmetic::Fastest}) {
        orbits::ColumnPixels columns[orbits::kSideBySide];
        QVERIFY(orbits::computeColumns(
            s, p, count, columns, [] { return true; }, arithmetic));
        for (int k = 0; k < count; ++k) {
          const OneOrbit expected(s, p[k]);
          const orbits::ColumnPixels& c = columns[k];
          QCOMPARE(c.x, s.mapping.column(support::toSingle(p[k])));
          QCOMPARE(c.strips, expected.strips);
          for (int strip = 0; strip < c.strips; ++strip)
            QVERIFY2(
                std::equal(expected.rows[strip].begin(), expected.rows[strip].end(), c.rows() + strip * c.stride()),
                qPrintable(QString("round %1, column %2 of %3, p %4").arg(round).arg(k).arg(count).arg(p[k])));
          QCOMPARE(std::bit_cast<std::uint64_t>(c.bestand), std::bit_cast<std::uint64_t>(expected.bestand));
        }
      }
    }
  }

  // A column of two billion steps: the scroll bar arrow held through the
  // platform stops when let go, "S" answers, and a close from the window
  // system ends the run and its workers at once.
  void giantColumnAnswersTheWindowSystem() {
    auto form = window();
    Form1& f = *form;
    f.txtBis->setText("2147483647");
    QWindow* w = f.windowHandle();
    // The platform speaks in the screen's own pixels.
    auto send = [&](QWidget* on, QEvent::Type type, Qt::MouseButtons held) {
      const QPoint local = on->mapTo(&f, QPoint(on->width() - 4, on->height() / 2));
      QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::AsynchronousDelivery>(
          w, QPointF(local) * w->devicePixelRatio(), QPointF(f.mapToGlobal(local)) * w->devicePixelRatio(), held,
          Qt::LeftButton, type);
    };
    int released = -1, later = -1;
    QString paused;
    qint64 closed = -1;
    QElapsedTimer clock;
    auto at = [&](int ms, std::function<void()> action) { QTimer::singleShot(ms, Qt::PreciseTimer, &f, action); };
    at(100, [&] { send(f.HScroll1, QEvent::MouseButtonPress, Qt::LeftButton); });
    at(1000, [&] { send(f.HScroll1, QEvent::MouseButtonRelease, Qt::NoButton); });
    at(1100, [&] { released = f.HScroll1->value(); });
    at(1200, [&] { send(f.Command5, QEvent::MouseButtonPress, Qt::LeftButton); });
    at(1210, [&] { send(f.Command5, QEvent::MouseButtonRelease, Qt::NoButton); });
    at(1600, [&] {
      later = f.HScroll1->value();
      paused = f.txtStop->text();
      clock.start();
      QWindowSystemInterface::handleCloseEvent<QWindowSystemInterface::AsynchronousDelivery>(w);
    });
    at(5000, [&] { f.close(); });  // should the window system's close be lost
    click(f.Command1);
    closed = clock.elapsed();
    QVERIFY(f.beendet);
    QCOMPARE(f.spalte, 0);
    QVERIFY2(released > 12, qPrintable(QString::number(released)));  // it repeated while held
    QCOMPARE(later, released);                                       // and stopped when let go
    QCOMPARE(paused, QStringLiteral("1"));
    form.reset();  // the program ends: the window goes, its workers are joined
    QVERIFY2(clock.elapsed() < 1000,
             qPrintable(QString("%1 ms to the end of the run, %2 ms to the end").arg(closed).arg(clock.elapsed())));
  }
};

QTEST_MAIN(TestColumns)
#include "test_columns.moc"
