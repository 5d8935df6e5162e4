// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Writes the program's icon into a hicolor icon theme folder, at the sizes a
// desktop asks for, drawn by the same code as the window's own icon.
//   varnoskel_icons FOLDER NAME
#include <QDir>
#include <cstdio>

#include "app/artwork.h"

int main(int argc, char* argv[]) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s FOLDER NAME\n", argv[0]);
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]), name = QString::fromLocal8Bit(argv[2]);
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    const QString apps = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(size);
    if (!QDir().mkpath(apps) || !smileyImage(size).save(apps + '/' + name + QStringLiteral(".png"))) {
      std::fprintf(stderr, "cannot write the %d px icon into %s\n", size, qPrintable(apps));
      return 1;
    }
  }
  return 0;
}
