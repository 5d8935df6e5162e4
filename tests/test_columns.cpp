// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The sweep's columns, computed ahead on worker threads, in the window:
// its picture against a plain loop written here, one orbit at a time, every
// point drawn as it comes; handlers that come while it waits for a column;
// and a window that answers the window system in the middle of a giant
// column. The kernels and the engine alone are tested in test_kernel.cpp.
#include <qpa/qwindowsysteminterface.h>

#include <QCheckBox>
#include <QMenuBar>
#include <QRadioButton>
#include <QScrollBar>
#include <bit>
#include <condition_variable>
#include <limits>
#include <mutex>
#include <optional>
#include <random>

#include "diagram/frame.h"
#include "diagram/sweep.h"
#include "fixture.h"
#include "forms/overlays.h"
#include "orbits/columnengine.h"
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
// The window a reference draws in, with the sweep's start value.
struct Limits {
  double links, rechts, xMin, xMax, startwert;
};

struct Reference {
  QImage& image;
  Limits w;
  double dpr;

  void point(double x, double y, int pen, QRgb colour) {
    const long px = oracle::pixel(x, w.links, w.rechts, image.width());
    const long py = oracle::pixel(y, w.xMax, w.xMin, image.height());
    if (px < 0 || py < 0) return;
    const long left = px - (pen - 1) / 2, top = py - (pen - 1) / 2;
    for (long j = std::max(0L, top); j < std::min<long>(image.height(), top + pen); ++j)
      for (long i = std::max(0L, left); i < std::min<long>(image.width(), left + pen); ++i)
        image.setPixel(int(i), int(j), colour);
  }
  // Columns from ... to - 1; the orbit value the last one ends with.
  double columns(int from, int to, const Look& look, double von, std::int64_t bis) {
    const double schritt = (w.rechts - w.links) / orbits::kColumns, vorlauf = support::numberFromText(look.vorlaufText);
    const int thin = std::max(1L, std::lround(dpr)), pen = std::max(1L, std::lround(look.strich * dpr));
    double bestand = 0;
    for (int spalte = from; spalte < to; ++spalte) {
      const double p = w.links + spalte * schritt;
      point(p, w.startwert, pen, rgb(support::kCyan));
      bestand = w.startwert;
      for (std::int64_t iteration = 0; iteration <= bis; ++iteration) {
        bestand = oracle::step(bestand, p, look.normiert);
        if (look.vorlauf && iteration < vorlauf) point(p, bestand, thin, rgb(support::kCyan));
        if (iteration > von) point(p, bestand, pen, rgb(support::kYellow));
      }
    }
    return bestand;
  }
};

// Holds the worker that takes column `column` at a gate of the test's own,
// until let go; the workers after it, and later runs, pass. The window then
// surely waits for the first column of that worker's batch, held().
class Gate {
 public:
  Gate(orbits::ColumnEngine& engine, std::int32_t column)
      : m_state(std::make_shared<State>()), m_gate(engine.setGate([state = m_state, column](std::int32_t from) {
          std::unique_lock lock(state->mutex);
          if (state->held >= 0 || column < from || column >= from + orbits::kSideBySide) return;
          state->held = from;
          state->opened.wait(lock, [&] { return state->open; });
        })) {}
  ~Gate() { letGo(); }
  std::int32_t held() const {
    std::lock_guard lock(m_state->mutex);
    return m_state->held;
  }
  void letGo() {
    {
      std::lock_guard lock(m_state->mutex);
      m_state->open = true;
    }
    m_state->opened.notify_all();
  }

 private:
  struct State {
    std::mutex mutex;
    std::condition_variable opened;
    std::int32_t held = -1;
    bool open = false;
  };
  std::shared_ptr<State> m_state;  // shared with a worker that may still be in the gate
  support::Restore m_gate;
};

// Runs `action` once, as soon as the window waits for the column the gate
// holds back: from a timer, which fires only while the window serves its
// events.
void whenWaitingAt(Form1Probe& f, const Gate& gate, std::function<void()> action) {
  auto* check = new QTimer(&f.window);
  QObject::connect(check, &QTimer::timeout, [&f, &gate, check, action] {
    if (gate.held() < 0 || f.rechenwerk.waitingFor() != gate.held()) return;
    check->stop();
    check->deleteLater();
    action();
  });
  check->start(1);
}

void setLook(Form1Probe& f, const Look& look) {
  click(look.normiert ? static_cast<QAbstractButton*>(f.optR) : f.optV);
  f.chkVorlauf->setChecked(look.vorlauf);
  f.txtVorlauf->setText(look.vorlaufText);
  click(look.strich == 1 ? f.Command3 : f.Command4);
}

}  // namespace

class TestColumns : public QObject {
  Q_OBJECT

 private slots:
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
      Form1Probe& f = *form;
      const QStringList& w = windows[random() % std::size(windows)];
      f.txtLinks->setText(w[0]);
      f.txtRechts->setText(w[1]);
      f.txtXMIN->setText(w[2]);
      f.txtXMAX->setText(w[3]);
      f.txtVon->setText(pick(vons));
      f.txtBis->setText(pick(biss));
      const int startValue = 1 + int(random() % 99);
      f.HScroll1->setValue(startValue);
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
      const auto yieldHook = forms::setDoEventsHook([&] {
        ++yields;
        if (yields == 2) picture = f.picAusgabe->image().copy();
        if (yields == boundary + 2) setLook(f, after);
        if (yields == 1001) f.end->trigger();
      });
      click(f.Command1);
      QCOMPARE(f.spalte, 999);
      const double von = support::numberFromText(f.txtVon->text());
      const auto bis = std::int64_t(support::numberFromText(f.txtBis->text()));
      const Limits limits{support::numberFromText(w[0]), support::numberFromText(w[1]), support::numberFromText(w[2]),
                          support::numberFromText(w[3]), startValue / 100.0};
      Reference reference{picture, limits, f.picAusgabe->devicePixelRatioF()};
      reference.columns(0, boundary, before, von, bis);
      reference.columns(boundary, 999, after, von, bis);
      QVERIFY2(f.picAusgabe->image() == picture, qPrintable(QString("round %1: %2, von %3, bis %4, change at %5")
                                                                .arg(round)
                                                                .arg(w.join(' '), f.txtVon->text(), f.txtBis->text())
                                                                .arg(boundary)));
    }
  }

  // A handler that runs while the window waits for a column, from events
  // that come through the platform as a user's do, counts as having run
  // just before that column. The whole picture, column 999 and the label
  // pass included, and the state the sweep leaves behind equal those of a
  // loop over one orbit at a time with the change made at that column.
  void handlersWhileTheWindowWaits_data() {
    QTest::addColumn<QString>("action");
    for (const char* action : {"pen 2", "Verhulst", "lead-in off", "lead-in 3", "x", "Startfenster", "scroll bar",
                               "S then W", "Start", "max", "zoom", "mouse move"})
      QTest::newRow(action) << QString::fromLatin1(action);
  }

  void handlersWhileTheWindowWaits() {
    QFETCH(QString, action);
    // The worker that takes column 400 is held, so the window surely waits
    // for its batch when the handler comes; it goes on once the handler ran.
    const std::int32_t slow = 400;
    const std::int64_t bis = 3000;
    const double von = double(bis - 100);
    {
      auto form = window();
      Form1Probe& f = *form;
      const Limits before{2.5, 3, .3, 1.3, .1};
      f.txtLinks->setText("2.5");
      f.txtRechts->setText("3");
      f.txtXMIN->setText(".3");
      f.txtXMAX->setText("1.3");
      f.txtVon->setText(QString::number(von));
      f.txtBis->setText(QString::number(bis));
      Look look, after;
      if (action == "zoom") click(f.Command8);  // "Fenster": the next press on the picture takes a window
      QWindow* w = f.window.windowHandle();
      const double dpr = w->devicePixelRatio();
      // Through the platform, as the window system delivers a user's input.
      auto press = [&](QWidget* on, QPointF at, Qt::MouseButton button = Qt::LeftButton) {
        const QPointF local = on->mapTo(&f.window, at);
        for (auto [type, held] : {std::pair{QEvent::MouseButtonPress, Qt::MouseButtons(button)},
                                  std::pair{QEvent::MouseButtonRelease, Qt::MouseButtons()}})
          QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::SynchronousDelivery>(
              w, local * dpr, f.window.mapToGlobal(local) * dpr, held, button, type);
      };
      auto middle = [](QWidget* on) { return QPointF(on->width() / 2.0, on->height() / 2.0); };
      // Where the pointer goes on the picture.
      const QPointF cursor(f.picAusgabe->width() * .4, f.picAusgabe->height() * .3);

      QImage grid, afterHandler;
      QString readout;
      int column = -1, pausedAt = -1;
      bool inWait = false;
      Limits limits = before;  // the window the columns after the handler are drawn in
      auto act = [&] {
        column = f.spalte;
        // Waiting for column k, the marker stands at k; in the yield before
        // it, at k - 1.
        inWait = f.p == f.fenster.spalteP(f.spalte);
        if (action == "pen 2") {
          press(f.Command4, middle(f.Command4));
          after.strich = 2;
        } else if (action == "Verhulst") {
          press(f.optV, middle(f.optV));
          after.normiert = false;
        } else if (action == "lead-in off") {
          press(f.chkVorlauf, QPointF(8, f.chkVorlauf->height() / 2.0));
          after.vorlauf = false;
        } else if (action == "lead-in 3") {
          // A click into the box, Ctrl+A, and 3.
          press(f.txtVorlauf, middle(f.txtVorlauf));
          for (auto [key, modifiers, text] : {std::tuple{Qt::Key_A, Qt::ControlModifier, QString()},
                                              std::tuple{Qt::Key_3, Qt::NoModifier, QStringLiteral("3")}})
            for (auto type : {QEvent::KeyPress, QEvent::KeyRelease})
              QWindowSystemInterface::handleKeyEvent<QWindowSystemInterface::SynchronousDelivery>(w, type, key,
                                                                                                  modifiers, text);
          after.vorlaufText = "3";
        } else if (action == "x") {
          f.txtXMIN->setText(".2");  // as a zoom or "zurück" would have written them
          f.txtXMAX->setText("1.4");
          press(f.Command2, middle(f.Command2));
          limits.xMin = .2;
          limits.xMax = 1.4;
        } else if (action == "Startfenster") {
          press(f.window.menuBar(), f.window.menuBar()->actionGeometry(f.cmdStart).center());
          limits.xMin = 0;
          limits.xMax = 1.5;
        } else if (action == "scroll bar") {
          press(f.HScroll1, QPointF(f.HScroll1->width() - 4, f.HScroll1->height() / 2.0));  // the right arrow
        } else if (action == "S then W") {
          press(f.Command5, middle(f.Command5));
          // "W" once the sweep waits before the next column: the column in
          // work was finished, and nothing comes after it until then.
          auto* resume = new QTimer(&f.window);
          QObject::connect(resume, &QTimer::timeout, [&, resume] {
            if (f.spalte != column + 1) return;
            pausedAt = f.spalte;
            resume->deleteLater();
            press(f.Command6, middle(f.Command6));
          });
          resume->start(5);
        } else if (action == "Start") {
          press(f.Command1, middle(f.Command1));
        } else if (action == "max") {
          press(f.Command9, middle(f.Command9));
          limits = {0, 3, 0, 1.5, .1};
        } else if (action == "zoom") {
          press(f.picAusgabe, cursor);
          // The window the press took, as the zoom wrote it into the limit boxes.
          limits = {support::numberFromText(f.txtLinks->text()), support::numberFromText(f.txtRechts->text()),
                    support::numberFromText(f.txtXMIN->text()), support::numberFromText(f.txtXMAX->text()), .1};
        } else if (action == "mouse move") {
          const QPointF local = f.picAusgabe->mapTo(&f.window, cursor + QPointF(20, 20));
          QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::SynchronousDelivery>(
              w, local * dpr, f.window.mapToGlobal(local) * dpr, Qt::NoButton, Qt::NoButton, QEvent::MouseMove);
          readout = f.txtHilfe->text();
        }
        afterHandler = f.picAusgabe->image().copy();
      };
      Gate gate(f.rechenwerk, slow);
      whenWaitingAt(f, gate, [&] {
        act();
        gate.letGo();
      });
      std::optional<support::Restore> atTheYield;
      atTheYield.emplace(atYield(2, [&] {
        grid = f.picAusgabe->image().copy();  // before column 0
        atTheYield.reset();                   // from here the sweep runs as it does for a user
      }));
      click(f.Command1);
      QCOMPARE(column, gate.held());
      QVERIFY(inWait);
      if (action == "S then W") QCOMPARE(pausedAt, column + 1);

      // The state the sweep leaves behind, read before another window opens
      // (its showing can move the pointer over this one).
      const bool nested = action == "Start" || action == "max" || action == "zoom";
      const int last = nested ? 1000 : 999;
      const double p = limits.links + last * ((limits.rechts - limits.links) / orbits::kColumns);
      QCOMPARE(f.spalte, last + 1);
      QCOMPARE(f.p, p);
      QCOMPARE(f.strich(), after.strich);
      QCOMPARE(f.picAusgabe->drawWidth(), 1);  // every orbit point sets the pen back to 1
      QCOMPARE(f.Line1->p1().x(), f.picAusgabe->toPixelX(support::toSingle(p)));
      QCOMPARE(f.Line1->p2().x(), f.Line1->p1().x());
      QCOMPARE(double(f.txtp->x()), std::round(f.picAusgabe->toPixelX(support::toSingle(p))));
      QMap<QString, QString> texts = {
          {"txtLinks", "2.5"},
          {"txtRechts", "3"},
          {"txtXMIN", action == "x" ? ".2" : ".3"},
          {"txtXMAX", action == "x" ? "1.4" : "1.3"},
          {"txtVon", support::qTextFromDouble(von)},
          {"txtBis", support::qTextFromDouble(double(bis))},
          {"txtVorlauf", after.vorlaufText},
          {"txtStop", "0"},
          {"Text1", action == "pen 2" ? "2" : "1"},
          {"txtStart", action == "scroll bar" ? support::localeText(.11) : "0.1"},
          {"txtp", support::localeText(p)},
          {"Text2", "Startwert"},
          {"Text3", "X  von..    bis.."},
          {"Text4", "von"},
          {"Text5", "bis"},
      };
      if (action == "Startfenster" || action == "max")
        texts.insert({{"txtLinks", "0"}, {"txtRechts", "3"}, {"txtXMIN", "0"}, {"txtXMAX", " 1.5"}});
      if (action == "zoom")
        for (const char* box : {"txtLinks", "txtRechts", "txtXMIN", "txtXMAX"})
          texts[box] = f.window.findChild<QLineEdit*>(box)->text();  // what the press wrote (checked in the zoom tests)
      for (auto [box, text] : texts.asKeyValueRange()) QCOMPARE(f.window.findChild<QLineEdit*>(box)->text(), text);
      // A press through the platform moves the pointer there first, and the
      // help line follows it; after a move over the picture it reads p and X.
      if (action == "mouse move") {
        QVERIFY(readout.startsWith("p = "));
        QCOMPARE(f.txtHilfe->text(), readout);
      }
      // The expected picture: what stood there before the handler, then the
      // columns of the one-orbit loop, then the program's own label pass.
      const bool cleared = nested || action == "x" || action == "Startfenster";
      QImage expected = cleared ? afterHandler : grid;
      const double picDpr = f.picAusgabe->devicePixelRatioF();
      double bestand;
      if (nested) {
        Reference reference{expected, limits, picDpr};
        bestand = reference.columns(1000, 1001, look, von, bis);  // the column at the right limit
      } else {
        Reference old{expected, before, picDpr}, now{expected, limits, picDpr};
        if (!cleared) old.columns(0, column, look, von, bis);
        bestand = now.columns(column, 1000, after, von, bis);
      }
      // The label pass of the window's own frame, drawn over that picture.
      auto labelled = window();
      const Grenzen drawn{limits.links, limits.rechts, limits.xMin, limits.xMax};
      diagram::Frame frame(labelled->picAusgabe);
      frame.setzeKoordinaten(drawn);
      expected.setDevicePixelRatio(picDpr);
      labelled->picAusgabe->paintPicture(expected);
      frame.beschriftung(drawn, 36);
      QVERIFY2(f.picAusgabe->image() == labelled->picAusgabe->image(),
               qPrintable(QString("%1 at column %2").arg(action).arg(column)));
      QCOMPARE(std::bit_cast<std::uint64_t>(f.bestand), std::bit_cast<std::uint64_t>(bestand));
    }
  }

  // A move over the picture while the window waits for a column: the help
  // line, the crosshair Line2 and txtY follow the pointer at once; Line1
  // and txtp serve the sweep and stand at the column in work again before
  // the window next paints. The sweep ends with them at column 999.
  void pointerMovesWhileAColumnIsComputed() {
    const std::int32_t slow = 600;
    auto form = window();
    Form1Probe& f = *form;
    f.txtVon->setText("1900");
    f.txtBis->setText("2000");
    QWindow* w = f.window.windowHandle();
    const QPointF pointer(100, 100);  // p = 0.375, far left of the held column
    Gate gate(f.rechenwerk, slow);
    struct Painted : QObject {
      std::function<void()> then;
      bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && then) std::exchange(then, nullptr)();
        return false;
      }
    } painted;
    double line1 = -1, txtpLeft = -1, pAtPaint = -1;
    QString txtpText;
    // Right after the move, as the window shows it.
    QString help;
    bool crosshairShown = false;
    double line2AtMove = -1, line1AtMove = -1;
    int txtYAtMove = -1;
    auto move = [&] {
      const QPointF local = f.picAusgabe->mapTo(&f.window, pointer);
      QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::SynchronousDelivery>(
          w, local * w->devicePixelRatio(), f.window.mapToGlobal(local) * w->devicePixelRatio(), Qt::NoButton,
          Qt::NoButton, QEvent::MouseMove);
      help = f.txtHilfe->text();
      crosshairShown = f.Line2->isVisible() && f.txtY->isVisible();
      line2AtMove = f.Line2->p1().y();
      txtYAtMove = f.txtY->y();
      line1AtMove = f.Line1->p1().x();
      painted.then = [&] {
        line1 = f.Line1->p1().x();
        txtpLeft = f.txtp->x();
        txtpText = f.txtp->text();
        pAtPaint = f.p;
        gate.letGo();
      };
      f.picAusgabe->installEventFilter(&painted);
    };
    whenWaitingAt(f, gate, move);
    click(f.Command1);
    QVERIFY(help.startsWith("p = "));
    QVERIFY(crosshairShown);
    QCOMPARE(line2AtMove, pointer.y());
    QCOMPARE(txtYAtMove, int(pointer.y()));
    QCOMPARE(line1AtMove, pointer.x());  // the readout moved the marker to the pointer
    const double p = 3.0 * gate.held() / orbits::kColumns;
    QCOMPARE(pAtPaint, p);
    QCOMPARE(line1, f.picAusgabe->toPixelX(support::toSingle(p)));
    QCOMPARE(txtpLeft, std::round(f.picAusgabe->toPixelX(support::toSingle(p))));
    QCOMPARE(txtpText, support::localeText(p));
    const double last = 999 * (3.0 / orbits::kColumns);
    QCOMPARE(f.spalte, 1000);
    QCOMPARE(f.Line1->p1().x(), f.picAusgabe->toPixelX(support::toSingle(last)));
    QCOMPARE(f.txtp->text(), support::localeText(last));
  }

  // A click that comes while a sweep draws cheap columns is handled inside
  // it, at the latest in the yield before its last column, however short the
  // time since events were last served.
  void aClickComesInsideTheSweep() {
    auto form = window();
    Form1Probe& f = *form;
    int clickedAt = -1;
    QObject::connect(f.Command4, &QPushButton::clicked, [&] { clickedAt = f.spalte; });
    QWindow* w = f.window.windowHandle();
    const auto beforeColumn = diagram::Sweep::setBeforeColumnHook([&](std::int32_t spalte) {
      if (spalte != 999) return;
      const QPointF local = f.Command4->mapTo(&f.window, QPointF(f.Command4->rect().center()));
      for (auto [type, held] : {std::pair{QEvent::MouseButtonPress, Qt::MouseButtons(Qt::LeftButton)},
                                std::pair{QEvent::MouseButtonRelease, Qt::MouseButtons()}})
        QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::AsynchronousDelivery>(
            w, local * w->devicePixelRatio(), f.window.mapToGlobal(local) * w->devicePixelRatio(), held, Qt::LeftButton,
            type);
    });
    click(f.Command1);
    QCoreApplication::processEvents();  // a click left over comes now
    QCOMPARE(clickedAt, 999);
  }

  // A column of two billion steps: the scroll bar arrow held through the
  // platform stops when let go, "S" answers, and a close from the window
  // system ends the run and its workers at once.
  void giantColumnAnswersTheWindowSystem() {
    auto form = window();
    Form1Probe& f = *form;
    // Chaotic from the first column on: nothing repeats, every step is iterated.
    f.txtLinks->setText("2.9");
    f.txtBis->setText("2147483647");
    QWindow* w = f.window.windowHandle();
    // The platform speaks in the screen's own pixels.
    auto send = [&](QWidget* on, QEvent::Type type, Qt::MouseButtons held) {
      const QPoint local = on->mapTo(&f.window, QPoint(on->width() - 4, on->height() / 2));
      QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::AsynchronousDelivery>(
          w, QPointF(local) * w->devicePixelRatio(), QPointF(f.window.mapToGlobal(local)) * w->devicePixelRatio(), held,
          Qt::LeftButton, type);
    };
    int released = -1, later = -1;
    QString paused;
    bool lost = false;
    auto at = [&](int ms, std::function<void()> action) {
      QTimer::singleShot(ms, Qt::PreciseTimer, &f.window, action);
    };
    at(100, [&] { send(f.HScroll1, QEvent::MouseButtonPress, Qt::LeftButton); });
    // Let go once the arrow has repeated, however long that takes on a busy
    // machine; then "S", then the close.
    QTimer repeated;
    repeated.setInterval(10);
    QObject::connect(&repeated, &QTimer::timeout, &f.window, [&] {
      if (f.HScroll1->value() <= 11) return;
      repeated.stop();
      send(f.HScroll1, QEvent::MouseButtonRelease, Qt::NoButton);
      at(100, [&] { released = f.HScroll1->value(); });
      at(200, [&] { send(f.Command5, QEvent::MouseButtonPress, Qt::LeftButton); });
      at(210, [&] { send(f.Command5, QEvent::MouseButtonRelease, Qt::NoButton); });
      at(600, [&] {
        later = f.HScroll1->value();
        paused = f.txtStop->text();
        QWindowSystemInterface::handleCloseEvent<QWindowSystemInterface::AsynchronousDelivery>(w);
      });
    });
    repeated.start();
    at(60000, [&] {  // should the window system's close be lost
      lost = true;
      f.window.close();
    });
    click(f.Command1);
    QVERIFY(!lost);  // the window system's close ended the run
    QVERIFY(f.beendet);
    QCOMPARE(f.spalte, 0);
    QVERIFY2(released > 11, qPrintable(QString::number(released)));  // it repeated while held
    QCOMPARE(later, released);                                       // and stopped when let go
    QCOMPARE(paused, QStringLiteral("1"));
    form.reset();  // the program ends: the window goes, its workers are joined
  }
};

QTEST_MAIN(TestColumns)
#include "test_columns.moc"
