// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The two pictures of the window, drawn by the program itself: the smiley
// icon and the formula panel with the two forms of the iteration.
#pragma once

#include <QIcon>
#include <QImage>

QIcon smileyIcon();
QImage smileyImage(int size);
// At the given device pixel ratio, so it stays sharp on a scaled desktop.
QImage formulaImage(double devicePixelRatio = 1.0);
