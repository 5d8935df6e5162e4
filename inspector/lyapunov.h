// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The Lyapunov exponent of many orbits that differ only in p, each as the
// orbit window computes it for one: the mean of ln |f'(X(k + 1))| over the
// counters k from von on, NaN where the orbit leaves the double range or no
// counter is counted. Several orbits go side by side, so that the processor
// overlaps their steps; an orbit that repeats itself bit for bit is finished
// from its cycle and leaves its place at once.
#pragma once

#include <functional>

#include "inspector/orbit.h"
#include "orbits/columns.h"

namespace inspector {

constexpr int kExponentLanes = 8;

// The exponents of the orbits at p[0 ... count - 1] (count at most
// kExponentLanes), the other settings those of `s`; keepGoing() is asked
// every few ten thousand steps, and when it says no, false is returned.
// The arithmetic (the widest vectors, or narrower ones for tests) gives the
// same bits.
bool exponents(const OrbitSettings& s, const double* p, int count, double* out, const std::function<bool()>& keepGoing,
               orbits::Arithmetic arithmetic = orbits::Arithmetic::Fastest);

}  // namespace inspector
