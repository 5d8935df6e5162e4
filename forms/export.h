// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Pictures for a worksheet: copied to the clipboard, or saved as PNG where
// the user chooses. A save goes to a temporary file beside the target and is
// renamed onto it only when complete, so a failed save leaves no file.
#pragma once

#include <QImage>
#include <QString>
#include <functional>

#include "support/restore.h"

class QWidget;

namespace forms {

void copyPicture(const QImage& picture);

// Asks for a file name in the save dialog, suggesting `name`, and saves the
// picture there; a save that fails says so in a message box. True once a
// file is written.
bool savePicture(QWidget* parent, const QImage& picture, const QString& name);

// The folder the next save dialog opens in: that of the last save that
// succeeded, at first the pictures folder.
QString nextSaveFolder();

// Writes the picture as PNG through a temporary file; the error, or empty.
QString writePng(const QImage& picture, const QString& path);

// A number as a file name carries it: the shortest form, at most 15 digits.
QString fileNumber(double value);

// For tests: asks for the file name instead of the dialog, while the guard
// lives.
support::Restore setFileNameHook(std::function<QString(const QString& suggested)> hook);

}  // namespace forms
