// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Writes the program's icon, drawn by the same code as the window's own:
//   varnoskel_icons FOLDER NAME  into a hicolor icon theme folder, at the
//                                sizes a desktop asks for;
//   varnoskel_icons FILE.ico     as a Windows icon file (PNG images inside,
//                                as Windows reads them since Vista).
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QtEndian>
#include <cstdio>

#include "app/artwork.h"

namespace {

int themeFolder(const QString& folder, const QString& name) {
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    const QString apps = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(size);
    if (!QDir().mkpath(apps) || !smileyImage(size).save(apps + '/' + name + QStringLiteral(".png"))) {
      std::fprintf(stderr, "cannot write the %d px icon into %s\n", size, qPrintable(apps));
      return 1;
    }
  }
  return 0;
}

template <typename T>
void put(QByteArray& out, T value) {
  value = qToLittleEndian(value);
  out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

// ICONDIR, one ICONDIRENTRY per size, then the images, each a whole PNG.
int iconFile(const QString& path) {
  const int sizes[] = {16, 24, 32, 48, 64, 256};
  QList<QByteArray> images;
  for (int size : sizes) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    smileyImage(size).save(&buffer, "PNG");
    images.append(png);
  }
  QByteArray out;
  put<quint16>(out, 0);  // reserved
  put<quint16>(out, 1);  // an icon
  put<quint16>(out, quint16(images.size()));
  quint32 offset = 6 + 16 * quint32(images.size());
  for (qsizetype i = 0; i < images.size(); ++i) {
    out.append(char(sizes[i] % 256));  // 0 stands for 256
    out.append(char(sizes[i] % 256));
    out.append(char(0));    // no palette
    out.append(char(0));    // reserved
    put<quint16>(out, 1);   // colour planes
    put<quint16>(out, 32);  // bits per pixel
    put<quint32>(out, quint32(images[i].size()));
    put<quint32>(out, offset);
    offset += quint32(images[i].size());
  }
  for (const QByteArray& image : images) out.append(image);
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size() || !file.flush()) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc == 2 && QByteArray(argv[1]).endsWith(".ico")) return iconFile(QString::fromLocal8Bit(argv[1]));
  if (argc == 3) return themeFolder(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
  std::fprintf(stderr, "usage: %s FOLDER NAME | %s FILE.ico\n", argv[0], argv[0]);
  return 2;
}
