// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The table of the controls and the loop that turns its rows into widgets;
// nothing else in the program creates a control.
#include "app/layout.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleOptionFrame>
#include <algorithm>
#include <cmath>
#include <vector>

#include "app/artwork.h"
#include "app/form1.h"
#include "forms/overlays.h"
#include "forms/picturebox.h"
#include "forms/runtime.h"

namespace layout {

#define M(name) &Ui::Form1::name, #name

// clang-format off
const std::vector<Row>& rows() {
  static const std::vector<Row> table = {
    {M(Picture1),   In::W,  nullptr,              480,  120, 7215, 1455, kWindowBack, kWindowText, 0, 0, 15,
     nullptr, "Die beiden Formen der Iteration"},
    {M(optV),       In::P1, nullptr,             6720,  120,  255,  435, kWhite, kBlack, 12, 0, 16,
     "Darstellung von Verhulst, variabler Fixpunkt", nullptr},
    {M(optR),       In::P1, nullptr,             6720,  600,  375,  615, kWhite, kBlack, 12, Selected, 17,
     "Iteration Logistisches Wachstum, relative Bestände, Grenzbestand ist 1", nullptr},
    {M(Picture2),   In::W,  nullptr,             7680,  120, 4815, 1455, kWindowBack, kWindowText, 0, 0, 18,
     nullptr, "Eingaben"},
    {M(Text2),      In::P2, "Startwert",          120,  120,  975,  525, kDefault, kDefault, 9.75, ReadOnly | Center | Caption, 27,
     "Startwert für X", nullptr},
    {M(txtStart),   In::P2, "0.1",                120,  600,  975,  330, kLightYellow, kDefault, 9.75, ReadOnly | Center, 26,
     nullptr, "Startwert"},
    {M(HScroll1),   In::P2, nullptr,              120,  960,  975,  270, kDefault, kDefault, -1, 0, 28,
     nullptr, "Startwert wählen"},
    {M(Line3),      In::P2, nullptr,             1200,    0, 1200, 1320, kDefault, kWindowText, -1, 0, -1,
     nullptr, "Trennlinie"},
    {M(Text3),      In::P2, "X  von..    bis..", 1320,    0, 1095,  285, kDefault, kDefault, 8.25, NoBorder | Caption, 29,
     nullptr, "X von, bis"},
    {M(txtXMIN),    In::P2, "0",                 1320,  240,  615,  315, kNavy, kWhite, 9, ReadOnly | Center | Bold, 31,
     nullptr, "X von"},
    {M(txtXMAX),    In::P2, "1.5",               1920,  240,  615,  315, kNavy, kWhite, 9, ReadOnly | Center | Bold, 30,
     nullptr, "X bis"},
    {M(Command8),   In::P2, "Fenster",           1320,  600,  855,  345, kLightYellow, kDefault, 8.25, 0, 32,
     "Fenster zur maßstabstreuen Vergrößerung wählen", nullptr},
    {M(Command11),  In::P2, "X",                 2160,  600,  375,  345, kLightYellow, kDefault, 8.25, 0, 35,
     "abbrechen von Vergrößerungsfenster wählen", nullptr},
    {M(Command9),   In::P2, "max",               1320,  960,  495,  345, kLightCyan, kDefault, 9, 0, 33,
     "Startfenster wiederherstellen", nullptr},
    {M(Command10),  In::P2, "zurück",            1800,  960,  735,  345, 0xFFFF8000, kDefault, 9, 0, 34,
     "voriges Fenster wiederherstellen", nullptr},
    {M(Line4),      In::P2, nullptr,             2640,    0, 2640, 1320, kDefault, kWindowText, -1, 0, -1,
     nullptr, "Trennlinie"},
    {M(Command1),   In::P2, "Start",             2760,  120,  975,  495, kLightYellow, kDefault, 14.25, 0, 20,
     "Darstellung start, Punkte werden gesetzt ab Iteration ", "Start"},
    {M(Text4),      In::P2, "von",               3840,  120,  255,  285, kDefault, kDefault, 9, NoBorder | Right | Caption, 22,
     nullptr, "von"},
    {M(txtVon),     In::P2, "100",               4200,  120,  495,  285, kLightYellow, kDefault, 8.25, 0, 23,
     "Anzahl der Iterationen bevor gezeichnet wird, direkt hier eingeben", nullptr},
    {M(Text5),      In::P2, "bis",               3840,  360,  255,  285, kDefault, kDefault, 9, NoBorder | Right | Caption, 24,
     nullptr, "bis"},
    {M(txtBis),     In::P2, "200",               4200,  360,  495,  285, kLightYellow, kDefault, 8.25, 0, 25,
     "Gesamtzahl der Iterationen für jedes p direkt hier eingeben", nullptr},
    {M(chkVorlauf), In::P2, "mit den ersten ",   2760,  720, 1935,  495, kLightYellow, kDefault, 9.75, Selected, 19,
     "Den Anfang der Bestandsfolge zeigen", nullptr},
    {M(txtVorlauf), In::P2, "12",                4200,  840,  495,  285, kDefault, kDefault, 9.75, Center, 21,
     nullptr, "Anzahl der ersten Iterationen"},
    {M(Command7),   In::W,  "i",                  240,  120,  255,  570, kLightYellow, kDefault, 8.25, 0, 13,
     nullptr, "Programmiert von"},
    {M(Command5),   In::W,  "S",                12480,  120,  255,  615, 0xFFFF8080, kDefault, 8.25, 0, 10,
     "Ausführung unterbrechen, mit 'W' weiterrechnen", nullptr},
    {M(txtStop),    In::W,  "0",                12480,  720,  255,  285, kLightCyan, kDefault, 8.25, Flat | Center, 12,
     nullptr, "Pause, 1 hält an"},
    {M(Command6),   In::W,  "W",                12480,  960,  255,  495, 0xFFC0C0FF, kDefault, 8.25, 0, 11,
     "Weiterrechnen", nullptr},
    {M(Command4),   In::W,  "2",                12480, 1680,  255,  255, kDefault, kDefault, 9, 0, 8,
     "Strichstärke für den Feigenbaum", nullptr},
    {M(Command3),   In::W,  "1",                12480, 1920,  255,  255, kDefault, kDefault, 9, 0, 7,
     "Strichstärke für den Feigenbaum", nullptr},
    {M(Text1),      In::W,  "1",                12480, 2160,  255,  285, kDefault, kDefault, 9, Center, 9,
     nullptr, "Strichstärke"},
    {M(picAusgabe), In::W,  nullptr,              480, 1680, 12000, 7200, kNavy, kWindowText, 0, 0, 0,
     nullptr, "Feigenbaum-Diagramm"},
    {M(Command2),   In::PA, "x",                11640,    0,  375,  375, kLightYellow, kDefault, 0, 0, 6,
     "Bildschirm löschen", nullptr},
    {M(txtY),       In::PA, "",                     0, 3720,  615,  315, kNavy, kWhite, 9.75, Flat, 4,
     nullptr, "X unter dem Mauszeiger"},
    {M(txtp),       In::PA, "I",                  480, 6840,  855,  195, kNavy, kWhite, 9.75, NoBorder, 3,
     nullptr, "p unter dem Mauszeiger"},
    {M(shpAuswahl), In::PA, nullptr,             3120, 1320, 6000, 3750, kDefault, kWhite, -1, Hidden, -1,
     nullptr, "Vergrößerungsfenster"},
    {M(Line1),      In::PA, nullptr,              240, 7335,  240,    0, kDefault, 0xFFFFFF80, -1, 0, -1,
     nullptr, "Spalte"},
    {M(Label2),     In::PA, "p",                10800, 6840,  135,  375, kNavy, kWhite, 12, 0, 14,
     nullptr, "p"},
    {M(Line2),      In::PA, nullptr,              360, 3960, 12000, 3960, kDefault, 0xFF8080FF, -1, 0, -1,
     nullptr, "Fadenkreuz"},
    {M(txtLinks),   In::W,  "0",                  480, 8880,  975,  375, kNavy, kWhite, 12, Flat | Bold, 1,
     "linke Intervallgrenze für p", nullptr},
    {M(txtHilfe),   In::W,  "Hilfe",             1440, 8880, 10095,  405, kLightYellow, kDefault, 12, Center, 5,
     nullptr, "Hilfe"},
    {M(txtRechts),  In::W,  "3",                11520, 8880,  975,  375, kNavy, kWhite, 12, Flat | Bold | Right, 2,
     "rechte Intervallgrenze für p", nullptr},
    // The two marks at the ends of the p axis: red like the grid.
    {M(Shape1),     In::W,  nullptr,              360, 8640,  135,  615, 0xFF800000, kWindowText, -1, 0, -1,
     nullptr, "linkes Ende der p-Achse"},
    {M(Shape2),     In::W,  nullptr,            12480, 8640,  135,  615, 0xFF800000, kWindowText, -1, 0, -1,
     nullptr, "rechtes Ende der p-Achse"},
  };
  return table;
}
// clang-format on

QWidget* widget(const Ui::Form1& ui, const Row& row) {
  return std::visit([&](auto member) -> QWidget* { return ui.*member; }, row.member);
}

}  // namespace layout

namespace {

using forms::twips;
using namespace layout;

QColor color(QRgb value, const QWidget* window) {
  if (value == kWindowText) return window->palette().color(QPalette::Text);
  if (value == kWindowBack) return window->palette().color(QPalette::Base);
  return QColor::fromRgba(value);
}

// A caption shows its whole text: a line edit keeps two pixels free on each
// side of its text, which a caption does without, and a text still wider
// than the box reaches past the box's edge into the free panel beside it,
// on the side away from its alignment.
void fitCaption(QLineEdit* box) {
  box->setTextMargins(-2, 0, -2, 0);
  QStyleOptionFrame option;
  option.initFrom(box);
  option.lineWidth = box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box) : 0;
  const int room = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box).width();
  const int over = int(std::ceil(QFontMetricsF(box->font()).horizontalAdvance(box->text()))) - room;
  if (over <= 0) return;
  const Qt::Alignment alignment = box->alignment();
  const int left = alignment & Qt::AlignRight ? over : alignment & Qt::AlignHCenter ? (over + 1) / 2 : 0;
  box->setGeometry(box->geometry().adjusted(-left, 0, over - left, 0));
}

}  // namespace

void Form1::createControls() {
  setWindowTitle(QStringLiteral("Varnoskel"));
  setWindowIcon(smileyIcon());
  QFont windowFont = QApplication::font();
  windowFont.setPointSizeF(8.25);
  setFont(windowFont);

  ui.cmdStart = menuBar()->addAction(QStringLiteral("Startfenster"));
  ui.end = menuBar()->addAction(QStringLiteral("Programm beenden"));
  ui.cmdStart->setObjectName(QStringLiteral("cmdStart"));
  ui.end->setObjectName(QStringLiteral("end"));

  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("Form1"));
  client->setFixedSize(twips(13035), twips(9360));
  setCentralWidget(client);
  layout()->setSizeConstraint(QLayout::SetFixedSize);

  std::vector<std::pair<int, QWidget*>> keyboardOrder;
  for (const Row& row : rows()) {
    QWidget* parent = row.in == In::P1   ? static_cast<QWidget*>(ui.Picture1)
                      : row.in == In::P2 ? static_cast<QWidget*>(ui.Picture2)
                      : row.in == In::PA ? static_cast<QWidget*>(ui.picAusgabe)
                                         : client;
    auto* surface = qobject_cast<forms::PictureBox*>(parent);
    const QString text = QString::fromUtf8(row.text ? row.text : "");
    const QRect geometry(twips(row.left), twips(row.top), twips(row.width), twips(row.height));

    QWidget* widget = std::visit(
        [&](auto member) -> QWidget* {
          using T = std::remove_pointer_t<std::remove_reference_t<decltype(ui.*member)>>;
          T* control;
          if constexpr (std::is_same_v<T, forms::LineShape>) {
            control =
                new forms::LineShape(parent, surface, row.left, row.top, row.width, row.height, color(row.fore, this));
          } else if constexpr (std::is_same_v<T, forms::RectShape>) {
            control = new forms::RectShape(parent, surface, color(row.fore, this),
                                           row.back ? color(row.back, this) : QColor());
            control->setGeometry(geometry);
          } else {
            control = new T(parent);
            control->setGeometry(geometry);
          }
          ui.*member = control;
          return control;
        },
        row.member);
    widget->setObjectName(QString::fromLatin1(row.name));
    if (row.flags & Hidden) widget->hide();

    QPalette palette = widget->palette();
    if (row.back) {
      const QColor back = color(row.back, this);
      for (auto role : {QPalette::Base, QPalette::Button, QPalette::Window}) palette.setColor(role, back);
      widget->setAutoFillBackground(true);
    }
    if (row.fore) {
      const QColor fore = color(row.fore, this);
      for (auto role : {QPalette::Text, QPalette::ButtonText, QPalette::WindowText}) palette.setColor(role, fore);
    }
    widget->setPalette(palette);

    if (row.points > 0) {
      QFont font(QStringLiteral("Times New Roman"));
      font.setPointSizeF(row.points);
      font.setWeight(row.flags & Bold ? QFont::Bold : QFont::Normal);
      widget->setFont(font);
    }

    if (auto* box = qobject_cast<QLineEdit*>(widget)) {
      box->setText(text);
      box->setReadOnly(row.flags & ReadOnly);
      box->setAlignment((row.flags & Center  ? Qt::AlignHCenter
                         : row.flags & Right ? Qt::AlignRight
                                             : Qt::AlignLeft) |
                        Qt::AlignVCenter);
      if (row.flags & NoBorder) box->setFrame(false);
      if (row.flags & Caption) fitCaption(box);
      // A number the program writes shows from its first digit, even where it
      // is wider than the box; the user's own typing scrolls as usual.
      QObject::connect(box, &QLineEdit::textChanged, box, [box] {
        if (!box->hasFocus()) box->setCursorPosition(0);
      });
      if (row.flags & Flat)
        box->setStyleSheet(
            QStringLiteral("QLineEdit { border: 1px solid %1; padding: 0px; color: %1; background: %2; }")
                .arg(palette.color(QPalette::Text).name(), palette.color(QPalette::Base).name()));
    } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
      button->setText(text);
    } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
      check->setText(text);
      check->setChecked(row.flags & Selected);
    } else if (auto* option = qobject_cast<QRadioButton*>(widget)) {
      option->setChecked(row.flags & Selected);
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
      label->setText(text);
    } else if (auto* surfaceControl = qobject_cast<forms::PictureBox*>(widget)) {
      surfaceControl->setBackColor(palette.color(QPalette::Window));
      surfaceControl->setForeColor(palette.color(QPalette::WindowText));
    }
    if (row.tab >= 0) keyboardOrder.emplace_back(row.tab, widget);
  }

  ui.HScroll1->setOrientation(Qt::Horizontal);
  ui.HScroll1->setRange(1, 99);
  ui.HScroll1->setSingleStep(1);
  ui.HScroll1->setPageStep(1);
  ui.HScroll1->setValue(10);
  ui.HScroll1->setFocusPolicy(Qt::StrongFocus);  // a stop in the keyboard order, moved by the arrow keys
  ui.Picture1->paintPicture(formulaImage(ui.Picture1->devicePixelRatioF()));
  ui.txtVorlauf->raise();  // it sits on the end of the check box's caption

  // The drawing surface is the first stop of the keyboard and has the focus
  // at start-up; it has no use for keys and passes them on. The panels and
  // the label take no focus: they have nothing a key could do.
  ui.picAusgabe->setFocusPolicy(Qt::StrongFocus);
  for (QWidget* w :
       {static_cast<QWidget*>(ui.Picture1), static_cast<QWidget*>(ui.Picture2), static_cast<QWidget*>(ui.Label2)})
    w->setFocusPolicy(Qt::NoFocus);
  std::sort(keyboardOrder.begin(), keyboardOrder.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  QWidget* previous = nullptr;
  for (const auto& [tab, widget] : keyboardOrder) {
    if (widget->focusPolicy() == Qt::NoFocus) continue;
    if (previous) QWidget::setTabOrder(previous, widget);
    previous = widget;
  }
  ui.picAusgabe->setFocus();
}
