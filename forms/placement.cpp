// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <optional>

namespace forms {

namespace {

enum class Side { Right, Left, Below, Above };

// The four regions of the available area beside `r`: right of it, left of
// it, below and above it, each as wide or as tall as the area.
std::vector<std::pair<Side, QRect>> regionsBeside(const QRect& r, const QRect& available) {
  const QRect a = available;
  return {
      {Side::Right, QRect(QPoint(r.right() + 1, a.top()), a.bottomRight())},
      {Side::Left, QRect(a.topLeft(), QPoint(r.left() - 1, a.bottom()))},
      {Side::Below, QRect(QPoint(a.left(), r.bottom() + 1), a.bottomRight())},
      {Side::Above, QRect(a.topLeft(), QPoint(a.right(), r.top() - 1))},
  };
}

int clampInto(int at, int low, int high) { return high < low ? low : std::clamp(at, low, high); }

// The largest client up to the preferred size that fits the region with
// its frame, pressed against the side it shares with `r` and lined up with
// r's top or left edge; none below the minimum.
std::optional<QRect> fit(const Arrangement& a, Side side, const QRect& region, const QRect& r, const QMargins& frame) {
  const QRect room = region.marginsRemoved(frame);
  if (room.width() < a.minimum.width() || room.height() < a.minimum.height()) return std::nullopt;
  const QSize size = a.preferred.boundedTo(room.size());
  const int x = side == Side::Right  ? room.left()
                : side == Side::Left ? room.right() - size.width() + 1
                                     : clampInto(r.left() + frame.left(), room.left(), room.right() - size.width() + 1);
  const int y = side == Side::Below   ? room.top()
                : side == Side::Above ? room.bottom() - size.height() + 1
                                      : clampInto(r.top() + frame.top(), room.top(), room.bottom() - size.height() + 1);
  return QRect(QPoint(x, y), size);
}

long long area(const QSize& s) { return (long long)s.width() * s.height(); }

std::optional<Placement> largestBeside(const std::vector<Arrangement>& arrangements, const QRect& r,
                                       const QRect& available, const QMargins& frame) {
  std::optional<Placement> best;
  for (const auto& [side, region] : regionsBeside(r, available)) {
    for (int i = 0; i < int(arrangements.size()); ++i) {
      const auto client = fit(arrangements[std::size_t(i)], side, region, r, frame);
      if (client && (!best || area(client->size()) > area(best->client.size()))) best = Placement{*client, i};
    }
  }
  return best;
}

long long overlap(const QRect& a, const QRect& b) { return area(a.intersected(b).size()); }

}  // namespace

Placement place(const std::vector<Arrangement>& arrangements, const QRect& available, const QRect& mainFrame,
                const QRect& keepFree, const QMargins& frame) {
  // Beside the main window; else beside the picture, over the controls.
  if (auto beside = largestBeside(arrangements, mainFrame, available, frame)) return *beside;
  if (auto beside = largestBeside(arrangements, keepFree, available, frame)) return *beside;
  // No room anywhere: the least size, where it covers the least of the picture.
  Placement best{{}, -1};
  long long covered = 0;
  const QRect room = available.marginsRemoved(frame);
  for (int i = 0; i < int(arrangements.size()); ++i) {
    const QSize size = arrangements[std::size_t(i)].minimum.boundedTo(room.size());
    const int right = room.right() - size.width() + 1, bottom = room.bottom() - size.height() + 1;
    const QPoint corners[] = {{right, room.top()}, {right, bottom}, {room.left(), bottom}, {room.left(), room.top()}};
    for (const QPoint& at : corners) {
      const QRect client(at, size);
      const long long c = overlap(client.marginsAdded(frame), keepFree);
      if (best.arrangement < 0 || c < covered) {
        best = {client, i};
        covered = c;
      }
    }
  }
  return best;
}

Placement placeBeside(const std::vector<Arrangement>& arrangements, const QWidget* window, const QWidget* keepFree) {
  const QWidget* main = keepFree->window();
  const QScreen* screen = main->screen() ? main->screen() : QGuiApplication::primaryScreen();
  QRect mainFrame = main->frameGeometry();
  const QRect mainClient = main->geometry();
  // The window manager's frame is not known before a window is shown: that
  // of the main window stands in for it.
  const QMargins frame(mainClient.left() - mainFrame.left(), mainClient.top() - mainFrame.top(),
                       mainFrame.right() - mainClient.right(), mainFrame.bottom() - mainClient.bottom());
  const QRect picture(keepFree->mapToGlobal(QPoint(0, 0)), keepFree->size());
  const QRect available = screen->availableGeometry();
  QRect together = mainFrame;
  for (const QWidget* other : main->findChildren<const QWidget*>(Qt::FindDirectChildrenOnly))
    if (other != window && other->isWindow() && other->isVisible()) together |= other->frameGeometry();
  if (together != mainFrame) {
    // Beside all of them where that leaves room, else as if alone.
    const Placement p = place(arrangements, available, together, picture, frame);
    if (!p.client.marginsAdded(frame).intersects(together)) return p;
  }
  return place(arrangements, available, mainFrame, picture, frame);
}

void moveTo(QWidget* window, const Placement& placement) {
  window->resize(placement.client.size());
  window->move(placement.client.topLeft() - (window->geometry().topLeft() - window->pos()));
}

}  // namespace forms
