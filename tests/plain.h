// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Test helpers that need no window, for the tests that also run where there
// is none (the browser build's tests under node).
#pragma once

#include <QtGlobal>
#include <algorithm>
#include <cstdint>

#include "support/palette.h"

namespace fixture {

// The number of rounds of a long randomised test: a tenth of it where
// VARNOSKEL_QUICK is set, for builds that run many times slower (the thread
// sanitizer, an emulated processor, WebAssembly).
inline int rounds(int full) { return qEnvironmentVariableIsSet("VARNOSKEL_QUICK") ? std::max(1, full / 10) : full; }

inline std::uint32_t rgb(int index) { return support::paletteColour(index); }  // a QRgb

}  // namespace fixture
