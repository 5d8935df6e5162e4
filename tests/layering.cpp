// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Compiled with the include path of one handler folder's library (see
// CMakeLists.txt): its own header must be found, and the window above it
// must not. The test passes on the compiler's complaint about app/form1.h.
#include LAYER_HEADER
#include "app/form1.h"
