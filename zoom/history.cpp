// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "zoom/history.h"

namespace zoom {

// Every button saves the X limits; only the limit that changes saves its old
// value.
void History::saveBeforeLimit(const Grenzen& gezeigt, int button) {
  m_alt.xMax = gezeigt.xMax;
  m_alt.xMin = gezeigt.xMin;
  if (button == 1) m_alt.links = gezeigt.links;
  if (button == 2) m_alt.rechts = gezeigt.rechts;
}

}  // namespace zoom
