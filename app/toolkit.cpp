#include "app/toolkit.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QTranslator>

namespace {

// Fusion paints the layout's button colours on every platform. Its scroll
// bars jump to the pointer on a middle click in the trough; here every click
// there moves the value by one step, as the start-value bar is meant to.
class Look : public QProxyStyle {
 public:
  Look() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* answer) const override {
    if (hint == SH_ScrollBar_MiddleClickAbsolutePosition || hint == SH_ScrollBar_LeftClickAbsolutePosition) return 0;
    return QProxyStyle::styleHint(hint, option, widget, answer);
  }
};

}  // namespace

void setUpToolkit() {
  static bool done = false;
  if (done) return;
  done = true;
  QApplication::setStyle(new Look);
  // Qt's own German texts, where the system has them; English otherwise.
  auto* german = new QTranslator(qApp);
  if (german->load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"), QStringLiteral("_"),
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(german);
}
