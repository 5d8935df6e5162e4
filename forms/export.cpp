// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/export.h"

#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QSaveFile>
#include <QStandardPaths>
#include <charconv>

#include "forms/runtime.h"
#include "support/bits.h"

namespace forms {

namespace {

std::function<QString(const QString&)>& fileNameHook() {
  static std::function<QString(const QString&)> hook;
  return hook;
}

// The folder of the last save, for the next one; at first the pictures folder.
QString& lastFolder() {
  static QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
  return folder;
}

#ifndef Q_OS_WASM
QString askFileName(QWidget* parent, const QString& name) {
  if (auto& hook = fileNameHook()) return hook(name);
  beforeModal(parent);  // Ctrl+S may come in the middle of a sweep
  QFileDialog dialog(parent, QStringLiteral("Bild speichern"), lastFolder());
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilter(QStringLiteral("PNG-Bild (*.png)"));
  dialog.setDefaultSuffix(QStringLiteral("png"));
  dialog.selectFile(name);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}
#endif

}  // namespace

QString nextSaveFolder() { return lastFolder(); }

void copyPicture(const QImage& picture) { QGuiApplication::clipboard()->setImage(picture); }

QString writePng(const QImage& picture, const QString& path) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return file.errorString();
  if (!picture.save(&file, "PNG")) {
    file.cancelWriting();
    return file.error() != QFileDevice::NoError ? file.errorString() : QStringLiteral("PNG nicht geschrieben");
  }
  if (!file.commit()) return file.errorString();
  return {};
}

bool savePicture(QWidget* parent, const QImage& picture, const QString& name) {
#ifdef Q_OS_WASM
  // A page reaches no folder of the user's: the picture is a download.
  (void)parent;
  QByteArray png;
  QBuffer buffer(&png);
  if (!buffer.open(QIODevice::WriteOnly) || !picture.save(&buffer, "PNG")) return false;
  QFileDialog::saveFileContent(png, name);
  return true;
#else
  const QString path = askFileName(parent, name);
  if (path.isEmpty()) return false;
  const QString error = writePng(picture, path);
  if (error.isEmpty()) {
    lastFolder() = QFileInfo(path).absolutePath();  // a folder that failed is not offered again
    return true;
  }
  messageBox(
      parent,
      QStringLiteral("Das Bild konnte nicht gespeichert werden:\n%1\n\n%2").arg(QDir::toNativeSeparators(path), error),
      QStringLiteral("Bild speichern"));
  return false;
#endif
}

QString fileNumber(double value) {
  char buffer[32];
  const char* end = support::writeGeneral(buffer, buffer + sizeof buffer, value, 15);
  return QString::fromLatin1(buffer, end - buffer);
}

support::Restore setFileNameHook(std::function<QString(const QString&)> hook) {
  return support::exchangeHook(fileNameHook(), std::move(hook));
}

}  // namespace forms
