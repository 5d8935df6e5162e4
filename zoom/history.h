// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The window history, one step deep: the window saved for "zurück". It is
// filled at start-up (the start window), by "Fenster" (all four limits the
// boxes show) and by a press that sets a p limit (the X limits, and the p
// limit the press changes, as they stood before).
#pragma once

#include "support/grenzen.h"

namespace zoom {

class History {
 public:
  void save(const Grenzen& gezeigt) { m_alt = gezeigt; }
  // Before a press with `button` (1 left, 2 right) sets a p limit.
  void saveBeforeLimit(const Grenzen& gezeigt, int button);
  const Grenzen& saved() const { return m_alt; }

 private:
  Grenzen m_alt;
};

}  // namespace zoom
