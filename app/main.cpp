#include <QApplication>

#include "app/form1.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QGuiApplication::setDesktopFileName(QStringLiteral("varnoskel"));
  // One look on every desktop: the layout's button colours need a style
  // that paints the palette's button colour.
  QApplication::setStyle(QStringLiteral("Fusion"));
  Form1 form;
  form.show();
  return app.exec();
}
