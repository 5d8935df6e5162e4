// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The tests' one way into the window: it owns a Form1 and shows its
// controls (a copy of the pointers, which never change after start-up) and
// its state by reference. Nothing else in the tests reaches inside.
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
        alt(owner->alt),
        strich(owner->strich),
        auswahlAktiv(owner->auswahlAktiv),
        startwert(owner->startwert),
        schritt(owner->schritt),
        p(owner->p),
        bestand(owner->bestand),
        spalte(owner->spalte),
        iteration(owner->iteration),
        beendet(owner->beendet),
        rechenwerk(*owner->rechenwerk) {}

  std::unique_ptr<::Form1> owner;
  ::Form1& window;
  Grenzen& fenster;  // on display
  Grenzen& alt;      // saved for "zurück"
  std::int16_t& strich;
  std::int32_t& auswahlAktiv;
  double &startwert, &schritt, &p, &bestand;
  std::int32_t& spalte;
  std::int64_t& iteration;
  bool& beendet;
  orbits::ColumnEngine& rechenwerk;

  void beschriftung(int teiler) { owner->beschriftung(teiler); }
  bool angehalten() const { return owner->angehalten(); }
};
