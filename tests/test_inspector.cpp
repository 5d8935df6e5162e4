// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The orbit window and the pictures: the orbit against the one-orbit loop,
// periods and Lyapunov exponents known from the literature, copy and save,
// the main window left as it is, cancelled work.
#include <QClipboard>
#include <QDialogButtonBox>
#include <QDir>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSemaphore>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <bit>
#include <cmath>
#include <numbers>
#include <random>

#include "analysis/cascade.h"
#include "app/pagekeys.h"
#include "diagram/sweep.h"
#include "fixture.h"
#include "forms/export.h"
#include "forms/overlays.h"
#include "forms/placement.h"
#include "inspector/feigenbaumwindow.h"
#include "inspector/lyapunovpicture.h"
#include "inspector/lyapunovwindow.h"
#include "inspector/orbitpicture.h"
#include "inspector/orbitwindow.h"

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

using namespace fixture;
using analysis::Orbit;
using analysis::OrbitSettings;
using inspector::OrbitWindow;

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

// The pixels alone, whatever their format and ratio.
QImage argb(const QImage& image) {
  QImage pixels = image.convertToFormat(QImage::Format_ARGB32);
  pixels.setDevicePixelRatio(1);
  return pixels;
}

// The orbit window of the main window, once "B" has made it.
OrbitWindow* orbitWindow(Form1Probe& f) { return f.window.findChild<OrbitWindow*>(); }

void waitForOrbit(OrbitWindow* w) {
  if (w->computing()) QVERIFY(QSignalSpy(w, &OrbitWindow::ended).wait(60000));
}

// Activation comes through the platform's queue, after the activation of
// any window shown before.
void activate(QWidget* w) {
  w->activateWindow();
  QTRY_COMPARE(QApplication::activeWindow(), w);
}

// Answers the print dialog that Ctrl+Shift+S opened in `owner`: the width
// and the colours, then "Bild berechnen …".
void answerPrintDialog(QWidget* owner, int width, bool printer) {
  QDialog* options = nullptr;
  QTRY_VERIFY((options = owner->findChild<QDialog*>()) && options->isVisible());
  options->findChild<QSpinBox*>("width")->setValue(width);
  options->findChild<QRadioButton*>(printer ? "printer" : "screen")->setChecked(true);
  QTest::mouseClick(options->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
}

}  // namespace

class TestInspector : public QObject {
  Q_OBJECT

 private slots:
  // Where the picture puts the orbit: with p = 2.5 settled on its 4-cycle,
  // the yellow of the time series lies at the cycle's four heights, that of
  // the cobweb's staircase at its heights or columns (both panels run from
  // X 0 to 1.5), in every arrangement and size the window may take.
  void thePictureDrawsTheCycle_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("stacked");
    QTest::newRow("side by side") << inspector::kWide << false;
    QTest::newRow("side by side, least") << inspector::kWideLeast << false;
    QTest::newRow("stacked") << inspector::kTall << true;
    QTest::newRow("stacked, least") << inspector::kTallLeast << true;
  }
  void thePictureDrawsTheCycle() {
    QFETCH(QSize, size);
    QFETCH(bool, stacked);
    const OrbitSettings s = settings(2.5, true, 1000, 2000);
    const Orbit o = computed(s);
    const QImage picture = argb(inspector::orbitPicture(s, &o, false, QFont(), 1, size));
    QCOMPARE(picture.size(), size);
    const inspector::PictureLayout layout = inspector::pictureLayout(size);
    QCOMPARE(layout.stacked, stacked);
    QVERIFY(!layout.cobweb.intersects(layout.series));
    for (const QRectF& part : {layout.cobweb, layout.series, layout.heading, layout.figures})
      QVERIFY(QRectF(QPointF(0, 0), QSizeF(size)).contains(part));
    const std::vector<double> cycle(o.values.end() - 4, o.values.end());
    auto onCycle = [&](double at, double from, double extent) {
      return std::any_of(cycle.begin(), cycle.end(),
                         [&](double x) { return std::fabs(from + x / 1.5 * extent - at) < 2; });
    };
    for (const QRectF& r : {layout.series, layout.cobweb}) {
      int yellow = 0;
      for (int x = int(r.left()) + 1; x < int(r.right()); ++x)
        for (int y = int(r.top()) + 1; y < int(r.bottom()); ++y) {
          if (picture.pixel(x, y) != rgb(support::kYellow)) continue;
          ++yellow;
          QVERIFY2(onCycle(y + 0.5, r.bottom(), -r.height()) ||
                       (r == layout.cobweb && onCycle(x + 0.5, r.left(), r.width())),
                   qPrintable(QStringLiteral("yellow at %1, %2").arg(x).arg(y)));
        }
      QVERIFY(yellow > 0);
    }
    QCOMPARE(inspector::figures(o).left(9), QStringLiteral("Periode 4"));
  }

  // Windows without extent, reversed or as wide as the doubles, and p far
  // outside: computed and drawn without fault, with a line of figures.
  void hostileSettings_data() {
    QTest::addColumn<double>("p");
    QTest::addColumn<double>("xMin");
    QTest::addColumn<double>("xMax");
    const double big = std::numeric_limits<double>::max(), nan = std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("no extent") << 2.5 << 1.0 << 1.0;
    QTest::newRow("reversed") << 2.5 << 1.5 << 0.0;
    QTest::newRow("all doubles") << 2.9 << -big << big;
    QTest::newRow("tiny") << 2.9 << 1.0 << std::nextafter(1.0, 2.0);
    QTest::newRow("p huge") << big << 0.0 << 1.5;
    QTest::newRow("p negative") << -7.0 << 0.0 << 1.5;
    QTest::newRow("p NaN") << nan << nan << 1.5;
  }
  void hostileSettings() {
    QFETCH(double, p);
    QFETCH(double, xMin);
    QFETCH(double, xMax);
    OrbitSettings s = settings(p, true, 100, 200);
    s.fenster.xMin = xMin;
    s.fenster.xMax = xMax;
    const Orbit o = computed(s);
    QVERIFY(!inspector::orbitPicture(s, &o, true, QFont(), 1).isNull());
    QVERIFY(!inspector::figures(o).isEmpty());
  }

  // The verdict of the figures line: a cycle is stable or unstable by its
  // multiplier; chaos only for an orbit that has settled without a period;
  // an exponent beyond the range of doubles keeps its sign.
  void theVerdict_data() {
    QTest::addColumn<bool>("normiert");
    QTest::addColumn<double>("p");
    QTest::addColumn<double>("startwert");
    QTest::addColumn<double>("von");
    QTest::addColumn<qint64>("bis");
    QTest::addColumn<QString>("says");
    const QString decimal = QLocale().decimalPoint();
    // 0.5 -> 1 -> 0, and 0 is a fixed point with multiplier 1 + p = 4.
    QTest::newRow("Verhulst 3 from 0.5: the unstable fixed point 0")
        << false << 3.0 << 0.5 << 100.0 << qint64(200)
        << "Periode 1     Lyapunov-Exponent 1" + decimal + "3863 (instabiler Zyklus)";
    // Slow growth towards 1: after 200 steps X has not reached 0.2.
    for (double p : {0.003, 0.006, 0.012})
      QTest::addRow("normiert %g: slow growth", p)
          << true << p << 0.1 << 100.0 << qint64(200) << "(noch nicht eingeschwungen – größeres von wählen)";
    // Thirteen steps at p 3.2 from 0.1 reach about -1e72, still finite;
    // the slopes grow with X and their product far beyond the doubles.
    QTest::newRow("normiert 3.2, leaving, finite") << true << 3.2 << 0.1 << 1.0 << qint64(13) << "Lyapunov-Exponent ";
    QTest::newRow("normiert 3: chaos") << true << 3.0 << 0.1 << 100.0 << qint64(200) << "(positiv: chaotisch)";
  }
  void theVerdict() {
    QFETCH(bool, normiert);
    QFETCH(double, p);
    QFETCH(double, startwert);
    QFETCH(double, von);
    QFETCH(qint64, bis);
    QFETCH(QString, says);
    OrbitSettings s = settings(p, normiert, von, bis);
    s.startwert = startwert;
    const Orbit o = computed(s);
    const QString line = inspector::figures(o);
    QVERIFY2(line.contains(says), qPrintable(line));
    QVERIFY2(!line.contains(QStringLiteral("∞")), qPrintable(line));
    if (!says.contains(QStringLiteral("chaotisch"))) QVERIFY(!line.contains(QStringLiteral("chaotisch")));
    // The mean of ln |f'| in long double, where every slope is finite.
    long double sum = 0;
    double x = startwert;
    for (std::int64_t counter = 0; counter <= bis; ++counter) {
      x = s.step(x);
      if (counter >= s.gelbAb) sum += std::log(std::fabs(static_cast<long double>(s.slope(x))));
    }
    const double mean = double(sum / (bis + 1 - s.gelbAb));
    QVERIFY2(std::fabs(o.lyapunov - mean) <= 1e-12 * std::fabs(mean), qPrintable(QString::number(o.lyapunov)));
  }

  // Infinite exponents print with their sign.
  void infiniteExponents() {
    Orbit o;
    o.period = 0;
    o.searched = 50;
    o.lyapunov = -std::numeric_limits<double>::infinity();
    QVERIFY(inspector::figures(o).contains(QStringLiteral("Lyapunov-Exponent −∞ (negativ")));
    o.lyapunov = std::numeric_limits<double>::infinity();
    QVERIFY(inspector::figures(o).contains(QStringLiteral("Lyapunov-Exponent +∞ (positiv")));
  }

  // The orbit window opens beside the main window and leaves its picture
  // free on the usual screens, wherever the window manager put the main
  // window: at the top left, or in the middle. A frame of 1 pixel with a
  // title bar of 30 around every window; the main window's client area and
  // picture as the layout makes them. At scale 2, a screen of 3840 x 2160
  // pixels shows 1920 x 1080 logical ones.
  void theOrbitWindowOpensBesideTheDiagram_data() {
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<bool>("centred");
    for (QSize screen : {QSize(1280, 1024), QSize(1366, 768), QSize(1920, 1080)})
      for (bool centred : {false, true})
        QTest::addRow("%dx%d%s", screen.width(), screen.height(), centred ? ", centred" : "") << screen << centred;
  }
  void theOrbitWindowOpensBesideTheDiagram() {
    QFETCH(QSize, screen);
    QFETCH(bool, centred);
    auto form = window();
    const QSize client = form->window.size();  // with its menu bar
    const QMargins frame(1, 30, 1, 1);
    const QRect available(QPoint(0, 0), screen - QSize(0, 40));  // a panel at the bottom
    QRect main(QPoint(0, 0), client.grownBy(frame));
    if (centred) main.moveCenter(available.center());
    const QRect picture(
        form->picAusgabe->mapTo(&form->window, QPoint(0, 0)) + main.topLeft() + QPoint(frame.left(), frame.top()),
        form->picAusgabe->size());
    const QSize wide(18, 48), tall(18, 70);  // the check box and the status line around the picture
    const std::vector<forms::Arrangement> arrangements{{inspector::kWide + wide, inspector::kWideLeast + wide},
                                                       {inspector::kTall + tall, inspector::kTallLeast + tall}};
    const forms::Placement placed = forms::place(arrangements, available, main, picture, frame);
    const QRect outer = placed.client.marginsAdded(frame);
    QVERIFY2(
        available.contains(outer),
        qPrintable(QStringLiteral("%1,%2 %3x%4").arg(outer.x()).arg(outer.y()).arg(outer.width()).arg(outer.height())));
    QVERIFY(!outer.intersects(picture));
    const forms::Arrangement& chosen = arrangements[std::size_t(placed.arrangement)];
    QVERIFY(placed.client.width() >= chosen.minimum.width() && placed.client.height() >= chosen.minimum.height());
    QVERIFY(placed.client.width() <= chosen.preferred.width() && placed.client.height() <= chosen.preferred.height());
    if (!centred || screen.width() >= 1920) QVERIFY(!outer.intersects(main));  // room beside it
    // No room at all: the least window, covering as little of the picture
    // as a corner of the screen allows.
    const QRect tiny(QPoint(0, 0), QSize(700, 500));
    const forms::Placement squeezed = forms::place(arrangements, tiny, tiny, tiny.adjusted(20, 100, -20, -20), frame);
    QVERIFY(tiny.contains(squeezed.client));
  }

  // "L": the exponent of each of the 1000 columns of the window shown; at
  // the period doublings p = 2 and 2.449490 the curve comes up to 0 from
  // below. Ctrl+S saves the curve under the window's name.
  void theExponentOverP() {
    auto form = window();
    Form1Probe& f = *form;
    f.txtVon->setText(QStringLiteral("20000"));
    f.txtBis->setText(QStringLiteral("200000"));
    activate(&f.window);
    f.Command1->setFocus();
    const QImage before = f.window.grab().toImage();
    QTest::keyClick(f.Command1, Qt::Key_L);
    auto* w = f.window.findChild<inspector::LyapunovWindow*>();
    QVERIFY(w && w->isVisible());
    QCOMPARE(w->windowTitle(), QStringLiteral("Lyapunov-Exponent über p"));
    if (w->computing()) QVERIFY(QSignalSpy(w, &inspector::LyapunovWindow::ended).wait(120000));
    activate(&f.window);
    QCOMPARE(f.window.grab().toImage(), before);  // the main window as it was
    const std::vector<double>& l = w->shownExponents();
    QCOMPARE(l.size(), std::size_t(1000));
    QCOMPARE(w->shownColumns()[667], f.fenster.spalteP(667));
    QVERIFY(std::fabs(l[0]) < 1e-3);  // p = 0: X stays, slope 1
    for (std::size_t k : {665u, 666u, 815u, 816u}) QVERIFY2(l[k] < 0 && l[k] > -0.02, qPrintable(QString::number(k)));
    // p = 0.999: the fixed point 1 with its multiplier 1 - p.
    QVERIFY(std::fabs(l[333] - std::log(1 - f.fenster.spalteP(333))) < 1e-9);
    QVERIFY(l[945] < 0);  // the period-3 window at 2.835
    QVERIFY(l[999] > 0);  // chaos
    QTemporaryDir folder;
    QString suggested;
    const auto names = forms::setFileNameHook([&](const QString& name) {
      suggested = name;
      return folder.filePath(name);
    });
    activate(w);
    QTest::keyClick(w, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(suggested, QStringLiteral("lyapunov_p0-2.997.png"));
    QCOMPARE(argb(QImage(folder.filePath(suggested))), argb(w->picture()));
  }

  // Ctrl+Shift+S in the orbit window and the exponent window: their
  // pictures drawn anew as wide as asked, in the printer's colours (no
  // yellow of the screen, the orbit's points black), saved under the name
  // with the width; the exponent window's magenta marker of the orbit's p
  // goes at once when the orbit window closes.
  void theLessonWindowsPrintPictures() {
    auto form = window();
    Form1Probe& f = *form;
    activate(&f.window);
    f.Command1->setFocus();
    moveOn(f, 2.9, 0.5);
    QTest::keyClick(f.Command1, Qt::Key_B);
    OrbitWindow* orbit = orbitWindow(f);
    waitForOrbit(orbit);
    activate(&f.window);
    f.Command1->setFocus();
    QTest::keyClick(f.Command1, Qt::Key_L);
    auto* exponents = f.window.findChild<inspector::LyapunovWindow*>();
    if (exponents->computing()) QVERIFY(QSignalSpy(exponents, &inspector::LyapunovWindow::ended).wait(120000));
    QTemporaryDir folder;
    QString suggested;
    const auto names = forms::setFileNameHook([&](const QString& name) {
      suggested = name;
      return folder.filePath(name);
    });
    auto colours = [](const QImage& image) {
      std::set<QRgb> seen;
      const QImage pixels = argb(image);
      for (int y = 0; y < pixels.height(); y += 2)
        for (int x = 0; x < pixels.width(); x += 2) seen.insert(pixels.pixel(x, y));
      return seen;
    };
    for (inspector::LessonWindow* w :
         {static_cast<inspector::LessonWindow*>(orbit), static_cast<inspector::LessonWindow*>(exponents)}) {
      suggested.clear();
      activate(w);
      QTest::keyClick(w, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
      answerPrintDialog(w, 2400, true);
      QTRY_VERIFY(!suggested.isEmpty());
      QVERIFY2(suggested.endsWith(QStringLiteral("_2400px.png")), qPrintable(suggested));
      const QImage picture(folder.filePath(suggested));
      QCOMPARE(picture.width(), 2400);
      const std::set<QRgb> seen = colours(picture);
      QVERIFY(!seen.count(0xFFFFFF00u) && !seen.count(0xFF000080u));  // no yellow, no blue panel
      QVERIFY(seen.count(0xFF000000u));                               // the orbit's points, the chaotic exponents
    }
    // The marker of the orbit's p, and at once none once the orbit window is closed.
    auto magenta = [&] { return colours(exponents->picture()).count(0xFFFF00FFu) > 0; };
    QVERIFY(magenta());
    orbit->close();
    QVERIFY(!magenta());
  }

  // The page's buttons for the keys a tablet lacks: B, L and F in the main
  // window whatever is active; the arrows in the orbit window (nothing
  // while it is closed); Ctrl+C and Esc in the window last used.
  void thePagesKeyButtons() {
    auto form = window();
    Form1Probe& f = *form;
    click(f.Command1);
    activate(&f.window);
    QVERIFY(!pressPageKey(&f.window, PageKey::Links));
    QVERIFY(pressPageKey(&f.window, PageKey::Bahn));
    OrbitWindow* orbit = orbitWindow(f);
    QVERIFY(orbit && orbit->isVisible());
    QCOMPARE(orbit->settings().p, 0 + 999 * 0.003);  // the marker's column, as "B" takes it
    waitForOrbit(orbit);
    QVERIFY(pressPageKey(&f.window, PageKey::Rechts));
    QCOMPARE(orbit->settings().p, 0 + 1000 * 0.003);
    waitForOrbit(orbit);
    QApplication::clipboard()->clear();
    activate(&f.window);
    QVERIFY(pressPageKey(&f.window, PageKey::Kopieren));  // the main window is the active one
    QCOMPARE(argb(QApplication::clipboard()->image()), argb(f.picAusgabe->image()));
    activate(orbit);
    QVERIFY(pressPageKey(&f.window, PageKey::Lyapunov));
    auto* exponents = f.window.findChild<inspector::LyapunovWindow*>();
    QVERIFY(exponents && exponents->isVisible());
    if (exponents->computing()) QVERIFY(QSignalSpy(exponents, &inspector::LyapunovWindow::ended).wait(120000));
    activate(orbit);
    QVERIFY(pressPageKey(&f.window, PageKey::Schliessen));
    QVERIFY(!orbit->isVisible() && exponents->isVisible());
    QVERIFY(!pressPageKey(&f.window, PageKey::Rechts));
    QVERIFY(pressPageKey(&f.window, PageKey::Feigenbaum));
    QVERIFY(f.window.findChild<inspector::FeigenbaumWindow*>()->isVisible());
  }

  // "F": the table, copied as text; a row's "Fenster" puts its window into
  // the limit boxes and draws it.
  void feigenbaumsWindow() {
    auto form = window();
    Form1Probe& f = *form;
    activate(&f.window);
    f.Command1->setFocus();
    const QImage before = f.window.grab().toImage();
    QTest::keyClick(f.Command1, Qt::Key_F);
    auto* w = f.window.findChild<inspector::FeigenbaumWindow*>();
    QVERIFY(w && w->isVisible());
    activate(&f.window);
    QCOMPARE(f.window.grab().toImage(), before);
    // The rows come one by one, the window answering meanwhile.
    QTRY_VERIFY_WITH_TIMEOUT(w->complete(), 300000);
    QCOMPARE(int(w->shownRows().size()), analysis::kLastCascadeRow + 1);
    activate(w);
    QTest::keyClick(w, Qt::Key_C, Qt::ControlModifier);
    const QStringList lines = QApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), analysis::kLastCascadeRow + 2);
    const QStringList two = lines[2].split(QLatin1Char('\t'));
    QCOMPARE(two.mid(0, 2), (QStringList{"1", "2"}));
    QVERIFY(two[2].startsWith(QStringLiteral("2.2360679774997896964")));  // sqrt 5, 20 digits
    QVERIFY(two[3].startsWith(QStringLiteral("2.449489742783178098")));   // sqrt 6
    auto* button = qobject_cast<QAbstractButton*>(w->table()->cellWidget(2, 6));
    QVERIFY(button && button->isEnabled());
    const auto chosen = analysis::cascadeWindow(w->shownRows()[2], &w->shownRows()[1], true);
    click(button);
    QCOMPARE(f.txtLinks->text(), support::qTextFromDouble(chosen.links));
    QCOMPARE(f.txtXMAX->text(), support::qTextFromDouble(chosen.xMax));
    QVERIFY(sweepToTheEnd(f));
    QCOMPARE(f.fenster.links, support::numberFromText(support::qTextFromDouble(chosen.links)));
  }

  // Closing the table while it fills stops the work; "F" again computes
  // it afresh, to the end.
  void closingTheCascadeStopsIt() {
    auto form = window();
    Form1Probe& f = *form;
    activate(&f.window);
    f.Command1->setFocus();
    QTest::keyClick(f.Command1, Qt::Key_F);
    auto* w = f.window.findChild<inspector::FeigenbaumWindow*>();
    QVERIFY(w && w->computing());
    QSignalSpy ended(w, &inspector::LessonWindow::ended);
    w->close();
    QTRY_VERIFY_WITH_TIMEOUT(!ended.isEmpty(), 60000);
    QCOMPARE(ended.takeFirst().at(0).toBool(), false);
    QVERIFY(!w->computing() && !w->complete());
    activate(&f.window);
    f.Command1->setFocus();
    QTest::keyClick(f.Command1, Qt::Key_F);
    QVERIFY(w->isVisible() && w->computing());
    QTRY_VERIFY_WITH_TIMEOUT(w->complete(), 300000);
    QCOMPARE(int(w->shownRows().size()), analysis::kLastCascadeRow + 1);
  }

  // "B" takes the p under the pointer over the picture, else the marker's
  // column; the main window looks the same before, with and after the
  // orbit window.
  void theMainWindowStaysAsItIs() {
    auto form = window();
    Form1Probe& f = *form;
    click(f.Command1);
    activate(&f.window);
    const QImage before = f.window.grab().toImage();
    f.Command1->setFocus();
    QTest::keyClick(f.Command1, Qt::Key_B);
    OrbitWindow* w = orbitWindow(f);
    QVERIFY(w && w->isVisible());
    QCOMPARE(w->settings().p, 0 + 999 * 0.003);  // the marker stands at the last column
    QCOMPARE(w->windowTitle(), QStringLiteral("Bahn bei p = ") + support::localeText(0 + 999 * 0.003));
    waitForOrbit(w);
    activate(&f.window);  // the focus frame shows only in the active window
    QCOMPARE(f.window.grab().toImage(), before);

    moveOn(f, 2.25, 0.5);  // the readouts follow the pointer
    const QImage pointed = f.window.grab().toImage();
    QTest::keyClick(f.Command1, Qt::Key_B);
    QCOMPARE(w->settings().p, f.picAusgabe->toUserX(at(f, 2.25, 0.5).x()));
    waitForOrbit(w);
    activate(&f.window);
    QCOMPARE(f.window.grab().toImage(), pointed);
    activate(w);

    // Its arrow keys: a column, and ten tenths of one, land on the same p.
    const double p = w->settings().p;
    QTest::keyClick(w, Qt::Key_Right);
    QCOMPARE(w->settings().p, p + 0.003);
    QTest::keyClick(w, Qt::Key_Left);
    QCOMPARE(w->settings().p, p);
    for (int i = 0; i < 10; ++i) QTest::keyClick(w, Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(w->settings().p, p + 0.003);
    waitForOrbit(w);
  }

  // "B" in the middle of a sweep opens the window; the sweep goes on and
  // draws the same picture as without it.
  void bDuringASweep() {
    auto form = window();
    Form1Probe& f = *form;
    click(f.Command1);
    const QImage expected = f.picAusgabe->image();
    click(f.Command2);
    activate(&f.window);
    f.Command1->setFocus();
    double marker = 0;
    const auto beforeColumn = diagram::Sweep::setBeforeColumnHook([&](std::int32_t column) {
      if (column != 500) return;
      marker = f.Line1->x1();
      QTest::keyClick(f.Command1, Qt::Key_B);
    });
    QVERIFY(sweepToTheEnd(f));
    OrbitWindow* w = orbitWindow(f);
    QVERIFY(w && w->isVisible());
    QVERIFY(std::fabs(w->settings().p - marker) <= 0.0015);  // the marker's column
    QCOMPARE(f.picAusgabe->image(), expected);
    waitForOrbit(w);
  }

  // Ctrl+S saves the picture as drawn, under the name of the window shown;
  // Ctrl+C copies it, but in a text box its own text.
  void copyAndSave() {
    auto form = window();
    Form1Probe& f = *form;
    click(f.Command1);
    activate(&f.window);
    QTemporaryDir folder;
    QString suggested;
    const auto names = forms::setFileNameHook([&](const QString& name) {
      suggested = name;
      return folder.filePath(name);
    });
    f.Command1->setFocus();
    QTest::keyClick(f.Command1, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(suggested, QStringLiteral("feigenbaum_p0-3_x0-1.5.png"));
    QCOMPARE(argb(QImage(folder.filePath(suggested))), argb(f.picAusgabe->image()));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{suggested});

    QTest::keyClick(f.Command1, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(argb(QApplication::clipboard()->image()), argb(f.picAusgabe->image()));
    f.txtVon->setFocus();
    f.txtVon->selectAll();
    QTest::keyClick(f.txtVon, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), f.txtVon->text());
    // A text box types "B".
    QTest::keyClick(f.txtVon, Qt::Key_B);
    QVERIFY(!orbitWindow(f));

    // The orbit window's own picture.
    f.Command1->setFocus();
    QTest::keyClick(f.Command1, Qt::Key_B);
    OrbitWindow* w = orbitWindow(f);
    waitForOrbit(w);
    activate(w);
    QTest::keyClick(w, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(suggested, w->suggestedName());
    QCOMPARE(argb(QImage(folder.filePath(suggested))), argb(w->picture()));
    QCOMPARE(forms::nextSaveFolder(), QDir(folder.path()).absolutePath());

    // A step to a long orbit: until its picture is drawn, copy and save
    // take the old one under the old p, and nothing while the window says
    // it computes.
    const double shown = w->settings().p;
    QSemaphore held, go;
    const auto gate = OrbitWindow::setGate([&](std::int64_t counter) {
      if (counter == 1 << 15) {
        held.release();
        go.acquire();
      }
    });
    f.txtBis->setText(QStringLiteral("2000000000"));
    f.txtVon->setText(QStringLiteral("1999999000"));
    activate(&f.window);
    f.Command1->setFocus();
    QTest::keyClick(f.Command1, Qt::Key_B);
    QVERIFY(held.tryAcquire(1, 60000));
    activate(w);
    // Also where a check fails: the held orbit is cancelled and let go, and
    // has ended before the gate is put back.
    const auto letGo = qScopeGuard([&] {
      QSignalSpy ended(w, &OrbitWindow::ended);
      w->close();
      go.release();
      ended.wait(60000);
    });
    QFile::remove(folder.filePath(suggested));
    const QStringList files = QDir(folder.path()).entryList(QDir::Files);
    suggested.clear();
    QTest::keyClick(w, Qt::Key_S, Qt::ControlModifier);
    if (w->shownP()) {
      QCOMPARE(*w->shownP(), shown);
      QCOMPARE(suggested, QStringLiteral("bahn_p%1.png").arg(forms::fileNumber(shown)));
      QCOMPARE(argb(QImage(folder.filePath(suggested))), argb(w->picture()));
      QFile::remove(folder.filePath(suggested));
    }
    QTRY_VERIFY(!w->shownP());  // the progress line
    QApplication::clipboard()->clear();
    suggested.clear();
    QTest::keyClick(w, Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(w, Qt::Key_C, Qt::ControlModifier);
    QVERIFY(suggested.isEmpty());
    QVERIFY(QApplication::clipboard()->image().isNull());
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), files);
  }

  // A save that cannot be written is reported and leaves nothing behind.
  void aFailedSaveLeavesNoFile_data() {
    QTest::addColumn<QString>("where");
    QTest::newRow("folder without write permission") << QStringLiteral("locked/bild.png");
    QTest::newRow("the name of a folder") << QStringLiteral("locked");
    QTest::newRow("folder that does not exist") << QStringLiteral("nowhere/bild.png");
  }
  void aFailedSaveLeavesNoFile() {
    QFETCH(QString, where);
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkdir("locked"));
    if (where.startsWith("locked/")) {
#ifdef Q_OS_WIN
      QSKIP("a read-only folder still takes new files on Windows");
#else
      if (geteuid() == 0) QSKIP("root writes into any folder");
      QVERIFY(QFile::setPermissions(folder.filePath("locked"), QFile::ReadOwner | QFile::ExeOwner));
#endif
    }
    const auto names = forms::setFileNameHook([&](const QString&) { return folder.filePath(where); });
    const QString before = forms::nextSaveFolder();
    MessageBoxes boxes;
    const QImage picture(40, 30, QImage::Format_ARGB32);
    QVERIFY(!forms::savePicture(nullptr, picture, "bild.png"));
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(boxes.seen[0].title, QStringLiteral("Bild speichern"));
    QVERIFY(boxes.seen[0].text.contains(QDir::toNativeSeparators(folder.filePath(where))));
    QFile::setPermissions(folder.filePath("locked"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{"locked"});
    QVERIFY(QDir(folder.filePath("locked")).isEmpty());
    QCOMPARE(forms::nextSaveFolder(), before);
  }

  // The exponent's range: whole halves with 0 among them, the stable side
  // at most down to -3 (the superstable points go to -inf) and at least to
  // -0.5, the chaotic side at least up to 0.5; what is not finite is left
  // out.
  void theExponentsRange_data() {
    QTest::addColumn<std::vector<double>>("exponents");
    QTest::addColumn<double>("lo");
    QTest::addColumn<double>("hi");
    const double inf = std::numeric_limits<double>::infinity(), nan = std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("none") << std::vector<double>{} << -0.5 << 0.5;
    QTest::newRow("superstable") << std::vector<double>{-inf, -10.0, 0.3} << -3.0 << 0.5;
    QTest::newRow("halves") << std::vector<double>{-1.2, 0.7} << -1.5 << 1.0;
    QTest::newRow("small") << std::vector<double>{-0.01, 0.01, nan, inf} << -0.5 << 0.5;
    QTest::newRow("chaotic only") << std::vector<double>{0.2, 2.3} << -0.5 << 2.5;
  }
  void theExponentsRange() {
    QFETCH(std::vector<double>, exponents);
    QFETCH(double, lo);
    QFETCH(double, hi);
    QCOMPARE(inspector::curveRange(exponents), std::make_pair(lo, hi));
  }

  // The curve where the exponents put it: the stable half of the columns at
  // -0.6 in green, the chaotic half at 0.3 in yellow, over a range of -1 to
  // 0.5; the zero line light grey, the marker magenta, the panel blue in a
  // red frame, in the palette's colours.
  void theExponentCurve() {
    std::vector<double> columns, exponents;
    for (int k = 0; k <= 100; ++k) {
      columns.push_back(k / 100.0);
      exponents.push_back(k <= 50 ? -0.6 : 0.3);
    }
    const QImage picture = argb(
        inspector::lyapunovPicture(orbits::Iteration{}, columns, exponents, 0.8, QFont(), 1, inspector::kCurveSize));
    const QRectF panel = inspector::curvePanel(inspector::kCurveSize);
    auto xOf = [&](double p) { return int(panel.left() + p * panel.width()); };
    auto yOf = [&](double l) { return panel.bottom() - (l + 1) / 1.5 * panel.height(); };
    // The row nearest to y in column x whose colour passes `is`.
    auto rowOf = [&](int x, auto is) {
      for (int y = int(panel.top()); y < int(panel.bottom()); ++y)
        if (is(picture.pixel(x, y))) return y;
      return -1;
    };
    auto green = [](QRgb c) { return qGreen(c) > 200 && qRed(c) < 80; };
    auto yellow = [](QRgb c) { return qRed(c) > 200 && qGreen(c) > 200 && qBlue(c) < 80; };
    for (double p : {0.1, 0.3}) QVERIFY(std::abs(rowOf(xOf(p), green) - yOf(-0.6)) <= 1.5);
    for (double p : {0.7, 0.9}) QVERIFY(std::abs(rowOf(xOf(p), yellow) - yOf(0.3)) <= 1.5);
    QCOMPARE(rowOf(xOf(0.3), yellow), -1);
    QCOMPARE(rowOf(xOf(0.7), green), -1);
    QCOMPARE(picture.pixel(xOf(0.2), int(yOf(0))), 0xFFC0C0C0u);  // the zero line
    QCOMPARE(picture.pixel(xOf(0.8), int(panel.top()) + 5), 0xFFFF00FFu);
    QCOMPARE(picture.pixel(xOf(0.2), int(panel.top()) + 5), 0xFF000080u);
    QCOMPARE(picture.pixel(int(panel.left()) - 1, int(panel.center().y())), 0xFF800000u);
  }

  // The orbit window's picture in the palette's colours: the panels blue in
  // red frames, the series' points of p = 2.5 with the defaults cyan for
  // X0 and the lead-in, grey where the diagram draws nothing, yellow from
  // von on (each point's square lies apart from the next one's).
  void theOrbitPicturesColours() {
    OrbitSettings s = settings(2.5, true, 100, 200);
    const Orbit o = computed(s);
    const QImage picture = argb(inspector::orbitPicture(s, &o, true, QFont(), 1, inspector::kWide));
    const inspector::PictureLayout l = inspector::pictureLayout(inspector::kWide);
    QCOMPARE(picture.pixel(int(l.series.right()) - 2, int(l.series.top()) + 2), 0xFF000080u);
    QCOMPARE(picture.pixel(int(l.cobweb.left()) - 1, int(l.cobweb.center().y())), 0xFF800000u);
    for (std::size_t i = 0; i < o.values.size(); ++i) {
      const std::int64_t n = o.first + std::int64_t(i);
      const QPointF at = inspector::seriesPoint(s, l, o, n, o.values[i]);
      const QRgb expected = n >= 102 ? 0xFFFFFF00u : n <= 12 ? 0xFF008080u : 0xFF808080u;
      QCOMPARE(picture.pixel(int(at.x()), int(at.y())), expected);
    }
  }

  // The exponent over p stops when a newer request comes and when the
  // window closes: 64 chaotic columns with bis 2 * 10^9 take seconds (even
  // where their orbits come back to themselves in doubles, after some 10^7
  // steps); the request in work ends incomplete, and a newer one is drawn.
  void cancellingTheExponents() {
    inspector::LyapunovWindow w(nullptr, nullptr, {});
    QSignalSpy ended(&w, &inspector::LessonWindow::ended);
    orbits::Iteration heavy;
    heavy.bis = 2000000000;
    heavy.gelbAb = 1000;
    std::vector<double> chaotic;
    for (int k = 0; k < 64; ++k) chaotic.push_back(2.9 + 0.001 * k);
    for (bool byClosing : {false, true}) {
      w.request(heavy, chaotic);
      QVERIFY(w.computing());
      if (byClosing)
        w.close();
      else
        w.request(orbits::Iteration{}, {1.5, 2.5});
      QTRY_VERIFY_WITH_TIMEOUT(!ended.isEmpty(), 60000);
      QCOMPARE(ended.takeFirst().at(0).toBool(), false);
      if (!byClosing) {
        QTRY_VERIFY_WITH_TIMEOUT(!ended.isEmpty(), 60000);
        QCOMPARE(ended.takeFirst().at(0).toBool(), true);
        QCOMPARE(w.shownColumns(), (std::vector<double>{1.5, 2.5}));
      }
      QVERIFY(!w.computing());
    }
  }

  // A long lead-up stops when a newer request comes, and when the window
  // closes: the worker is held at a block deep in the lead-up, the request
  // is cancelled, and the work ends unfinished at the next block.
  void cancelledWorkStops() {
    OrbitWindow w(nullptr, nullptr);
    QSemaphore reached, go;
    constexpr std::int64_t kHeld = 4 << 15;  // the end of the fourth block
    std::atomic<std::int64_t> furthest{0};
    const auto gate = OrbitWindow::setGate([&](std::int64_t counter) {
      furthest = std::max<std::int64_t>(furthest, counter);
      if (counter == kHeld) {
        reached.release();
        go.acquire();
      }
    });
    QSignalSpy ended(&w, &OrbitWindow::ended);
    for (bool byClosing : {false, true}) {
      furthest = 0;
      w.request(settings(2.9, true, 1.9e9, 2000000000));
      reached.acquire();
      if (byClosing)
        w.close();
      else
        w.request(settings(2.5, true, 100, 200));
      go.release();
      QVERIFY(ended.wait(60000));
      QCOMPARE(ended.takeFirst().at(0).toBool(), false);
      QCOMPARE(furthest.load(), kHeld);  // not one block further
      if (!byClosing) {
        QVERIFY(!ended.isEmpty() || ended.wait(60000));
        QCOMPARE(ended.takeFirst().at(0).toBool(), true);
        QCOMPARE(w.settings().p, 2.5);
      }
      QVERIFY(!w.computing());
    }
  }
};

QTEST_MAIN(TestInspector)
#include "test_inspector.moc"
