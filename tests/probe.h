// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The tests' one way into the window: it owns a Form1 and shows its
// controls (a copy of the pointers, which never change after start-up) and
// its state, read-only: a test changes the window only as a user does,
// through its controls. Nothing else in the tests reaches inside.
#pragma once

#include <memory>

#include "app/form1.h"
#include "orbits/columnengine.h"

struct Form1Probe : Ui::Form1 {
  explicit Form1Probe(std::unique_ptr<::Form1> form)
      : Ui::Form1(form->ui),
        owner(std::move(form)),
        window(*owner),
        fenster(owner->fenster),
        alt(owner->zoom.history().saved()),
        auswahlAktiv(owner->zoom.auswahlAktiv()),
        startwert(owner->sweep.record().startwert),
        p(owner->sweep.record().p),
        bestand(owner->sweep.record().bestand),
        spalte(owner->sweep.record().spalte),
        beendet(owner->beendet),
        rechenwerk(*owner->rechenwerk) {}

  std::unique_ptr<::Form1> owner;
  ::Form1& window;
  const Grenzen& fenster;  // on display
  const Grenzen& alt;      // saved for "zurück"
  const std::int32_t& auswahlAktiv;
  // Where the last sweep stands.
  const double& startwert;
  const double& p;
  const double& bestand;
  const std::int32_t& spalte;
  const bool& beendet;
  orbits::ColumnEngine& rechenwerk;  // for a test's gate

  std::int16_t strich() const { return owner->pen.strich(); }
};
