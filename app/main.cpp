// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QApplication>

#include "app/form1.h"
#include "app/toolkit.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QGuiApplication::setDesktopFileName(QStringLiteral("org.varnoskel.Varnoskel"));
  setUpToolkit();
  Form1 form;
  form.show();
  return app.exec();
}
