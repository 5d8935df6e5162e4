// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Qt's pool hands a task to its thread, and tells that all are done, through
// locks of its own which the thread sanitizer does not see (Qt is not built
// with it); so does a queued call from a worker to the window's thread.
// These marks tell it where the program relies on them: one token for each
// kind of hand-over, released right before the hand-over and only when it
// happens, so that they order nothing else. They do nothing in other builds.
#pragma once

#if defined(__SANITIZE_THREAD__)
#define VARNOSKEL_TSAN 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define VARNOSKEL_TSAN 1
#endif
#endif
#ifdef VARNOSKEL_TSAN
#include <sanitizer/tsan_interface.h>
#define HANDED_OVER(token) __tsan_release(token)
#define TAKEN_OVER(token) __tsan_acquire(token)
#else
#define HANDED_OVER(token) ((void)(token))
#define TAKEN_OVER(token) ((void)(token))
#endif
