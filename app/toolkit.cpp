// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/toolkit.h"

#include <qdrawutil.h>

#include <QApplication>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTranslator>

#include "forms/runtime.h"

namespace {

// Fusion, with the classic looks the window is laid out for:
// - a push button with a colour of its own is a flat face of exactly that
//   colour with a light bevel (sunk while pressed); the others keep the
//   standard face;
// - a text box with a frame has a sunken one, unlike the flat boxes, which
//   draw their own plain line;
// - the scroll bar's thumb is small and darker than the trough, so that the
//   value shows and the trough is there to click on either side; every
//   click in the trough moves the value by one step, as an arrow does.
class Look : public QProxyStyle {
 public:
  Look() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* answer) const override {
    if (hint == SH_ScrollBar_MiddleClickAbsolutePosition || hint == SH_ScrollBar_LeftClickAbsolutePosition) return 0;
    return QProxyStyle::styleHint(hint, option, widget, answer);
  }

  int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
    if (metric == PM_ScrollBarSliderMin) return 6;
    return QProxyStyle::pixelMetric(metric, option, widget);
  }

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
    if (element == PE_PanelButtonCommand && coloured(option)) {
      const bool down = option->state & (State_Sunken | State_On);
      QPalette bevel = option->palette;
      bevel.setColor(QPalette::Light, option->palette.button().color().lighter(115));
      qDrawShadePanel(painter, option->rect, bevel, down, 1, &option->palette.button());
      if (option->state & State_HasFocus) {
        painter->save();
        painter->setPen(option->palette.highlight().color());
        painter->drawRect(QRectF(option->rect).adjusted(1.5, 1.5, -1.5, -1.5));
        painter->restore();
      }
      return;
    }
    if (element == PE_FrameLineEdit && qobject_cast<const QLineEdit*>(widget)) {
      qDrawWinPanel(painter, option->rect, option->palette, true);
      return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
  }

  void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                          const QWidget* widget) const override {
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    if (control != CC_ScrollBar) return;
    const QRect thumb = subControlRect(control, option, SC_ScrollBarSlider, widget);
    if (thumb.isEmpty()) return;
    painter->save();
    painter->setPen(option->palette.color(QPalette::Shadow));
    painter->setBrush(option->palette.color(QPalette::Mid));
    painter->drawRect(QRectF(thumb).adjusted(0.5, 0.5, -0.5, -0.5));
    painter->restore();
  }

 private:
  // A face colour of the button's own, not the standard one.
  static bool coloured(const QStyleOption* option) {
    return option->palette.button().color() != QApplication::palette().button().color();
  }
};

}  // namespace

void setUpToolkit() {
  static bool done = false;
  if (done) return;
  done = true;
  QApplication::setStyle(new Look);
  QString translations = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#if defined(Q_OS_WIN)
  // The layout is made for "Times New Roman"; a Windows desk without it gets
  // the metric twin that comes in the program's folder.
  if (!QFontDatabase::families().contains(QStringLiteral("Times New Roman"))) {
    const QString fonts = QCoreApplication::applicationDirPath() + QStringLiteral("/fonts/");
    for (const char* file : {"LiberationSerif-Regular.ttf", "LiberationSerif-Bold.ttf"})
      QFontDatabase::addApplicationFont(fonts + QLatin1String(file));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
  }
#elif defined(Q_OS_WASM)
  // A page has no fonts of the system: the Linux desktop's come with it as
  // resources (see cmake/web.cmake), and so do Qt's German texts.
  for (const char* file : {"LiberationSerif-Regular.ttf", "LiberationSerif-Bold.ttf", "LiberationSerif-Italic.ttf",
                           "LiberationSans-Regular.ttf"})
    QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/") + QLatin1String(file));
  QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
  QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));  // as Qt on a plain Linux desktop
  translations = QStringLiteral(":/translations");
  forms::setUpPage();
#endif
  // Qt's own German texts, where the system has them; English otherwise.
  auto* german = new QTranslator(qApp);
  if (german->load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"), QStringLiteral("_"),
                   translations))
    QCoreApplication::installTranslator(german);
}
