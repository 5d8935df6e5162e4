// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The Lyapunov exponent of many orbits that differ only in p, each as it is
// computed for one orbit (orbit.h): the mean of ln |f'(X(k + 1))| over the
// counters k from gelbAb on, NaN where the orbit leaves the double range or
// no counter is counted. Up to eight orbits go side by side in the
// exponent's kernel (orbits/exponentlanes.h); an orbit that repeats itself
// bit for bit is finished from its cycle and leaves its place at once.
#pragma once

#include <cstdint>
#include <functional>

#include "orbits/columns.h"
#include "orbits/exponentlanes.h"
#include "orbits/start.h"

namespace analysis {

using orbits::kExponentLanes;

// The exponents of the orbits at p[0 ... count - 1] (count at most
// kExponentLanes), iterated as `s` says; keepGoing() is asked every few ten
// thousand steps, and when it says no, false is returned. The arithmetic
// (the widest vectors, or narrower ones for tests) gives the same bits.
// `iterated`, where given, receives the steps of all the orbits iterated:
// fewer than count * (bis + 1) where the orbits were finished from their
// cycles.
bool exponents(const orbits::Iteration& s, const double* p, int count, double* out,
               const std::function<bool()>& keepGoing, orbits::Arithmetic arithmetic = orbits::Arithmetic::Fastest,
               std::int64_t* iterated = nullptr);

}  // namespace analysis
