// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The loop that turns the rows of the layout table (app/layout.cpp) into the
// window's controls; nothing else in the program creates a control.
#include "app/controls.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleOptionFrame>
#include <algorithm>
#include <cmath>
#include <vector>

#include "app/artwork.h"
#include "app/layout.h"
#include "forms/overlays.h"
#include "forms/picturebox.h"
#include "forms/runtime.h"
#include "orbits/start.h"

QWidget* layout::widget(const Ui::Form1& ui, const Row& row) {
  return std::visit([&](auto member) -> QWidget* { return ui.*member; }, row.member);
}

namespace {

using forms::twips;
using namespace layout;

QColor colour(QRgb value, const QWidget* window) {
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

Ui::Form1 createControls(QMainWindow& window) {
  Ui::Form1 ui;
  window.setWindowTitle(QStringLiteral("Varnoskel"));
  window.setWindowIcon(smileyIcon());
  QFont windowFont = QApplication::font();
  windowFont.setPointSizeF(8.25);
  window.setFont(windowFont);

  ui.cmdStart = window.menuBar()->addAction(QStringLiteral("Startfenster"));
  ui.end = window.menuBar()->addAction(QStringLiteral("Programm beenden"));
  ui.cmdStart->setObjectName(QStringLiteral("cmdStart"));
  ui.end->setObjectName(QStringLiteral("end"));

  auto* client = new QWidget(&window);
  client->setObjectName(QStringLiteral("Form1"));
  client->setFixedSize(twips(13035), twips(9360));
  window.setCentralWidget(client);
  window.layout()->setSizeConstraint(QLayout::SetFixedSize);

  std::vector<std::pair<int, QWidget*>> keyboardOrder;
  for (const Row& row : rows()) {
    QWidget* parent = row.in == In::P1   ? static_cast<QWidget*>(ui.Picture1)
                      : row.in == In::P2 ? static_cast<QWidget*>(ui.Picture2)
                      : row.in == In::PA ? static_cast<QWidget*>(ui.picAusgabe)
                                         : client;
    auto* surface = qobject_cast<forms::PictureBox*>(parent);
    const QString& text = row.text;
    const QRect geometry(twips(row.left), twips(row.top), twips(row.width), twips(row.height));

    QWidget* widget = std::visit(
        [&](auto member) -> QWidget* {
          using T = std::remove_pointer_t<std::remove_reference_t<decltype(ui.*member)>>;
          T* control;
          if constexpr (std::is_same_v<T, forms::LineShape>) {
            control = new forms::LineShape(parent, surface, row.left, row.top, row.width, row.height,
                                           colour(row.fore, &window));
          } else if constexpr (std::is_same_v<T, forms::RectShape>) {
            control = new forms::RectShape(parent, surface, colour(row.fore, &window),
                                           row.back ? colour(row.back, &window) : QColor());
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
      const QColor back = colour(row.back, &window);
      for (auto role : {QPalette::Base, QPalette::Button, QPalette::Window}) palette.setColor(role, back);
      widget->setAutoFillBackground(true);
    }
    if (row.fore) {
      const QColor fore = colour(row.fore, &window);
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
  ui.HScroll1->setValue(orbits::kStartHundertstel);
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
  return ui;
}
