// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// A seeded random user: tens of thousands of actions over the whole window,
// some of them inside running sweeps (a second "Start" among them), with
// every message box closed. Afterwards the window must still draw the start
// window's diagram. VARNOSKEL_SEED and VARNOSKEL_ACTIONS override the run.
#include <QCheckBox>
#include <QKeyEvent>
#include <QMenuBar>
#include <QRadioButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTableWidget>
#include <QTemporaryDir>
#include <cstdio>
#include <random>

#include "fixture.h"
#include "forms/export.h"
#include "inspector/feigenbaumwindow.h"

using namespace fixture;

namespace {

class RandomUser {
 public:
  RandomUser(std::uint64_t seed, int actions) : m_random(seed), m_left(actions) {}

  int done() const { return m_done; }
  int windows() const { return m_windows; }
  int atYields() const { return m_atYields; }
  int meanwhile() const { return m_meanwhile; }
  Form1Probe& form() { return *m_form; }

  void run() {
    fresh();
    // Saved pictures go to a folder of the run's own.
    QTemporaryDir folder;
    int saved = 0;
    const auto names = forms::setFileNameHook(
        [&](const QString& name) { return folder.filePath(QString::number(++saved % 8) + name); });
    // At a sweep's yields the user goes on acting now and then, nested; a
    // paused sweep is resumed once the actions are used up, so nothing
    // waits on a pause that no one will end.
    const auto atYields = forms::setDoEventsHook([this] {
      if (m_depth < 3 && chance(30) && m_left > 0 && !m_form->beendet) {
        ++m_atYields;
        act();
      }
      if (m_left <= 0 && !m_form->beendet) m_form->txtStop->setText("0");
    });
    // Between yields, while the window waits for a column (or a message
    // box is open), the user acts too: a timer is an event like a click.
    QTimer meanwhile;
    QObject::connect(&meanwhile, &QTimer::timeout, [this] {
      if (m_depth > 0 && m_depth < 3 && chance(3) && m_left > 0 && !m_form->beendet) {
        ++m_meanwhile;
        act();
      }
    });
    meanwhile.start(2);
    while (m_left > 0) {
      if (m_form->beendet) fresh();
      act();
    }
    if (m_form->beendet) fresh();
  }

 private:
  bool chance(int oneIn) { return std::uniform_int_distribution<int>(1, oneIn)(m_random) == 1; }
  int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
  double uniform(double a, double b) { return std::uniform_real_distribution<double>(a, b)(m_random); }

  // Only between actions, when no sweep of the ended window is on the stack:
  // it can go, and a long soak keeps one window's memory.
  void fresh() {
    m_form.reset();
    m_form = window();
    ++m_windows;
  }

  QString text() {
    static const QStringList pieces = {"0",   "1",  "2",      "3",      "0.5",
                                       ".",   ",",  "-",      "+",      "e",
                                       "E",   "D",  "d",      " ",      "\t",
                                       "x",   "&H", "1e-400", "-1e999", "nan",
                                       "inf", "12", "2.5",    "-.13",   QString::fromUtf8("ä五"),
                                       "1e5"};
    QString t;
    for (int n = pick(5); n > 0; --n) t += pieces[pick(pieces.size())];
    return t;
  }

  // Mostly small counts; now and then columns of many thousand steps, so
  // that actions come while the window waits for a column (fewer where the
  // processor is emulated or the build is many times slower).
  QString count() {
    static const QStringList counts = {"0",   "1",   "5",      "20",  "50",  "100",   "-3",   "",      "abc",
                                       "2.5", "1,5", "-1e999", "nan", "1d1", " 1 2 ", "5000", "20000", "100000"};
    static const qsizetype usable = counts.size() - (qEnvironmentVariableIsSet("VARNOSKEL_QUICK") ? 2 : 0);
    return counts[pick(int(usable))];
  }

  // A key of a window's own, wherever the focus is.
  void press(QWidget* window, const QKeySequence& key) {
    for (QShortcut* shortcut : window->findChildren<QShortcut*>(Qt::FindDirectChildrenOnly))
      if (shortcut->key() == key) emit shortcut->activated();
  }

  QList<QWidget*> lessonWindows() {
    QList<QWidget*> open;
    for (QWidget* w : m_form->window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
      if (w->isWindow() && w->isVisible()) open.append(w);
    return open;
  }

  // Key presses that carry their text, so any letter can be typed.
  void type(QLineEdit* box, const QString& t) {
    box->selectAll();
    for (QChar c : t) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
      QApplication::sendEvent(box, &press);
    }
  }

  void act() {
    if (m_left <= 0 || m_form->beendet) return;
    --m_left;
    ++m_done;
    ++m_depth;
    Form1Probe& f = *m_form;
    const QPointF somewhere(uniform(0, 800), uniform(0, 480));
    switch (pick(27)) {
      case 0: click(f.Command1); break;  // Start, perhaps inside a sweep
      case 1: click(f.Command2); break;
      case 2: click(f.Command3); break;
      case 3: click(f.Command4); break;
      case 4: click(f.Command5); break;
      case 5: click(f.Command6); break;
      case 6: click(f.Command7); break;
      case 7: click(f.Command8); break;
      case 8: click(f.Command9); break;
      case 9: click(f.Command10); break;
      case 10: click(f.Command11); break;
      case 11: f.cmdStart->trigger(); break;
      case 12:
        if (chance(20)) f.end->trigger();
        break;
      case 13: click(pick(2) ? static_cast<QAbstractButton*>(f.optR) : f.optV); break;
      case 14: click(f.chkVorlauf); break;
      case 15: {
        QLineEdit* boxes[] = {f.txtLinks, f.txtRechts, f.txtXMIN,  f.txtXMAX,
                              f.txtStop,  f.Text1,     f.txtHilfe, f.txtStart};
        type(boxes[pick(8)], text());
        break;
      }
      case 16: type(pick(2) ? f.txtVon : f.txtBis, count()); break;
      case 17: type(f.txtVorlauf, count()); break;
      case 18: f.HScroll1->setValue(pick(101)); break;
      case 19:
      case 20: mouse(f.picAusgabe, QEvent::MouseMove, somewhere); break;
      case 21: {
        const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};
        const Qt::MouseButton b = buttons[pick(3)];
        mouse(f.picAusgabe, QEvent::MouseButtonPress, somewhere, b, b);
        if (!f.beendet) mouse(f.picAusgabe, QEvent::MouseButtonRelease, somewhere, b, Qt::NoButton);
        break;
      }
      case 22: {
        QWidget* all[] = {f.window.centralWidget(), f.Command1, f.chkVorlauf, f.txtVon, f.optR, f.Picture2, f.txtStop};
        QWidget* w = all[pick(7)];
        mouse(w, QEvent::MouseMove, QPointF(uniform(0, w->width()), uniform(0, w->height())));
        break;
      }
      case 23: f.txtStop->setText(pick(2) ? "1" : "0"); break;
      case 24: {
        // The main window's keys: the orbit, the exponent over p, the
        // cascade, the picture copied or saved.
        const QKeySequence keys[] = {QKeySequence(Qt::Key_B), QKeySequence(Qt::Key_L), QKeySequence(Qt::Key_F),
                                     QKeySequence::Copy, QKeySequence::Save};
        press(&f.window, keys[pick(5)]);
        break;
      }
      case 25: {
        // A key in one of the windows the keys opened.
        const auto windows = lessonWindows();
        if (windows.isEmpty()) break;
        const QKeySequence keys[] = {QKeySequence(Qt::Key_Left),
                                     QKeySequence(Qt::Key_Right),
                                     QKeySequence(Qt::SHIFT | Qt::Key_Left),
                                     QKeySequence(Qt::SHIFT | Qt::Key_Right),
                                     QKeySequence::Copy,
                                     QKeySequence::Save,
                                     QKeySequence(Qt::Key_Escape)};
        press(windows[pick(int(windows.size()))], keys[pick(7)]);
        break;
      }
      case 26: {
        // A row's "Fenster" in the cascade: its window drawn.
        auto* cascade = f.window.findChild<inspector::FeigenbaumWindow*>();
        if (!cascade || !cascade->isVisible()) break;
        auto* row = qobject_cast<QAbstractButton*>(cascade->table()->cellWidget(pick(cascade->table()->rowCount()), 6));
        if (row) row->click();
        break;
      }
    }
    --m_depth;
  }

  std::mt19937_64 m_random;
  int m_left;
  int m_done = 0, m_depth = 0, m_windows = 0, m_atYields = 0, m_meanwhile = 0;
  std::unique_ptr<Form1Probe> m_form;
};

}  // namespace

class TestRandomUser : public QObject {
  Q_OBJECT

 private slots:
  void thousandsOfActionsLeaveAWorkingWindow() {
    const std::uint64_t seed =
        qEnvironmentVariableIsSet("VARNOSKEL_SEED") ? qEnvironmentVariable("VARNOSKEL_SEED").toULongLong() : 20261208;
    const int actions =
        qEnvironmentVariableIsSet("VARNOSKEL_ACTIONS") ? qEnvironmentVariableIntValue("VARNOSKEL_ACTIONS") : 20000;
    MessageBoxes boxes;
    RandomUser user(seed, actions);
    user.run();
    std::printf(
        "random user: seed %llu, %d actions (%d at yields, %d between yields), %d windows, %d message boxes closed\n",
        static_cast<unsigned long long>(seed), user.done(), user.atYields(), user.meanwhile(), user.windows(),
        int(boxes.seen.size()));
    QCOMPARE(user.done(), actions);
    // The nested actions are the point of the run: a run in which they
    // stopped coming would test little but the top level.
    QVERIFY2(user.atYields() * 10 >= actions, qPrintable(QString("%1 at yields").arg(user.atYields())));

    QVERIFY(drawsTheStartWindow(user.form()));
  }
};

// A long soak runs to its end: the limit on one test function follows the
// number of actions (Qt Test's default is five minutes).
int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const qint64 actions = qMax(20000, qEnvironmentVariableIntValue("VARNOSKEL_ACTIONS"));
  if (!qEnvironmentVariableIsSet("QTEST_FUNCTION_TIMEOUT"))
    qputenv("QTEST_FUNCTION_TIMEOUT", QByteArray::number(actions * 15));  // 15 ms an action, sanitizers included
  TestRandomUser test;
  QTEST_SET_MAIN_SOURCE_PATH
  return QTest::qExec(&test, argc, argv);
}
#include "test_random_user.moc"
