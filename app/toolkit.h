// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// What the program asks of the toolkit before its window opens: one look on
// every desktop, and the toolkit's own texts (the context menus of the boxes
// and of the scroll bar, standard dialogs) in German like the rest.
#pragma once

void setUpToolkit();
