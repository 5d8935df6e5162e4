// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The window: every control where the layout puts it, the design values,
// start-up and the end of the program.
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleOptionFrame>
#include <QStyleOptionSlider>

#include "app/layout.h"
#include "fixture.h"
#include "forms/overlays.h"

using namespace fixture;

class TestApp : public QObject {
  Q_OBJECT

 private slots:
  // The layout in twips, as designed; the window must show it in pixels.
  void everyControlInItsPlace() {
    struct Place {
      const char* name;
      const char* container;
      int left, top, width, height;
    };
    const Place places[] = {
        {"Picture1", "Form1", 480, 120, 7215, 1455},
        {"optV", "Picture1", 6720, 120, 255, 435},
        {"optR", "Picture1", 6720, 600, 375, 615},
        {"Picture2", "Form1", 7680, 120, 4815, 1455},
        {"Text2", "Picture2", 120, 120, 975, 525},
        {"txtStart", "Picture2", 120, 600, 975, 330},
        {"HScroll1", "Picture2", 120, 960, 975, 270},
        {"Text3", "Picture2", 1320, 0, 1095, 285},
        {"txtXMIN", "Picture2", 1320, 240, 615, 315},
        {"txtXMAX", "Picture2", 1920, 240, 615, 315},
        {"Command8", "Picture2", 1320, 600, 855, 345},
        {"Command11", "Picture2", 2160, 600, 375, 345},
        {"Command9", "Picture2", 1320, 960, 495, 345},
        {"Command10", "Picture2", 1800, 960, 735, 345},
        {"Command1", "Picture2", 2760, 120, 975, 495},
        {"Text4", "Picture2", 3840, 120, 255, 285},
        {"txtVon", "Picture2", 4200, 120, 495, 285},
        {"Text5", "Picture2", 3840, 360, 255, 285},
        {"txtBis", "Picture2", 4200, 360, 495, 285},
        {"chkVorlauf", "Picture2", 2760, 720, 1935, 495},
        {"txtVorlauf", "Picture2", 4200, 840, 495, 285},
        {"Command7", "Form1", 240, 120, 255, 570},
        {"Command5", "Form1", 12480, 120, 255, 615},
        {"txtStop", "Form1", 12480, 720, 255, 285},
        {"Command6", "Form1", 12480, 960, 255, 495},
        {"Command4", "Form1", 12480, 1680, 255, 255},
        {"Command3", "Form1", 12480, 1920, 255, 255},
        {"Text1", "Form1", 12480, 2160, 255, 285},
        {"picAusgabe", "Form1", 480, 1680, 12000, 7200},
        {"Command2", "picAusgabe", 11640, 0, 375, 375},
        {"txtY", "picAusgabe", 0, 3720, 615, 315},
        {"txtp", "picAusgabe", 480, 6840, 855, 195},
        {"shpAuswahl", "picAusgabe", 3120, 1320, 6000, 3750},
        {"Label2", "picAusgabe", 10800, 6840, 135, 375},
        {"txtLinks", "Form1", 480, 8880, 975, 375},
        {"txtHilfe", "Form1", 1440, 8880, 10095, 405},
        {"txtRechts", "Form1", 11520, 8880, 975, 375},
        {"Shape1", "Form1", 360, 8640, 135, 615},
        {"Shape2", "Form1", 12480, 8640, 135, 615},
    };
    auto form = window();
    for (const Place& place : places) {
      auto* w = form->window.findChild<QWidget*>(QString::fromLatin1(place.name));
      QVERIFY2(w, place.name);
      QCOMPARE(w->parentWidget()->objectName(), QString::fromLatin1(place.container));
      // txtp is moved to the left edge by start-up; the caption "von" has no
      // frame and grows to its text's width, as the platform's font gives it
      // (a pixel on Linux), to the left into the free panel; the rest keeps
      // its design place.
      int wider = 0;
      if (QLatin1String(place.name) == QLatin1String("Text4")) {
        const auto* caption = qobject_cast<QLineEdit*>(w);
        const int text = int(std::ceil(QFontMetricsF(caption->font()).horizontalAdvance(caption->text())));
        wider = std::max(0, text - place.width / 15);
      }
      if (QLatin1String(place.name) != QLatin1String("txtp")) QCOMPARE(w->x(), place.left / 15 - wider);
      QCOMPARE(w->y(), place.top / 15);
      QCOMPARE(w->width(), place.width / 15 + wider);
      QCOMPARE(w->height(), place.height / 15);
    }
    QCOMPARE(form->txtp->x(), 0);
    QCOMPARE(form->window.centralWidget()->size(), QSize(13035 / 15, 9360 / 15));

    // Lines by their end points, in the container's pixels.
    const struct {
      forms::LineShape* line;
      int x1, y1, x2, y2;
    } lines[] = {
        {form->Line3, 1200, 0, 1200, 1320}, {form->Line4, 2640, 0, 2640, 1320}, {form->Line2, 360, 3960, 12000, 3960}};
    for (const auto& l : lines) {
      QCOMPARE(l.line->p1(), QPointF(l.x1 / 15, l.y1 / 15));
      QCOMPARE(l.line->p2(), QPointF(l.x2 / 15, l.y2 / 15));
    }
    QCOMPARE(form->Line1->p1(), QPointF(0, 7335 / 15));  // moved to the left edge at start-up
    QCOMPARE(form->Line1->p2(), QPointF(0, 0));
    QCOMPARE(form->Line3->parentWidget(), form->Picture2);
    QCOMPARE(form->Line1->parentWidget(), form->picAusgabe);
  }

  void designValues() {
    auto form = window();
    QCOMPARE(form->window.windowTitle(), QStringLiteral("Varnoskel"));
    QVERIFY(!form->window.windowIcon().isNull());
    QCOMPARE(form->Command1->text(), QStringLiteral("Start"));
    QCOMPARE(form->Command10->text(), QStringLiteral("zurück"));
    QCOMPARE(form->Text3->text(), QStringLiteral("X  von..    bis.."));
    QCOMPARE(form->chkVorlauf->text(), QStringLiteral("mit den ersten "));
    QCOMPARE(form->txtXMAX->text(), QStringLiteral("1.5"));
    QCOMPARE(form->txtp->text(), QStringLiteral("I"));
    QCOMPARE(form->txtHilfe->text(), QStringLiteral("Hilfe"));
    QCOMPARE(form->txtY->text(), QString());
    QVERIFY(form->optR->isChecked() && !form->optV->isChecked());
    QVERIFY(form->chkVorlauf->isChecked());
    QVERIFY(form->shpAuswahl->isHidden());
    QVERIFY(!form->txtY->isHidden() && !form->Line2->isHidden());
    QCOMPARE(form->HScroll1->minimum(), 1);
    QCOMPARE(form->HScroll1->maximum(), 99);
    QCOMPARE(form->HScroll1->value(), 10);
    QCOMPARE(form->HScroll1->singleStep(), 1);
    QCOMPARE(form->HScroll1->pageStep(), 1);

    // Colours.
    QCOMPARE(form->Command10->palette().color(QPalette::Button), QColor(255, 128, 0));
    QCOMPARE(form->Command5->palette().color(QPalette::Button), QColor(255, 128, 128));
    QCOMPARE(form->txtStart->palette().color(QPalette::Base), QColor(255, 255, 192));
    QCOMPARE(form->txtXMIN->palette().color(QPalette::Base), QColor(0, 0, 64));
    QCOMPARE(form->txtXMIN->palette().color(QPalette::Text), QColor(255, 255, 255));
    QCOMPARE(form->picAusgabe->backColor(), QColor(0, 0, 64));
    // The picture has the screen's own pixels: sharp on a scaled desktop.
    const double dpr = form->picAusgabe->devicePixelRatioF();
    QCOMPARE(form->picAusgabe->image().size(), QSize(qRound(800 * dpr), qRound(480 * dpr)));
    QCOMPARE(form->Line1->colour(), QColor(255, 255, 128));
    QCOMPARE(form->Line2->colour(), QColor(128, 128, 255));

    // Fonts: "Times New Roman" at the designed size, bold where designed.
    QCOMPARE(form->Command1->font().family(), QStringLiteral("Times New Roman"));
    QCOMPARE(form->Command1->font().pointSizeF(), 14.25);
    QCOMPARE(form->txtXMAX->font().pointSizeF(), 9.0);
    QVERIFY(form->txtXMAX->font().bold());
    QVERIFY(form->txtLinks->font().bold());
    QVERIFY(!form->txtHilfe->font().bold());
    QCOMPARE(form->Command2->font().pointSizeF(), 8.25);  // the window's default font

    // Read-only boxes, and boxes that take typing.
    for (QLineEdit* box : {form->txtStart, form->txtXMIN, form->txtXMAX, form->Text2}) QVERIFY(box->isReadOnly());
    for (QLineEdit* box : {form->txtVon, form->txtBis, form->txtLinks, form->txtStop, form->Text1})
      QVERIFY(!box->isReadOnly());
    QTest::keyClicks(form->txtXMIN, "7");
    QCOMPARE(form->txtXMIN->text(), QStringLiteral("0"));

    // A long number shows from its start.
    form->txtLinks->setText(" 2.24500002861023");
    QCOMPARE(form->txtLinks->cursorPosition(), 0);

    // Alignment.
    QVERIFY(form->txtRechts->alignment() & Qt::AlignRight);
    QVERIFY(form->txtHilfe->alignment() & Qt::AlignHCenter);
    QVERIFY(form->txtLinks->alignment() & Qt::AlignLeft);

    // txtVorlauf lies in front of the check box it shares its place with;
    // the surface and the limit boxes cover the axis marks.
    QCOMPARE(form->Picture2->childAt(form->txtVorlauf->geometry().center()), form->txtVorlauf);
    const QObjectList& stack = form->window.centralWidget()->children();  // bottom first
    for (QObject* mark : {form->Shape1, form->Shape2})
      for (QObject* cover : {static_cast<QObject*>(form->picAusgabe), static_cast<QObject*>(form->txtLinks),
                             static_cast<QObject*>(form->txtRechts)})
        QVERIFY(stack.indexOf(mark) < stack.indexOf(cover));
  }

  // Every caption and text box shows its whole design text: the room a line
  // edit draws in is its contents rectangle less its text margins and the
  // two pixels it keeps free on each side.
  void everyTextFitsItsBox() {
    auto form = window();
    QStringList clipped;
    for (QLineEdit* box : form->window.centralWidget()->findChildren<QLineEdit*>()) {
      QStyleOptionFrame option;
      option.initFrom(box);
      option.lineWidth = box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box) : 0;
      const QRect contents = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box);
      const QMargins margins = box->textMargins();
      const int room = contents.width() - margins.left() - margins.right() - 2 * 2;
      const qreal needs = QFontMetricsF(box->font()).horizontalAdvance(box->text());
      if (needs > room)
        clipped << QString("%1 \"%2\": %3 px in %4").arg(box->objectName(), box->text()).arg(needs).arg(room);
    }
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join("; ")));
  }

  // The two panels have the desktop's window colour, like the caption boxes
  // and option buttons that stand on them.
  void panelsHaveTheWindowColour() {
    auto form = window();
    const QImage shot = form->window.centralWidget()->grab().toImage();
    const QColor windowColour = form->window.palette().color(QPalette::Base);
    QCOMPARE(windowColour, QColor(Qt::white));  // on a default desktop
    // Bare spots: beside the option buttons, below the start-value scroll bar.
    const std::pair<QWidget*, QPoint> bare[] = {{form->Picture1, {470, 90}}, {form->Picture2, {5, 90}}};
    for (auto [panel, spot] : bare) {
      const QPoint at = panel->mapTo(form->window.centralWidget(), spot) * shot.devicePixelRatio();
      QCOMPARE(shot.pixelColor(at), windowColour);
    }
  }

  // The toolkit's own texts speak German, like the rest of the window.
  void toolkitTextsAreGerman() {
    auto form = window();
    const std::unique_ptr<QMenu> menu(form->txtVon->createStandardContextMenu());
    QStringList texts;
    for (QAction* action : menu->actions()) texts << action->text().section('\t', 0, 0);
    QVERIFY2(texts.contains(QStringLiteral("Alles auswählen")), qPrintable(texts.join(" | ")));
  }

  // The keyboard: the focus starts on the drawing surface, which has no use
  // for Space or the arrows; Tab and Shift+Tab walk the table's order, the
  // two option buttons one stop on the selected one, whose arrows move
  // between them.
  void keyboardFollowsTheTabColumn() {
    auto form = window();
    Form1Probe& f = *form;
    QApplication::setActiveWindow(&f.window);
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    QCOMPARE(QApplication::focusWidget(), f.picAusgabe);
    for (Qt::Key key : {Qt::Key_Space, Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down})
      QTest::keyClick(QApplication::focusWidget(), key);
    QVERIFY(f.optR->isChecked());
    QVERIFY(!f.optV->isChecked());
    QCOMPARE(QApplication::focusWidget(), f.picAusgabe);

    const QStringList order = {
        "picAusgabe", "txtLinks",   "txtRechts", "txtp",     "txtY",     "txtHilfe", "Command2",  "Command3",
        "Command4",   "Text1",      "Command5",  "Command6", "txtStop",  "Command7", "optR",      "chkVorlauf",
        "Command1",   "txtVorlauf", "Text4",     "txtVon",   "Text5",    "txtBis",   "txtStart",  "Text2",
        "HScroll1",   "Text3",      "txtXMAX",   "txtXMIN",  "Command8", "Command9", "Command10", "Command11"};
    auto walk = [&](Qt::Key key, Qt::KeyboardModifiers modifiers) {
      QStringList seen;
      for (qsizetype i = 0; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        seen << QApplication::focusWidget()->objectName();
      }
      return seen;
    };
    QCOMPARE(walk(Qt::Key_Tab, Qt::NoModifier), order.mid(1) + order.mid(0, 1));
    QStringList backwards(order.rbegin(), order.rend());
    QCOMPARE(walk(Qt::Key_Backtab, Qt::ShiftModifier), backwards);

    // With Verhulst's form selected, the stop is optV; the arrows move to
    // optR and select it, as desktop option groups do.
    f.optV->setChecked(true);
    f.Command7->setFocus(Qt::TabFocusReason);
    QTest::keyClick(f.Command7, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), f.optV);
    QTest::keyClick(f.optV, Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), f.optR);
    QVERIFY(f.optR->isChecked());
  }

  // Buttons with a colour of their own show exactly that colour, read back
  // from the rendered button away from its text; "1" and "2" keep the
  // standard face.
  void buttonsInTheirColours() {
    auto form = window();
    Form1Probe& f = *form;
    const std::pair<QPushButton*, QRgb> coloured[] = {
        {f.Command1, 0xFFFFFFC0},  {f.Command2, 0xFFFFFFC0},  {f.Command7, 0xFFFFFFC0},
        {f.Command8, 0xFFFFFFC0},  {f.Command11, 0xFFFFFFC0}, {f.Command9, 0xFFC0FFFF},
        {f.Command10, 0xFFFF8000}, {f.Command5, 0xFFFF8080},  {f.Command6, 0xFFC0C0FF}};
    for (auto [button, colour] : coloured) {
      const QImage face = button->grab().toImage();
      const double dpr = face.devicePixelRatio();
      const int w = button->width(), h = button->height();
      for (QPoint at : {QPoint(3, 3), QPoint(w - 4, 3), QPoint(3, h - 4), QPoint(w - 4, h - 4), QPoint(3, h / 2)})
        QVERIFY2(face.pixel(int(at.x() * dpr), int(at.y() * dpr)) == colour,
                 qPrintable(QString("%1 at %2,%3: %4")
                                .arg(button->objectName())
                                .arg(at.x())
                                .arg(at.y())
                                .arg(face.pixel(int(at.x() * dpr), int(at.y() * dpr)), 8, 16)));
    }
    for (QPushButton* standard : {f.Command3, f.Command4})
      QCOMPARE(standard->palette().button().color(), QApplication::palette().button().color());
  }

  // The thumb stands out from the trough, and a click anywhere in the trough,
  // on either side of the thumb, steps the value by one towards the click.
  void scrollBarTroughStepsByOne() {
    auto form = window();
    QScrollBar* bar = form->HScroll1;
    for (int value : {1, 10, 50, 99}) {
      bar->setValue(value);
      QStyleOptionSlider option;
      option.initFrom(bar);
      option.orientation = Qt::Horizontal;
      option.minimum = bar->minimum();
      option.maximum = bar->maximum();
      option.sliderPosition = option.sliderValue = value;
      option.singleStep = bar->singleStep();
      option.pageStep = bar->pageStep();
      option.subControls = QStyle::SC_All;
      auto rect = [&](QStyle::SubControl part) {
        return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, bar);
      };
      const QRect thumb = rect(QStyle::SC_ScrollBarSlider), below = rect(QStyle::SC_ScrollBarSubPage),
                  above = rect(QStyle::SC_ScrollBarAddPage);
      const QImage picture = bar->grab().toImage();
      const double dpr = picture.devicePixelRatio();
      auto pixel = [&](QPoint at) { return picture.pixel(int(at.x() * dpr), int(at.y() * dpr)); };
      const QRect trough = value < 50 ? above : below;
      QVERIFY(pixel(thumb.center()) != pixel(trough.center()));
      QVERIFY2(value == 1 || below.width() >= 3, qPrintable(QString::number(value)));
      QVERIFY2(value == 99 || above.width() >= 3, qPrintable(QString::number(value)));
      for (auto [part, step] : {std::pair{below, -1}, std::pair{above, 1}})
        for (double along : {0.2, 0.5, 0.8}) {
          if (part.width() < 3) continue;
          bar->setValue(value);
          const QPoint at(part.left() + int(along * (part.width() - 1)), part.center().y());
          QTest::mouseClick(bar, Qt::LeftButton, {}, at);
          QCOMPARE(bar->value(), value + step);
        }
    }
  }

  // The text boxes with a frame have a sunken one: darker on the upper and
  // left edges than on the lower and right ones; the flat boxes have a
  // plain line of one colour.
  void sunkenAndFlatFrames() {
    auto form = window();
    Form1Probe& f = *form;
    auto edges = [](QLineEdit* box) {
      const QImage picture = box->grab().toImage();
      const double dpr = picture.devicePixelRatio();
      const int y = int(box->height() / 2 * dpr);
      return std::pair{QColor(picture.pixel(0, y)).lightness(),
                       QColor(picture.pixel(picture.width() - 1, y)).lightness()};
    };
    for (QLineEdit* sunken : {f.txtVon, f.txtBis, f.txtVorlauf, f.txtStart, f.Text1}) {
      const auto [left, right] = edges(sunken);
      QVERIFY2(left < right, qPrintable(sunken->objectName()));
    }
    for (QLineEdit* flat : {f.txtStop, f.txtLinks, f.txtRechts}) {
      const auto [left, right] = edges(flat);
      QVERIFY2(left == right, qPrintable(flat->objectName()));
    }
  }

  // Lines and shapes cover the device pixels of their logical pixel, on a
  // desktop scaled to 200 % as on a plain one.
  void linesOnTheirPixels() {
    auto form = window();
    Form1Probe& f = *form;
    moveOn(f, 1.5, 0.75);  // the crosshair to the middle of the picture
    const QImage picture = f.picAusgabe->grab().toImage();
    const int dpr = int(picture.devicePixelRatio());
    const int x = int(std::floor(f.Line1->p1().x())), y = int(std::floor(f.Line2->p1().y()));
    const QRgb line1 = f.Line1->colour().rgb(), line2 = f.Line2->colour().rgb();
    const int row = 100 * dpr, col = 600 * dpr;  // away from the other line and the boxes
    for (int d = -1; d <= dpr; ++d) {
      const bool inside = d >= 0 && d < dpr;
      QCOMPARE(picture.pixel(x * dpr + d, row) == line1, inside);
      QCOMPARE(picture.pixel(col, y * dpr + d) == line2, inside);
    }
  }

  // A screen reader can name every control: its caption or its help sentence.
  void everyControlHasANameToSpeak() {
    auto form = window();
    const auto controls = form->window.centralWidget()->findChildren<QWidget*>();
    int named = 0;
    for (QWidget* w : controls) {
      if (w->objectName().isEmpty() || w->objectName().startsWith("qt_")) continue;  // the toolkit's own parts
      QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
      ++named;
    }
    QCOMPARE(named, 43);
    QCOMPARE(form->Command10->accessibleName(), QStringLiteral("voriges Fenster wiederherstellen"));
    QCOMPARE(form->Command1->accessibleName(), QStringLiteral("Start"));
    QCOMPARE(form->txtStop->accessibleName(), QStringLiteral("Pause, 1 hält an"));
  }

  // The layout table is the one list of controls: every control the help
  // line or a screen reader names has exactly one row, and each row made
  // exactly one control of the window.
  void oneRowPerControl() {
    auto form = window();
    QMap<QString, int> rows;
    for (const layout::Row& row : layout::rows()) ++rows[QString::fromLatin1(row.name)];
    for (auto [name, count] : rows.asKeyValueRange()) {
      QVERIFY2(count == 1, qPrintable(name));
      QCOMPARE(form->window.centralWidget()->findChildren<QWidget*>(name).size(), 1);
    }
    for (QWidget* w : form->window.centralWidget()->findChildren<QWidget*>()) {
      if (w->objectName().isEmpty() || w->objectName().startsWith("qt_")) continue;  // the toolkit's own parts
      QVERIFY2(rows.contains(w->objectName()), qPrintable(w->objectName()));
    }
  }

  void menuCommandsActOnOneClick() {
    auto form = window();
    QMenuBar* bar = form->window.menuBar();
    QCOMPARE(bar->actions().size(), 2);
    QCOMPARE(bar->actions()[0]->text(), QStringLiteral("Startfenster"));
    QCOMPARE(bar->actions()[1]->text(), QStringLiteral("Programm beenden"));
    QVERIFY(!bar->actions()[0]->menu() && !bar->actions()[1]->menu());
    form->txtLinks->setText("7");
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(form->cmdStart).center());
    QCOMPARE(form->txtLinks->text(), QStringLiteral("0"));
    QVERIFY(!QApplication::activePopupWidget());
  }

  void startUpFillsTheState() {
    auto form = window();
    QCOMPARE(form->fenster.links, 0.0);
    QCOMPARE(form->fenster.rechts, 3.0);
    QCOMPARE(form->fenster.xMin, 0.0);
    QCOMPARE(form->fenster.xMax, 1.5);
    QCOMPARE(form->alt.links, 0.0);
    QCOMPARE(form->alt.rechts, 3.0);
    QCOMPARE(form->alt.xMin, 0.0);
    QCOMPARE(form->alt.xMax, 1.5);
    QCOMPARE(form->strich(), std::int16_t(1));
    QCOMPARE(form->auswahlAktiv, 0);
    QCOMPARE(form->Line1->x1(), 0.0);
    QCOMPARE(form->picAusgabe->childLeft(form->txtp), 0.0);
  }

  // "Programm beenden" while a sweep is paused: the sweep never resumes.
  void endingAbandonsAPausedSweep() {
    auto form = window();
    int yields = 0;
    const auto yieldHook = forms::setDoEventsHook([&] {
      ++yields;
      if (yields == 5) click(form->Command5);
      if (yields == 10) form->end->trigger();
    });
    click(form->Command1);
    QVERIFY(form->beendet);
    QVERIFY(form->spalte < 10);
    QVERIFY(!form->window.isVisible());
  }

  void closingFromTheTitleBarEndsTheSweep() {
    auto form = window();
    const auto atTheYield = atYield(20, [&] { form->window.close(); });
    click(form->Command1);
    QVERIFY(form->beendet);
    QVERIFY(form->spalte < 30);
  }
};

QTEST_MAIN(TestApp)
#include "test_app.moc"
