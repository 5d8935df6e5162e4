// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// What the window needs of the forms runtime beyond widgets: processing
// pending events on request (with a hook for tests), waiting for events,
// the modal message box, and the twips unit of the layout.
#pragma once

#include <QString>
#include <functional>

#include "support/restore.h"

class QWidget;

namespace forms {

constexpr int kTwipsPerPixel = 15;  // 1440 twips per inch at 96 dots per inch
constexpr int twips(int value) { return value / kTwipsPerPixel; }

// Runs the handlers of all pending events, nested inside the caller.
void doEvents();
// Sleeps until at least one event arrives, then runs the pending handlers.
void waitForEvents();
// The same, but for `ms` milliseconds at most, and not a yield: the test
// hook is not called.
void waitForEventsFor(int ms);
// Whether a loop that yields often should yield now: a millisecond has
// passed since events were last processed, or a test's hook is set. A
// person cannot tell a window served every millisecond from one served
// more often, and a fast loop need not pay for a trip through the event
// loop at every step.
bool eventsDue();

// Called at the start of every doEvents and waitForEvents while the guard
// lives, so a test can act at the n-th yield. While a hook is set,
// waitForEvents does not sleep and eventsDue is always true.
support::Restore setDoEventsHook(std::function<void()> hook);

// Ends the event loop; in the browser, the page then says so.
void endProgram();

// How long a piece of work took, for the page's console and its list
// window.varnoskelZeiten (its checks and benchmark read them); nothing on the
// desktop.
void reportTime(const char* what, double ms);

// In the browser: the events that come while the program waits are handled
// when the wait returns, and windows open at their size, not full-screen.
// Nothing elsewhere.
void setUpPage();

// Before a modal dialog opens: the picture boxes of the parent's window that
// a loop holds show their picture while it is open.
void beforeModal(QWidget* parent);

// A modal message box with one OK button and no icon; returns when closed
// (in the browser at once, the box staying open).
// Picture boxes of the parent's window that a loop holds show their picture
// while it is open.
void messageBox(QWidget* parent, const QString& text, const QString& title);

}  // namespace forms
