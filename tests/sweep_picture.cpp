// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Draws one sweep in the real window, headless, and writes its picture and
// the picture's orbit points alone (cyan and yellow kept, all else black), so
// that the builds of two platforms can be compared pixel for pixel: the
// points come from the same doubles and the same pixel rule everywhere,
// while the frame's labels are each platform's own font rendering.
//   sweep_picture PICTURE.png POINTS.png [VON BIS]   (500 and 2000 if not given)
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <cstdio>

#include "app/toolkit.h"
#include "forms/picturebox.h"
#include "probe.h"
#include "support/palette.h"

int main(int argc, char* argv[]) {
  if (argc != 3 && argc != 5) {
    std::fprintf(stderr, "usage: %s PICTURE.png POINTS.png [VON BIS]\n", argv[0]);
    return 2;
  }
  QApplication app(argc, argv);
  setUpToolkit();
  Form1Probe f(std::make_unique<Form1>());
  f.window.show();
  f.txtVon->setText(argc == 5 ? QString::fromLocal8Bit(argv[3]) : QStringLiteral("500"));
  f.txtBis->setText(argc == 5 ? QString::fromLocal8Bit(argv[4]) : QStringLiteral("2000"));
  f.Command1->click();
  const QImage picture = f.picAusgabe->image();
  QImage points = picture.convertToFormat(QImage::Format_RGB32);
  const QRgb cyan = support::paletteColour(support::kCyan), yellow = support::paletteColour(support::kYellow);
  for (int y = 0; y < points.height(); ++y)
    for (int x = 0; x < points.width(); ++x)
      if (const QRgb c = points.pixel(x, y); c != cyan && c != yellow) points.setPixel(x, y, 0xFF000000);
  if (!picture.save(QString::fromLocal8Bit(argv[1])) || !points.save(QString::fromLocal8Bit(argv[2]))) {
    std::fprintf(stderr, "cannot write the pictures\n");
    return 1;
  }
  return 0;
}
