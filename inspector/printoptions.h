// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The small dialog before a picture for the printer is made (Ctrl+Shift+S):
// its width in pixels and its colours, as on the screen or for the printer.
// It does not wait: the program runs on behind it, and what follows is done
// once the user confirms.
#pragma once

#include <QString>
#include <QtGlobal>
#include <functional>

#include "support/palette.h"

class QWidget;

namespace inspector {

struct PrintOptions {
  int width = 3000;  // pixels across: an A4 page at 300 dpi
  support::Scheme scheme = support::Scheme::Screen;
};

// The widths offered: from the screen's picture to a poster; in the page,
// whose memory is fixed, to a page at 400 dpi.
constexpr int kLeastPrintWidth = 800;
#ifdef Q_OS_WASM
constexpr int kMostPrintWidth = 4000;
#else
constexpr int kMostPrintWidth = 12000;
#endif

// Asks for the options, starting from the last ones confirmed, and calls
// `then` with them once the user confirms; not at all when the user cancels.
void askPrintOptions(QWidget* parent, std::function<void(const PrintOptions&)> then);

// The name the save dialog suggests for a picture of `name` (".png") made
// `width` pixels wide: "bahn_p2.9_3000px.png".
QString printName(const QString& name, int width);

}  // namespace inspector
