// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The keys that have no control in the window, for a device without a
// keyboard: the page shows a button for each, outside the program's window,
// and a press of it does what the key does, in the window the key belongs
// to: B, L and F in the main window; the arrow keys in the orbit window;
// Ctrl+C, Ctrl+S, Ctrl+Shift+S and Esc in the window last used.
#pragma once

class QWidget;

enum class PageKey { Bahn, Lyapunov, Feigenbaum, Kopieren, Speichern, Druckbild, Links, Rechts, Schliessen };

// Fires the shortcut of `key` in the right window of `main`'s; false where
// that window has none (the orbit window not open, say).
bool pressPageKey(QWidget* main, PageKey key);
